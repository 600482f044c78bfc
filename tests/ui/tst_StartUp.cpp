#include "FileSizeLimit.h"
#include "OddFiles.h"
#include "TestFiles.h"
#include "FormFixture.h"
#include "SettingsHome.h"

#include "AppPaths.h"
#include "IniFile.h"
#include "LinkDriver.h"
#include "ParameterSnapshot.h"
#include "ShutdownOnSignals.h"
#include "SimulatedUnitPort.h"
#include "WindowPlacement.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <csignal>
#include <cstdio>

// Start-up and shutdown with the settings file, the snapshot and the test-mode marker.
// XDG_CONFIG_HOME points at a fresh temporary folder in every test (and at another one
// before the application starts), so the user's own files are never read or written.
class tst_StartUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstStartWithNoFiles();
    void exitWritesFilesAndNextStartShowsThem();
    void portsSectionSurvives();
    void languageFromSettingsAndCommandLine_data();
    void languageFromSettingsAndCommandLine();
    void fileNamesFromSettings();
    void shortSnapshotKeepsPreset();
    void windowPlace_data();
    void windowPlace();
    void testModeMarker_data();
    void testModeMarker();
    void demoModeTouchesNoFiles();
    void failedWritesAtShutdownAreTold();
    void oddFilesAtStartUp_data();
    void oddFilesAtStartUp();
    void shutdownLeavesOtherThingsAlone_data();
    void shutdownLeavesOtherThingsAlone();
    void leftoversOfAKilledShutdownGo();
    void signalsShutDownAsExit_data();
    void signalsShutDownAsExit();
    void unsavedOnSignalGoesToStandardError();
    void signalWaitsForTheVerify();

private:
    // The window as the program starts it, on the files of the test's folder.
    std::unique_ptr<FormFixture> start(QStringList arguments = {}, bool useSettingsFiles = true)
    {
        return std::make_unique<FormFixture>(*m_ports, std::move(arguments), useSettingsFiles);
    }
    static void exit(FormFixture &fixture) { fixture.form->MenuExit->trigger(); }
    // Starts this test program as the child of the given mode (see runSignalChild) on the
    // test's folders and returns what it said up to "ready", which it says once it waits
    // for the signal.
    QByteArray startSignalChild(QProcess &child, const QString &mode)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("KORVO_SIGNAL_CHILD"), mode);
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config->path());
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), m_config->filePath(QStringLiteral("cache")));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QByteArray said;
        if (!child.waitForStarted())
            return said;
        while (!said.contains("ready") && child.waitForReadyRead(30000))
            said += child.readAllStandardOutput();
        return said;
    }
    // Centred on the screen, held inside its available area. The offscreen platform adds
    // a frame of 2 pixels once the window exists, which shifts the centre by as much.
    static bool centred(const TFormHlav &form)
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint expected = WindowPlacement::centred(form.frameGeometry().size(), area).topLeft();
        const QPoint off = form.frameGeometry().topLeft() - expected;
        if (qAbs(off.x()) <= 2 && qAbs(off.y()) <= 2 && area.contains(form.frameGeometry()))
            return true;
        qWarning() << "not centred:" << form.frameGeometry() << "on" << area;
        return false;
    }

    static QString startUpFile(const QString &which)
    {
        return which == QLatin1String("settings") ? settingsFilePath()
               : which == QLatin1String("snapshot") ? snapshotFilePath()
                                                    : testMarkerFilePath();
    }

    std::unique_ptr<SettingsHome> m_config;
    FakeUnitPortProvider *m_ports = nullptr;
    QTemporaryDir m_shared;
    QString m_bigFile; // 100 MB of short lines, linked into place by the tests that need it
};

// What the tests need of a file: a kind of node, or a hundred megabytes of short lines.
enum class StartUpOddity
{
    Pipe,
    EndlessDevice,
    Folder,
    HugeFile,
    LinkToPipe,
};
Q_DECLARE_METATYPE(StartUpOddity)

