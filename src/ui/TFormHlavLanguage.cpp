// Interface languages and the message table.

#include "TFormHlav.h"

void TFormHlav::ApplyInterfaceLanguage()
{
    // Until the language sets are wired in, the message table of the current language
    // (English at a first start) is all that is applied.
    if (Session.LanguageIndex != LanguageFrench)
        Messages.load(Session.LanguageIndex);
}

void TFormHlav::MenuEnglishClick()
{
    // Runs the English text set: comes with the interface languages.
}

void TFormHlav::MenuCzechClick()
{
    // Runs the Czech text set: comes with the interface languages.
}

void TFormHlav::MenuGermanClick()
{
    // Runs the German text set: comes with the interface languages.
}
