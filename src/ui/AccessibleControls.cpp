#include "AccessibleControls.h"

#include "AccessLetters.h"
#include "AddedTexts.h"
#include "TFormHlav.h"
#include "UpDownButton.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

constexpr char UpDownProperty[] = "accessibleUpDown";

UpDownButton *upDownOf(QObject *edit)
{
    return qobject_cast<UpDownButton *>(edit->property(UpDownProperty).value<QObject *>());
}

// An edit stepped by an up-down, presented as the spin button it is to the user.
class AccessibleField : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit AccessibleField(QLineEdit *edit) : QAccessibleWidget(edit, QAccessible::SpinBox) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return edit()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !edit()->isReadOnly();
        return s;
    }

    QVariant currentValue() const override
    {
        UpDownButton *upDown = upDownOf(object());
        return upDown ? QVariant(upDown->position()) : QVariant();
    }
    // As if typed: the edit pipeline takes it when the field is left.
    void setCurrentValue(const QVariant &value) override
    {
        if (UpDownButton *upDown = upDownOf(object()))
            upDown->setPosition(value.toInt());
    }
    QVariant maximumValue() const override
    {
        UpDownButton *upDown = upDownOf(object());
        return upDown ? QVariant(upDown->model().maximum()) : QVariant();
    }
    QVariant minimumValue() const override
    {
        UpDownButton *upDown = upDownOf(object());
        return upDown ? QVariant(upDown->model().minimum()) : QVariant();
    }
    QVariant minimumStepSize() const override
    {
        UpDownButton *upDown = upDownOf(object());
        return upDown ? QVariant(upDown->model().stepSize()) : QVariant();
    }

private:
    QLineEdit *edit() const { return static_cast<QLineEdit *>(widget()); }
};

// The vehicle list: its own name, the row it shows as its value.
class AccessibleNamedList : public QAccessibleWidget
{
public:
    explicit AccessibleNamedList(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<QComboBox *>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *fieldFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("FieldEdit") && object && object->isWidgetType())
        return new AccessibleField(static_cast<QLineEdit *>(object));
    if (className == QLatin1String("NamedComboBox") && object && object->isWidgetType())
        return new AccessibleNamedList(static_cast<QComboBox *>(object));
    return nullptr;
}

QString plain(const QString &caption)
{
    return withoutAccessLetter(caption).simplified();
}

} // namespace

void installAccessibleFields()
{
    static bool installed = false;
    if (!installed)
        QAccessible::installFactory(fieldFactory);
    installed = true;
}

void markUpDownField(QLineEdit *edit, UpDownButton *upDown)
{
    edit->setProperty(UpDownProperty, QVariant::fromValue<QObject *>(upDown));
}

void nameControls(TFormHlav &form, quint8 language)
{
    const auto text = [language](AddedText id) { return AddedTextFor(id, language); };
    const auto field = [&](QLineEdit *edit, UpDownButton *upDown, const QString &name) {
        edit->setAccessibleName(name);
        upDown->setAccessibleName(text(AddedText::AccessUpDown).arg(name));
    };
    for (int i = 0; i < CurvePoints; ++i) {
        field(form.RpmEdits[i], form.RpmUpDowns[i], text(AddedText::AccessCurveRpm).arg(i + 1));
        field(form.AdvanceEdits[i], form.AdvanceUpDowns[i], text(AddedText::AccessCurveAdvance).arg(i + 1));
    }
    field(form.EditBaseAdv, form.UpDownBaseAdv, plain(form.LabelBaseAdv->text()));
    field(form.EditOmez2, form.UpDownOmez2, plain(form.LabelOmez2->text()));
    field(form.EditPalec13, form.UpDownPalec13, plain(form.LabelPalec13->text()));
    field(form.EditPalec24, form.UpDownPalec24, plain(form.LabelPalec24->text()));

    // A picture button says the command of its menu item.
    const std::pair<QToolButton *, QAction *> pictures[] = {
        {form.SpeedButton6, form.MenuNew},     {form.SpeedButton5, form.MenuOpen},
        {form.SpeedButton7, form.MenuSave},    {form.SpeedButtonPrint, form.MenuPrint},
        {form.SpeedButtonZpet, form.MenuZpet}, {form.SpeedButtonZnovu, form.MenuZnovu}};
    for (const auto &[button, item] : pictures)
        button->setAccessibleName(plain(item->text()));

    // Its own name, not the row it shows.
    form.ComboBoxBike->setAccessibleName(text(AddedText::AccessVehicleList));
}
