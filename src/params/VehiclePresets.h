#pragma once

#include "IgnitionParameters.h"

// The vehicle list: row index in the list against the BIKE code of the set.
// The codes are not in list order.
inline constexpr int VehicleRowCount = 10;
inline constexpr int VehicleRowSpecial = 9;   // the free setting
inline constexpr int VehicleRowWks750 = 8;    // no trigger teeth, a second pickup instead
inline constexpr quint8 VehicleCodeSpecial = 5;
inline constexpr quint8 VehicleCodeWks750 = 6;

// BIKE code of a list row, or -1 for a row outside 0..9 (no selection).
int VehicleCodeForRow(int row);
// List row of a BIKE code, or -1 for a code outside 0..9 (selection left as it is).
int VehicleRowForCode(int code);
// Row texts as the window layout holds them; the last one is replaced by the language.
const char *VehicleRowText(int row);

// Loads the preset of the current BIKE: the common defaults (unless the user has just
// picked the free setting) and the type's trigger teeth, limiter and excitation.
// Clears vehicleListChanged. BIKE and the reserved bytes are never touched.
void ApplyVehiclePreset(IgnitionParameters &set, bool &vehicleListChanged);
