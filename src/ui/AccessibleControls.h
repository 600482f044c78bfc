#pragma once

#include <QComboBox>
#include <QLineEdit>

class TFormHlav;
class UpDownButton;

// The edit of a number that an up-down steps. A class of its own, so that screen readers
// are offered it as a spin button rather than as Qt's plain text field.
class FieldEdit : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;
};

// What a screen reader hears of the window's controls. The fields with arrows beside
// them are spin buttons, with their value and range; every field, arrow pair, picture
// button and the vehicle list carries a name in the interface language.

// A drop-down list that a screen reader names by its accessible name; Qt's own on Linux
// speaks the current row as the name, expecting a label beside it, which the layout has not.
class NamedComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;
};

// Once per program, before any window is shown: presents each FieldEdit as a spin button.
void installAccessibleFields();
// Ties an edit to the up-down that steps it, for the spin-button presentation.
void markUpDownField(QLineEdit *edit, UpDownButton *upDown);
// Names the controls whose captions do not name them; runs after every change of language.
void nameControls(TFormHlav &form, quint8 language);
