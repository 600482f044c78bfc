#include "TestFiles.h"
#include "UnitHistory.h"

#include <QTemporaryDir>
#include <QTest>

// The history as the user reads it, from folders the store wrote, with what else may
// lie there: the entries of each unit, newest first, their changed fields, and each file
// that is not an entry named and left as it was.
class tst_UnitHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void read_data();
    void read();
    void backupsBeforeTheRecordComeFirst();

private:
    static UnitBlock information(quint8 programTime = 7)
    {
        UnitBlock b{};
        b[0] = 'A', b[1] = 'B', b[2] = 'C', b[3] = 7;
        b[4] = 5, b[5] = 32, b[6] = 3, b[7] = 9, b[8] = programTime, b[10] = 61;
        return b;
    }
    static UnitBlock parameters(quint8 limiter, quint8 reserved = 0)
    {
        UnitBlock b{3,  9,  5,  limiter, 1,   1, 0,  1,  0,  0,  15, 20, 30, 40, 50,
                    60, 70, 80, 90,      100, 5, 15, 20, 25, 33, 33, 33, 33, 33, 33};
        b[40] = reserved;
        return b;
    }
    QDateTime at(int seconds) const { return m_start.addSecs(seconds); }
    // One line per unit: its tag, then each entry newest first as kind[changed fields].
    static QStringList describe(const UnitHistory &history);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    QDateTime m_start{QDate(2026, 12, 10), QTime(5, 30, 12, 123)};
};

using Files = QMap<QString, QByteArray>;

void tst_UnitHistory::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_folder = m_dir->filePath("backups");
}

QStringList tst_UnitHistory::describe(const UnitHistory &history)
{
    QStringList lines;
    for (const HistoryUnit &unit : history.units) {
        QString line = unit.tag;
        for (const HistoryEntry &entry : unit.entries) {
            QStringList fields;
            for (const DifferenceRow &row : entry.changes)
                fields << row.field + u' ' + row.unitValue + u'>' + row.editorValue;
            line += QStringLiteral(" %1[%2]").arg(entry.kind == HistoryEntry::Backup ? "B" : "W",
                                                  fields.join(u','));
        }
        lines << line;
    }
    return lines;
}

void tst_UnitHistory::read_data()
{
    QTest::addColumn<bool>("secondUnit");
    QTest::addColumn<Files>("extra");
    QTest::addColumn<bool>("linkOutside");
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<QStringList>("skipped");

    const QString first = "ABC07_2003-03-05_0907 W[Limiter 12000>11000] W[Limiter 13700>12000] B[]";
    const QString ours = "20261210-053012-123_ABC07_2003-03-05_0907";
    QTest::newRow("one unit") << false << Files{} << false << QStringList{first} << QStringList{};
    QTest::newRow("two units") << true << Files{} << false << QStringList{"ABC07_2003-03-05_0908 B[]", first}
                               << QStringList{};
    QTest::newRow("damaged file") << false
                                  << Files{{"20261210-060000-000_ABC07_2003-03-05_0907.ign",
                                            "QUELLMAR_KEY 61\nLIMITER x"}}
                                  << false << QStringList{first}
                                  << QStringList{"20261210-060000-000_ABC07_2003-03-05_0907.ign:Damaged"};
    QTest::newRow("damaged block file: the entry stays, its reserved bytes unknown")
        << false << Files{{ours + ".block", "1 2 3"}} << false << QStringList{first}
        << QStringList{ours + ".block:Damaged"};
    QTest::newRow("foreign files")
        << false << Files{{"notes.txt", "mine"}, {"race.ign", "QUELLMAR_KEY 61"}, {"record.txt.bak", "1 B x"}}
        << false << QStringList{first}
        << QStringList{"notes.txt:NotOurs", "race.ign:NotOurs", "record.txt.bak:NotOurs"};
    QTest::newRow("link pointing outside")
        << false << Files{} << true << QStringList{first}
        << QStringList{"20000101-000000-000_ABC07_2003-03-05_0907.ign:NotRegularFile"};
}

