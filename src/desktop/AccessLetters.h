#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

// The underlined access letters of captions ("&File": Alt+F).

// The letter after the caption's single '&' in lower case ("&&" is a plain ampersand);
// a null QChar when it has none.
QChar accessLetter(const QString &caption);

// The caption without its access mark; "&&" stays.
QString withoutAccessLetter(const QString &caption);

// The captions of a menu bar and of the buttons of a window, so that each menu opens by
// a letter of its own. A menu's own letter stays; a menu without one, or with one that
// an earlier menu already has, gets the first free letter that begins a word, else any
// free letter. A button whose letter is a menu's loses its mark: Alt+letter is the
// menu's, and the button still has its shortcut.
struct AccessLetterCaptions
{
    QStringList menus;
    QStringList buttons;
};
AccessLetterCaptions settleAccessLetters(AccessLetterCaptions captions);
