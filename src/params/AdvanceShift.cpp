#include "AdvanceShift.h"

#include "EditingRanges.h"

namespace {

void shiftOne(quint8 &value, int delta)
{
    if (delta < 0 && value > AdvanceRange.min)
        --value;
    else if (delta > 0 && value < AdvanceRange.max)
        ++value;
}

} // namespace

void ShiftAdvance(IgnitionParameters &set, int delta, bool allPoints, int currentCurvePoint, bool noCurvePoint)
{
    if (allPoints) {
        for (int i = 0; i < CurvePoints; ++i)
            shiftOne(set.ADVANCE(i), delta);
    } else if (!noCurvePoint && currentCurvePoint >= 0 && currentCurvePoint < CurvePoints) {
        shiftOne(set.ADVANCE(currentCurvePoint), delta);
    }
}
