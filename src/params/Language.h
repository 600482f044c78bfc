#pragma once

#include <QtGlobal>

// The interface languages, by the index the settings file stores and every text table
// has its columns in. French has messages but no text set of the window.
enum Language : quint8 {
    LanguageEnglish = 0,
    LanguageGerman = 1,
    LanguageFrench = 2,
    LanguageCzech = 3,
};

inline constexpr int LanguageCount = 4;
