#include "UnitInformation.h"

#include <QStringDecoder>

namespace {

constexpr int LongNameAt = 16;
constexpr int MaxVersionLength = 30;

QChar digit(int v)
{
    return QChar(ushort(quint8('0' + v)));
}

// The unit's texts are single-byte Windows-1250.
QString unitText(const quint8 *bytes, int maxLength)
{
    int length = 0;
    while (length < maxLength && bytes[length] != 0)
        ++length;
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid())
        return QString::fromLatin1(reinterpret_cast<const char *>(bytes), length);
    return decoder.decode(QByteArrayView(bytes, length));
}

// The version name for a file name: only characters every file system takes.
QString tagVersionName(std::span<const quint8, FrameDataSize> b)
{
    QByteArray raw;
    if (b[LongNameAt] != 0) {
        for (int i = LongNameAt; i < LongNameAt + MaxVersionLength && b[i] != 0; ++i)
            raw += char(b[i]);
    } else {
        for (int i = 0; i < 3 && b[i] != 0; ++i)
            raw += char(b[i]);
        if (raw.size() == 3)
            raw += QByteArray::number(b[3] / 10 % 10) + QByteArray::number(b[3] % 10);
    }
    QString name;
    for (const char c : raw) {
        const bool safe = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
                          c == '-';
        name += safe ? QChar(c) : QChar(u'-');
    }
    return name.isEmpty() ? QStringLiteral("unit") : name;
}

} // namespace

int UnitProgramMonth(quint8 code)
{
    static constexpr quint8 Codes[12] = {25, 13, 32, 35, 39, 45, 43, 29, 40, 38, 51, 12};
    for (int m = 0; m < 12; ++m)
        if (Codes[m] == code)
            return m + 1;
    return 0;
}

UnitInformation UnitInformation::Decode(std::span<const quint8, FrameDataSize> b)
{
    UnitInformation info;

    QString version = unitText(b.data(), 3);
    if (version.size() == 3) {
        version += digit(b[3] / 10);
        version += digit(b[3] % 10);
    }
    if (b[LongNameAt] != 0)
        version = unitText(b.data() + LongNameAt, MaxVersionLength);
    info.versionText = version;

    const int month = UnitProgramMonth(b[5]);
    QString date;
    date += b[4] < 10 ? QChar(u' ') : digit(b[4] / 10);
    date += digit(b[4] % 10);
    date += QLatin1Char('.');
    date += month == 0 ? QStringLiteral("00") : QString::asprintf("%2d", month);
    date += QStringLiteral(".20");
    date += digit(b[6] / 10);
    date += digit(b[6] % 10);
    info.dateText = date;

    QString time;
    time += digit(b[7] / 10);
    time += digit(b[7] % 10);
    time += QLatin1Char(':');
    time += digit(b[8] / 10);
    time += digit(b[8] % 10);
    info.timeText = time;

    info.programDate = month == 0 ? QDate() : QDate(2000 + b[6], month, b[4]);
    info.programTime = QTime(b[7], b[8]);
    info.programVersion = b[10];
    info.tag = QStringLiteral("%1_%2-%3-%4_%5%6")
                   .arg(tagVersionName(b))
                   .arg(2000 + b[6])
                   .arg(month, 2, 10, QChar(u'0'))
                   .arg(int(b[4]), 2, 10, QChar(u'0'))
                   .arg(int(b[7]), 2, 10, QChar(u'0'))
                   .arg(int(b[8]), 2, 10, QChar(u'0'));
    return info;
}
