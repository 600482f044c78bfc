#pragma once

#include "IgnitionParameters.h"
#include "UnitLink.h"

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

// The unit link as the window shows it. The tick and the transfers are UnitLink's;
// this adds what the window writes of them: the message area with its texts and
// colours, the progress bar, the live labels, the no-connection label and the curve
// highlight, all held here as view state, so a test reads exactly what the window would
// show and the window only mirrors it. Timer1Timer is one 55 ms tick; the window calls
// it from its timer and tests call it directly.
class LinkDriver : public QObject
{
    Q_OBJECT

public:
    static constexpr int TickMs = UnitLink::TickMs;
    static constexpr int AnswerWaitTicks = UnitLink::AnswerWaitTicks;
    static constexpr int MaxSends = UnitLink::MaxSends;
    static constexpr int MonitorEveryTicks = UnitLink::MonitorEveryTicks;
    static constexpr int NoConnectionTicks = UnitLink::NoConnectionTicks;
    static constexpr int ReopenTicks = UnitLink::ReopenTicks;
    static constexpr int MessageTicks_ = 200;
    static constexpr int PcProgramVersion = UnitLink::PcProgramVersion;
    static constexpr int PortCount = UnitLink::PortCount;

    LinkDriver(IgnitionParameters &set, SessionSettings &settings, const MessageTable &messages,
               UnitPortProvider &ports, QObject *parent = nullptr);
    ~LinkDriver() override;

    UnitLink &unit() { return m_unit; }
    const UnitLink &unit() const { return m_unit; }

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
    // of a fixed port while the reopen is not quiet raises portOpenFailed as its very last
    // step, so a box with its own event loop may run ticks (and their quiet reopens).
    void OpenUnitPort();
    void CloseUnitPort();
    bool portOpen() const { return m_unit.portOpen(); }

    // Text and colour into the message area, visible for 200 ticks.
    void ShowLinkMessage(const QString &text, NamedColour colour);
    // Opening a file and New hide the area without touching MessageTicks.
    void HideMessageArea();

    // The curve point nearest to the last live engine speed, and the row colours.
    void HighlightCurrentCurvePoint();

    // Builds the three unit texts from the unit's block 0.
    void DecodeUnitInformation();

    // --- state of the display ---
    quint8 MessageTicks = 0;
    bool ProgrammedOk = false;
    // The unit has stored the set written and reported it good: "Programing: OK".
    bool WriteConfirmed = false;
    // A transfer failed and its red text holds the message area until its time is up or
    // another transfer starts; the unit's saving countdown shows only on the bar then.
    bool FailureShown = false;
    quint8 CurrentCurvePoint = 0;
    bool NoCurvePoint = false;

    // Inputs from the window.
    bool Printing = false;          // while printing, message area and "No Connection" stay hidden
    bool BlockEnableChecked = true; // CheckBoxBlokEnable as the user sees it

    // Unit information (block 0), decoded.
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
    // Raised within the tick, after the unit's blocks 0 and 1 have been read and before
    // the first frame of the program transfer goes out: the owner keeps its backup now.
    void unitBlockBeforeWrite();
    // The unit has echoed the block written to it: bytes 0..49 of the set.
    void blockWritten();
    // unit().compareBlock() holds the unit's block; the set is unchanged.
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
    void idleView();
    void messageAreaStep();
    void onConnectionLost();
    void onTransferFinished(const TransferResult &result);
    void onWriteConfirmed(WriteConfirmation confirmation);
    void onLiveFrame(const UnitFrame &frame, const LiveValues &values);
    // The display of a success or a saving ends: its unit is gone.
    void endSuccessDisplay();
    void showFailure(const QString &text);
    int savingPercent() const;
    void setStartCaption(LinkMode mode);
    // The message area and an empty progress bar, shown for the usual time.
    void showTransferArea();
    void showPortTried();
    // One of the three switch labels of a live frame.
    void showSwitch(LabelView &label, bool on, const QString &onText, NamedColour onColour, const QString &offText);
    QString mismatchText(quint8 unitVersion) const;
    void setGaugeMaximum(int maximum);
    void setGaugePosition(int position);

    IgnitionParameters &m_set;
    SessionSettings &m_settings;
    const MessageTable &m_messages;
    UnitLink m_unit;
    int m_shownPortNumber = 0;
};
