#include "LinkDriver.h"

#include "AddedTexts.h"
#include "LanguageTexts.h"
#include "LiveValues.h"
#include "MessageTable.h"
#include "UnitInformation.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <initializer_list>

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

LinkDriver::LinkDriver(IgnitionParameters &set, SessionSettings &settings, const MessageTable &messages,
                       UnitPortProvider &ports, QObject *parent)
    : QObject(parent), m_set(set), m_settings(settings), m_messages(messages), m_unit(set, settings, ports)
{
    CurveRowColour.fill(NamedColour::Window);
    // Direct: each is shown within the tick that raised it, before the owner looks.
    connect(&m_unit, &UnitLink::unitBlockBeforeWrite, this, &LinkDriver::unitBlockBeforeWrite);
    connect(&m_unit, &UnitLink::blockWritten, this, [this] {
        ProgrammedOk = true;
        emit blockWritten();
    });
    connect(&m_unit, &UnitLink::blockAdvanced, this, [this] { setGaugePosition(CGaugeProgram.position + 1); });
    connect(&m_unit, &UnitLink::verifyStarted, this, [this] {
        ShowLinkMessage(m_messages.text(MsgVerify) + QLatin1Char(':'), NamedColour::BtnFace);
        setGaugePosition(0);
    });
    connect(&m_unit, &UnitLink::unitInformationReceived, this, &LinkDriver::DecodeUnitInformation);
    connect(&m_unit, &UnitLink::parametersReceived, this, &LinkDriver::parametersReceived);
    connect(&m_unit, &UnitLink::transferFinished, this, &LinkDriver::onTransferFinished);
    connect(&m_unit, &UnitLink::writeConfirmed, this, &LinkDriver::onWriteConfirmed);
    connect(&m_unit, &UnitLink::liveFrameReceived, this, &LinkDriver::onLiveFrame);
    connect(&m_unit, &UnitLink::unitChanged, this, &LinkDriver::endSuccessDisplay);
    connect(&m_unit, &UnitLink::connectionLost, this, &LinkDriver::onConnectionLost);
    connect(&m_unit, &UnitLink::versionMismatch, this, [this](quint8 unitVersion) {
        MessageTicks = 0;
        emit versionMismatch(mismatchText(unitVersion));
    });
    connect(&m_unit, &UnitLink::portOpenFailed, this, [this](int portNumber, const PortOpenFailure &failure) {
        showPortTried();
        emit portOpenFailed(QStringLiteral("COM%1").arg(portNumber), failure);
    });
}

LinkDriver::~LinkDriver() = default;

// ---------------------------------------------------------------- port

void LinkDriver::OpenUnitPort()
{
    m_unit.OpenUnitPort();
    showPortTried();
}

void LinkDriver::CloseUnitPort()
{
    m_unit.CloseUnitPort();
}

void LinkDriver::showPortTried()
{
    // Compared first: the watchdog's reopen runs within the tick, which allocates nothing
    // while the port stays the same.
    const int number = m_unit.portNumber();
    if (number != 0 && number != m_shownPortNumber) {
        m_shownPortNumber = number;
        LabelComCaption = QStringLiteral("COM= COM%1").arg(number);
    }
    if (LabelComDevice != m_unit.portDevice())
        LabelComDevice = m_unit.portDevice();
}

// ---------------------------------------------------------------- tick

void LinkDriver::Timer1Timer()
{
    if (m_unit.pollAndStep())
        idleView();
    else if (m_unit.mode() == LinkMode::Read)
        ProgrammedOk = false;
    messageAreaStep();
    LabelSpojeniVisible = !m_unit.watchdogStep() && !Printing;
    showPortTried();
    if (LabelSpojeniVisible)
        LabelVersion.visible = false;
    HighlightCurrentCurvePoint();
    // The box is raised only now, with the tick complete and the link Idle, so a box
    // with its own event loop cannot run a tick inside this one.
    m_unit.endOfTick();
}

void LinkDriver::idleView()
{
    const quint16 saving = m_unit.savingCountdown();
    if (FailureShown) {
        // The unit may store what it got before the failure; the bar tells so, never
        // full, while the text stays the failure's.
        CGaugeProgram.visible = saving > 0;
        setGaugeMaximum(saving > 0 ? 100 : 1);
        setGaugePosition(saving > 0 ? std::min(99, savingPercent()) : 0);
        return;
    }
    if (saving > 0) {
        ShowLinkMessage(m_messages.text(MsgSaving), NamedColour::BtnFace);
        setGaugeMaximum(100);
        setGaugePosition(savingPercent());
        CGaugeProgram.visible = true;
        return;
    }
    setGaugeMaximum(1);
    // Success is what the unit confirmed once it stored the set, not the verify alone.
    if (ProgrammedOk && WriteConfirmed) {
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
        WriteConfirmed = false;
        FailureShown = false;
    }
}

