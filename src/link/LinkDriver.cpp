#include "LinkDriver.h"

#include "AddedTexts.h"
#include "LanguageTexts.h"
#include "LiveValues.h"
#include "MessageTable.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <initializer_list>

static QString monthText(quint8 code)
{
    const int month = UnitProgramMonth(code);
    if (month == 0)
        return QStringLiteral("00");
    return QString::asprintf("%2d", month);
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

// A short text formatted on the stack, in Latin-1 (the degree sign included).
class StackText
{
public:
    StackText() = default;
    Q_ATTRIBUTE_FORMAT_PRINTF(2, 3) void format(const char *pattern, ...)
    {
        char bytes[Capacity];
        va_list args;
        va_start(args, pattern);
        const int length = std::vsnprintf(bytes, sizeof bytes, pattern, args);
        va_end(args);
        m_size = std::clamp(length, 0, Capacity - 1);
        for (int i = 0; i < m_size; ++i)
            m_text[i] = char16_t(quint8(bytes[i]));
    }
    QStringView view() const { return QStringView(m_text.data(), m_size); }

private:
    static constexpr int Capacity = 64;
    std::array<char16_t, Capacity> m_text{};
    int m_size = 0;
};

// Puts the joined parts into a caption. Live frames come ten times a second: an equal
// text is left alone, and a changed one is written into the caption's own storage where
// it has room, so that a steady stream of frames allocates nothing.
static void setCaption(QString &caption, std::initializer_list<QStringView> parts)
{
    qsizetype total = 0;
    for (QStringView part : parts)
        total += part.size();
    if (caption.size() == total) {
        qsizetype at = 0;
        bool same = true;
        for (QStringView part : parts) {
            if (QStringView(caption).mid(at, part.size()) != part) {
                same = false;
                break;
            }
            at += part.size();
        }
        if (same)
            return;
    }
    if (!caption.isDetached() || caption.capacity() < total) {
        QString fresh;
        fresh.reserve(std::max<qsizetype>(total, 48));
        caption = std::move(fresh);
    }
    caption.resize(total);
    QChar *out = caption.data();
    for (QStringView part : parts) {
        std::copy(part.begin(), part.end(), out);
        out += part.size();
    }
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
            // The read before a write belongs to the Program the user asked for.
            const int entry = Mode == LinkMode::Program || Mode == LinkMode::BackupRead ? MsgProgramError
                              : Mode == LinkMode::Verify                                ? MsgVerifyError
                                                                                        : MsgReadError;
            if (Mode == LinkMode::Verify)
                KeptUnitBlock = m_verifyAnswer;
            ShowLinkMessage(m_messages.text(entry), NamedColour::Red);
            // A flag left from an earlier programming would turn this error into
            // "Programing: OK" on the next idle tick, so every failure clears it.
            ProgrammedOk = false;
            Mode = LinkMode::Idle;
            // The failure keeps the area for its whole time; a bar left full from the
            // blocks that did get through would read as success beside it.
            FailureShown = true;
            CGaugeProgram.visible = false;
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

    if (FailureShown) {
        // The unit may store what it got before the failure; the bar tells so, never
        // full, while the text stays the failure's.
        CGaugeProgram.visible = SavingCountdown > 0;
        setGaugeMaximum(SavingCountdown > 0 ? 100 : 1);
        if (SavingCountdown > 0)
            setGaugePosition(savingPercent());
        return;
    }
    if (SavingCountdown > 0) {
        ShowLinkMessage(m_messages.text(MsgSaving), NamedColour::BtnFace);
        setGaugeMaximum(100);
        setGaugePosition(savingPercent());
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
        FailureShown = false;
    }
}

int LinkDriver::savingPercent() const
{
    return std::max(0, (110 - int(SavingCountdown)) * 100 / 110);
}

void LinkDriver::connectionLost()
{
    // What a unit reported about storing a set, and the success it confirmed, belong to
    // that unit; whatever answers next may be another one, or the same after a power cut.
    if (Mode == LinkMode::Idle && !FailureShown && (SavingCountdown > 0 || ProgrammedOk)) {
        MessageTicks = 0;
        LabelHlaseni.visible = false;
        CGaugeProgram.visible = false;
    }
    SavingCountdown = 0;
    ProgrammedOk = false;
}

void LinkDriver::watchdogStep()
{
    if (LinkWatchdog < NoConnectionTicks) {
        ++LinkWatchdog;
        LabelSpojeniVisible = false;
        return;
    }
    LabelSpojeniVisible = !Printing;
    connectionLost();
    // Another unit may be plugged in by now.
    KeptUnitBlock.reset();
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
    // The hold belongs to the failure's text; another message (a printout's) ends it.
    FailureShown = false;
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
    if (mode == LinkMode::Compare) {
        LabelHlaseni.colour = NamedColour::BtnFace;
        LabelHlaseni.caption = AddedTextFor(AddedText::CompareStartCaption, m_settings.LanguageIndex);
        return;
    }
    const TransferStart transfer = mode == LinkMode::Program || mode == LinkMode::BackupRead ? TransferStart::Program
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
    // A block kept from an earlier Verify no longer tells what the unit holds.
    KeptUnitBlock.reset();
    m_verifyAnswer.reset();
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
    FailureShown = false;
    MessageTicks = MessageTicks_;
    LabelHlaseni.visible = true;
    setGaugePosition(0);
    CGaugeProgram.visible = true;
}

void LinkDriver::StartProgram()
{
    startFromCommand(LinkMode::BackupRead, CommandReadBlock0);
}

void LinkDriver::StartVerify()
{
    startFromCommand(LinkMode::Verify, CommandReadBlock1);
}

void LinkDriver::StartRead()
{
    startFromCommand(LinkMode::Read, CommandReadBlock0);
}

void LinkDriver::StartCompare()
{
    if (KeptUnitBlock) {
        CompareBlock = *KeptUnitBlock;
        emit compareReady();
        return;
    }
    // The idle step after the compare must not bring back an earlier "Programing: OK".
    ProgrammedOk = false;
    startFromCommand(LinkMode::Compare, CommandReadBlock0);
}

void LinkDriver::StartProgrammingAfterChange()
{
    // No frame now: the first goes out on the first tick whose transfer step finds
    // TicksSinceSend at AnswerWaitTicks or more.
    startTransfer(LinkMode::BackupRead, CommandReadBlock0, 0);
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
    StackText text;
    text.format("RPM = %d ", int(LiveRpm));
    setCaption(LabelRpm.caption, {text.view()});
    LabelRpm.colour = frame[3] != 0 ? NamedColour::Red : NamedColour::BtnFace;

    // A limiter of 0 can only come from a unit that stores it; there is no scale then.
    const int limiter = m_set.LIMITER();
    CGaugeRpmPosition = limiter == 0 ? 0 : std::min(100, LiveRpm / limiter);

    const int millivolts = LiveMillivolts(word(frame, 9));
    const float volts = LiveVolts(millivolts);
    text.format("U = %4.1f [V]", double(volts));
    setCaption(LabelNapeti.caption, {text.view()});
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

    text.format("ADVANCE = %d [\xB0]", int(frame[5]));
    setCaption(LabelAdvance.caption, {text.view()});

    if (frame[50] == PcProgramVersion) {
        LabelVersion.visible = false;
    } else {
        text.format("  PC-%d, IGN-%d", PcProgramVersion, int(frame[50]));
        setCaption(LabelVersion.caption, {m_messages.text(MsgUnmatchedVersion), text.view()});
        LabelVersion.visible = true;
    }

    const QString &pickup = m_messages.text(MsgPickup);
    const bool running1 = frame[31] != 0;
    setCaption(LabelMonSnimac1.caption,
               {pickup, u" 1 - ", m_messages.text(running1 ? MsgPickupRunning : MsgPickupNoSignal)});
    LabelMonSnimac1.colour = running1 ? NamedColour::Lime : NamedColour::BtnFace;
    const bool running2 = frame[32] != 0;
    setCaption(LabelMonSnimac2.caption,
               {pickup, u" 2 - ", m_messages.text(running2 ? MsgPickupRunning : MsgPickupNoSignal)});
    LabelMonSnimac2.colour = running2 ? NamedColour::Lime : NamedColour::BtnFace;

    SavingCountdown = word(frame, 47);
    LabelEeDataErrVisible = frame[49] != 0;
    text.format("Number of Programing= %d ", int(word(frame, 11)));
    setCaption(LabelPocetProgramovani, {text.view()});
    for (int i = 0; i < int(LabelTest.size()); ++i) {
        text.format("Test%d = %d ", i + 1, int(word(frame, 13 + 2 * i)));
        setCaption(LabelTest[i], {text.view()});
    }
    emit liveFrameReceived(frame);
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
            emit blockWritten();
            startTransfer(LinkMode::Verify, CommandReadBlock1, 1);
            SendCommandFrame();
            ShowLinkMessage(m_messages.text(MsgVerify) + QLatin1Char(':'), NamedColour::BtnFace);
            setGaugePosition(0);
        }
        break;
    case LinkMode::Verify:
        if (block != 1)
            return;
        m_verifyAnswer.emplace();
        std::copy_n(frame.begin() + 1, FrameDataSize, m_verifyAnswer->begin());
        if (!frameMatchesBlockImage(frame))
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
    case LinkMode::BackupRead:
        if (block == 0) {
            if (takeUnitInformation(frame))
                nextBlock();
        } else {
            std::copy_n(frame.begin() + 1, FrameDataSize, UnitBlockBeforeWrite.begin());
            emit unitBlockBeforeWrite();
            // The owner may have started something else meanwhile; that one counts.
            if (Mode != LinkMode::BackupRead)
                return;
            startTransfer(LinkMode::Program, CommandProgramBlock0, 1);
            setGaugePosition(CGaugeProgram.position + 1);
            SendCommandFrame();
        }
        break;
    case LinkMode::Compare:
        if (block == 0) {
            if (takeUnitInformation(frame))
                nextBlock();
        } else {
            std::copy_n(frame.begin() + 1, FrameDataSize, CompareBlock.begin());
            Mode = LinkMode::Idle;
            setGaugePosition(CGaugeProgram.maximum);
            emit compareReady();
        }
        break;
    case LinkMode::Idle:
        break;
    }
}

bool LinkDriver::takeUnitInformation(const UnitFrame &frame)
{
    std::copy_n(frame.begin() + 1, FrameDataSize, UnitInformationCopy.begin());
    DecodeUnitInformation();
    emit parametersReceived();
    if (UnitInformationCopy[10] == PcProgramVersion)
        return true;
    // A unit of another program version may lay its blocks out differently: nothing of
    // block 1 is read, kept or written.
    raiseVersionMismatch(UnitInformationCopy[10]);
    return false;
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
