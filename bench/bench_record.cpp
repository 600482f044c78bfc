// Time and heap allocations of one recorded row, the file written through to the kernel.
// Run: build/bench/bench_record

#include "LiveRecorder.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <atomic>
#include <cstdlib>
#include <new>

// Two counts: operator new (C++ objects, std containers), and malloc itself, which is
// where QString and QByteArray get their storage. operator new goes to the C library
// directly so that nothing is counted twice.
static std::atomic<long> newCalls{0};
static std::atomic<long> mallocCalls{0};

#ifdef KORVO_COUNT_MALLOC
extern "C" {
void *__libc_malloc(std::size_t);
void *__libc_calloc(std::size_t, std::size_t);
void *__libc_realloc(void *, std::size_t);
void __libc_free(void *);

void *malloc(std::size_t size)
{
    mallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}
void *calloc(std::size_t count, std::size_t size)
{
    mallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}
void *realloc(void *p, std::size_t size)
{
    mallocCalls.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, size);
}
void free(void *p)
{
    __libc_free(p);
}
}
static void *rawAllocate(std::size_t size)
{
    return __libc_malloc(size ? size : 1);
}
static void rawFree(void *p)
{
    __libc_free(p);
}
#else
static void *rawAllocate(std::size_t size)
{
    return std::malloc(size ? size : 1);
}
static void rawFree(void *p)
{
    std::free(p);
}
#endif

void *operator new(std::size_t size)
{
    newCalls.fetch_add(1, std::memory_order_relaxed);
    if (void *p = rawAllocate(size))
        return p;
    throw std::bad_alloc();
}
void *operator new[](std::size_t size)
{
    return operator new(size);
}
void operator delete(void *p) noexcept
{
    rawFree(p);
}
void operator delete[](void *p) noexcept
{
    rawFree(p);
}
void operator delete(void *p, std::size_t) noexcept
{
    rawFree(p);
}
void operator delete[](void *p, std::size_t) noexcept
{
    rawFree(p);
}

struct Counts
{
    long news = newCalls.load();
    long mallocs = mallocCalls.load();
};

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
    const Counts after;
    state.counters["new/row"] =
        benchmark::Counter(double(after.news - before.news), benchmark::Counter::kAvgIterations);
#ifdef KORVO_COUNT_MALLOC
    state.counters["malloc/row"] =
        benchmark::Counter(double(after.mallocs - before.mallocs), benchmark::Counter::kAvgIterations);
#endif
}
BENCHMARK(BM_RecordRow);

BENCHMARK_MAIN();
