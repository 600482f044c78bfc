// Time and heap allocations of one recorded row, the file written through to the kernel.
// Run: build/bench/bench_record

#include "AllocationCounter.h"
#include "LiveRecorder.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

static void BM_RecordRow(benchmark::State &state)
{
    QTemporaryDir dir;
    LiveRecorder recorder;
    if (!recorder.start(dir.filePath(QStringLiteral("bench.csv")))) {
        state.SkipWithError("cannot create the file");
        return;
    }
    LiveValues values;
    values.rpm = 6230;
    values.advance = 31;
    values.millivolts = 13577;
    values.pickup1 = true;
    recorder.addRow(values); // the first row
    const Counts before;
    for (auto _ : state) {
        ++values.rpm;
        if (!recorder.addRow(values)) {
            state.SkipWithError("write failed");
            break;
        }
    }
    reportAllocations(state, before, "row");
}
BENCHMARK(BM_RecordRow);

BENCHMARK_MAIN();
