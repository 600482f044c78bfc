#include "MessageTable.h"

#include <QTest>

class tst_MessageTable : public QObject
{
    Q_OBJECT

private slots:
    void entries_data();
    void entries();
    void everyEntryButThe32ndFilled_data();
    void everyEntryButThe32ndFilled();
    void emptyBeforeFirstLoad();
    void unknownLanguageLeavesTable();
    void reloadGivesSameTexts();
    void switchReplacesEveryEntry();
    void controlTextsEnglishInOrder();
    void controlTexts_data();
    void controlTexts();
    void controlTextsUnknownLanguage();
};

static QStringList controlTextList(const MessageControlTexts &t)
{
    return {t.MenuOpenExeDir,    t.MenuSaveExeDir,  t.LabelAdvance,    t.AdvanceMinus,
            t.AdvancePlus,       t.LabelMonSnimac1, t.LabelMonSnimac2, t.ComboBoxBikeSpecial,
            t.CheckBoxBuzDlouhe, t.LabelBaseAdv,    t.MenuTools,       t.MenuZpet,
            t.MenuZnovu};
}

// Entries whose exact wording is easy to "fix" by mistake: missing exclamation marks,
// leading and trailing blanks, the built manual error and the odd characters.
void tst_MessageTable::entries_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("expected");

    QTest::newRow("de 2 no !") << 1 << 2 << "Vergleichsfehler";
    QTest::newRow("de 3 no !") << 1 << 3 << "Lesefehler";
    QTest::newRow("cs 1 no !") << 3 << 1 << "Chyba programování";
    QTest::newRow("cs 2 with !") << 3 << 2 << "Chyba verifikace!";
    QTest::newRow("en 1") << 0 << 1 << "Program error!";
    QTest::newRow("en 4 Programing") << 0 << 4 << "Programing";
    QTest::newRow("fr 7 no colon") << 2 << 7 << "Mémorisation";
    QTest::newRow("en 8") << 0 << 8 << "Unmatched version of PC and Ignition programs!";
    QTest::newRow("cs 8 proramu") << 3 << 8 << "Neshodné verze proramu v PC a zapalování!";
    QTest::newRow("fr 8 acute") << 2 << 8
                                << "Programme du boitier d´alumage non compatible avec programme PC!";
    QTest::newRow("en 10 two blanks") << 0 << 10 << "Date and time of printing:  ";
    QTest::newRow("de 10 three blanks") << 1 << 10 << "Zeitpunkt des Ausdruckes   ";
    QTest::newRow("fr 10 three blanks") << 2 << 10 << "Date et heur de l´imprimé:   ";
    QTest::newRow("cs 10 two blanks") << 3 << 10 << "Datum a čas tisku:  ";
    QTest::newRow("de 11 sharp s") << 1 << 11 << "Falscher COM-Anschlußes!";
    QTest::newRow("en 15 built") << 0 << 15 << "Error by opening file Korvo_TCI_en.pdf !";
    QTest::newRow("de 15 built") << 1 << 15 << "Fehler beim öffnen der Datei Korvo_TCI_en.pdf !";
    QTest::newRow("fr 15 built") << 2 << 15 << "Erreur ŕ l´ouvertur du Fichier Korvo_TCI_en.pdf !";
    QTest::newRow("cs 15 built") << 3 << 15 << "Chyba při otevírání souboru Korvo_TCI_en.pdf !";
    QTest::newRow("fr 21 r-acute") << 2 << 21 << "Retard ŕ l´allumage";
    QTest::newRow("en 25 trailing") << 0 << 25 << "2nd advance chart ";
    QTest::newRow("de 25 none") << 1 << 25 << "2.Vorzündung mappe";
    QTest::newRow("fr 25 trailing") << 2 << 25 << "2nd advance chart ";
    QTest::newRow("cs 25 none") << 3 << 25 << "2. mapa předstihu";
    QTest::newRow("en 26 trailing") << 0 << 26 << "Number of Programing= ";
    QTest::newRow("cs 26 trailing") << 3 << 26 << "Počet programování= ";
    QTest::newRow("de 29") << 1 << 29 << "Geber(CPS)";
    QTest::newRow("en 30 leading") << 0 << 30 << " is running";
    QTest::newRow("de 30 leading") << 1 << 30 << " läuft";
    QTest::newRow("en 31 leading") << 0 << 31 << " no signal";
    QTest::newRow("cs 31 leading") << 3 << 31 << " bez signálu";
    QTest::newRow("en 33") << 0 << 33 << "Acceleration";
}

void tst_MessageTable::entries()
{
    QFETCH(int, language);
    QFETCH(int, index);
    QFETCH(QString, expected);

    MessageTable table;
    table.load(quint8(language));
    QCOMPARE(table.text(index), expected);
    QCOMPARE(table[index], expected);
    QCOMPARE(MessageTable::entryText(index, quint8(language)), expected);
}