void tst_StartUp::initTestCase()
{
    useEnglishNumbers();
    QVERIFY(m_shared.isValid());
    m_bigFile = m_shared.filePath("big");
    QFile big(m_bigFile);
    QVERIFY(big.open(QIODevice::WriteOnly));
    const QByteArray lines = QByteArray("a\n").repeated(512 * 1024);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(big.write(lines), lines.size());
}

void tst_StartUp::init()
{
    m_config = std::make_unique<SettingsHome>();
    QVERIFY(m_config->isValid());
    QVERIFY(settingsFilePath().startsWith(m_config->path() + u'/'));
    QVERIFY(snapshotFilePath().startsWith(m_config->path() + u'/'));
    QVERIFY(testMarkerFilePath().startsWith(m_config->path() + u'/'));
    m_ports = new FakeUnitPortProvider;
}

void tst_StartUp::cleanup()
{
    delete m_ports;
    m_ports = nullptr;
    m_config.reset();
}

void tst_StartUp::firstStartWithNoFiles()
{
    auto fixture = start();
    TFormHlav *w = fixture->form.get();
    QVERIFY(centred(*w));
    QCOMPARE(w->Session.LanguageIndex, LanguageEnglish);
    QCOMPARE(w->Session.PortChoice, 0);
    QCOMPARE(m_ports->openAttempts(), QList<int>{1});
    QCOMPARE(w->EditOmez2->text(), QStringLiteral("13,700")); // the vehicle-type-0 preset
    QVERIFY(w->LabelFile2->text().isEmpty());
    QVERIFY(w->CurrentFileName.isEmpty());
    QVERIFY(!w->CheckBoxIgnAll->isChecked());
    QVERIFY(w->LabelTest[0]->isHidden());
    QVERIFY(!w->TestMode);
    // Nothing is written before shutdown.
    QVERIFY(!QFileInfo::exists(settingsFilePath()));
    QVERIFY(!QFileInfo::exists(snapshotFilePath()));
}

void tst_StartUp::exitWritesFilesAndNextStartShowsThem()
{
    IgnitionParameters shown;
    QRect outer;
    {
        auto fixture = start();
        fixture->typeAndLeave("EditOmez2", QStringLiteral("9000"));
        fixture->typeAndLeave("Edit52", QStringLiteral("27"));
        // Typed but not yet taken when Exit comes: shutdown takes the controls first.
        fixture->edit("EditBaseAdv")->setText(QStringLiteral("12"));
        fixture->form->CheckBoxIgnAll->setChecked(true);
        outer = fixture->form->frameGeometry();
        exit(*fixture);
        shown = fixture->form->Parameters;
        QCOMPARE(shown.LIMITER(), 90);
        QCOMPARE(shown.ADVANCE(2), 27);
        QCOMPARE(shown.BASE_ADV(), 12);
    }
    const QByteArray expected = QStringLiteral("[FORM_HLAV]\nLeft=%1\nTop=%2\nHeight=%3\nWidth=%4\n"
                                               "Language=0\nFile=\nIniDir=\n"
                                               "[BASIC]\nComPort=1\nComPortAuto=1\n"
                                               "[IGNITION]\nCheckBoxIgnAll->Checked=1\n")
                                    .arg(outer.x())
                                    .arg(outer.y())
                                    .arg(outer.height())
                                    .arg(outer.width())
                                    .toLatin1();
    QCOMPARE(readFile(settingsFilePath()), expected);
    const QByteArray snapshot = readFile(snapshotFilePath());
    QCOMPARE(snapshot.size(), ParameterSnapshotSize);
    QCOMPARE(snapshot, parameterSnapshotText(shown.image));

    auto next = start();
    QVERIFY(next->form->Parameters == shown);
    QCOMPARE(next->form->EditOmez2->text(), QStringLiteral("9,000"));
    QCOMPARE(next->form->Edit52->text(), QStringLiteral("27"));
    QCOMPARE(next->form->EditBaseAdv->text(), QStringLiteral("12"));
    QVERIFY(next->form->CheckBoxIgnAll->isChecked());
    QCOMPARE(next->form->pos(), outer.topLeft());
    // The set read at start-up is the one undo goes back to, not a step of its own.
    QVERIFY(!next->form->SpeedButtonZpet->isEnabled());
}

