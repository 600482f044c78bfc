#pragma once

#include "FormFixture.h"
#include "LinkDriver.h"
#include "SimulatedUnitPort.h"

#include <QCoreApplication>

// The main window on the simulated unit, whose clock the test moves: every tick of the
// window is LinkDriver::TickMs of the unit's time, from 1000 ms on fresh ports.
class SimulatedUnitWindow : public TestWindow<SimulatedUnitPortProvider>
{
public:
    using TestWindow::TestWindow;

    // Ticks the window as its timer would, the unit's clock moving with it.
    void run(int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            now += LinkDriver::TickMs;
            form()->Timer1Timer();
        }
    }
    // As run, then handles what the ticks posted.
    void tick(int ticks)
    {
        run(ticks);
        QCoreApplication::processEvents();
    }

    qint64 now = 0;

protected:
    void portsMade(SimulatedUnitPortProvider &ports) override
    {
        now = 1000;
        ports.setClock([this] { return now; });
    }
};
