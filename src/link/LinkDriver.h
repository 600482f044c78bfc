#pragma once

#include "IgnitionParameters.h"
#include "UnitFrame.h"
#include "UnitPort.h"

#include <QObject>
#include <QString>

#include <array>
#include <memory>
#include <optional>

class MessageTable;

// The toolkit's named colours; the window turns them into real ones.
enum class NamedColour : quint8
{
    BtnFace,
    Window,
    Red,
    Yellow,
    Lime,
    Aqua
};

// What the window shows of a label the link writes.
struct LabelView
{
    QString caption;
    NamedColour colour = NamedColour::BtnFace;
    bool visible = true;
};

struct GaugeView
{
    int maximum = 1;
    int position = 0;
    bool visible = false;
};

// The clock of the unit link. Timer1Timer is one 55 ms tick; the window calls it from
// its timer and tests call it directly. Everything the link writes into the window is
// held here as view state (captions, colours, visibility, gauges, highlighted row), so
// a test reads exactly what the window would show; the window only mirrors it.
class LinkDriver : public QObject
{
    Q_OBJECT

public:
    static constexpr int TickMs = 55;
    static constexpr int AnswerWaitTicks = 4;
    static constexpr int MaxSends = 5;
    static constexpr int MonitorEveryTicks = 6;
    static constexpr int NoConnectionTicks = 18;
    static constexpr int ReopenTicks = 30;
    static constexpr int MessageTicks_ = 200;
    static constexpr int PcProgramVersion = 61;
    static constexpr int PortCount = 21; // COM1..COM20 in the menu, plus COM21 for the scan

    LinkDriver(IgnitionParameters &set, SessionSettings &settings, const MessageTable &messages,
               UnitPortProvider &ports, QObject *parent = nullptr);
    ~LinkDriver() override;

    // One tick: poll, transfer or monitor step, message area, watchdog, curve highlight.
    void Timer1Timer();

    // Transfer starts. The window takes its controls into the set and normalises it
    // before StartProgram and StartVerify; the link does not read controls.
    void StartProgram();
    void StartVerify();
    void StartRead();
    void StartProgrammingAfterChange();
    // Every program run, from either start, first reads the unit's blocks 0 and 1 with
    // the frames of a Read (BackupRead), raises unitBlockBeforeWrite, and then runs the
    // program transfer as it always has. A read that gets no answer ends in
    // "Program error!" before anything is written.

    // The unit's block for the difference table, raised as compareReady. The block kept
    // from a Verify that ended in "Verify error!" is used at once, with no frame sent;
    // otherwise blocks 0 and 1 are read with the frames of a Read (mode Compare). The
    // set is never touched; a read without answer ends in "Read error!".
    void StartCompare();

    // Port: opens the port that PortChoice / AutoScanPort name; closes it. LabelComCaption
    // shows the port tried, open or not. A port still open is closed first. A failed open
    // of a fixed port while QuietReopen is clear raises portOpenFailed as its very last
    // step, so a box with its own event loop may run ticks (and their quiet reopens).
    void OpenUnitPort();
    void CloseUnitPort();
    bool portOpen() const;

    // Text and colour into the message area, visible for 200 ticks.
    void ShowLinkMessage(const QString &text, NamedColour colour);
    // Opening a file and New hide the area without touching MessageTicks.
    void HideMessageArea();

    // The curve point nearest to the last live engine speed, and the row colours.
    void HighlightCurrentCurvePoint();

    // Steps of a tick, public so that tests can drive one step alone.
    void PollReceive();
    void DispatchReceivedFrame(const UnitFrame &frame);
    void HandleLiveFrame(const UnitFrame &frame);
    void HandleAnswerFrame(const UnitFrame &frame);
    // Builds the three unit texts from UnitInformationCopy.
    void DecodeUnitInformation();

    // --- state (fields of the link, named as the window's layout knows them) ---
    LinkMode Mode = LinkMode::Idle; // LinkMode
    quint8 CommandByte = 0;
    quint8 TicksSinceSend = 0;
    quint8 SendAttempts = 0;
    quint8 MessageTicks = 0;
    quint8 LinkWatchdog = NoConnectionTicks;
    quint8 ReconnectTicks = 0;
    bool ProgrammedOk = false;
    // A transfer failed and its red text holds the message area until its time is up or
    // another transfer starts; the unit's saving countdown shows only on the bar then.
    bool FailureShown = false;
    quint16 SavingCountdown = 0;
    quint16 LiveRpm = 0;
    bool QuietReopen = false;
    quint8 CurrentCurvePoint = 0;
    bool NoCurvePoint = false;

    // Inputs from the window.
    bool Printing = false;          // while printing, message area and "No Connection" stay hidden
    bool BlockEnableChecked = true; // CheckBoxBlokEnable as the user sees it

