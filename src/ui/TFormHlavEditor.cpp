// Editor binding: the parameter set and the controls, the edit pipeline, vehicle
// presets, the advance shift, New, and undo and redo.

#include "TFormHlav.h"

#include "CurveWiring.h"

#include "FileNameLabel.h"
#include "FormLook.h"
#include "MouseUpCheckBox.h"
#include "UpDownButton.h"
#include "UserPrompts.h"
#include "VehiclePresets.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>

void TFormHlav::FillCurveControlArrays()
{
    RpmEdits = {EditRpmAdv1, EditRpmAdv2, EditRpmAdv3, EditRpmAdv4, EditRpmAdv5,
                EditRpmAdv6, EditRpmAdv7, EditRpmAdv8, EditRpmAdv9, EditRpmAdv10};
    AdvanceEdits = {Edit50, Edit51, Edit52, Edit53, Edit54, Edit55, Edit56, Edit57, Edit58, Edit59};
    RpmUpDowns = {UpDownRpmAdv1, UpDownRpmAdv2, UpDownRpmAdv3, UpDownRpmAdv4, UpDownRpmAdv5,
                  UpDownRpmAdv6, UpDownRpmAdv7, UpDownRpmAdv8, UpDownRpmAdv9, UpDownRpmAdv10};
    AdvanceUpDowns = {UpDown50, UpDown51, UpDown52, UpDown53, UpDown54,
                      UpDown55, UpDown56, UpDown57, UpDown58, UpDown59};
}

// ---------------------------------------------------------------------------------
// Vehicle list

void TFormHlav::TakeVehicleTypeFromList()
{
    const int code = VehicleCodeForRow(ComboBoxBike->currentIndex());
    if (code >= 0)
        Parameters.BIKE() = quint8(code);
}

void TFormHlav::ShowVehicleTypeInList()
{
    const int row = VehicleRowForCode(Parameters.BIKE());
    if (row < 0)
        return;
    const QSignalBlocker blocker(ComboBoxBike);
    ComboBoxBike->setCurrentIndex(row);
}

void TFormHlav::ApplyVehiclePreset()
{
    ::ApplyVehiclePreset(Parameters, VehicleListChanged);
}

void TFormHlav::ComboBoxBikeChange()
{
    TakeVehicleTypeFromList();
    VehicleListChanged = true;
    ApplyVehiclePreset();
    ShowParametersInControls();
    ParameterChanged();
}

// ---------------------------------------------------------------------------------
// Controls and set

void TFormHlav::TakeControlsIntoParameters()
{
    TakeVehicleTypeFromList();
    for (int i = 0; i < CurvePoints; ++i) {
        Parameters.RPM_ADV(i) = quint8(RpmUpDowns[i]->position() / 100);
        Parameters.ADVANCE(i) = quint8(AdvanceUpDowns[i]->position());
    }
    Parameters.TOP(0) = quint8(UpDownPalec13->position());
    Parameters.TOP(1) = quint8(UpDownPalec24->position());
    Parameters.BASE_ADV() = quint8(UpDownBaseAdv->position());
    Parameters.LIMITER() = quint8(UpDownOmez2->position() / 100);
    Parameters.RPM2() = CheckBoxRpm2Krat->isChecked() ? 1 : 0;
    Parameters.BLOK_ENABLE() = CheckBoxBlokEnable->isChecked() ? 1 : 0;
    Parameters.EXCITATION() = CheckBoxBuzDlouhe->isChecked() ? 1 : 0;
}

void TFormHlav::ShowParametersInControls()
{
    ShowVehicleTypeInList();
    for (int i = 0; i < CurvePoints; ++i) {
        RpmUpDowns[i]->setPosition(Parameters.RPM_ADV(i) * 100);
        AdvanceUpDowns[i]->setPosition(Parameters.ADVANCE(i));
    }
    LabelVerze1->setText(m_link->UnitVersionText);
    fitLabel(LabelVerze1);
    LabelVerze2->setText(m_link->UnitDateText);
    fitLabel(LabelVerze2);
    LabelVerze3->setText(m_link->UnitTimeText);
    fitLabel(LabelVerze3);
    UpDownPalec13->setPosition(Parameters.TOP(0));
    UpDownPalec24->setPosition(Parameters.TOP(1));
    UpDownBaseAdv->setPosition(Parameters.BASE_ADV());
    UpDownOmez2->setPosition(Parameters.LIMITER() * 100);
    {
        const QSignalBlocker rpm2(CheckBoxRpm2Krat);
        const QSignalBlocker blok(CheckBoxBlokEnable);
        const QSignalBlocker buz(CheckBoxBuzDlouhe);
        CheckBoxRpm2Krat->setChecked(Parameters.RPM2() != 0);
        CheckBoxBlokEnable->setChecked(Parameters.BLOK_ENABLE() != 0);
        CheckBoxBuzDlouhe->setChecked(Parameters.EXCITATION() != 0);
    }
    UpdateControlStates();
}

