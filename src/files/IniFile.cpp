#include "IniFile.h"

#include "AtomicWrite.h"
#include "SmallFile.h"

#include <limits>

namespace {

constexpr QByteArrayView Bom("\xEF\xBB\xBF");

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArrayView trimmed(QByteArrayView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// ASCII folding only: Latin-1 folding would pair unrelated bytes of UTF-8 names.
bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

// The name of a "[name]" line, or nullopt for any other line.
std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    const QByteArrayView t = trimmed(line);
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return trimmed(t.sliced(1, close - 1));
}

// Key name of a "key=value" line; comments and lines without '=' have none.
std::optional<QByteArrayView> keyName(QByteArrayView line)
{
    const QByteArrayView t = trimmed(line);
    if (t.startsWith(';') || t.startsWith('['))
        return std::nullopt;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return std::nullopt;
    return trimmed(t.first(eq));
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool IniFile::load(const QString &path)
{
    m_lines.clear();
    m_bom = false;
    m_cut = false;
    QByteArray text;
    const SmallFileRead read = readSmallFile(path, MaxFileSize, text, &m_error);
    if (read != SmallFileRead::Whole && read != SmallFileRead::Cut)
        return false;
    m_cut = read == SmallFileRead::Cut;
    setText(std::move(text));
    m_error.clear();
    return true;
}

bool IniFile::save(const QString &path)
{
    if (writeFileAtomically(path, text(), &m_error)) {
        m_error.clear();
        return true;
    }
    return false;
}

void IniFile::setText(QByteArray text)
{
    m_lines.clear();
    m_bom = text.startsWith(Bom);
    QByteArrayView rest(text);
    if (m_bom)
        rest = rest.sliced(Bom.size());
    while (!rest.isEmpty()) {
        const qsizetype nl = rest.indexOf('\n');
        if (nl < 0) {
            m_lines.append({rest.toByteArray(), {}});
            break;
        }
        const bool crlf = nl > 0 && rest[nl - 1] == '\r';
        const qsizetype contentSize = crlf ? nl - 1 : nl;
        m_lines.append({rest.first(contentSize).toByteArray(), crlf ? QByteArray("\r\n") : QByteArray("\n")});
        rest = rest.sliced(nl + 1);
    }
}

QByteArray IniFile::text() const
{
    QByteArray out;
    if (m_bom)
        out += Bom;
    for (const Line &line : m_lines) {
        out += line.content;
        out += line.end;
    }
    return out;
}

qsizetype IniFile::findSection(QByteArrayView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i].content);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

qsizetype IniFile::findKey(qsizetype sectionLine, QByteArrayView key) const
{
    for (qsizetype i = sectionLine + 1; i < m_lines.size(); ++i) {
        if (sectionName(m_lines[i].content))
            break;
        const auto name = keyName(m_lines[i].content);
        if (name && sameName(*name, key))
            return i;
    }
    return -1;
}

std::optional<QByteArray> IniFile::value(QByteArrayView section, QByteArrayView key) const
{
    const qsizetype s = findSection(section);
    if (s < 0)
        return std::nullopt;
    const qsizetype k = findKey(s, key);
    if (k < 0)
        return std::nullopt;
    const QByteArray &content = m_lines[k].content;
    return trimmed(QByteArrayView(content).sliced(content.indexOf('=') + 1)).toByteArray();
}

QString IniFile::readString(QByteArrayView section, QByteArrayView key, const QString &defaultValue) const
{
    const auto v = value(section, key);
    return v ? QString::fromLocal8Bit(*v) : defaultValue;
}

int IniFile::parseInteger(QByteArrayView text, int defaultValue)
{
    if (text.isEmpty())
        return defaultValue;
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        quint64 v = 0;
        for (const char c : text.sliced(2)) {
            const int d = hexDigit(c);
            if (d < 0)
                return defaultValue;
            v = v * 16 + quint64(d);
            if (v > std::numeric_limits<quint32>::max())
                return defaultValue;
        }
        // Eight hex digits are the 32 bits of the integer, as "0xFFFFFFFF" is -1.
        return int(quint32(v));
    }
    const bool negative = text[0] == '-';
    const QByteArrayView digits = negative ? text.sliced(1) : text;
    if (digits.isEmpty())
        return defaultValue;
    qint64 v = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return defaultValue;
        v = v * 10 + (c - '0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            return defaultValue;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max())
        return defaultValue;
    return int(v);
}

int IniFile::readInteger(QByteArrayView section, QByteArrayView key, int defaultValue) const
{
    const auto v = value(section, key);
    return v ? parseInteger(*v, defaultValue) : defaultValue;
}

QByteArray IniFile::newLineEnd() const
{
    for (const Line &line : m_lines) {
        if (!line.end.isEmpty())
            return line.end;
    }
#ifdef Q_OS_WIN
    return QByteArray("\r\n");
#else
    return QByteArray("\n");
#endif
}

void IniFile::writeRaw(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    // Only LF (with a CR before it) ends a line when the file is read, so a lone CR is
    // part of the value: dropping it would change a file name that holds one.
    QByteArray clean;
    clean.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const bool lineBreak =
            value[i] == '\n' || (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n');
        if (!lineBreak)
            clean += value[i];
    }
    const QByteArray end = newLineEnd();

    const qsizetype s = findSection(section);
    if (s < 0) {
        if (!m_lines.isEmpty() && m_lines.last().end.isEmpty())
            m_lines.last().end = end;
        m_lines.append({'[' + section.toByteArray() + ']', end});
        m_lines.append({key.toByteArray() + '=' + clean, end});
        return;
    }
    const qsizetype k = findKey(s, key);
    if (k >= 0) {
        QByteArray &content = m_lines[k].content;
        content = content.left(content.indexOf('=') + 1) + clean;
        return;
    }
    // After the section's last entry, so blank lines that separate it from the next
    // section stay where they are.
    qsizetype last = s;
    for (qsizetype i = s + 1; i < m_lines.size() && !sectionName(m_lines[i].content); ++i) {
        if (!trimmed(m_lines[i].content).isEmpty())
            last = i;
    }
    if (m_lines[last].end.isEmpty())
        m_lines[last].end = end;
    m_lines.insert(last + 1, {key.toByteArray() + '=' + clean, end});
}

void IniFile::writeString(QByteArrayView section, QByteArrayView key, const QString &value)
{
    writeRaw(section, key, value.toLocal8Bit());
}

void IniFile::writeInteger(QByteArrayView section, QByteArrayView key, int value)
{
    writeRaw(section, key, QByteArray::number(value));
}

QMap<int, QString> IniFile::portMap() const
{
    QMap<int, QString> ports;
    for (int n = 1; n <= 21; ++n) {
        const auto device = value("PORTS", "COM" + QByteArray::number(n));
        if (device && !device->isEmpty())
            ports.insert(n, QString::fromLocal8Bit(*device));
    }
    return ports;
}
