#include "BackupStore.h"
#include "FileSizeLimit.h"
#include "ParameterFile.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

class tst_BackupStore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void storedBackupReadsBackWhole();
    void storedOnlyWhenChanged_data();
    void storedOnlyWhenChanged();
    void boundPerUnitKeepsFirstAndNewest_data();
    void boundPerUnitKeepsFirstAndNewest();
    void setsSentThisRunAreNotBackups();
    void failureIsReported_data();
    void failureIsReported();
    void unitTag_data();
    void unitTag();
    void defaultFolder();

private:
    static UnitBlock information()
    {
        UnitBlock b{};
        b[0] = 'A', b[1] = 'B', b[2] = 'C', b[3] = 7;
        b[4] = 5, b[5] = 32, b[6] = 3, b[7] = 9, b[8] = 7, b[10] = 61;
        return b;
    }
    static UnitBlock parameters(quint8 limiter = 137)
    {
        return {3, 9, 5, limiter, 1, 1, 0, 1, 0, 0, 15, 20, 30, 40, 50, 60, 70, 80, 90, 100,
                5, 15, 20, 25, 33, 33, 33, 33, 33, 33};
    }
    QDateTime at(int seconds) const { return m_start.addSecs(seconds); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    QDateTime m_start{QDate(2026, 12, 10), QTime(5, 30, 12, 123)};
};

void tst_BackupStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->filePath("data/korvo-tci/backups");
}

// Reserved bytes and a switch byte of 2 have no place in the parameter file, yet the
// backup must give back exactly what the unit held.
void tst_BackupStore::storedBackupReadsBackWhole()
{
    UnitBlock block = parameters();
    block[4] = 2;
    block[9] = 0xA5;
    block[31] = 17;
    block[49] = 255;

    BackupStore store(m_folder);
    const BackupResult result = store.keepBeforeWrite(information(), block, m_start);
    QCOMPARE(result.outcome, BackupResult::Stored);
    QCOMPARE(QFileInfo(result.path).fileName(), QStringLiteral("20261210-053012-123_ABC07_2003-03-05_0907.ign"));

    // An ordinary parameter file, as File > Open reads it.
    const QByteArray text = readFile(result.path);
    QCOMPARE(text.size(), ParameterFileSize);
    IgnitionParameters opened;
    QVERIFY(ReadParameterFile(QByteArrayView(text), opened));
    QCOMPARE(opened.LIMITER(), quint8(137));

    UnitBlock back{};
    QVERIFY(BackupStore::ReadBackup(result.path, back));
    QCOMPARE(back, block);
    QCOMPARE(store.backups(), QStringList{result.path});

    // Edited by hand, the file's fields count; the reserved bytes still come back.
    QByteArray edited = text;
    edited.replace("LIMITER       137", "LIMITER       120");
    writeFile(result.path, edited);
    QVERIFY(BackupStore::ReadBackup(result.path, back));
    QCOMPARE(back[3], quint8(120));
    QCOMPARE(back[31], quint8(17));
}

void tst_BackupStore::storedOnlyWhenChanged_data()
{
    QTest::addColumn<int>("secondLimiter");
    QTest::addColumn<bool>("noteFirstAsWritten");
    QTest::addColumn<int>("writtenLimiter");
    QTest::addColumn<bool>("otherUnit");
    QTest::addColumn<int>("expectedFiles");

    QTest::newRow("same set again") << 137 << false << 0 << false << 1;
    QTest::newRow("another set") << 120 << false << 0 << false << 2;
    QTest::newRow("the set we wrote last") << 120 << true << 120 << false << 1;
    QTest::newRow("another set than we wrote") << 110 << true << 120 << false << 2;
    QTest::newRow("same set, other unit") << 137 << false << 0 << true << 2;
}

