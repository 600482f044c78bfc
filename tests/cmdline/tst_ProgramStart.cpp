#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// The window program as a user starts it from a shell: what it prints and how it ends
// before, or instead of, showing its window.
class tst_ProgramStart : public QObject
{
    Q_OBJECT

private slots:
    void endsAsItShould_data();
    void endsAsItShould();
    void demoStillRuns();

private:
    // The test's own environment without any display, with a home of its own.
    static QProcessEnvironment bareEnvironment(const QString &home);
};

QProcessEnvironment tst_ProgramStart::bareEnvironment(const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    // Nothing of the user's is read or written.
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    return environment;
}

void tst_ProgramStart::endsAsItShould_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("platform"); // QT_QPA_PLATFORM; empty: unset
    QTest::addColumn<QString>("display");  // DISPLAY; empty: unset
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out"); // what standard output starts with
    QTest::addColumn<QString>("err"); // what the one line on standard error starts with; empty: nothing there

    QTest::newRow("help without a display")
        << QStringList{"--help"} << "" << "" << 0 << "Usage: korvo-tci [OPTION]... [ENGLISH|CESKY|DEUTSCH] [FILE.ign]\n"
        << "";
    QTest::newRow("version without a display")
        << QStringList{"--version"} << "" << "" << 0 << QStringLiteral("korvo-tci " KORVO_VERSION "\n") << "";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << "" << "" << 2 << ""
                                    << "korvo-tci: unknown option --bogus; Usage: korvo-tci";
    QTest::newRow("unknown option before the language word")
        << QStringList{"--bogus", "CESKY"} << "" << "" << 2 << ""
        << QStringLiteral("korvo-tci: neznámá volba --bogus; Použití: korvo-tci");
    QTest::newRow("unknown option beside help") << QStringList{"--help", "-x"} << "" << "" << 2 << ""
                                                << "korvo-tci: unknown option -x;";
    QTest::newRow("no display") << QStringList{"--demo"} << "" << "" << 1 << "" << "korvo-tci: no display";
    QTest::newRow("display that is not there")
        << QStringList{"--demo"} << "" << ":237" << 1 << "" << "korvo-tci: no display";
}

void tst_ProgramStart::endsAsItShould()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, platform);
    QFETCH(QString, display);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment environment = bareEnvironment(home.path());
    if (!platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!display.isEmpty())
        environment.insert(QStringLiteral("DISPLAY"), display);

    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KORVO_TCI_PATH), arguments);
    QVERIFY(program.waitForFinished(20000));
    const QString standardOutput = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString standardError = QString::fromLocal8Bit(program.readAllStandardError());
    // Ended by itself, not by a signal (an abort would leave a core dump).
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    if (out.isEmpty())
        QVERIFY2(standardOutput.isEmpty(), qPrintable(standardOutput));
    else
        QVERIFY2(standardOutput.startsWith(out), qPrintable(standardOutput));
    if (err.isEmpty()) {
        QVERIFY2(standardError.isEmpty(), qPrintable(standardError));
    } else {
        QVERIFY2(standardError.startsWith(err), qPrintable(standardError));
        QCOMPARE(standardError.count(u'\n'), 1);
        QVERIFY(standardError.endsWith(u'\n'));
    }
}

// The options the program had before still start its window.
void tst_ProgramStart::demoStillRuns()
{
    QTemporaryDir home;
    QVERIFY(home.isValid());
    QProcessEnvironment environment = bareEnvironment(home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KORVO_TCI_PATH), {QStringLiteral("--demo"), QStringLiteral("--exit-after-first-tick")});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardOutput().startsWith("first tick shown: "));
    // Demo runs write nothing of the user's.
    QCOMPARE(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

QTEST_GUILESS_MAIN(tst_ProgramStart)
#include "tst_ProgramStart.moc"
