#include "TFormHlav.h"

#include "AccessibleControls.h"
#include "AppPaths.h"
#include "BackupStore.h"
#include "CompareWiring.h"
#include "CurveWiring.h"
#include "FileNameLabel.h"
#include "FormLook.h"
#include "KeyboardAccess.h"
#include "MouseUpCheckBox.h"
#include "Pictures.h"
#include "PortMenu.h"
#include "RecordingWindows.h"
#include "TextContrast.h"
#include "UpDownButton.h"
#include "UserPrompts.h"
#include "VehiclePresets.h"
#include "WheelGuard.h"
#include "WindowFit.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace {

// Dynamic properties of the controls: the whole hint, whether the control shows the
// short part as a tooltip, whether a label sizes itself to its text, and which edits
// run the edit pipeline when they lose the focus.
constexpr char HintProperty[] = "hint";
constexpr char ShowHintProperty[] = "showHint";
constexpr char AutoSizeProperty[] = "autoSize";
constexpr char EditExitProperty[] = "editExit";

constexpr int EditHeight = 21;
constexpr int UpDownWidth = 16;
constexpr std::array<int, CurvePoints> RowTops{53, 89, 124, 160, 195, 231, 266, 302, 337, 373};

void setCaption(QLabel *label, const QString &text)
{
    label->setText(text);
    if (label->property(AutoSizeProperty).toBool())
        fitLabel(label);
}

// Feeds the status bar from the control under the pointer. Qt sends Enter to the
// control the pointer comes to and Leave to the one it leaves; on a Leave the pointer
// is back over the parent, whose hint then counts.
class HintWatcher : public QObject
{
public:
    explicit HintWatcher(TFormHlav *form) : QObject(form), m_form(form) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Enter || type == QEvent::Leave) && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->window() == m_form)
                m_form->HintToStatusBar(hintAt(type == QEvent::Enter ? widget : widget->parentWidget()));
        }
        return false;
    }

private:
    // The hint of the nearest control of the layout at or above widget; controls without
    // a hint, and places outside any control, give an empty hint.
    static QString hintAt(const QWidget *widget)
    {
        for (; widget && !widget->isWindow(); widget = widget->parentWidget()) {
            const QVariant hint = widget->property(HintProperty);
            if (hint.isValid())
                return hint.toString();
        }
        return {};
    }

    TFormHlav *m_form;
};

} // namespace

TFormHlav::TFormHlav(const FormSetup &setup, QWidget *parent) : QMainWindow(parent), m_setup(setup)
{
    setObjectName(QString::fromLatin1(MainWindowObjectName));
    if (m_setup.prompts) {
        m_prompts = m_setup.prompts;
    } else {
        m_ownPrompts = std::make_unique<WidgetPrompts>();
        m_prompts = m_ownPrompts.get();
    }
    Q_ASSERT(m_setup.ports);
    m_link = std::make_unique<LinkDriver>(Parameters, Session, Messages, *m_setup.ports);

    installAccessibleFields();
    buildLayout();
    ApplyTexts(BuiltInTexts());
    connectHandlers();
    installKeyboardAccess(*this);
    {
        QString folder = m_setup.backupFolder;
        // Demo mode and tests keep no backups unless they name a folder.
        if (folder.isEmpty() && m_setup.useSettingsFiles)
            folder = DefaultBackupFolder();
        Compare = new CompareWiring(*this, folder);
    }
    BuildRecentFilesMenu();
    BuildRecordings();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(LinkDriver::TickMs);
    // Every limit of the link is counted in these ticks; a coarse timer fires up to 5 %
    // early and shortens them all.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TFormHlav::Timer1Timer);

    Curve = new CurveWiring(*this);
    connect(this, &TFormHlav::languageChanged, Recordings, &RecordingWindows::setLanguage);
    FormCreate();
    Recordings->addToMenu(MenuTools);
    BuildUnitHistory();
    // The language set did this already; French has none.
    nameControls(*this, Session.LanguageIndex);
    settleAccessLetters(*this);
    if (m_setup.runTimer)
        Timer1->start();
    if (!m_setup.fileToOpen.isEmpty())
        QTimer::singleShot(0, this, [this] {
            if (RecordingWindows::IsRecordingFile(m_setup.fileToOpen))
                Recordings->open(m_setup.fileToOpen);
            else
                OpenParameterFile(m_setup.fileToOpen);
        });
    if (m_setup.useSettingsFiles)
        QTimer::singleShot(0, this, &TFormHlav::ReportLastSessionUnsaved);
}

