#pragma once

#include <QList>
#include <QString>

// One text for one control or menu item, found by its object name. A hint is the whole
// hint text: a short part, a vertical bar and a long part, or one sentence for both.
struct TextAssignment
{
    enum Kind
    {
        Caption,
        Hint
    };

    const char *objectName = nullptr;
    Kind kind = Caption;
    QString text;
};

// Object name under which the main window's own caption is listed.
inline constexpr const char *MainWindowObjectName = "TFormHlav";

// The texts one interface language writes into the main window, in the order they are
// written: window caption and menu captions, control captions, control hints, menu item
// hints, and last the hint of CheckBoxProgHned. Only English (0), German (1) and Czech
// (3) have a set; any other index gives an empty list. Check marks, the language index
// and the message table are the caller's business, before these texts.
QList<TextAssignment> LanguageTextSet(quint8 languageIndex);

// The texts the main window is built with, before any language set runs; what no set
// writes keeps these. Captions of labels are their texts. Separators and the port items
// are not listed; the vehicle list entries come with the vehicle presets.
QList<TextAssignment> BuiltInTexts();

// Language chosen by the first command-line argument: 0 for "ENGLISH", 3 for "CESKY",
// 1 for "DEUTSCH", compared exactly; -1 for anything else.
int LanguageFromCommandWord(const QString &firstArgument);
