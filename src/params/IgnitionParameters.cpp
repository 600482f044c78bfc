#include "IgnitionParameters.h"

void NormaliseCurve(IgnitionParameters &set)
{
    for (int i = 0; i < CurvePoints; ++i) {
        const int low = i + 2;
        const int high = i + 191;
        if (set.RPM_ADV(i) < low)
            set.RPM_ADV(i) = quint8(low);
        if (set.RPM_ADV(i) > high)
            set.RPM_ADV(i) = quint8(high);
    }
    // After the bounds pass a predecessor is at most i + 190, so a push never passes
    // the upper bound and never wraps.
    for (int i = 1; i < CurvePoints; ++i) {
        if (set.RPM_ADV(i) <= set.RPM_ADV(i - 1))
            set.RPM_ADV(i) = quint8(set.RPM_ADV(i - 1) + 1);
    }
}

void NormaliseParameters(IgnitionParameters &set, SessionSettings &settings)
{
    NormaliseCurve(set);
    if (settings.LanguageIndex >= LanguageCount)
        settings.LanguageIndex = LanguageEnglish;
    if (settings.PortChoice > 20)
        settings.PortChoice = 0;
    if (settings.AutoScanPort >= 20)
        settings.AutoScanPort = 0;
}
