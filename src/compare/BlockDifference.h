#pragma once

#include "IgnitionParameters.h"

#include <QList>
#include <QString>

#include <array>
#include <span>

// The unit's parameter block against the editor's, as the user reads it.
//
// Usage: DifferenceRows(unitBlock, set.UnitBlockImage(), languageIndex) gives one row
// per field that differs, named and formatted in the interface language (0 English,
// 1 German, 2 French, 3 Czech; French gets English). An empty list means the two blocks
// are equal byte for byte. Reserved bytes (8..9, 30..49) that differ are gathered into
// one last row listing each of them, so no difference is hidden.

using ParameterBlock = std::array<quint8, UnitBlockSize>;

struct DifferenceRow
{
    QString field;       // "Curve point 3 rpm", "Limiter", "TOP 1,4", ...
    QString unitValue;   // the value in the unit's block
    QString editorValue; // the value in the editor's block
    // For scripts: a name in no language, with the unit of its numbers ("limiter_rpm",
    // "point3_advance_deg", "blocking"), and the two values as numbers (rpm, degrees, the
    // vehicle code; 1 or 0 for a switch). The reserved bytes' row has -1 for both.
    QString key;
    bool isSwitch = false;
    int unitNumber = -1;
    int editorNumber = -1;

    friend bool operator==(const DifferenceRow &, const DifferenceRow &) = default;
};

// Rows in the order the window shows the fields: vehicle type, trigger teeth, base
// advance, limiter, switches, the curve point by point, then the reserved bytes.
QList<DifferenceRow> DifferenceRows(std::span<const quint8, UnitBlockSize> unit,
                                    std::span<const quint8, UnitBlockSize> editor, quint8 languageIndex);

// True when the two blocks differ in any byte.
bool BlocksDiffer(std::span<const quint8, UnitBlockSize> a, std::span<const quint8, UnitBlockSize> b);
