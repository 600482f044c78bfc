#include "SimulatedUnitPort.h"

#include <QElapsedTimer>

class SimulatedUnitPort : public UnitPort
{
public:
    explicit SimulatedUnitPort(SimulatedUnitPortProvider &provider) : m_provider(provider)
    {
        unit().advanceTo(m_provider.now());
        unit().resetReceiver();
    }

    void writeFrame(const UnitFrame &frame) override
    {
        if (!m_provider.present())
            return;
        unit().advanceTo(m_provider.now());
        unit().receive(frame);
    }
    qint64 queuedBytes() override
    {
        if (!m_provider.present())
            return 0;
        unit().advanceTo(m_provider.now());
        return unit().outputAvailable();
    }
    qint64 read(quint8 *buffer, qint64 maxBytes) override
    {
        if (!m_provider.present())
            return 0;
        return unit().readOutput(buffer, maxBytes);
    }
    void purgeReceiveAbort() override {}
    void dropReceived() override
    {
        unit().advanceTo(m_provider.now());
        quint8 scrap[256];
        while (unit().outputAvailable() > 0)
            unit().readOutput(scrap, sizeof scrap);
    }

private:
    SimulatedUnit &unit() { return m_provider.unit(); }
    SimulatedUnitPortProvider &m_provider;
};

SimulatedUnitPortProvider::SimulatedUnitPortProvider(int portNumber) : m_portNumber(portNumber)
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    m_clock = [timer] { return timer->elapsed(); };
}

SimulatedUnitPortProvider::~SimulatedUnitPortProvider() = default;

std::unique_ptr<UnitPort> SimulatedUnitPortProvider::open(int portNumber, PortOpenFailure &failure)
{
    if (!m_present || !serves(portNumber)) {
        failure = PortOpenFailure{};
        failure.reason = serves(portNumber) ? PortOpenFailure::Reason::NotFound : PortOpenFailure::Reason::NoDevice;
        failure.device = deviceName(portNumber);
        failure.devicesPresent = 1;
        return nullptr;
    }
    return std::make_unique<SimulatedUnitPort>(*this);
}

QString SimulatedUnitPortProvider::deviceName(int portNumber) const
{
    return serves(portNumber) ? QStringLiteral("simulated unit") : QString();
}
