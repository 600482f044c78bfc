#include "PdfOutline.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// Bookmarks appended to a PDF that QPdfWriter wrote, read back by poppler as a viewer
// would.
class tst_PdfOutline : public QObject
{
    Q_OBJECT

private slots:
    void viewerReadsTheOutline();
    void refusesWhatItCannotRead_data();
    void refusesWhatItCannotRead();
};

namespace {

QByteArray pdfOfPages(int pages)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            painter.drawText(100, 100, QStringLiteral("Page %1").arg(page + 1));
        }
    }
    return buffer.data();
}

// poppler's output, or what went wrong.
QString run(const QString &program, const QStringList &arguments, QString *errors = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return QStringLiteral("%1 did not run: %2").arg(program, process.errorString());
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

void tst_PdfOutline::viewerReadsTheOutline()
{
    const QList<PdfBookmark> bookmarks = {
        {QStringLiteral("Contents"), 1, 0, 50},
        {QStringLiteral("Připojení zapalování"), 1, 1, 50},
        {QStringLiteral("Prüfen & Lesen (F7)"), 2, 1, 400},
        {QStringLiteral("Messages"), 1, 2, 50},
    };
    QString error;
    const QByteArray pdf = addPdfOutline(pdfOfPages(3), bookmarks, &error);
    QVERIFY2(!pdf.isEmpty(), qPrintable(error));

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("outline.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();

    QString complaints;
    const QString info = run(QStringLiteral("pdfinfo"), {path}, &complaints);
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+3"))), qPrintable(info));
    QVERIFY2(complaints.isEmpty(), qPrintable(complaints));

    const QString xml = run(QStringLiteral("pdftohtml"), {QStringLiteral("-xml"), QStringLiteral("-stdout"),
                                                          QStringLiteral("-i"), QStringLiteral("-q"), path});
    // Nested as given, each on its page, the titles as written.
    const QString flat = QString(xml).remove(u'\n');
    QVERIFY2(flat.contains(QStringLiteral("<outline><item page=\"1\">Contents</item>"
                                          "<item page=\"2\">Připojení zapalování</item>"
                                          "<outline><item page=\"2\">Prüfen &amp; Lesen (F7)</item></outline>"
                                          "<item page=\"3\">Messages</item></outline>")),
             qPrintable(xml));
}

void tst_PdfOutline::refusesWhatItCannotRead_data()
{
    QTest::addColumn<QByteArray>("pdf");
    QTest::addColumn<int>("page");
    QTest::newRow("not a PDF") << QByteArray("plain text\n") << 0;
    QTest::newRow("cut short") << pdfOfPages(2).left(400) << 0;
    QTest::newRow("page beyond the last") << pdfOfPages(2) << 2;
}

void tst_PdfOutline::refusesWhatItCannotRead()
{
    QFETCH(QByteArray, pdf);
    QFETCH(int, page);
    QString error;
    QVERIFY(addPdfOutline(pdf, {{QStringLiteral("Title"), 1, page, 10}}, &error).isEmpty());
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(tst_PdfOutline)
#include "tst_PdfOutline.moc"
