#include "WindowPlacement.h"

#include <QTest>

#include <climits>

class tst_WindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void restore_data();
    void restore();
    void boundedSavedPlace_data();
    void boundedSavedPlace();
    void placeToSave_data();
    void placeToSave();
};

namespace {
// The outer size of the main window on a desktop with a 21-pixel menu bar.
const QSize Window(753, 797);
const QRect Laptop(0, 0, 1366, 768);
const QRect LaptopWithPanel(0, 27, 1366, 741);
const QRect Scaled(0, 0, 1280, 720); // 1920 x 1080 at 150 %
const QRect Large(0, 0, 1920, 1080);
const QRect RightOfLarge(1920, 0, 1280, 1024);
} // namespace

// Whatever was saved, the window's top-left corner, and with it the title and menu bar,
// lies inside an available area, and the window no larger than that area.
void tst_WindowPlacement::restore_data()
{
    QTest::addColumn<QList<QRect>>("areas");
    QTest::addColumn<QRect>("saved");
    QTest::addColumn<QRect>("expected");

    const QRect unknown;
    QTest::newRow("first start, laptop: centred across, from the top, cut to the area")
        << QList<QRect>{Laptop} << unknown << QRect(306, 0, 753, 768);
    QTest::newRow("first start, panel on top")
        << QList<QRect>{LaptopWithPanel} << unknown << QRect(306, 27, 753, 741);
    QTest::newRow("first start, 150 %") << QList<QRect>{Scaled} << unknown << QRect(263, 0, 753, 720);
    QTest::newRow("first start, large screen") << QList<QRect>{Large} << unknown << QRect(583, 141, 753, 797);
    QTest::newRow("saved above the screen")
        << QList<QRect>{Laptop} << QRect(100, -13, 753, 797) << QRect(100, 0, 753, 768);
    QTest::newRow("saved under the panel")
        << QList<QRect>{LaptopWithPanel} << QRect(100, 5, 753, 797) << QRect(100, 27, 753, 741);
    QTest::newRow("saved running off the bottom")
        << QList<QRect>{Large} << QRect(10, 900, 753, 797) << QRect(10, 283, 753, 797);
    QTest::newRow("saved half off the left")
        << QList<QRect>{Large} << QRect(-400, 50, 753, 797) << QRect(0, 50, 753, 797);
    QTest::newRow("Wayland's decorated place")
        << QList<QRect>{Large} << QRect(-3, -30, 759, 828) << QRect(0, 0, 759, 828);
    QTest::newRow("on the second screen")
        << QList<QRect>{Large, RightOfLarge} << QRect(2000, 100, 753, 797) << QRect(2000, 100, 753, 797);
    QTest::newRow("mostly on the second screen, off its bottom")
        << QList<QRect>{Large, RightOfLarge} << QRect(1800, 600, 753, 797) << QRect(1920, 227, 753, 797);
    QTest::newRow("second screen gone")
        << QList<QRect>{Large} << QRect(2000, 100, 753, 797) << QRect(583, 141, 753, 797);
    QTest::newRow("far off every screen")
        << QList<QRect>{Laptop} << QRect(-5000, -5000, 753, 797) << QRect(306, 0, 753, 768);
    QTest::newRow("huge size") << QList<QRect>{Laptop} << QRect(0, 0, 32767, 32767) << QRect(0, 0, 1366, 768);
    QTest::newRow("no screens at all") << QList<QRect>{} << unknown << QRect(135, 0, 753, 768);
}

void tst_WindowPlacement::restore()
{
    QFETCH(QList<QRect>, areas);
    QFETCH(QRect, saved);
    QFETCH(QRect, expected);
    const WindowPlacement placement(areas);
    const QRect placed = placement.restore(saved, Window);
    QCOMPARE(placed, expected);
    QVERIFY(placement.areaFor(placed).contains(placed));
}

// Values as a hand-edited file or another program can leave them must not overflow on
// their way into a rectangle.
void tst_WindowPlacement::boundedSavedPlace_data()
{
    QTest::addColumn<qint64>("left");
    QTest::addColumn<qint64>("top");
    QTest::addColumn<qint64>("width");
    QTest::addColumn<qint64>("height");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("ordinary") << qint64(10) << qint64(20) << qint64(300) << qint64(200)
                              << QRect(10, 20, 300, 200);
    QTest::newRow("int limits") << qint64(INT_MAX) << qint64(INT_MIN) << qint64(INT_MAX) << qint64(INT_MAX)
                                << QRect(1 << 20, -(1 << 20), 1 << 16, 1 << 16);
    QTest::newRow("no width") << qint64(0) << qint64(0) << qint64(0) << qint64(200) << QRect();
    QTest::newRow("negative height") << qint64(0) << qint64(0) << qint64(5) << qint64(-1) << QRect();
}

void tst_WindowPlacement::boundedSavedPlace()
{
    QFETCH(qint64, left);
    QFETCH(qint64, top);
    QFETCH(qint64, width);
    QFETCH(qint64, height);
    QFETCH(QRect, expected);
    const QRect bounded = WindowPlacement::boundedSavedPlace(left, top, width, height);
    QCOMPARE(bounded, expected);
    // And from there on to the screen, without overflow.
    QVERIFY(QRect(0, 0, 800, 600)
                .contains(WindowPlacement({QRect(0, 0, 800, 600)}).restore(bounded, {400, 300})));
}

void tst_WindowPlacement::placeToSave_data()
{
    QTest::addColumn<bool>("positionKnown");
    QTest::addColumn<bool>("frameIsWindowManagers");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("X11 with a window manager") << true << true << QRect(97, 70, 759, 828);
    QTest::newRow("Wayland: previous place, own size") << false << false << QRect(40, 30, 753, 797);
}

void tst_WindowPlacement::placeToSave()
{
    QFETCH(bool, positionKnown);
    QFETCH(bool, frameIsWindowManagers);
    QFETCH(QRect, expected);
    const QRect previous(40, 30, 753, 797);
    const QRect frame(97, 70, 759, 828);
    const QRect own(100, 100, 753, 797);
    QCOMPARE(::placeToSave({positionKnown, frameIsWindowManagers}, previous, frame, own), expected);
}

QTEST_GUILESS_MAIN(tst_WindowPlacement)
#include "tst_WindowPlacement.moc"