void tst_StartUp::portsSectionSurvives()
{
    const QByteArray ports(
        "[PORTS]\r\nCOM1=/dev/ttyUSB7\r\n; the adapter on the bench\r\nCOM21=/dev/ttyS0\r\n");
    writeFile(settingsFilePath(), "[FORM_HLAV]\r\nLanguage=3\r\n[BASIC]\r\nComPort=21\r\n" + ports);
    {
        auto fixture = start();
        QCOMPARE(fixture->form->Session.LanguageIndex, LanguageCzech);
        QVERIFY(fixture->form->MenuCzech->isChecked());
        QCOMPARE(fixture->form->Session.PortChoice, PortChoiceAuto);
        QVERIFY(fixture->form->PortMenuItems[PortChoiceAuto]->isChecked());
        // No ComPortAuto: the scan starts at COM1.
        QCOMPARE(m_ports->openAttempts().value(0), 1);
        exit(*fixture);
    }
    const QByteArray written = readFile(settingsFilePath());
    QVERIFY2(written.contains(ports), written.constData());
    QCOMPARE(written.count("\n"), written.count("\r\n"));
    const IniFile ini(written);
    QCOMPARE(ini.readInteger("FORM_HLAV", "Language", -1), 3);
    QCOMPARE(ini.readInteger("BASIC", "ComPort", -1), 21);
    QCOMPARE(ini.readInteger("BASIC", "ComPortAuto", -1), 1);
    QCOMPARE(ini.portMap(),
             (QMap<int, QString>{{1, QStringLiteral("/dev/ttyUSB7")}, {21, QStringLiteral("/dev/ttyS0")}}));
}

void tst_StartUp::languageFromSettingsAndCommandLine_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("language"); // in force, and written at Exit

    const QByteArray english("[FORM_HLAV]\nLanguage=0\n");
    const QByteArray czech("[FORM_HLAV]\nLanguage=3\n");
    QTest::newRow("settings") << czech << QStringList{} << 3;
    QTest::newRow("CESKY") << english << QStringList{"CESKY"} << 3;
    QTest::newRow("ENGLISH over Czech") << czech << QStringList{"ENGLISH"} << 0;
    QTest::newRow("DEUTSCH, no settings") << QByteArray() << QStringList{"DEUTSCH"} << 1;
    QTest::newRow("lower case ignored") << english << QStringList{"cesky"} << 0;
    QTest::newRow("only the first argument") << czech << QStringList{"-x", "ENGLISH"} << 3;
    QTest::newRow("Language=259 is Czech") << QByteArray("[FORM_HLAV]\nLanguage=259\n") << QStringList{} << 3;
    QTest::newRow("Language=7 is English") << QByteArray("[FORM_HLAV]\nLanguage=7\n") << QStringList{} << 0;
}

void tst_StartUp::languageFromSettingsAndCommandLine()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, arguments);
    QFETCH(int, language);
    if (!settings.isNull())
        writeFile(settingsFilePath(), settings);
    {
        auto fixture = start(arguments);
        QCOMPARE(fixture->form->Session.LanguageIndex, language);
        QAction *item = language == 3   ? fixture->form->MenuCzech
                        : language == 1 ? fixture->form->MenuGerman
                                        : fixture->form->MenuEnglish;
        QVERIFY(item->isChecked());
        exit(*fixture);
    }
    IniFile ini;
    QVERIFY(ini.load(settingsFilePath()));
    QCOMPARE(ini.readInteger("FORM_HLAV", "Language", -1), language);
}

