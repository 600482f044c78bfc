#include "LinkDriver.h"

#include "LanguageTexts.h"
#include "MessageTable.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

// The unit's program date carries the month as the low byte of the sum of the
// characters of its English three-letter name.
static QString monthText(quint8 code)
{
    static constexpr struct
    {
        quint8 code;
        const char *text;
    } Months[] = {{25, " 1"}, {13, " 2"}, {32, " 3"}, {35, " 4"}, {39, " 5"}, {45, " 6"},
                  {43, " 7"}, {29, " 8"}, {40, " 9"}, {38, "10"}, {51, "11"}, {12, "12"}};
    for (const auto &m : Months)
        if (m.code == code)
            return QString::fromLatin1(m.text);
    return QStringLiteral("00");
}

static QChar digit(int v)
{
    return QChar(ushort(quint8('0' + v)));
}

// The unit's texts are single-byte Windows-1250.
static QString unitText(const quint8 *bytes, int maxLength)
{
    int length = 0;
    while (length < maxLength && bytes[length] != 0)
        ++length;
    QStringDecoder decoder("windows-1250");
    if (!decoder.isValid())
        return QString::fromLatin1(reinterpret_cast<const char *>(bytes), length);
    return decoder.decode(QByteArrayView(bytes, length));
}

static quint16 word(const UnitFrame &frame, int at)
{
    return quint16(frame[at] | (frame[at + 1] << 8));
}

LinkDriver::LinkDriver(IgnitionParameters &set, SessionSettings &settings, const MessageTable &messages,
                       UnitPortProvider &ports, QObject *parent)
    : QObject(parent), m_set(set), m_settings(settings), m_messages(messages), m_ports(ports)
{
    CurveRowColour.fill(NamedColour::Window);
}

LinkDriver::~LinkDriver() = default;

// ---------------------------------------------------------------- port

void LinkDriver::OpenUnitPort()
{
    // A port still open would hold the device exclusively and make the new open fail.
    if (m_port)
        CloseUnitPort();

    const int portNumber =
        m_settings.PortChoice == PortChoiceAuto ? m_settings.AutoScanPort + 1 : m_settings.PortChoice + 1;
    const QString portName = QStringLiteral("COM%1").arg(portNumber);
    LabelComCaption = QStringLiteral("COM= ") + portName;
    LabelComDevice = m_ports.deviceName(portNumber);

    PortOpenFailure failure;
    m_port = m_ports.open(portNumber, failure);
    if (m_port)
        return;

    if (m_settings.PortChoice == PortChoiceAuto)
        ReconnectTicks = 200;
    // Raised last, with the link's state complete: the window may show a box whose
    // event loop runs ticks (and their reopens) before this call returns.
    if (!QuietReopen && m_settings.PortChoice != PortChoiceAuto)
        emit portOpenFailed(portName, failure);
}

void LinkDriver::CloseUnitPort()
{
    if (!m_port)
        return;
    m_port->purgeReceiveAbort();
    m_port.reset();
}

bool LinkDriver::portOpen() const
{
    return m_port != nullptr;
}

void LinkDriver::WriteFrame(const UnitFrame &frame)
{
    if (m_port)
        m_port->writeFrame(frame);
}

void LinkDriver::PollReceive()
{
    if (!m_port)
        return;
    const qint64 queued = m_port->queuedBytes();
    if (queued < FrameSize)
        return;
    const qint64 got = m_port->read(m_receiveBuffer.data(), std::min<qint64>(queued, ReceiveBufferSize));
    if (got < FrameSize)
        return;
    // The unit answers one request at a time; whatever follows the first frame of a poll
    // is stale or misaligned, so it is dropped and the next request starts clean.
    UnitFrame frame;
    std::memcpy(frame.data(), m_receiveBuffer.data(), FrameSize);
    DispatchReceivedFrame(frame);
}

// ---------------------------------------------------------------- frames

