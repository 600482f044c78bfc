#include "UnitSession.h"

#include "AddedTexts.h"
#include "PortAdvice.h"

#include <QEventLoop>

#include <limits>

UnitSession::UnitSession(const SessionSettings &session, UnitPortProvider &ports) : m_session(session)
{
    m_messages.load(m_session.LanguageIndex);
    m_link = std::make_unique<UnitLink>(m_set, m_session, ports);
    // Transfers count ticks: a coarse timer may fire up to 5 % early.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(UnitLink::TickMs);
    connect(m_link.get(), &UnitLink::transferFinished, this, [this](const TransferResult &result) {
        m_result = result;
        m_finished = true;
        if (result.outcome == TransferOutcome::VersionMismatch)
            m_mismatchVersion = result.unitProgramVersion;
    });
    connect(m_link.get(), &UnitLink::portOpenFailed, this, [this](int portNumber, const PortOpenFailure &failure) {
        // A terminal command does not look again by itself; a device named on the command
        // line is named as it was given.
        if (failure.reason == PortOpenFailure::Reason::NoUsbAdapter) {
            m_portError = AddedTextFor(AddedText::CliNoUsbAdapter, m_session.LanguageIndex);
            return;
        }
        const QString name = m_portLabel.isEmpty() ? QStringLiteral("COM%1").arg(portNumber) : m_portLabel;
        m_portError = PortOpenAdvice(name, failure, m_session.LanguageIndex);
    });
}

UnitSession::~UnitSession()
{
    m_link->CloseUnitPort();
}

QString UnitSession::portText() const
{
    if (!m_portLabel.isEmpty())
        return m_portLabel;
    const QString name = QStringLiteral("COM%1").arg(m_link->portNumber());
    const QString &device = m_link->portDevice();
    return device.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, device);
}

QString UnitSession::mismatchText() const
{
    return m_messages.text(MsgUnmatchedVersion) +
           QString::asprintf("  PC-%d, IGN-%d", UnitLink::PcProgramVersion, int(m_mismatchVersion));
}

void UnitSession::tick()
{
    m_link->Timer1Timer();
    if (afterTick)
        afterTick(*m_link);
}

bool UnitSession::tickUntil(const std::function<bool()> &done, qint64 maxTicks)
{
    if (done())
        return true;
    QEventLoop loop;
    qint64 ticks = 0;
    bool reached = false;
    const auto connection = connect(&m_timer, &QTimer::timeout, &loop, [&] {
        tick();
        ++ticks;
        reached = done();
        if (reached || ticks >= maxTicks)
            loop.quit();
    });
    m_timer.start();
    loop.exec();
    m_timer.stop();
    disconnect(connection);
    return reached;
}

UnitSession::Outcome UnitSession::openPort()
{
    m_link->OpenUnitPort();
    if (m_session.PortChoice != PortChoiceAuto)
        return m_link->portOpen() ? Outcome::Done : Outcome::PortError;
    // The scan moves on every ReopenTicks while no unit answers, and at once past a port
    // that cannot be opened. It is given up once it has tried every COM number.
    int moves = 0;
    quint8 scanPort = m_session.AutoScanPort;
    const int limit = (UnitLink::PortCount + 1) * UnitLink::ReopenTicks;
    const bool found = tickUntil(
        [&] {
            if (m_session.AutoScanPort != scanPort) {
                scanPort = m_session.AutoScanPort;
                ++moves;
            }
            return m_link->liveFrames() > 0 || moves > UnitLink::PortCount;
        },
        limit);
    return found && m_link->liveFrames() > 0 ? Outcome::Done : Outcome::NoAnswer;
}

UnitSession::Outcome UnitSession::outcomeOf(const TransferResult &result)
{
    switch (result.outcome) {
    case TransferOutcome::Accepted: return Outcome::Done;
    case TransferOutcome::NoAnswer: return Outcome::NoAnswer;
    case TransferOutcome::Differs: return Outcome::Differs;
    case TransferOutcome::VersionMismatch: return Outcome::VersionMismatch;
    case TransferOutcome::OtherUnit: return Outcome::OtherUnit;
    }
    return Outcome::NoAnswer;
}

UnitSession::Outcome UnitSession::runTransfer(const std::function<void()> &start)
{
    m_finished = false;
    start();
    // Each step gives up after MaxSends sends AnswerWaitTicks apart; a program has five.
    const int limit = 6 * (UnitLink::MaxSends + 1) * UnitLink::AnswerWaitTicks;
    tickUntil([&] { return m_finished; }, limit);
    return m_finished ? outcomeOf(m_result) : Outcome::NoAnswer;
}

UnitSession::Outcome UnitSession::verify()
{
    return runTransfer([this] { m_link->startVerify(); });
}

UnitSession::Outcome UnitSession::read()
{
    return runTransfer([this] { m_link->startRead(); });
}

UnitSession::Outcome UnitSession::compare()
{
    return runTransfer([this] { m_link->startCompare(); });
}

WriteReport UnitSession::program(BackupStore *store, const std::function<int()> &interrupts,
                                 const std::function<void(const BackupResult &)> &onBackup,
                                 const std::optional<RestoreRun> &restore)
{
    WriteSequence write(*m_link, m_set, store);
    if (restore)
        write.restoreNextRun(*restore);
    if (onBackup)
        connect(&write, &WriteSequence::backupKept, this, onBackup);
    m_finished = false;
    m_link->startProgram();
    // The link bounds every step and the wait for the saving; this only guards a line
    // that keeps answering something forever.
    const qint64 limit = 10 * 60 * 1000 / UnitLink::TickMs;
    tickUntil(
        [&] {
            const WriteReport &report = write.report();
            if (report.stage == WriteReport::Stage::Done)
                return true;
            const int interrupted = interrupts ? interrupts() : 0;
            if (interrupted >= 2)
                return true;
            // Nothing written yet: stop at once. Written: only once the verify has said
            // what the unit holds.
            if (interrupted == 1)
                return !m_link->blockSent() || report.stage == WriteReport::Stage::Saving;
            return false;
        },
        limit);
    return write.report();
}

UnitSession::Outcome UnitSession::monitor(double seconds, const std::function<bool(const LiveValues &)> &onFrame,
                                          const std::function<bool()> &stop)
{
    const qint64 limit = seconds < 0 ? std::numeric_limits<qint64>::max() / 2
                                     : qint64(seconds * 1000.0 / UnitLink::TickMs + 0.5);
    // A unit that has sent nothing by the time the watchdog would call the line dead
    // (two monitor requests later) is not there.
    const int firstFrameTicks = UnitLink::NoConnectionTicks + 2 * UnitLink::MonitorEveryTicks;
    quint64 seen = m_link->liveFrames();
    qint64 ticks = 0;
    bool stopped = false;
    tickUntil(
        [&] {
            ++ticks;
            if (m_link->liveFrames() != seen) {
                seen = m_link->liveFrames();
                if (!onFrame(m_link->live()))
                    stopped = true;
            }
            if (stop && stop())
                stopped = true;
            return stopped || ticks > limit || (m_link->liveFrames() == 0 && ticks > firstFrameTicks);
        },
        limit + 1);
    if (m_link->liveFrames() == 0)
        return stopped ? Outcome::Interrupted : Outcome::NoAnswer;
    return stopped ? Outcome::Interrupted : Outcome::Done;
}
