#include "FileNameLabel.h"

#include <QFontMetrics>
#include <QTest>

// A long path in the file label: the folder gives way, the file name never does.
class tst_FileNameLabel : public QObject
{
    Q_OBJECT

private slots:
    void elide_data();
    void elide();
    void labelKeepsWholePath();
};

void tst_FileNameLabel::elide_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("name"); // what the shown text must end with
    QTest::addColumn<bool>("shortened");

    const QString deep = QStringLiteral("/home/rider/workshop/customers/2026/spring/kmt600/");
    QTest::newRow("fits") << "/tmp/a.ign" << 300 << "/tmp/a.ign" << false;
    QTest::newRow("deep folder") << deep + "race_tune.ign" << 200 << "/race_tune.ign" << true;
    QTest::newRow("name longer than the room")
        << deep + "a_very_long_file_name_that_fills_the_whole_label_by_itself.ign" << 120
        << "/a_very_long_file_name_that_fills_the_whole_label_by_itself.ign" << true;
    QTest::newRow("no folder") << "a_long_name_without_any_folder_at_all.ign" << 60
                               << "a_long_name_without_any_folder_at_all.ign" << true;
}

void tst_FileNameLabel::elide()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(QString, name);
    QFETCH(bool, shortened);
    const QFontMetrics metrics{QFont()};
    const QString shown = elideFilePath(path, metrics, width);
    QVERIFY2(shown.endsWith(name), qPrintable(shown));
    QCOMPARE(shown.contains(QChar(0x2026)), shortened);
    QCOMPARE(shown == path, !shortened);
    // It fits whenever the name does.
    if (metrics.horizontalAdvance(name) + metrics.horizontalAdvance(QChar(0x2026)) < width)
        QVERIFY2(metrics.horizontalAdvance(shown) <= width, qPrintable(shown));
}

void tst_FileNameLabel::labelKeepsWholePath()
{
    const QString path = QStringLiteral("/home/rider/workshop/customers/2026/spring/kmt600/race_tune.ign");
    FileNameLabel label;
    label.resize(150, 15);
    label.setText(path);
    QCOMPARE(label.text(), path); // what the settings keep
    QCOMPARE(label.toolTip(), path);
    QVERIFY(label.shownText().endsWith(QStringLiteral("/race_tune.ign")));
    QVERIFY(label.fontMetrics().horizontalAdvance(label.shownText()) <= 150);
    label.setText(QString());
    QCOMPARE(label.toolTip(), QString());
}

QTEST_MAIN(tst_FileNameLabel)
#include "tst_FileNameLabel.moc"
