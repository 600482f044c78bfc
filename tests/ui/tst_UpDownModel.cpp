#include "UpDownModel.h"

#include <QTest>

// The value rules of an up-down and its edit, without a widget.
class tst_UpDownModel : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void takeText_data();
    void takeText();
    void separatorOnlyWhereShown_data();
    void separatorOnlyWhereShown();
    void clampsAndSteps_data();
    void clampsAndSteps();
};

void tst_UpDownModel::text_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("thousands");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("limiter grouped") << english << true << 13700 << "13,700";
    QTest::newRow("just below a thousand") << english << true << 999 << "999";
    QTest::newRow("advance never grouped") << english << false << 1000 << "1000";
    QTest::newRow("C locale still groups") << QLocale::c() << true << 20100 << "20,100";
    QTest::newRow("German dot") << QLocale(QLocale::German, QLocale::Germany) << true << 2000 << "2.000";
    const QLocale french(QLocale::French, QLocale::France);
    QTest::newRow("French blank") << french << true << 1000
                                  << QString(QStringLiteral("1") + french.groupSeparator() + "000");
}

void tst_UpDownModel::text()
{
    QFETCH(QLocale, locale);
    QFETCH(bool, thousands);
    QFETCH(int, position);
    QFETCH(QString, text);
    const UpDownModel model(-30000, 30000, 1, position, thousands);
    QCOMPARE(model.text(locale), text);
}

void tst_UpDownModel::takeText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("position"); // afterwards; the model starts at 5000 in 300..20100

    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("plain") << english << "1234" << true << 1234;
    QTest::newRow("grouped") << english << "12,300" << true << 12300;
    QTest::newRow("blanks around") << english << " 400 " << true << 400;
    QTest::newRow("below min") << english << "150" << false << 5000;
    QTest::newRow("above max") << english << "20101" << false << 5000;
    QTest::newRow("empty") << english << "" << false << 5000;
    QTest::newRow("letters") << english << "12a" << false << 5000;
    QTest::newRow("fraction") << english << "1.5" << false << 5000;
    QTest::newRow("negative") << english << "-400" << false << 5000;
    QTest::newRow("separator first") << english << ",400" << false << 5000;
    QTest::newRow("separator last") << english << "400," << false << 5000;
    QTest::newRow("huge") << english << "99999999999999" << false << 5000;
    QTest::newRow("German grouped") << QLocale(QLocale::German, QLocale::Germany) << "2.500" << true << 2500;
    QTest::newRow("typed blank for a blank separator")
        << QLocale(QLocale::French, QLocale::France) << "2 500" << true << 2500;
}

void tst_UpDownModel::takeText()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    QFETCH(int, position);
    UpDownModel model(300, 20100, 100, 5000, true);
    QCOMPARE(model.takeText(typed, locale), taken);
    QCOMPARE(int(model.position()), position);
}

// A group separator typed into a field that never shows one is a mistake (a decimal comma,
// a slip), not a thousands mark: "1,0" in an advance field must not become 10 degrees.
void tst_UpDownModel::separatorOnlyWhereShown_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("thousands");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("position"); // afterwards

    QTest::newRow("advance refuses 1,0") << 0 << 60 << 20 << false << "1,0" << 20;
    QTest::newRow("advance takes 10") << 0 << 60 << 20 << false << "10" << 10;
    QTest::newRow("base advance refuses 1,0") << 0 << 40 << 40 << true << "1,0" << 40;
    QTest::newRow("trigger tooth refuses 0,5") << 2 << 9 << 3 << true << "0,5" << 3;
    QTest::newRow("limiter takes 1,000") << 999 << 25000 << 15000 << true << "1,000" << 1000;
    QTest::newRow("curve speed takes 13,700") << 300 << 20100 << 5000 << true << "13,700" << 13700;
}

void tst_UpDownModel::separatorOnlyWhereShown()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(bool, thousands);
    QFETCH(QString, typed);
    QFETCH(int, position);
    UpDownModel model(min, max, 1, start, thousands);
    model.takeText(typed, QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(int(model.position()), position);
}

void tst_UpDownModel::clampsAndSteps_data()
{
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("direction"); // 0: no step, only the start position set
    QTest::addColumn<int>("position");

    QTest::newRow("first point below 200") << 199 << 20100 << 100 << 200 << -1 << 199;
    QTest::newRow("first point at its min") << 199 << 20100 << 100 << 199 << -1 << 199;
    QTest::newRow("back up from 199") << 199 << 20100 << 100 << 199 << 1 << 299;
    QTest::newRow("curve top") << 300 << 20100 << 100 << 20100 << 1 << 20100;
    QTest::newRow("limiter below 1000") << 999 << 25000 << 100 << 1000 << -1 << 999;
    QTest::newRow("field 255 x 100 held at max") << 300 << 20100 << 100 << 25500 << 0 << 20100;
    QTest::newRow("advance 70 from a file") << 0 << 60 << 1 << 70 << 0 << 60;
    QTest::newRow("limiter 0 from the unit") << 999 << 25000 << 100 << 0 << 0 << 999;
}

void tst_UpDownModel::clampsAndSteps()
{
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, step);
    QFETCH(int, start);
    QFETCH(int, direction);
    QFETCH(int, position);
    UpDownModel model(min, max, step, start, true);
    if (direction != 0)
        model.step(direction);
    QCOMPARE(int(model.position()), position);
}

QTEST_GUILESS_MAIN(tst_UpDownModel)
#include "tst_UpDownModel.moc"
