#include "BlockDifference.h"

#include "AddedTexts.h"
#include "MessageTable.h"
#include "VehiclePresets.h"

#include <algorithm>

namespace {

using Block = std::span<const quint8, UnitBlockSize>;

bool isReserved(int byte)
{
    return byte == 8 || byte == 9 || byte >= 30;
}

QString rpmText(quint8 hundreds)
{
    return QString::number(int(hundreds) * 100);
}

QString degreesText(quint8 degrees)
{
    return QString::number(degrees) + QChar(0x00B0);
}

// Any non-zero switch byte means on, as the editor shows it; a value other than 1 is
// shown too, or "on" against "on" would hide the difference.
QString switchText(quint8 value, quint8 language)
{
    const QString text = AddedTextFor(value != 0 ? AddedText::CompareOn : AddedText::CompareOff, language);
    return value > 1 ? QStringLiteral("%1 (%2)").arg(text).arg(value) : text;
}

QString vehicleText(quint8 code, quint8 language)
{
    const int row = VehicleRowForCode(code);
    if (row < 0)
        return AddedTextFor(AddedText::CompareVehicleCode, language).arg(code);
    if (row == VehicleRowSpecial) {
        // The free setting is named in the language, the models are not.
        if (const auto texts = MessageControlTextsFor(language))
            return texts->ComboBoxBikeSpecial;
    }
    return QString::fromLatin1(VehicleRowText(row)).simplified();
}

QString reservedText(Block block, Block other, quint8 language)
{
    QStringList parts;
    for (int i = 0; i < UnitBlockSize; ++i)
        if (isReserved(i) && block[i] != other[i])
            parts << AddedTextFor(AddedText::CompareReservedByte, language).arg(i).arg(block[i]);
    return parts.join(QStringLiteral(", "));
}

} // namespace

bool BlocksDiffer(Block a, Block b)
{
    return !std::equal(a.begin(), a.end(), b.begin());
}

QList<DifferenceRow> DifferenceRows(Block unit, Block editor, quint8 language)
{
    using P = IgnitionParameters;
    QList<DifferenceRow> rows;
    auto add = [&](int byte, const QString &field, auto format) {
        if (unit[byte] != editor[byte])
            rows.append({field, format(unit[byte]), format(editor[byte])});
    };
    const auto number = [](quint8 v) { return QString::number(v); };
    const auto onOff = [language](quint8 v) { return switchText(v, language); };

    add(P::OffsetBike, AddedTextFor(AddedText::CompareVehicleType, language),
        [language](quint8 v) { return vehicleText(v, language); });
    add(P::OffsetTop, QStringLiteral("TOP 1,4"), number);
    add(P::OffsetTop + 1, QStringLiteral("TOP 2,3"), number);
    add(P::OffsetBaseAdv, AddedTextFor(AddedText::CompareBaseAdvance, language), degreesText);
    add(P::OffsetLimiter, AddedTextFor(AddedText::CompareLimiter, language), rpmText);
    add(P::OffsetExcitation, AddedTextFor(AddedText::CompareExcitationLong, language), onOff);
    add(P::OffsetBlokEnable, AddedTextFor(AddedText::CompareBlocking, language), onOff);
    add(P::OffsetRpm2, AddedTextFor(AddedText::CompareTachometer2x, language), onOff);
    for (int point = 0; point < CurvePoints; ++point) {
        add(P::OffsetRpmAdv + point, AddedTextFor(AddedText::CompareCurvePointRpm, language).arg(point + 1), rpmText);
        add(P::OffsetAdvance + point, AddedTextFor(AddedText::CompareCurvePointAdvance, language).arg(point + 1),
            degreesText);
    }

    bool reservedDiffer = false;
    for (int i = 0; i < UnitBlockSize; ++i)
        reservedDiffer = reservedDiffer || (isReserved(i) && unit[i] != editor[i]);
    if (reservedDiffer)
        rows.append({AddedTextFor(AddedText::CompareReservedBytes, language), reservedText(unit, editor, language),
                     reservedText(editor, unit, language)});
    return rows;
}
