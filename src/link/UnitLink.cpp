#include "UnitLink.h"

#include <algorithm>
#include <cstring>

UnitLink::UnitLink(IgnitionParameters &set, SessionSettings &settings, UnitPortProvider &ports, QObject *parent)
    : QObject(parent), m_set(set), m_settings(settings), m_ports(ports)
{
}

UnitLink::~UnitLink() = default;

// ---------------------------------------------------------------- port

void UnitLink::OpenUnitPort()
{
    // A port still open would hold the device exclusively and make the new open fail.
    if (m_port)
        CloseUnitPort();

    m_portNumber =
        m_settings.PortChoice == PortChoiceAuto ? m_settings.AutoScanPort + 1 : m_settings.PortChoice + 1;
    m_portDevice = m_ports.deviceName(m_portNumber);

    PortOpenFailure failure;
    m_port = m_ports.open(m_portNumber, failure);
    if (m_port)
        return;

    if (m_settings.PortChoice == PortChoiceAuto)
        m_reconnectTicks = 200;
    // Raised last, with the link's state complete: the owner may show a box whose event
    // loop runs ticks (and their reopens) before this call returns.
    if (!m_quietReopen && m_settings.PortChoice != PortChoiceAuto)
        emit portOpenFailed(m_portNumber, failure);
}

void UnitLink::CloseUnitPort()
{
    if (!m_port)
        return;
    m_port->purgeReceiveAbort();
    m_port.reset();
}

void UnitLink::WriteFrame(const UnitFrame &frame)
{
    if (m_port)
        m_port->writeFrame(frame);
}

void UnitLink::PollReceive()
{
    if (!m_port)
        return;
    const qint64 queued = m_port->queuedBytes();
    if (queued < FrameSize)
        return;
    const qint64 got = m_port->read(m_receiveBuffer.data(), std::min<qint64>(queued, ReceiveBufferSize));
    // A full queue means the line outran us: what this poll could not take is stale, and
    // left behind it would delay every later answer. Dropped before the frames below are
    // acted on, so an answer to a frame sent from them is not dropped with it.
    if (queued >= ReceiveQueueBytes)
        m_port->dropReceived();
    // Every whole frame is acted on in order: a live frame and the answer of a transfer
    // started just after the monitor request arrive together. A trailing part frame is
    // dropped, so that stray bytes never shift the next request's answer; a poll that
    // starts inside a frame yields nothing but checksum failures.
    for (qint64 at = 0; at + FrameSize <= got; at += FrameSize) {
        UnitFrame frame;
        std::memcpy(frame.data(), m_receiveBuffer.data() + at, FrameSize);
        DispatchReceivedFrame(frame);
    }
}

// ---------------------------------------------------------------- frames

void UnitLink::SendCommandFrame()
{
    m_ticksSinceSend = 0;
    if (m_mode == LinkMode::Program && BlockNumberOf(m_command) == 1)
        m_blockSent = true;
    WriteFrame(BuildCommandFrame(m_command, m_mode, m_set));
}

void UnitLink::SendMonitorRequest()
{
    static const UnitFrame request = BuildMonitorRequest();
    WriteFrame(request);
}

void UnitLink::DispatchReceivedFrame(const UnitFrame &frame)
{
    if (frame[0] == AnswerLiveData)
        HandleLiveFrame(frame);
    else
        HandleAnswerFrame(frame);
}

// ---------------------------------------------------------------- tick

void UnitLink::Timer1Timer()
{
    pollAndStep();
    watchdogStep();
    endOfTick();
}

bool UnitLink::pollAndStep()
{
    PollReceive();
    if (m_mode == LinkMode::Idle) {
        idleStep();
        return true;
    }
    transferStep();
    return false;
}

void UnitLink::endOfTick()
{
    if (m_mismatchPending) {
        m_mismatchPending = false;
        emit versionMismatch(m_mismatchVersion);
    }
}

void UnitLink::transferStep()
{
    ++m_ticksSinceSend;
    if (m_ticksSinceSend < AnswerWaitTicks)
        return;
    m_ticksSinceSend = 0;
    ++m_sendAttempts;
    if (m_sendAttempts > MaxSends)
        finish(m_stepAnswered ? TransferOutcome::Differs : TransferOutcome::NoAnswer);
    else
        SendCommandFrame();
}

void UnitLink::idleStep()
{
    ++m_ticksSinceSend;
    if (m_ticksSinceSend >= MonitorEveryTicks) {
        m_ticksSinceSend = 0;
        SendMonitorRequest();
    }
    if (m_confirm.active && ++m_confirm.ticks > savingBoundTicks())
        confirm(WriteConfirmation::SavingNeverEnded);
}

int UnitLink::savingBoundTicks() const
{
    // Three times the longest saving the unit reported, at least SavingBoundMinimumMs, and
    // the time for two monitor requests to reach it.
    const int ms = std::max(3 * int(m_confirm.longestCountdown) * SavingStepMs, SavingBoundMinimumMs);
    return ms / TickMs + 2 * MonitorEveryTicks;
}

