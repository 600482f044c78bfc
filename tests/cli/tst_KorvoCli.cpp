#include "BackupStore.h"
#include "IgnitionParameters.h"
#include "ParameterFile.h"
#include "KorvoCliProcess.h"
#include "UnitSimulatorProcess.h"
#include "VehiclePresets.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/types.h>

// korvo-cli as a user or a script runs it: a separate process against korvo-unit-sim on a
// pseudo-terminal, with its own settings and backup folders in a temporary folder.
class tst_KorvoCli : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void programVerifyRead();
    void diffListsChangedFields();
    void reservedBytesStayTheUnits();
    void backupFolderUnusable();
    void failures_data();
    void failures();
    void portFromSettingsFile();
    void monitorCsv();
    void jsonInfo();
    void interruptedProgram_data();
    void interruptedProgram();

private:
    using Run = KorvoCliRun;
    bool startSimulator(const QStringList &options = {}) { return !m_sim.start(m_tty, options).isEmpty(); }
    Run cli(const QStringList &arguments);
    QString writeSetFile(const QString &name, const IgnitionParameters &set);
    static IgnitionParameters presetSet();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_tty;
    UnitSimulatorProcess m_sim;
};

void tst_KorvoCli::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_tty = m_dir->filePath(QStringLiteral("unit-tty"));
}

void tst_KorvoCli::cleanup()
{
    m_sim.stop();
    m_dir.reset();
}

tst_KorvoCli::Run tst_KorvoCli::cli(const QStringList &arguments)
{
    return runKorvoCli(QStringLiteral(KORVO_CLI), m_dir->path(), arguments);
}

IgnitionParameters tst_KorvoCli::presetSet()
{
    IgnitionParameters set;
    bool changed = false;
    ApplyVehiclePreset(set, changed);
    SessionSettings session;
    NormaliseParameters(set, session);
    return set;
}

QString tst_KorvoCli::writeSetFile(const QString &name, const IgnitionParameters &set)
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(ParameterFileText(set));
    return path;
}

// ------------------------------------------------------------------ transfers

void tst_KorvoCli::programVerifyRead()
{
    QVERIFY(startSimulator());
    const Run before = cli({QStringLiteral("--port"), m_tty, QStringLiteral("read")});
    QCOMPARE(before.exitCode, 0);
    QCOMPARE(before.out.size(), ParameterFileSize);

    IgnitionParameters set = presetSet();
    set.LIMITER() = 95;
    set.ADVANCE(3) = 28;
    set.TOP(1) = 7;
    const QString file = writeSetFile(QStringLiteral("race.ign"), set);
    const QByteArray fileBytes = ParameterFileText(set);
    QVERIFY(before.out != fileBytes);

    const Run program = cli({QStringLiteral("--port"), m_tty, QStringLiteral("program"), file});
    QCOMPARE(program.exitCode, 0);
    QVERIFY2(program.err.isEmpty(), qPrintable(program.err));

    // The unit's old set went to the backup folder before the write, and is named.
    const QStringList backups =
        BackupStore(m_dir->filePath(QStringLiteral("data/korvo-tci/backups"))).backups();
    QCOMPARE(backups.size(), 1);
    QVERIFY2(program.out.contains(backups.first().toUtf8()), program.out.constData());
    QFile backup(backups.first());
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), before.out);

    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("verify"), file}).exitCode, 0);
    const Run read = cli({QStringLiteral("--port"), m_tty, QStringLiteral("read")});
    QCOMPARE(read.exitCode, 0);
    QCOMPARE(read.out, fileBytes);

    const QString copy = m_dir->filePath(QStringLiteral("copy.ign"));
    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("read"), QStringLiteral("-o"), copy}).exitCode, 0);
    QFile copied(copy);
    QVERIFY(copied.open(QIODevice::ReadOnly));
    QCOMPARE(copied.readAll(), fileBytes);

    // The same set once more: the unit's set is the one last written, so no new backup.
    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("program"), file}).exitCode, 0);
    QCOMPARE(BackupStore(m_dir->filePath(QStringLiteral("data/korvo-tci/backups"))).backups().size(), 1);
}