void tst_StartUp::fileNamesFromSettings()
{
    writeFile(settingsFilePath(), "[FORM_HLAV]\nFile=/bikes/shown.ign\nIniDir=/bikes/last used.ign\n");
    {
        auto fixture = start();
        TFormHlav *w = fixture->form.get();
        QCOMPARE(w->LabelFile2->text(), QStringLiteral("/bikes/shown.ign"));
        QCOMPARE(w->CurrentFileName, QStringLiteral("/bikes/last used.ign"));
        w->MenuOpenClick();
        w->MenuSaveClick();
        QCOMPARE(fixture->prompts.openDialogs.constFirst().fileName, QStringLiteral("/bikes/last used.ign"));
        QCOMPARE(fixture->prompts.saveDialogs.constFirst().fileName, QStringLiteral("/bikes/last used.ign"));
        // New empties the label only; both are saved as they are.
        fixture->prompts.answers = {UserPrompts::Answer::Yes};
        w->MenuNewClick();
        exit(*fixture);
    }
    IniFile ini;
    QVERIFY(ini.load(settingsFilePath()));
    QCOMPARE(ini.value("FORM_HLAV", "File"), QByteArray());
    QCOMPARE(ini.value("FORM_HLAV", "IniDir"), QByteArray("/bikes/last used.ign"));
}

void tst_StartUp::shortSnapshotKeepsPreset()
{
    // Twenty numbers: bytes 0 to 19, the curve speeds among them; the advances stay.
    QByteArray snapshot;
    for (int i = 0; i < 20; ++i)
        snapshot += QByteArray::number(i < 10 ? 0 : 20 + i) + ' ';
    writeFile(snapshotFilePath(), snapshot);
    auto fixture = start();
    const IgnitionParameters &set = fixture->form->Parameters;
    QCOMPARE(set.RPM_ADV(0), 30);
    QCOMPARE(set.RPM_ADV(9), 39);
    QCOMPARE(set.ADVANCE(9), DefaultAdvanceCurve[9]);
    QCOMPARE(fixture->form->EditRpmAdv1->text(), QStringLiteral("3,000"));
}

namespace {
const QPoint Centred(-1, -1);
}

void tst_StartUp::windowPlace_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("saved place") << QByteArray("[FORM_HLAV]\nLeft=30\nTop=0\nHeight=5\nWidth=5\n")
                                 << QPoint(30, 0);
    // The menu bar would be above the screen: the window comes down to its top.
    QTest::newRow("above the screen") << QByteArray("[FORM_HLAV]\nLeft=30\nTop=-13\n") << QPoint(30, 0);
    QTest::newRow("half off the left") << QByteArray("[FORM_HLAV]\nLeft=-300\nTop=0\n") << QPoint(0, 0);
    QTest::newRow("off every screen") << QByteArray("[FORM_HLAV]\nLeft=5000\nTop=40\n") << Centred;
    QTest::newRow("hexadecimal") << QByteArray("[FORM_HLAV]\nLeft=0x10\nTop=0X1\n") << QPoint(16, 1);
    // Edges near the int limits must not overflow on the way to the screen check.
    QTest::newRow("left at the int limit") << QByteArray("[FORM_HLAV]\nLeft=2147483647\nTop=0\n") << Centred;
    QTest::newRow("top at the int limit") << QByteArray("[FORM_HLAV]\nLeft=0\nTop=2147483647\n") << Centred;
    QTest::newRow("both at the lowest int")
        << QByteArray("[FORM_HLAV]\nLeft=-2147483648\nTop=-2147483648\n") << Centred;
}