void LinkDriver::SendCommandFrame()
{
    TicksSinceSend = 0;
    WriteFrame(BuildCommandFrame(CommandByte, Mode, m_set));
}

void LinkDriver::SendMonitorRequest()
{
    static const UnitFrame request = BuildMonitorRequest();
    WriteFrame(request);
}

void LinkDriver::DispatchReceivedFrame(const UnitFrame &frame)
{
    if (frame[0] == AnswerLiveData)
        HandleLiveFrame(frame);
    else
        HandleAnswerFrame(frame);
}

// ---------------------------------------------------------------- tick

void LinkDriver::Timer1Timer()
{
    PollReceive();
    if (Mode == LinkMode::Idle)
        idleStep();
    else
        transferStep();
    messageAreaStep();
    watchdogStep();
    if (LabelSpojeniVisible)
        LabelVersion.visible = false;
    HighlightCurrentCurvePoint();

    // The box is raised only now, with the tick complete and the link Idle, so a box
    // with its own event loop cannot run a tick inside this one.
    if (m_mismatchPending) {
        m_mismatchPending = false;
        MessageTicks = 0;
        const QString text = m_mismatchText;
        emit versionMismatch(text);
    }
}

void LinkDriver::transferStep()
{
    ++TicksSinceSend;
    if (TicksSinceSend >= AnswerWaitTicks) {
        TicksSinceSend = 0;
        ++SendAttempts;
        if (SendAttempts > MaxSends) {
            const int entry = Mode == LinkMode::Program  ? MsgProgramError
                              : Mode == LinkMode::Verify ? MsgVerifyError
                                                         : MsgReadError;
            ShowLinkMessage(m_messages.text(entry), NamedColour::Red);
            // A flag left from an earlier programming would turn this error into
            // "Programing: OK" on the next idle tick, so every failure clears it.
            ProgrammedOk = false;
            Mode = LinkMode::Idle;
        } else {
            SendCommandFrame();
        }
    }
    if (Mode == LinkMode::Read)
        ProgrammedOk = false;
}

void LinkDriver::idleStep()
{
    ++TicksSinceSend;
    if (TicksSinceSend >= MonitorEveryTicks) {
        TicksSinceSend = 0;
        SendMonitorRequest();
    }

    if (SavingCountdown > 0) {
        ShowLinkMessage(m_messages.text(MsgSaving), NamedColour::BtnFace);
        setGaugeMaximum(100);
        setGaugePosition(std::max(0, (110 - int(SavingCountdown)) * 100 / 110));
        return;
    }
    setGaugeMaximum(1);
    if (ProgrammedOk) {
        const QString &entry = m_messages.text(MsgPrograming);
        static constexpr QLatin1String Ok(": OK");
        // Compared before it is built, so a steady idle tick allocates nothing.
        const QString &caption = LabelHlaseni.caption;
        if (caption.size() != entry.size() + Ok.size() || !caption.startsWith(entry) || !caption.endsWith(Ok))
            LabelHlaseni.caption = entry + Ok;
        setGaugePosition(CGaugeProgram.maximum);
    }
}

void LinkDriver::messageAreaStep()
{
    if (MessageTicks > 0) {
        --MessageTicks;
        LabelHlaseni.visible = !Printing;
    } else {
        LabelHlaseni.visible = false;
        CGaugeProgram.visible = false;
        ProgrammedOk = false;
    }
}

void LinkDriver::watchdogStep()
{
    if (LinkWatchdog < NoConnectionTicks) {
        ++LinkWatchdog;
        LabelSpojeniVisible = false;
        return;
    }
    LabelSpojeniVisible = !Printing;
    ++ReconnectTicks;
    // At or above: a failed automatic open sets 200 so that the next tick moves on.
    if (ReconnectTicks >= ReopenTicks) {
        ReconnectTicks = 0;
        CloseUnitPort();
        QuietReopen = true;
        ++m_settings.AutoScanPort;
        if (m_settings.AutoScanPort > PortChoiceAuto)
            m_settings.AutoScanPort = 0;
        OpenUnitPort();
    }
}

