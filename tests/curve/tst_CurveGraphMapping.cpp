#include "CurveGraphMapping.h"

#include <QTest>

using Curve = QList<int>; // ten engine speeds in hundreds of rpm, or ten advances

namespace {

IgnitionParameters defaultSet()
{
    IgnitionParameters set;
    for (int i = 0; i < CurvePoints; ++i) {
        set.RPM_ADV(i) = DefaultRpmCurve[i];
        set.ADVANCE(i) = DefaultAdvanceCurve[i];
    }
    set.LIMITER() = 137;
    return set;
}

Curve rpmOf(const IgnitionParameters &set)
{
    Curve c;
    for (int i = 0; i < CurvePoints; ++i)
        c << set.RPM_ADV(i);
    return c;
}

Curve advanceOf(const IgnitionParameters &set)
{
    Curve c;
    for (int i = 0; i < CurvePoints; ++i)
        c << set.ADVANCE(i);
    return c;
}

// A plot 500 x 300 pixels at (50, 20): 20 rpm or 0.2 degrees per pixel on a 10000 rpm axis.
const CurveGraphMapping Graph(QRectF(50, 20, 500, 300), 10000);

} // namespace

class tst_CurveGraphMapping : public QObject
{
    Q_OBJECT

private slots:
    void valueToPixelAndBack_data();
    void valueToPixelAndBack();
    void pointUnderPointer_data();
    void pointUnderPointer();
    void dragNormalisedAsTyping_data();
    void dragNormalisedAsTyping();
    void rpmAxis_data();
    void rpmAxis();
};

void tst_CurveGraphMapping::valueToPixelAndBack_data()
{
    QTest::addColumn<int>("rpm");
    QTest::addColumn<int>("advance");
    QTest::addColumn<QPointF>("pixel");
    QTest::addColumn<QPointF>("nudge"); // pixels off the exact place, still read back as the value

    QTest::newRow("origin") << 0 << 0 << QPointF(50, 320) << QPointF(0, 0);
    QTest::newRow("far corner") << 10000 << 60 << QPointF(550, 20) << QPointF(0, 0);
    QTest::newRow("default point 5") << 5000 << 33 << QPointF(300, 155) << QPointF(0.9, -0.9);
    QTest::newRow("just under half a step") << 1500 << 5 << QPointF(125, 295) << QPointF(0.99, 2.4);
    QTest::newRow("just over half a step back") << 1500 << 5 << QPointF(125, 295) << QPointF(-0.99, -2.4);
    QTest::newRow("beyond the axes holds at their ends")
        << 10000 << 60 << QPointF(550, 20) << QPointF(40, -40);
    QTest::newRow("before the axes holds at zero") << 0 << 0 << QPointF(50, 320) << QPointF(-30, 25);
}

void tst_CurveGraphMapping::valueToPixelAndBack()
{
    QFETCH(int, rpm);
    QFETCH(int, advance);
    QFETCH(QPointF, pixel);
    QFETCH(QPointF, nudge);
    QCOMPARE(Graph.pixelFor(rpm, advance), pixel);
    QCOMPARE(Graph.rpmAt(pixel.x() + nudge.x()), rpm);
    QCOMPARE(Graph.advanceAt(pixel.y() + nudge.y()), advance);
}

void tst_CurveGraphMapping::pointUnderPointer_data()
{
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("point");
    // Default points 1 and 2 lie at (125, 295) and (150, 245).
    QTest::newRow("on point 1") << QPointF(125, 295) << 0;
    QTest::newRow("7 px off point 2") << QPointF(155, 250) << 1;
    QTest::newRow("7 px off point 1, towards 2") << QPointF(130, 290) << 0;
    QTest::newRow("too far from any") << QPointF(300, 300) << -1;
}

void tst_CurveGraphMapping::pointUnderPointer()
{
    QFETCH(QPointF, at);
    QFETCH(int, point);
    QCOMPARE(Graph.pointAt(defaultSet(), at, 9), point);
}