void tst_StartUp::windowPlace()
{
    QFETCH(QByteArray, settings);
    QFETCH(QPoint, place);
    writeFile(settingsFilePath(), settings);
    QRect outer;
    {
        auto fixture = start();
        TFormHlav *w = fixture->form.get();
        if (place == Centred)
            QVERIFY(centred(*w));
        else
            QCOMPARE(w->pos(), place);
        // The client area keeps its size whatever the file says.
        QCOMPARE(w->ClientArea->size(), QSize(TFormHlav::ClientWidth, TFormHlav::ClientHeight));
        outer = w->frameGeometry();
        exit(*fixture);
    }
    // What is written is the window as it was.
    IniFile ini;
    QVERIFY(ini.load(settingsFilePath()));
    QCOMPARE(QRect(ini.readInteger("FORM_HLAV", "Left", -1), ini.readInteger("FORM_HLAV", "Top", -1),
                   ini.readInteger("FORM_HLAV", "Width", -1), ini.readInteger("FORM_HLAV", "Height", -1)),
             outer);
}

void tst_StartUp::testModeMarker_data()
{
    QTest::addColumn<QByteArray>("marker"); // null: no marker file
    QTest::addColumn<bool>("useSettingsFiles");
    QTest::addColumn<bool>("testMode");
    QTest::newRow("no marker") << QByteArray() << true << false;
    QTest::newRow("TEST_ENABLE") << QByteArray("bench\r\nTEST_ENABLE\r\n") << true << true;
    QTest::newRow("lower case") << QByteArray("test_enable") << true << false;
    QTest::newRow("part of a word") << QByteArray("TEST_ENABLED") << true << false;
    QTest::newRow("demo mode reads no marker") << QByteArray("TEST_ENABLE") << false << false;
}

void tst_StartUp::testModeMarker()
{
    QFETCH(QByteArray, marker);
    QFETCH(bool, useSettingsFiles);
    QFETCH(bool, testMode);
    if (!marker.isNull())
        writeFile(testMarkerFilePath(), marker);
    auto fixture = start({}, useSettingsFiles);
    QCOMPARE(fixture->form->TestMode, testMode);
    for (QLabel *label : fixture->form->LabelTest)
        QCOMPARE(label->isVisible(), testMode);
}

void tst_StartUp::demoModeTouchesNoFiles()
{
    const QByteArray settings("[FORM_HLAV]\nLanguage=3\nFile=/bikes/a.ign\n[BASIC]\nComPort=5\n");
    const QByteArray snapshot("0 0 0 90 ");
    writeFile(settingsFilePath(), settings);
    writeFile(snapshotFilePath(), snapshot);
    {
        auto fixture = start({}, false);
        QCOMPARE(fixture->form->Session.LanguageIndex, LanguageEnglish);
        QCOMPARE(m_ports->openAttempts(), QList<int>{1});
        QVERIFY(fixture->form->LabelFile2->text().isEmpty());
        QCOMPARE(fixture->form->EditOmez2->text(), QStringLiteral("13,700"));
        exit(*fixture);
    }
    QCOMPARE(readFile(settingsFilePath()), settings);
    QCOMPARE(readFile(snapshotFilePath()), snapshot);
}

void tst_StartUp::failedWritesAtShutdownAreTold()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    const QByteArray settings("[FORM_HLAV]\nLanguage=3\n[PORTS]\nCOM2=/dev/ttyUSB0\n");
    QByteArray snapshot;
    for (int i = 0; i < ParameterImageSize; ++i)
        snapshot += "7 ";
    writeFile(settingsFilePath(), settings);
    writeFile(snapshotFilePath(), snapshot);
    {
        auto fixture = start();
        FileSizeLimit limit(20);
        QVERIFY(limit.active());
        exit(*fixture);
        // At once, in the interface language, with the system's reason.
        QCOMPARE(fixture->prompts.warnings.size(), 1);
        const QString told = fixture->prompts.warnings.first();
        QVERIFY2(told.startsWith(QStringLiteral("Nastavení, naposledy otevřené soubory")), qPrintable(told));
        QVERIFY2(told.contains(QStringLiteral("File too large")), qPrintable(told));
    }
    // Both files are whole, as before, and nothing is left beside them.
    QCOMPARE(readFile(settingsFilePath()), settings);
    QCOMPARE(readFile(snapshotFilePath()), snapshot);
    QCOMPARE(QDir(QFileInfo(settingsFilePath()).absolutePath()).entryList(QDir::Files).size(), 2);

    // The next start says so once more, after the window is up; the one after that does not.
    {
        auto next = start();
        QTRY_COMPARE(next->prompts.warnings.size(), 1);
        QVERIFY2(next->prompts.warnings.first().startsWith(QStringLiteral("Nastavení minulé relace")),
                 qPrintable(next->prompts.warnings.first()));
        exit(*next);
    }
    auto third = start();
    QTest::qWait(50);
    QVERIFY(third->prompts.warnings.isEmpty());
