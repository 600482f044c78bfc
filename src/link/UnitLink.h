#pragma once

#include "IgnitionParameters.h"
#include "LiveValues.h"
#include "UnitFrame.h"
#include "UnitPort.h"

#include <QMetaType>
#include <QObject>

#include <array>
#include <memory>
#include <optional>

using UnitBlockData = std::array<quint8, FrameDataSize>;

// What the user asked the link to do. A program run reads the unit's set first, then
// writes and verifies; a read verifies what it took in.
enum class LinkRun : quint8 { None, Program, Verify, Read, Compare };

enum class TransferOutcome : quint8
{
    Accepted,        // every step answered as expected
    NoAnswer,        // a step got no acceptable answer in MaxSends sends
    Differs,         // a step was answered, but never with what was expected
    VersionMismatch, // the unit's program version is not ours; nothing more was sent
    OtherUnit,       // the unit that answered the write is not the one whose set was read: nothing written
};

struct TransferResult
{
    LinkRun run = LinkRun::None;
    LinkMode mode = LinkMode::Idle; // the step it ended in
    TransferOutcome outcome = TransferOutcome::Accepted;
    // A program run sent the parameter block: the unit may hold it, whatever came after.
    bool blockSent = false;
    // The unit's parameter block as last seen in this run (a read's or a verify's answer).
    std::optional<UnitBlockData> unitBlock;
    quint8 unitProgramVersion = 0; // VersionMismatch: the unit's
};
Q_DECLARE_METATYPE(TransferResult)

// After a program run verified, the unit stores the set; only what it reports then makes
// the write a success.
enum class WriteConfirmation : quint8
{
    Confirmed,        // the unit finished saving and reports its stored data good
    StoredDataError,  // the unit finished saving and reports its stored data bad
    OtherUnit,        // live frames now come from another unit
    SavingNeverEnded, // no end of saving within savingBoundTicks()
    ConnectionLost,   // the unit fell silent before it finished saving
};
Q_DECLARE_METATYPE(WriteConfirmation)

// The unit link without words or widgets: the 55 ms tick, the poll and dispatch of
// frames, the transfers with their retries, the connection watchdog and the reopen or
// scan of the port. It says what happened through signals; the window's LinkDriver and
// the command line's session show it each in their own way.
class UnitLink : public QObject
{
    Q_OBJECT

public:
    static constexpr int TickMs = 55;
    static constexpr int AnswerWaitTicks = 4;
    static constexpr int MaxSends = 5;
    static constexpr int MonitorEveryTicks = 6;
    static constexpr int NoConnectionTicks = 18;
    static constexpr int ReopenTicks = 30;
    static constexpr int PcProgramVersion = 61;
    static constexpr int PortCount = 21; // COM1..COM20 in the menu, plus COM21 for the scan
    // The unit counts its saving down in steps of this many milliseconds, from about 110.
    static constexpr int SavingStepMs = 10;
    static constexpr int SavingFullCountdown = 110;
    static constexpr int SavingBoundMinimumMs = 10000;

    // set is what a write sends and a read replaces; settings holds the port choice.
    UnitLink(IgnitionParameters &set, SessionSettings &settings, UnitPortProvider &ports, QObject *parent = nullptr);
    ~UnitLink() override;

    // One whole tick, for an owner that shows nothing in between.
    void Timer1Timer();
    // The tick in its three phases, for an owner whose display runs between them:
    // poll and the transfer or idle step (true when the idle step ran), the connection
    // watchdog (false while the line is dead), and what is raised only once the tick is
    // complete (a version mismatch).
    bool pollAndStep();
    bool watchdogStep();
    void endOfTick();

    // A program run: blocks 0 and 1 are read (BackupRead), unitBlockBeforeWrite is
    // raised, then blocks 0 and 1 are written and block 1 verified. deferred: no frame
    // now, the first goes out on the next transfer step (programming after change).
    void startProgram(bool deferred = false);
    void startVerify();
    void startRead();
    // Reads blocks 0 and 1 with the frames of a Read, leaving the set alone.
    void startCompare();
    // Called from unitBlockBeforeWrite: the owner will not write to this unit. The run
    // ends as OtherUnit, with nothing sent.
    void refuseWrite();
    // The block kept from a Verify that ended in a difference becomes the compare block
    // at once, with no frame sent; false when there is none.
    bool takeKeptBlockForCompare();

    void OpenUnitPort();
    void CloseUnitPort();
    bool portOpen() const { return m_port != nullptr; }
    // The COM number last tried (1..21) and the device behind it, empty when unknown.
    int portNumber() const { return m_portNumber; }
    const QString &portDevice() const { return m_portDevice; }
    // A reopen that must not raise portOpenFailed (the watchdog's, a scan).
    void setQuietReopen(bool quiet) { m_quietReopen = quiet; }
    bool quietReopen() const { return m_quietReopen; }

    // Steps of a tick, public so that tests can drive one step alone.
    void PollReceive();
    void DispatchReceivedFrame(const UnitFrame &frame);