TFormHlav::~TFormHlav()
{
    // The link may still hold a port; close it before the provider behind it goes.
    if (m_link)
        m_link->CloseUnitPort();
    // The write sequence hangs on the link: it goes first.
    delete Compare;
    Compare = nullptr;
}

bool TFormHlav::WriteInFlight() const
{
    return Compare && Compare->writeInFlight();
}

// ---------------------------------------------------------------------------------
// Layout

QLineEdit *TFormHlav::makeEdit(QWidget *parent, const char *name, const QRect &rect)
{
    auto *edit = new FieldEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(rect);
    edit->setTextMargins(0, 0, 0, 0);
    edit->setProperty(HintProperty, QString());
    edit->setProperty(EditExitProperty, true);
    edit->installEventFilter(this);
    return edit;
}

UpDownButton *TFormHlav::makeUpDown(QWidget *parent, const char *name, QLineEdit *buddy,
                                    const EditingRange &range, int position, bool thousands)
{
    auto *upDown =
        new UpDownButton(UpDownModel(range.min, range.max, range.step, position, thousands), buddy, parent);
    upDown->setObjectName(QString::fromLatin1(name));
    upDown->setGeometry(buddy->geometry().right() + 1, buddy->y(), UpDownWidth, buddy->height());
    upDown->setProperty(HintProperty, QString());
    connect(upDown, &UpDownButton::clicked, this, &TFormHlav::UpDownClick);
    markUpDownField(buddy, upDown);
    return upDown;
}

QLabel *TFormHlav::makeLabel(QWidget *parent, const char *name, const QPoint &at, int pixelSize, bool bold)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    // File names and the unit's texts are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setFont(formFont(pixelSize, bold));
    label->move(at);
    label->setProperty(AutoSizeProperty, true);
    label->setProperty(HintProperty, QString());
    return label;
}

void TFormHlav::buildLayout()
{
    setWindowIcon(::windowIcon()); // ours, not QWidget::windowIcon()
    StartPictures pictures(devicePixelRatioF());
    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    ClientArea->setFixedSize(ClientWidth, ClientHeight);
    ClientArea->setFont(formFont(11));
    ClientArea->setAutoFillBackground(true);
    ClientScroll = new FittingScrollArea(this);
    ClientScroll->setObjectName(QStringLiteral("ClientScroll"));
    ClientScroll->setWidget(ClientArea);
    // Not a stop of its own for Tab; it scrolls to the control that gets the focus.
    ClientScroll->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(ClientScroll);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Fit = new WindowFit(this, ClientScroll);

    buildMenus();
    buildToolBar();
    buildCurve();
    buildTrigger();
    buildVehicle();
    buildLiveValues();
    buildMessageArea();

    StatusBar1 = new QStatusBar(ClientArea);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, ClientHeight - 19, ClientWidth, 19);
    StatusBar1->setProperty(HintProperty, QString());
    // The one panel, sunk into the bar as on the desktop the layout comes from.
    StatusPanel = new QLabel(StatusBar1);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    StatusPanel->setTextFormat(Qt::PlainText);
    StatusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusPanel->setIndent(2);
    StatusBar1->addWidget(StatusPanel, 1);

    installWheelGuard(ClientArea);

    QPixmap logo;
    QPixmap wheel;
    pictures.take(logo, wheel);
    Image1->setPixmap(logo);
    Image3->setPixmap(wheel);
}

