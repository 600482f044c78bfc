#include "TextContrast.h"

#include <QTest>

class tst_TextContrast : public QObject
{
    Q_OBJECT

private slots:
    void ratio();
    void readable_data();
    void readable();
};

void tst_TextContrast::ratio()
{
    QCOMPARE(qRound(contrastRatio(Qt::black, Qt::white) * 10), 210);
    QCOMPARE(contrastRatio(Qt::red, Qt::red), 1.0);
    // Light grey text of a dark theme on lime: what made the labels unreadable.
    QVERIFY(contrastRatio(QColor(0xee, 0xee, 0xec), QColor(0, 255, 0)) < 1.5);
}

// The fixed backgrounds of the window under the text colours of light and dark themes.
void tst_TextContrast::readable_data()
{
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("preferred");
    QTest::addColumn<QColor>("expected");
    const QColor lime(0, 255, 0), red(255, 0, 0), yellow(255, 255, 0), aqua(0, 255, 255);
    const QColor darkText(0, 0, 0), lightText(0xee, 0xee, 0xec);
    QTest::newRow("lime, light theme") << lime << darkText << darkText;
    QTest::newRow("lime, dark theme") << lime << lightText << QColor(Qt::black);
    QTest::newRow("yellow, dark theme") << yellow << lightText << QColor(Qt::black);
    QTest::newRow("aqua, dark theme") << aqua << lightText << QColor(Qt::black);
    QTest::newRow("red, dark theme") << red << lightText << QColor(Qt::black);
    QTest::newRow("dark blue, black text") << QColor(0, 0, 128) << darkText << QColor(Qt::white);
}

void tst_TextContrast::readable()
{
    QFETCH(QColor, background);
    QFETCH(QColor, preferred);
    QFETCH(QColor, expected);
    const QColor text = readableTextColour(background, preferred);
    QCOMPARE(text, expected);
    QVERIFY(contrastRatio(text, background) >= ReadableContrast);
}

QTEST_GUILESS_MAIN(tst_TextContrast)
#include "tst_TextContrast.moc"
