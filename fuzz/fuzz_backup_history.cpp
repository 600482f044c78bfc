#include "BackupStore.h"
#include "FuzzCheck.h"
#include "UnitHistory.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <cstddef>
#include <cstdint>

// The backup store and the history read from a folder anyone may have written to: a
// backup's .ign and .block and the record of written sets, each from the input (split
// at the first two 0xFF bytes). Whatever they hold, the reader deletes nothing, shows
// only entries of our form, and the store still keeps a new backup and records it last.
namespace {

const QString Stem = QStringLiteral("20261210-053012-123_ABC07_2003-03-05_0907");

QString scratchFolder()
{
    static const QString path =
        QDir::tempPath() + QStringLiteral("/korvo-fuzz-history-%1").arg(QCoreApplication::applicationPid());
    return path;
}

void writeBytes(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes.data(), bytes.size()) == bytes.size());
}

QStringList folderFiles(const QDir &dir)
{
    return dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    QByteArrayView parts[3];
    qsizetype from = 0;
    for (int p = 0; p < 3; ++p) {
        const qsizetype end = p < 2 ? input.indexOf('\xFF', from) : -1;
        parts[p] = input.sliced(from, (end < 0 ? input.size() : end) - from);
        from = end < 0 ? input.size() : end + 1;
    }

    QDir dir(scratchFolder());
    dir.removeRecursively();
    FUZZ_CHECK(dir.mkpath(QStringLiteral(".")));
    writeBytes(dir.filePath(Stem + QStringLiteral(".ign")), parts[0]);
    writeBytes(dir.filePath(Stem + QStringLiteral(".block")), parts[1]);
    writeBytes(dir.filePath(QStringLiteral("record.txt")), parts[2]);

    // The record: numbers only grow, and every line names a unit of our form.
    static const QRegularExpression tagForm(QStringLiteral("^[A-Za-z0-9.\\-]+_[0-9\\-]+_\\d+$"));
    const QList<StoreRecordLine> record = BackupStore::ParseRecord(parts[2].toByteArray());
    for (qsizetype i = 0; i < record.size(); ++i) {
        FUZZ_CHECK(i == 0 || record[i].number > record[i - 1].number);
        FUZZ_CHECK(tagForm.match(record[i].tag).hasMatch());
    }

    UnitBlock block{};
    bool reservedKnown = false;
    const bool readable =
        BackupStore::ReadBackup(dir.filePath(Stem + QStringLiteral(".ign")), block, &reservedKnown);
    FUZZ_CHECK(readable || !reservedKnown);

    const QStringList before = folderFiles(dir);
    const UnitHistory history = UnitHistory::Read(dir.path(), 0);
    FUZZ_CHECK(folderFiles(dir) == before);
    QSet<QString> ids;
    qsizetype entries = 0;
    for (const HistoryUnit &unit : history.units) {
        FUZZ_CHECK(!unit.entries.isEmpty());
        for (const HistoryEntry &entry : unit.entries) {
            FUZZ_CHECK(entry.tag == unit.tag && tagForm.match(entry.tag).hasMatch());
            FUZZ_CHECK(!ids.contains(entry.id));
            ids.insert(entry.id);
            FUZZ_CHECK(history.find(entry.id) != nullptr);
            ++entries;
        }
        FUZZ_CHECK(unit.entries.last().changes.isEmpty());
    }
    FUZZ_CHECK(entries <= record.size() + 1);
    for (const SkippedFile &file : history.skipped)
        FUZZ_CHECK(before.contains(file.name));

    // A new backup and a written set land after whatever the record held.
    UnitBlock information{};
    information[0] = 'X', information[3] = 1, information[5] = 32, information[10] = 61;
    UnitBlock set{};
    set[3] = quint8(size);
    BackupStore store(dir.path());
    const BackupResult kept = store.keepBeforeWrite(information, set);
    FUZZ_CHECK(kept.outcome != BackupResult::Failed);
    store.noteWritten(information, set);
    const QList<StoreRecordLine> after = BackupStore::ReadRecord(dir.path());
    FUZZ_CHECK(!after.isEmpty() && after.last().kind == StoreRecordLine::Written);
    FUZZ_CHECK(after.last().block == set);
    if (kept.outcome == BackupResult::Stored)
        FUZZ_CHECK(QFile::exists(kept.path));
    // The fuzzed backup is ours by name, and one unit's bound is far away: still there.
    FUZZ_CHECK(QFile::exists(dir.filePath(Stem + QStringLiteral(".ign"))));
    dir.removeRecursively();
    return 0;
}