void TFormHlav::buildMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    // The first shortcut is the one the menu shows; the others are those a desktop user
    // tries first, and work beside it.
    auto item = [this](QMenu *menu, QAction *&action, const char *name, const QList<QKeySequence> &shortcuts = {}) {
        action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(shortcuts);
        action->setShortcutContext(Qt::WindowShortcut);
        menu->addAction(action);
    };
    auto separator = [this](QMenu *menu, QAction *&action, const char *name) {
        action = menu->addSeparator();
        action->setParent(this);
        action->setObjectName(QString::fromLatin1(name));
    };
    auto menu = [this, bar](QMenu *&target, const char *name, QMenu *made = nullptr) {
        target = made ? made : new QMenu(this);
        target->setObjectName(QString::fromLatin1(name));
        bar->addMenu(target);
        connect(target, &QMenu::hovered, this, [this](QAction *action) { HintToStatusBar(HintOf(action)); });
    };

    menu(MenuFile, "MenuFile");
    item(MenuFile, MenuNew, "MenuNew", {QKeySequence(Qt::CTRL | Qt::Key_N)});
    separator(MenuFile, N3, "N3");
    item(MenuFile, MenuOpen, "MenuOpen", {QKeySequence(Qt::Key_F3), QKeySequence(Qt::CTRL | Qt::Key_O)});
    item(MenuFile, MenuOpenExeDir, "MenuOpenExeDir");
    item(MenuFile, MenuOpenBackup, "MenuOpenBackup");
    separator(MenuFile, N1, "N1");
    item(MenuFile, MenuSave, "MenuSave", {QKeySequence(Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::Key_S)});
    item(MenuFile, MenuSaveExeDir, "MenuSaveExeDir");
    separator(MenuFile, N2, "N2");
    item(MenuFile, MenuPrint, "MenuPrint", {QKeySequence(Qt::CTRL | Qt::Key_P)});
    separator(MenuFile, N4, "N4");
    item(MenuFile, MenuExit, "MenuExit", {QKeySequence(), QKeySequence(Qt::CTRL | Qt::Key_Q)});

    menu(MenuCom, "MenuCom", new PortMenu(this)); // its items come from BuildPortMenu at start-up

    menu(MenuDevice, "MenuDevice");
    item(MenuDevice, MenuRead, "MenuRead", {QKeySequence(Qt::Key_F7)});
    item(MenuDevice, MenuVerify, "MenuVerify", {QKeySequence(Qt::Key_F8)});
    item(MenuDevice, MenuProgram, "MenuProgram", {QKeySequence(Qt::Key_F9)});
    item(MenuDevice, MenuCompare, "MenuCompare", {QKeySequence(Qt::Key_F6)});

    menu(MenuTools, "MenuTools");
    item(MenuTools, AdvanceMinus, "AdvanceMinus", {QKeySequence(Qt::Key_F4)});
    item(MenuTools, AdvancePlus, "AdvancePlus", {QKeySequence(Qt::Key_F5)});
    item(MenuTools, MenuZpet, "MenuZpet", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    item(MenuTools, MenuZnovu, "MenuZnovu",
         {QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});

    menu(MenuLanguage, "MenuLanguage");
    item(MenuLanguage, MenuEnglish, "MenuEnglish");
    item(MenuLanguage, MenuCzech, "MenuCzech");
    item(MenuLanguage, MenuGerman, "MenuGerman");
    m_languageGroup = new QActionGroup(this);
    for (QAction *language : {MenuEnglish, MenuCzech, MenuGerman}) {
        language->setCheckable(true);
        m_languageGroup->addAction(language);
    }
    MenuEnglish->setChecked(true);

    menu(MenuHelp, "MenuHelp");
    item(MenuHelp, MenuContens, "MenuContens", {QKeySequence(Qt::Key_F1)});
    item(MenuHelp, MenuAbout, "MenuAbout");

    // A highlighted top-level menu shows its own hint.
    connect(bar, &QMenuBar::hovered, this, [this](QAction *action) { HintToStatusBar(HintOf(action)); });
}

void TFormHlav::buildToolBar()
{
    GroupBox5 = new QGroupBox(ClientArea);
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    GroupBox5->setGeometry(6, 0, 422, 43);
    GroupBox5->setProperty(HintProperty, QString());

    auto picture = [this](QToolButton *&button, const char *name, ToolPicture face, int left, int width,
                          int height, bool tooltip) {
        button = new QToolButton(GroupBox5);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(left, 12, width, height);
        button->setIcon(toolIcon(face));
        button->setIconSize(QSize(16, 16));
        // Picture buttons never take the focus: a click leaves the edit being typed in.
        button->setFocusPolicy(Qt::NoFocus);
        button->setProperty(HintProperty, QString());
        button->setProperty(ShowHintProperty, tooltip);
    };
    picture(SpeedButton6, "SpeedButton6", ToolPicture::New, 8, 24, 23, true);
    picture(SpeedButton5, "SpeedButton5", ToolPicture::Open, 32, 24, 23, true);
    picture(SpeedButton7, "SpeedButton7", ToolPicture::Save, 56, 24, 23, true);
    picture(SpeedButtonPrint, "SpeedButtonPrint", ToolPicture::Print, 80, 24, 23, true);
    picture(SpeedButtonZpet, "SpeedButtonZpet", ToolPicture::Undo, 116, 23, 22, false);
    picture(SpeedButtonZnovu, "SpeedButtonZnovu", ToolPicture::Redo, 139, 23, 22, false);

    auto push = [this](QPushButton *&button, const char *name, int left, int width) {
        button = new QPushButton(GroupBox5);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(left, 12, width, 23);
        button->setAutoDefault(false);
        button->setProperty(HintProperty, QString());
        button->setProperty(ShowHintProperty, true);
    };
    push(Button1, "Button1", 176, 57);
    push(BitBtn2, "BitBtn2", 239, 65);
    push(BitBtn1, "BitBtn1", 310, 81);

    LabelSpojeni = new QLabel(ClientArea);
    LabelSpojeni->setObjectName(QStringLiteral("LabelSpojeni"));
    LabelSpojeni->setTextFormat(Qt::PlainText);
    LabelSpojeni->setGeometry(440, 9, 174, 29);
    LabelSpojeni->setFont(formFont(23, true));
    LabelSpojeni->setAlignment(Qt::AlignCenter);
    LabelSpojeni->setProperty(HintProperty, QString());
    setNamedColour(LabelSpojeni, NamedColour::Red);
}

