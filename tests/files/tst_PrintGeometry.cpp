#include "PrintGeometry.h"

#include <QTest>

class tst_PrintGeometry : public QObject
{
    Q_OBJECT

private slots:
    void fit_data();
    void fit();
};

void tst_PrintGeometry::fit_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QRect>("target");
    QTest::newRow("wide: full width") << QSize(800, 400) << QSize(1000, 1000) << QRect(0, 0, 1000, 500);
    QTest::newRow("tall: full height") << QSize(400, 800) << QSize(1000, 1000) << QRect(0, 0, 500, 1000);
    QTest::newRow("window on A4 portrait")
        << QSize(1003, 720) << QSize(4760, 6779) << QRect(0, 0, 4760, 3417);
    QTest::newRow("window on A4 landscape")
        << QSize(1003, 720) << QSize(6779, 4760) << QRect(0, 0, 6631, 4760);
    QTest::newRow("width rounds half up") << QSize(3, 2) << QSize(10, 5) << QRect(0, 0, 8, 5);
    QTest::newRow("height rounds to nearest") << QSize(3, 2) << QSize(4, 5) << QRect(0, 0, 4, 3);
    QTest::newRow("exact fit uses the width") << QSize(2, 1) << QSize(10, 5) << QRect(0, 0, 10, 5);
    QTest::newRow("large sizes do not overflow")
        << QSize(100000, 70000) << QSize(90000, 120000) << QRect(0, 0, 90000, 63000);
    QTest::newRow("empty image") << QSize(0, 0) << QSize(100, 100) << QRect();
    QTest::newRow("empty page") << QSize(10, 10) << QSize(100, 0) << QRect();
}

void tst_PrintGeometry::fit()
{
    QFETCH(QSize, image);
    QFETCH(QSize, page);
    QFETCH(QRect, target);
    QCOMPARE(printTargetRect(image, page), target);
}

QTEST_GUILESS_MAIN(tst_PrintGeometry)
#include "tst_PrintGeometry.moc"
