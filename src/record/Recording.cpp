#include "Recording.h"

#include "AddedTexts.h"
#include "LiveRecorder.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int Columns = 10;
// Row times are kept in milliseconds; past this many seconds they would not fit.
constexpr double MaxSeconds = 1e12;

struct Field
{
    const char *begin;
    const char *end;
};

Field trimmed(const char *begin, const char *end)
{
    while (begin < end && (*begin == ' ' || *begin == '\t'))
        ++begin;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
    return {begin, end};
}

// How many fields a line has; the first Columns + 1 of them go into fields (a longer
// line is wrong anyway).
int splitFields(const char *begin, const char *end, char separator, std::array<Field, Columns + 1> &fields)
{
    int count = 0;
    const char *start = begin;
    for (const char *at = begin;; ++at) {
        if (at == end || *at == separator) {
            if (count <= Columns)
                fields[size_t(count)] = trimmed(start, at);
            ++count;
            if (at == end)
                return count;
            start = at + 1;
        }
    }
}

template <typename T> bool readUnsigned(const Field &field, T &value)
{
    unsigned long long number = 0;
    const auto [ptr, ec] = std::from_chars(field.begin, field.end, number);
    if (ec != std::errc() || ptr != field.end || field.begin == field.end ||
        number > std::numeric_limits<T>::max())
        return false;
    value = T(number);
    return true;
}

bool readDecimal(const Field &field, bool decimalComma, double &value)
{
    const qsizetype length = field.end - field.begin;
    if (length == 0 || length > 40)
        return false;
    const char *begin = field.begin;
    const char *end = field.end;
    std::array<char, 40> copy{};
    if (decimalComma) {
        std::memcpy(copy.data(), begin, size_t(length));
        std::replace(copy.begin(), copy.begin() + length, ',', '.');
        begin = copy.data();
        end = begin + length;
    }
    // from_chars takes no sign, "inf" or "nan" we would want; a plain decimal only.
    if (*begin == '+' ||
        !(std::isdigit(static_cast<unsigned char>(*begin)) || *begin == '-' || *begin == '.'))
        return false;
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::fixed);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

bool readFlag(const Field &field, quint8 bit, quint8 &flags)
{
    if (field.end - field.begin != 1 || (*field.begin != '0' && *field.begin != '1'))
        return false;
    if (*field.begin == '1')
        flags |= bit;
    return true;
}

