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
    // scale: what one step of the byte is in the key's unit (100 rpm, 1 degree).
    auto addKeyed = [&](int byte, const QString &field, auto format, const QString &key, int scale, bool isSwitch) {
        if (unit[byte] == editor[byte])
            return;
        DifferenceRow row;
        row.field = field;
        row.unitValue = format(unit[byte]);
        row.editorValue = format(editor[byte]);
        row.key = key;
        row.isSwitch = isSwitch;
        row.unitNumber = isSwitch ? int(unit[byte] != 0) : unit[byte] * scale;
        row.editorNumber = isSwitch ? int(editor[byte] != 0) : editor[byte] * scale;
        rows.append(row);
    };
    const auto number = [](quint8 v) { return QString::number(v); };
    const auto onOff = [language](quint8 v) { return switchText(v, language); };

    addKeyed(P::OffsetBike, AddedTextFor(AddedText::CompareVehicleType, language),
             [language](quint8 v) { return vehicleText(v, language); }, QStringLiteral("vehicle_type"), 1, false);
    addKeyed(P::OffsetTop, QStringLiteral("TOP 1,4"), number, QStringLiteral("top_14"), 1, false);
    addKeyed(P::OffsetTop + 1, QStringLiteral("TOP 2,3"), number, QStringLiteral("top_23"), 1, false);
    addKeyed(P::OffsetBaseAdv, AddedTextFor(AddedText::CompareBaseAdvance, language), degreesText,
             QStringLiteral("base_advance_deg"), 1, false);
    addKeyed(P::OffsetLimiter, AddedTextFor(AddedText::CompareLimiter, language), rpmText,
             QStringLiteral("limiter_rpm"), 100, false);
    addKeyed(P::OffsetExcitation, AddedTextFor(AddedText::CompareExcitationLong, language), onOff,
             QStringLiteral("long_excitation"), 1, true);
    addKeyed(P::OffsetBlokEnable, AddedTextFor(AddedText::CompareBlocking, language), onOff,
             QStringLiteral("blocking"), 1, true);
    addKeyed(P::OffsetRpm2, AddedTextFor(AddedText::CompareTachometer2x, language), onOff,
             QStringLiteral("tachometer_2x"), 1, true);
    for (int point = 0; point < CurvePoints; ++point) {
        addKeyed(P::OffsetRpmAdv + point, AddedTextFor(AddedText::CompareCurvePointRpm, language).arg(point + 1),
                 rpmText, QStringLiteral("point%1_rpm").arg(point + 1), 100, false);
        addKeyed(P::OffsetAdvance + point,
                 AddedTextFor(AddedText::CompareCurvePointAdvance, language).arg(point + 1), degreesText,
                 QStringLiteral("point%1_advance_deg").arg(point + 1), 1, false);
    }

    bool reservedDiffer = false;
    for (int i = 0; i < UnitBlockSize; ++i)
        reservedDiffer = reservedDiffer || (isReserved(i) && unit[i] != editor[i]);
    if (reservedDiffer) {
        DifferenceRow row;
        row.field = AddedTextFor(AddedText::CompareReservedBytes, language);
        row.unitValue = reservedText(unit, editor, language);
        row.editorValue = reservedText(editor, unit, language);
        row.key = QStringLiteral("reserved_bytes");
        rows.append(row);
    }
    return rows;
}
