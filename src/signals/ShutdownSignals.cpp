#include "ShutdownSignals.h"

#include "EndingSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler writes into [0], the event loop reads [1].
int g_pair[2] = {-1, -1};
struct sigaction g_previousFileSize;

} // namespace

ShutdownSignals::ShutdownSignals(QObject *parent) : QObject(parent)
{
    if (g_pair[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pair) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ShutdownSignals::readPending);

    m_signals = std::make_unique<EndingSignals>(g_pair[0]);

    struct sigaction ignore
    {
    };
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &g_previousFileSize);
}

ShutdownSignals::~ShutdownSignals()
{
    if (!m_notifier)
        return;
    m_signals.reset();
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

ShutdownSignals::ShutdownSignals(QObject *parent) : QObject(parent) {}

ShutdownSignals::~ShutdownSignals() = default;

void ShutdownSignals::readPending() {}

#endif
