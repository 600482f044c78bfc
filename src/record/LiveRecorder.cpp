#include "LiveRecorder.h"

#include "SteadyClock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <charconv>
#include <cstring>

namespace {

// Appends text; the row buffer is sized for the longest row, so nothing is cut.
char *put(char *at, const char *text)
{
    const size_t length = std::strlen(text);
    std::memcpy(at, text, length);
    return at + length;
}

char *putInt(char *at, char *end, long long value)
{
    return std::to_chars(at, end, value).ptr;
}

char *putFlag(char *at, bool on)
{
    *at++ = ',';
    *at++ = on ? '1' : '0';
    return at;
}

} // namespace

LiveRecorder::LiveRecorder(Clock clock) : m_clock(clock ? std::move(clock) : Clock(SteadyClockMs)) {}

LiveRecorder::~LiveRecorder()
{
    stop();
}

QString LiveRecorder::FileNameFor(const QDateTime &localTime)
{
    return QStringLiteral("korvo-live-%1.csv").arg(localTime.toString(QStringLiteral("yyyyMMdd-HHmmss")));
}

int LiveRecorder::FormatRow(qint64 elapsedMs, const LiveValues &values, std::array<char, 128> &buffer)
{
    char *const begin = buffer.data();
    char *const end = begin + buffer.size();
    char *at = putInt(begin, end, elapsedMs / 1000);
    const int millis = int(elapsedMs % 1000);
    *at++ = '.';
    *at++ = char('0' + millis / 100);
    *at++ = char('0' + millis / 10 % 10);
    *at++ = char('0' + millis % 10);
    *at++ = ',';
    at = putInt(at, end, values.rpm);
    *at++ = ',';
    at = putInt(at, end, values.advance);
    *at++ = ',';
    // The volts the monitor shows, rounded as it rounds them; to_chars ignores the locale.
    at = std::to_chars(at, end, double(LiveVolts(values.millivolts)), std::chars_format::fixed, 1).ptr;
    at = putFlag(at, values.blocking);
    at = putFlag(at, values.neutral);
    at = putFlag(at, values.sideStand);
    at = putFlag(at, values.pickup1);
    at = putFlag(at, values.pickup2);
    *at++ = ',';
    at = putInt(at, end, values.savingCountdown);
    at = put(at, "\n");
    return int(at - begin);
}

bool LiveRecorder::start(const QString &path)
{
    stop();
    m_path = path;
    m_rows = 0;
    m_size = 0;
    m_error.clear();
    m_file.setFileName(path);
    // NewOnly: an existing file, a link or a device is never written into.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        m_error = m_file.errorString();
        return false;
    }
    m_startMs = m_clock();
    if (!writeAll(Header, qint64(sizeof(Header) - 1))) {
        m_file.close();
        m_file.remove();
        return false;
    }
    return true;
}

bool LiveRecorder::startInFolder(const QString &folder, const QDateTime &now)
{
    if (!QDir().mkpath(folder)) {
        m_path = folder;
        m_error = QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    const QString name = FileNameFor(now);
    QString path = QDir(folder).filePath(name);
    for (int n = 2; QFileInfo::exists(path) || QFileInfo(path).isSymLink(); ++n)
        path = QDir(folder).filePath(name.chopped(4) + QStringLiteral("-%1.csv").arg(n));
    return start(path);
}

bool LiveRecorder::addRow(const LiveValues &values)
{
    if (!isRecording())
        return false;
    const int length = FormatRow(m_clock() - m_startMs, values, m_row);
    if (!writeAll(m_row.data(), length)) {
        stop();
        return false;
    }
    ++m_rows;
    return true;
}

bool LiveRecorder::writeAll(const char *data, qint64 length)
{
    if (m_file.write(data, length) == length) {
        m_size += length;
        return true;
    }
    m_error = m_file.error() != QFileDevice::NoError ? m_file.errorString()
                                                     : QStringLiteral("The file could not be written");
    // A row cut short by the disk would leave a broken last line; the file keeps the
    // rows that were whole.
    m_file.resize(m_size);
    return false;
}

void LiveRecorder::stop()
{
    if (m_file.isOpen())
        m_file.close();
}
