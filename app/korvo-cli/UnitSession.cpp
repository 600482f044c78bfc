#include "UnitSession.h"

#include "PortAdvice.h"

#include <QEventLoop>

#include <algorithm>
#include <cstring>

class UnitSession::ObservedPort : public UnitPort
{
public:
    ObservedPort(std::unique_ptr<UnitPort> inner, Observed &observed) : m_inner(std::move(inner)), m_observed(observed) {}

    void writeFrame(const UnitFrame &frame) override { m_inner->writeFrame(frame); }
    qint64 queuedBytes() override { return m_inner->queuedBytes(); }
    qint64 read(quint8 *buffer, qint64 maxBytes) override
    {
        const qint64 got = m_inner->read(buffer, maxBytes);
        // The driver hands on the first frame of what it reads, and only a whole one.
        if (got >= FrameSize) {
            std::memcpy(m_observed.frame.data(), buffer, FrameSize);
            m_observed.fresh = true;
        }
        return got;
    }
    void purgeReceiveAbort() override { m_inner->purgeReceiveAbort(); }
    void dropReceived() override { m_inner->dropReceived(); }

private:
    std::unique_ptr<UnitPort> m_inner;
    Observed &m_observed;
};

class UnitSession::ObservingProvider : public UnitPortProvider
{
public:
    ObservingProvider(UnitPortProvider &inner, Observed &observed) : m_inner(inner), m_observed(observed) {}

    std::unique_ptr<UnitPort> open(int portNumber, PortOpenFailure &failure) override
    {
        auto port = m_inner.open(portNumber, failure);
        if (!port)
            return nullptr;
        return std::make_unique<ObservedPort>(std::move(port), m_observed);
    }
    QString deviceName(int portNumber) const override { return m_inner.deviceName(portNumber); }
    PortDescription describe(int portNumber) override { return m_inner.describe(portNumber); }

private:
    UnitPortProvider &m_inner;
    Observed &m_observed;
};

