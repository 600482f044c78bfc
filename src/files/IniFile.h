#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// A private-profile (INI) file kept as its ordered list of lines. Reading and writing
// keys touches only the line of that key; every other line, comment, unknown section
// and line end stays byte for byte, so a file shared with other tools or edited by
// hand survives a save. Sections and keys are matched without regard to ASCII letter
// case, and key names are taken literally (no escaping: "CheckBoxIgnAll->Checked").
// Text is 8-bit: the local code page on Windows, UTF-8 elsewhere.
class IniFile
{
public:
    IniFile() = default;
    explicit IniFile(QByteArray text) { setText(std::move(text)); }

    // A settings file is a few hundred bytes, a few kilobytes with PORTS and MANUAL;
    // beyond this a file is not one of ours, and only this much of it is read.
    static constexpr qint64 MaxFileSize = 64 * 1024;

    // Loads the file; false, leaving the object empty, when it is missing, is not a
    // regular file or cannot be read. A longer file loads its first MaxFileSize bytes
    // and reports isCut(): it must not be saved back over itself.
    bool load(const QString &path);
    bool isCut() const { return m_cut; }
    // Writes the whole file atomically; false with errorString() when it did not land.
    bool save(const QString &path);
    QString errorString() const { return m_error; }

    void setText(QByteArray text);
    QByteArray text() const;

    // Value of the first matching key in the first matching section, blanks around it
    // removed; nullopt when the section or key is absent.
    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;

    QString readString(QByteArrayView section, QByteArrayView key, const QString &defaultValue) const;
    // Decimal with an optional minus, or hexadecimal after "0x"/"0X" when the value has
    // at least three characters. A missing key, an empty value or a value that is not
    // wholly such an integer (also "12abc", or beyond 32 bits) gives defaultValue.
    int readInteger(QByteArrayView section, QByteArrayView key, int defaultValue) const;

    // Replaces the value of an existing key in its line, keeping the key's spelling and
    // the line end; a new key goes after the last entry of its section, a new section
    // at the end of the file. Line breaks (LF, CR LF) inside value are dropped, since
    // they would split the entry; a lone CR is kept, as reading keeps it.
    void writeString(QByteArrayView section, QByteArrayView key, const QString &value);
    void writeInteger(QByteArrayView section, QByteArrayView key, int value);

    // The PORTS section: COMn=device for n = 1..21, entries with an empty device left out.
    QMap<int, QString> portMap() const;

    static int parseInteger(QByteArrayView text, int defaultValue);

private:
    struct Line
    {
        QByteArray content; // without the line end
        QByteArray end;     // "\r\n", "\n" or empty for a last line without one
    };

    qsizetype findSection(QByteArrayView section) const;
    qsizetype findKey(qsizetype sectionLine, QByteArrayView key) const;
    QByteArray newLineEnd() const;
    void writeRaw(QByteArrayView section, QByteArrayView key, QByteArrayView value);

    QList<Line> m_lines;
    bool m_bom = false;
    bool m_cut = false;
    QString m_error;
};
