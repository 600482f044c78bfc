// Time and heap allocations of one link tick against the in-memory line.
// Run: build/bench/bench_link

#include "AllocationCounter.h"
#include "FakeUnitPort.h"
#include "LinkDriver.h"
#include "MessageTable.h"

#include <benchmark/benchmark.h>

struct Bench
{
    IgnitionParameters set;
    SessionSettings settings;
    MessageTable messages;
    FakeUnitPortProvider ports;
    std::unique_ptr<LinkDriver> link;

    Bench()
    {
        set.LIMITER() = 120;
        for (int i = 0; i < CurvePoints; ++i) {
            set.RPM_ADV(i) = DefaultRpmCurve[i];
            set.ADVANCE(i) = DefaultAdvanceCurve[i];
        }
        messages.load(LanguageEnglish);
        ports.setRecordWrites(false);
        link = std::make_unique<LinkDriver>(set, settings, messages, ports);
        link->OpenUnitPort();
        UnitLinkProbe::setLiveRpm(link->unit(), 4200);
    }
};

// Monitoring with the unit connected and nothing arriving: poll, a monitor request every
// sixth tick, message area, watchdog, curve highlight.
static void BM_IdleTick(benchmark::State &state)
{
    Bench b;
    for (int i = 0; i < 300; ++i) { // message area expired, steady state
        UnitLinkProbe::setLinkWatchdog(b.link->unit(), 0);
        b.link->Timer1Timer();
    }
    const Counts before;
    for (auto _ : state) {
        UnitLinkProbe::setLinkWatchdog(b.link->unit(), 0); // as if a frame had come a moment ago: no reopen
        b.link->Timer1Timer();
    }
    reportAllocations(state, before, "tick");
}
BENCHMARK(BM_IdleTick);

// The same with "Programing: OK" standing in the message area.
static void BM_IdleTickProgrammedOk(benchmark::State &state)
{
    Bench b;
    b.link->ProgrammedOk = true;
    b.link->ShowLinkMessage(QStringLiteral("Programing: OK"), NamedColour::BtnFace);
    b.link->Timer1Timer();
    const Counts before;
    for (auto _ : state) {
        UnitLinkProbe::setLinkWatchdog(b.link->unit(), 0);
        b.link->MessageTicks = 200;
        b.link->Timer1Timer();
    }
    reportAllocations(state, before, "tick");
}
BENCHMARK(BM_IdleTickProgrammedOk);

// A transfer waiting for its answer: a resend every fourth tick, never abandoned.
static void BM_TransferTick(benchmark::State &state)
{
    Bench b;
    b.link->StartProgram();
    const Counts before;
    for (auto _ : state) {
        UnitLinkProbe::setSendAttempts(b.link->unit(), 1);
        UnitLinkProbe::setLinkWatchdog(b.link->unit(), 0);
        b.link->Timer1Timer();
    }
    reportAllocations(state, before, "tick");
}
BENCHMARK(BM_TransferTick);

// A tick that receives and shows a live frame, the engine speed, voltage and a test value
// changing from frame to frame as on a running engine. The first frame builds the
// captions; after it they are rewritten in place.
static void BM_LiveFrameTick(benchmark::State &state)
{
    Bench b;
    std::array<UnitFrame, 2> frames{};
    for (int i = 0; i < 2; ++i) {
        UnitFrame &live = frames[i];
        live[0] = AnswerLiveData;
        live[1] = quint8(0x70 + i);
        live[2] = 0x17;
        live[5] = quint8(20 + i);
        live[9] = quint8(0xB7 - 40 * i);
        live[10] = 0x06;
        live[13] = quint8(i);
        live[31] = quint8(i);
        live[50] = 61;
        SealFrame(live);
    }
    for (const UnitFrame &live : frames) {
        b.ports.feed(live);
        b.link->Timer1Timer();
    }
    const Counts before;
    int i = 0;
    for (auto _ : state) {
        b.ports.feed(frames[size_t(i++ & 1)]);
        b.link->Timer1Timer();
    }
    reportAllocations(state, before, "tick");
}
BENCHMARK(BM_LiveFrameTick);

BENCHMARK_MAIN();