#endif
}

void tst_StartUp::oddFilesAtStartUp_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<StartUpOddity>("oddity");
    for (const char *which : {"settings", "snapshot", "marker"}) {
        const QString w = QString::fromLatin1(which);
        QTest::addRow("%s: pipe", which) << w << StartUpOddity::Pipe;
        QTest::addRow("%s: endless device", which) << w << StartUpOddity::EndlessDevice;
        QTest::addRow("%s: folder", which) << w << StartUpOddity::Folder;
        QTest::addRow("%s: 100 MB of short lines", which) << w << StartUpOddity::HugeFile;
        QTest::addRow("%s: link to a pipe", which) << w << StartUpOddity::LinkToPipe;
    }
}

void tst_StartUp::oddFilesAtStartUp()
{
#ifndef Q_OS_UNIX
    QSKIP("needs pipes and device nodes");
#else
    QFETCH(QString, which);
    QFETCH(StartUpOddity, oddity);
    const QString path = startUpFile(which);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    switch (oddity) {
    case StartUpOddity::Pipe:
        QVERIFY(makeOdd(path, OddKind::Fifo));
        break;
    case StartUpOddity::EndlessDevice:
        if (!makeOdd(path, OddKind::EndlessDevice))
            QSKIP("making a device node needs root");
        break;
    case StartUpOddity::Folder:
        QVERIFY(makeOdd(path, OddKind::Folder));
        break;
    case StartUpOddity::HugeFile:
        QVERIFY(QFile::link(m_bigFile, path));
        break;
    case StartUpOddity::LinkToPipe:
        QVERIFY(makeOdd(m_config->filePath("pipe"), OddKind::Fifo));
        QVERIFY(QFile::link(m_config->filePath("pipe"), path));
        break;
    }
    const char kindBefore = kindAt(path);
    const QDateTime bigWritten = QFileInfo(m_bigFile).lastModified();
    {
        QElapsedTimer clock;
        clock.start();
        auto fixture = start();
        // Far above a normal start; a read that waits for a writer or for the end of an
        // endless file never gets here at all.
        QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
        TFormHlav *w = fixture->form.get();
        QCOMPARE(w->Session.LanguageIndex, LanguageEnglish);
        QCOMPARE(w->EditOmez2->text(), QStringLiteral("13,700"));
        QVERIFY(!w->TestMode);
        exit(*fixture);
    }
    // Nothing of it was replaced; the big file was not rewritten from its first part.
    QCOMPARE(kindAt(path), kindBefore);
    QCOMPARE(QFileInfo(m_bigFile).size(), qint64(100) * 1024 * 1024);
    QCOMPARE(QFileInfo(m_bigFile).lastModified(), bigWritten);
#endif
}

void tst_StartUp::shutdownLeavesOtherThingsAlone_data()
{
#ifdef Q_OS_UNIX
    QTest::addColumn<QString>("which");
    QTest::addColumn<OddKind>("kind");
    // A link to /dev/null is a common way to switch a file off.
    for (const char *which : {"settings", "snapshot"}) {
        const QString w = QString::fromLatin1(which);
        QTest::addRow("%s: link to a pipe", which) << w << OddKind::Fifo;
        QTest::addRow("%s: link to a device", which) << w << OddKind::NullDevice;
    }
#endif
}

