#pragma once

#include "LiveValues.h"

#include <QFile>
#include <QString>

#include <array>
#include <functional>

class QDateTime;

// Records live values into a CSV file: a header, then one row per live frame, each
// written to the file the moment it is made, so a crash of the program loses at most
// the row being written. Numbers are formatted by hand: a dot for decimals whatever the
// locale, and nothing is allocated for a row.
//
// A write that fails (a full disk, a file size limit) stops the recording: whatever
// part of the row reached the file is cut off again, so the file ends with the last
// whole row, and errorString() says why.
class LiveRecorder
{
public:
    // Milliseconds of a monotonic clock; row times count from the start of a recording.
    using Clock = std::function<qint64()>;

    static constexpr char Header[] =
        "time_s,rpm,advance_deg,voltage_v,blocking,neutral,side_stand,pickup1,pickup2,saving\n";

    // No clock: a steady clock of the system.
    explicit LiveRecorder(Clock clock = {});
    ~LiveRecorder();
    LiveRecorder(const LiveRecorder &) = delete;
    LiveRecorder &operator=(const LiveRecorder &) = delete;

    // "korvo-live-YYYYMMDD-HHMMSS.csv" for a local time.
    static QString FileNameFor(const QDateTime &localTime);

    // Creates the file at path, which must not exist yet (nothing is ever replaced), and
    // writes the header. A recording still running is stopped first.
    bool start(const QString &path);
    // Starts under FileNameFor(now) in folder, made if missing; when that name is taken
    // (two recordings in one second), "-2", "-3", ... are put before ".csv".
    bool startInFolder(const QString &folder, const QDateTime &now);
    // Appends one row. False, with the recording stopped, when it could not be written.
    bool addRow(const LiveValues &values);
    // Closes the file; the rows written stay.
    void stop();

    bool isRecording() const { return m_file.isOpen(); }
    qint64 rows() const { return m_rows; }
    // The file of the current or last recording.
    QString filePath() const { return m_path; }
    // Why the last start or row failed; empty after a success.
    QString errorString() const { return m_error; }

    // The row for values at `elapsedMs` into the buffer; returns its length.
    static int FormatRow(qint64 elapsedMs, const LiveValues &values, std::array<char, 128> &buffer);

private:
    bool writeAll(const char *data, qint64 length);

    Clock m_clock;
    QFile m_file;
    QString m_path;
    QString m_error;
    qint64 m_startMs = 0;
    qint64 m_rows = 0;
    qint64 m_size = 0; // bytes of whole rows in the file
    std::array<char, 128> m_row{};
};