// A point dragged to an engine speed and advance ends where typing both values into its
// edits puts it: within the edits' ranges, then the curve normalised.
void tst_CurveGraphMapping::dragNormalisedAsTyping_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("rpm");
    QTest::addColumn<int>("advance");
    QTest::addColumn<Curve>("rpmCurve");
    QTest::addColumn<Curve>("advanceCurve");

    const Curve defaults{5, 15, 20, 25, 33, 33, 33, 33, 33, 33};
    QTest::newRow("up and right within its neighbours")
        << 2 << 3500 << 24 << Curve{15, 20, 35, 40, 50, 60, 70, 80, 90, 100}
        << Curve{5, 15, 24, 25, 33, 33, 33, 33, 33, 33};
    QTest::newRow("across the next point pushes it up")
        << 2 << 4500 << 20 << Curve{15, 20, 45, 46, 50, 60, 70, 80, 90, 100} << defaults;
    QTest::newRow("onto two points pushes both")
        << 2 << 5000 << 20 << Curve{15, 20, 50, 51, 52, 60, 70, 80, 90, 100} << defaults;
    QTest::newRow("back across the previous point lands just above it")
        << 3 << 2000 << 25 << Curve{15, 20, 30, 31, 50, 60, 70, 80, 90, 100} << defaults;
    QTest::newRow("first point to zero stops at 200 rpm")
        << 0 << 0 << 5 << Curve{2, 20, 30, 40, 50, 60, 70, 80, 90, 100} << defaults;
    QTest::newRow("last point past the top stops at 20000 rpm")
        << 9 << 25000 << 33 << Curve{15, 20, 30, 40, 50, 60, 70, 80, 90, 200} << defaults;
    QTest::newRow("advance held at 0..60")
        << 4 << 5000 << 75 << Curve{15, 20, 30, 40, 50, 60, 70, 80, 90, 100}
        << Curve{5, 15, 20, 25, 60, 33, 33, 33, 33, 33};
}

void tst_CurveGraphMapping::dragNormalisedAsTyping()
{
    QFETCH(int, index);
    QFETCH(int, rpm);
    QFETCH(int, advance);
    QFETCH(Curve, rpmCurve);
    QFETCH(Curve, advanceCurve);
    const IgnitionParameters before = defaultSet();
    const IgnitionParameters after = WithPointMoved(before, index, rpm, advance);
    QCOMPARE(rpmOf(after), rpmCurve);
    QCOMPARE(advanceOf(after), advanceCurve);
    // Nothing but the curve moves.
    for (int b = 0; b < ParameterImageSize; ++b) {
        if (b < IgnitionParameters::OffsetRpmAdv || b >= IgnitionParameters::OffsetAdvance + CurvePoints)
            QCOMPARE(after.image[b], before.image[b]);
    }
}

void tst_CurveGraphMapping::rpmAxis_data()
{
    QTest::addColumn<int>("lastPoint");
    QTest::addColumn<int>("limiter");
    QTest::addColumn<int>("axisEnd");
    QTest::newRow("limiter beyond the curve") << 100 << 137 << 15000;
    QTest::newRow("curve beyond the limiter") << 160 << 120 << 17000;
    QTest::newRow("room of half a thousand") << 100 << 95 << 11000;
    QTest::newRow("highest point and limiter") << 200 << 250 << 26000;
    QTest::newRow("a limiter of 0 from the unit") << 11 << 0 << 2000;
}

void tst_CurveGraphMapping::rpmAxis()
{
    QFETCH(int, lastPoint);
    QFETCH(int, limiter);
    QFETCH(int, axisEnd);
    IgnitionParameters set = defaultSet();
    set.RPM_ADV(9) = quint8(lastPoint);
    set.LIMITER() = quint8(limiter);
    QCOMPARE(CurveGraphMapping::RpmAxisFor(set), axisEnd);
}

QTEST_GUILESS_MAIN(tst_CurveGraphMapping)
#include "tst_CurveGraphMapping.moc"
