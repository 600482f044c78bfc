#pragma once

#include <algorithm>

// What the editor's controls let the user enter, in the units the user types (rpm,
// degrees, teeth): the window's up-downs, the curve window's graph and anything else
// that edits the set hold a value to these.
struct EditingRange
{
    int min = 0;
    int max = 0;
    int step = 1;

    constexpr int clamp(int value) const { return std::clamp(value, min, max); }
};

// The first curve point may go down to 199 rpm, the others to 300.
inline constexpr EditingRange FirstPointRpmRange{199, 20100, 100};
inline constexpr EditingRange PointRpmRange{300, 20100, 100};
inline constexpr EditingRange AdvanceRange{0, 60, 1};
inline constexpr EditingRange BaseAdvanceRange{0, 40, 1};
inline constexpr EditingRange LimiterRange{999, 25000, 100};
inline constexpr EditingRange TeethRange{2, 9, 1};

constexpr EditingRange CurvePointRpmRange(int index)
{
    return index == 0 ? FirstPointRpmRange : PointRpmRange;
}
