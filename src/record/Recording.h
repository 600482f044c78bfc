#pragma once

#include <QByteArrayView>
#include <QString>

#include <vector>

// A recording of live values as columns, one entry per row, in the order of the file.
// Row times never go back, so a moment is found by binary search.
struct Recording
{
    enum Flag : quint8
    {
        Blocking = 1,
        Neutral = 2,
        SideStand = 4,
        Pickup1 = 8,
        Pickup2 = 16
    };
    static constexpr int FlagCount = 5;

    std::vector<qint64> timeMs;
    std::vector<quint16> rpm;
    std::vector<quint8> advance; // degrees
    std::vector<float> volts;
    std::vector<quint8> flags; // Flag bits
    std::vector<quint16> saving;

    qsizetype rows() const { return qsizetype(timeMs.size()); }
    bool isEmpty() const { return timeMs.empty(); }
    qint64 durationMs() const { return isEmpty() ? 0 : timeMs.back() - timeMs.front(); }
    // The row shown at a moment: the last one at or before it, the first before the start.
    qsizetype rowAt(qint64 ms) const;
    // The first row at or after a moment (rows() when none is).
    qsizetype firstRowFrom(qint64 ms) const;
    void reserve(qsizetype rows);
};

// What went wrong reading a recording. Rows before a bad row are kept.
struct RecordingProblem
{
    enum Kind
    {
        None,
        CannotRead,    // detail: why (the system's text)
        TooLarge,      // past MaxFileSize: no recording of ours, and more than memory allows
        NotARecording, // the first line is not our header
        FieldCount,    // detail: how many fields the row has
        NotANumber,    // detail: the field as it stands
        TimeGoesBack,  // detail: the row's time
    };
    Kind kind = None;
    qint64 row = 0; // the file's line, 1 for the header, as a spreadsheet counts rows
    QString detail;
};

struct RecordingRead
{
    Recording recording;
    RecordingProblem problem;
    // The file ended inside a row (a recording cut off by a full disk or still being
    // written): that row is left out, the file is otherwise whole.
    bool cutOff = false;
};

// The columns of the recorder's CSV. Reads the window's recordings and korvo-cli's
// alike, whatever the locale of the program that reads it; a file saved again by a
// spreadsheet in a locale with a decimal comma (";" between fields, "," in numbers)
// reads too, as do CR LF line ends and a byte-order mark.
RecordingRead ParseRecording(QByteArrayView text);
// Only a regular file is read: a pipe would block and a device never end. It is read
// whole, then taken apart; past this size it is not read at all.
constexpr qint64 MaxRecordingFileSize = qint64(512) << 20; // some 15 million rows
RecordingRead ReadRecordingFile(const QString &path);

// What to tell the user after reading fileName (as it is to be shown), in a language of
// the added texts: the problem naming its row, how many rows are shown regardless, and a
// note on a cut-off last row. Empty when the file read whole.
QString RecordingReadMessage(const RecordingRead &read, const QString &fileName, quint8 languageIndex);
// The same once the rows have gone elsewhere: `rows` is how many were read.
QString RecordingReadMessage(const RecordingProblem &problem, bool cutOff, qsizetype rows,
                             const QString &fileName, quint8 languageIndex);