// The header's names, separated as the rest of the file is; false when it is not ours.
bool readHeader(const char *begin, const char *end, char separator)
{
    std::array<Field, Columns + 1> fields{};
    if (splitFields(begin, end, separator, fields) != Columns)
        return false;
    const QByteArray names = QByteArray(LiveRecorder::Header).trimmed();
    int column = 0;
    for (const QByteArray &name : names.split(',')) {
        const Field &field = fields[column++];
        if (QByteArrayView(field.begin, field.end - field.begin).compare(name, Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

} // namespace

qsizetype Recording::rowAt(qint64 ms) const
{
    const auto after = std::upper_bound(timeMs.begin(), timeMs.end(), ms);
    return after == timeMs.begin() ? 0 : qsizetype(after - timeMs.begin()) - 1;
}

qsizetype Recording::firstRowFrom(qint64 ms) const
{
    return qsizetype(std::lower_bound(timeMs.begin(), timeMs.end(), ms) - timeMs.begin());
}

void Recording::reserve(qsizetype rows)
{
    timeMs.reserve(size_t(rows));
    rpm.reserve(size_t(rows));
    advance.reserve(size_t(rows));
    volts.reserve(size_t(rows));
    flags.reserve(size_t(rows));
    saving.reserve(size_t(rows));
}

RecordingRead ParseRecording(QByteArrayView text)
{
    RecordingRead result;
    const char *at = text.data();
    const char *const end = at + text.size();
    if (text.startsWith("\xEF\xBB\xBF"))
        at += 3;

    const auto lineEnd = [end](const char *from) {
        const void *found = std::memchr(from, '\n', size_t(end - from));
        return found ? static_cast<const char *>(found) : end;
    };
    const auto contentEnd = [](const char *begin, const char *stop) {
        return stop > begin && stop[-1] == '\r' ? stop - 1 : stop;
    };

    const char *headerStop = lineEnd(at);
    const char *headerEnd = contentEnd(at, headerStop);
    char separator = ',';
    if (!readHeader(at, headerEnd, separator)) {
        separator = ';';
        if (!readHeader(at, headerEnd, separator)) {
            result.problem = {RecordingProblem::NotARecording, 1, {}};
            return result;
        }
    }
    const bool decimalComma = separator == ';';
    at = headerStop == end ? end : headerStop + 1;
    // Rows of the recorder are 30 to 45 bytes long; the guess only saves reallocation.
    result.recording.reserve((end - at) / 32 + 1);

    Recording &r = result.recording;
    std::array<Field, Columns + 1> fields{};
    qint64 row = 1;
    while (at < end) {
        ++row;
        const char *stop = lineEnd(at);
        const bool whole = stop != end;
        const char *lineStop = contentEnd(at, stop);
        const char *lineStart = at;
        at = whole ? stop + 1 : end;
        if (lineStop == lineStart)
            continue; // a blank line, as a spreadsheet may leave at the end

        // A last line without its line end that breaks off, short of fields or inside
        // its last one, is a row cut short: not an error in the file.
        const auto fail = [&](RecordingProblem::Kind kind, const QString &detail, bool couldBeCut) {
            if (!whole && couldBeCut)
                result.cutOff = true;
            else
                result.problem = {kind, row, detail};
        };
        const int count = splitFields(lineStart, lineStop, separator, fields);
        if (count != Columns) {
            fail(RecordingProblem::FieldCount, QString::number(count), count < Columns);
            break;
        }
        double seconds = 0;
        double volts = 0;
        quint16 rpm = 0;
        quint8 advance = 0;
        quint16 saving = 0;
        quint8 flags = 0;
        int bad = -1;
        if (!readDecimal(fields[0], decimalComma, seconds) || seconds < 0 || seconds > MaxSeconds)
            bad = 0;
        else if (!readUnsigned(fields[1], rpm))
            bad = 1;
        else if (!readUnsigned(fields[2], advance))
            bad = 2;
        else if (!readDecimal(fields[3], decimalComma, volts) || std::abs(volts) > 1000)
            bad = 3;
        else if (!readFlag(fields[4], Recording::Blocking, flags))
            bad = 4;
        else if (!readFlag(fields[5], Recording::Neutral, flags))
            bad = 5;
        else if (!readFlag(fields[6], Recording::SideStand, flags))
            bad = 6;
        else if (!readFlag(fields[7], Recording::Pickup1, flags))
            bad = 7;
        else if (!readFlag(fields[8], Recording::Pickup2, flags))
            bad = 8;
        else if (!readUnsigned(fields[9], saving))
            bad = 9;
        if (bad >= 0) {
            const Field &f = fields[bad];
            fail(RecordingProblem::NotANumber,
                 QString::fromUtf8(f.begin, std::min<qsizetype>(f.end - f.begin, 40)), bad == Columns - 1);
            break;
        }
        const qint64 ms = std::llround(seconds * 1000.0);
        if (!r.timeMs.empty() && ms < r.timeMs.back()) {
            fail(RecordingProblem::TimeGoesBack,
                 QString::fromUtf8(fields[0].begin, fields[0].end - fields[0].begin), false);
            break;
        }
        r.timeMs.push_back(ms);
        r.rpm.push_back(rpm);
        r.advance.push_back(advance);
        r.volts.push_back(float(volts));
        r.flags.push_back(flags);
        r.saving.push_back(saving);
    }
    return result;
}

RecordingRead ReadRecordingFile(const QString &path)
{
    RecordingRead result;
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile()) {
        result.problem = {RecordingProblem::CannotRead, 0,
                          info.exists() ? QStringLiteral("not a regular file")
                                        : QStringLiteral("no such file")};
        return result;
    }
    if (info.size() > MaxRecordingFileSize) {
        result.problem = {RecordingProblem::TooLarge, 0, QString::number(MaxRecordingFileSize >> 20)};
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = {RecordingProblem::CannotRead, 0, file.errorString()};
        return result;
    }
    // Read whole rather than mapped: a recording cut back by its writer while mapped
    // would end the program on the missing page.
    const qint64 size = file.size();
    const QByteArray all = file.read(size);
    if (file.error() != QFileDevice::NoError) {
        result.problem = {RecordingProblem::CannotRead, 0, file.errorString()};
        return result;
    }
    return ParseRecording(all);
}

QString RecordingReadMessage(const RecordingRead &read, const QString &fileName, quint8 language)
{
    return RecordingReadMessage(read.problem, read.cutOff, read.recording.rows(), fileName, language);
}

QString RecordingReadMessage(const RecordingProblem &p, bool cutOff, qsizetype rows, const QString &fileName,
                             quint8 language)
{
    QStringList parts;
    switch (p.kind) {
    case RecordingProblem::None:
        break;
    case RecordingProblem::CannotRead:
        return AddedTextFor(AddedText::RecordingCannotRead, language).arg(fileName, p.detail);
    case RecordingProblem::NotARecording:
        return AddedTextFor(AddedText::RecordingNotRecording, language).arg(fileName);
    case RecordingProblem::TooLarge:
        return AddedTextFor(AddedText::RecordingTooLarge, language).arg(fileName, p.detail);
    case RecordingProblem::FieldCount:
        parts << AddedTextFor(AddedText::RecordingFieldCount, language).arg(p.row).arg(p.detail);
        break;
    case RecordingProblem::NotANumber:
        parts << AddedTextFor(AddedText::RecordingNotNumber, language).arg(p.row).arg(p.detail);
        break;
    case RecordingProblem::TimeGoesBack:
        parts << AddedTextFor(AddedText::RecordingTimeBack, language).arg(p.row).arg(p.detail);
        break;
    }
    if (p.kind != RecordingProblem::None)
        parts << AddedTextFor(AddedText::RecordingRowsShown, language).arg(rows);
    if (cutOff)
        parts << AddedTextFor(AddedText::RecordingCutOff, language);
    if (rows == 0 && p.kind == RecordingProblem::None)
        parts << AddedTextFor(AddedText::RecordingNoRows, language);
    if (parts.isEmpty())
        return {};
    return fileName + QStringLiteral(":\n") + parts.join(u' ');
}
