#include "LanguageTextSets.h"

#include <QTest>

#include <optional>

class tst_LanguageTextSets : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void menuComHintOnlyInGerman();
    void order_data();
    void order();
    void sameItemsInEverySet();
    void noSetForFrenchOrUnknown();
    void builtIn_data();
    void builtIn();
    void builtInWithoutHint();
    void commandWord_data();
    void commandWord();
};

static constexpr int Caption = TextAssignment::Caption;
static constexpr int Hint = TextAssignment::Hint;

// The text a list gives an item; each item and kind must occur at most once.
static std::optional<QString> find(const QList<TextAssignment> &list, const QString &name, int kind)
{
    std::optional<QString> found;
    for (const TextAssignment &a : list) {
        if (name == QLatin1String(a.objectName) && a.kind == kind) {
            if (found)
                return QStringLiteral("<twice>");
            found = a.text;
        }
    }
    return found;
}

// Texts that are easily "corrected" by mistake.
void tst_LanguageTextSets::texts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    QTest::newRow("en caption quotes")
        << 0 << MainWindowObjectName << Caption << "Programming of \"Korvo TCI\" unit";
    QTest::newRow("de caption") << 1 << MainWindowObjectName << Caption
                                << "Programmierung der \"Korvo TCI\" Zündbox";
    QTest::newRow("de Englisch no &") << 1 << "MenuEnglish" << Caption << "Englisch";
    QTest::newRow("cs Czech item") << 3 << "MenuCzech" << Caption << "Če&sky";
    QTest::newRow("en Contents") << 0 << "MenuContens" << Caption << "&Contents...";
    QTest::newRow("en limiter one blank") << 0 << "LabelOmez2" << Caption << "Limiter [rpm]";
    QTest::newRow("de zugelast") << 1 << "CheckBoxBlokEnable" << Caption << "Blockierung zugelast";
    QTest::newRow("de Exit Speichern") << 1 << "MenuExit" << Hint << "Speichern";
    QTest::newRow("de MenuCom") << 1 << "MenuCom" << Hint << "Com Port festlegen";
    QTest::newRow("cs read bar") << 3 << "MenuRead" << Hint << "Čtení|Čtení parametrů z jednotky";
    QTest::newRow("cs verify bar") << 3 << "MenuVerify" << Hint
                                   << "Ověření|Ověření zda  nastavené parametry souhlasí s parametry "
                                      "naprogramovanými do zapalování";
    QTest::newRow("cs program bar") << 3 << "MenuProgram" << Hint
                                    << "Programování jednotky|Programování nastavených parametrů do jednotky";
    QTest::newRow("cs BitBtn2 no bar") << 3 << "BitBtn2" << Hint
                                       << "Ověření zda  nastavené parametry souhlasí s parametry "
                                          "naprogramovanými do zapalování";
    QTest::newRow("en new trailing") << 0 << "MenuNew" << Hint << "Set default parameters ";
    QTest::newRow("en open trailing") << 0 << "MenuOpen" << Hint << "Open file with parameters ";
    QTest::newRow("en tool open parametrs") << 0 << "SpeedButton5" << Hint << "Open file with parametrs";
    QTest::newRow("en BitBtn1 double") << 0 << "BitBtn1" << Hint << "Programing  set parametrs to ignition";
    QTest::newRow("en language bar") << 0 << "MenuLanguage" << Hint
                                     << "Language|Set English or Czech or German";
    QTest::newRow("en Label26 bar") << 0 << "Label26" << Hint << "Round per Minute|Speed - Round per Minute";
    QTest::newRow("en help jet") << 0 << "MenuHelp" << Hint << "Not available jet";
    QTest::newRow("en Englich") << 0 << "MenuEnglish" << Hint << "Set Englich menu";
    QTest::newRow("de Englich") << 1 << "MenuEnglish" << Hint << "Set Englich menu";
    QTest::newRow("cs Englich") << 3 << "MenuEnglish" << Hint << "Set Englich menu";
    QTest::newRow("cs Deutche") << 3 << "MenuGerman" << Hint << "Deutche Menü";
    QTest::newRow("de ProgHned mmm") << 1 << "CheckBoxProgHned" << Hint
                                     << "Programmmieren gleich after die Umänderung";
}

void tst_LanguageTextSets::texts()
{
    QFETCH(int, language);
    QFETCH(QString, objectName);
    QFETCH(int, kind);
    QFETCH(QString, expected);

    QCOMPARE(find(LanguageTextSet(quint8(language)), objectName, kind), std::optional(expected));
}

void tst_LanguageTextSets::menuComHintOnlyInGerman()
{
    QCOMPARE(find(LanguageTextSet(0), "MenuCom", Hint), std::nullopt);
    QCOMPARE(find(LanguageTextSet(3), "MenuCom", Hint), std::nullopt);
    QVERIFY(find(LanguageTextSet(1), "MenuCom", Hint));
}

// Menu captions, control captions, control hints, menu hints, and CheckBoxProgHned's
// hint last.
void tst_LanguageTextSets::order_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("German") << 1;
    QTest::newRow("Czech") << 3;
}