// ---------------------------------------------------------------- message area

void LinkDriver::ShowLinkMessage(const QString &text, NamedColour colour)
{
    LabelHlaseni.caption = text;
    LabelHlaseni.colour = colour;
    LabelHlaseni.visible = true;
    MessageTicks = MessageTicks_;
}

void LinkDriver::HideMessageArea()
{
    LabelHlaseni.visible = false;
    CGaugeProgram.visible = false;
}

void LinkDriver::setGaugeMaximum(int maximum)
{
    CGaugeProgram.maximum = std::max(1, maximum);
    CGaugeProgram.position = std::clamp(CGaugeProgram.position, 0, CGaugeProgram.maximum);
}

void LinkDriver::setGaugePosition(int position)
{
    CGaugeProgram.position = std::clamp(position, 0, CGaugeProgram.maximum);
}

// ---------------------------------------------------------------- transfer starts

void LinkDriver::setStartCaption(LinkMode mode)
{
    const TransferStart transfer = mode == LinkMode::Program  ? TransferStart::Program
                                   : mode == LinkMode::Verify ? TransferStart::Verify
                                                              : TransferStart::Read;
    LabelHlaseni.colour = NamedColour::BtnFace;
    // French has no start caption: the message area keeps whatever text it had.
    if (const auto caption = TransferStartCaption(transfer, m_settings.LanguageIndex))
        LabelHlaseni.caption = *caption;
}

void LinkDriver::startTransfer(LinkMode mode, quint8 command, quint8 attempts)
{
    Mode = mode;
    CommandByte = command;
    SendAttempts = attempts;
}

void LinkDriver::startFromCommand(LinkMode mode, quint8 command)
{
    startTransfer(mode, command, 1);
    SendCommandFrame();
    setStartCaption(mode);
    showTransferArea();
}

void LinkDriver::showTransferArea()
{
    MessageTicks = MessageTicks_;
    LabelHlaseni.visible = true;
    setGaugePosition(0);
    CGaugeProgram.visible = true;
}

void LinkDriver::StartProgram()
{
    startFromCommand(LinkMode::Program, CommandProgramBlock0);
}

void LinkDriver::StartVerify()
{
    startFromCommand(LinkMode::Verify, CommandReadBlock1);
}

void LinkDriver::StartRead()
{
    startFromCommand(LinkMode::Read, CommandReadBlock0);
}

void LinkDriver::StartProgrammingAfterChange()
{
    // No frame now: the first goes out on the first tick whose transfer step finds
    // TicksSinceSend at AnswerWaitTicks or more.
    startTransfer(LinkMode::Program, CommandProgramBlock0, 0);
    LabelHlaseni.caption = m_messages.text(MsgPrograming);
    // A new run is not an error: it must not inherit the red of an earlier failure.
    LabelHlaseni.colour = NamedColour::BtnFace;
    showTransferArea();
    ProgrammedOk = false;
}

// ---------------------------------------------------------------- live monitor

void LinkDriver::showSwitch(LabelView &label, bool on, const QString &onText, NamedColour onColour,
                            const QString &offText)
{
    label.visible = BlockEnableChecked;
    label.caption = on ? onText : offText;
    label.colour = on ? onColour : NamedColour::BtnFace;
}

