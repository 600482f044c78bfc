#include "AccessLetters.h"

#include <QTest>

class tst_AccessLetters : public QObject
{
    Q_OBJECT

private slots:
    void letter_data();
    void letter();
    void settle_data();
    void settle();
};

void tst_AccessLetters::letter_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("plain");
    QTest::newRow("first") << "&File"
                           << "f"
                           << "File";
    QTest::newRow("inside, accented") << "Čí&st"
                                      << "s"
                                      << "Číst";
    QTest::newRow("capital accented") << "&Číst" << QString(QChar(0x10D)) << "Číst";
    QTest::newRow("none") << "Tools" << QString() << "Tools";
    QTest::newRow("plain ampersand") << "Save && close" << QString() << "Save && close";
    QTest::newRow("after a plain ampersand") << "A && &B"
                                             << "b"
                                             << "A && B";
    QTest::newRow("trailing") << "Odd&" << QString() << "Odd&";
}

void tst_AccessLetters::letter()
{
    QFETCH(QString, caption);
    QFETCH(QString, letter);
    QFETCH(QString, plain);
    QCOMPARE(QString(accessLetter(caption).isNull() ? QString() : QString(accessLetter(caption))), letter);
    QCOMPARE(withoutAccessLetter(caption), plain);
}

void tst_AccessLetters::settle_data()
{
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QStringList>("menusAfter");
    QTest::addColumn<QStringList>("buttonsAfter");
    QTest::newRow("nothing to do") << QStringList{"&File", "&Com", "&Tools"}
                                   << QStringList{"&Read", "&Verify"}
                                   << QStringList{"&File", "&Com", "&Tools"}
                                   << QStringList{"&Read", "&Verify"};
    QTest::newRow("buttons give way to menus") << QStringList{"&Soubor", "&Port", "&Zapalování"}
                                               << QStringList{"Čí&st", "&Programovat", "&Verifikovat"}
                                               << QStringList{"&Soubor", "&Port", "&Zapalování"}
                                               << QStringList{"Číst", "Programovat", "&Verifikovat"};
    QTest::newRow("a menu without a letter takes a free word start")
        << QStringList{"&Datei", "Extras", "&Hilfe"} << QStringList{}
        << QStringList{"&Datei", "&Extras", "&Hilfe"} << QStringList{};
    QTest::newRow("first letters taken: the next free one")
        << QStringList{"&Soubor", "&Nápověda", "Nástroje"} << QStringList{}
        << QStringList{"&Soubor", "&Nápověda", "N&ástroje"} << QStringList{};
    QTest::newRow("later word start before any letter")
        << QStringList{"&Open", "Open recording"} << QStringList{} << QStringList{"&Open", "Open &recording"}
        << QStringList{};
    QTest::newRow("two menus with one letter: the second moves")
        << QStringList{"&Port", "&Programovat"} << QStringList{} << QStringList{"&Port", "P&rogramovat"}
        << QStringList{};
    QTest::newRow("no letter left") << QStringList{"&A", "A"} << QStringList{} << QStringList{"&A", "A"}
                                    << QStringList{};
}

void tst_AccessLetters::settle()
{
    QFETCH(QStringList, menus);
    QFETCH(QStringList, buttons);
    QFETCH(QStringList, menusAfter);
    QFETCH(QStringList, buttonsAfter);
    const AccessLetterCaptions settled = settleAccessLetters({menus, buttons});
    QCOMPARE(settled.menus, menusAfter);
    QCOMPARE(settled.buttons, buttonsAfter);
}

QTEST_GUILESS_MAIN(tst_AccessLetters)
#include "tst_AccessLetters.moc"