bool UnitLink::watchdogStep()
{
    if (m_linkWatchdog < NoConnectionTicks) {
        ++m_linkWatchdog;
        return true;
    }
    emit connectionLost();
    // What a unit reported about storing a set belongs to that unit; whatever answers
    // next may be another one, or the same after a power cut.
    m_live.savingCountdown = 0;
    if (m_confirm.active)
        confirm(WriteConfirmation::ConnectionLost);
    // Another unit may be plugged in by now.
    m_keptUnitBlock.reset();
    ++m_reconnectTicks;
    // At or above: a failed automatic open sets 200 so that the next tick moves on.
    if (m_reconnectTicks >= ReopenTicks) {
        m_reconnectTicks = 0;
        CloseUnitPort();
        m_quietReopen = true;
        ++m_settings.AutoScanPort;
        if (m_settings.AutoScanPort > PortChoiceAuto)
            m_settings.AutoScanPort = 0;
        OpenUnitPort();
    }
    return false;
}

// ---------------------------------------------------------------- transfer starts

void UnitLink::startTransfer(LinkMode mode, quint8 command, quint8 attempts)
{
    m_mode = mode;
    m_command = command;
    m_sendAttempts = attempts;
    m_stepAnswered = false;
    // A block kept from an earlier Verify no longer tells what the unit holds.
    m_keptUnitBlock.reset();
    m_verifyAnswer.reset();
}

void UnitLink::beginRun(LinkRun run, LinkMode mode, quint8 command, bool sendNow)
{
    m_run = run;
    m_blockSent = false;
    // A new transfer supersedes the wait for an earlier write's saving.
    m_confirm = Confirmation{};
    m_mismatchPending = false;
    startTransfer(mode, command, sendNow ? 1 : 0);
    emit transferStarted(run);
    if (sendNow)
        SendCommandFrame();
}

void UnitLink::startProgram(bool deferred)
{
    // No frame now when deferred: the first goes out on the first tick whose transfer
    // step finds ticksSinceSend at AnswerWaitTicks or more.
    beginRun(LinkRun::Program, LinkMode::BackupRead, CommandReadBlock0, !deferred);
}

void UnitLink::startVerify()
{
    beginRun(LinkRun::Verify, LinkMode::Verify, CommandReadBlock1, true);
}

void UnitLink::startRead()
{
    beginRun(LinkRun::Read, LinkMode::Read, CommandReadBlock0, true);
}

void UnitLink::startCompare()
{
    beginRun(LinkRun::Compare, LinkMode::Compare, CommandReadBlock0, true);
}

void UnitLink::refuseWrite()
{
    if (m_mode == LinkMode::BackupRead && !m_blockSent)
        finish(TransferOutcome::OtherUnit);
}

bool UnitLink::takeKeptBlockForCompare()
{
    if (!m_keptUnitBlock)
        return false;
    m_compareBlock = *m_keptUnitBlock;
    return true;
}

void UnitLink::nextBlock()
{
    emit blockAdvanced();
    ++m_command;
    m_sendAttempts = 1;
    m_stepAnswered = false;
    SendCommandFrame();
}

void UnitLink::finish(TransferOutcome outcome, quint8 unitVersion)
{
    TransferResult result;
    result.run = m_run;
    result.mode = m_mode;
    result.outcome = outcome;
    result.blockSent = m_blockSent;
    result.unitProgramVersion = unitVersion;
    if (m_mode == LinkMode::Verify) {
        result.unitBlock = m_verifyAnswer;
        if (outcome != TransferOutcome::Accepted)
            m_keptUnitBlock = m_verifyAnswer;
    } else if (m_mode == LinkMode::Compare && outcome == TransferOutcome::Accepted) {
        result.unitBlock = m_compareBlock;
    }
    if (outcome == TransferOutcome::VersionMismatch) {
        m_mismatchPending = true;
        m_mismatchVersion = unitVersion;
    }
    // A verified write is a success only once the unit has stored it.
    if (outcome == TransferOutcome::Accepted && m_run == LinkRun::Program)
        m_confirm = Confirmation{true, 0, SavingFullCountdown};
    m_mode = LinkMode::Idle;
    m_run = LinkRun::None;
    emit transferFinished(result);
}

void UnitLink::confirm(WriteConfirmation confirmation)
{
    m_confirm.active = false;
    emit writeConfirmed(confirmation);
}

// ---------------------------------------------------------------- live frames