void LinkDriver::HandleLiveFrame(const UnitFrame &frame)
{
    if (!AcceptLiveFrame(frame))
        return;
    LinkWatchdog = 0;

    LiveRpm = word(frame, 1);
    LabelRpm.caption = QString::asprintf("RPM = %d ", int(LiveRpm));
    LabelRpm.colour = frame[3] != 0 ? NamedColour::Red : NamedColour::BtnFace;

    // A limiter of 0 can only come from a unit that stores it; there is no scale then.
    const int limiter = m_set.LIMITER();
    CGaugeRpmPosition = limiter == 0 ? 0 : std::min(100, LiveRpm / limiter);

    const int raw = word(frame, 9);
    const int k = raw * 5000 / 8184;
    const int millivolts = k * 11 + 800;
    const float volts = float(double(millivolts) * 0.001);
    LabelNapeti.caption = QString::asprintf("U = %4.1f [V]", double(volts));
    if (millivolts <= 7000 || millivolts >= 17999)
        LabelNapeti.colour = NamedColour::Red;
    else if (millivolts <= 11000 || millivolts >= 14999)
        LabelNapeti.colour = NamedColour::Yellow;
    else
        LabelNapeti.colour = NamedColour::BtnFace;

    // The switch labels show only while the user has blocking enabled, whatever the
    // unit reports. Blocking is on when its byte is set; the two switches are ON at 0.
    showSwitch(LabelBlocking, frame[7] != 0, QStringLiteral("Blocking = ON"), NamedColour::Red,
               QStringLiteral("Blocking = OFF"));
    showSwitch(LabelNeutral, frame[30] == 0, QStringLiteral("Neutral sw. = ON"), NamedColour::Aqua,
               QStringLiteral("Neutral sw. = OFF"));
    showSwitch(LabelSideStand, frame[29] == 0, QStringLiteral("Side stand sw. = ON"), NamedColour::Lime,
               QStringLiteral("Side stand sw. = OFF"));

    LabelAdvance.caption = QString::asprintf("ADVANCE = %d [\u00B0]", int(frame[5]));

    if (frame[50] == PcProgramVersion) {
        LabelVersion.visible = false;
    } else {
        LabelVersion.caption = m_messages.text(MsgUnmatchedVersion) +
                               QString::asprintf("  PC-%d, IGN-%d", PcProgramVersion, int(frame[50]));
        LabelVersion.visible = true;
    }

    const QString &pickup = m_messages.text(MsgPickup);
    const bool running1 = frame[31] != 0;
    LabelMonSnimac1.caption =
        pickup + QStringLiteral(" 1 - ") + m_messages.text(running1 ? MsgPickupRunning : MsgPickupNoSignal);
    LabelMonSnimac1.colour = running1 ? NamedColour::Lime : NamedColour::BtnFace;
    const bool running2 = frame[32] != 0;
    LabelMonSnimac2.caption =
        pickup + QStringLiteral(" 2 - ") + m_messages.text(running2 ? MsgPickupRunning : MsgPickupNoSignal);
    LabelMonSnimac2.colour = running2 ? NamedColour::Lime : NamedColour::BtnFace;

    SavingCountdown = word(frame, 47);
    LabelEeDataErrVisible = frame[49] != 0;
    LabelPocetProgramovani = QString::asprintf("Number of Programing= %d ", int(word(frame, 11)));
    for (int i = 0; i < int(LabelTest.size()); ++i)
        LabelTest[i] = QString::asprintf("Test%d = %d ", i + 1, int(word(frame, 13 + 2 * i)));
}

void LinkDriver::HighlightCurrentCurvePoint()
{
    const quint8 r = quint8(LiveRpm / 100);
    int i = 0;
    while (i < CurvePoints && m_set.RPM_ADV(i) <= r)
        ++i;
    if (i == 0) {
        NoCurvePoint = true;
        CurrentCurvePoint = 0;
    } else {
        NoCurvePoint = false;
        if (i == CurvePoints)
            CurrentCurvePoint = CurvePoints - 1;
        else if (m_set.RPM_ADV(i - 1) + m_set.RPM_ADV(i) >= 2 * r)
            CurrentCurvePoint = quint8(i - 1);
        else
            CurrentCurvePoint = quint8(i);
    }
    for (int k = 0; k < CurvePoints; ++k)
        CurveRowColour[k] = k == CurrentCurvePoint && !NoCurvePoint ? NamedColour::Lime : NamedColour::Window;
}

// ---------------------------------------------------------------- parameter transfer

