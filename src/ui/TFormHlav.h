#pragma once

#include "EditingRanges.h"
#include "IgnitionParameters.h"
#include "LanguageTextSets.h"
#include "LinkDriver.h"
#include "MessageTable.h"
#include "ParameterEditor.h"
#include "RecentFiles.h"
#include "UndoHistory.h"
#include "UnsavedSettings.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class FileNameLabel;
class CompareWiring;
class CurveWiring;
class MouseUpCheckBox;
class QCheckBox;
class QAction;
class QActionGroup;
class QComboBox;
class QGroupBox;
class QImage;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QStatusBar;
class QTimer;
class QUrl;
class QToolButton;
class TFormAbout;
class RecordingWindows;
class RecentFilesMenu;
class ManualOpener;
class TFormCurve;
class TFormHistory;
class TFormSideBySide;
struct HistoryEntry;
class UnitPortProvider;
class UpDownButton;
class UserPrompts;
class WindowFit;
class FittingScrollArea;

// What the program hands the main window when it creates it.
struct FormSetup
{
    UnitPortProvider *ports = nullptr; // required: how COM numbers become ports
    UserPrompts *prompts = nullptr;    // null: the window's own message boxes and dialogs
    QStringList arguments;             // command line after the program name, our "--" options removed
    // False in demo mode and in tests: the user's settings file and parameter snapshot
    // are neither read nor written.
    bool useSettingsFiles = true;
    // Where the unit's set is kept before every write. Empty: the user's backup folder
    // when useSettingsFiles is set, else no backups are kept.
    QString backupFolder;
    // False in tests, which call Timer1Timer themselves tick by tick.
    bool runTimer = true;
    // Called once, right after the first tick has been shown (start-up figures).
    std::function<void()> afterFirstTick;
    // A parameter file named on the command line: opened as by Open once start-up is
    // done and the window can be the parent of a message box.
    QString fileToOpen;
};

