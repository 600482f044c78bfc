#include "ParameterSnapshot.h"

#include "AtomicWrite.h"
#include "SmallFile.h"

#include <QFileInfo>

#include <cstdio>

namespace {

// A good snapshot is 340 bytes; reading stops here, so a stray huge file costs nothing,
// and a file longer than this is not ours to rewrite.
constexpr qint64 MaxSnapshotRead = 64 * 1024;

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

QByteArray parameterSnapshotText(const ParameterImage &image)
{
    QByteArray out;
    out.reserve(ParameterSnapshotSize);
    for (int i = 0; i < ParameterImageSize; ++i) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%5u ", unsigned(image[i]));
        out += buf;
        if (i % 10 == 9)
            out += "\r\n";
    }
    return out;
}

int readParameterSnapshot(QByteArrayView text, ParameterImage &image)
{
    qsizetype pos = 0;
    int stored = 0;
    while (stored < ParameterImageSize) {
        while (pos < text.size() && isSpace(text[pos]))
            ++pos;
        if (pos >= text.size() || text[pos] < '0' || text[pos] > '9')
            break;
        unsigned value = 0;
        // Only the low 8 bits are kept, so any number of digits is fine.
        for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
            value = (value * 10u + unsigned(text[pos] - '0')) & 0xFFu;
        image[stored++] = quint8(value);
    }
    return stored;
}

bool loadParameterSnapshot(const QString &path, ParameterImage &image)
{
    QByteArray text;
    const SmallFileRead read = readSmallFile(path, MaxSnapshotRead, text);
    if (read != SmallFileRead::Whole && read != SmallFileRead::Cut)
        return false;
    readParameterSnapshot(text, image);
    return true;
}

bool saveParameterSnapshot(const QString &path, const ParameterImage &image, QString *errorString)
{
    // A file this long was not written by us; it stays as it is.
    const QFileInfo existing(path);
    if (existing.isFile() && existing.size() > MaxSnapshotRead) {
        if (errorString)
            *errorString = QStringLiteral("%1 is too long to be a parameter snapshot").arg(path);
        return false;
    }
    if (!makeParentFolder(path)) {
        if (errorString)
            *errorString = QStringLiteral("Cannot create the folder of %1").arg(path);
        return false;
    }
    FileWriteOptions options;
    options.ownerReadWrite = true;
    const FileWriteReport report = writeFileSafely(path, parameterSnapshotText(image), options);
    if (!report.ok() && errorString)
        *errorString = report.errorString;
    return report.ok();
}
