// Ticks from F9 to the accepted answer that ends the write (the verify), with the read of
// the unit's set and its backup in front of it, against the simulated unit on a clock
// that moves 55 ms per tick; and the time the backup takes inside its tick.

#include "BackupStore.h"
#include "LinkDriver.h"
#include "MessageTable.h"
#include "SimulatedUnitPort.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Run
{
    int ticks = -1;
    double backupMs = 0;
    BackupResult::Outcome outcome = BackupResult::Failed;
};

Run programOnce(LinkDriver &link, SimulatedUnitPortProvider &unit, qint64 &now, BackupStore &store)
{
    Run run;
    QElapsedTimer timer;
    const auto before = QObject::connect(&link, &LinkDriver::unitBlockBeforeWrite, [&] {
        timer.start();
        run.outcome = store.keepBeforeWrite(link.unit().unitInformation(), link.unit().blockBeforeWrite()).outcome;
        run.backupMs = double(timer.nsecsElapsed()) / 1e6;
    });
    link.StartProgram();
    for (int tick = 1; tick <= 40; ++tick) {
        now += LinkDriver::TickMs;
        link.Timer1Timer();
        if (link.unit().mode() == LinkMode::Idle) {
            run.ticks = link.LabelHlaseni.colour == NamedColour::Red ? -1 : tick;
            break;
        }
    }
    QObject::disconnect(before);
    return run;
}

} // namespace

int main()
{
    QTemporaryDir dir;
    qint64 now = 1000;
    SimulatedUnitPortProvider unit;
    unit.setClock([&now] { return now; });
    IgnitionParameters set;
    for (int i = 0; i < CurvePoints; ++i) {
        set.RPM_ADV(i) = DefaultRpmCurve[i];
        set.ADVANCE(i) = DefaultAdvanceCurve[i];
    }
    set.LIMITER() = 125;
    SessionSettings settings;
    MessageTable messages;
    messages.load(LanguageEnglish);
    LinkDriver link(set, settings, messages, unit);
    link.OpenUnitPort();
    BackupStore store(dir.filePath(QStringLiteral("backups")));
    QObject::connect(&link, &LinkDriver::blockWritten,
                     [&] { store.noteWritten(link.unit().unitInformation(), set.UnitBlockImage()); });
    for (int i = 0; i < 8; ++i) { // settle: the unit answers its first monitor requests
        now += LinkDriver::TickMs;
        link.Timer1Timer();
    }

    std::printf("F9 to the accepted verify answer (simulated unit, 55 ms per tick)\n");
    const Run first = programOnce(link, unit, now, store);
    std::printf("  unit's set changed:  %d ticks; backup %s in %.2f ms\n", first.ticks,
                first.outcome == BackupResult::Stored ? "kept" : "NOT kept", first.backupMs);
    const Run second = programOnce(link, unit, now, store);
    std::printf("  same set again:      %d ticks; backup %s in %.2f ms\n", second.ticks,
                second.outcome == BackupResult::Unchanged ? "not needed" : "kept", second.backupMs);
    std::printf("  backups in the folder: %d (target: 5 ticks, 1 backup)\n", int(store.backups().size()));
    return first.ticks == 5 && second.ticks == 5 && store.backups().size() == 1 ? 0 : 1;
}
