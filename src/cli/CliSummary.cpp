#include "CliSummary.h"

#include "AppPaths.h"
#include "IgnitionParameters.h"
#include "ParameterSnapshot.h"
#include "RecordingSummary.h"

#include <cstdio>

int RunSummaryCommand(const CliOptions &options)
{
    // The limiter of the set the window last held, which is what the rider tuned; the
    // summary names it beside the time.
    IgnitionParameters set;
    loadParameterSnapshot(snapshotFilePath(), set.image);
    const RecordingSummaryOutput output =
        SummariseRecordingFile(options.file, set.LIMITER() * 100, options.json);
    std::fputs(output.out.toUtf8().constData(), stdout);
    std::fflush(stdout);
    std::fputs(output.err.toUtf8().constData(), stderr);
    return output.damaged ? ExitFile : ExitDone;
}