void UnitLink::HandleLiveFrame(const UnitFrame &frame)
{
    if (!AcceptLiveFrame(frame))
        return;
    m_linkWatchdog = 0;

    const LiveValues values = DecodeLiveFrame(frame);
    // Another unit, or the same one after its set was replaced behind our back: nothing
    // it reports says anything of the unit before it.
    const bool otherUnit = m_liveFrames > 0 && (values.unitProgramVersion != m_live.unitProgramVersion ||
                                                values.programmingCount < m_live.programmingCount);
    m_live = values;
    ++m_liveFrames;
    if (otherUnit)
        emit unitChanged();

    if (m_confirm.active) {
        if (otherUnit || values.unitProgramVersion != PcProgramVersion)
            confirm(WriteConfirmation::OtherUnit);
        else if (values.savingCountdown > 0)
            m_confirm.longestCountdown = std::max(m_confirm.longestCountdown, values.savingCountdown);
        else
            confirm(values.storedDataError ? WriteConfirmation::StoredDataError : WriteConfirmation::Confirmed);
    }
    emit liveFrameReceived(frame, values);
}

// ---------------------------------------------------------------- answers

bool UnitLink::frameMatchesBlockImage(const UnitFrame &frame) const
{
    const auto block = m_set.UnitBlockImage();
    return std::equal(block.begin(), block.end(), frame.begin() + 1);
}

bool UnitLink::takeUnitInformation(const UnitFrame &frame)
{
    std::copy_n(frame.begin() + 1, FrameDataSize, m_information.begin());
    emit unitInformationReceived();
    emit parametersReceived();
    if (m_information[10] == PcProgramVersion)
        return true;
    // A unit of another program version may lay its blocks out differently: nothing of
    // block 1 is read, kept or written.
    finish(TransferOutcome::VersionMismatch, m_information[10]);
    return false;
}

void UnitLink::HandleAnswerFrame(const UnitFrame &frame)
{
    if (!AcceptAnswerFrame(frame, m_command, m_mode))
        return;
    m_linkWatchdog = 0;
    m_stepAnswered = true;

    const quint8 block = BlockNumberOf(m_command);
    switch (m_mode) {
    case LinkMode::Program:
        if (block == 0) {
            // The write belongs to the unit whose set was just read and kept: another unit
            // plugged in meanwhile keeps its own set.
            if (!std::equal(m_informationBeforeWrite.begin(), m_informationBeforeWrite.end(), frame.begin() + 1)) {
                finish(TransferOutcome::OtherUnit);
                return;
            }
            std::copy_n(frame.begin() + 1, FrameDataSize, m_information.begin());
            emit unitInformationReceived();
            NormaliseParameters(m_set, m_settings);
            emit parametersReceived();
            if (m_information[10] != PcProgramVersion)
                finish(TransferOutcome::VersionMismatch, m_information[10]);
            else
                nextBlock();
        } else {
            if (!frameMatchesBlockImage(frame))
                return;
            emit blockWritten();
            startTransfer(LinkMode::Verify, CommandReadBlock1, 1);
            SendCommandFrame();
            emit verifyStarted();
        }
        break;
    case LinkMode::Verify:
        if (block != 1)
            return;
        m_verifyAnswer.emplace();
        std::copy_n(frame.begin() + 1, FrameDataSize, m_verifyAnswer->begin());
        if (!frameMatchesBlockImage(frame))
            return;
        finish(TransferOutcome::Accepted);
        break;
    case LinkMode::Read:
        if (block == 0) {
            std::copy_n(frame.begin() + 1, FrameDataSize, m_information.begin());
            emit unitInformationReceived();
            if (m_information[10] != PcProgramVersion) {
                NormaliseParameters(m_set, m_settings);
                emit parametersReceived();
                finish(TransferOutcome::VersionMismatch, m_information[10]);
            } else {
                nextBlock();
            }
        } else {
            auto image = m_set.UnitBlockImage();
            std::copy_n(frame.begin() + 1, FrameDataSize, image.begin());
            NormaliseParameters(m_set, m_settings);
            emit parametersReceived();
            startTransfer(LinkMode::Verify, CommandReadBlock1, 1);
            SendCommandFrame();
            emit verifyStarted();
        }
        break;
    case LinkMode::BackupRead:
        if (block == 0) {
            if (takeUnitInformation(frame)) {
                m_informationBeforeWrite = m_information;
                nextBlock();
            }
        } else {
            std::copy_n(frame.begin() + 1, FrameDataSize, m_blockBeforeWrite.begin());
            emit unitBlockBeforeWrite();
            // The owner may have started something else meanwhile; that one counts.
            if (m_mode != LinkMode::BackupRead)
                return;
            startTransfer(LinkMode::Program, CommandProgramBlock0, 1);
            emit blockAdvanced();
            SendCommandFrame();
        }
        break;
    case LinkMode::Compare:
        if (block == 0) {
            if (takeUnitInformation(frame))
                nextBlock();
        } else {
            std::copy_n(frame.begin() + 1, FrameDataSize, m_compareBlock.begin());
            finish(TransferOutcome::Accepted);
        }
        break;
    case LinkMode::Idle:
        break;
    }
}