void TFormHlav::buildCurve()
{
    GroupBox6 = new QGroupBox(ClientArea);
    GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
    GroupBox6->setGeometry(5, 48, 185, 441);
    GroupBox6->setProperty(HintProperty, QString());

    Label26 = makeLabel(GroupBox6, "Label26", QPoint(22, 24), 11, false);
    Label2 = makeLabel(GroupBox6, "Label2", QPoint(98, 24), 11, false);

    QLineEdit **rpmEdits[CurvePoints] = {&EditRpmAdv1, &EditRpmAdv2, &EditRpmAdv3, &EditRpmAdv4,
                                         &EditRpmAdv5, &EditRpmAdv6, &EditRpmAdv7, &EditRpmAdv8,
                                         &EditRpmAdv9, &EditRpmAdv10};
    UpDownButton **rpmUpDowns[CurvePoints] = {&UpDownRpmAdv1, &UpDownRpmAdv2, &UpDownRpmAdv3, &UpDownRpmAdv4,
                                              &UpDownRpmAdv5, &UpDownRpmAdv6, &UpDownRpmAdv7, &UpDownRpmAdv8,
                                              &UpDownRpmAdv9, &UpDownRpmAdv10};
    QLineEdit **advanceEdits[CurvePoints] = {&Edit50, &Edit51, &Edit52, &Edit53, &Edit54,
                                             &Edit55, &Edit56, &Edit57, &Edit58, &Edit59};
    UpDownButton **advanceUpDowns[CurvePoints] = {&UpDown50, &UpDown51, &UpDown52, &UpDown53, &UpDown54,
                                                  &UpDown55, &UpDown56, &UpDown57, &UpDown58, &UpDown59};
    for (int i = 0; i < CurvePoints; ++i) {
        const QByteArray rpmEdit = "EditRpmAdv" + QByteArray::number(i + 1);
        const QByteArray rpmUpDown = "UpDownRpmAdv" + QByteArray::number(i + 1);
        const QByteArray advanceEdit = "Edit5" + QByteArray::number(i);
        const QByteArray advanceUpDown = "UpDown5" + QByteArray::number(i);
        *rpmEdits[i] = makeEdit(GroupBox6, rpmEdit.constData(), QRect(14, RowTops[i], 40, EditHeight));
        *rpmUpDowns[i] = makeUpDown(GroupBox6, rpmUpDown.constData(), *rpmEdits[i], CurvePointRpmRange(i),
                                    (i + 1) * 1000, true);
        *advanceEdits[i] =
            makeEdit(GroupBox6, advanceEdit.constData(), QRect(104, RowTops[i], 30, EditHeight));
        *advanceUpDowns[i] =
            makeUpDown(GroupBox6, advanceUpDown.constData(), *advanceEdits[i], AdvanceRange, 20, false);
    }

    auto shiftButton = [this](QPushButton *&button, const char *name, int left) {
        button = new QPushButton(GroupBox6);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(left, 407, 20, 20);
        button->setFont(formFont(19, false));
        button->setAutoDefault(false);
        button->setProperty(HintProperty, QString());
        button->setProperty(ShowHintProperty, true);
    };
    shiftButton(BitBtnAdvMinus, "BitBtnAdvMinus", 24);
    shiftButton(BitBtnAdvPlus, "BitBtnAdvPlus", 50);

    CheckBoxIgnAll = new QCheckBox(GroupBox6);
    CheckBoxIgnAll->setObjectName(QStringLiteral("CheckBoxIgnAll"));
    CheckBoxIgnAll->setGeometry(104, 409, 70, 17);
    CheckBoxIgnAll->setProperty(HintProperty, QString());
}

