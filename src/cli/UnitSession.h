#pragma once

#include "IgnitionParameters.h"
#include "LiveValues.h"
#include "MessageTable.h"
#include "UnitLink.h"
#include "WriteSequence.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class BackupStore;

// The unit link on a terminal: the same UnitLink as the window's, ticked every 55 ms by a
// precise timer, each transfer run to its end and reported by the link's own outcome.
class UnitSession : public QObject
{
    Q_OBJECT

public:
    enum class Outcome
    {
        Done,
        Differs,         // the unit answered, but not with what was expected
        NoAnswer,
        VersionMismatch,
        OtherUnit,       // another unit answered the write than the one read before it
        PortError,
        Interrupted
    };

    // session carries the port choice and the language; ports opens the COM numbers.
    UnitSession(const SessionSettings &session, UnitPortProvider &ports);
    ~UnitSession() override;

    IgnitionParameters &set() { return m_set; }
    const MessageTable &messages() const { return m_messages; }
    const UnitLink &link() const { return *m_link; }
    quint8 language() const { return m_session.LanguageIndex; }
    bool scanning() const { return m_session.PortChoice == PortChoiceAuto; }

    // "COM3 (/dev/ttyUSB0)": the port last tried; a device named by the user stands alone.
    QString portText() const;
    void setPortLabel(const QString &label) { m_portLabel = label; }
    // After a failed open: the port, its device, why, and what to do.
    const QString &portError() const { return m_portError; }
    // "Unmatched version of PC and Ignition programs!  PC-61, IGN-60".
    QString mismatchText() const;
    // How the last transfer ended.
    const TransferResult &lastResult() const { return m_result; }

    // Opens the chosen port. A fixed port fails at once; the automatic scan looks at
    // every port in turn until a unit answers there.
    Outcome openPort();

    Outcome verify();
    Outcome read();
    // Reads with the frames of a Read (blocks 0 and 1), leaving the set alone; the
    // unit's block as it came is then in link().compareBlock(), in range or not.
    Outcome compare();

    // Writes set() through the one write sequence (backup into store, may be null) and
    // waits for the unit's word on its saving. interrupts() is polled every tick: one
    // interrupt stops at once while nothing has been written, and otherwise once the
    // verify has answered; two stop at once.
    // restore: set() is a backup's set, for its unit only (WriteSequence::restoreNextRun).
    WriteReport program(BackupStore *store, const std::function<int()> &interrupts,
                        const std::function<void(const BackupResult &)> &onBackup,
                        const std::optional<RestoreRun> &restore = std::nullopt);

    // Live values as they arrive. onFrame returns false to stop. seconds < 0: no limit.
    // stop is polled every tick.
    Outcome monitor(double seconds, const std::function<bool(const LiveValues &)> &onFrame,
                    const std::function<bool()> &stop);

    bool liveConnection() const { return m_link->connected(); }

    // Called after every tick, for a progress display.
    std::function<void(const UnitLink &)> afterTick;

private:
    void tick();
    // Ticks until done() or maxTicks have passed; false when the limit ended it.
    bool tickUntil(const std::function<bool()> &done, qint64 maxTicks);
    Outcome runTransfer(const std::function<void()> &start);
    static Outcome outcomeOf(const TransferResult &result);

    IgnitionParameters m_set;
    SessionSettings m_session;
    MessageTable m_messages;
    std::unique_ptr<UnitLink> m_link;
    QTimer m_timer;

    QString m_portError;
    TransferResult m_result;
    bool m_finished = false;
    quint8 m_mismatchVersion = 0;
    QString m_portLabel;
};
