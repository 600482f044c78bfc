#include "VehiclePresets.h"

#include <QTest>

class tst_VehiclePresets : public QObject
{
    Q_OBJECT

private slots:
    void rowsAndCodes();
    void presetByCode_data();
    void presetByCode();
    void specialPickedKeepsEverything();
    void flagClearedAfterwards();
};

void tst_VehiclePresets::rowsAndCodes()
{
    const int codeOfRow[] = {0, 1, 8, 2, 3, 4, 7, 9, 6, 5};
    for (int row = 0; row < VehicleRowCount; ++row) {
        QCOMPARE(VehicleCodeForRow(row), codeOfRow[row]);
        QCOMPARE(VehicleRowForCode(codeOfRow[row]), row);
    }
    QCOMPARE(VehicleCodeForRow(-1), -1);
    QCOMPARE(VehicleCodeForRow(10), -1);
    QCOMPARE(VehicleRowForCode(10), -1);
    QCOMPARE(VehicleRowForCode(255), -1);
    QCOMPARE(QByteArray(VehicleRowText(0)), QByteArray("KMT 600                -98"));
    QCOMPARE(QByteArray(VehicleRowText(1)), QByteArray("KMT 600            99-00"));
    QCOMPARE(QByteArray(VehicleRowText(2)), QByteArray("KMT 900            "));
    QCOMPARE(QByteArray(VehicleRowText(3)), QByteArray("PZL 1000 "));
}

// Every preset starts from a set where nothing matches a preset value, so a field
// that is not touched shows as 99.
static IgnitionParameters scrambled(quint8 code)
{
    IgnitionParameters set;
    set.image.fill(99);
    set.BIKE() = code;
    return set;
}

void tst_VehiclePresets::presetByCode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("top0");
    QTest::addColumn<int>("top1");
    QTest::addColumn<int>("limiter");
    QTest::addColumn<int>("excitation");
    QTest::newRow("KMT 600 -98") << 0 << 3 << 9 << 137 << 1;
    QTest::newRow("KMT 600 99-00") << 1 << 3 << 9 << 138 << 0;
    QTest::newRow("PZL 1000") << 2 << 6 << 9 << 105 << 1;
    QTest::newRow("TXR 125") << 3 << 6 << 9 << 120 << 1;
    QTest::newRow("TXR 600") << 4 << 4 << 9 << 100 << 1;
    QTest::newRow("Special by New") << 5 << 99 << 99 << 99 << 99;
    QTest::newRow("WKS 750 keeps teeth") << 6 << 99 << 99 << 120 << 1;
    QTest::newRow("GZM 650") << 7 << 7 << 7 << 90 << 1;
    QTest::newRow("KMT 900") << 8 << 3 << 9 << 120 << 0;
    QTest::newRow("WK 750C") << 9 << 7 << 9 << 63 << 1;
    QTest::newRow("unknown code 12") << 12 << 99 << 99 << 99 << 99;
}

void tst_VehiclePresets::presetByCode()
{
    QFETCH(int, code);
    IgnitionParameters set = scrambled(quint8(code));
    bool changed = false;
    ApplyVehiclePreset(set, changed);
    QTEST(int(set.TOP(0)), "top0");
    QTEST(int(set.TOP(1)), "top1");
    QTEST(int(set.LIMITER()), "limiter");
    QTEST(int(set.EXCITATION()), "excitation");
    // The common defaults, whatever the type.
    QCOMPARE(set.BASE_ADV(), quint8(5));
    QCOMPARE(set.RPM2(), quint8(1));
    QCOMPARE(set.BLOK_ENABLE(), quint8(1));
    for (int i = 0; i < CurvePoints; ++i) {
        QCOMPARE(set.RPM_ADV(i), DefaultRpmCurve[i]);
        QCOMPARE(set.ADVANCE(i), DefaultAdvanceCurve[i]);
    }
    // Never touched: the code itself and the reserved bytes.
    QCOMPARE(int(set.BIKE()), code);
    QCOMPARE(set.image[8], quint8(99));
    QCOMPARE(set.image[30], quint8(99));
    QCOMPARE(set.image[54], quint8(99));
}

void tst_VehiclePresets::specialPickedKeepsEverything()
{
    IgnitionParameters set = scrambled(VehicleCodeSpecial);
    const IgnitionParameters before = set;
    bool changed = true;
    ApplyVehiclePreset(set, changed);
    QCOMPARE(set, before);
}

void tst_VehiclePresets::flagClearedAfterwards()
{
    IgnitionParameters set = scrambled(7);
    bool changed = true;
    ApplyVehiclePreset(set, changed);
    QVERIFY(!changed);
    QCOMPARE(set.TOP(0), quint8(7));
}

QTEST_GUILESS_MAIN(tst_VehiclePresets)
#include "tst_VehiclePresets.moc"