UnitSession::UnitSession(const SessionSettings &session, QMap<int, QString> comDevices)
    : m_session(session),
      m_serial(std::make_unique<SerialUnitPortProvider>(std::move(comDevices))),
      m_ports(std::make_unique<ObservingProvider>(*m_serial, m_observed))
{
    m_messages.load(m_session.LanguageIndex);
    m_link = std::make_unique<LinkDriver>(m_set, m_session, m_messages, *m_ports);
    // Transfers count ticks: a coarse timer may fire up to 5 % early.
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(LinkDriver::TickMs);
    connect(m_link.get(), &LinkDriver::versionMismatch, this, [this](const QString &text) {
        m_mismatch = true;
        m_mismatchText = text;
    });
    connect(m_link.get(), &LinkDriver::portOpenFailed, this,
            [this](const QString &portName, const PortOpenFailure &failure) {
                m_portError = PortOpenAdvice(portName, failure, m_session.LanguageIndex);
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
    const QString name = m_link->LabelComCaption.section(u' ', -1);
    const QString device = m_link->LabelComDevice;
    return device.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, device);
}

void UnitSession::tick()
{
    const LinkMode modeBefore = m_link->Mode;
    const quint8 commandBefore = m_link->CommandByte;
    m_observed.fresh = false;

    m_link->Timer1Timer();

    bool answered = false;
    if (m_observed.fresh) {
        const UnitFrame &frame = m_observed.frame;
        if (frame[0] == AnswerLiveData) {
            if (AcceptLiveFrame(frame)) {
                ++m_liveFrames;
                m_live = DecodeLiveFrame(frame);
            }
        } else if (AcceptAnswerFrame(frame, commandBefore, modeBefore)) {
            answered = true;
        }
    }

    if (modeBefore != LinkMode::Idle && m_link->Mode == LinkMode::Idle && !m_mismatch &&
        m_link->LabelHlaseni.colour == NamedColour::Red) {
        // Five sends without an accepted answer. Whether any answer came decides between
        // "the unit holds something else" and "nobody is there".
        m_failed = true;
        m_failedAnswered = m_stepAnswered || answered;
    }
    if (m_link->Mode != modeBefore || m_link->CommandByte != commandBefore)
        m_stepAnswered = false;
    else if (answered)
        m_stepAnswered = true;

    if (afterTick)
        afterTick(*m_link);
}

bool UnitSession::tickUntil(const std::function<bool()> &done, int maxTicks)
{
    if (done())
        return true;
    QEventLoop loop;
    int ticks = 0;
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
    const int limit = (LinkDriver::PortCount + 1) * LinkDriver::ReopenTicks;
    const bool found = tickUntil(
        [&] {
            if (m_session.AutoScanPort != scanPort) {
                scanPort = m_session.AutoScanPort;
                ++moves;
            }
            return m_liveFrames > 0 || moves > LinkDriver::PortCount;
        },
        limit);
    return found && m_liveFrames > 0 ? Outcome::Done : Outcome::NoAnswer;
}

UnitSession::Outcome UnitSession::runTransfer(const std::function<void()> &start,
                                              const std::function<bool()> &finished)
{
    m_mismatch = false;
    m_failed = false;
    m_failedAnswered = false;
    m_stepAnswered = false;
    start();
    // Each step gives up after MaxSends sends AnswerWaitTicks apart; a program has five.
    const int limit = 6 * (LinkDriver::MaxSends + 1) * LinkDriver::AnswerWaitTicks;
    tickUntil([&] { return m_mismatch || finished(); }, limit);
    if (m_mismatch)
        return Outcome::VersionMismatch;
    if (m_failed)
        return m_failedAnswered ? Outcome::Differs : Outcome::NoAnswer;
    if (!finished())
        return Outcome::NoAnswer;
    return Outcome::Done;
}

UnitSession::Outcome UnitSession::program()
{
    return runTransfer([this] { m_link->StartProgram(); }, [this] { return m_link->Mode == LinkMode::Idle; });
}

UnitSession::Outcome UnitSession::verify()
{
    return runTransfer([this] { m_link->StartVerify(); }, [this] { return m_link->Mode == LinkMode::Idle; });
}

UnitSession::Outcome UnitSession::read()
{
    return runTransfer([this] { m_link->StartRead(); }, [this] { return m_link->Mode == LinkMode::Idle; });
}

UnitSession::Outcome UnitSession::compare()
{
    return runTransfer([this] { m_link->StartCompare(); }, [this] { return m_link->Mode == LinkMode::Idle; });
}

UnitSession::Outcome UnitSession::waitUntilSaved()
{
    const quint64 framesBefore = m_liveFrames;
    // A unit that never ends its countdown is given ten minutes.
    const int limit = 600 * 1000 / LinkDriver::TickMs;
    const bool ended = tickUntil(
        [&] {
            if (m_liveFrames > framesBefore && m_live.savingCountdown == 0)
                return true;
            return !liveConnection();
        },
        limit);
    return ended && liveConnection() ? Outcome::Done : Outcome::NoAnswer;
}

UnitSession::Outcome UnitSession::monitor(double seconds, const std::function<bool(const LiveValues &)> &onFrame,
                                          const std::function<bool()> &stop)
{
    const qint64 limit = seconds < 0 ? std::numeric_limits<int>::max()
                                     : qint64(seconds * 1000.0 / LinkDriver::TickMs + 0.5);
    // A unit that has sent nothing by the time the watchdog would call the line dead
    // (two monitor requests later) is not there.
    const int firstFrameTicks = LinkDriver::NoConnectionTicks + 2 * LinkDriver::MonitorEveryTicks;
    quint64 seen = m_liveFrames;
    int ticks = 0;
    bool stopped = false;
    tickUntil(
        [&] {
            ++ticks;
            if (m_liveFrames != seen) {
                seen = m_liveFrames;
                if (!onFrame(m_live))
                    stopped = true;
            }
            if (stop && stop())
                stopped = true;
            return stopped || ticks > limit || (m_liveFrames == 0 && ticks > firstFrameTicks);
        },
        int(std::min<qint64>(limit + 1, std::numeric_limits<int>::max())));
    if (m_liveFrames == 0)
        return stopped ? Outcome::Interrupted : Outcome::NoAnswer;
    return stopped ? Outcome::Interrupted : Outcome::Done;
}
