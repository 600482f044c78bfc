// The unit link as the window sees it: the port menu, the transfer commands, the
// 55 ms tick and the mirror of what the link exposes.

#include "TFormHlav.h"

#include "CurveWiring.h"

#include "FileNameLabel.h"
#include "FormLook.h"
#include "MouseUpCheckBox.h"
#include "PortAdvice.h"
#include "PortMenu.h"
#include "UserPrompts.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>

namespace {
enum MirrorIndex : int
{
    MirrorHlaseni,
    MirrorRpm,
    MirrorAdvance,
    MirrorNapeti,
    MirrorBlocking,
    MirrorNeutral,
    MirrorSideStand,
    MirrorSnimac1,
    MirrorSnimac2,
    MirrorVersion,
};
} // namespace

// ---------------------------------------------------------------------------------
// Port menu

void TFormHlav::BuildPortMenu()
{
    if (PortMenuItems[0])
        return;
    m_portGroup = new QActionGroup(this);
    m_portGroup->setExclusive(true);
    for (int i = 0; i < int(PortMenuItems.size()); ++i) {
        auto *item = new QAction(this);
        item->setObjectName(QStringLiteral("MenuCom%1").arg(i + 1));
        item->setText(QStringLiteral("Com %1").arg(i + 1));
        item->setCheckable(true);
        MenuCom->addAction(item);
        m_portGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { MenuCom1Click(i); });
        PortMenuItems[i] = item;
    }
    PortMenuItems[20]->setText(QStringLiteral("Com Auto"));
    connect(MenuCom, &QMenu::aboutToShow, this, &TFormHlav::RefreshPortMenu);
}

void TFormHlav::RefreshPortMenu()
{
    // Com Auto keeps its caption alone: it reaches whatever answers.
    for (int i = 0; i < PortChoiceAuto; ++i) {
        const PortDescription port = m_setup.ports->describe(i + 1);
        QString text = QStringLiteral("Com %1").arg(i + 1);
        if (!port.device.isEmpty()) {
            // After a tab, in the column a menu keeps for shortcuts.
            text += u'\t' + port.device;
            if (!port.description.isEmpty())
                text += QStringLiteral("  ") + port.description;
        }
        if (PortMenuItems[i]->text() != text)
            PortMenuItems[i]->setText(text);
        PortMenu::setAbsent(PortMenuItems[i], !port.present);
    }
}

void TFormHlav::MenuCom1Click(int itemIndex)
{
    Session.PortChoice = quint8(itemIndex);
    m_link->CloseUnitPort();
    m_link->unit().setQuietReopen(false);
    m_link->OpenUnitPort();
    UpdatePortMenuChecks();
    ShowLinkState();
}

void TFormHlav::UpdatePortMenuChecks()
{
    for (int i = 0; i < int(PortMenuItems.size()); ++i)
        PortMenuItems[i]->setChecked(i == Session.PortChoice);
}

// ---------------------------------------------------------------------------------
// Transfers

void TFormHlav::MenuReadClick()
{
    m_link->StartRead();
    // The set on screen no longer comes from a file.
    LabelFile2->setText(QString());
    ShowLinkState();
}

void TFormHlav::MenuVerifyClick()
{
    TakeControlsIntoParameters();
    NormaliseParameters(Parameters, Session);
    ShowParametersInControls();
    m_link->StartVerify();
    ShowLinkState();
}

void TFormHlav::MenuProgramClick()
{
    TakeControlsIntoParameters();
    NormaliseParameters(Parameters, Session);
    ShowParametersInControls();
    m_link->StartProgram();
    ShowLinkState();
}

void TFormHlav::StartProgrammingAfterChange()
{
    m_link->StartProgrammingAfterChange();
    ShowLinkState();
}

void TFormHlav::onVersionMismatch(const QString &text)
{
    m_prompts->notice(this, UserPrompts::Notice::VersionMismatch, text, QString());
}

void TFormHlav::onPortOpenFailed(const QString &portName, const PortOpenFailure &failure)
{
    m_prompts->notice(this, UserPrompts::Notice::ComOpeningError, Messages[MsgComOpeningError],
                      PortOpenAdvice(portName, failure, Session.LanguageIndex));
}

// ---------------------------------------------------------------------------------
// The tick

