#include "IniFile.h"
#include "RecentFiles.h"
#include "Settings.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

// The list of recent parameter files and its section of the settings file.
class tst_RecentFiles : public QObject
{
    Q_OBJECT

private slots:
    void add_data();
    void add();
    void read_data();
    void read();
    void writeLeavesNoOldEntries();
    void saveKeepsTheRestOfTheFile();
    void saveRefusesAnUnreadableFile();
    void recordingsHaveASectionOfTheirOwn();
};

namespace {

QStringList numbered(int count, const char *pattern = "/p/%1.ign")
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QString::fromLatin1(pattern).arg(i));
    return names;
}

} // namespace

void tst_RecentFiles::add_data()
{
    QTest::addColumn<QStringList>("added"); // in order
    QTest::addColumn<QStringList>("list");  // newest first

    QTest::newRow("one") << QStringList{"/a.ign"} << QStringList{"/a.ign"};
    QTest::newRow("newest first") << QStringList{"/a.ign", "/b.ign"} << QStringList{"/b.ign", "/a.ign"};
    QTest::newRow("again moves to the front")
        << QStringList{"/a.ign", "/b.ign", "/c.ign", "/a.ign"} << QStringList{"/a.ign", "/c.ign", "/b.ign"};
    QTest::newRow("same file by another spelling")
        << QStringList{"/d/a.ign", "/b.ign", "/d/./x/../a.ign"} << QStringList{"/d/a.ign", "/b.ign"};
#ifndef Q_OS_WIN
    QTest::newRow("letter case tells files apart")
        << QStringList{"/a.ign", "/A.ign"} << QStringList{"/A.ign", "/a.ign"};
#endif
    QTest::newRow("empty is ignored") << QStringList{"/a.ign", ""} << QStringList{"/a.ign"};
    // Saved, these would come back naming another file.
    QTest::newRow("a line break is not listed")
        << QStringList{"/a.ign", "/new\nline.ign", "/cr\r\nlf.ign"} << QStringList{"/a.ign"};
    QTest::newRow("blanks at the ends are not listed")
        << QStringList{" /b.ign", "/c.ign ", "/d.ign\t"} << QStringList{};
    QTest::newRow("blanks inside are kept")
        << QStringList{"/my files/a  b.ign"} << QStringList{"/my files/a  b.ign"};
    const QStringList ten = numbered(10);
    QStringList lastEight;
    for (int i = 9; i >= 2; --i)
        lastEight.append(ten.at(i));
    QTest::newRow("the oldest drops off past eight") << ten << lastEight;
}

void tst_RecentFiles::add()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, list);
    RecentFiles recent;
    for (const QString &path : added)
        recent.add(path);
    QCOMPARE(recent.entries(), list);
}

void tst_RecentFiles::read_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("list");

    QTest::newRow("no section") << QByteArray("[BASIC]\nLanguage=3\n") << QStringList();
    QTest::newRow("in key order, gaps passed over")
        << QByteArray("[RECENT_FILES]\nFile2=/b.ign\nFile1=/a.ign\nFile3=\nFile5=/e f.ign\n")
        << QStringList{"/a.ign", "/b.ign", "/e f.ign"};
    QTest::newRow("hand-edited: case of names, repeats")
        << QByteArray("[recent_files]\r\nfile1=/a.ign\r\nFILE2=/a.ign\r\nFile3=/c.ign\r\n")
        << QStringList{"/a.ign", "/c.ign"};
    QTest::newRow("keys past eight are not read")
        << QByteArray("[RECENT_FILES]\nFile8=/h.ign\nFile9=/i.ign\n") << QStringList{"/h.ign"};
}

void tst_RecentFiles::read()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, list);
    RecentFiles recent;
    recent.add(QStringLiteral("/before.ign"));
    recent.read(IniFile(ini));
    QCOMPARE(recent.entries(), list);
}

void tst_RecentFiles::writeLeavesNoOldEntries()
{
    IniFile ini(QByteArray("[RECENT_FILES]\nFile1=/old1.ign\nFile2=/old2.ign\nFile3=/old3.ign\n"));
    RecentFiles recent;
    recent.add(QStringLiteral("/new.ign"));
    recent.write(ini);
    RecentFiles back;
    back.read(ini);
    QCOMPARE(back.entries(), QStringList{"/new.ign"});

    // A full list round-trips, names with blanks and non-ASCII letters included.
    RecentFiles full;
    for (const QString &path : numbered(8, "/dílna/set %1.ign"))
        full.add(path);
    full.write(ini);
    back.read(ini);
    QCOMPARE(back.entries(), full.entries());

    // Cleared, the list empties its section; never used, it adds none.
    full.clear();
    full.write(ini);
    back.read(ini);
    QVERIFY(back.entries().isEmpty());
    const QByteArray without("[FORM_HLAV]\r\nLeft=10\r\n");
    IniFile untouched(without);
    full.write(untouched);
    QCOMPARE(untouched.text(), without);
}

void tst_RecentFiles::saveKeepsTheRestOfTheFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("sub/Korvo_TCI.ini"));
    Settings settings;
    settings.Recent.add(QStringLiteral("/a.ign"));
    // A missing file is created with its folder.
    QVERIFY(saveSettingsFile(path, settings));

    const QByteArray other("; kept\r\n[MY_TOOL]\r\nx=1\r\n");
    writeFile(path, other + "[RECENT_FILES]\r\nFile1=/old.ign\r\n");
    QVERIFY(saveSettingsFile(path, settings));
    const QByteArray written = readFile(path);
    QVERIFY2(written.startsWith(other), written.constData());
    Settings back;
    QVERIFY(loadSettingsFile(path, back));
    QCOMPARE(back.Recent.entries(), QStringList{"/a.ign"});
}

void tst_RecentFiles::saveRefusesAnUnreadableFile()
{
    // Rewriting a file that could not be read would lose its other sections.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folderInTheWay = dir.filePath(QStringLiteral("Korvo_TCI.ini"));
    QVERIFY(QDir().mkpath(folderInTheWay));
    Settings settings;
    settings.Recent.add(QStringLiteral("/a.ign"));
    QVERIFY(!saveSettingsFile(folderInTheWay, settings));
    QVERIFY(QFileInfo(folderInTheWay).isDir());
}

void tst_RecentFiles::recordingsHaveASectionOfTheirOwn()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Korvo_TCI.ini"));
    Settings settings;
    settings.Recent.add(QStringLiteral("/a.ign"));
    settings.RecentRecordings.add(QStringLiteral("/ride.csv"));
    settings.RecentRecordings.add(QStringLiteral("/day.csv"));
    QVERIFY(saveSettingsFile(path, settings));
    const QByteArray written = readFile(path);
    QVERIFY2(written.contains("[RECENT_RECORDINGS]"), written.constData());

    Settings back;
    QVERIFY(loadSettingsFile(path, back));
    QCOMPARE(back.Recent.entries(), QStringList{"/a.ign"});
    QCOMPARE(back.RecentRecordings.entries(), (QStringList{"/day.csv", "/ride.csv"}));
    // A copy writes where its original does.
    RecentFiles copy = back.RecentRecordings;
    IniFile ini;
    copy.write(ini);
    QCOMPARE(ini.readString(RecentFiles::RecordingsSection, "File1", QString()), QStringLiteral("/day.csv"));
    QVERIFY(!ini.value(RecentFiles::Section, "File1").has_value());
}

QTEST_GUILESS_MAIN(tst_RecentFiles)
#include "tst_RecentFiles.moc"
