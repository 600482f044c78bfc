#include "BlockDifference.h"

#include <QTest>

using Edit = QPair<int, int>; // block byte, value in the editor's block
Q_DECLARE_METATYPE(QList<Edit>)

// The unit holds the start-up set; each row edits the editor's copy and names the rows
// the user must see, as "field | unit | editor".
class tst_BlockDifference : public QObject
{
    Q_OBJECT

private slots:
    void rows_data();
    void rows();
    void namesInTheLanguage_data();
    void namesInTheLanguage();

private:
    static ParameterBlock unitBlock()
    {
        return {3, 9, 5, 137, 1, 1, 0, 1, 0, 0, 15, 20, 30, 40, 50, 60, 70, 80, 90, 100,
                5, 15, 20, 25, 33, 33, 33, 33, 33, 33};
    }
    static QStringList texts(const QList<DifferenceRow> &rows)
    {
        QStringList out;
        for (const DifferenceRow &r : rows)
            out << r.field + " | " + r.unitValue + " | " + r.editorValue;
        return out;
    }
};

void tst_BlockDifference::rows_data()
{
    QTest::addColumn<QList<Edit>>("edits");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("identical") << QList<Edit>{} << QStringList{};
    QTest::newRow("curve point 3 rpm") << QList<Edit>{{12, 35}} << QStringList{"Curve point 3 rpm | 3000 | 3500"};
    QTest::newRow("curve point 3 advance") << QList<Edit>{{22, 18}}
                                           << QStringList{"Curve point 3 advance | 20\u00B0 | 18\u00B0"};
    QTest::newRow("base advance") << QList<Edit>{{2, 7}} << QStringList{"Base advance | 5\u00B0 | 7\u00B0"};
    QTest::newRow("limiter") << QList<Edit>{{3, 140}} << QStringList{"Limiter | 13700 | 14000"};
    QTest::newRow("teeth") << QList<Edit>{{0, 6}, {1, 7}} << QStringList{"TOP 1,4 | 3 | 6", "TOP 2,3 | 9 | 7"};
    QTest::newRow("switches") << QList<Edit>{{7, 0}, {5, 0}, {4, 0}}
                              << QStringList{"Excitation long | on | off", "Blocking | on | off",
                                             "Tachometer 2x | on | off"};
    // Both mean on, but the bytes differ and the unit would get the other one.
    QTest::newRow("switch 2 against 1") << QList<Edit>{{4, 2}} << QStringList{"Tachometer 2x | on | on (2)"};
    QTest::newRow("vehicle model") << QList<Edit>{{6, 7}} << QStringList{"Vehicle type | KMT 600 -98 | GZM 650"};
    QTest::newRow("vehicle free setting") << QList<Edit>{{6, 5}}
                                          << QStringList{"Vehicle type | KMT 600 -98 | Special setting"};
    QTest::newRow("vehicle code off the list") << QList<Edit>{{6, 12}}
                                               << QStringList{"Vehicle type | KMT 600 -98 | code 12"};
    QTest::newRow("reserved bytes are one row")
        << QList<Edit>{{8, 1}, {31, 5}, {49, 255}}
        << QStringList{"Reserved bytes | byte 8: 0, byte 31: 0, byte 49: 0 | byte 8: 1, byte 31: 5, byte 49: 255"};
    QTest::newRow("order as the window shows it")
        << QList<Edit>{{29, 40}, {10, 16}, {3, 120}, {9, 2}, {6, 8}}
        << QStringList{"Vehicle type | KMT 600 -98 | KMT 900", "Limiter | 13700 | 12000",
                       "Curve point 1 rpm | 1500 | 1600", "Curve point 10 advance | 33\u00B0 | 40\u00B0",
                       "Reserved bytes | byte 9: 0 | byte 9: 2"};
}

void tst_BlockDifference::rows()
{
    QFETCH(QList<Edit>, edits);
    QFETCH(QStringList, expected);

    const ParameterBlock unit = unitBlock();
    ParameterBlock editor = unit;
    for (const Edit &e : edits)
        editor[e.first] = quint8(e.second);

    QCOMPARE(texts(DifferenceRows(unit, editor, 0)), expected);
    QCOMPARE(BlocksDiffer(unit, editor), !expected.isEmpty());
}

void tst_BlockDifference::namesInTheLanguage_data()
{
    QTest::addColumn<quint8>("language");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Czech") << quint8(3)
                           << QStringList{"Typ vozidla | KMT 600 -98 | Speciální nastavení",
                                          "Dlouhé buzení | zapnuto | vypnuto", "Bod křivky 2 otáčky | 2000 | 2100"};
    QTest::newRow("German") << quint8(1)
                            << QStringList{"Fahrzeugtyp | KMT 600 -98 | Sonderstellung",
                                           "Lange Erregung | ein | aus", "Kurvenpunkt 2 Drehzahl | 2000 | 2100"};
    QTest::newRow("French names in English, the free setting in French") << quint8(2)
                                               << QStringList{"Vehicle type | KMT 600 -98 | Spécial ajustage",
                                                              "Excitation long | on | off",
                                                              "Curve point 2 rpm | 2000 | 2100"};
}

void tst_BlockDifference::namesInTheLanguage()
{
    QFETCH(quint8, language);
    QFETCH(QStringList, expected);
    const ParameterBlock unit = unitBlock();
    ParameterBlock editor = unit;
    editor[6] = 5;
    editor[7] = 0;
    editor[11] = 21;
    QCOMPARE(texts(DifferenceRows(unit, editor, language)), expected);
}

QTEST_GUILESS_MAIN(tst_BlockDifference)
#include "tst_BlockDifference.moc"