bool LinkDriver::frameMatchesBlockImage(const UnitFrame &frame) const
{
    const auto block = m_set.UnitBlockImage();
    return std::equal(block.begin(), block.end(), frame.begin() + 1);
}

void LinkDriver::nextBlock()
{
    setGaugePosition(CGaugeProgram.position + 1);
    ++CommandByte;
    SendAttempts = 1;
    SendCommandFrame();
}

void LinkDriver::raiseVersionMismatch(quint8 unitVersion)
{
    Mode = LinkMode::Idle;
    // The idle step of this same tick must not show "Programing: OK" beside the box.
    ProgrammedOk = false;
    m_mismatchText = m_messages.text(MsgUnmatchedVersion) +
                     QString::asprintf("  PC-%d, IGN-%d", PcProgramVersion, int(unitVersion));
    m_mismatchPending = true;
}

void LinkDriver::HandleAnswerFrame(const UnitFrame &frame)
{
    if (!AcceptAnswerFrame(frame, CommandByte, Mode))
        return;
    LinkWatchdog = 0;

    const quint8 block = BlockNumberOf(CommandByte);
    switch (Mode) {
    case LinkMode::Program:
        if (block == 0) {
            std::copy_n(frame.begin() + 1, FrameDataSize, UnitInformationCopy.begin());
            DecodeUnitInformation();
            NormaliseParameters(m_set, m_settings);
            emit parametersReceived();
            if (UnitInformationCopy[10] != PcProgramVersion)
                raiseVersionMismatch(UnitInformationCopy[10]);
            else
                nextBlock();
        } else {
            if (!frameMatchesBlockImage(frame))
                return;
            ProgrammedOk = true;
            startTransfer(LinkMode::Verify, CommandReadBlock1, 1);
            SendCommandFrame();
            ShowLinkMessage(m_messages.text(MsgVerify) + QLatin1Char(':'), NamedColour::BtnFace);
            setGaugePosition(0);
        }
        break;
    case LinkMode::Verify:
        if (block != 1 || !frameMatchesBlockImage(frame))
            return;
        setGaugePosition(CGaugeProgram.maximum);
        ShowLinkMessage(m_messages.text(MsgVerify) + QStringLiteral(": OK"), NamedColour::BtnFace);
        Mode = LinkMode::Idle;
        break;
    case LinkMode::Read:
        if (block == 0) {
            std::copy_n(frame.begin() + 1, FrameDataSize, UnitInformationCopy.begin());
            DecodeUnitInformation();
            if (UnitInformationCopy[10] != PcProgramVersion) {
                NormaliseParameters(m_set, m_settings);
                emit parametersReceived();
                raiseVersionMismatch(UnitInformationCopy[10]);
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
            ShowLinkMessage(m_messages.text(MsgVerify) + QLatin1Char(':'), NamedColour::BtnFace);
            setGaugePosition(0);
        }
        break;
    case LinkMode::Idle:
        break;
    }
}

void LinkDriver::DecodeUnitInformation()
{
    const auto &b = UnitInformationCopy;

    QString version = unitText(b.data(), 3);
    if (version.size() == 3) {
        version += digit(b[3] / 10);
        version += digit(b[3] % 10);
    }
    UnitVersionText = version;

    QString date;
    date += b[4] < 10 ? QChar(u' ') : digit(b[4] / 10);
    date += digit(b[4] % 10);
    date += QLatin1Char('.');
    date += monthText(b[5]);
    date += QStringLiteral(".20");
    date += digit(b[6] / 10);
    date += digit(b[6] % 10);
    UnitDateText = date;

    QString time;
    time += digit(b[7] / 10);
    time += digit(b[7] % 10);
    time += QLatin1Char(':');
    time += digit(b[8] / 10);
    time += digit(b[8] % 10);
    UnitTimeText = time;

    if (b[16] != 0)
        UnitVersionText = unitText(b.data() + 16, 30);
}
