#include "CliCommands.h"
#include "CliOptions.h"
#include "IgnitionParameters.h"
#include "ParameterFile.h"
#include "SimulatedUnitPort.h"
#include "VehiclePresets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// korvo-cli's commands in this process, through the same port seam as the window, on the
// simulated unit: each command's exit code for the unit's answers that matter.
class tst_CliCommands : public QObject
{
    Q_OBJECT

public:
    enum class Fault
    {
        None,
        Silent,
        Version60,
        CorruptEcho,
        StoredDataError,
    };
    Q_ENUM(Fault)

private slots:
    void initTestCase();
    void exitCodes_data();
    void exitCodes();

private:
    QTemporaryDir m_dir;
};

void tst_CliCommands::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // The settings and backups of this test only.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("data"))));

    IgnitionParameters set;
    bool listChanged = false;
    ApplyVehiclePreset(set, listChanged);
    SessionSettings session;
    NormaliseParameters(set, session);
    const auto write = [this](const QString &name, const QByteArray &bytes) {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write(QStringLiteral("preset.ign"), ParameterFileText(set));
    set.LIMITER() = quint8(set.LIMITER() - 5);
    write(QStringLiteral("other.ign"), ParameterFileText(set));
    write(QStringLiteral("cut.ign"), ParameterFileText(set).left(120));
}

void tst_CliCommands::exitCodes_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");

    // The simulated unit starts with the preset of vehicle type 0.
    QTest::newRow("info") << Fault::None << QStringList{"info"} << int(ExitDone);
    QTest::newRow("read") << Fault::None << QStringList{"read", "-o", "read.ign"} << int(ExitDone);
    QTest::newRow("verify, same") << Fault::None << QStringList{"verify", "preset.ign"} << int(ExitDone);
    QTest::newRow("verify, differs") << Fault::None << QStringList{"verify", "other.ign"} << int(ExitDiffers);
    QTest::newRow("diff, differs") << Fault::None << QStringList{"diff", "other.ign"} << int(ExitDiffers);
    QTest::newRow("program") << Fault::None << QStringList{"program", "other.ign"} << int(ExitDone);
    QTest::newRow("program, cut file") << Fault::None << QStringList{"program", "cut.ign"} << int(ExitFile);
    QTest::newRow("program, echo differs") << Fault::CorruptEcho << QStringList{"program", "other.ign"}
                                           << int(ExitDiffers);
    QTest::newRow("program, stored data bad") << Fault::StoredDataError << QStringList{"program", "other.ign"}
                                              << int(ExitDiffers);
    QTest::newRow("program, version 60") << Fault::Version60 << QStringList{"program", "other.ign"} << int(ExitLink);
    QTest::newRow("info, silent") << Fault::Silent << QStringList{"info"} << int(ExitLink);
    QTest::newRow("monitor") << Fault::None << QStringList{"monitor", "--seconds", "1"} << int(ExitDone);
}

void tst_CliCommands::exitCodes()
{
    QFETCH(Fault, fault);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);

    SimulatedUnitPortProvider ports(1);
    SimulatedUnit &unit = ports.unit();
    unit.faults.silent = fault == Fault::Silent;
    unit.faults.programVersion = fault == Fault::Version60 ? 60 : 61;
    unit.faults.corruptEcho = fault == Fault::CorruptEcho;
    unit.faults.storedDataError = fault == Fault::StoredDataError;

    QDir::setCurrent(m_dir.path());
    QString error;
    const auto options = ParseCliOptions(QStringList{QStringLiteral("--quiet"), QStringLiteral("--port"),
                                                     QStringLiteral("COM1")} +
                                             arguments,
                                         error);
    QVERIFY2(options, qPrintable(error));
    QCOMPARE(RunCliCommand(*options, &ports), exitCode);
    // A program that succeeded left the file's set in the unit.
    if (arguments.first() == QLatin1String("program") && exitCode == ExitDone) {
        IgnitionParameters written;
        QFile file(m_dir.filePath(arguments.last()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(ReadParameterFile(file, written));
        QCOMPARE(int(unit.parameterBlock()[IgnitionParameters::OffsetLimiter]), int(written.LIMITER()));
    }
}

QTEST_GUILESS_MAIN(tst_CliCommands)
#include "tst_CliCommands.moc"