    // The unit's parameter block read at the start of the current program run.
    std::array<quint8, FrameDataSize> UnitBlockBeforeWrite{};
    // The unit's parameter block for the difference table.
    std::array<quint8, FrameDataSize> CompareBlock{};
    // The unit's block from the last answer of a Verify that ended in "Verify error!";
    // dropped when another transfer starts or the connection is lost.
    std::optional<std::array<quint8, FrameDataSize>> KeptUnitBlock;

    // Unit information (block 0), decoded.
    std::array<quint8, FrameDataSize> UnitInformationCopy{};
    QString UnitVersionText;
    QString UnitDateText;
    QString UnitTimeText;

    // --- view state the window mirrors ---
    LabelView LabelHlaseni{QStringLiteral("Programming:"), NamedColour::BtnFace, false};
    GaugeView CGaugeProgram{1, 0, false};
    bool LabelSpojeniVisible = true;
    QString LabelComCaption{QStringLiteral("COM = ---")};
    QString LabelComDevice; // the device behind the port last tried, for a tooltip
    LabelView LabelRpm{QStringLiteral("RPM = ---")};
    int CGaugeRpmPosition = 0;
    LabelView LabelAdvance{QStringLiteral("ADVANCE= --- [\u00B0]")};
    LabelView LabelNapeti{QStringLiteral("U = --- [V]")};
    LabelView LabelBlocking{QStringLiteral("Blocking = --")};
    LabelView LabelNeutral{QStringLiteral("Neutral sw. = --")};
    LabelView LabelSideStand{QStringLiteral("Side stand sw. = --")};
    LabelView LabelMonSnimac1{QStringLiteral("Snimac 1 = --- ")};
    LabelView LabelMonSnimac2{QStringLiteral("Snimac 2 = --- ")}; // visibility is the editor's
    QString LabelPocetProgramovani{QStringLiteral("Number of Programing: -----")};
    bool LabelEeDataErrVisible = false;
    LabelView LabelVersion{QStringLiteral("LabelVersion"), NamedColour::Red, false};
    std::array<QString, 8> LabelTest{};
    std::array<NamedColour, CurvePoints> CurveRowColour{}; // BtnFace never used here: Window or Lime

signals:
    // Raised within the tick, after the unit's blocks 0 and 1 have been read
    // (UnitInformationCopy, UnitBlockBeforeWrite) and before the first frame of the
    // program transfer goes out: the owner keeps its backup now.
    void unitBlockBeforeWrite();
    // The unit has echoed the block written to it: bytes 0..49 of the set.
    void blockWritten();
    // CompareBlock holds the unit's block; the set is unchanged.
    void compareReady();
    // A block from the unit has been taken in and the set normalised: the set (after a
    // read) or the unit texts have changed. Show the set and the texts again.
    void parametersReceived();
    // The unit's program version is not ours. Raised at the very end of the tick that
    // found it, with the link Idle and MessageTicks 0; the box text is complete. Ticks
    // may go on beneath the box; the window guards against stacking a second one.
    void versionMismatch(const QString &text);
    // A fixed port chosen by the user or at start-up could not be opened: show
    // "Com opening error!". portName is "COMn"; failure says why.
    void portOpenFailed(const QString &portName, const PortOpenFailure &failure);
    // A live frame has been accepted and shown (recording, the curve window).
    void liveFrameReceived(const UnitFrame &frame);

private:
    static constexpr int ReceiveBufferSize = 15000;

    void SendCommandFrame();
    void SendMonitorRequest();
    void WriteFrame(const UnitFrame &frame);
    void transferStep();
    void idleStep();
    void messageAreaStep();
    void watchdogStep();
    // No frame for NoConnectionTicks: ends the saving display and the programmed state.
    void connectionLost();
    int savingPercent() const;
    void startTransfer(LinkMode mode, quint8 command, quint8 attempts);
    void setStartCaption(LinkMode mode);
    // Program, Verify and Read from their commands: first frame out at once.
    void startFromCommand(LinkMode mode, quint8 command);
    // The message area and an empty progress bar, shown for the usual time.
    void showTransferArea();
    // One of the three switch labels of a live frame.
    void showSwitch(LabelView &label, bool on, const QString &onText, NamedColour onColour, const QString &offText);
    void nextBlock();
    // Block 0 of a transfer that checks the unit's program version; false after a mismatch.
    bool takeUnitInformation(const UnitFrame &frame);
    void raiseVersionMismatch(quint8 unitVersion);
    bool frameMatchesBlockImage(const UnitFrame &frame) const;
    void setGaugeMaximum(int maximum);
    void setGaugePosition(int position);

    IgnitionParameters &m_set;
    SessionSettings &m_settings;
    const MessageTable &m_messages;
    UnitPortProvider &m_ports;
    std::unique_ptr<UnitPort> m_port;
    std::array<quint8, ReceiveBufferSize> m_receiveBuffer{};
    // The block of the last accepted answer of the running Verify, matching or not.
    std::optional<std::array<quint8, FrameDataSize>> m_verifyAnswer;
    bool m_mismatchPending = false;
    QString m_mismatchText;
};