// The main window. It holds the program's state (parameter set, session settings,
// message table, undo history, the unit link) and every control of the layout under
// its layout name, as C++ member and as Qt object name. The logic lives in the classes
// it owns; the window wires controls to them and shows what they expose.
//
// The methods are spread over several files by subject:
//   TFormHlav.cpp          construction, layout, menus, texts and hints, start-up, shutdown
//   TFormHlavEditor.cpp    editor binding, presets, advance shift, New, undo and redo
//   TFormHlavLink.cpp      port menu, transfers, the tick and the mirror of the link
//   TFormHlavFiles.cpp     file commands, settings and snapshot
//   TFormHlavPrint.cpp     printing
//   TFormHlavLanguage.cpp  interface languages and the message table
//   TFormHlavHelp.cpp      manual and About
//   TFormHlavRecent.cpp    recent files and files dropped on the window
//   TFormHlavRecordings.cpp  opening recordings to look at them
class TFormHlav : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 753;
    static constexpr int ClientHeight = 776;

    explicit TFormHlav(const FormSetup &setup, QWidget *parent = nullptr);
    ~TFormHlav() override;

    // ---- state ----
    IgnitionParameters Parameters;
    SessionSettings Session;
    MessageTable Messages;
    UndoHistory Undo;
    // The edit pipeline over the three above; every editor applies its set through it.
    ParameterEditor Editor{Parameters, Session, Undo};
    bool Printing = false;
    bool TestMode = false;
    QString CurrentFileName;
    QString ExeDirDataFile;
    bool ExeDirIsDataFolder = false; // the program's folder is not writable: its data folder instead
    // Preset file names of the two file dialogs. The open dialog's is a blank in the
    // layout; start-up replaces both with the file last used.
    QString OpenDialog1FileName = QStringLiteral(" ");
    QString SaveDialog1FileName;

    LinkDriver &link() { return *m_link; }
    // A write has sent its block to the unit and is not verified yet.
    bool WriteInFlight() const;
    UserPrompts &prompts() { return *m_prompts; }
    QTimer *Timer1 = nullptr;

    // ---- start-up and shutdown ----
    void FormCreate();

    // ---- texts and hints ----
    // Writes captions and whole hints into the controls and menu items named in texts.
    void ApplyTexts(const QList<TextAssignment> &texts);
    // A hint is one text, "short|long"; the short part is the tooltip of the controls that
    // show tooltips, the long part goes to the status bar.
    void SetHint(QObject *object, const QString &hint);
    static QString HintOf(const QObject *object);
    void HintToStatusBar(const QString &hint);

    // ---- editor (TFormHlavEditor.cpp) ----
    void TakeControlsIntoParameters();
    void ShowParametersInControls();
    void UpdateControlStates();
    void MenuNewClick();
    void ResetUndoHistory();
    void SpeedButtonZpetClick();

    // ---- unit link (TFormHlavLink.cpp) ----
    void Timer1Timer();
    void ShowLinkState();
    void MenuProgramClick();

    // ---- compare, backups and the write sequence (CompareWiring) ----
    CompareWiring *Compare = nullptr;

    // ---- files and settings (TFormHlavFiles.cpp) ----
    void MenuOpenClick();
    void MenuSaveClick();

    // ---- recent files and dropped files (TFormHlavRecent.cpp) ----
    RecentFiles Recent;

    // ---- printing (TFormHlavPrint.cpp) ----
    void SpeedButtonPrintClick();
    // Called with the image of the client area right before it goes to the printer.
    std::function<void(const QImage &)> printImageHook;

    // ---- languages (TFormHlavLanguage.cpp) ----
    // Runs the text set of Session.LanguageIndex; none for French.
    void ApplyInterfaceLanguage();
    void LoadMessageTable();

    // ---- help (TFormHlavHelp.cpp) ----
    TFormAbout *FormAbout = nullptr; // made on the first About, then only shown again

    // ---- curve window and recording (CurveWiring) ----
    CurveWiring *Curve = nullptr;

    // ---- looking at recordings (TFormHlavRecordings.cpp) ----
    RecordingWindows *Recordings = nullptr;

    // ---- controls, by layout name ----
    QWidget *ClientArea = nullptr;
    // Holds ClientArea; scrolls it where the screen is smaller than the layout.
    FittingScrollArea *ClientScroll = nullptr;

    QGroupBox *GroupBox5 = nullptr;
    QToolButton *SpeedButton6 = nullptr;
    QToolButton *SpeedButton5 = nullptr;
    QToolButton *SpeedButton7 = nullptr;
    QToolButton *SpeedButtonPrint = nullptr;
    QToolButton *SpeedButtonZpet = nullptr;
    QToolButton *SpeedButtonZnovu = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *BitBtn2 = nullptr;
    QPushButton *BitBtn1 = nullptr;

    QLabel *LabelSpojeni = nullptr;

    QLabel *Label26 = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *EditRpmAdv1 = nullptr, *EditRpmAdv2 = nullptr, *EditRpmAdv3 = nullptr, *EditRpmAdv4 = nullptr,
              *EditRpmAdv5 = nullptr, *EditRpmAdv10 = nullptr;
    UpDownButton *UpDownRpmAdv1 = nullptr;
    QLineEdit *Edit50 = nullptr, *Edit51 = nullptr, *Edit52 = nullptr, *Edit53 = nullptr, *Edit54 = nullptr,
              *Edit59 = nullptr;
    UpDownButton *UpDown50 = nullptr;
    QPushButton *BitBtnAdvMinus = nullptr;
    QPushButton *BitBtnAdvPlus = nullptr;
    QCheckBox *CheckBoxIgnAll = nullptr;

    QLabel *Image3 = nullptr;
    QLineEdit *EditPalec13 = nullptr;
    UpDownButton *UpDownPalec13 = nullptr;
    QLabel *LabelPalec13 = nullptr;
    QLineEdit *EditPalec24 = nullptr;
    UpDownButton *UpDownPalec24 = nullptr;
    QLabel *LabelPalec24 = nullptr;

    QComboBox *ComboBoxBike = nullptr;
    QLineEdit *EditBaseAdv = nullptr;
    UpDownButton *UpDownBaseAdv = nullptr;
    QLabel *LabelBaseAdv = nullptr;
    QLineEdit *EditOmez2 = nullptr;
    UpDownButton *UpDownOmez2 = nullptr;
    QLabel *LabelOmez2 = nullptr;
    MouseUpCheckBox *CheckBoxBuzDlouhe = nullptr;
    MouseUpCheckBox *CheckBoxBlokEnable = nullptr;

    MouseUpCheckBox *CheckBoxProgHned = nullptr;

    QLabel *LabelRpm = nullptr;
    QProgressBar *CGaugeRpm = nullptr;
    QLabel *LabelAdvance = nullptr;
    QLabel *LabelNapeti = nullptr;
    QLabel *LabelBlocking = nullptr;
    QLabel *LabelSideStand = nullptr;
    QLabel *LabelMonSnimac1 = nullptr;
    QLabel *LabelMonSnimac2 = nullptr;
    QLabel *LabelCom = nullptr;
    QLabel *LabelVerze1 = nullptr;
    QLabel *LabelPocetProgramovani = nullptr;

    QLabel *Image1 = nullptr;

    QLabel *LabelHlaseni = nullptr;
    QProgressBar *CGaugeProgram = nullptr;
    FileNameLabel *LabelFile2 = nullptr;
    QLabel *LabelEeDataErr = nullptr;
    QLabel *LabelVersion = nullptr;
    std::array<QLabel *, 8> LabelTest{}; // LabelTest1 .. LabelTest8

    QStatusBar *StatusBar1 = nullptr;
    QLabel *StatusPanel = nullptr; // the single panel of StatusBar1

    // Menus and their items.
    QMenu *MenuFile = nullptr;
    QAction *MenuOpenBackup = nullptr, *MenuCompare = nullptr;
    QAction *MenuNew = nullptr, *MenuOpen = nullptr, *MenuOpenExeDir = nullptr, *MenuSave = nullptr,
            *MenuPrint = nullptr, *MenuExit = nullptr;
    QMenu *MenuCom = nullptr;
    std::array<QAction *, 21> PortMenuItems{};
    QMenu *MenuDevice = nullptr;
    QAction *MenuRead = nullptr, *MenuProgram = nullptr;
    QMenu *MenuTools = nullptr;
    QAction *AdvanceMinus = nullptr, *AdvancePlus = nullptr, *MenuZpet = nullptr, *MenuZnovu = nullptr;
    QAction *MenuEnglish = nullptr, *MenuCzech = nullptr, *MenuGerman = nullptr;
    QAction *MenuContens = nullptr, *MenuAbout = nullptr;

    // Curve control arrays, index 0 is curve point 1.
    std::array<QLineEdit *, CurvePoints> RpmEdits{};
    std::array<QLineEdit *, CurvePoints> AdvanceEdits{};
    std::array<UpDownButton *, CurvePoints> RpmUpDowns{};
    std::array<UpDownButton *, CurvePoints> AdvanceUpDowns{};

