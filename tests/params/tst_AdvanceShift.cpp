#include "AdvanceShift.h"

#include <QTest>

using Curve = std::array<quint8, CurvePoints>;
Q_DECLARE_METATYPE(Curve)

class tst_AdvanceShift : public QObject
{
    Q_OBJECT

private slots:
    void shift_data();
    void shift();
};

void tst_AdvanceShift::shift_data()
{
    QTest::addColumn<Curve>("before");
    QTest::addColumn<int>("delta");
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("point");
    QTest::addColumn<bool>("noPoint");
    QTest::addColumn<Curve>("after");
    const Curve steps{0, 5, 10, 15, 20, 25, 30, 35, 40, 45};
    QTest::newRow("all minus, zero stays") << steps << -1 << true << 0 << true
                                           << Curve{0, 4, 9, 14, 19, 24, 29, 34, 39, 44};
    QTest::newRow("all plus, 60 stays") << Curve{60, 59, 0, 60, 1, 2, 3, 4, 5, 6} << 1 << true << 3 << false
                                        << Curve{60, 60, 1, 60, 2, 3, 4, 5, 6, 7};
    QTest::newRow("current point only") << steps << 1 << false << 4 << false
                                        << Curve{0, 5, 10, 15, 21, 25, 30, 35, 40, 45};
    QTest::newRow("no current point") << steps << -1 << false << 4 << true << steps;
    QTest::newRow("current point at 60") << Curve{60, 60, 60, 60, 60, 60, 60, 60, 60, 60} << 1 << false << 9
                                         << false << Curve{60, 60, 60, 60, 60, 60, 60, 60, 60, 60};
    QTest::newRow("current point at 0") << steps << -1 << false << 0 << false << steps;
    QTest::newRow("loaded 70 not raised") << Curve{70, 0, 0, 0, 0, 0, 0, 0, 0, 0} << 1 << true << 0 << false
                                          << Curve{70, 1, 1, 1, 1, 1, 1, 1, 1, 1};
}

void tst_AdvanceShift::shift()
{
    QFETCH(Curve, before);
    QFETCH(int, delta);
    QFETCH(bool, all);
    QFETCH(int, point);
    QFETCH(bool, noPoint);
    QFETCH(Curve, after);
    IgnitionParameters set;
    set.image.fill(123);
    for (int i = 0; i < CurvePoints; ++i)
        set.ADVANCE(i) = before[i];
    ShiftAdvance(set, delta, all, point, noPoint);
    for (int i = 0; i < CurvePoints; ++i)
        QCOMPARE(set.ADVANCE(i), after[i]);
    QCOMPARE(set.RPM_ADV(0), quint8(123));
    QCOMPARE(set.BASE_ADV(), quint8(123));
}

QTEST_GUILESS_MAIN(tst_AdvanceShift)
#include "tst_AdvanceShift.moc"
