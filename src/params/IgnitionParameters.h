#pragma once

#include "Language.h"

#include <QtGlobal>

#include <array>
#include <span>

// The one ignition parameter set: a fixed 55-byte image. Bytes 0..49 are the unit's
// parameter block (block 1) byte for byte; the snapshot and the undo history keep all 55.
inline constexpr int ParameterImageSize = 55;
inline constexpr int UnitBlockSize = 50;
inline constexpr int CurvePoints = 10;

using ParameterImage = std::array<quint8, ParameterImageSize>;

// Engine speeds in hundreds of rpm, advances in degrees.
inline constexpr std::array<quint8, CurvePoints> DefaultRpmCurve{15, 20, 30, 40, 50, 60, 70, 80, 90, 100};
inline constexpr std::array<quint8, CurvePoints> DefaultAdvanceCurve{5, 15, 20, 25, 33, 33, 33, 33, 33, 33};

class IgnitionParameters
{
public:
    // Byte positions in the image; the unit and the stored files rely on them.
    enum Offset : int {
        OffsetTop = 0,
        OffsetBaseAdv = 2,
        OffsetLimiter = 3,
        OffsetRpm2 = 4,
        OffsetBlokEnable = 5,
        OffsetBike = 6,
        OffsetExcitation = 7,
        OffsetRpmAdv = 10,
        OffsetAdvance = 20,
    };

    ParameterImage image{};

    quint8 &TOP(int i) { return image[OffsetTop + i]; }
    quint8 TOP(int i) const { return image[OffsetTop + i]; }
    quint8 &BASE_ADV() { return image[OffsetBaseAdv]; }
    quint8 BASE_ADV() const { return image[OffsetBaseAdv]; }
    quint8 &LIMITER() { return image[OffsetLimiter]; }
    quint8 LIMITER() const { return image[OffsetLimiter]; }
    quint8 &RPM2() { return image[OffsetRpm2]; }
    quint8 RPM2() const { return image[OffsetRpm2]; }
    quint8 &BLOK_ENABLE() { return image[OffsetBlokEnable]; }
    quint8 BLOK_ENABLE() const { return image[OffsetBlokEnable]; }
    quint8 &BIKE() { return image[OffsetBike]; }
    quint8 BIKE() const { return image[OffsetBike]; }
    quint8 &EXCITATION() { return image[OffsetExcitation]; }
    quint8 EXCITATION() const { return image[OffsetExcitation]; }
    quint8 &RPM_ADV(int i) { return image[OffsetRpmAdv + i]; }
    quint8 RPM_ADV(int i) const { return image[OffsetRpmAdv + i]; }
    quint8 &ADVANCE(int i) { return image[OffsetAdvance + i]; }
    quint8 ADVANCE(int i) const { return image[OffsetAdvance + i]; }

    // Block 1 is the storage of the set itself, not a copy: a read from the unit
    // writes straight into it and a program sends it as it stands.
    std::span<quint8, UnitBlockSize> UnitBlockImage() { return std::span<quint8, UnitBlockSize>(image.data(), UnitBlockSize); }
    std::span<const quint8, UnitBlockSize> UnitBlockImage() const
    {
        return std::span<const quint8, UnitBlockSize>(image.data(), UnitBlockSize);
    }

    friend bool operator==(const IgnitionParameters &, const IgnitionParameters &) = default;
};

// Bytes 8..9 and 30..49 of the unit's block are the unit's own: the editor never sets them
// and a parameter file has no place for them.
constexpr bool IsReservedByte(int byte)
{
    return byte == 8 || byte == 9 || (byte >= 30 && byte < UnitBlockSize);
}

// Copies the reserved bytes of a block read from the unit into the set; every field stays.
inline void TakeReservedBytes(IgnitionParameters &set, std::span<const quint8, UnitBlockSize> unitBlock)
{
    for (int i = 0; i < UnitBlockSize; ++i)
        if (IsReservedByte(i))
            set.image[i] = unitBlock[i];
}

// Three settings that live beside the set and are bounded by the same operation.
struct SessionSettings
{
    quint8 LanguageIndex = LanguageEnglish; // a Language; kept as the byte the settings hold
    quint8 PortChoice = 0;    // 0..19 = COM1..COM20, 20 = automatic scan
    quint8 AutoScanPort = 0;  // port tried by the scan, 0..20 = COM1..COM21
};

inline constexpr quint8 PortChoiceAuto = 20;

// Brings the curve's engine speeds into bounds and strictly rising order (points are
// pushed up, never down) and bounds the three settings. Nothing else is touched.
void NormaliseParameters(IgnitionParameters &set, SessionSettings &settings);
// The curve part alone, for callers that hold no settings.
void NormaliseCurve(IgnitionParameters &set);
