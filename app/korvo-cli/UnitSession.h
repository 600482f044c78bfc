#pragma once

#include "IgnitionParameters.h"
#include "LinkDriver.h"
#include "LiveValues.h"
#include "MessageTable.h"
#include "SerialUnitPort.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

// The window's link driver on a terminal: the same LinkDriver, ticked every 55 ms by a
// precise timer, with each transfer run to its end. What the driver does not report by
// itself (whether a failed step got an answer at all, live frames as they come) is seen
// through a thin layer around the port that notes the frame each poll hands on.
class UnitSession : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Done,
        Differs,        // the unit answered, but not with what was expected
        NoAnswer,
        VersionMismatch,
        PortError,
        Interrupted
    };

    // session carries the port choice and the language; comDevices the COM -> device map.
    UnitSession(const SessionSettings &session, QMap<int, QString> comDevices);
    ~UnitSession() override;

    IgnitionParameters &set() { return m_set; }
    const MessageTable &messages() const { return m_messages; }
    const LinkDriver &link() const { return *m_link; }
    // For the owner's part in a program run: the backup before the write.
    LinkDriver &linkDriver() { return *m_link; }
    quint8 language() const { return m_session.LanguageIndex; }
    bool scanning() const { return m_session.PortChoice == PortChoiceAuto; }

    // "COM3 (/dev/ttyUSB0)": the port last tried; a device named by the user stands alone.
    QString portText() const;
    void setPortLabel(const QString &label) { m_portLabel = label; }
    // After a failed open: the port, its device, why, and what to do.
    const QString &portError() const { return m_portError; }
    // "Unmatched version of PC and Ignition programs!  PC-61, IGN-60".
    const QString &mismatchText() const { return m_mismatchText; }

    // Opens the chosen port. A fixed port fails at once; the automatic scan looks at
    // every port in turn until a unit answers there.
    Outcome openPort();

    // Runs Program, Verify or Read to its end.
    Outcome program();
    Outcome verify();
    Outcome read();
    // Reads with the frames of a Read (blocks 0 and 1), leaving the set alone; the
    // unit's block as it came is then in link().CompareBlock, in range or not.
    Outcome compare();
    // After a program: returns once a live frame reports the unit's saving finished.
    Outcome waitUntilSaved();
    // Live values as they arrive. onFrame returns false to stop. seconds < 0: no limit.
    // stop is polled every tick.
    Outcome monitor(double seconds, const std::function<bool(const LiveValues &)> &onFrame,
                    const std::function<bool()> &stop);

    bool liveConnection() const { return m_link->LinkWatchdog < LinkDriver::NoConnectionTicks; }

    // Called after every tick, for a progress display.
    std::function<void(const LinkDriver &)> afterTick;

private:
    struct Observed
    {
        UnitFrame frame{};
        bool fresh = false;
    };
    class ObservedPort;
    class ObservingProvider;

    void tick();
    // Ticks until done() or maxTicks have passed; false when the limit ended it.
    bool tickUntil(const std::function<bool()> &done, int maxTicks);
    Outcome runTransfer(const std::function<void()> &start, const std::function<bool()> &finished);

    IgnitionParameters m_set;
    SessionSettings m_session;
    MessageTable m_messages;
    std::unique_ptr<SerialUnitPortProvider> m_serial;
    std::unique_ptr<ObservingProvider> m_ports;
    std::unique_ptr<LinkDriver> m_link;
    QTimer m_timer;
    Observed m_observed;

    QString m_portError;
    QString m_mismatchText;
    bool m_mismatch = false;
    bool m_stepAnswered = false;  // the current step got an accepted answer that did not match
    bool m_failedAnswered = false;
    bool m_failed = false;
    quint64 m_liveFrames = 0;
    LiveValues m_live;
    QString m_portLabel;
};
