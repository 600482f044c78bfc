#include "ParameterFile.h"

#include "SmallFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QIODevice>

#include <array>

#include <cstdio>

namespace {

constexpr char Crlf[] = "\r\n";

void appendKey(QByteArray &out, const char *key)
{
    out += QByteArray(key).leftJustified(12, ' ');
}

void appendNumber(QByteArray &out, unsigned value)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%5u ", value);
    out += buf;
}

void appendSwitch(QByteArray &out, quint8 value)
{
    out += value != 0 ? "    1" : "    0";
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Reads whitespace-separated words and unsigned decimal numbers, the way a text stream
// does: a number skips the blanks before it and ends at the first non-digit. The device
// is read a piece at a time, so whatever file the user picks costs one small buffer.
class WordReader
{
public:
    // No key is longer than 12 characters, so a word cut here never matches one.
    static constexpr qsizetype MaxWord = 261;

    explicit WordReader(QIODevice &device) : m_device(device) {}

    // The next word, cut to MaxWord characters; false at the end of the text.
    bool nextWord(QByteArray &word)
    {
        skipSpace();
        word.clear();
        char c = 0;
        while (peek(c) && !isSpace(c)) {
            if (word.size() < MaxWord)
                word += c;
            ++m_pos;
        }
        return !word.isEmpty();
    }

    // Converts the next number, reduced modulo 2^32; false, with nothing consumed but
    // the blanks, when the text does not continue with a digit.
    bool nextNumber(quint32 &value)
    {
        skipSpace();
        char c = 0;
        if (!peek(c) || c < '0' || c > '9')
            return false;
        quint32 v = 0;
        while (peek(c) && c >= '0' && c <= '9') {
            v = v * 10u + quint32(c - '0');
            ++m_pos;
        }
        value = v;
        return true;
    }

    // Whether the device reported an error; the text then ended early.
    bool failed() const { return m_failed; }

private:
    bool peek(char &c)
    {
        if (m_pos == m_size && !fill())
            return false;
        c = m_buffer[m_pos];
        return true;
    }

    bool fill()
    {
        if (m_failed)
            return false;
        const qint64 n = m_device.read(m_buffer.data(), qint64(m_buffer.size()));
        if (n < 0)
            m_failed = true;
        if (n <= 0)
            return false;
        m_pos = 0;
        m_size = qsizetype(n);
        return true;
    }

    void skipSpace()
    {
        char c = 0;
        while (peek(c) && isSpace(c))
            ++m_pos;
    }

    QIODevice &m_device;
    std::array<char, 4096> m_buffer{};
    qsizetype m_pos = 0;
    qsizetype m_size = 0;
    bool m_failed = false;
};

// Converts up to count numbers into consecutive fields; stops at the first text that
// is not a number and leaves that field and the rest unchanged.
void readBytes(WordReader &reader, quint8 *fields, int count)
{
    for (int i = 0; i < count; ++i) {
        quint32 v = 0;
        if (!reader.nextNumber(v))
            return;
        fields[i] = quint8(v & 0xFF);
    }
}

} // namespace

QByteArray ParameterFileText(const IgnitionParameters &set)
{
    QByteArray out;
    out.reserve(ParameterFileSize);
    char version[16];
    std::snprintf(version, sizeof version, "%3u ", unsigned(ParameterFileVersion));
    out += "QUELLMAR_KEY  ";
    out += version;
    out += Crlf;
    out += Crlf;
    appendKey(out, "BIKE");
    appendNumber(out, set.BIKE());
    out += Crlf;
    appendKey(out, "RPM_ADV");
    for (int i = 0; i < CurvePoints; ++i)
        appendNumber(out, unsigned(set.RPM_ADV(i)) * 100u);
    out += Crlf;
    appendKey(out, "ADVANCE");
    for (int i = 0; i < CurvePoints; ++i)
        appendNumber(out, set.ADVANCE(i));
    out += Crlf;
    appendKey(out, "TOP");
    appendNumber(out, set.TOP(0));
    appendNumber(out, set.TOP(1));
    out += Crlf;
    appendKey(out, "EXCITATION");
    appendSwitch(out, set.EXCITATION());
    out += Crlf;
    appendKey(out, "BASE_ADV");
    appendNumber(out, set.BASE_ADV());
    out += Crlf;
    appendKey(out, "LIMITER");
    appendNumber(out, set.LIMITER());
    out += Crlf;
    appendKey(out, "RPM2");
    appendSwitch(out, set.RPM2());
    out += Crlf;
    appendKey(out, "BLOK_ENABLE");
    appendSwitch(out, set.BLOK_ENABLE());
    return out;
}

