#pragma once

#include <QtGlobal>

#include <chrono>

// Milliseconds of the system's steady clock: the one time base of live values, for the
// recorder's row times and the curve window's trail alike. It never goes back when the
// wall clock is set.
inline qint64 SteadyClockMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