void TFormHlav::Timer1Timer()
{
    m_link->BlockEnableChecked = CheckBoxBlokEnable->isChecked();
    m_link->Printing = Printing;
    m_link->Timer1Timer();
    if (m_ticksSinceComLabel < ComLabelEveryTicks)
        ++m_ticksSinceComLabel;
    m_showingTick = true;
    ShowLinkState();
    Curve->showState();
    m_showingTick = false;
    if (!m_firstTickDone) {
        m_firstTickDone = true;
        if (m_setup.afterFirstTick)
            m_setup.afterFirstTick();
    }
}

void TFormHlav::mirrorLabel(int index, QLabel *label, const LabelView &view, bool withVisibility)
{
    Mirrored &shown = m_mirror[index];
    if (!shown.valid || shown.caption != view.caption) {
        label->setText(view.caption);
        fitLabel(label);
        shown.caption = view.caption;
    }
    if (!shown.valid || shown.colour != view.colour) {
        setNamedColour(label, view.colour);
        shown.colour = view.colour;
    }
    shown.valid = true;
    if (withVisibility)
        label->setVisible(view.visible);
}

// Writes what the link exposes into the controls. Captions and colours are written only
// when the link changed them since the last look, so a tick without news touches no
// widget and allocates nothing, and a text that other code wrote into one of these
// labels stays until the link has something new to say there.
void TFormHlav::ShowLinkState()
{
    const LinkDriver &link = *m_link;
    mirrorLabel(MirrorHlaseni, LabelHlaseni, link.LabelHlaseni, true);
    mirrorLabel(MirrorRpm, LabelRpm, link.LabelRpm, false);
    mirrorLabel(MirrorAdvance, LabelAdvance, link.LabelAdvance, false);
    mirrorLabel(MirrorNapeti, LabelNapeti, link.LabelNapeti, false);
    mirrorLabel(MirrorBlocking, LabelBlocking, link.LabelBlocking, true);
    mirrorLabel(MirrorNeutral, LabelNeutral, link.LabelNeutral, true);
    mirrorLabel(MirrorSideStand, LabelSideStand, link.LabelSideStand, true);
    mirrorLabel(MirrorSnimac1, LabelMonSnimac1, link.LabelMonSnimac1, true);
    // Whether the second pickup shows is the editor's business (by vehicle type).
    mirrorLabel(MirrorSnimac2, LabelMonSnimac2, link.LabelMonSnimac2, false);
    mirrorLabel(MirrorVersion, LabelVersion, link.LabelVersion, true);

    // The automatic scan tries another port on every tick while nothing answers; a
    // caption redrawn 18 times a second cannot be read and was most of what the idle
    // scan cost. From the tick it changes at most every ComLabelEveryTicks; commands
    // show their port at once.
    if (LabelCom->text() != link.LabelComCaption &&
        (!m_showingTick || m_ticksSinceComLabel >= ComLabelEveryTicks)) {
        LabelCom->setText(link.LabelComCaption);
        fitLabel(LabelCom);
        m_ticksSinceComLabel = 0;
    }
    if (m_comDevice != link.LabelComDevice) {
        m_comDevice = link.LabelComDevice;
        // Where a COM number is only a name for a device, pointing at the label tells which.
        SetHint(LabelCom, m_comDevice.isEmpty() ? QString() : QStringLiteral("|") + m_comDevice);
    }
    if (LabelPocetProgramovani->text() != link.LabelPocetProgramovani) {
        LabelPocetProgramovani->setText(link.LabelPocetProgramovani);
        fitLabel(LabelPocetProgramovani);
    }
    for (int i = 0; i < int(LabelTest.size()); ++i) {
        if (m_testCaption[i] != link.LabelTest[i]) {
            m_testCaption[i] = link.LabelTest[i];
            LabelTest[i]->setText(m_testCaption[i]);
            fitLabel(LabelTest[i]);
        }
    }

    LabelSpojeni->setVisible(link.LabelSpojeniVisible);
    LabelEeDataErr->setVisible(link.LabelEeDataErrVisible);

    const GaugeView &gauge = link.CGaugeProgram;
    CGaugeProgram->setMaximum(gauge.maximum);
    CGaugeProgram->setValue(gauge.position);
    CGaugeProgram->setVisible(gauge.visible);
    CGaugeRpm->setValue(link.CGaugeRpmPosition);

    for (int k = 0; k < CurvePoints; ++k) {
        // An edit's standard colour is the window colour; the link marks the row in lime.
        const NamedColour colour =
            link.CurveRowColour[k] == NamedColour::Lime ? NamedColour::Lime : NamedColour::Window;
        if (m_rowColour[k] != colour) {
            m_rowColour[k] = colour;
            setNamedColour(RpmEdits[k], colour);
            setNamedColour(AdvanceEdits[k], colour);
        }
    }
}
