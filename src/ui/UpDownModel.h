#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

// The value behind one up-down button and its edit field, without a widget.
//
// The position is a signed 16-bit value that never leaves Min..Max: a position set from
// outside is held at the nearest bound, a step stops at the bound. The edit is only a
// view of the position, except that whenever the position is asked for, text typed into
// the edit counts when it is a whole number within Min..Max; any other text leaves the
// position as it was and is replaced at the next rewrite. Group separators count only in
// a field that can show one, so "1,0" typed into an advance field is not taken as 10.
class UpDownModel
{
public:
    UpDownModel() = default;
    UpDownModel(int min, int max, int step, int position, bool thousands);

    int minimum() const { return m_min; }
    int maximum() const { return m_max; }
    int stepSize() const { return m_step; }
    bool thousands() const { return m_thousands; }
    qint16 position() const { return m_position; }
    // Whether the edit ever shows a group separator: it groups thousands and its range
    // reaches four digits.
    bool showsSeparator() const { return m_thousands && (m_max >= 1000 || m_min <= -1000); }

    void setPosition(int position);
    // One step up (direction > 0) or down, held at the bounds.
    void step(int direction);
    // Takes typed text as the position when it is acceptable; reports whether it was.
    bool takeText(QStringView text, const QLocale &locale = QLocale());
    // The text the edit shows for the position: grouped with the locale's separator from
    // 1000 on when the up-down groups thousands, plain digits otherwise.
    QString text(const QLocale &locale = QLocale()) const;

    // A whole number in text, group separators of the locale allowed between digits when
    // withGroups is set; false for anything else (empty, signs only, fractions, letters,
    // overflow).
    static bool parseWholeNumber(QStringView text, const QLocale &locale, int &value, bool withGroups = true);

private:
    qint16 m_min = 0;
    qint16 m_max = 100;
    qint16 m_step = 1;
    qint16 m_position = 0;
    bool m_thousands = false;
};