signals:
    // After the texts of a language have been applied; each capability beside the window
    // re-texts itself from it.
    void languageChanged(quint8 language);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Handlers and steps that only the window itself calls.
    void ApplyVehiclePreset();
    void StartProgrammingAfterChange();
    void BuildUnitHistory();
    void MenuHistoryClick();
    void ProgramHistoryEntry(const HistoryEntry &entry);
    void ShowSideBySide(const HistoryEntry &entry, const IgnitionParameters &other, const QString &otherLabel);
    void FormClose();
    void LoadSettings();
    SettingsSaveOutcome SaveSettings();
    // A save that failed, told at once (a box, or standard error on a signal) and marked
    // for the next start; and that mark, told once at start-up.
    void ReportUnsavedSettings(const SettingsSaveOutcome &outcome);
    void ReportLastSessionUnsaved();
    void ReadTestMode();
    static QString ShortHint(const QString &hint);
    static QString LongHint(const QString &hint);
    void FillCurveControlArrays();
    void TakeVehicleTypeFromList();
    void ShowVehicleTypeInList();
    void ParameterChanged();
    void ConnectEditor();
    void UpDownClick();
    void EditExit();
    void CheckBoxProgHnedMouseUp();
    void CheckBoxProgHnedClick();
    void ComboBoxBikeChange();
    void BitBtnAdvMinusClick();
    void BitBtnAdvPlusClick();
    void UpdateUndoButtons();
    void SpeedButtonZnovuClick();
    void BuildPortMenu();
    void MenuCom1Click(int itemIndex);
    void UpdatePortMenuChecks();
    // Beside each "Com n" the device it reaches and what it is; entries without a
    // device present look disabled. Runs each time the menu opens.
    void RefreshPortMenu();
    void MenuReadClick();
    void MenuVerifyClick();
    // Open without the dialog: reads path into the set with Open's checks and messages;
    // true when the set was taken from it.
    bool OpenParameterFile(const QString &path);
    void MenuOpenExeDirClick();
    void MenuSaveExeDirClick();
    // Before a dialog that starts at ExeDirDataFile: the data folder is made, and the
    // status bar says why the dialog starts there.
    void PrepareExeDirDialog();
    // Open a recent or dropped file as the Open command does, message area included.
    void OpenChosenFile(const QString &path);
    void BuildRecentFilesMenu();
    // The first local parameter file among dropped URLs; empty when there is none.
    static QString DroppedParameterFile(const QList<QUrl> &urls);
    void SetLanguageEnglish();
    void SetLanguageCzech();
    void SetLanguageGerman();
    void MenuEnglishClick();
    void MenuCzechClick();
    void MenuGermanClick();
    void MenuContensClick();
    void MenuAboutClick();
    void MenuExitClick();
    void BuildRecordings();
    // A file from the command line or a drop: a recording by its suffix, else a parameter file.
    void OpenFileOfItsKind(const QString &path);

    void buildLayout();
    void buildMenus();
    void buildToolBar();
    void buildCurve();
    void buildTrigger();
    void buildVehicle();
    void buildLiveValues();
    void buildMessageArea();
    void connectHandlers();
    QLineEdit *makeEdit(QWidget *parent, const char *name, const QRect &rect);
    UpDownButton *makeUpDown(QWidget *parent, const char *name, QLineEdit *buddy, const EditingRange &range,
                             int position, bool thousands);
    QLabel *makeLabel(QWidget *parent, const char *name, const QPoint &at, int pixelSize, bool bold);

    // Shows a colour of the link's named colours behind a label, an edit or a check box.
    void setNamedColour(QWidget *widget, NamedColour colour);
    void mirrorLabel(int index, QLabel *label, const LabelView &view, bool withVisibility);
    void onVersionMismatch(const QString &text);
    void onPortOpenFailed(const QString &portName, const PortOpenFailure &failure);

    const FormSetup &setup() const { return m_setup; }

    // Controls and state that nothing outside the window reaches; the tests find the
    // controls by their object names.
    QGroupBox *GroupBox6 = nullptr;
    QLineEdit *EditRpmAdv6 = nullptr, *EditRpmAdv7 = nullptr, *EditRpmAdv8 = nullptr, *EditRpmAdv9 = nullptr;
    UpDownButton *UpDownRpmAdv2 = nullptr, *UpDownRpmAdv3 = nullptr, *UpDownRpmAdv4 = nullptr,
                 *UpDownRpmAdv5 = nullptr, *UpDownRpmAdv6 = nullptr, *UpDownRpmAdv7 = nullptr,
                 *UpDownRpmAdv8 = nullptr, *UpDownRpmAdv9 = nullptr, *UpDownRpmAdv10 = nullptr;
    QLineEdit *Edit55 = nullptr, *Edit56 = nullptr, *Edit57 = nullptr, *Edit58 = nullptr;
    UpDownButton *UpDown51 = nullptr, *UpDown52 = nullptr, *UpDown53 = nullptr, *UpDown54 = nullptr,
                 *UpDown55 = nullptr, *UpDown56 = nullptr, *UpDown57 = nullptr, *UpDown58 = nullptr,
                 *UpDown59 = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QGroupBox *GroupBox2 = nullptr;
    MouseUpCheckBox *CheckBoxRpm2Krat = nullptr;
    QLabel *LabelNeutral = nullptr;
    QLabel *LabelVerze2 = nullptr;
    QLabel *LabelVerze3 = nullptr;
    QLabel *LabelFile1 = nullptr;
    QAction *N1 = nullptr, *N2 = nullptr, *N3 = nullptr, *N4 = nullptr, *MenuSaveExeDir = nullptr;
    QAction *MenuVerify = nullptr;
    QMenu *MenuLanguage = nullptr;
    QMenu *MenuHelp = nullptr;
    WindowFit *Fit = nullptr;
    bool VehicleListChanged = false;
    RecentFilesMenu *RecentMenu = nullptr; // File > Recent files
    ManualOpener *Manual = nullptr;        // made on the first F1
    QPointer<TFormHistory> FormHistory;
    QPointer<TFormSideBySide> FormSideBySide;
    QString m_sideBySideEntry; // the entry whose side by side waits for a Compare

    FormSetup m_setup;
    std::unique_ptr<UserPrompts> m_ownPrompts;
    UserPrompts *m_prompts = nullptr;
    std::unique_ptr<LinkDriver> m_link;
    QActionGroup *m_portGroup = nullptr;
    QActionGroup *m_languageGroup = nullptr;
    bool m_created = false;
    bool m_closed = false;
    bool m_firstTickDone = false;
    bool m_hintHandlerInstalled = false;

    // What was last written into the link-owned labels, so that a tick that changed
    // nothing touches no widget.
    struct Mirrored
    {
        QString caption;
        NamedColour colour = NamedColour::BtnFace;
        bool valid = false;
    };
    static constexpr int MirroredLabels = 12;
    std::array<Mirrored, MirroredLabels> m_mirror{};
    std::array<NamedColour, CurvePoints> m_rowColour{};
    std::array<QString, 8> m_testCaption{};
    QString m_comDevice;
    static constexpr int ComLabelEveryTicks = 6;
    int m_ticksSinceComLabel = ComLabelEveryTicks;
    bool m_showingTick = false;
};
