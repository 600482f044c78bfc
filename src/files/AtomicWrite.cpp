#include "AtomicWrite.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The previous content of a file written in place is held in memory to be put back; a
// file larger than this is not written in place at all.
constexpr qint64 MaxInPlaceSize = 16 * 1024 * 1024;
constexpr qint64 StaleAfterSeconds = 60;
// Names the temporary file of a write as ours beyond doubt ("<name>.korvo-new.XXXXXX"),
// so that one left by a kill can be removed without touching the user's own files.
constexpr char TemporarySuffix[] = ".korvo-new.";

struct Target
{
    bool exists = false;  // something is at the path, a dangling link included
    bool regular = false; // it is, or a link leads to, a regular file
    qint64 links = 0;
};

#ifdef Q_OS_UNIX
QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

Target inspect(const QString &path)
{
    Target target;
    const QByteArray name = QFile::encodeName(path);
    struct stat st{};
    if (::lstat(name.constData(), &st) != 0)
        return target;
    target.exists = true;
    if (S_ISLNK(st.st_mode) && ::stat(name.constData(), &st) != 0)
        return target;
    target.regular = S_ISREG(st.st_mode);
    target.links = qint64(st.st_nlink);
    return target;
}

bool writeAllAt(int fd, const char *data, qint64 size, qint64 &written)
{
    written = 0;
    while (written < size) {
        const ssize_t n = ::pwrite(fd, data + written, size_t(size - written), off_t(written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

bool readAllAt(int fd, QByteArray &data)
{
    qint64 done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pread(fd, data.data() + done, size_t(data.size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The previous content goes to a file of its own where the user can find it.
QString rescueCopy(const QString &path, const QByteArray &previous)
{
    QTemporaryFile copy(QDir::tempPath() + u'/' + QFileInfo(path).fileName() + QStringLiteral(".XXXXXX.previous"));
    copy.setAutoRemove(false);
    if (!copy.open() || copy.write(previous) != previous.size() || !copy.flush()) {
        copy.remove();
        return {};
    }
    return copy.fileName();
}

// Writes over the file's own bytes, so its hard links and its place in a folder the
// user may not write stay. Only the range actually overwritten is put back on failure:
// that needs no more room than the file had, so it works on a full disk or under a file
// size limit too.
FileWriteReport writeInPlace(const QString &path, QByteArrayView data)
{
    FileWriteReport report;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        report.errorString = systemError(errno);
        return report;
    }
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        report.result = FileWriteResult::NotRegularFile;
        report.errorString = QStringLiteral("%1 is not a regular file").arg(path);
        return report;
    }
    if (st.st_size > MaxInPlaceSize) {
        ::close(fd);
        report.errorString = QStringLiteral("%1 is too large to be written in place").arg(path);
        return report;
    }
    QByteArray previous(qsizetype(st.st_size), '\0');
    if (!readAllAt(fd, previous)) {
        report.errorString = systemError(errno);
        ::close(fd);
        return report;
    }

    qint64 written = 0;
    qint64 touched = 0; // bytes of the previous content that may have changed
    int error = 0;
    bool ok = writeAllAt(fd, data.data(), data.size(), written);
    if (!ok)
        error = errno ? errno : EIO;
    touched = qMin(written, qint64(previous.size()));
    if (ok && data.size() < previous.size()) {
        touched = previous.size();
        ok = ::ftruncate(fd, off_t(data.size())) == 0;
        if (!ok)
            error = errno;
    }
    if (ok) {
        ok = ::fsync(fd) == 0;
        if (!ok)
            error = errno;
    }
    if (ok) {
        // fsync has put the bytes on disk; a failing close no longer changes that.
        ::close(fd);
        report.result = FileWriteResult::Written;
        return report;
    }

    report.errorString = systemError(error);
    qint64 back = 0;
    const bool restored = writeAllAt(fd, previous.constData(), touched, back) &&
                          ::ftruncate(fd, off_t(previous.size())) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    if (restored) {
        report.result = FileWriteResult::PreviousRestored;
        return report;
    }
    report.rescuePath = rescueCopy(path, previous);
    report.result = report.rescuePath.isEmpty() ? FileWriteResult::PreviousLost : FileWriteResult::PreviousCopied;
    return report;
}

// Whether the user may write the existing file at path (read too, to keep what it held).
bool canWriteInPlace(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st{};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}
#else
Target inspect(const QString &path)
{
    const QFileInfo info(path);
    Target target;
    target.exists = info.exists() || info.isSymLink();
    target.regular = info.isFile();
    target.links = 1;
    return target;
}

FileWriteReport writeInPlace(const QString &path, QByteArrayView)
{
    FileWriteReport report;
    report.errorString = QStringLiteral("Cannot write %1").arg(path);
    return report;
}

bool canWriteInPlace(const QString &)
{
    return false;
}
#endif

void addOwnerReadWrite(const QString &path)
{
    const QFileDevice::Permissions now = QFile::permissions(path);
    const QFileDevice::Permissions wanted = now | QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (wanted != now)
        QFile::setPermissions(path, wanted);
}

} // namespace

FileWriteReport writeFileSafely(const QString &path, QByteArrayView data, const FileWriteOptions &options)
{
    FileWriteReport report;
    const Target target = inspect(path);
    if (target.exists && !target.regular) {
        report.result = FileWriteResult::NotRegularFile;
        report.errorString = QStringLiteral("%1 is not a regular file").arg(path);
        return report;
    }
    if (target.exists && options.ownerReadWrite)
        addOwnerReadWrite(path);
    // A rename would give this name a new file and leave the other links on the old one.
    if (target.links > 1)
        return writeInPlace(path, data);

#ifdef Q_OS_UNIX
    // A file the user may not write is not replaced either, though the folder would allow it.
    if (target.exists && !canWriteInPlace(path)) {
        report.errorString = QStringLiteral("%1 is not writable").arg(path);
        return report;
    }
    // A link is followed: the file it leads to is the one replaced, and the link stays.
    const QString resolved = target.exists ? QFileInfo(path).canonicalFilePath() : path;
    QTemporaryFile file(resolved + QLatin1String(TemporarySuffix) + QStringLiteral("XXXXXX"));
    if (!file.open()) {
        // No temporary file beside it (a folder the user may not write): the file itself
        // may still be writable.
        if (target.exists)
            return writeInPlace(path, data);
        report.errorString = file.errorString();
        return report;
    }
    // The new file gets the mode of the one it replaces, or the mode a new file gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat st{};
    const mode_t mode = target.exists && ::stat(QFile::encodeName(resolved).constData(), &st) == 0
                            ? (st.st_mode & 07777)
                            : (0666 & ~mask);
    qint64 written = 0;
    errno = 0;
    const bool landed = ::fchmod(file.handle(), mode) == 0 &&
                        writeAllAt(file.handle(), data.data(), data.size(), written) && ::fsync(file.handle()) == 0 &&
                        ::rename(QFile::encodeName(file.fileName()).constData(),
                                 QFile::encodeName(resolved).constData()) == 0;
    if (landed) {
        file.setAutoRemove(false);
        report.result = FileWriteResult::Written;
        return report;
    }
    report.errorString = errno ? systemError(errno) : QStringLiteral("Could not write %1 completely").arg(path);
    // The temporary file is removed with the object; the previous file is as it was.
    return report;
#else
    QSaveFile file(path);
    // Unbuffered, and the count checked: with Qt's write buffer a write that fails only
    // when commit() flushes it, or stops short (a file size limit), goes unnoticed and
    // the truncated file is put in place of the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        report.errorString = file.errorString();
        return report;
    }
    if (file.write(data.data(), data.size()) == data.size() && file.commit()) {
        report.result = FileWriteResult::Written;
        return report;
    }
    report.errorString = file.errorString();
    if (file.error() == QFileDevice::NoError || report.errorString.isEmpty())
        report.errorString = QStringLiteral("Could not write %1 completely").arg(path);
    return report;
#endif
}

bool writeFileAtomically(const QString &path, QByteArrayView data, QString *errorString)
{
    const FileWriteReport report = writeFileSafely(path, data);
    if (!report.ok() && errorString)
        *errorString = report.errorString;
    return report.ok();
}

bool canWriteFile(const QString &path)
{
    const Target target = inspect(path);
    if (target.exists && !target.regular)
        return false;
#ifdef Q_OS_UNIX
    if (target.links <= 1) {
        const QString resolved = target.exists ? QFileInfo(path).canonicalFilePath() : path;
        QTemporaryFile probe(resolved + QLatin1String(TemporarySuffix) + QStringLiteral("XXXXXX"));
        if (probe.open())
            return !target.exists || canWriteInPlace(path);
    }
    return target.exists && canWriteInPlace(path);
#else
    // The probe's temporary file is thrown away, so the file itself is not touched.
    QSaveFile probe(path);
    return probe.open(QIODevice::WriteOnly);
#endif
}

bool makeParentFolder(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

void removeStaleTemporaryFiles(const QString &path)
{
    const QFileInfo target(path);
    const QDir folder = target.absoluteDir();
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-StaleAfterSeconds);
    const QStringList names =
        folder.entryList({target.fileName() + QLatin1String(TemporarySuffix) + u'*'},
                         QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &name : names) {
        const QFileInfo file(folder.filePath(name));
        if (file.lastModified().toUTC() < staleBefore)
            QFile::remove(file.filePath());
    }
}
