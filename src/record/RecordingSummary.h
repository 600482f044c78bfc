#pragma once

#include "Recording.h"

#include <QJsonObject>
#include <QString>

// What a workshop notes after a run. Each row's values hold until the next row, so the
// times are sums of row intervals; the last row adds no time.
struct RecordingSummary
{
    qint64 rows = 0;
    qint64 durationMs = 0;
    int rpmMin = 0;
    int rpmMax = 0;
    int limiterRpm = 0;     // 0: not known, no time above it is counted
    qint64 msAtLimiter = 0; // at or above the limiter, where the unit cuts the sparks
    int advanceMin = 0;
    int advanceMax = 0;
    double voltsMin = 0;
    double voltsMax = 0;
    qint64 msSideStandDown = 0;

    static RecordingSummary Of(const Recording &recording, int limiterRpm);

    // Lines of "name: value" for a terminal, in English as scripts expect.
    QString text() const;
    // The same as numbers; the limiter fields are null when it is not known.
    QJsonObject json() const;
};

// korvo-cli's summary of a file: the summary on `out` (text, or one JSON object on one
// line), and what is wrong with the file on `err`, in English. `damaged` when the file
// could not be read, is no recording or has a bad row: the rows before that are
// summarised all the same, and a script learns from the exit code.
struct RecordingSummaryOutput
{
    QString out;
    QString err;
    bool damaged = false;
};
RecordingSummaryOutput SummariseRecordingFile(const QString &path, int limiterRpm, bool json);
