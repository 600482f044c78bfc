#include "FakeUnitPort.h"

#include <algorithm>
#include <cstring>

class FakeUnitPort : public UnitPort
{
public:
    FakeUnitPort(std::shared_ptr<FakeUnitPortProvider::Line> line, int portNumber)
        : m_line(std::move(line)), m_portNumber(portNumber)
    {
        m_line->openPort = portNumber;
    }
    ~FakeUnitPort() override
    {
        if (m_line->openPort == m_portNumber)
            m_line->openPort = 0;
    }

    void writeFrame(const UnitFrame &frame) override
    {
        if (m_line->unplugged)
            return;
        if (m_line->recordWrites)
            m_line->written.push_back(frame);
        if (m_line->onWrite)
            m_line->onWrite(frame);
    }
    qint64 queuedBytes() override { return m_line->unplugged ? 0 : m_line->pending.size(); }
    qint64 read(quint8 *buffer, qint64 maxBytes) override
    {
        if (m_line->unplugged)
            return 0;
        const qint64 n = std::min<qint64>(maxBytes, m_line->pending.size());
        std::memcpy(buffer, m_line->pending.constData(), size_t(n));
        m_line->pending.remove(0, n);
        return n;
    }
    void purgeReceiveAbort() override { ++m_line->purges; }
    void dropReceived() override
    {
        if (!m_line->unplugged)
            m_line->pending.clear();
    }

private:
    std::shared_ptr<FakeUnitPortProvider::Line> m_line;
    int m_portNumber;
};

std::unique_ptr<UnitPort> FakeUnitPortProvider::open(int portNumber, PortOpenFailure &failure)
{
    m_openAttempts.append(portNumber);
    if (m_line->unplugged || (m_onlyPort != 0 && portNumber != m_onlyPort)) {
        failure = PortOpenFailure{};
        failure.reason = PortOpenFailure::Reason::NotFound;
        failure.device = deviceName(portNumber);
        failure.systemText = QStringLiteral("No such device");
        return nullptr;
    }
    const auto failing = m_failing.constFind(portNumber);
    if (failing != m_failing.cend()) {
        failure = *failing;
        return nullptr;
    }
    return std::make_unique<FakeUnitPort>(m_line, portNumber);
}

QString FakeUnitPortProvider::deviceName(int portNumber) const
{
    return QStringLiteral("/dev/fake%1").arg(portNumber);
}

PortDescription FakeUnitPortProvider::describe(int portNumber)
{
    const auto scripted = m_descriptions.constFind(portNumber);
    if (scripted != m_descriptions.cend())
        return *scripted;
    return {deviceName(portNumber), QString(), true};
}

void FakeUnitPortProvider::setOpenFails(int portNumber, const QString &systemText, PortOpenFailure::Reason reason)
{
    PortOpenFailure failure;
    failure.reason = reason;
    failure.device = deviceName(portNumber);
    failure.systemText = systemText;
    m_failing.insert(portNumber, failure);
}

void FakeUnitPortProvider::setOpenFails(int portNumber, const PortOpenFailure &failure)
{
    m_failing.insert(portNumber, failure);
}

void FakeUnitPortProvider::setDescription(int portNumber, const PortDescription &description)
{
    m_descriptions.insert(portNumber, description);
}

void FakeUnitPortProvider::feed(const UnitFrame &frame)
{
    m_line->pending.append(reinterpret_cast<const char *>(frame.data()), FrameSize);
}

void FakeUnitPortProvider::unplug()
{
    m_line->unplugged = true;
    m_line->pending.clear();
}
