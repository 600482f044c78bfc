#include "SmallFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

void setError(QString *errorString, const QString &text)
{
    if (errorString)
        *errorString = text;
}

} // namespace

SmallFileRead readSmallFile(const QString &path, qint64 cap, QByteArray &data, QString *errorString)
{
    data.clear();
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    struct stat st{};
    if (::stat(name.constData(), &st) != 0) {
        const int error = errno;
        setError(errorString, QString::fromLocal8Bit(std::strerror(error)));
        return error == ENOENT || error == ENOTDIR ? SmallFileRead::Missing : SmallFileRead::Unfit;
    }
    // A device is never opened: opening alone may act (a serial port raises its lines).
    if (!S_ISREG(st.st_mode)) {
        setError(errorString, QStringLiteral("%1 is not a regular file").arg(path));
        return SmallFileRead::Unfit;
    }
    // Non-blocking and checked again through the descriptor, in case a pipe took the
    // file's place in between; it changes nothing for a regular file.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        setError(errorString, QString::fromLocal8Bit(std::strerror(errno)));
        return SmallFileRead::Unfit;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        setError(errorString, QStringLiteral("%1 is not a regular file").arg(path));
        return SmallFileRead::Unfit;
    }
    // One byte beyond the cap tells a file of exactly cap bytes from a longer one.
    QByteArray buffer(qsizetype(cap + 1), '\0');
    qint64 got = 0;
    while (got < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + got, size_t(buffer.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            setError(errorString, QString::fromLocal8Bit(std::strerror(errno)));
            ::close(fd);
            return SmallFileRead::Unfit;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
#else
    if (!QFileInfo::exists(path))
        return SmallFileRead::Missing;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        setError(errorString, file.errorString());
        return SmallFileRead::Unfit;
    }
    QByteArray buffer = file.read(cap + 1);
    if (file.error() != QFileDevice::NoError) {
        setError(errorString, file.errorString());
        return SmallFileRead::Unfit;
    }
    const qint64 got = buffer.size();
#endif
    if (got > cap) {
        buffer.truncate(qsizetype(cap));
        data = std::move(buffer);
        return SmallFileRead::Cut;
    }
    buffer.truncate(qsizetype(got));
    data = std::move(buffer);
    return SmallFileRead::Whole;
}
