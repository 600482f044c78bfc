#include "EndingSignals.h"

#include <QTest>

#include <array>
#include <csignal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

class tst_EndingSignals : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void countsAndKeepsTheLast_data();
    void countsAndKeepsTheLast();
    void givesBackWhatItFound();
    void secondObjectCatchesNothing();
    void endAtOnceLeavesThemToTheSystem();
    void wakesThroughDescriptor();
};

#ifdef Q_OS_UNIX

namespace {

constexpr std::array<int, 3> Ending{SIGINT, SIGTERM, SIGHUP};

// Stands in for whatever handled the signals before, so that a signal that gets past
// the object under test is seen instead of ending the test.
volatile std::sig_atomic_t g_seenBefore = 0;
extern "C" void recordBefore(int)
{
    g_seenBefore = g_seenBefore + 1;
}

std::array<struct sigaction, Ending.size()> g_outside;

bool handledBy(int signalNumber, void (*handler)(int))
{
    struct sigaction current
    {
    };
    ::sigaction(signalNumber, nullptr, &current);
    return current.sa_handler == handler;
}

} // namespace

void tst_EndingSignals::init()
{
    g_seenBefore = 0;
    struct sigaction before
    {
    };
    before.sa_handler = recordBefore;
    sigemptyset(&before.sa_mask);
    for (size_t i = 0; i < Ending.size(); ++i)
        ::sigaction(Ending[i], &before, &g_outside[i]);
}

void tst_EndingSignals::cleanup()
{
    for (size_t i = 0; i < Ending.size(); ++i)
        ::sigaction(Ending[i], &g_outside[i], nullptr);
}

void tst_EndingSignals::countsAndKeepsTheLast_data()
{
    QTest::addColumn<QList<int>>("raised");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("none") << QList<int>{} << 0 << 0 << 130;
    QTest::newRow("Ctrl+C") << QList<int>{SIGINT} << 1 << SIGINT << 130;
    QTest::newRow("SIGTERM") << QList<int>{SIGTERM} << 1 << SIGTERM << 143;
    QTest::newRow("hang-up") << QList<int>{SIGHUP} << 1 << SIGHUP << 129;
    QTest::newRow("Ctrl+C twice") << QList<int>{SIGINT, SIGINT} << 2 << SIGINT << 130;
    QTest::newRow("Ctrl+C, then SIGTERM") << QList<int>{SIGINT, SIGTERM} << 2 << SIGTERM << 143;
}

void tst_EndingSignals::countsAndKeepsTheLast()
{
    QFETCH(QList<int>, raised);
    QFETCH(int, count);
    QFETCH(int, last);
    QFETCH(int, exitCode);

    {
        // What an earlier object saw is not this one's.
        EndingSignals earlier;
        std::raise(SIGTERM);
    }
    EndingSignals caught;
    QVERIFY(caught.catching());
    for (int signalNumber : raised)
        std::raise(signalNumber);
    QCOMPARE(caught.count(), count);
    QCOMPARE(caught.lastSignal(), last);
    QCOMPARE(caught.exitCode(), exitCode);
    QCOMPARE(int(g_seenBefore), 0);
}

void tst_EndingSignals::givesBackWhatItFound()
{
    {
        EndingSignals caught;
        for (int signalNumber : Ending)
            QVERIFY(!handledBy(signalNumber, recordBefore));
    }
    for (int signalNumber : Ending) {
        QVERIFY(handledBy(signalNumber, recordBefore));
        std::raise(signalNumber);
    }
    QCOMPARE(int(g_seenBefore), int(Ending.size()));
}

// The window and korvo-cli each make one; a second must neither steal the signals nor,
// when it goes, hand them back from under the first.
void tst_EndingSignals::secondObjectCatchesNothing()
{
    EndingSignals first;
    {
        EndingSignals second;
        QVERIFY(!second.catching());
        std::raise(SIGINT);
        QCOMPARE(second.count(), 0);
    }
    std::raise(SIGINT);
    QCOMPARE(first.count(), 2);
    QCOMPARE(int(g_seenBefore), 0);
}

void tst_EndingSignals::endAtOnceLeavesThemToTheSystem()
{
    {
        EndingSignals caught;
        caught.endAtOnce();
        for (int signalNumber : Ending)
            QVERIFY(handledBy(signalNumber, SIG_DFL));
    }
    for (int signalNumber : Ending)
        QVERIFY(handledBy(signalNumber, recordBefore));
}

void tst_EndingSignals::wakesThroughDescriptor()
{
    int pipe[2];
    QCOMPARE(::pipe(pipe), 0);
    QCOMPARE(::fcntl(pipe[0], F_SETFL, O_NONBLOCK), 0);
    {
        EndingSignals caught(pipe[1]);
        std::raise(SIGTERM);
        std::raise(SIGHUP);
    }
    // Gone: it writes no more.
    std::raise(SIGINT);
    unsigned char bytes[4] = {};
    const ssize_t n = ::read(pipe[0], bytes, sizeof bytes);
    ::close(pipe[0]);
    ::close(pipe[1]);
    QCOMPARE(int(n), 2);
    QCOMPARE(int(bytes[0]), SIGTERM);
    QCOMPARE(int(bytes[1]), SIGHUP);
}

#else

void tst_EndingSignals::init() {}
void tst_EndingSignals::cleanup() {}
void tst_EndingSignals::countsAndKeepsTheLast_data() {}
void tst_EndingSignals::countsAndKeepsTheLast()
{
    QSKIP("needs POSIX signals");
}
void tst_EndingSignals::givesBackWhatItFound()
{
    QSKIP("needs POSIX signals");
}
void tst_EndingSignals::secondObjectCatchesNothing()
{
    QSKIP("needs POSIX signals");
}
void tst_EndingSignals::endAtOnceLeavesThemToTheSystem()
{
    QSKIP("needs POSIX signals");
}
void tst_EndingSignals::wakesThroughDescriptor()
{
    QSKIP("needs POSIX signals");
}

#endif

QTEST_GUILESS_MAIN(tst_EndingSignals)
#include "tst_EndingSignals.moc"
