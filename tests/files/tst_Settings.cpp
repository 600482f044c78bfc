#include "Settings.h"
#include "TestFiles.h"

#include "IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Session values as {PortChoice, AutoScanPort, LanguageIndex}.
using Session = QList<int>;

class tst_Settings : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void missingOrUnreadableFile();
    void firstSave();
    void saveUpdatesInPlace();
    void roundTrip();
    void unreadableFileIsNotOverwritten();
    void curveWindowPlace_data();
    void curveWindowPlace();
    void overlongFileIsReadButNotRewritten();

private:
    // The values in force when start-up reads the file: centred window, PortChoice 1.
    static Settings startUp()
    {
        Settings s;
        s.Left = 100;
        s.Top = 50;
        s.Height = 480;
        s.Width = 640;
        s.session.PortChoice = 1;
        return s;
    }
    static Session session(const SessionSettings &s)
    {
        return {s.PortChoice, s.AutoScanPort, s.LanguageIndex};
    }
};

void tst_Settings::read_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QRect>("geometry"); // Left, Top, Width, Height
    QTest::addColumn<Session>("raw");
    QTest::addColumn<Session>("normalised");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("iniDir");
    QTest::addColumn<bool>("ignAll");

    const QRect centred(100, 50, 640, 480);
    QTest::newRow("empty: defaults, COM1, scan from COM1")
        << QByteArray() << centred << Session{0, 255, 0} << Session{0, 0, 0} << QString() << QString()
        << false;
    QTest::newRow("all keys")
        << QByteArray("[FORM_HLAV]\nLeft=10\nTop=20\nHeight=300\nWidth=400\nLanguage=1\nFile=a.ign\n"
                      "IniDir=/home/u/a.ign\n[BASIC]\nComPort=5\nComPortAuto=3\n[IGNITION]\n"
                      "CheckBoxIgnAll->Checked=1\n")
        << QRect(10, 20, 400, 300) << Session{4, 2, 1} << Session{4, 2, 1} << QString("a.ign")
        << QString("/home/u/a.ign") << true;
    QTest::newRow("hex, 0x alone, 0X alone, minus")
        << QByteArray("[FORM_HLAV]\nLeft=0x1F\nTop=0x\nHeight=0X\nWidth=-1\n") << QRect(31, 50, -1, 480)
        << Session{0, 255, 0} << Session{0, 0, 0} << QString() << QString() << false;
    QTest::newRow("not integers keep the defaults")
        << QByteArray("[FORM_HLAV]\nLeft=12abc\nTop=\nLanguage=three\n[BASIC]\nComPort=COM4\n"
                      "[IGNITION]\nCheckBoxIgnAll->Checked=yes\n")
        << centred << Session{0, 255, 0} << Session{0, 0, 0} << QString() << QString() << false;
    QTest::newRow("Language=259 is Czech")
        << QByteArray("[FORM_HLAV]\nLanguage=259\n") << centred << Session{0, 255, 3} << Session{0, 0, 3}
        << QString() << QString() << false;
    QTest::newRow("Language=7 becomes English")
        << QByteArray("[FORM_HLAV]\nLanguage=7\n") << centred << Session{0, 255, 7} << Session{0, 0, 0}
        << QString() << QString() << false;
    QTest::newRow("ComPort=21 is automatic, scan resumes")
        << QByteArray("[BASIC]\nComPort=21\nComPortAuto=6\n") << centred << Session{20, 5, 0}
        << Session{20, 5, 0} << QString() << QString() << false;
    QTest::newRow("ComPort=0 gives COM1")
        << QByteArray("[BASIC]\nComPort=0\n") << centred << Session{255, 255, 0} << Session{0, 0, 0}
        << QString() << QString() << false;
    QTest::newRow("ComPort=30 gives COM1, ComPortAuto=21 scans from COM1")
        << QByteArray("[BASIC]\nComPort=30\nComPortAuto=21\n") << centred << Session{29, 20, 0}
        << Session{0, 0, 0} << QString() << QString() << false;
    QTest::newRow("ComPort=-1 and 0x103")
        << QByteArray("[BASIC]\nComPort=-1\nComPortAuto=0x103\n") << centred << Session{254, 2, 0}
        << Session{0, 2, 0} << QString() << QString() << false;
    QTest::newRow("letter case, blanks, CR LF")
        << QByteArray("[form_hlav]\r\nLEFT = 7\r\nlanguage=3\r\nfile =  old name.ign  \r\n[Basic]\r\n"
                      "comport=21\r\n[ignition]\r\ncheckboxignall->checked=2\r\n")
        << QRect(7, 50, 640, 480) << Session{20, 255, 3} << Session{20, 0, 3} << QString("old name.ign")
        << QString() << true;
    QTest::newRow("garbage lines and keys in the wrong section")
        << QByteArray("garbage\n[\n=5\n[BASIC]\nLanguage=3\nLeft=1\n[FORM_HLAV\nTop=2\n]\n"
                      "[FORM_HLAV] trailing\nWidth=800\n\x01\xfe\xff\n")
        << QRect(100, 50, 800, 480) << Session{0, 255, 0} << Session{0, 0, 0} << QString() << QString()
        << false;
    QTest::newRow("escaped key is another key")
        << QByteArray("[IGNITION]\nCheckBoxIgnAll-%3EChecked=1\n") << centred << Session{0, 255, 0}
        << Session{0, 0, 0} << QString() << QString() << false;
}

