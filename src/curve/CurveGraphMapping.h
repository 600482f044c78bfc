#pragma once

#include "EditingRanges.h"
#include "IgnitionParameters.h"

#include <QPointF>
#include <QRectF>

// Where the advance curve lies on the graph: engine speed (rpm) to the right, advance
// (degrees) upwards, inside a plot rectangle in pixels. Values under a pixel come in the
// steps the editor moves in: 100 rpm and 1 degree.
class CurveGraphMapping
{
public:
    static constexpr int RpmStep = 100;
    static constexpr int AdvanceMax = AdvanceRange.max;

    CurveGraphMapping() = default;
    CurveGraphMapping(const QRectF &plot, int rpmMax) : m_plot(plot), m_rpmMax(rpmMax > 0 ? rpmMax : 1) {}

    QRectF plot() const { return m_plot; }
    int rpmMax() const { return m_rpmMax; }

    QPointF pixelFor(double rpm, double advanceDeg) const;
    // The nearest whole step under a pixel, held on the axes.
    int rpmAt(double x) const;
    int advanceAt(double y) const;

    // The curve point nearest to `at` within `radius` pixels; -1 when none is that near.
    int pointAt(const IgnitionParameters &set, const QPointF &at, double radius) const;

    // The end of the rpm axis for a set: past its last point and its limiter, in whole
    // thousands, so the curve and the limiter line both show.
    static int RpmAxisFor(const IgnitionParameters &set);

private:
    QRectF m_plot{0, 0, 1, 1};
    int m_rpmMax = 10000;
};

// A curve point given a new engine speed (rpm) and advance (degrees), as typing the two
// values into the point's edits gives them: held within the edits' ranges, stored in
// hundreds of rpm, and the curve normalised, so a point moved past its neighbour pushes
// it (and those after it) up.
IgnitionParameters WithPointMoved(const IgnitionParameters &set, int index, int rpm, int advanceDeg);
// The engine speed a point's rpm edit holds after a value is put into it.
int ClampPointRpm(int index, int rpm);
