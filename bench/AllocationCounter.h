// Counts heap allocations for a benchmark. Include in exactly one source file of the
// executable: it replaces the global operator new (and, with KORVO_COUNT_MALLOC, malloc).

#pragma once

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

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

// The counts at the moment of construction.
struct Counts
{
    long news = newCalls.load();
    long mallocs = mallocCalls.load();
};

// Allocations since `before`, averaged over the iterations, as "new/<unit>" (and
// "malloc/<unit>" where malloc is counted).
static void reportAllocations(benchmark::State &state, const Counts &before, const char *unit)
{
    const Counts after;
    state.counters[std::string("new/") + unit] =
        benchmark::Counter(double(after.news - before.news), benchmark::Counter::kAvgIterations);
#ifdef KORVO_COUNT_MALLOC
    state.counters[std::string("malloc/") + unit] =
        benchmark::Counter(double(after.mallocs - before.mallocs), benchmark::Counter::kAvgIterations);
#endif
}