void WriteParameterFile(QIODevice &device, const IgnitionParameters &set)
{
    device.write(ParameterFileText(set));
}

bool ReadParameterFile(QIODevice &device, IgnitionParameters &set)
{
    WordReader reader(device);
    QByteArray word;
    bool matched = false;
    while (!matched) {
        if (!reader.nextWord(word))
            return false;
        quint32 version = 0;
        if (word == "QUELLMAR_KEY" && reader.nextNumber(version) &&
            (version % 65536u) == ParameterFileVersion)
            matched = true;
    }
    // Read into a copy: a device that fails part way must not leave half a set behind.
    IgnitionParameters read = set;
    while (reader.nextWord(word)) {
        if (word == "BIKE") {
            readBytes(reader, &read.BIKE(), 1);
        } else if (word == "RPM_ADV") {
            for (int i = 0; i < CurvePoints; ++i) {
                quint32 v = 0;
                if (!reader.nextNumber(v))
                    break;
                read.RPM_ADV(i) = quint8(((v % 65536u) / 100u) & 0xFF);
            }
        } else if (word == "ADVANCE") {
            readBytes(reader, &read.ADVANCE(0), CurvePoints);
        } else if (word == "TOP") {
            readBytes(reader, &read.TOP(0), 2);
        } else if (word == "BASE_ADV") {
            readBytes(reader, &read.BASE_ADV(), 1);
        } else if (word == "LIMITER") {
            readBytes(reader, &read.LIMITER(), 1);
        } else if (word == "EXCITATION") {
            readBytes(reader, &read.EXCITATION(), 1);
        } else if (word == "RPM2") {
            readBytes(reader, &read.RPM2(), 1);
        } else if (word == "BLOK_ENABLE") {
            readBytes(reader, &read.BLOK_ENABLE(), 1);
        }
    }
    if (reader.failed())
        return false;
    set = read;
    return true;
}

bool ReadParameterFile(QByteArrayView text, IgnitionParameters &set)
{
    QByteArray bytes = QByteArray::fromRawData(text.data(), text.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadParameterFile(buffer, set);
}

QString FirstMissingParameterKey(QByteArrayView text)
{
    // Read over two sets that differ in every byte: a field the file gives comes out the
    // same in both, a field it lacks keeps what each set had.
    IgnitionParameters low;
    IgnitionParameters high;
    low.image.fill(0x00);
    high.image.fill(0xFF);
    ReadParameterFile(text, low);
    ReadParameterFile(text, high);
    struct Key
    {
        const char *name;
        int offset;
        int count;
    };
    static constexpr Key Keys[] = {
        {"BIKE", IgnitionParameters::OffsetBike, 1},
        {"RPM_ADV", IgnitionParameters::OffsetRpmAdv, CurvePoints},
        {"ADVANCE", IgnitionParameters::OffsetAdvance, CurvePoints},
        {"TOP", IgnitionParameters::OffsetTop, 2},
        {"EXCITATION", IgnitionParameters::OffsetExcitation, 1},
        {"BASE_ADV", IgnitionParameters::OffsetBaseAdv, 1},
        {"LIMITER", IgnitionParameters::OffsetLimiter, 1},
        {"RPM2", IgnitionParameters::OffsetRpm2, 1},
        {"BLOK_ENABLE", IgnitionParameters::OffsetBlokEnable, 1},
    };
    for (const Key &key : Keys)
        for (int i = key.offset; i < key.offset + key.count; ++i)
            if (low.image[i] != high.image[i])
                return QString::fromLatin1(key.name);
    return {};
}

OpenedParameterFile ReadParameterFileText(const QString &path)
{
    OpenedParameterFile opened;
    const QFileInfo info(path);
    if (!info.exists())
        return opened;
    if (!info.isFile()) {
        opened.result = ParameterFileOpen::NotRegularFile;
        return opened;
    }
    switch (readSmallFile(path, MaxParameterFileBytes, opened.text, &opened.errorString)) {
    case SmallFileRead::Whole: opened.result = ParameterFileOpen::Opened; break;
    case SmallFileRead::Missing: opened.result = ParameterFileOpen::Missing; break;
    case SmallFileRead::Unfit: opened.result = ParameterFileOpen::Unreadable; break;
    case SmallFileRead::Cut: opened.result = ParameterFileOpen::TooLarge; break;
    }
    if (!opened.ok())
        opened.text.clear();
    return opened;
}

OpenedParameterFile OpenParameterFileAt(const QString &path, IgnitionParameters &set)
{
    OpenedParameterFile opened = ReadParameterFileText(path);
    if (opened.ok() && !ReadParameterFile(QByteArrayView(opened.text), set))
        opened.result = ParameterFileOpen::VersionMismatch;
    return opened;
}