void tst_Settings::read()
{
    QFETCH(QByteArray, text);
    QFETCH(QRect, geometry);
    QFETCH(Session, raw);
    QFETCH(Session, normalised);
    QFETCH(QString, file);
    QFETCH(QString, iniDir);
    QFETCH(bool, ignAll);

    Settings s = startUp();
    readSettings(IniFile(text), s);
    QCOMPARE(QRect(s.Left, s.Top, s.Width, s.Height), geometry);
    QCOMPARE(session(s.session), raw);
    QCOMPARE(s.FileLabel, file);
    QCOMPARE(s.CurrentFileName, iniDir);
    QCOMPARE(s.CheckBoxIgnAllChecked, ignAll);

    IgnitionParameters set;
    NormaliseParameters(set, s.session);
    QCOMPARE(session(s.session), normalised);
}

void tst_Settings::missingOrUnreadableFile()
{
    QTemporaryDir dir;
    for (const QString &path : {dir.filePath("missing.ini"), dir.path()}) {
        Settings s = startUp();
        QVERIFY(!loadSettingsFile(path, s));
        QCOMPARE(QRect(s.Left, s.Top, s.Width, s.Height), QRect(100, 50, 640, 480));
        QCOMPARE(session(s.session), (Session{0, 255, 0}));
    }
}

void tst_Settings::firstSave()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new/folder/Korvo_TCI.ini");
    Settings s;
    s.Left = -8;
    s.Top = 0;
    s.Height = 600;
    s.Width = 1003;
    s.session = {.LanguageIndex = 3, .PortChoice = 20, .AutoScanPort = 5};
    s.FileLabel = "bike.ign";
    s.CurrentFileName = "/home/u/bike.ign";
    s.CheckBoxIgnAllChecked = true;
    QVERIFY(saveSettingsFile(path, s));
    QCOMPARE(readFile(path), QByteArray("[FORM_HLAV]\nLeft=-8\nTop=0\nHeight=600\nWidth=1003\nLanguage=3\n"
                                        "File=bike.ign\nIniDir=/home/u/bike.ign\n"
                                        "[BASIC]\nComPort=21\nComPortAuto=6\n"
                                        "[IGNITION]\nCheckBoxIgnAll->Checked=1\n"));
}

void tst_Settings::saveUpdatesInPlace()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Korvo_TCI.ini");
    writeFile(path, "; Korvo TCI\r\n"
                    "[PORTS]\r\n"
                    "COM1=/dev/ttyUSB0\r\n"
                    "\r\n"
                    "[basic]\r\n"
                    "comport=4\r\n"
                    "Extra=keep me\r\n"
                    "\r\n"
                    "[FORM_HLAV]\r\n"
                    "Width=10\r\n"
                    "Left=1\r\n"
                    "Language=0\r\n");
    Settings s;
    s.Left = 5;
    s.Top = 6;
    s.Height = 7;
    s.Width = 8;
    s.session = {.LanguageIndex = 3, .PortChoice = 0, .AutoScanPort = 2};
    s.CheckBoxIgnAllChecked = false;
    QVERIFY(saveSettingsFile(path, s));
    QCOMPARE(readFile(path), QByteArray("; Korvo TCI\r\n"
                                        "[PORTS]\r\n"
                                        "COM1=/dev/ttyUSB0\r\n"
                                        "\r\n"
                                        "[basic]\r\n"
                                        "comport=1\r\n"
                                        "Extra=keep me\r\n"
                                        "ComPortAuto=3\r\n"
                                        "\r\n"
                                        "[FORM_HLAV]\r\n"
                                        "Width=8\r\n"
                                        "Left=5\r\n"
                                        "Language=3\r\n"
                                        "Top=6\r\n"
                                        "Height=7\r\n"
                                        "File=\r\n"
                                        "IniDir=\r\n"
                                        "[IGNITION]\r\n"
                                        "CheckBoxIgnAll->Checked=0\r\n"));
    IniFile ini;
    QVERIFY(ini.load(path));
    QCOMPARE(ini.portMap(), (QMap<int, QString>{{1, "/dev/ttyUSB0"}}));
}

