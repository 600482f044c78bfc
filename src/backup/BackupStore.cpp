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

QStringList BackupStore::backups() const
{
    const QDir dir(m_folder);
    QStringList found;
    for (const QString &name : dir.entryList({QStringLiteral("*.ign")}, QDir::Files | QDir::NoSymLinks, QDir::Name)) {
        if (backupName().match(name).hasMatch())
            found << dir.filePath(name);
    }
    return found;
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

bool BackupStore::ReadBackup(const QString &ignPath, UnitBlock &block)
{
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
    if (haveStored && ignText == ParameterFileText(setWithBlock(stored))) {
        block = stored;
        return true;
    }
    IgnitionParameters set = setWithBlock(stored);
    if (!ReadParameterFile(QByteArrayView(ignText), set))
        return false;
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
    if (written != m_written.constEnd() && *written == wanted) {
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
    dropOldest();
    result.outcome = BackupResult::Stored;
    result.path = ignPath;
    return result;
}

void BackupStore::noteWritten(std::span<const quint8, UnitBlockSize> information,
                              std::span<const quint8, UnitBlockSize> block)
{
    UnitBlock copy{};
    std::copy(block.begin(), block.end(), copy.begin());
    m_written.insert(UnitTag(information), copy);

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

void BackupStore::dropOldest() const
{
    const QStringList all = backups();
    for (qsizetype i = 0; i + KeepNewest < all.size(); ++i) {
        if (isOurRegularFile(all[i]))
            QFile::remove(all[i]);
        const QString blockPath = blockPathFor(all[i]);
        if (isOurRegularFile(blockPath))
            QFile::remove(blockPath);
    }
}
