#include "VehiclePresets.h"

namespace {

constexpr std::array<quint8, VehicleRowCount> CodeOfRow{0, 1, 8, 2, 3, 4, 7, 9, 6, 5};

constexpr std::array<const char *, VehicleRowCount> RowText{
    "KMT 600                -98",
    "KMT 600            99-00",
    "KMT 900            ",
    "PZL 1000 ",
    "TXR 125",
    "TXR 600",
    "GZM 650",
    "WK 750C",
    "WKS 750",
    "Special - (manual seting)",
};

struct TypeValues
{
    bool setTop;
    quint8 top0;
    quint8 top1;
    bool setLimiter;
    quint8 limiter;
    quint8 excitation;
};

// Indexed by BIKE code.
constexpr std::array<TypeValues, VehicleRowCount> TypeTable{{
    {true, 3, 9, true, 137, 1},   // 0 KMT 600 -98
    {true, 3, 9, true, 138, 0},   // 1 KMT 600 99-00
    {true, 6, 9, true, 105, 1},   // 2 PZL 1000
    {true, 6, 9, true, 120, 1},   // 3 TXR 125
    {true, 4, 9, true, 100, 1},   // 4 TXR 600
    {false, 0, 0, false, 0, 0},   // 5 Special: keeps everything
    {false, 0, 0, true, 120, 1},  // 6 WKS 750: keeps the teeth
    {true, 7, 7, true, 90, 1},    // 7 GZM 650
    {true, 3, 9, true, 120, 0},   // 8 KMT 900
    {true, 7, 9, true, 63, 1},    // 9 WK 750C
}};

} // namespace

int VehicleCodeForRow(int row)
{
    if (row < 0 || row >= VehicleRowCount)
        return -1;
    return CodeOfRow[row];
}

int VehicleRowForCode(int code)
{
    for (int row = 0; row < VehicleRowCount; ++row) {
        if (CodeOfRow[row] == code)
            return row;
    }
    return -1;
}

const char *VehicleRowText(int row)
{
    if (row < 0 || row >= VehicleRowCount)
        return "";
    return RowText[row];
}

void ApplyVehiclePreset(IgnitionParameters &set, bool &vehicleListChanged)
{
    const quint8 code = set.BIKE();
    if (!(code == VehicleCodeSpecial && vehicleListChanged)) {
        set.BASE_ADV() = 5;
        set.RPM2() = 1;
        set.BLOK_ENABLE() = 1;
        for (int i = 0; i < CurvePoints; ++i) {
            set.ADVANCE(i) = DefaultAdvanceCurve[i];
            set.RPM_ADV(i) = DefaultRpmCurve[i];
        }
    }
    if (code < VehicleRowCount) {
        const TypeValues &t = TypeTable[code];
        if (t.setTop) {
            set.TOP(0) = t.top0;
            set.TOP(1) = t.top1;
        }
        if (t.setLimiter) {
            set.LIMITER() = t.limiter;
            set.EXCITATION() = t.excitation;
        }
    }
    vehicleListChanged = false;
}