void TFormHlav::buildTrigger()
{
    GroupBox1 = new QGroupBox(ClientArea);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(195, 48, 209, 353);
    GroupBox1->setProperty(HintProperty, QString());

    Image3 = new QLabel(GroupBox1);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setGeometry(4, 10, WheelWidth, WheelHeight);
    Image3->setProperty(HintProperty, QString());
    keepPictureVisible(Image3);

    EditPalec13 = makeEdit(GroupBox1, "EditPalec13", QRect(44, 286, 33, EditHeight));
    UpDownPalec13 = makeUpDown(GroupBox1, "UpDownPalec13", EditPalec13, TeethRange, 3, true);
    LabelPalec13 = makeLabel(GroupBox1, "LabelPalec13", QPoint(100, 290), 11, false);
    EditPalec24 = makeEdit(GroupBox1, "EditPalec24", QRect(44, 318, 33, EditHeight));
    UpDownPalec24 = makeUpDown(GroupBox1, "UpDownPalec24", EditPalec24, TeethRange, 9, true);
    LabelPalec24 = makeLabel(GroupBox1, "LabelPalec24", QPoint(100, 322), 11, false);
}

void TFormHlav::buildVehicle()
{
    GroupBox2 = new QGroupBox(ClientArea);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(409, 48, 221, 201);
    GroupBox2->setProperty(HintProperty, QString());

    ComboBoxBike = new NamedComboBox(GroupBox2);
    ComboBoxBike->setObjectName(QStringLiteral("ComboBoxBike"));
    ComboBoxBike->setGeometry(14, 16, 194, 21);
    ComboBoxBike->setMaxVisibleItems(40);
    ComboBoxBike->setFocusPolicy(Qt::ClickFocus); // not reached by the Tab key
    ComboBoxBike->setProperty(HintProperty, QString());
    ComboBoxBike->setProperty(ShowHintProperty, true);
    for (int row = 0; row < VehicleRowCount; ++row)
        ComboBoxBike->addItem(QString::fromUtf8(VehicleRowText(row)));

    EditBaseAdv = makeEdit(GroupBox2, "EditBaseAdv", QRect(14, 52, 41, EditHeight));
    UpDownBaseAdv = makeUpDown(GroupBox2, "UpDownBaseAdv", EditBaseAdv, BaseAdvanceRange, 40, true);
    LabelBaseAdv = makeLabel(GroupBox2, "LabelBaseAdv", QPoint(82, 56), 11, false);
    EditOmez2 = makeEdit(GroupBox2, "EditOmez2", QRect(14, 84, 49, EditHeight));
    UpDownOmez2 = makeUpDown(GroupBox2, "UpDownOmez2", EditOmez2, LimiterRange, 15000, true);
    LabelOmez2 = makeLabel(GroupBox2, "LabelOmez2", QPoint(82, 88), 11, false);

    auto box = [this](MouseUpCheckBox *&check, const char *name, int top) {
        check = new MouseUpCheckBox(GroupBox2);
        check->setObjectName(QString::fromLatin1(name));
        check->setGeometry(14, top, 200, 17);
        check->setProperty(HintProperty, QString());
    };
    box(CheckBoxBuzDlouhe, "CheckBoxBuzDlouhe", 120);
    CheckBoxBuzDlouhe->setFocusPolicy(Qt::ClickFocus); // not reached by the Tab key
    box(CheckBoxBlokEnable, "CheckBoxBlokEnable", 145);
    box(CheckBoxRpm2Krat, "CheckBoxRpm2Krat", 170);

    CheckBoxProgHned = new MouseUpCheckBox(ClientArea);
    CheckBoxProgHned->setObjectName(QStringLiteral("CheckBoxProgHned"));
    CheckBoxProgHned->setGeometry(430, 256, 170, 16);
    CheckBoxProgHned->setProperty(HintProperty, QString());
    CheckBoxProgHned->setProperty(ShowHintProperty, true);
}

