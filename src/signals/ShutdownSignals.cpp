#include "ShutdownSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> EndingSignals{SIGTERM, SIGHUP, SIGINT};

// Written by the handler, read by the event loop.
int g_pair[2] = {-1, -1};
struct sigaction g_previous[EndingSignals.size()];
struct sigaction g_previousFileSize;

extern "C" void onEndingSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Async-signal-safe; a full socket only means a shutdown is already on its way.
    [[maybe_unused]] const ssize_t n = ::write(g_pair[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

ShutdownSignals::ShutdownSignals(QObject *parent)
    : QObject(parent)
{
    if (g_pair[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pair) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignals::readPending);

    struct sigaction action{};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < EndingSignals.size(); ++i)
        ::sigaction(EndingSignals[i], &action, &g_previous[i]);

    struct sigaction ignore{};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &g_previousFileSize);
}

ShutdownSignals::~ShutdownSignals()
{
    if (!m_notifier)
        return;
    for (size_t i = 0; i < EndingSignals.size(); ++i)
        ::sigaction(EndingSignals[i], &g_previous[i], nullptr);
    ::sigaction(SIGXFSZ, &g_previousFileSize, nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(g_pair[0]);
    ::close(g_pair[1]);
    g_pair[0] = g_pair[1] = -1;
}

void ShutdownSignals::readPending()
{
    unsigned char bytes[16];
    ssize_t n = 0;
    while ((n = ::read(g_pair[1], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < n; ++i)
            emit received(bytes[i]);
    }
}

#else

ShutdownSignals::ShutdownSignals(QObject *parent)
    : QObject(parent)
{
}

ShutdownSignals::~ShutdownSignals() = default;

void ShutdownSignals::readPending() {}

#endif
