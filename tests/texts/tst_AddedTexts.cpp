#include "AddedTexts.h"

#include <QTest>

class tst_AddedTexts : public QObject
{
    Q_OBJECT

private slots:
    void everyTextInEveryLanguage();
    void frenchAndUnknownGetEnglish();
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

void tst_AddedTexts::frenchAndUnknownGetEnglish()
{
    QCOMPARE(AddedTextFor(AddedText::SaveFileError, 0), QStringLiteral("Save file error"));
    QCOMPARE(AddedTextFor(AddedText::SaveFileError, 3), QStringLiteral("Chyba při ukládání souboru"));
    QCOMPARE(AddedTextFor(AddedText::SaveFileError, 2), QStringLiteral("Save file error"));
    QCOMPARE(AddedTextFor(AddedText::SaveFileError, 9), QStringLiteral("Save file error"));
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