void TFormHlav::buildLiveValues()
{
    constexpr int Left = 420;
    LabelRpm = makeLabel(ClientArea, "LabelRpm", QPoint(Left, 284), 19, true);
    CGaugeRpm = new QProgressBar(ClientArea);
    CGaugeRpm->setObjectName(QStringLiteral("CGaugeRpm"));
    CGaugeRpm->setGeometry(Left, 309, 212, 17);
    CGaugeRpm->setRange(0, 100);
    CGaugeRpm->setValue(0);
    CGaugeRpm->setTextVisible(false);
    CGaugeRpm->setProperty(HintProperty, QString());
    {
        QPalette palette = CGaugeRpm->palette();
        palette.setColor(QPalette::Highlight, QColor(255, 0, 255));
        CGaugeRpm->setPalette(palette);
    }
    LabelAdvance = makeLabel(ClientArea, "LabelAdvance", QPoint(Left, 332), 19, true);
    LabelNapeti = makeLabel(ClientArea, "LabelNapeti", QPoint(Left, 358), 19, true);
    LabelBlocking = makeLabel(ClientArea, "LabelBlocking", QPoint(Left, 386), 16, false);
    LabelNeutral = makeLabel(ClientArea, "LabelNeutral", QPoint(Left, 408), 16, false);
    LabelSideStand = makeLabel(ClientArea, "LabelSideStand", QPoint(Left, 430), 16, false);
    LabelMonSnimac1 = makeLabel(ClientArea, "LabelMonSnimac1", QPoint(Left, 452), 16, false);
    LabelMonSnimac2 = makeLabel(ClientArea, "LabelMonSnimac2", QPoint(Left, 474), 16, false);
    LabelCom = makeLabel(ClientArea, "LabelCom", QPoint(Left, 500), 16, false);
    LabelVerze1 = makeLabel(ClientArea, "LabelVerze1", QPoint(Left, 528), 11, false);
    LabelVerze1->setProperty(ShowHintProperty, true);
    LabelVerze2 = makeLabel(ClientArea, "LabelVerze2", QPoint(Left, 545), 13, false);
    LabelVerze2->setProperty(ShowHintProperty, true);
    LabelVerze3 = makeLabel(ClientArea, "LabelVerze3", QPoint(Left, 564), 11, false);
    LabelVerze3->setProperty(ShowHintProperty, true);
    LabelPocetProgramovani = makeLabel(ClientArea, "LabelPocetProgramovani", QPoint(Left, 584), 11, false);

    Image1 = new QLabel(ClientArea);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(200, 407, LogoWidth, LogoHeight);
    Image1->setProperty(HintProperty, QString());
    keepPictureVisible(Image1);
}

void TFormHlav::buildMessageArea()
{
    LabelHlaseni = makeLabel(ClientArea, "LabelHlaseni", QPoint(8, 502), 13, true);
    CGaugeProgram = new QProgressBar(ClientArea);
    CGaugeProgram->setObjectName(QStringLiteral("CGaugeProgram"));
    CGaugeProgram->setGeometry(160, 502, 209, 17);
    CGaugeProgram->setRange(0, 3);
    CGaugeProgram->setValue(0);
    CGaugeProgram->setTextVisible(true);
    CGaugeProgram->setFormat(QStringLiteral("%p%"));
    CGaugeProgram->setAlignment(Qt::AlignCenter);
    CGaugeProgram->setProperty(HintProperty, QString());
    {
        QPalette palette = CGaugeProgram->palette();
        palette.setColor(QPalette::Highlight, QColor(0, 255, 255));
        palette.setColor(QPalette::HighlightedText, Qt::black);
        CGaugeProgram->setPalette(palette);
    }
    LabelFile1 = makeLabel(ClientArea, "LabelFile1", QPoint(12, 524), 11, false);
    LabelFile2 = new FileNameLabel(ClientArea);
    LabelFile2->setObjectName(QStringLiteral("LabelFile2"));
    LabelFile2->setTextFormat(Qt::PlainText);
    LabelFile2->setFont(formFont(11));
    LabelFile2->setProperty(HintProperty, QString());
    // A long path ends short of the live-value column rather than running under it, and
    // is shortened in the middle so that the file name stays whole.
    LabelFile2->setGeometry(60, 524, 355, 15);
    LabelEeDataErr = makeLabel(ClientArea, "LabelEeDataErr", QPoint(13, 548), 19, true);
    setNamedColour(LabelEeDataErr, NamedColour::Red);
    LabelVersion = makeLabel(ClientArea, "LabelVersion", QPoint(13, 580), 19, true);
    // The mismatch text is long in every language: it wraps short of the live values.
    LabelVersion->setWordWrap(true);
    LabelVersion->setMaximumWidth(400);
    setNamedColour(LabelVersion, NamedColour::Red);

    constexpr int TestLefts[4] = {16, 128, 264, 448};
    for (int i = 0; i < 8; ++i) {
        const QByteArray name = "LabelTest" + QByteArray::number(i + 1);
        LabelTest[i] = makeLabel(ClientArea, name.constData(),
                                 QPoint(TestLefts[i / 2], i % 2 == 0 ? 617 : 645), 13, true);
    }
}

