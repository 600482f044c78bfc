#include "BackupStore.h"

#include "AppPaths.h"
#include "AtomicWrite.h"
#include "ParameterFile.h"
#include "UnitInformation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr qint64 MaxBackupFileSize = 64 * 1024;

const QRegularExpression &backupName()
{
    static const QRegularExpression name(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}_([A-Za-z0-9.\\-]+_[0-9\\-]+_\\d+)\\.ign$"));
    return name;
}

const QRegularExpression &stampForm()
{
    static const QRegularExpression stamp(QStringLiteral("^\\d{8}-\\d{6}-\\d{3}$"));
    return stamp;
}

const QRegularExpression &tagForm()
{
    static const QRegularExpression tag(QStringLiteral("^[A-Za-z0-9.\\-]+_[0-9\\-]+_\\d+$"));
    return tag;
}

QString blockPathFor(const QString &ignPath)
{
    return ignPath.left(ignPath.size() - 4) + QStringLiteral(".block");
}

bool isOurRegularFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

// A small file read whole, or nothing: only a regular file, and never more than a
// backup can hold, so a device or a pipe put in its place cannot block or flood us.
bool readSmallFile(const QString &path, QByteArray &data)
{
    if (!isOurRegularFile(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    data = file.read(MaxBackupFileSize + 1);
    return file.error() == QFileDevice::NoError && data.size() <= MaxBackupFileSize;
}

QByteArray blockText(std::span<const quint8, UnitBlockSize> block)
{
    QByteArray text;
    for (int i = 0; i < UnitBlockSize; ++i) {
        text += QByteArray::number(block[i]);
        text += i + 1 == UnitBlockSize ? '\n' : ' ';
    }
    return text;
}

bool parseBlockText(const QByteArray &text, UnitBlock &block)
{
    const QList<QByteArray> words = text.simplified().split(' ');
    if (words.size() != UnitBlockSize)
        return false;
    for (int i = 0; i < UnitBlockSize; ++i) {
        bool ok = false;
        const uint value = words[i].toUInt(&ok);
        if (!ok || value > 255)
            return false;
        block[i] = quint8(value);
    }
    return true;
}

IgnitionParameters setWithBlock(std::span<const quint8, UnitBlockSize> block)
{
    IgnitionParameters set;
    std::copy(block.begin(), block.end(), set.image.begin());
    return set;
}

} // namespace

QString DefaultBackupFolder()
{
    return programDataFolder() + QStringLiteral("/backups");
}

BackupStore::BackupStore(QString folder) : m_folder(std::move(folder))
{
    loadWritten();
}

QString BackupStore::recordPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("record.txt"));
}

QString BackupStore::writtenPath() const
{
    return QDir(m_folder).filePath(QStringLiteral("last-written.txt"));
}

// One line per unit: its tag, then the 50 bytes last written to it.
void BackupStore::loadWritten()
{
    QByteArray text;
    if (!readSmallFile(writtenPath(), text))
        return;
    for (const QByteArray &line : text.split('\n')) {
        const qsizetype space = line.indexOf(' ');
        UnitBlock block{};
        if (space > 0 && parseBlockText(line.mid(space + 1), block))
            m_written.insert(QString::fromLatin1(line.left(space)), block);
    }
}

QString BackupStore::UnitTag(std::span<const quint8, UnitBlockSize> information)
{
    return UnitInformation::Decode(information).tag;
}

QString BackupStore::TagOfBackupName(const QString &fileName)
{
    return backupName().match(fileName).captured(1);
}

QStringList BackupStore::backups() const
{
    const QDir dir(m_folder);
    QStringList present;
    for (const QString &name : dir.entryList({QStringLiteral("*.ign")}, QDir::Files | QDir::NoSymLinks, QDir::Name)) {
        if (backupName().match(name).hasMatch())
            present << name;
    }
    QStringList recorded;
    for (const StoreRecordLine &line : ReadRecord(m_folder)) {
        const QString name = line.stem + QStringLiteral(".ign");
        if (line.kind == StoreRecordLine::Backup && present.contains(name) && !recorded.contains(name))
            recorded << name;
    }
    QStringList found;
    for (const QString &name : present)
        if (!recorded.contains(name))
            found << dir.filePath(name);
    for (const QString &name : recorded)
        found << dir.filePath(name);
    return found;
}

