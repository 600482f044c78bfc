#include "FuzzCheck.h"
#include "Recording.h"
#include "RecordingSummary.h"
#include "RecordingVisits.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

// Recordings of live values, opened from wherever the user found them. Whatever the
// bytes, the columns stay of one length, time never goes back, the message says what
// the reader found, and everything drawn from the rows stays within them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView text(reinterpret_cast<const char *>(data), qsizetype(size));
    const RecordingRead read = ParseRecording(text);
    const Recording &r = read.recording;
    const auto rows = size_t(r.rows());
    FUZZ_CHECK(r.rpm.size() == rows && r.advance.size() == rows && r.volts.size() == rows &&
               r.flags.size() == rows && r.saving.size() == rows);
    for (size_t i = 1; i < rows; ++i)
        FUZZ_CHECK(r.timeMs[i] >= r.timeMs[i - 1]);
    for (size_t i = 0; i < rows; ++i)
        FUZZ_CHECK(r.timeMs[i] >= 0 && r.flags[i] < (1u << Recording::FlagCount));

    // Every row and the header are a line of their own.
    const qsizetype lines = text.count('\n') + 1;
    FUZZ_CHECK(qsizetype(rows) < lines);
    const RecordingProblem &p = read.problem;
    FUZZ_CHECK(p.kind != RecordingProblem::CannotRead && p.kind != RecordingProblem::TooLarge);
    FUZZ_CHECK((p.kind == RecordingProblem::None) == (p.row == 0));
    FUZZ_CHECK(p.row <= lines);
    FUZZ_CHECK(p.kind != RecordingProblem::NotARecording || rows == 0);
    // A row cut off at the end is no problem; a problem ends the reading before the end.
    FUZZ_CHECK(!(read.cutOff && p.kind != RecordingProblem::None));
    const bool whole = p.kind == RecordingProblem::None && !read.cutOff && rows > 0;
    FUZZ_CHECK(RecordingReadMessage(read, QStringLiteral("f.csv"), 0).isEmpty() == whole);

    if (rows > 0) {
        FUZZ_CHECK(r.rowAt(r.timeMs.front() - 1) == 0);
        FUZZ_CHECK(r.rowAt(r.timeMs.back()) == r.rows() - 1);
        const RecordingSummary s = RecordingSummary::Of(r, 9000);
        FUZZ_CHECK(s.msAtLimiter <= s.durationMs && s.msSideStandDown <= s.durationMs);
        FUZZ_CHECK(s.rpmMin <= s.rpmMax && s.advanceMin <= s.advanceMax && s.voltsMin <= s.voltsMax);
        const RecordingVisits visits(r);
        FUZZ_CHECK(visits.most() >= 1 && visits.most() <= rows);
    }
    return 0;
}