void TFormHlav::connectHandlers()
{
    auto both = [this](QAction *action, QAbstractButton *button, void (TFormHlav::*handler)()) {
        if (action)
            connect(action, &QAction::triggered, this, handler);
        if (button)
            connect(button, &QAbstractButton::clicked, this, handler);
    };
    both(MenuNew, SpeedButton6, &TFormHlav::MenuNewClick);
    both(MenuOpen, SpeedButton5, &TFormHlav::MenuOpenClick);
    both(MenuOpenExeDir, nullptr, &TFormHlav::MenuOpenExeDirClick);
    both(MenuSave, SpeedButton7, &TFormHlav::MenuSaveClick);
    both(MenuSaveExeDir, nullptr, &TFormHlav::MenuSaveExeDirClick);
    // The Print item prints like the tool button rather than doing nothing.
    both(MenuPrint, SpeedButtonPrint, &TFormHlav::SpeedButtonPrintClick);
    both(MenuExit, nullptr, &TFormHlav::MenuExitClick);
    both(MenuRead, Button1, &TFormHlav::MenuReadClick);
    both(MenuVerify, BitBtn2, &TFormHlav::MenuVerifyClick);
    both(MenuProgram, BitBtn1, &TFormHlav::MenuProgramClick);
    both(AdvanceMinus, BitBtnAdvMinus, &TFormHlav::BitBtnAdvMinusClick);
    both(AdvancePlus, BitBtnAdvPlus, &TFormHlav::BitBtnAdvPlusClick);
    both(MenuZpet, SpeedButtonZpet, &TFormHlav::SpeedButtonZpetClick);
    both(MenuZnovu, SpeedButtonZnovu, &TFormHlav::SpeedButtonZnovuClick);
    both(MenuEnglish, nullptr, &TFormHlav::MenuEnglishClick);
    both(MenuCzech, nullptr, &TFormHlav::MenuCzechClick);
    both(MenuGerman, nullptr, &TFormHlav::MenuGermanClick);
    both(MenuContens, nullptr, &TFormHlav::MenuContensClick);
    both(MenuAbout, nullptr, &TFormHlav::MenuAboutClick);

    for (MouseUpCheckBox *box : {CheckBoxRpm2Krat, CheckBoxBlokEnable, CheckBoxBuzDlouhe, CheckBoxProgHned})
        connect(box, &MouseUpCheckBox::mouseUp, this, &TFormHlav::CheckBoxProgHnedMouseUp);
    connect(CheckBoxProgHned, &QCheckBox::clicked, this, &TFormHlav::CheckBoxProgHnedClick);
    // Only a row the user picks changes the set; rows selected by the program do not.
    connect(ComboBoxBike, &QComboBox::activated, this, &TFormHlav::ComboBoxBikeChange);

    connect(m_link.get(), &LinkDriver::parametersReceived, this, &TFormHlav::ShowParametersInControls);
    // Both boxes are shown from the event loop, after the tick or command that raised
    // them has finished, and never block the ticks.
    connect(m_link.get(), &LinkDriver::versionMismatch, this, &TFormHlav::onVersionMismatch,
            Qt::QueuedConnection);
    connect(m_link.get(), &LinkDriver::portOpenFailed, this, &TFormHlav::onPortOpenFailed,
            Qt::QueuedConnection);
}

// ---------------------------------------------------------------------------------
// Texts and hints

void TFormHlav::ApplyTexts(const QList<TextAssignment> &texts)
{
    for (const TextAssignment &text : texts) {
        const QString name = QString::fromLatin1(text.objectName);
        QObject *object = name == QLatin1String(MainWindowObjectName) ? static_cast<QObject *>(this)
                                                                      : findChild<QObject *>(name);
        if (!object)
            continue;
        if (text.kind == TextAssignment::Hint) {
            SetHint(object, text.text);
            continue;
        }
        if (object == this)
            setWindowTitle(text.text);
        else if (auto *menu = qobject_cast<QMenu *>(object))
            menu->setTitle(text.text);
        else if (auto *action = qobject_cast<QAction *>(object))
            action->setText(text.text);
        else if (auto *label = qobject_cast<QLabel *>(object))
            setCaption(label, text.text);
        else if (auto *button = qobject_cast<QAbstractButton *>(object))
            button->setText(text.text);
        else if (auto *group = qobject_cast<QGroupBox *>(object))
            group->setTitle(text.text);
    }
}

void TFormHlav::SetHint(QObject *object, const QString &hint)
{
    object->setProperty(HintProperty, hint);
    if (object->isWidgetType() && object->property(ShowHintProperty).toBool())
        static_cast<QWidget *>(object)->setToolTip(ShortHint(hint));
}