void tst_BackupStore::storedOnlyWhenChanged()
{
    QFETCH(int, secondLimiter);
    QFETCH(bool, noteFirstAsWritten);
    QFETCH(int, writtenLimiter);
    QFETCH(bool, otherUnit);
    QFETCH(int, expectedFiles);

    BackupStore store(m_folder);
    QCOMPARE(store.keepBeforeWrite(information(), parameters(), at(0)).outcome, BackupResult::Stored);
    if (noteFirstAsWritten)
        store.noteWritten(information(), parameters(quint8(writtenLimiter)));

    UnitBlock unit = information();
    if (otherUnit)
        unit[8] = 8; // another program time
    const BackupResult second = store.keepBeforeWrite(unit, parameters(quint8(secondLimiter)), at(60));
    QCOMPARE(second.outcome, expectedFiles == 2 ? BackupResult::Stored : BackupResult::Unchanged);
    QCOMPARE(store.backups().size(), expectedFiles);
    // A store of a later run knows only the files.
    BackupStore later(m_folder);
    QCOMPARE(later.keepBeforeWrite(unit, parameters(quint8(secondLimiter)), at(120)).outcome,
             BackupResult::Unchanged);
}

void tst_BackupStore::boundPerUnitKeepsFirstAndNewest_data()
{
    QTest::addColumn<bool>("clockWentBack");
    QTest::newRow("clock forward") << false;
    QTest::newRow("clock went back") << true;
}

// One unit's many writes never cost another unit its backup, nor a unit the set it came
// with; and the backup just made survives even when its name sorts before all others.
void tst_BackupStore::boundPerUnitKeepsFirstAndNewest()
{
    QFETCH(bool, clockWentBack);
    QVERIFY(QDir().mkpath(m_folder));
    const QDir dir(m_folder);
    writeFile(dir.filePath("notes.txt"), "mine");
    writeFile(dir.filePath("race.ign"), "QUELLMAR_KEY 61");
    const QString outside = m_dir->filePath("outside.ign");
    writeFile(outside, "not ours");
    // Named like a backup, older than all, but a link: neither counted nor deleted.
    QVERIFY(QFile::link(outside, dir.filePath("20000101-000000-000_ABC07_2003-03-05_0907.ign")));

    BackupStore store(m_folder);
    UnitBlock otherUnit = information();
    otherUnit[8] = 8;
    const QString other = store.keepBeforeWrite(otherUnit, parameters(), at(-10)).path;
    const int total = BackupStore::KeepPerUnit + 5;
    QString first;
    QString last;
    for (int i = 0; i < total; ++i) {
        const bool back = clockWentBack && i + 1 == total;
        const BackupResult r = store.keepBeforeWrite(information(), parameters(quint8(10 + i)), back ? at(-3600) : at(i));
        QCOMPARE(r.outcome, BackupResult::Stored);
        if (i == 0)
            first = r.path;
        last = r.path;
    }
    const QStringList kept = store.backups();
    QCOMPARE(kept.size(), BackupStore::KeepPerUnit + 1);
    QVERIFY(QFile::exists(other));
    QVERIFY(QFile::exists(first));
    QVERIFY(QFile::exists(last));
    QCOMPARE(kept.last(), last);
    UnitBlock block{};
    QVERIFY(BackupStore::ReadBackup(kept[1], block));
    QCOMPARE(block[3], quint8(10));
    // The second oldest went first.
    QVERIFY(BackupStore::ReadBackup(kept[2], block));
    QCOMPARE(block[3], quint8(10 + 6));

    QCOMPARE(readFile(dir.filePath("notes.txt")), QByteArray("mine"));
    QVERIFY(QFile::exists(dir.filePath("race.ign")));
    QVERIFY(QFileInfo(dir.filePath("20000101-000000-000_ABC07_2003-03-05_0907.ign")).isSymLink());
    QCOMPARE(readFile(outside), QByteArray("not ours"));
    QCOMPARE(dir.entryList({"*.block"}, QDir::Files).size(), BackupStore::KeepPerUnit + 1);
}