void tst_UnitHistory::read()
{
    QFETCH(bool, secondUnit);
    QFETCH(Files, extra);
    QFETCH(bool, linkOutside);
    QFETCH(QStringList, units);
    QFETCH(QStringList, skipped);

    // The set the unit came with, then two writes; the read before the second write
    // finds the first written set, which is no backup.
    {
        BackupStore store(m_folder);
        QCOMPARE(store.keepBeforeWrite(information(), parameters(137, 77), at(0)).outcome,
                 BackupResult::Stored);
        store.noteWritten(information(), parameters(120, 77), at(1));
        QCOMPARE(store.keepBeforeWrite(information(), parameters(120, 77), at(2)).outcome,
                 BackupResult::Unchanged);
        store.noteWritten(information(), parameters(110, 77), at(3));
        if (secondUnit)
            QCOMPARE(store.keepBeforeWrite(information(8), parameters(100), at(4)).outcome,
                     BackupResult::Stored);
    }
    const QDir dir(m_folder);
    for (auto it = extra.cbegin(); it != extra.cend(); ++it)
        writeFile(dir.filePath(it.key()), it.value());
    const QString outside = m_dir->filePath("outside.ign");
    if (linkOutside) {
        writeFile(outside, readFile(BackupStore(m_folder).backups().first()));
        QVERIFY(QFile::link(outside, dir.filePath("20000101-000000-000_ABC07_2003-03-05_0907.ign")));
    }
    const QStringList before =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);

    const UnitHistory history = UnitHistory::Read(m_folder, LanguageEnglish);
    QCOMPARE(describe(history), units);
    QStringList named;
    for (const SkippedFile &file : history.skipped)
        named << file.name + u':' + QMetaEnum::fromType<SkippedFile::Reason>().valueToKey(file.reason);
    QCOMPARE(named, skipped);

    // The oldest entry is the whole block the unit came with; written entries are whole.
    const HistoryUnit &unit = history.units.last();
    const HistoryEntry &cameWith = unit.entries.last();
    QCOMPARE(cameWith.block[3], quint8(137));
    const bool blockDamaged =
        extra.contains(QStringLiteral("20261210-053012-123_ABC07_2003-03-05_0907.block"));
    QCOMPARE(cameWith.block[40], quint8(blockDamaged ? 0 : 77));
    QCOMPARE(cameWith.reservedKnown, !blockDamaged);
    QVERIFY(unit.entries.first().reservedKnown);
    QCOMPARE(history.find(cameWith.id), &cameWith);
    QCOMPARE(history.find(QStringLiteral("no such id")), nullptr);

    // Reading leaves the folder as it was.
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot), before);
    if (linkOutside)
        QVERIFY(QFile::exists(outside));
}

// Backups of an older version of the store, which kept no record, are the oldest there are.
void tst_UnitHistory::backupsBeforeTheRecordComeFirst()
{
    {
        BackupStore store(m_folder);
        store.keepBeforeWrite(information(), parameters(137), at(0));
    }
    const QDir dir(m_folder);
    const QString old = BackupStore(m_folder).backups().first();
    QVERIFY(QFile::remove(dir.filePath("record.txt")));
    BackupStore store(m_folder);
    // A clock that went back names the new backup before the old one.
    store.keepBeforeWrite(information(), parameters(120), at(-3600));

    const UnitHistory history = UnitHistory::Read(m_folder, LanguageEnglish);
    QCOMPARE(history.units.size(), 1);
    const QList<HistoryEntry> &entries = history.units.first().entries;
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.first().block[3], quint8(120));
    QCOMPARE(entries.first().id, QStringLiteral("1"));
    QCOMPARE(entries.last().path, old);
    QCOMPARE(entries.last().id, QFileInfo(old).completeBaseName());
}

QTEST_GUILESS_MAIN(tst_UnitHistory)
#include "tst_UnitHistory.moc"