    LinkMode mode() const { return m_mode; }
    LinkRun run() const { return m_run; }
    quint8 commandByte() const { return m_command; }
    quint8 ticksSinceSend() const { return m_ticksSinceSend; }
    quint8 sendAttempts() const { return m_sendAttempts; }
    quint8 linkWatchdog() const { return m_linkWatchdog; }
    bool connected() const { return m_linkWatchdog < NoConnectionTicks; }
    quint8 reconnectTicks() const { return m_reconnectTicks; }
    quint16 savingCountdown() const { return m_live.savingCountdown; }
    quint16 liveRpm() const { return m_live.rpm; }
    // The last live frame accepted, decoded; liveFrames() counts them.
    const LiveValues &live() const { return m_live; }
    quint64 liveFrames() const { return m_liveFrames; }
    // The unit's block 0 as last read.
    const UnitBlockData &unitInformation() const { return m_information; }
    // The unit's block 1 as read at the start of the current program run.
    const UnitBlockData &blockBeforeWrite() const { return m_blockBeforeWrite; }
    // The unit's block for the difference table.
    const UnitBlockData &compareBlock() const { return m_compareBlock; }
    // The unit's block from the last answer of a Verify that ended in a difference;
    // dropped when another transfer starts or the connection is lost.
    const std::optional<UnitBlockData> &keptUnitBlock() const { return m_keptUnitBlock; }
    // The parameter block has gone out in the current program run.
    bool blockSent() const { return m_blockSent; }
    // A verified write waits for the unit to finish saving.
    bool confirmingWrite() const { return m_confirm.active; }
    int savingBoundTicks() const;

signals:
    // A transfer the owner asked for has begun (its first frame may wait for the next tick).
    void transferStarted(LinkRun run);
    // Raised within the tick, after the unit's blocks 0 and 1 have been read and before
    // the first frame of the write goes out: the owner keeps its backup now, and may still
    // change the set that is about to be sent.
    void unitBlockBeforeWrite();
    // The unit has echoed the block written to it: bytes 0..49 of the set.
    void blockWritten();
    // A step was answered and the next block of the same transfer is asked for.
    void blockAdvanced();
    // The block just written or read is being verified (command 0x41 has gone out).
    void verifyStarted();
    // The unit's block 0 has been taken in (unitInformation()).
    void unitInformationReceived();
    // A block from the unit has been taken in and the set normalised: the set (after a
    // read) or the unit's information has changed.
    void parametersReceived();
    // A transfer has ended, and how. Raised within the tick that ended it.
    void transferFinished(const TransferResult &result);
    // The unit's program version is not ours: raised at the very end of the tick that
    // found it, with the link Idle, so that a box with its own event loop cannot run a
    // tick inside this one.
    void versionMismatch(quint8 unitProgramVersion);
    // What the unit reported of a verified write once it stopped saving, or why not.
    void writeConfirmed(WriteConfirmation confirmation);
    // An accepted live frame, and its values.
    void liveFrameReceived(const UnitFrame &frame, const LiveValues &values);
    // A live frame came from another unit than the one before it (another program
    // version, or a programming count that went backwards).
    void unitChanged();
    // Raised on every tick while no frame has come for NoConnectionTicks, before the
    // saving countdown is forgotten.
    void connectionLost();
    // A fixed port chosen by the user or at start-up could not be opened. Raised as the
    // very last step of OpenUnitPort, so a box with its own event loop may run ticks.
    void portOpenFailed(int portNumber, const PortOpenFailure &failure);

private:
    // Tests and benchmarks put the link into a state directly (FakeUnitPort.h).
    friend struct UnitLinkProbe;
    static constexpr int ReceiveBufferSize = 15000;

    struct Confirmation
    {
        bool active = false;
        int ticks = 0;
        quint16 longestCountdown = SavingFullCountdown;
    };

    void SendCommandFrame();
    void SendMonitorRequest();
    void WriteFrame(const UnitFrame &frame);
    void transferStep();
    void idleStep();
    void HandleLiveFrame(const UnitFrame &frame);
    void HandleAnswerFrame(const UnitFrame &frame);
    void startTransfer(LinkMode mode, quint8 command, quint8 attempts);
    void beginRun(LinkRun run, LinkMode mode, quint8 command, bool sendNow);
    void nextBlock();
    void finish(TransferOutcome outcome, quint8 unitVersion = 0);
    // Block 0 of a transfer that checks the unit's program version; false after a mismatch.
    bool takeUnitInformation(const UnitFrame &frame);
    bool frameMatchesBlockImage(const UnitFrame &frame) const;
    void confirm(WriteConfirmation confirmation);

    IgnitionParameters &m_set;
    SessionSettings &m_settings;
    UnitPortProvider &m_ports;
    std::unique_ptr<UnitPort> m_port;
    std::array<quint8, ReceiveBufferSize> m_receiveBuffer{};

    LinkMode m_mode = LinkMode::Idle;
    LinkRun m_run = LinkRun::None;
    quint8 m_command = 0;
    quint8 m_ticksSinceSend = 0;
    quint8 m_sendAttempts = 0;
    quint8 m_linkWatchdog = NoConnectionTicks;
    quint8 m_reconnectTicks = 0;
    bool m_quietReopen = false;
    bool m_stepAnswered = false; // the current step got an accepted answer that did not match
    bool m_blockSent = false;
    int m_portNumber = 0;
    QString m_portDevice;

    LiveValues m_live;
    quint64 m_liveFrames = 0;
    Confirmation m_confirm;

    UnitBlockData m_information{};
    UnitBlockData m_informationBeforeWrite{};
    UnitBlockData m_blockBeforeWrite{};
    UnitBlockData m_compareBlock{};
    std::optional<UnitBlockData> m_keptUnitBlock;
    std::optional<UnitBlockData> m_verifyAnswer;
    bool m_mismatchPending = false;
    quint8 m_mismatchVersion = 0;
};