void tst_KorvoCli::diffListsChangedFields()
{
    QVERIFY(startSimulator());
    const IgnitionParameters set = presetSet();
    const QString file = writeSetFile(QStringLiteral("unit.ign"), set);
    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("program"), file}).exitCode, 0);

    const Run same = cli({QStringLiteral("--port"), m_tty, QStringLiteral("diff"), file});
    QCOMPARE(same.exitCode, 0);

    IgnitionParameters changed = set;
    changed.LIMITER() = quint8(set.LIMITER() - 10);
    changed.ADVANCE(2) = quint8(set.ADVANCE(2) + 1);
    const QString other = writeSetFile(QStringLiteral("other.ign"), changed);
    const Run diff = cli({QStringLiteral("--port"), m_tty, QStringLiteral("diff"), other});
    QCOMPARE(diff.exitCode, 1);
    const QList<QByteArray> lines = diff.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 3); // heading and the two fields
    QVERIFY2(lines.at(1).startsWith("Limiter") && lines.at(1).contains(QByteArray::number(set.LIMITER() * 100)) &&
                 lines.at(1).contains(QByteArray::number(changed.LIMITER() * 100)),
             diff.out.constData());
    QVERIFY2(lines.at(2).startsWith("Curve point 3 advance"), diff.out.constData());

    // For scripts: plain numbers under keys that carry their unit.
    const Run json = cli({QStringLiteral("--json"), QStringLiteral("--port"), m_tty, QStringLiteral("diff"), other});
    QCOMPARE(json.exitCode, 1);
    const QJsonArray differences =
        QJsonDocument::fromJson(json.out).object().value(QStringLiteral("differences")).toArray();
    QCOMPARE(differences.size(), 2);
    const QJsonObject limiter = differences.at(0).toObject();
    QCOMPARE(limiter.value(QStringLiteral("key")).toString(), QStringLiteral("limiter_rpm"));
    QCOMPARE(limiter.value(QStringLiteral("unit")), QJsonValue(set.LIMITER() * 100));
    QCOMPARE(limiter.value(QStringLiteral("file")), QJsonValue(changed.LIMITER() * 100));
    const QJsonObject advance = differences.at(1).toObject();
    QCOMPARE(advance.value(QStringLiteral("key")).toString(), QStringLiteral("point3_advance_deg"));
    QCOMPARE(advance.value(QStringLiteral("file")), QJsonValue(int(changed.ADVANCE(2))));

    // A verify of the other file fails as a difference, not as a link fault.
    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("verify"), other}).exitCode, 1);
}

void tst_KorvoCli::reservedBytesStayTheUnits()
{
    // A unit that holds something of its own in the bytes no parameter file carries.
    const quint8 fill = 165;
    QVERIFY(startSimulator({QStringLiteral("--reserved"), QString::number(fill)}));
    const QString unitFile = m_dir->filePath(QStringLiteral("unit.ign"));
    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("read"), QStringLiteral("-o"), unitFile}).exitCode, 0);
    IgnitionParameters race = presetSet();
    race.LIMITER() = 95;
    const QString raceFile = writeSetFile(QStringLiteral("race.ign"), race);

    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("program"), raceFile}).exitCode, 0);
    // With the record of that write gone, the next program backs up the unit's block as
    // the first one left it.
    const QString backupFolder = m_dir->filePath(QStringLiteral("data/korvo-tci/backups"));
    QVERIFY(QDir(backupFolder).removeRecursively());
    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("program"), unitFile}).exitCode, 0);
    const QStringList backups = BackupStore(backupFolder).backups();
    QCOMPARE(backups.size(), 1);
    UnitBlock block{};
    QVERIFY(BackupStore::ReadBackup(backups.first(), block));
    QCOMPARE(block[IgnitionParameters::OffsetLimiter], race.LIMITER());
    for (int i = 0; i < UnitBlockSize; ++i)
        if (IsReservedByte(i))
            QVERIFY2(block[i] == fill, qPrintable(QStringLiteral("byte %1: %2").arg(i).arg(block[i])));

    // Only the fields a file holds are compared.
    for (const QString &command : {QStringLiteral("verify"), QStringLiteral("diff")}) {
        const Run same = cli({QStringLiteral("--port"), m_tty, command, unitFile});
        QVERIFY2(same.exitCode == 0, qPrintable(command + u' ' + same.err + QString::fromUtf8(same.out)));
    }
    const Run diff = cli({QStringLiteral("--port"), m_tty, QStringLiteral("diff"), raceFile});
    QCOMPARE(diff.exitCode, 1);
    const QList<QByteArray> lines = diff.out.trimmed().split('\n');
    QCOMPARE(lines.size(), 2); // heading and the limiter
    QVERIFY2(lines.at(1).startsWith("Limiter"), diff.out.constData());
    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("verify"), raceFile}).exitCode, 1);
}

