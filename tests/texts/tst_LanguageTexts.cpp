#include "LanguageTexts.h"

#include <QTest>

class tst_LanguageTexts : public QObject
{
    Q_OBJECT

private slots:
    void transferStart_data();
    void transferStart();
    void fileVersionMismatch_data();
    void fileVersionMismatch();
    void printStamp_data();
    void printStamp();
    void aboutCaption_data();
    void aboutCaption();
    void manualCommandLine();
};

void tst_LanguageTexts::transferStart_data()
{
    QTest::addColumn<int>("transfer");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("expected");

    const int program = int(TransferStart::Program);
    const int verify = int(TransferStart::Verify);
    const int read = int(TransferStart::Read);
    QTest::newRow("en program") << program << 0 << true << "Program device:";
    QTest::newRow("de program") << program << 1 << true << "Programmieren:";
    QTest::newRow("cs program") << program << 3 << true << "Programování:";
    QTest::newRow("en verify") << verify << 0 << true << "Verify device:";
    QTest::newRow("de verify") << verify << 1 << true << "Vergleichen:";
    QTest::newRow("cs verify") << verify << 3 << true << "Verifikace:";
    QTest::newRow("en read") << read << 0 << true << "Read device:";
    QTest::newRow("de read") << read << 1 << true << "Lesen:";
    QTest::newRow("cs read") << read << 3 << true << "Čtení:";
    QTest::newRow("fr program none") << program << 2 << false << "";
    QTest::newRow("fr read none") << read << 2 << false << "";
    QTest::newRow("unknown none") << verify << 4 << false << "";
}

void tst_LanguageTexts::transferStart()
{
    QFETCH(int, transfer);
    QFETCH(int, language);
    QFETCH(bool, present);
    QFETCH(QString, expected);

    const auto caption = TransferStartCaption(TransferStart(transfer), quint8(language));
    QCOMPARE(caption.has_value(), present);
    if (present)
        QCOMPARE(*caption, expected);
}

void tst_LanguageTexts::fileVersionMismatch_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("English") << 0 << "Unmatched version of *.ign file!";
    // Not the German message-table text of the same meaning.
    QTest::newRow("German") << 1 << "Uneinig Version der Datendatei *.ign!";
    QTest::newRow("French") << 2 << "Programme du fichier non compatible avec programme PC!";
    QTest::newRow("Czech") << 3 << "Neshodná verze souboru *.ign!";
    QTest::newRow("unknown") << 9 << "Unmatched version of *.ign file!";
}

void tst_LanguageTexts::fileVersionMismatch()
{
    QFETCH(int, language);
    QFETCH(QString, expected);

    QCOMPARE(FileVersionMismatchText(quint8(language)), expected);
}

void tst_LanguageTexts::printStamp_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    // Capital T, unlike the message-table entry; German prints the English stamp.
    QTest::newRow("English") << 0 << "Date and Time of printing:  1/2/24    13:05:09";
    QTest::newRow("German") << 1 << "Date and Time of printing:  1/2/24    13:05:09";
    QTest::newRow("French") << 2 << "Date et heur de l´imprimé:   1/2/24    13:05:09";
    QTest::newRow("Czech") << 3 << "Datum a čas tisku:  1/2/24    13:05:09";
}

void tst_LanguageTexts::printStamp()
{
    QFETCH(int, language);
    QFETCH(QString, expected);

    QCOMPARE(PrintStampText(quint8(language), QStringLiteral("1/2/24"), QStringLiteral("13:05:09")),
             expected);
}

void tst_LanguageTexts::aboutCaption_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("expected");

    QTest::newRow("English") << 0 << "About Korvo_TCI";
    QTest::newRow("German") << 1 << "Über Programm Korvo_TCI";
    QTest::newRow("French") << 2 << "Information Korvo_TCI";
    QTest::newRow("Czech") << 3 << "O programu ZENTARA";
}

void tst_LanguageTexts::aboutCaption()
{
    QFETCH(int, language);
    QFETCH(QString, expected);

    QCOMPARE(AboutCaption(quint8(language)), std::optional(expected));
    QCOMPARE(AboutCaption(4), std::nullopt);
}

void tst_LanguageTexts::manualCommandLine()
{
    QCOMPARE(ManualCommandLine(3),
             std::optional(QStringLiteral("C:\\Program Files\\Microsoft Office\\Office\\WINWORD.EXE "
                                          "C:\\Quellmar\\Strada9\\Manual_Strada9_cz.doc")));
    QVERIFY(ManualCommandLine(1)->endsWith(QLatin1String("Manual_Strada9_de.doc")));
    QCOMPARE(ManualCommandLine(2), std::nullopt);
    QCOMPARE(ManualCommandLine(4), std::nullopt);
}

QTEST_GUILESS_MAIN(tst_LanguageTexts)
#include "tst_LanguageTexts.moc"