// What this run sent to a unit is never its backup, even once later sets went out (quick
// writes one over another), nor when the echo never came; another run knows only the last.
void tst_BackupStore::setsSentThisRunAreNotBackups()
{
    BackupStore store(m_folder);
    QCOMPARE(store.keepBeforeWrite(information(), parameters(1), at(0)).outcome, BackupResult::Stored);
    store.noteSending(information(), parameters(2));
    store.noteWritten(information(), parameters(3), at(1));
    store.noteWritten(information(), parameters(4), at(2));
    for (const int limiter : {2, 3, 4})
        QCOMPARE(store.keepBeforeWrite(information(), parameters(quint8(limiter)), at(10 + limiter)).outcome,
                 BackupResult::Unchanged);
    QCOMPARE(store.backups().size(), 1);

    BackupStore later(m_folder);
    QCOMPARE(later.keepBeforeWrite(information(), parameters(4), at(20)).outcome, BackupResult::Unchanged);
    QCOMPARE(later.keepBeforeWrite(information(), parameters(3), at(21)).outcome, BackupResult::Stored);

    // The record holds the backups and the writes in order.
    const QList<StoreRecordLine> record = BackupStore::ReadRecord(m_folder);
    QCOMPARE(record.size(), 4);
    QCOMPARE(record[0].kind, StoreRecordLine::Backup);
    QCOMPARE(record[1].kind, StoreRecordLine::Written);
    QCOMPARE(record[1].block, parameters(3));
    QCOMPARE(record[2].block, parameters(4));
    QCOMPARE(record[3].kind, StoreRecordLine::Backup);
    QVERIFY(record[3].number > record[2].number);
}

void tst_BackupStore::failureIsReported_data()
{
    QTest::addColumn<bool>("folderIsAFile");
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("folder cannot be made") << true << false;
    QTest::newRow("disk full") << false << true;
}

void tst_BackupStore::failureIsReported()
{
    QFETCH(bool, folderIsAFile);
    QFETCH(bool, diskFull);

    if (folderIsAFile)
        writeFile(m_folder, "a file where the folder should be");
    else
        QVERIFY(QDir().mkpath(m_folder));

    BackupStore store(m_folder);
    BackupResult result;
    {
        // Enough for nothing but a few bytes: the write fails as on a full disk.
        FileSizeLimit limit(16);
        QVERIFY(!diskFull || limit.active());
        result = store.keepBeforeWrite(information(), parameters(), m_start);
    }
    QCOMPARE(result.outcome, BackupResult::Failed);
    QCOMPARE(result.folderMissing, folderIsAFile);
    QVERIFY(!result.reason.isEmpty());
    if (diskFull) {
        // Nothing half written is left behind.
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{});
    }
}

void tst_BackupStore::unitTag_data()
{
    QTest::addColumn<QByteArray>("versionText");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("tag");
    QTest::newRow("name and number") << QByteArray() << 32 << "ABC07_2003-03-05_0907";
    QTest::newRow("month code unknown") << QByteArray() << 0 << "ABC07_2003-00-05_0907";
    QTest::newRow("version text") << QByteArray("TCI v2.1 race") << 32 << "TCI-v2.1-race_2003-03-05_0907";
    QTest::newRow("no separators get through") << QByteArray("../x\\y") << 32 << "..-x-y_2003-03-05_0907";
}

void tst_BackupStore::unitTag()
{
    QFETCH(QByteArray, versionText);
    QFETCH(int, month);
    QFETCH(QString, tag);
    UnitBlock info = information();
    info[5] = quint8(month);
    std::copy(versionText.begin(), versionText.end(), info.begin() + 16);
    QCOMPARE(BackupStore::UnitTag(info), tag);
}

void tst_BackupStore::defaultFolder()
{
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/srv/data");
    QCOMPARE(DefaultBackupFolder(), QStringLiteral("/srv/data/korvo-tci/backups"));
    qputenv("XDG_DATA_HOME", "relative");
    QCOMPARE(DefaultBackupFolder(), QDir::homePath() + "/.local/share/korvo-tci/backups");
    qputenv("XDG_DATA_HOME", old);
}

QTEST_GUILESS_MAIN(tst_BackupStore)
#include "tst_BackupStore.moc"