void tst_KorvoCli::backupFolderUnusable()
{
    QVERIFY(startSimulator());
    // The data folder is a plain file, so no backup folder can be made below it.
    QFile blocker(m_dir->filePath(QStringLiteral("data")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    IgnitionParameters set = presetSet();
    set.BASE_ADV() = 3;
    const QString file = writeSetFile(QStringLiteral("base.ign"), set);
    const Run program = cli({QStringLiteral("--port"), m_tty, QStringLiteral("program"), file});
    QCOMPARE(program.exitCode, 0);
    QVERIFY2(program.err.contains(QStringLiteral("No backup")), qPrintable(program.err));
    QCOMPARE(cli({QStringLiteral("--port"), m_tty, QStringLiteral("verify"), file}).exitCode, 0);
}

// ------------------------------------------------------------------ failures

void tst_KorvoCli::failures_data()
{
    // "PORT" stands for the simulator's terminal, "FILE" for a good parameter file.
    QTest::addColumn<QStringList>("unit");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const QStringList good{};
    QTest::newRow("silent unit") << QStringList{"--silent"} << QStringList{"--port", "PORT", "verify", "FILE"} << 3
                                 << "no answer";
    QTest::newRow("silent unit, monitor") << QStringList{"--silent"} << QStringList{"--port", "PORT", "monitor"} << 3
                                          << "no answer";
    QTest::newRow("answers with bad checksums")
        << QStringList{"--corrupt-checksum"} << QStringList{"--port", "PORT", "info"} << 3 << "no answer";
    QTest::newRow("unit version 60") << QStringList{"--version", "60"} << QStringList{"--port", "PORT", "program", "FILE"}
                                     << 3 << "PC-61, IGN-60";
    QTest::newRow("unit version 60, read") << QStringList{"--version", "60"} << QStringList{"--port", "PORT", "read"}
                                           << 3 << "PC-61, IGN-60";
    QTest::newRow("unit version 60, verify")
        << QStringList{"--version", "60"} << QStringList{"--port", "PORT", "verify", "FILE"} << 3 << "PC-61, IGN-60";
    QTest::newRow("echo differs") << QStringList{"--corrupt-echo"} << QStringList{"--port", "PORT", "program", "FILE"}
                                  << 1 << "Program error!";
    QTest::newRow("stored data bad after saving")
        << QStringList{"--data-error"} << QStringList{"--port", "PORT", "program", "FILE"} << 1
        << "programmed data bad";
    QTest::newRow("saving never ends") << QStringList{"--endless-saving"}
                                       << QStringList{"--port", "PORT", "program", "FILE"} << 3
                                       << "did not finish saving";
    QTest::newRow("not a parameter file") << good << QStringList{"--port", "PORT", "verify", "NOTIGN"} << 4
                                          << "not a parameter file";
    QTest::newRow("a device path that is not there")
        << good << QStringList{"--port", "PORT-missing", "info"} << 3 << "PORT-missing: ";
    QTest::newRow("file cut short") << good << QStringList{"--port", "PORT", "program", "CUT"} << 4
                                    << "lacks the key";
    QTest::newRow("no such port") << good << QStringList{"--port", "PORT-missing", "info"} << 3 << "Cannot open";
    QTest::newRow("missing file") << good << QStringList{"--port", "PORT", "verify", "missing.ign"} << 4
                                  << "missing.ign";
    QTest::newRow("folder as file") << good << QStringList{"--port", "PORT", "program", "."} << 4
                                    << "not a regular file";
    QTest::newRow("read into a folder") << good << QStringList{"--port", "PORT", "read", "-o", "."} << 4
                                        << "Cannot write";
    QTest::newRow("bad option") << good << QStringList{"--bogus", "info"} << 2 << "unknown option --bogus";
    QTest::newRow("no command") << good << QStringList{"--json"} << 2 << "no command";
    QTest::newRow("unknown command") << good << QStringList{"flash"} << 2 << "unknown command";
    QTest::newRow("file missing") << good << QStringList{"verify"} << 2 << "verify takes one FILE";
    QTest::newRow("option of another command") << good << QStringList{"verify", "FILE", "--csv"} << 2 << "monitor";
    QTest::newRow("COM out of range") << good << QStringList{"--port", "COM21", "info"} << 2 << "COM1 to COM20";
    QTest::newRow("seconds not a number") << good << QStringList{"monitor", "--seconds", "soon"} << 2 << "--seconds";
}

void tst_KorvoCli::failures()
{
    QFETCH(QStringList, unit);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QVERIFY(startSimulator(unit));
    QVERIFY(!writeSetFile(QStringLiteral("good.ign"), presetSet()).isEmpty());
    for (QString &argument : arguments) {
        argument.replace(QLatin1String("PORT"), m_tty);
        if (argument == QLatin1String("FILE"))
            argument = QStringLiteral("good.ign");
        if (argument == QLatin1String("NOTIGN")) {
            QFile notes(m_dir->filePath(QStringLiteral("notes.ign")));
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write("shopping list\n");
            argument = QStringLiteral("notes.ign");
        }
        if (argument == QLatin1String("CUT")) {
            // As `head -c 120 good.ign > cut.ign` leaves it: the first keys only.
            QFile good(m_dir->filePath(QStringLiteral("good.ign")));
            QFile cut(m_dir->filePath(QStringLiteral("cut.ign")));
            QVERIFY(good.open(QIODevice::ReadOnly) && cut.open(QIODevice::WriteOnly));
            cut.write(good.read(120));
            argument = QStringLiteral("cut.ign");
        }
    }
    const Run run = cli(arguments);
    QVERIFY2(run.exitCode == exitCode, qPrintable(QStringLiteral("exit %1: %2").arg(run.exitCode).arg(run.err)));
    QVERIFY2(run.err.contains(QString(message).replace(QLatin1String("PORT"), m_tty), Qt::CaseInsensitive),
             qPrintable(run.err));
    QVERIFY2(run.out.isEmpty() || exitCode != 2, run.out.constData());
}

// ------------------------------------------------------------------ port, monitor, JSON

void tst_KorvoCli::portFromSettingsFile()
{
    QVERIFY(startSimulator());
    const QString settings = m_dir->filePath(QStringLiteral("config/korvo-tci/Korvo_TCI.ini"));
    QVERIFY(QDir().mkpath(QFileInfo(settings).absolutePath()));
    const QByteArray text = "[BASIC]\r\nComPort=3\r\n; the bench adapter\r\n[PORTS]\r\nCOM3=" + m_tty.toUtf8() + "\r\n";
    {
        QFile file(settings);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    const Run run = cli({QStringLiteral("info")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains("program version  61"), run.out.constData());
    const Run ports = cli({QStringLiteral("ports")});
    QCOMPARE(ports.exitCode, 0);
    QVERIFY2(ports.out.contains("* COM3  " + m_tty.toUtf8()), ports.out.constData());

    // Read, never written.
    QFile file(settings);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), text);
}

void tst_KorvoCli::monitorCsv()
{
    QVERIFY(startSimulator());
    const Run run = cli({QStringLiteral("--port"), m_tty, QStringLiteral("monitor"), QStringLiteral("--csv"),
                         QStringLiteral("--seconds"), QStringLiteral("1.5")});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.trimmed().split('\n');
    QVERIFY2(lines.size() >= 3, run.out.constData());
    QCOMPARE(lines.first(), QByteArray("time_s,rpm,advance_deg,voltage_v,blocking,neutral,side_stand,pickup1,pickup2,saving"));
    static const QRegularExpression row(QStringLiteral("^\\d+\\.\\d{3},\\d+,\\d+,\\d+\\.\\d,[01],[01],[01],[01],[01],\\d+$"));
    double lastTime = -1;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = QString::fromLatin1(lines.at(i));
        QVERIFY2(row.match(line).hasMatch(), qPrintable(line));
        const double time = line.section(u',', 0, 0).toDouble();
        QVERIFY(time > lastTime);
        lastTime = time;
    }

    // The recording made here is one summary reads whole.
    const QString path = m_dir->filePath(QStringLiteral("run.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(run.out);
    file.close();
    const Run summary = cli({QStringLiteral("--json"), QStringLiteral("summary"), path});
    QCOMPARE(summary.exitCode, 0);
    QCOMPARE(summary.err, QString());
    const QJsonObject figures = QJsonDocument::fromJson(summary.out).object();
    QCOMPARE(figures.value(QStringLiteral("rows")).toInt(), lines.size() - 1);
    QCOMPARE(figures.value(QStringLiteral("duration_s")).toDouble(), lastTime - lines.at(1).split(',').first().toDouble());
    file.open(QIODevice::Append);
    file.write("9999.000,x\n");
    file.close();
    QCOMPARE(cli({QStringLiteral("summary"), path}).exitCode, 4);
}

void tst_KorvoCli::jsonInfo()
{
    QVERIFY(startSimulator({QStringLiteral("--version-text"), QStringLiteral("Race \"special\" 2")}));
    const Run run = cli({QStringLiteral("--json"), QStringLiteral("--port"), m_tty, QStringLiteral("info")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.count('\n'), 1);
    QJsonParseError error;
    const QJsonObject info = QJsonDocument::fromJson(run.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(info.value(QStringLiteral("version")).toString(), QStringLiteral("Race \"special\" 2"));
    QCOMPARE(info.value(QStringLiteral("unit_program_version")).toInt(), 61);
    // The simulator's program was made on 14 March 2024 at 09:41.
    QCOMPARE(info.value(QStringLiteral("date")).toString(), QStringLiteral("2024-03-14"));
    QCOMPARE(info.value(QStringLiteral("time")).toString(), QStringLiteral("09:41"));
}

// Ctrl+C or SIGTERM during a program: before the block has gone out nothing is written;
// after it, the verify still runs and the one line says what the unit holds.
void tst_KorvoCli::interruptedProgram_data()
{
    QTest::addColumn<int>("afterCode"); // the frame the unit has seen when the signal comes
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("SIGINT during the read") << 0x40 << SIGINT << 130 << "nothing was written";
    QTest::newRow("SIGINT after the block") << 0x01 << SIGINT << 130 << "verified";
    QTest::newRow("SIGTERM after the block") << 0x01 << SIGTERM << 143 << "verified";
}

void tst_KorvoCli::interruptedProgram()
{
    QFETCH(int, afterCode);
    QFETCH(int, signalNumber);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    // Slow answers leave time to interrupt between the frames.
    QVERIFY(startSimulator({QStringLiteral("--trace"), QStringLiteral("--slow-ms"), QStringLiteral("300")}));
    IgnitionParameters set = presetSet();
    set.LIMITER() = 99;
    QVERIFY(!writeSetFile(QStringLiteral("race.ign"), set).isEmpty());

    QProcess process;
    startKorvoCli(process, QStringLiteral(KORVO_CLI), m_dir->path(),
                  {QStringLiteral("--port"), m_tty, QStringLiteral("program"), QStringLiteral("race.ign")});
    QVERIFY(process.waitForStarted());
    QVERIFY(m_sim.waitForFrame(quint8(afterCode), 10000));
    ::kill(pid_t(process.processId()), signalNumber);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exitCode);
    QVERIFY2(QString::fromUtf8(process.readAllStandardError()).contains(message), "what the unit holds");

    // What the unit holds is what the line said.
    const Run verify = cli({QStringLiteral("--port"), m_tty, QStringLiteral("verify"), QStringLiteral("race.ign")});
    QCOMPARE(verify.exitCode, afterCode == 0x01 ? 0 : 1);
}

QTEST_GUILESS_MAIN(tst_KorvoCli)
#include "tst_KorvoCli.moc"