void tst_Settings::roundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Korvo_TCI.ini");
    Settings saved;
    saved.Left = 12;
    saved.Top = 34;
    saved.Height = 560;
    saved.Width = 780;
    saved.session = {.LanguageIndex = 3, .PortChoice = 20, .AutoScanPort = 19};
    saved.FileLabel = "";
    saved.CurrentFileName = "/data/Jawa 350.ign";
    saved.CheckBoxIgnAllChecked = true;
    QVERIFY(saveSettingsFile(path, saved));
    QVERIFY(saveSettingsFile(path, saved)); // a second save changes nothing
    Settings loaded = startUp();
    QVERIFY(loadSettingsFile(path, loaded));
    QCOMPARE(QRect(loaded.Left, loaded.Top, loaded.Width, loaded.Height), QRect(12, 34, 780, 560));
    QCOMPARE(session(loaded.session), session(saved.session));
    QCOMPARE(loaded.FileLabel, saved.FileLabel);
    QCOMPARE(loaded.CurrentFileName, saved.CurrentFileName);
    QCOMPARE(loaded.CheckBoxIgnAllChecked, true);
    QCOMPARE(readFile(path).count('\n'), 13);
}

void tst_Settings::unreadableFileIsNotOverwritten()
{
    // A folder in the file's place exists but cannot be read as a file.
    QTemporaryDir dir;
    QString error;
    QVERIFY(!saveSettingsFile(dir.path(), Settings{}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(dir.path()).isDir());
}

void tst_Settings::curveWindowPlace_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QRect>("place");
    QTest::newRow("none") << QByteArray() << QRect();
    QTest::newRow("whole") << QByteArray("[CURVE_WINDOW]\nLeft=900\nTop=-20\nWidth=520\nHeight=360\n")
                           << QRect(900, -20, 520, 360);
    QTest::newRow("no size is no place")
        << QByteArray("[CURVE_WINDOW]\nLeft=900\nTop=40\nWidth=0\nHeight=360\n") << QRect();
    QTest::newRow("letter case as Windows reads it")
        << QByteArray("[curve_window]\nleft=1\ntop=2\nwidth=3\nheight=4\n") << QRect(1, 2, 3, 4);
    // Held where QRect's arithmetic cannot overflow; the window brings it onto a screen.
    QTest::newRow("int limits")
        << QByteArray("[CURVE_WINDOW]\nLeft=2147483647\nTop=-2147483648\nWidth=2147483647\nHeight=2147483647\n")
        << QRect(1 << 20, -(1 << 20), 1 << 16, 1 << 16);
}

// The curve window's place lives in a section of its own: the ten keys read and write as
// they would without it, and a window never shown writes no section.
void tst_Settings::curveWindowPlace()
{
    QFETCH(QByteArray, section);
    QFETCH(QRect, place);
    QTemporaryDir dir;
    const QByteArray others = "[FORM_HLAV]\nLeft=10\nTop=20\nHeight=300\nWidth=400\nLanguage=3\n";
    const QString path = dir.filePath("Korvo_TCI.ini");
    writeFile(path, others + section);

    Settings read = startUp();
    QVERIFY(loadSettingsFile(path, read));
    QCOMPARE(read.CurveWindow, place);
    QCOMPARE(read.Left, 10);
    QCOMPARE(read.session.LanguageIndex, quint8(3));

    const QString without = dir.filePath("without.ini");
    writeFile(without, others);
    Settings plain = read;
    plain.CurveWindow = QRect();
    QVERIFY(saveSettingsFile(without, plain));
    QVERIFY(saveSettingsFile(path, read));
    QCOMPARE(readFile(path).toUpper().contains("[CURVE_WINDOW]"), !section.isEmpty());
    Settings again = startUp();
    QVERIFY(loadSettingsFile(path, again));
    QCOMPARE(again.CurveWindow, place);
    Settings plainAgain = startUp();
    QVERIFY(loadSettingsFile(without, plainAgain));
    QCOMPARE(QRect(again.Left, again.Top, again.Width, again.Height),
             QRect(plainAgain.Left, plainAgain.Top, plainAgain.Width, plainAgain.Height));
    QCOMPARE(session(again.session), session(plainAgain.session));
    QCOMPARE(plainAgain.CurveWindow, QRect());
}

void tst_Settings::overlongFileIsReadButNotRewritten()
{
    // Keys at the start still count; rewriting would drop everything past the cap.
    QTemporaryDir dir;
    const QString path = dir.filePath("Korvo_TCI.ini");
    const QByteArray text = "[FORM_HLAV]\nLanguage=3\n" + QByteArray("; note\n").repeated(int(IniFile::MaxFileSize / 7)) +
                            "[BASIC]\nComPort=5\n";
    writeFile(path, text);
    Settings loaded = startUp();
    QVERIFY(loadSettingsFile(path, loaded));
    QCOMPARE(loaded.session.LanguageIndex, 3);
    QCOMPARE(loaded.session.PortChoice, 0); // ComPort lies beyond the cap: its default
    QString error;
    QVERIFY(!saveSettingsFile(path, loaded, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readFile(path), text);
}

QTEST_GUILESS_MAIN(tst_Settings)
#include "tst_Settings.moc"
