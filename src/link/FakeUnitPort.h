#pragma once

#include "UnitLink.h"

#include "UnitPort.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

// A scriptable line for tests: ports that fail to open, bytes fed in as if the unit had
// sent them, every written frame recorded, and an unplug that turns the open port into
// one that answers nothing.
class FakeUnitPortProvider : public UnitPortProvider
{
public:
    struct Line
    {
        QByteArray pending;             // received bytes not yet read
        std::vector<UnitFrame> written; // every frame written, in order
        bool recordWrites = true;
        bool unplugged = false;
        int purges = 0;
        int openPort = 0; // COM number of the port open now, 0 when none
        std::function<void(const UnitFrame &)> onWrite;
    };

    std::unique_ptr<UnitPort> open(int portNumber, PortOpenFailure &failure) override;
    QString deviceName(int portNumber) const override;
    PortDescription describe(int portNumber) override;

    // Ports listed here fail to open for the reason given.
    void setOpenFails(int portNumber, const QString &systemText = QString(),
                      PortOpenFailure::Reason reason = PortOpenFailure::Reason::Other);
    void setOpenFails(int portNumber, const PortOpenFailure &failure);
    // What the port menu learns of a COM number; by default /dev/fakeN, present.
    void setDescription(int portNumber, const PortDescription &description);
    // Only this port exists; 0 (the default) lets every port open.
    void setOnlyPort(int portNumber) { m_onlyPort = portNumber; }

    // As if the unit had sent these bytes.
    void feed(const QByteArray &bytes) { m_line->pending += bytes; }
    void feed(const UnitFrame &frame);
    // Answer every written frame through this callback (it may call feed).
    void setOnWrite(std::function<void(const UnitFrame &)> reply) { m_line->onWrite = std::move(reply); }

    // The adapter is pulled: the open port reads nothing and writes nowhere, and opens
    // fail until plugIn.
    void unplug();
    void plugIn() { m_line->unplugged = false; }

    const std::vector<UnitFrame> &written() const { return m_line->written; }
    void clearWritten() { m_line->written.clear(); }
    void setRecordWrites(bool record) { m_line->recordWrites = record; }
    QByteArray pending() const { return m_line->pending; }
    int openPort() const { return m_line->openPort; }
    int purges() const { return m_line->purges; }
    const QList<int> &openAttempts() const { return m_openAttempts; }
    void clearOpenAttempts() { m_openAttempts.clear(); }

private:
    std::shared_ptr<Line> m_line = std::make_shared<Line>();
    QMap<int, PortOpenFailure> m_failing;
    QMap<int, PortDescription> m_descriptions;
    QList<int> m_openAttempts;
    int m_onlyPort = 0;
};

// Puts a link into a state that tests and benchmarks would otherwise wait many ticks for.
struct UnitLinkProbe
{
    static void setTicksSinceSend(UnitLink &link, quint8 ticks) { link.m_ticksSinceSend = ticks; }
    static void setSendAttempts(UnitLink &link, quint8 attempts) { link.m_sendAttempts = attempts; }
    static void setLinkWatchdog(UnitLink &link, quint8 ticks) { link.m_linkWatchdog = ticks; }
    static void setLiveRpm(UnitLink &link, quint16 rpm) { link.m_live.rpm = rpm; }
    static void setIdle(UnitLink &link) { link.m_mode = LinkMode::Idle; }
};