int LinkDriver::savingPercent() const
{
    return std::max(0, (UnitLink::SavingFullCountdown - int(m_unit.savingCountdown())) * 100 /
                           UnitLink::SavingFullCountdown);
}

void LinkDriver::endSuccessDisplay()
{
    if (m_unit.mode() == LinkMode::Idle && !FailureShown && (m_unit.savingCountdown() > 0 || ProgrammedOk)) {
        MessageTicks = 0;
        LabelHlaseni.visible = false;
        CGaugeProgram.visible = false;
    }
    ProgrammedOk = false;
    WriteConfirmed = false;
}

void LinkDriver::onConnectionLost()
{
    // What a unit reported about storing a set, and the success it confirmed, belong to
    // that unit; whatever answers next may be another one, or the same after a power cut.
    endSuccessDisplay();
}

void LinkDriver::showFailure(const QString &text)
{
    ShowLinkMessage(text, NamedColour::Red);
    // A flag left from an earlier programming would turn this error into
    // "Programing: OK" on the next idle tick, so every failure clears it.
    ProgrammedOk = false;
    WriteConfirmed = false;
    // The failure keeps the area for its whole time; a bar left full from the blocks
    // that did get through would read as success beside it.
    FailureShown = true;
    CGaugeProgram.visible = false;
}

void LinkDriver::onTransferFinished(const TransferResult &result)
{
    switch (result.outcome) {
    case TransferOutcome::Accepted:
        setGaugePosition(CGaugeProgram.maximum);
        if (result.mode == LinkMode::Verify)
            ShowLinkMessage(m_messages.text(MsgVerify) + QStringLiteral(": OK"), NamedColour::BtnFace);
        else if (result.mode == LinkMode::Compare)
            emit compareReady();
        break;
    case TransferOutcome::NoAnswer:
    case TransferOutcome::Differs: {
        // The read before a write belongs to the Program the user asked for.
        const int entry = result.mode == LinkMode::Program || result.mode == LinkMode::BackupRead ? MsgProgramError
                          : result.mode == LinkMode::Verify                                       ? MsgVerifyError
                                                                                                  : MsgReadError;
        showFailure(m_messages.text(entry));
        break;
    }
    case TransferOutcome::OtherUnit:
        showFailure(AddedTextFor(AddedText::LinkOtherUnit, m_settings.LanguageIndex));
        break;
    case TransferOutcome::VersionMismatch:
        // The idle step of this same tick must not show "Programing: OK" beside the box.
        ProgrammedOk = false;
        WriteConfirmed = false;
        break;
    }
}

