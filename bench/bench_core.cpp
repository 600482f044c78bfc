// Figures for the parameter core: normalising, recording an undo step, and writing and
// reading a parameter file. Run: build/bench/bench_core
#include "IgnitionParameters.h"
#include "ParameterFile.h"
#include "UndoHistory.h"

#include <benchmark/benchmark.h>

static IgnitionParameters fallingCurve()
{
    IgnitionParameters set;
    for (int i = 0; i < CurvePoints; ++i)
        set.RPM_ADV(i) = quint8(200 - i * 20);
    return set;
}

static void BM_NormaliseParameters(benchmark::State &state)
{
    const IgnitionParameters start = fallingCurve();
    SessionSettings settings{9, 30, 25};
    for (auto _ : state) {
        IgnitionParameters set = start;
        NormaliseParameters(set, settings);
        benchmark::DoNotOptimize(set);
    }
}
BENCHMARK(BM_NormaliseParameters);

static void BM_RecordChange(benchmark::State &state)
{
    UndoHistory history;
    IgnitionParameters set;
    history.ResetUndoHistory(set);
    quint8 n = 0;
    for (auto _ : state) {
        set.ADVANCE(0) = ++n;
        benchmark::DoNotOptimize(history.RecordChange(set));
    }
}
BENCHMARK(BM_RecordChange);

static void BM_RecordChangeUnchanged(benchmark::State &state)
{
    UndoHistory history;
    IgnitionParameters set;
    history.ResetUndoHistory(set);
    for (auto _ : state)
        benchmark::DoNotOptimize(history.RecordChange(set));
}
BENCHMARK(BM_RecordChangeUnchanged);

static void BM_WriteParameterFile(benchmark::State &state)
{
    const IgnitionParameters set = fallingCurve();
    for (auto _ : state)
        benchmark::DoNotOptimize(ParameterFileText(set));
}
BENCHMARK(BM_WriteParameterFile);

static void BM_ReadParameterFile(benchmark::State &state)
{
    const QByteArray text = ParameterFileText(fallingCurve());
    for (auto _ : state) {
        IgnitionParameters set;
        benchmark::DoNotOptimize(ReadParameterFile(QByteArrayView(text), set));
    }
}
BENCHMARK(BM_ReadParameterFile);

BENCHMARK_MAIN();
