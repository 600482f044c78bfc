#pragma once

#include "SimulatedUnit.h"
#include "UnitPort.h"

#include <functional>
#include <memory>

// The simulated unit behind the port interface, in this process: the demo mode and the
// tests. One unit serves every COM number, or only the one given; it keeps its state
// across closes and opens. Ports opened here must not outlive the provider.
class SimulatedUnitPortProvider : public UnitPortProvider
{
public:
    // portNumber 0 serves the unit on every COM number.
    explicit SimulatedUnitPortProvider(int portNumber = 0);
    ~SimulatedUnitPortProvider() override;

    std::unique_ptr<UnitPort> open(int portNumber, PortOpenFailure &failure) override;
    QString deviceName(int portNumber) const override;

    SimulatedUnit &unit() { return m_unit; }
    // Milliseconds for the unit's clock; real monotonic time unless a test sets its own.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }
    qint64 now() const { return m_clock(); }
    // Unplugged: the open port answers nothing and opens fail until plugged in again.
    void setPresent(bool present) { m_present = present; }
    bool present() const { return m_present; }

private:
    bool serves(int portNumber) const { return m_portNumber == 0 || portNumber == m_portNumber; }

    int m_portNumber;
    bool m_present = true;
    SimulatedUnit m_unit;
    std::function<qint64()> m_clock;
};
