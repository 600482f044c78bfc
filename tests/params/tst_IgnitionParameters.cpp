#include "IgnitionParameters.h"

#include <QTest>

using Curve = std::array<quint8, CurvePoints>;
Q_DECLARE_METATYPE(Curve)

class tst_IgnitionParameters : public QObject
{
    Q_OBJECT

private slots:
    void blockIsTheImage();
    void rpmCurve_data();
    void rpmCurve();
    void otherFieldsPassThrough();
    void settingsBounds_data();
    void settingsBounds();
};

static IgnitionParameters withCurve(const Curve &rpm)
{
    IgnitionParameters set;
    for (int i = 0; i < CurvePoints; ++i)
        set.RPM_ADV(i) = rpm[i];
    return set;
}

static Curve curveOf(const IgnitionParameters &set)
{
    Curve c{};
    for (int i = 0; i < CurvePoints; ++i)
        c[i] = set.RPM_ADV(i);
    return c;
}

void tst_IgnitionParameters::blockIsTheImage()
{
    IgnitionParameters set;
    set.UnitBlockImage()[3] = 150;
    set.UnitBlockImage()[19] = 77;
    QCOMPARE(set.LIMITER(), quint8(150));
    QCOMPARE(set.RPM_ADV(9), quint8(77));
    QCOMPARE(set.UnitBlockImage().data(), set.image.data());
    set.ADVANCE(0) = 9;
    QCOMPARE(set.image[20], quint8(9));
    set.TOP(1) = 4;
    set.BIKE() = 6;
    set.EXCITATION() = 1;
    QCOMPARE(set.image[1], quint8(4));
    QCOMPARE(set.image[6], quint8(6));
    QCOMPARE(set.image[7], quint8(1));
}

void tst_IgnitionParameters::rpmCurve_data()
{
    QTest::addColumn<Curve>("before");
    QTest::addColumn<Curve>("after");
    QTest::newRow("all zero") << Curve{0, 0, 0, 0, 0, 0, 0, 0, 0, 0} << Curve{2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    QTest::newRow("all 255") << Curve{255, 255, 255, 255, 255, 255, 255, 255, 255, 255}
                             << Curve{191, 192, 193, 194, 195, 196, 197, 198, 199, 200};
    QTest::newRow("all 50") << Curve{50, 50, 50, 50, 50, 50, 50, 50, 50, 50}
                            << Curve{50, 51, 52, 53, 54, 55, 56, 57, 58, 59};
    QTest::newRow("falling") << Curve{100, 90, 80, 70, 60, 50, 40, 30, 20, 10}
                             << Curve{100, 101, 102, 103, 104, 105, 106, 107, 108, 109};
    QTest::newRow("top at first point") << Curve{191, 0, 0, 0, 0, 0, 0, 0, 0, 0}
                                        << Curve{191, 192, 193, 194, 195, 196, 197, 198, 199, 200};
    QTest::newRow("first point 199 rpm") << Curve{1, 20, 30, 40, 50, 60, 70, 80, 90, 100}
                                         << Curve{2, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    QTest::newRow("default stays") << DefaultRpmCurve << DefaultRpmCurve;
    QTest::newRow("one equal pair cascades") << Curve{15, 20, 30, 30, 31, 32, 70, 80, 90, 100}
                                             << Curve{15, 20, 30, 31, 32, 33, 70, 80, 90, 100};
}

void tst_IgnitionParameters::rpmCurve()
{
    QFETCH(Curve, before);
    QFETCH(Curve, after);
    IgnitionParameters set = withCurve(before);
    SessionSettings settings;
    NormaliseParameters(set, settings);
    QCOMPARE(curveOf(set), after);
    for (int i = 1; i < CurvePoints; ++i)
        QVERIFY(set.RPM_ADV(i) > set.RPM_ADV(i - 1));
}

void tst_IgnitionParameters::otherFieldsPassThrough()
{
    IgnitionParameters set;
    for (int i = 0; i < ParameterImageSize; ++i)
        set.image[i] = quint8(200 + i % 50);
    set.ADVANCE(4) = 70;
    const IgnitionParameters before = set;
    SessionSettings settings;
    NormaliseParameters(set, settings);
    for (int i = 0; i < ParameterImageSize; ++i) {
        if (i >= IgnitionParameters::OffsetRpmAdv && i < IgnitionParameters::OffsetRpmAdv + CurvePoints)
            continue;
        QCOMPARE(set.image[i], before.image[i]);
    }
    QCOMPARE(set.ADVANCE(4), quint8(70));
}

void tst_IgnitionParameters::settingsBounds_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("scan");
    QTest::addColumn<int>("languageAfter");
    QTest::addColumn<int>("portAfter");
    QTest::addColumn<int>("scanAfter");
    QTest::newRow("just above") << 4 << 21 << 20 << 0 << 0 << 0;
    QTest::newRow("highest kept") << 3 << 20 << 19 << 3 << 20 << 19;
    QTest::newRow("from a missing key") << 255 << 255 << 255 << 0 << 0 << 0;
    QTest::newRow("French kept") << 2 << 0 << 0 << 2 << 0 << 0;
}

void tst_IgnitionParameters::settingsBounds()
{
    QFETCH(int, language);
    QFETCH(int, port);
    QFETCH(int, scan);
    IgnitionParameters set;
    SessionSettings settings{quint8(language), quint8(port), quint8(scan)};
    NormaliseParameters(set, settings);
    QTEST(int(settings.LanguageIndex), "languageAfter");
    QTEST(int(settings.PortChoice), "portAfter");
    QTEST(int(settings.AutoScanPort), "scanAfter");
}

QTEST_GUILESS_MAIN(tst_IgnitionParameters)
#include "tst_IgnitionParameters.moc"
