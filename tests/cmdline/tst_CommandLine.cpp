#include "CommandLine.h"

#include <QTest>

// Reading the window program's command line, before any window system exists.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void displayNamed_data();
    void displayNamed();
};

void tst_CommandLine::parse_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program's name
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("file");

    const int run = int(CommandLine::Action::Run);
    const int usage = int(CommandLine::Action::Usage);
    QTest::newRow("nothing") << QStringList{} << run << "" << "" << "";
    QTest::newRow("language word") << QStringList{"CESKY"} << run << "" << "CESKY" << "";
    QTest::newRow("file alone") << QStringList{"a.ign"} << run << "" << "" << "a.ign";
    QTest::newRow("language then file") << QStringList{"DEUTSCH", "a.ign"} << run << "" << "DEUTSCH" << "a.ign";
    QTest::newRow("file then language word") << QStringList{"a.ign", "CESKY"} << run << "" << "" << "a.ign";
    QTest::newRow("lower case is no language word") << QStringList{"english"} << run << "" << "" << "english";
    QTest::newRow("later words ignored") << QStringList{"ENGLISH", "a.ign", "b.ign"} << run << "" << "ENGLISH"
                                         << "a.ign";
    QTest::newRow("our options around the words")
        << QStringList{"--demo", "CESKY", "--quit-after-ms=10", "a.ign"} << run << "" << "CESKY" << "a.ign";
    QTest::newRow("unknown option does not shift the language word")
        << QStringList{"--bogus", "CESKY"} << usage << "--bogus" << "CESKY" << "";
    QTest::newRow("unknown single dash") << QStringList{"-x"} << usage << "-x" << "" << "";
    QTest::newRow("value on a flag") << QStringList{"--demo=1"} << usage << "--demo=1" << "" << "";
    QTest::newRow("number that is none") << QStringList{"--ticks=many"} << usage << "--ticks=many" << "" << "";
    QTest::newRow("screenshot without a path") << QStringList{"--screenshot"} << usage << "--screenshot" << ""
                                                << "";
    QTest::newRow("mistake wins over help") << QStringList{"--help", "--bogus"} << usage << "--bogus" << "" << "";
    QTest::newRow("help") << QStringList{"--help", "CESKY"} << int(CommandLine::Action::Help) << "" << "CESKY"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << int(CommandLine::Action::Version) << "" << "" << "";
    QTest::newRow("window system options left to it")
        << QStringList{"-platform", "offscreen", "-style=fusion", "-reverse", "CESKY"} << run << "" << "CESKY" << "";
    QTest::newRow("window system option without its value") << QStringList{"-platform"} << usage << "-platform"
                                                            << "" << "";
    QTest::newRow("a file that begins with a dash, after --")
        << QStringList{"--", "-odd.ign"} << run << "" << "" << "-odd.ign";
}

void tst_CommandLine::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, error);
    QFETCH(QString, language);
    QFETCH(QString, file);
    arguments.prepend(QStringLiteral("korvo-tci"));
    const CommandLine line = parseCommandLine(arguments);
    QCOMPARE(int(line.action), action);
    QCOMPARE(line.error, error);
    QCOMPARE(line.languageWord, language);
    QCOMPARE(line.fileToOpen, file);
}

void tst_CommandLine::displayNamed_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("named");

    QTest::newRow("nothing") << QStringList{} << "" << "" << "" << false;
    QTest::newRow("X display") << QStringList{} << ":0" << "" << "" << true;
    QTest::newRow("Wayland") << QStringList{} << "" << "wayland-0" << "" << true;
    QTest::newRow("offscreen") << QStringList{} << "" << "" << "offscreen" << true;
    QTest::newRow("xcb asked, no X display") << QStringList{} << "" << "wayland-0" << "xcb" << false;
    QTest::newRow("list with a reachable member") << QStringList{} << ":0" << "" << "wayland;xcb" << true;
    QTest::newRow("platform on the command line") << QStringList{"-platform", "offscreen"} << "" << "" << ""
                                                  << true;
}

void tst_CommandLine::displayNamed()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, platform);
    QFETCH(bool, named);
    const auto set = [](const char *name, const QString &value) {
        if (value.isEmpty())
            qunsetenv(name);
        else
            qputenv(name, value.toLocal8Bit());
    };
    const QByteArray platformBefore = qgetenv("QT_QPA_PLATFORM");
    set("DISPLAY", display);
    set("WAYLAND_DISPLAY", wayland);
    set("QT_QPA_PLATFORM", platform);
    arguments.prepend(QStringLiteral("korvo-tci"));
    const bool result = ::displayNamed(parseCommandLine(arguments));
    qputenv("QT_QPA_PLATFORM", platformBefore);
    QCOMPARE(result, named);
}

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