void tst_StartUp::shutdownLeavesOtherThingsAlone()
{
#ifndef Q_OS_UNIX
    QSKIP("needs pipes and device nodes");
#else
    QFETCH(QString, which);
    QFETCH(OddKind, kind);
    const QString node = m_config->filePath("node");
    if (!makeOdd(node, kind))
        QSKIP("making a device node needs root");
    const QString path = startUpFile(which);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(QFile::link(node, path));
    {
        auto fixture = start();
        fixture->typeAndLeave("EditOmez2", QStringLiteral("9000"));
        exit(*fixture);
        // A file switched off is no failure to tell.
        QVERIFY(fixture->prompts.warnings.isEmpty());
    }
    QCOMPARE(kindAt(node), kindOf(kind));
    QCOMPARE(kindAt(path), 'l');
    QCOMPARE(QFileInfo(path).symLinkTarget(), node);
#endif
}

void tst_StartUp::leftoversOfAKilledShutdownGo()
{
    const QString leftovers[] = {settingsFilePath() + QStringLiteral(".korvo-new.aB3xY9"),
                                 snapshotFilePath() + QStringLiteral(".korvo-new.Qw12er")};
    const QString theUsers = settingsFilePath() + QStringLiteral(".backup");
    for (const QString &path : leftovers) {
        writeFile(path, "half");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    }
    writeFile(theUsers, "mine");
    auto fixture = start();
    for (const QString &path : leftovers)
        QVERIFY2(!QFileInfo::exists(path), qPrintable(path));
    QCOMPARE(readFile(theUsers), QByteArray("mine"));
}

void tst_StartUp::signalsShutDownAsExit_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<bool>("boxOpen"); // the New confirmation waits for an answer
    QTest::newRow("session ends") << int(SIGTERM) << false;
    QTest::newRow("terminal closed") << int(SIGHUP) << false;
    QTest::newRow("Ctrl+C") << int(SIGINT) << false;
    // Closing the box must count as Cancel: Yes would reset the edit to the preset.
    QTest::newRow("session ends while a box waits") << int(SIGTERM) << true;
}

void tst_StartUp::signalsShutDownAsExit()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX signals");
#else
    QFETCH(int, signalNumber);
    QFETCH(bool, boxOpen);
    // The window runs in a child process, which gets the signal; see runSignalChild().
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QByteArray said = startSignalChild(child, boxOpen ? QStringLiteral("box") : QStringLiteral("plain"));
    QVERIFY2(said.contains("ready"), said.constData());
    QVERIFY(::kill(pid_t(child.processId()), signalNumber) == 0);
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    ParameterImage image{};
    QVERIFY(loadParameterSnapshot(snapshotFilePath(), image));
    IgnitionParameters saved;
    saved.image = image;
    QCOMPARE(saved.LIMITER(), 90);
    IniFile ini;
    QVERIFY(ini.load(settingsFilePath()));
    QCOMPARE(ini.readInteger("FORM_HLAV", "Language", -1), 3);
#endif
}

// Nobody may be there to answer a box when the session ends: a save that fails then is
// told on standard error, and the next start tells it once more.
void tst_StartUp::unsavedOnSignalGoesToStandardError()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX signals and a file size limit");
#else
    QProcess child;
    const QByteArray said = startSignalChild(child, QStringLiteral("unsaved"));
    QVERIFY2(said.contains("ready"), said.constData());
    QVERIFY(::kill(pid_t(child.processId()), SIGTERM) == 0);
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitCode(), 0);
    const QString errors = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(errors.contains(QStringLiteral("korvo-tci: Nastavení, naposledy otevřené soubory a parametry této relace "
                                            "nebylo možné uložit")),
             qPrintable(errors));
    QVERIFY(!QFileInfo::exists(settingsFilePath()));

    // Nothing was saved, the language neither.
    auto next = start();
    QTRY_COMPARE(next->prompts.warnings.size(), 1);
    QVERIFY(next->prompts.warnings.first().startsWith(QStringLiteral("The settings of the last session could not")));
