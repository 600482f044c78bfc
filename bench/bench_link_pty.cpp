// F9 to the last accepted answer of a programming, with the link on a precise 55 ms
// timer over a real serial device (korvo-unit-sim on a pseudo-terminal), the presses
// coming at random moments between ticks. Prints the ticks each press took.
//
// Run: build/bench/bench_link_pty DEVICE [presses]

#include "LinkDriver.h"
#include "MessageTable.h"
#include "SerialUnitPort.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_link_pty DEVICE [presses]\n");
        return 2;
    }
    const QString device = QString::fromLocal8Bit(argv[1]);
    const int presses = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;

    IgnitionParameters set;
    SessionSettings settings;
    NormaliseParameters(set, settings);
    MessageTable messages;
    messages.load(LanguageEnglish);
    SerialUnitPortProvider ports({{1, device}});
    LinkDriver link(set, settings, messages, ports);
    link.OpenUnitPort();
    if (!link.portOpen()) {
        std::fprintf(stderr, "bench_link_pty: cannot open %s\n", argv[1]);
        return 1;
    }

    std::mt19937 random(std::random_device{}());
    long tick = 0;
    long pressedAt = -1;
    bool pressPending = false;
    std::map<long, int> tally; // ticks taken -> presses; -1 for a failed transfer
    int done = 0;

    auto schedulePress = [&] {
        pressPending = true;
        // Anywhere in a monitor cycle and between two ticks.
        const int delayMs = std::uniform_int_distribution<int>(500, 1500)(random);
        QTimer::singleShot(delayMs, Qt::PreciseTimer, &app, [&] {
            pressPending = false;
            link.StartProgram();
            pressedAt = tick;
        });
    };

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(LinkDriver::TickMs);
    QObject::connect(&timer, &QTimer::timeout, &app, [&] {
        ++tick;
        link.Timer1Timer();
        if (pressedAt < 0) {
            if (!pressPending && !link.LabelSpojeniVisible)
                schedulePress();
            if (tick > 400 && link.LabelSpojeniVisible) {
                std::fprintf(stderr, "bench_link_pty: no unit answers on %s\n", argv[1]);
                app.exit(1);
            }
            return;
        }
        if (link.unit().mode() != LinkMode::Idle)
            return;
        const long elapsed = tick - pressedAt;
        ++tally[link.ProgrammedOk ? elapsed : -1];
        pressedAt = -1;
        std::printf("press %2d: %ld ticks%s\n", ++done, elapsed, link.ProgrammedOk ? "" : " (failed)");
        if (done == presses)
            app.quit();
    });
    timer.start();
    const int rc = app.exec();
    if (rc != 0)
        return rc;

    std::printf("F9 to the last accepted answer, %d presses:", presses);
    for (const auto &[ticks, count] : tally) {
        if (ticks < 0)
            std::printf("  failed %d", count);
        else
            std::printf("  %ld ticks: %d", ticks, count);
    }
    std::printf("\n");
    return 0;
}