void tst_MessageTable::everyEntryButThe32ndFilled_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English") << 0;
    QTest::newRow("German") << 1;
    QTest::newRow("French") << 2;
    QTest::newRow("Czech") << 3;
}

void tst_MessageTable::everyEntryButThe32ndFilled()
{
    QFETCH(int, language);

    MessageTable table;
    table.load(quint8(language));
    for (int i = 0; i < MessageTable::MessageCount; ++i) {
        if (i == MsgUnused32)
            QVERIFY2(table[i].isEmpty(), "entry 32 is never written");
        else
            QVERIFY2(!table[i].isEmpty(), qPrintable(QString::number(i)));
    }
}

void tst_MessageTable::emptyBeforeFirstLoad()
{
    MessageTable table;
    for (int i = 0; i < MessageTable::MessageCount; ++i)
        QVERIFY(table[i].isEmpty());
}

void tst_MessageTable::unknownLanguageLeavesTable()
{
    MessageTable fresh;
    fresh.load(4);
    QVERIFY(fresh[MsgProgramError].isEmpty());

    MessageTable czech;
    czech.load(3);
    czech.load(4);
    czech.load(255);
    QCOMPARE(czech[MsgProgramError], QStringLiteral("Chyba programování"));
    QVERIFY(MessageTable::entryText(MsgProgramError, 4).isEmpty());
    QVERIFY(MessageTable::entryText(MessageTable::MessageCount, 0).isEmpty());
    QVERIFY(MessageTable::entryText(-1, 0).isEmpty());
}

void tst_MessageTable::reloadGivesSameTexts()
{
    MessageTable once;
    once.load(1);
    MessageTable twice;
    twice.load(1);
    twice.load(1);
    for (int i = 0; i < MessageTable::MessageCount; ++i)
        QCOMPARE(twice[i], once[i]);
}

void tst_MessageTable::switchReplacesEveryEntry()
{
    MessageTable english;
    english.load(0);
    MessageTable switched;
    switched.load(3);
    switched.load(1);
    switched.load(0);
    for (int i = 0; i < MessageTable::MessageCount; ++i)
        QCOMPARE(switched[i], english[i]);
}

// The whole English set, in the order the controls are written.
void tst_MessageTable::controlTextsEnglishInOrder()
{
    const auto texts = MessageControlTextsFor(0);
    QVERIFY(texts);
    const QStringList expected{"Open from exe dir",
                               "Save to exe dir",
                               "Advance= --- [°]",
                               "Advance -",
                               "Advance +",
                               "Pick-up (CPS) 1 = ---",
                               "Pick-up (CPS) 2 = ---",
                               "Special setting",
                               "Excitation Long",
                               "Base advance [°]",
                               "Tools",
                               "Undo",
                               "Redo"};
    QCOMPARE(controlTextList(*texts), expected);
}

void tst_MessageTable::controlTexts_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("field"); // position in controlTextList
    QTest::addColumn<QString>("expected");

    QTest::newRow("de open exe dir") << 1 << 0 << "Öffnen aus exe dir";
    QTest::newRow("cs label advance") << 3 << 2 << "Předstih= --- [°]";
    QTest::newRow("de advance plus") << 1 << 4 << "Vorzündung +";
    QTest::newRow("cs pickup 1") << 3 << 5 << "Snímač (CPS) 1 = ---";
    QTest::newRow("de pickup 2") << 1 << 6 << "Geber(CPS) 2 = ---";
    QTest::newRow("fr special") << 2 << 7 << "Spécial ajustage";
    QTest::newRow("cs excitation") << 3 << 8 << "Buzení dlouhé";
    QTest::newRow("de tools") << 1 << 10 << "Werkzeuge";
    QTest::newRow("cs undo Zpet") << 3 << 11 << "Zpet";
    QTest::newRow("cs redo") << 3 << 12 << "Znovu";
    QTest::newRow("fr undo") << 2 << 11 << "Annuler";
    QTest::newRow("fr redo") << 2 << 12 << "Rétablir";
}

void tst_MessageTable::controlTexts()
{
    QFETCH(int, language);
    QFETCH(int, field);
    QFETCH(QString, expected);

    const auto texts = MessageControlTextsFor(quint8(language));
    QVERIFY(texts);
    QCOMPARE(controlTextList(*texts).at(field), expected);
}

void tst_MessageTable::controlTextsUnknownLanguage()
{
    QVERIFY(!MessageControlTextsFor(4));
}

QTEST_GUILESS_MAIN(tst_MessageTable)
#include "tst_MessageTable.moc"
