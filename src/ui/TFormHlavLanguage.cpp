// Interface languages and the message table.

#include "TFormHlav.h"

#include "AccessibleControls.h"
#include "KeyboardAccess.h"
#include "MouseUpCheckBox.h"
#include "ToolkitTranslation.h"
#include "VehiclePresets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// One text set: check marks, the language, the message table with its control texts,
// then the window's own texts in the order the set lists them.
void runTextSet(TFormHlav &form, quint8 language, QAction *item)
{
    for (QAction *languageItem : {form.MenuEnglish, form.MenuCzech, form.MenuGerman})
        languageItem->setChecked(languageItem == item);
    form.Session.LanguageIndex = language;
    // Qt's own buttons and dialogs speak the language too; without Qt's translations
    // installed they stay English, which is no reason to stop.
    installToolkitTranslation(language);
    form.LoadMessageTable();
    form.ApplyTexts(LanguageTextSet(language));

    // The layout's box is measured for its English caption; a longer one would be cut
    // off, so the box grows to the right, where the window is free, and back again.
    QCheckBox *box = form.CheckBoxProgHned;
    static constexpr char LayoutWidth[] = "layoutWidth";
    if (!box->property(LayoutWidth).isValid())
        box->setProperty(LayoutWidth, box->width());
    box->resize(std::max(box->property(LayoutWidth).toInt(), box->sizeHint().width()), box->height());
    emit form.languageChanged(language);
    nameControls(form, language);
    settleAccessLetters(form);
}

} // namespace

void TFormHlav::ApplyInterfaceLanguage()
{
    // French (only from a hand-edited settings file) has no text set: the window keeps
    // the texts it has. Its messages are loaded all the same, since an empty table
    // would turn every error into an empty message.
    switch (Session.LanguageIndex) {
    case LanguageEnglish:
        SetLanguageEnglish();
        break;
    case LanguageGerman:
        SetLanguageGerman();
        break;
    case LanguageCzech:
        SetLanguageCzech();
        break;
    case LanguageFrench:
        LoadMessageTable();
        break;
    default:
        break;
    }
}

void TFormHlav::SetLanguageEnglish()
{
    runTextSet(*this, LanguageEnglish, MenuEnglish);
}

void TFormHlav::SetLanguageCzech()
{
    runTextSet(*this, LanguageCzech, MenuCzech);
}

void TFormHlav::SetLanguageGerman()
{
    runTextSet(*this, LanguageGerman, MenuGerman);
}

void TFormHlav::LoadMessageTable()
{
    const std::optional<MessageControlTexts> found = MessageControlTextsFor(Session.LanguageIndex);
    if (!found)
        return;
    const MessageControlTexts &texts = *found;
    using Kind = TextAssignment;

    ApplyTexts({{"MenuOpenExeDir", Kind::Caption, texts.MenuOpenExeDir},
                {"MenuSaveExeDir", Kind::Caption, texts.MenuSaveExeDir}});
    Messages.load(Session.LanguageIndex);

    // The idle texts of the live labels belong to the link's view of them, so that the
    // next live frame replaces them as usual. While a unit is connected the labels show
    // its values and are left alone.
    const bool noUnit = !LabelSpojeni->isHidden();
    if (noUnit)
        m_link->LabelAdvance.caption = texts.LabelAdvance;
    ApplyTexts({{"AdvanceMinus", Kind::Caption, texts.AdvanceMinus},
                {"AdvancePlus", Kind::Caption, texts.AdvancePlus}});
    if (noUnit) {
        m_link->LabelMonSnimac1.caption = texts.LabelMonSnimac1;
        m_link->LabelMonSnimac2.caption = texts.LabelMonSnimac2;
    }
    ShowLinkState();

    {
        // Renaming a row is not a pick by the user.
        const QSignalBlocker blocker(ComboBoxBike);
        ComboBoxBike->setItemText(VehicleRowSpecial, texts.ComboBoxBikeSpecial);
    }
    ApplyTexts({{"CheckBoxBuzDlouhe", Kind::Caption, texts.CheckBoxBuzDlouhe},
                {"LabelBaseAdv", Kind::Caption, texts.LabelBaseAdv},
                {"MenuTools", Kind::Caption, texts.MenuTools},
                {"MenuZpet", Kind::Caption, texts.MenuZpet},
                {"MenuZnovu", Kind::Caption, texts.MenuZnovu}});

    ShowParametersInControls();
}

void TFormHlav::MenuEnglishClick()
{
    SetLanguageEnglish();
}

void TFormHlav::MenuCzechClick()
{
    SetLanguageCzech();
}

void TFormHlav::MenuGermanClick()
{
    SetLanguageGerman();
}