#endif
}

// SIGTERM while a write has sent its block: the window closes only once the unit has
// answered the verify, so the unit is never left holding a set nobody checked.
void tst_StartUp::signalWaitsForTheVerify()
{
#ifndef Q_OS_UNIX
    QSKIP("needs POSIX signals");
#else
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QByteArray said = startSignalChild(child, QStringLiteral("write"));
    QVERIFY2(said.contains("ready"), said.constData());
    QVERIFY(::kill(pid_t(child.processId()), SIGTERM) == 0);
    QVERIFY(child.waitForFinished(30000));
    said += child.readAllStandardOutput();
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(said.contains("verified\n"), said.constData());
#endif
}

// The child of signalsShutDownAsExit: the window on the test's files, an edit typed and
// not yet taken, Czech chosen, and (for "box") the New confirmation open; "ready" on
// standard output once it waits for the signal.
// The child of signalWaitsForTheVerify: F9 on a unit that answers slowly; "ready" once
// the block has gone out, "verified" at the end when the verify answered, else "unchecked".
static int runWriteChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    useEnglishNumbers();
    SimulatedUnitPortProvider ports;
    ports.unit().faults.answerDelayMs = 300;
    FormSetup setup;
    setup.ports = &ports;
    TFormHlav form(setup);
    shutDownOnSignals(&form, [&form] { return form.WriteInFlight(); });
    bool verified = false;
    QObject::connect(&form.link().unit(), &UnitLink::transferFinished, &form, [&verified](const TransferResult &r) {
        verified = r.run == LinkRun::Program && r.outcome == TransferOutcome::Accepted;
    });
    form.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &form, [&] {
        if (!form.WriteInFlight())
            return;
        poll.stop();
        std::printf("ready\n");
        std::fflush(stdout);
    });
    // Once the unit answers the monitor, F9.
    QTimer::singleShot(1500, &form, [&] {
        form.MenuProgramClick();
        poll.start(5);
    });
    const int code = QApplication::exec();
    std::printf(verified ? "verified\n" : "unchecked\n");
    std::fflush(stdout);
    return code;
}

static int runSignalChild(int argc, char *argv[])
{
    if (qgetenv("KORVO_SIGNAL_CHILD") == "write")
        return runWriteChild(argc, argv);
    QApplication app(argc, argv);
    useEnglishNumbers();
    FakeUnitPortProvider ports;
    FormSetup setup;
    setup.ports = &ports;
    setup.runTimer = false;
    TFormHlav form(setup);
    shutDownOnSignals(&form);
    form.show();
    form.MenuCzech->trigger();
    form.EditOmez2->setText(QStringLiteral("9000"));
    const auto ready = [] {
        std::printf("ready\n");
        std::fflush(stdout);
    };
#ifdef Q_OS_UNIX
    // For "unsaved": no file of more than a few bytes can be written from here on.
    std::unique_ptr<FileSizeLimit> limit;
    if (qgetenv("KORVO_SIGNAL_CHILD") == "unsaved")
        limit = std::make_unique<FileSizeLimit>(20);
#endif
    if (qgetenv("KORVO_SIGNAL_CHILD") == "box") {
        QTimer::singleShot(0, &form, [&form, ready] {
            // Runs inside the box's own event loop, so the box is open by then.
            QTimer::singleShot(0, &form, ready);
            form.MenuNewClick();
        });
    } else {
        QTimer::singleShot(0, &form, ready);
    }
    return QApplication::exec();
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet("KORVO_SIGNAL_CHILD"))
        return runSignalChild(argc, argv);

    // Before anything can look up the configuration folder.
    QTemporaryDir config;
    if (!config.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QApplication app(argc, argv);
    tst_StartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_StartUp.moc"
