#include "AddedTexts.h"

#include <QTest>

class tst_AddedTexts : public QObject
{
    Q_OBJECT

private slots:
    void everyTextInEveryLanguage();
    void eachLanguageItsColumn_data();
    void eachLanguageItsColumn();
    void unknownIdIsEmpty();
    void placeholdersInEveryLanguage();
};

// A missing translation would show an empty message to a Czech or German user.
void tst_AddedTexts::everyTextInEveryLanguage()
{
    for (int i = 0; i < int(AddedText::Count); ++i) {
        const auto id = AddedText(i);
        for (quint8 language : {quint8(0), quint8(1), quint8(3)})
            QVERIFY2(!AddedTextFor(id, language).isEmpty(), qPrintable(QString("id %1, language %2").arg(i).arg(language)));
    }
}

// A column swapped in the table would show one language's text to another's users.
void tst_AddedTexts::eachLanguageItsColumn_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");
    QTest::newRow("English") << 0 << "Save file error";
    QTest::newRow("German") << 1 << "Fehler beim Speichern der Datei";
    QTest::newRow("French gets English") << 2 << "Save file error";
    QTest::newRow("Czech") << 3 << "Chyba při ukládání souboru";
    QTest::newRow("unknown gets English") << 9 << "Save file error";
}

void tst_AddedTexts::eachLanguageItsColumn()
{
    QFETCH(int, language);
    QFETCH(QString, expected);
    QCOMPARE(AddedTextFor(AddedText::SaveFileError, quint8(language)), expected);
}

void tst_AddedTexts::unknownIdIsEmpty()
{
    QCOMPARE(AddedTextFor(AddedText::Count, 0), QString());
}

// A translation that lost its %1 would drop the file or folder the message is about.
void tst_AddedTexts::placeholdersInEveryLanguage()
{
    for (int i = 0; i < int(AddedText::Count); ++i) {
        const auto id = AddedText(i);
        const bool english = AddedTextFor(id, 0).contains(QLatin1String("%1"));
        for (quint8 language : {quint8(1), quint8(3)})
            QVERIFY2(AddedTextFor(id, language).contains(QLatin1String("%1")) == english,
                     qPrintable(QString("id %1, language %2").arg(i).arg(language)));
    }
}

QTEST_GUILESS_MAIN(tst_AddedTexts)
#include "tst_AddedTexts.moc"
