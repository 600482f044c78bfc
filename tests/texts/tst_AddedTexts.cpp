#include "AddedTexts.h"

#include <QTest>

class tst_AddedTexts : public QObject
{
    Q_OBJECT

private slots:
    void everyTextInEveryLanguage();
    void frenchAndUnknownGetEnglish();
};

// A missing translation would show an empty message to a Czech or German user.
void tst_AddedTexts::everyTextInEveryLanguage()
{
    for (int i = 0; i < int(AddedText::Count); ++i) {
        const auto id = AddedText(i);
        for (quint8 language : {0, 1, 3})
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

QTEST_GUILESS_MAIN(tst_AddedTexts)
#include "tst_AddedTexts.moc"
