#include "UnitHistory.h"

#include "AddedTexts.h"
#include "ParameterFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

QDateTime stampTime(const QString &stamp)
{
    return QDateTime::fromString(stamp, QStringLiteral("yyyyMMdd-HHmmss-zzz"));
}

bool isRegular(const QFileInfo &info)
{
    return info.isFile() && !info.isSymLink();
}

// The store writes every key; a file that lacks one was cut or made by someone else.
bool hasEveryKey(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.read(64 * 1024);
    return FirstMissingParameterKey(text).isEmpty();
}

// Unknown reserved bytes are no change: each side's unknown ones are taken as the other's.
QList<DifferenceRow> changesBetween(const HistoryEntry &older, const HistoryEntry &newer,
                                    quint8 languageIndex)
{
    UnitBlock before = older.block;
    UnitBlock after = newer.block;
    for (int i = 0; i < UnitBlockSize; ++i) {
        if (!IsReservedByte(i))
            continue;
        if (!older.reservedKnown)
            before[i] = after[i];
        else if (!newer.reservedKnown)
            after[i] = before[i];
    }
    return DifferenceRows(before, after, languageIndex);
}

} // namespace

QString SkipReasonText(SkippedFile::Reason reason, quint8 languageIndex)
{
    switch (reason) {
    case SkippedFile::NotOurs:
        return AddedTextFor(AddedText::HistorySkipNotOurs, languageIndex);
    case SkippedFile::NotRegularFile:
        return AddedTextFor(AddedText::HistorySkipNotRegular, languageIndex);
    case SkippedFile::Damaged:
        return AddedTextFor(AddedText::HistorySkipDamaged, languageIndex);
    }
    return {};
}

QString UnitTagText(const QString &tag)
{
    const QStringList parts = tag.split(u'_');
    if (parts.size() != 3 || parts[2].size() != 4)
        return tag;
    return QStringLiteral("%1  %2 %3:%4").arg(parts[0], parts[1], parts[2].left(2), parts[2].mid(2));
}

UnitHistory UnitHistory::Read(const QString &folder, quint8 languageIndex)
{
    UnitHistory history;
    const QDir dir(folder);
    QHash<QString, HistoryEntry> backupsByStem;
    QStringList backupStems;
    QSet<QString> blocksOfBackups;

    const QFileInfoList all =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : all) {
        const QString name = info.fileName();
        if (!name.endsWith(QLatin1String(".ign")) || BackupStore::TagOfBackupName(name).isEmpty())
            continue;
        const QString stem = name.chopped(4);
        blocksOfBackups.insert(stem + QStringLiteral(".block"));
        if (!isRegular(info)) {
            history.skipped << SkippedFile{name, SkippedFile::NotRegularFile};
            continue;
        }
        HistoryEntry entry;
        bool reservedKnown = false;
        if (!BackupStore::ReadBackup(info.filePath(), entry.block, &reservedKnown) ||
            !hasEveryKey(info.filePath())) {
            history.skipped << SkippedFile{name, SkippedFile::Damaged};
            continue;
        }
        const QFileInfo blockInfo(dir.filePath(stem + QStringLiteral(".block")));
        if (blockInfo.exists() || blockInfo.isSymLink()) {
            if (!isRegular(blockInfo))
                history.skipped << SkippedFile{blockInfo.fileName(), SkippedFile::NotRegularFile};
            else if (!reservedKnown)
                history.skipped << SkippedFile{blockInfo.fileName(), SkippedFile::Damaged};
        }
        entry.kind = HistoryEntry::Backup;
        entry.id = stem;
        entry.when = stampTime(stem.left(19));
        entry.tag = BackupStore::TagOfBackupName(name);
        entry.reservedKnown = reservedKnown;
        entry.path = info.filePath();
        backupsByStem.insert(stem, entry);
        backupStems << stem;
    }
    for (const QFileInfo &info : all) {
        const QString name = info.fileName();
        if (name == QLatin1String("record.txt") || name == QLatin1String("last-written.txt")) {
            if (!isRegular(info))
                history.skipped << SkippedFile{name, SkippedFile::NotRegularFile};
            continue;
        }
        if (blocksOfBackups.contains(name) ||
            (name.endsWith(QLatin1String(".ign")) && !BackupStore::TagOfBackupName(name).isEmpty()))
            continue;
        history.skipped << SkippedFile{name, isRegular(info) || info.isDir() ? SkippedFile::NotOurs
                                                                             : SkippedFile::NotRegularFile};
    }

    // The store's order: backups the record does not know (older versions) by name, then
    // the record's lines as they happened.
    QList<HistoryEntry> ordered;
    QSet<QString> recorded;
    const QList<StoreRecordLine> record = BackupStore::ReadRecord(folder);
    for (const StoreRecordLine &line : record)
        if (line.kind == StoreRecordLine::Backup)
            recorded.insert(line.stem);
    for (const QString &stem : backupStems)
        if (!recorded.contains(stem))
            ordered << backupsByStem.value(stem);
    for (const StoreRecordLine &line : record) {
        if (line.kind == StoreRecordLine::Backup) {
            const auto found = backupsByStem.find(line.stem);
            if (found == backupsByStem.end())
                continue;
            HistoryEntry entry = *found;
            entry.id = QString::number(line.number);
            ordered << entry;
            backupsByStem.erase(found); // a stem the record names twice counts once
            continue;
        }
        HistoryEntry entry;
        entry.kind = HistoryEntry::Written;
        entry.id = QString::number(line.number);
        entry.when = stampTime(line.stamp);
        entry.tag = line.tag;
        entry.block = line.block;
        entry.reservedKnown = true;
        ordered << entry;
    }

    QHash<QString, qsizetype> unitIndex;
    for (HistoryEntry &entry : ordered) {
        auto index = unitIndex.constFind(entry.tag);
        if (index == unitIndex.constEnd()) {
            index = unitIndex.insert(entry.tag, history.units.size());
            history.units << HistoryUnit{entry.tag, {}};
        }
        QList<HistoryEntry> &entries = history.units[*index].entries;
        if (!entries.isEmpty())
            entry.changes = changesBetween(entries.first(), entry, languageIndex);
        entries.prepend(entry);
    }
    // The unit written to last comes first: the order of each unit's newest entry.
    QHash<QString, qsizetype> newest;
    for (qsizetype i = 0; i < ordered.size(); ++i)
        newest[ordered[i].tag] = i;
    std::sort(history.units.begin(), history.units.end(),
              [&](const HistoryUnit &a, const HistoryUnit &b) { return newest[a.tag] > newest[b.tag]; });
    return history;
}

const HistoryEntry *UnitHistory::find(const QString &id) const
{
    for (const HistoryUnit &unit : units)
        for (const HistoryEntry &entry : unit.entries)
            if (entry.id == id)
                return &entry;
    return nullptr;
}
