#include "AccessLetters.h"

#include <QSet>

namespace {

// Where the access mark is: the index of the '&' that marks a letter, else -1.
qsizetype markAt(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return i;
    }
    return -1;
}

QString marked(const QString &plain, const QSet<QChar> &taken)
{
    // First a letter that begins a word, then any letter.
    for (const bool wordStart : {true, false}) {
        for (qsizetype i = 0; i < plain.size(); ++i) {
            const QChar c = plain.at(i);
            if (!c.isLetterOrNumber() || taken.contains(c.toLower()))
                continue;
            if (wordStart && i > 0 && plain.at(i - 1).isLetterOrNumber())
                continue;
            if (i > 0 && plain.at(i - 1) == u'&')
                continue;
            return plain.left(i) + u'&' + plain.mid(i);
        }
    }
    return plain;
}

} // namespace

QChar accessLetter(const QString &caption)
{
    const qsizetype at = markAt(caption);
    return at < 0 ? QChar() : caption.at(at + 1).toLower();
}

QString withoutAccessLetter(const QString &caption)
{
    const qsizetype at = markAt(caption);
    return at < 0 ? caption : caption.left(at) + caption.mid(at + 1);
}

AccessLetterCaptions settleAccessLetters(AccessLetterCaptions captions)
{
    QSet<QChar> taken;
    QList<qsizetype> unsettled;
    for (qsizetype i = 0; i < captions.menus.size(); ++i) {
        const QChar letter = accessLetter(captions.menus.at(i));
        if (letter.isNull() || taken.contains(letter))
            unsettled.append(i);
        else
            taken.insert(letter);
    }
    for (const qsizetype i : unsettled) {
        QString &menu = captions.menus[i];
        menu = marked(withoutAccessLetter(menu), taken);
        if (const QChar letter = accessLetter(menu); !letter.isNull())
            taken.insert(letter);
    }
    for (QString &button : captions.buttons) {
        if (taken.contains(accessLetter(button)))
            button = withoutAccessLetter(button);
    }
    return captions;
}