// "<number> B <stem>" or "<number> W <stamp> <tag> <50 bytes>", one a line.
QList<StoreRecordLine> BackupStore::ParseRecord(const QByteArray &text)
{
    QList<StoreRecordLine> lines;
    qint64 last = 0;
    for (const QByteArray &raw : text.split('\n')) {
        const QList<QByteArray> words = raw.simplified().split(' ');
        if (words.size() < 3)
            continue;
        StoreRecordLine line;
        bool ok = false;
        line.number = words[0].toLongLong(&ok);
        // Numbers only grow: a line that breaks the order is not ours.
        if (!ok || line.number <= last)
            continue;
        if (words[1] == "B" && words.size() == 3) {
            line.kind = StoreRecordLine::Backup;
            line.stem = QString::fromLatin1(words[2]);
            line.tag = TagOfBackupName(line.stem + QStringLiteral(".ign"));
            if (line.tag.isEmpty())
                continue;
            line.stamp = line.stem.left(19);
        } else if (words[1] == "W" && words.size() == 4 + UnitBlockSize) {
            line.kind = StoreRecordLine::Written;
            line.stamp = QString::fromLatin1(words[2]);
            line.tag = QString::fromLatin1(words[3]);
            if (!stampForm().match(line.stamp).hasMatch() || !tagForm().match(line.tag).hasMatch() ||
                !parseBlockText(words.mid(4).join(' '), line.block))
                continue;
        } else {
            continue;
        }
        last = line.number;
        lines << line;
    }
    return lines;
}

QList<StoreRecordLine> BackupStore::ReadRecord(const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("record.txt"));
    if (!isOurRegularFile(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = file.read(MaxRecordSize + 1);
    if (file.error() != QFileDevice::NoError || text.size() > MaxRecordSize)
        return {};
    return ParseRecord(text);
}

bool BackupStore::writeRecord(const QList<StoreRecordLine> &lines) const
{
    QByteArray text;
    for (const StoreRecordLine &line : lines) {
        text += QByteArray::number(line.number);
        if (line.kind == StoreRecordLine::Backup)
            text += " B " + line.stem.toLatin1() + '\n';
        else
            text += " W " + line.stamp.toLatin1() + ' ' + line.tag.toLatin1() + ' ' + blockText(line.block);
    }
    const QFileInfo target(recordPath());
    if (target.isSymLink() || (target.exists() && !target.isFile()))
        return false;
    return writeFileAtomically(recordPath(), text);
}

bool BackupStore::appendRecord(StoreRecordLine line) const
{
    // A record we cannot read whole is left as it is rather than replaced by one line.
    const QFileInfo existing(recordPath());
    if (existing.exists() && (!isOurRegularFile(recordPath()) || existing.size() > MaxRecordSize))
        return false;
    QList<StoreRecordLine> lines = ReadRecord(m_folder);
    line.number = lines.isEmpty() ? 1 : lines.last().number + 1;
    lines << line;
    // Lines of backups that are gone say nothing any more; written sets are bounded per unit.
    QHash<QString, int> writtenLeft;
    QList<StoreRecordLine> kept;
    for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
        if (it->kind == StoreRecordLine::Backup) {
            if (!isOurRegularFile(QDir(m_folder).filePath(it->stem + QStringLiteral(".ign"))))
                continue;
        } else {
            int &count = writtenLeft[it->tag];
            if (++count > WrittenPerUnit)
                continue;
        }
        kept.prepend(*it);
    }
    return writeRecord(kept);
}

QString BackupStore::newestWithTag(const QString &tag) const
{
    const QStringList all = backups();
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (backupName().match(QFileInfo(*it).fileName()).captured(1) == tag)
            return *it;
    }
    return {};
}

bool BackupStore::ReadBackup(const QString &ignPath, UnitBlock &block, bool *whole)
{
    if (whole)
        *whole = false;
    const OpenedParameterFile ign =
        isOurRegularFile(ignPath) ? ReadParameterFileText(ignPath) : OpenedParameterFile{};
    if (!ign.ok())
        return false;
    const QByteArray &ignText = ign.text;
    UnitBlock stored{};
    QByteArray storedText;
    const bool haveStored = readSmallFile(blockPathFor(ignPath), storedText) && parseBlockText(storedText, stored);
    // The .ign as we wrote it: the stored block is the whole truth (switch bytes other
    // than 0 and 1 and the reserved bytes survive). Edited by hand: its fields count.
    if (whole)
        *whole = haveStored;
    if (haveStored && ignText == ParameterFileText(setWithBlock(stored))) {
        block = stored;
        return true;
    }
    IgnitionParameters set = setWithBlock(stored);
    if (!ReadParameterFile(QByteArrayView(ignText), set)) {
        if (whole)
            *whole = false;
        return false;
    }
    std::copy_n(set.image.begin(), UnitBlockSize, block.begin());
    return true;
}

