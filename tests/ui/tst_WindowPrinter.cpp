#include "PdfPages.h"
#include "WindowPrinter.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTest>

// The page of the window without a printer: a PDF of one page in a folder of our choice.
class tst_WindowPrinter : public QObject
{
    Q_OBJECT

private slots:
    void pdfName();
    void onePagePdfInANewFolder();
    void printoutsDoNotOverwriteEachOther();
    void folderThatCannotBeMade_data();
    void folderThatCannotBeMade();

private:
    static QImage windowImage()
    {
        QImage image(753, 776, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
};

void tst_WindowPrinter::pdfName()
{
    QCOMPARE(printoutPdfName(QDateTime(QDate(2026, 12, 9), QTime(23, 15, 0))),
             QStringLiteral("Korvo_TCI_2026-12-09_231500.pdf"));
    QCOMPARE(printoutPdfName(QDateTime(QDate(2027, 1, 2), QTime(3, 4, 5))),
             QStringLiteral("Korvo_TCI_2027-01-02_030405.pdf"));
}

void tst_WindowPrinter::onePagePdfInANewFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("Documents/prints"));
    const PrintOutcome outcome = printWindowImage(windowImage(), QPrinterInfo(), folder);
    QVERIFY2(outcome.ok, qPrintable(printFailureText(outcome, 0)));
    QVERIFY(outcome.printer.isEmpty());
    QCOMPARE(QFileInfo(outcome.pdfPath).absolutePath(), QFileInfo(folder).absoluteFilePath());
    static const QRegularExpression name(QStringLiteral("^Korvo_TCI_\\d{4}-\\d\\d-\\d\\d_\\d{6}\\.pdf$"));
    QVERIFY2(name.match(QFileInfo(outcome.pdfPath).fileName()).hasMatch(), qPrintable(outcome.pdfPath));
    QCOMPARE(pdfPageCount(outcome.pdfPath), 1);
}

void tst_WindowPrinter::printoutsDoNotOverwriteEachOther()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QStringList paths;
    for (int i = 0; i < 3; ++i) {
        const PrintOutcome outcome = printWindowImage(windowImage(), QPrinterInfo(), dir.path());
        QVERIFY2(outcome.ok, qPrintable(printFailureText(outcome, 0)));
        paths.append(outcome.pdfPath);
    }
    paths.removeDuplicates();
    QCOMPARE(paths.size(), 3);
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.pdf")}).size(), 3);
}

void tst_WindowPrinter::folderThatCannotBeMade_data()
{
    QTest::addColumn<QString>("folder"); // relative to a temporary folder; "" for none at all
    QTest::newRow("no folder") << QString();
    QTest::newRow("a file in the way") << QStringLiteral("Documents");
    QTest::newRow("below a file") << QStringLiteral("Documents/prints");
}

void tst_WindowPrinter::folderThatCannotBeMade()
{
    QFETCH(QString, folder);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile blocker(dir.filePath(QStringLiteral("Documents")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = folder.isEmpty() ? QString() : dir.filePath(folder);
    const PrintOutcome outcome = printWindowImage(windowImage(), QPrinterInfo(), path);
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.failure, PrintFailure::Folder);
    QVERIFY(!printFailureText(outcome, 0).isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Documents")});
}

QTEST_MAIN(tst_WindowPrinter)
#include "tst_WindowPrinter.moc"
