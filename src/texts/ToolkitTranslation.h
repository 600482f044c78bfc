#pragma once

#include <QtGlobal>

// Qt's own texts (the buttons of message boxes, the file dialogs) in the interface
// language: Czech and German load Qt's translation of that language, English and French
// (which has no interface texts of its own) use Qt's built-in English. One translation
// is installed for the whole program at a time; a new language replaces it.
// Returns whether the translation of the language is in place (always for English).
bool installToolkitTranslation(quint8 languageIndex);