QString TFormHlav::HintOf(const QObject *object)
{
    if (!object)
        return {};
    const QVariant hint = object->property(HintProperty);
    if (hint.isValid())
        return hint.toString();
    if (const auto *action = qobject_cast<const QAction *>(object); action && action->menu())
        return HintOf(action->menu());
    return {};
}

QString TFormHlav::ShortHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QString TFormHlav::LongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void TFormHlav::HintToStatusBar(const QString &hint)
{
    const QString text = LongHint(hint);
    if (StatusPanel->text() != text)
        StatusPanel->setText(text);
}

// ---------------------------------------------------------------------------------
// Colours

void TFormHlav::setNamedColour(QWidget *widget, NamedColour colour)
{
    // Edits show their colour in the text area; labels and check boxes behind the text,
    // from the role each fills its background with (Window for a label, Button for a
    // check box).
    const bool edit = qobject_cast<QLineEdit *>(widget) != nullptr;
    const QPalette::ColorRole role = edit ? QPalette::Base : widget->backgroundRole();
    const NamedColour standard = edit ? NamedColour::Window : NamedColour::BtnFace;
    if (colour == standard) {
        // The standard colour is inherited, so that the window's print colour shows through.
        widget->setPalette(QPalette());
        widget->setAutoFillBackground(false);
        return;
    }
    QPalette palette = widget->palette();
    const QColor background = namedColourValue(colour);
    palette.setColor(role, background);
    // A fixed background fixes the text on it too: the light text of a dark desktop
    // theme would not read on lime or yellow.
    for (const QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(text, readableTextColour(background, QApplication::palette().color(text)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(!edit);
}

// ---------------------------------------------------------------------------------
// Start-up and shutdown

void TFormHlav::FormCreate()
{
    FillCurveControlArrays();
    ConnectEditor();
    BuildPortMenu();
    if (!m_hintHandlerInstalled) {
        qApp->installEventFilter(new HintWatcher(this));
        m_hintHandlerInstalled = true;
    }
    // The default of the ComPort key, which stores the choice plus one.
    Session.PortChoice = 1;
    ApplyVehiclePreset();
    // Centred on the screen, and no larger than its available area.
    Fit->place(std::nullopt);
    ExeDirDataFile = ProgramFolderDataFile(QCoreApplication::applicationFilePath(), programDataFolder(),
                                           &ExeDirIsDataFolder);
    LoadSettings();
    if (const int language = LanguageFromCommandWord(m_setup.arguments.value(0)); language >= 0)
        Session.LanguageIndex = quint8(language);
    NormaliseParameters(Parameters, Session);
    ShowParametersInControls();
    ApplyInterfaceLanguage();
    ShowParametersInControls();
    ResetUndoHistory();
    m_link->OpenUnitPort();
    UpdatePortMenuChecks();
    m_link->HideMessageArea();
    m_link->CGaugeProgram.maximum = 1;
    m_link->LabelEeDataErrVisible = false;
    m_link->LabelVersion.visible = false;
    ReadTestMode();
    for (QLabel *label : LabelTest)
        label->setVisible(TestMode);
    UpdateControlStates();
    ShowLinkState();
    m_created = true;
}

void TFormHlav::FormClose()
{
    if (m_closed)
        return;
    m_closed = true;
    Timer1->stop();
    m_link->CloseUnitPort();
    Recordings->closeAll();
    Curve->closeAll();
    TakeControlsIntoParameters();
    NormaliseParameters(Parameters, Session);
    ReportUnsavedSettings(SaveSettings());
}

void TFormHlav::closeEvent(QCloseEvent *event)
{
    FormClose();
    QMainWindow::closeEvent(event);
}

void TFormHlav::MenuExitClick()
{
    close();
}

bool TFormHlav::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::FocusOut || type == QEvent::ShortcutOverride) &&
        watched->property(EditExitProperty).toBool()) {
        if (type == QEvent::FocusOut) {
            // Leaving the edit for another control counts; the window losing the focus to a
            // box or a menu does not, nor does the focus being pushed on because showing a
            // set has just disabled or hidden the edit (the pipeline would run inside it).
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            const auto *edit = static_cast<QWidget *>(watched);
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                edit->isEnabled() && !edit->isHidden())
                EditExit();
        } else {
            // The menu's Undo and Redo win over the edit's own undo of typed text.
            const auto *key = static_cast<QKeyEvent *>(event);
            const QKeySequence pressed(key->keyCombination());
            if (MenuZpet->shortcuts().contains(pressed) || MenuZnovu->shortcuts().contains(pressed))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