// The set as the controls or a preset left it, through the edit pipeline.
void TFormHlav::ParameterChanged()
{
    Editor.Apply(Parameters, CheckBoxProgHned->isChecked());
}

void TFormHlav::ConnectEditor()
{
    Editor.setChanged = [this] {
        ShowParametersInControls();
        UpdateUndoButtons();
        if (Curve)
            Curve->showState();
    };
    Editor.programNow = [this] { StartProgrammingAfterChange(); };
}

void TFormHlav::UpdateControlStates()
{
    const int row = ComboBoxBike->currentIndex();
    const bool special = row == VehicleRowSpecial;
    const bool wks = row == VehicleRowWks750;

    {
        QPalette palette = ClientArea->palette();
        palette.setColor(QPalette::Window,
                         Printing ? QColor(Qt::white) : namedColourValue(NamedColour::BtnFace));
        ClientArea->setPalette(palette);
    }
    setNamedColour(CheckBoxProgHned, CheckBoxProgHned->isChecked() ? NamedColour::Red : NamedColour::BtnFace);

    const bool decorations = !Printing;
    for (QWidget *widget : std::initializer_list<QWidget *>{
             CheckBoxProgHned, StatusBar1, UpDownBaseAdv, UpDownOmez2, BitBtnAdvMinus, BitBtnAdvPlus,
             CheckBoxIgnAll, CGaugeRpm, LabelPocetProgramovani})
        widget->setVisible(decorations);

    for (QLineEdit *edit : {EditPalec13, EditPalec24}) {
        edit->setVisible(!wks);
        edit->setEnabled(special);
    }
    for (UpDownButton *upDown : {UpDownPalec13, UpDownPalec24})
        upDown->setVisible(special);
    for (QWidget *widget : std::initializer_list<QWidget *>{LabelPalec13, LabelPalec24, Image3})
        widget->setVisible(!wks);
    CheckBoxBuzDlouhe->setEnabled(special || wks);
    LabelMonSnimac2->setVisible(wks);

    m_link->Printing = Printing;
}

// ---------------------------------------------------------------------------------
// Events of the editing controls

void TFormHlav::UpDownClick()
{
    TakeControlsIntoParameters();
    ParameterChanged();
}

void TFormHlav::EditExit()
{
    TakeControlsIntoParameters();
    ParameterChanged();
}

void TFormHlav::CheckBoxProgHnedMouseUp()
{
    TakeControlsIntoParameters();
    ParameterChanged();
    UpdateControlStates();
}

void TFormHlav::CheckBoxProgHnedClick()
{
    setNamedColour(CheckBoxProgHned, CheckBoxProgHned->isChecked() ? NamedColour::Red : NamedColour::BtnFace);
}

// ---------------------------------------------------------------------------------
// Advance shift and New

void TFormHlav::BitBtnAdvMinusClick()
{
    TakeControlsIntoParameters();
    Editor.ShiftAdvance(-1, CheckBoxIgnAll->isChecked(), m_link->CurrentCurvePoint, m_link->NoCurvePoint,
                        CheckBoxProgHned->isChecked());
}

void TFormHlav::BitBtnAdvPlusClick()
{
    TakeControlsIntoParameters();
    Editor.ShiftAdvance(+1, CheckBoxIgnAll->isChecked(), m_link->CurrentCurvePoint, m_link->NoCurvePoint,
                        CheckBoxProgHned->isChecked());
}

void TFormHlav::MenuNewClick()
{
    if (m_prompts->question(this, Messages[MsgDefaultSetting]) != UserPrompts::Answer::Yes)
        return;
    VehicleListChanged = false;
    ApplyVehiclePreset();
    ParameterChanged();
    m_link->HideMessageArea();
    ShowLinkState();
    LabelFile2->setText(QString());
}

// ---------------------------------------------------------------------------------
// Undo and redo

void TFormHlav::ResetUndoHistory()
{
    Editor.Reset();
    UpdateUndoButtons();
}

void TFormHlav::UpdateUndoButtons()
{
    const bool canUndo = Undo.CanUndo();
    const bool canRedo = Undo.CanRedo();
    SpeedButtonZpet->setEnabled(canUndo);
    MenuZpet->setEnabled(canUndo);
    SpeedButtonZnovu->setEnabled(canRedo);
    MenuZnovu->setEnabled(canRedo);
}

void TFormHlav::SpeedButtonZpetClick()
{
    Editor.Undo(CheckBoxProgHned->isChecked());
}

void TFormHlav::SpeedButtonZnovuClick()
{
    Editor.Redo(CheckBoxProgHned->isChecked());
}
