#include "ParameterFile.h"

#include <QIODevice>

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
// does: a number skips the blanks before it and ends at the first non-digit.
class WordReader
{
public:
    explicit WordReader(QByteArrayView text) : m_text(text) {}

    // The next word, or an empty view at the end of the text.
    QByteArrayView nextWord()
    {
        skipSpace();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !isSpace(m_text[m_pos]))
            ++m_pos;
        return m_text.sliced(start, m_pos - start);
    }

    // Converts the next number, reduced modulo 2^32; false, with nothing consumed but
    // the blanks, when the text does not continue with a digit.
    bool nextNumber(quint32 &value)
    {
        skipSpace();
        if (m_pos >= m_text.size() || m_text[m_pos] < '0' || m_text[m_pos] > '9')
            return false;
        quint32 v = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            v = v * 10u + quint32(m_text[m_pos] - '0');
            ++m_pos;
        }
        value = v;
        return true;
    }

private:
    void skipSpace()
    {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos]))
            ++m_pos;
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
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

bool ReadParameterFile(QByteArrayView text, IgnitionParameters &set)
{
    WordReader reader(text);
    bool matched = false;
    while (!matched) {
        const QByteArrayView word = reader.nextWord();
        if (word.isEmpty())
            return false;
        quint32 version = 0;
        if (word == "QUELLMAR_KEY" && reader.nextNumber(version) && (version % 65536u) == ParameterFileVersion)
            matched = true;
    }
    for (QByteArrayView word = reader.nextWord(); !word.isEmpty(); word = reader.nextWord()) {
        if (word == "BIKE") {
            readBytes(reader, &set.BIKE(), 1);
        } else if (word == "RPM_ADV") {
            for (int i = 0; i < CurvePoints; ++i) {
                quint32 v = 0;
                if (!reader.nextNumber(v))
                    break;
                set.RPM_ADV(i) = quint8(((v % 65536u) / 100u) & 0xFF);
            }
        } else if (word == "ADVANCE") {
            readBytes(reader, &set.ADVANCE(0), CurvePoints);
        } else if (word == "TOP") {
            readBytes(reader, &set.TOP(0), 2);
        } else if (word == "BASE_ADV") {
            readBytes(reader, &set.BASE_ADV(), 1);
        } else if (word == "LIMITER") {
            readBytes(reader, &set.LIMITER(), 1);
        } else if (word == "EXCITATION") {
            readBytes(reader, &set.EXCITATION(), 1);
        } else if (word == "RPM2") {
            readBytes(reader, &set.RPM2(), 1);
        } else if (word == "BLOK_ENABLE") {
            readBytes(reader, &set.BLOK_ENABLE(), 1);
        }
    }
    return true;
}

bool ReadParameterFile(QIODevice &device, IgnitionParameters &set)
{
    const QByteArray text = device.readAll();
    return ReadParameterFile(QByteArrayView(text), set);
}