void tst_LanguageTextSets::order()
{
    QFETCH(int, language);

    const QList<TextAssignment> set = LanguageTextSet(quint8(language));
    QVERIFY(set.size() > 42);
    QCOMPARE(set.first().objectName, MainWindowObjectName);
    QCOMPARE(QLatin1String(set.at(1).objectName), QLatin1String("MenuFile"));
    QCOMPARE(QLatin1String(set.at(18).objectName), QLatin1String("MenuAbout"));
    QCOMPARE(QLatin1String(set.at(19).objectName), QLatin1String("CheckBoxIgnAll"));
    QCOMPARE(QLatin1String(set.at(28).objectName), QLatin1String("LabelFile1"));
    QCOMPARE(set.at(28).kind, TextAssignment::Caption);
    QCOMPARE(QLatin1String(set.at(29).objectName), QLatin1String("Label26"));
    QCOMPARE(set.at(29).kind, TextAssignment::Hint);
    QCOMPARE(QLatin1String(set.at(41).objectName), QLatin1String("Button1"));
    QCOMPARE(QLatin1String(set.at(42).objectName), QLatin1String("MenuNew"));
    QCOMPARE(QLatin1String(set.last().objectName), QLatin1String("CheckBoxProgHned"));
    QCOMPARE(set.last().kind, TextAssignment::Hint);
    QCOMPARE(QLatin1String(set.at(set.size() - 2).objectName), QLatin1String("MenuHelp"));
}

// The three sets write the same items in the same order; only German adds MenuCom's hint.
void tst_LanguageTextSets::sameItemsInEverySet()
{
    auto items = [](quint8 language) {
        QStringList list;
        for (const TextAssignment &a : LanguageTextSet(language)) {
            if (!(a.kind == TextAssignment::Hint && QLatin1String(a.objectName) == QLatin1String("MenuCom")))
                list << QString::fromLatin1(a.objectName) + QString::number(a.kind);
        }
        return list;
    };
    QStringList english = items(0);
    QCOMPARE(english.size(), 56);
    QCOMPARE(items(1), english);
    QCOMPARE(items(3), english);
    QCOMPARE(english.removeDuplicates(), 0);
    QCOMPARE(LanguageTextSet(1).size(), 57);
}

void tst_LanguageTextSets::noSetForFrenchOrUnknown()
{
    QVERIFY(LanguageTextSet(2).isEmpty());
    QVERIFY(LanguageTextSet(4).isEmpty());
    QVERIFY(LanguageTextSet(255).isEmpty());
}

void tst_LanguageTextSets::builtIn_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    QTest::newRow("caption") << MainWindowObjectName << Caption << "Programming of \"Korvo TCI\" unit";
    QTest::newRow("tool open") << "SpeedButton5" << Hint << "Open|Open file with parametrs";
    QTest::newRow("verify double") << "BitBtn2" << Hint
                                   << "Verify|Compare set parametrs  with parametrs of ignition";
    QTest::newRow("program short") << "MenuProgram" << Hint
                                   << "Programing|Programing  set parametrs to ignition";
    QTest::newRow("com trailing") << "MenuCom" << Hint << "Com|Set number of com ";
    QTest::newRow("english empty short") << "MenuEnglish" << Hint << "|Set Englich menu";
    QTest::newRow("czech empty short") << "MenuCzech" << Hint << "|Set Czech menu";
    QTest::newRow("language") << "MenuLanguage" << Hint << "Language|Set English or Czech";
    QTest::newRow("tools amp") << "MenuTools" << Caption << "&Tools";
    QTest::newRow("contens") << "MenuContens" << Caption << "&Contens";
    QTest::newRow("limiter two blanks") << "LabelOmez2" << Caption << "Limiter  [rpm]";
    QTest::newRow("Label2 own name") << "Label2" << Caption << "Label2";
    QTest::newRow("pokus") << "CheckBoxProgHned" << Hint << "pokus";
    QTest::newRow("progHned") << "CheckBoxProgHned" << Caption << "Program. po změně";
    QTest::newRow("snimac trailing") << "LabelMonSnimac1" << Caption << "Snimac 1 = --- ";
    QTest::newRow("injection") << "BitBtnAdvMinus" << Hint << "Injection minus 1 percent";
    QTest::newRow("advance label") << "LabelAdvance" << Caption << "ADVANCE= --- [°]";
}

void tst_LanguageTextSets::builtIn()
{
    QFETCH(QString, objectName);
    QFETCH(int, kind);
    QFETCH(QString, expected);

    QCOMPARE(find(BuiltInTexts(), objectName, kind), std::optional(expected));
}

// Items without a hint must empty the status bar, so they must not get one.
void tst_LanguageTextSets::builtInWithoutHint()
{
    const QList<TextAssignment> texts = BuiltInTexts();
    for (const char *name : {"SpeedButtonZpet", "SpeedButtonZnovu", "MenuFile", "MenuDevice", "MenuTools",
                             "MenuZpet", "MenuZnovu", "MenuGerman", "MenuOpenExeDir", "MenuAbout"})
        QVERIFY2(!find(texts, name, Hint), name);
}

void tst_LanguageTextSets::commandWord_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("language");

    QTest::newRow("ENGLISH") << "ENGLISH" << 0;
    QTest::newRow("CESKY") << "CESKY" << 3;
    QTest::newRow("DEUTSCH") << "DEUTSCH" << 1;
    QTest::newRow("lower case") << "english" << -1;
    QTest::newRow("mixed case") << "Cesky" << -1;
    QTest::newRow("trailing blank") << "DEUTSCH " << -1;
    QTest::newRow("longer word") << "ENGLISHX" << -1;
    QTest::newRow("FRANCAIS") << "FRANCAIS" << -1;
    QTest::newRow("empty") << "" << -1;
}

void tst_LanguageTextSets::commandWord()
{
    QFETCH(QString, argument);
    QFETCH(int, language);

    QCOMPARE(LanguageFromCommandWord(argument), language);
}

QTEST_GUILESS_MAIN(tst_LanguageTextSets)
#include "tst_LanguageTextSets.moc"
