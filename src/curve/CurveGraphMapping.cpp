#include "CurveGraphMapping.h"

#include <algorithm>
#include <cmath>

QPointF CurveGraphMapping::pixelFor(double rpm, double advanceDeg) const
{
    return {m_plot.left() + rpm * m_plot.width() / m_rpmMax,
            m_plot.bottom() - advanceDeg * m_plot.height() / AdvanceMax};
}

int CurveGraphMapping::rpmAt(double x) const
{
    const double rpm = (x - m_plot.left()) * m_rpmMax / m_plot.width();
    const int steps = int(std::lround(rpm / RpmStep));
    return std::clamp(steps * RpmStep, 0, m_rpmMax);
}

int CurveGraphMapping::advanceAt(double y) const
{
    const double degrees = (m_plot.bottom() - y) * AdvanceMax / m_plot.height();
    return std::clamp(int(std::lround(degrees)), 0, AdvanceMax);
}

int CurveGraphMapping::pointAt(const IgnitionParameters &set, const QPointF &at, double radius) const
{
    int nearest = -1;
    double best = radius * radius;
    for (int i = 0; i < CurvePoints; ++i) {
        const QPointF d = pixelFor(set.RPM_ADV(i) * 100.0, set.ADVANCE(i)) - at;
        const double squared = d.x() * d.x() + d.y() * d.y();
        if (squared <= best) {
            best = squared;
            nearest = i;
        }
    }
    return nearest;
}

int CurveGraphMapping::RpmAxisFor(const IgnitionParameters &set)
{
    const int furthest = std::max(set.RPM_ADV(CurvePoints - 1), set.LIMITER()) * 100;
    // Half a thousand of room beyond the furthest, so neither sits on the frame.
    return std::max(2000, (furthest + 500 + 999) / 1000 * 1000);
}

int ClampPointRpm(int index, int rpm)
{
    return CurvePointRpmRange(index).clamp(rpm);
}

IgnitionParameters WithPointMoved(const IgnitionParameters &set, int index, int rpm, int advanceDeg)
{
    IgnitionParameters moved = set;
    moved.RPM_ADV(index) = quint8(ClampPointRpm(index, rpm) / 100);
    moved.ADVANCE(index) = quint8(AdvanceRange.clamp(advanceDeg));
    NormaliseCurve(moved);
    return moved;
}