void LinkDriver::onWriteConfirmed(WriteConfirmation confirmation)
{
    const quint8 language = m_settings.LanguageIndex;
    switch (confirmation) {
    case WriteConfirmation::Confirmed:
        WriteConfirmed = ProgrammedOk;
        break;
    case WriteConfirmation::StoredDataError:
        showFailure(AddedTextFor(AddedText::LinkStoredDataError, language));
        break;
    case WriteConfirmation::OtherUnit:
        endSuccessDisplay();
        break;
    case WriteConfirmation::SavingNeverEnded:
        showFailure(AddedTextFor(AddedText::LinkSavingNeverEnded, language));
        break;
    case WriteConfirmation::ConnectionLost:
        showFailure(AddedTextFor(AddedText::LinkSavingConnectionLost, language));
        break;
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
    m_unit.startProgram();
    // What the unit confirmed of an earlier write says nothing of this one.
    WriteConfirmed = false;
    setStartCaption(LinkMode::BackupRead);
    showTransferArea();
}

void LinkDriver::StartVerify()
{
    m_unit.startVerify();
    setStartCaption(LinkMode::Verify);
    showTransferArea();
}

void LinkDriver::StartRead()
{
    m_unit.startRead();
    setStartCaption(LinkMode::Read);
    showTransferArea();
}

void LinkDriver::StartCompare()
{
    if (m_unit.takeKeptBlockForCompare()) {
        emit compareReady();
        return;
    }
    // The idle step after the compare must not bring back an earlier "Programing: OK".
    ProgrammedOk = false;
    m_unit.startCompare();
    setStartCaption(LinkMode::Compare);
    showTransferArea();
}

void LinkDriver::StartProgrammingAfterChange()
{
    m_unit.startProgram(true);
    LabelHlaseni.caption = m_messages.text(MsgPrograming);
    // A new run is not an error: it must not inherit the red of an earlier failure.
    LabelHlaseni.colour = NamedColour::BtnFace;
    showTransferArea();
    ProgrammedOk = false;
    WriteConfirmed = false;
}

// ---------------------------------------------------------------- live monitor

void LinkDriver::showSwitch(LabelView &label, bool on, const QString &onText, NamedColour onColour,
                            const QString &offText)
{
    label.visible = BlockEnableChecked;
    label.caption = on ? onText : offText;
    label.colour = on ? onColour : NamedColour::BtnFace;
}

void LinkDriver::onLiveFrame(const UnitFrame &frame, const LiveValues &v)
{
    StackText text;
    text.format("RPM = %d ", int(v.rpm));
    setCaption(LabelRpm.caption, {text.view()});
    LabelRpm.colour = v.overLimiter ? NamedColour::Red : NamedColour::BtnFace;

    // A limiter of 0 can only come from a unit that stores it; there is no scale then.
    const int limiter = m_set.LIMITER();
    CGaugeRpmPosition = limiter == 0 ? 0 : std::min(100, v.rpm / limiter);

    text.format("U = %4.1f [V]", double(LiveVolts(v.millivolts)));
    setCaption(LabelNapeti.caption, {text.view()});
    if (v.millivolts <= 7000 || v.millivolts >= 17999)
        LabelNapeti.colour = NamedColour::Red;
    else if (v.millivolts <= 11000 || v.millivolts >= 14999)
        LabelNapeti.colour = NamedColour::Yellow;
    else
        LabelNapeti.colour = NamedColour::BtnFace;

    // The switch labels show only while the user has blocking enabled, whatever the
    // unit reports.
    showSwitch(LabelBlocking, v.blocking, QStringLiteral("Blocking = ON"), NamedColour::Red,
               QStringLiteral("Blocking = OFF"));
    showSwitch(LabelNeutral, v.neutral, QStringLiteral("Neutral sw. = ON"), NamedColour::Aqua,
               QStringLiteral("Neutral sw. = OFF"));
    showSwitch(LabelSideStand, v.sideStand, QStringLiteral("Side stand sw. = ON"), NamedColour::Lime,
               QStringLiteral("Side stand sw. = OFF"));

    text.format("ADVANCE = %d [\xB0]", int(v.advance));
    setCaption(LabelAdvance.caption, {text.view()});

    if (v.unitProgramVersion == PcProgramVersion) {
        LabelVersion.visible = false;
    } else {
        text.format("  PC-%d, IGN-%d", PcProgramVersion, int(v.unitProgramVersion));
        setCaption(LabelVersion.caption, {m_messages.text(MsgUnmatchedVersion), text.view()});
        LabelVersion.visible = true;
    }

    const QString &pickup = m_messages.text(MsgPickup);
    setCaption(LabelMonSnimac1.caption,
               {pickup, u" 1 - ", m_messages.text(v.pickup1 ? MsgPickupRunning : MsgPickupNoSignal)});
    LabelMonSnimac1.colour = v.pickup1 ? NamedColour::Lime : NamedColour::BtnFace;
    setCaption(LabelMonSnimac2.caption,
               {pickup, u" 2 - ", m_messages.text(v.pickup2 ? MsgPickupRunning : MsgPickupNoSignal)});
    LabelMonSnimac2.colour = v.pickup2 ? NamedColour::Lime : NamedColour::BtnFace;

    LabelEeDataErrVisible = v.storedDataError;
    text.format("Number of Programing= %d ", int(v.programmingCount));
    setCaption(LabelPocetProgramovani, {text.view()});
    for (int i = 0; i < int(LabelTest.size()); ++i) {
        text.format("Test%d = %d ", i + 1, int(v.test[i]));
        setCaption(LabelTest[i], {text.view()});
    }
    emit liveFrameReceived(frame);
}

void LinkDriver::HighlightCurrentCurvePoint()
{
    const quint8 r = quint8(m_unit.liveRpm() / 100);
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

QString LinkDriver::mismatchText(quint8 unitVersion) const
{
    return m_messages.text(MsgUnmatchedVersion) +
           QString::asprintf("  PC-%d, IGN-%d", PcProgramVersion, int(unitVersion));
}

void LinkDriver::DecodeUnitInformation()
{
    const UnitInformation info = UnitInformation::Decode(m_unit.unitInformation());
    UnitVersionText = info.versionText;
    UnitDateText = info.dateText;
    UnitTimeText = info.timeText;
}
