#include "EndingSignals.h"

#include <QtGlobal>

#include <array>
#include <atomic>
#include <csignal>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <unistd.h>
#endif

namespace {

#ifdef SIGHUP
constexpr std::array<int, 3> Caught{SIGTERM, SIGHUP, SIGINT};
#else
constexpr std::array<int, 2> Caught{SIGTERM, SIGINT};
#endif

// Shared with the handler, which may run at any moment (on Windows on a thread of its
// own), hence lock-free atomics only.
std::atomic<int> g_count{0};
std::atomic<int> g_last{0};
std::atomic<int> g_wake{-1};
std::atomic<bool> g_taken{false};
static_assert(std::atomic<int>::is_always_lock_free);

#ifdef Q_OS_UNIX
struct sigaction g_previous[Caught.size()];
#else
using Handler = void (*)(int);
Handler g_previous[Caught.size()];
#endif

extern "C" void onEndingSignal(int signalNumber)
{
    g_last.store(signalNumber);
    g_count.fetch_add(1);
#ifdef Q_OS_UNIX
    const int wake = g_wake.load();
    if (wake >= 0) {
        const int savedErrno = errno;
        const unsigned char byte = static_cast<unsigned char>(signalNumber);
        // A full socket only means the event loop has a signal to read already.
        [[maybe_unused]] const ssize_t n = ::write(wake, &byte, 1);
        errno = savedErrno;
    }
#endif
}

} // namespace

EndingSignals::EndingSignals(int wakeDescriptor)
{
    if (g_taken.exchange(true))
        return;
    m_catching = true;
    g_count.store(0);
    g_last.store(0);
    g_wake.store(wakeDescriptor);
#ifdef Q_OS_UNIX
    struct sigaction action
    {
    };
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < Caught.size(); ++i)
        ::sigaction(Caught[i], &action, &g_previous[i]);
#else
    Q_UNUSED(wakeDescriptor);
    for (size_t i = 0; i < Caught.size(); ++i)
        g_previous[i] = std::signal(Caught[i], onEndingSignal);
#endif
}

EndingSignals::~EndingSignals()
{
    if (!m_catching)
        return;
#ifdef Q_OS_UNIX
    for (size_t i = 0; i < Caught.size(); ++i)
        ::sigaction(Caught[i], &g_previous[i], nullptr);
#else
    for (size_t i = 0; i < Caught.size(); ++i)
        std::signal(Caught[i], g_previous[i] == SIG_ERR ? SIG_DFL : g_previous[i]);
#endif
    g_wake.store(-1);
    g_taken.store(false);
}

int EndingSignals::count() const
{
    return m_catching ? g_count.load() : 0;
}

int EndingSignals::lastSignal() const
{
    return m_catching ? g_last.load() : 0;
}

int EndingSignals::exitCode() const
{
    const int last = lastSignal();
    return 128 + (last != 0 ? last : SIGINT);
}

void EndingSignals::endAtOnce()
{
    if (!m_catching)
        return;
    for (const int signalNumber : Caught)
        std::signal(signalNumber, SIG_DFL);
}
