#include "ParameterSnapshot.h"

#include "AtomicWrite.h"

#include <QFile>

#include <cstdio>

namespace {

// A good snapshot is 340 bytes; reading stops here, so a stray huge file costs nothing.
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    readParameterSnapshot(file.read(MaxSnapshotRead), image);
    return true;
}

bool saveParameterSnapshot(const QString &path, const ParameterImage &image, QString *errorString)
{
    if (!makeParentFolder(path)) {
        if (errorString)
            *errorString = QStringLiteral("Cannot create the folder of %1").arg(path);
        return false;
    }
    return writeFileAtomically(path, parameterSnapshotText(image), errorString);
}