BackupResult BackupStore::keepBeforeWrite(std::span<const quint8, UnitBlockSize> information,
                                          std::span<const quint8, UnitBlockSize> block, const QDateTime &now)
{
    BackupResult result;
    const QString tag = UnitTag(information);
    UnitBlock wanted{};
    std::copy(block.begin(), block.end(), wanted.begin());

    const auto written = m_written.constFind(tag);
    if ((written != m_written.constEnd() && *written == wanted) || m_sentThisRun.value(tag).contains(wanted)) {
        result.outcome = BackupResult::Unchanged;
        return result;
    }
    const QString newest = newestWithTag(tag);
    UnitBlock kept{};
    if (!newest.isEmpty() && ReadBackup(newest, kept) && kept == wanted) {
        result.outcome = BackupResult::Unchanged;
        result.path = newest;
        return result;
    }

    if (!QDir().mkpath(m_folder) || !QFileInfo(m_folder).isDir()) {
        result.folderMissing = true;
        result.reason = QDir::toNativeSeparators(m_folder);
        return result;
    }

    // A free name; two backups within one millisecond take the next one.
    const QDir dir(m_folder);
    QString ignPath;
    QString blockPath;
    QDateTime stamp = now;
    for (int attempt = 0; attempt < 1000; ++attempt, stamp = stamp.addMSecs(1)) {
        const QString stem = stamp.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")) + u'_' + tag;
        ignPath = dir.filePath(stem + QStringLiteral(".ign"));
        blockPath = dir.filePath(stem + QStringLiteral(".block"));
        // exists() follows links: a dangling link counts as taken too.
        if (!QFileInfo(ignPath).exists() && !QFileInfo(ignPath).isSymLink() && !QFileInfo(blockPath).exists() &&
            !QFileInfo(blockPath).isSymLink())
            break;
        ignPath.clear();
    }
    if (ignPath.isEmpty()) {
        result.reason = QStringLiteral("no free file name in %1").arg(QDir::toNativeSeparators(m_folder));
        return result;
    }

    QString error;
    if (!writeFileAtomically(blockPath, blockText(block), &error)) {
        result.reason = error;
        return result;
    }
    if (!writeFileAtomically(ignPath, ParameterFileText(setWithBlock(block)), &error)) {
        if (isOurRegularFile(blockPath))
            QFile::remove(blockPath);
        result.reason = error;
        return result;
    }
    StoreRecordLine line;
    line.kind = StoreRecordLine::Backup;
    line.stem = QFileInfo(ignPath).completeBaseName();
    line.tag = tag;
    appendRecord(line);
    dropBeyondBound(tag, ignPath);
    result.outcome = BackupResult::Stored;
    result.path = ignPath;
    return result;
}

void BackupStore::noteSending(std::span<const quint8, UnitBlockSize> information,
                              std::span<const quint8, UnitBlockSize> block)
{
    UnitBlock copy{};
    std::copy(block.begin(), block.end(), copy.begin());
    QList<UnitBlock> &sent = m_sentThisRun[UnitTag(information)];
    if (!sent.contains(copy))
        sent << copy;
}

void BackupStore::noteWritten(std::span<const quint8, UnitBlockSize> information,
                              std::span<const quint8, UnitBlockSize> block, const QDateTime &now)
{
    UnitBlock copy{};
    std::copy(block.begin(), block.end(), copy.begin());
    const QString tag = UnitTag(information);
    m_written.insert(tag, copy);
    noteSending(information, block);
    if (QDir().mkpath(m_folder)) {
        StoreRecordLine line;
        line.kind = StoreRecordLine::Written;
        line.stamp = now.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
        line.tag = tag;
        line.block = copy;
        appendRecord(line);
    }

    // Kept across runs, so that the next run (or the command line) does not take what
    // we wrote for a change worth a backup. Losing it costs one extra backup at most.
    while (m_written.size() > MaxRememberedUnits)
        m_written.erase(m_written.begin());
    QByteArray text;
    for (auto it = m_written.cbegin(); it != m_written.cend(); ++it)
        text += it.key().toLatin1() + ' ' + blockText(it.value());
    const QFileInfo target(writtenPath());
    if (QDir().mkpath(m_folder) && !target.isSymLink() && (!target.exists() || target.isFile()))
        writeFileAtomically(writtenPath(), text);
}

void BackupStore::dropBeyondBound(const QString &tag, const QString &keep) const
{
    QStringList ofUnit;
    for (const QString &path : backups())
        if (TagOfBackupName(QFileInfo(path).fileName()) == tag)
            ofUnit << path;
    // The first is the set the unit came with; the second oldest goes first.
    for (qsizetype i = 1; ofUnit.size() > KeepPerUnit && i < ofUnit.size();) {
        if (ofUnit[i] == keep) {
            ++i;
            continue;
        }
        if (isOurRegularFile(ofUnit[i]))
            QFile::remove(ofUnit[i]);
        const QString blockPath = blockPathFor(ofUnit[i]);
        if (isOurRegularFile(blockPath))
            QFile::remove(blockPath);
        ofUnit.removeAt(i);
    }
}
