#include "UpDownModel.h"

#include <algorithm>

UpDownModel::UpDownModel(int min, int max, int step, int position, bool thousands)
    : m_min(qint16(min)), m_max(qint16(max)), m_step(qint16(step)), m_thousands(thousands)
{
    setPosition(position);
}

void UpDownModel::setPosition(int position)
{
    m_position = qint16(std::clamp(position, int(m_min), int(m_max)));
}

void UpDownModel::step(int direction)
{
    setPosition(int(m_position) + (direction > 0 ? m_step : -m_step));
}

bool UpDownModel::takeText(QStringView text, const QLocale &locale)
{
    int value = 0;
    if (!parseWholeNumber(text, locale, value, showsSeparator()) || value < m_min || value > m_max)
        return false;
    m_position = qint16(value);
    return true;
}

QString UpDownModel::text(const QLocale &locale) const
{
    if (!m_thousands || (m_position < 1000 && m_position > -1000))
        return QString::number(m_position);
    // The C locale omits group separators unless told otherwise.
    QLocale grouped = locale;
    grouped.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return grouped.toString(int(m_position));
}

bool UpDownModel::parseWholeNumber(QStringView text, const QLocale &locale, int &value, bool withGroups)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return false;
    const QString group = locale.groupSeparator();
    // A blank separator is often a no-break space; a typed ordinary blank means the same.
    const bool blankGroup = group.size() == 1 && group.at(0).isSpace();

    qsizetype i = 0;
    bool negative = false;
    if (trimmed.at(0) == u'-' || trimmed.at(0) == u'+' || trimmed.startsWith(locale.negativeSign())) {
        negative = trimmed.at(0) != u'+';
        i = trimmed.at(0) == u'-' || trimmed.at(0) == u'+' ? 1 : locale.negativeSign().size();
    }
    qint64 number = 0;
    int digits = 0;
    bool lastWasDigit = false;
    for (; i < trimmed.size(); ++i) {
        const QChar c = trimmed.at(i);
        if (c >= u'0' && c <= u'9') {
            number = number * 10 + (c.unicode() - u'0');
            if (number > 1'000'000'000)
                return false;
            ++digits;
            lastWasDigit = true;
            continue;
        }
        const bool isGroup =
            (!group.isEmpty() && trimmed.mid(i).startsWith(group)) || (blankGroup && c.isSpace());
        // A separator stands only between digits.
        if (!withGroups || !isGroup || !lastWasDigit || i + 1 >= trimmed.size())
            return false;
        if (!group.isEmpty() && trimmed.mid(i).startsWith(group))
            i += group.size() - 1;
        lastWasDigit = false;
    }
    if (digits == 0 || !lastWasDigit)
        return false;
    value = int(negative ? -number : number);
    return true;
}
