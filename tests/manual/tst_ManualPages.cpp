#include "ManualPages.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <cmath>

// The manual's page layout on small pages, where a few paragraphs fill one.
class tst_ManualPages : public QObject
{
    Q_OBJECT

private slots:
    void tablesStayOnOnePage_data();
    void tablesStayOnOnePage();
    void headingNeverEndsAPage();
    void contentsListsThePagesHeadingsEndUpOn();
    void picturesAreFittedAndMissingOnesNamed();
};

namespace {

const QSizeF Page(360, 260);

// Short paragraphs, so that a few more or less move what follows in small steps.
QString paragraphs(int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("Paragraph %1.\n\n").arg(i);
    return text;
}

const QString Table = QStringLiteral("| Field | Value |\n|---|---|\n| a | 1 |\n| b | 2 |\n| c | 3 |\n| d | 4 |\n\n");

int pageOf(qreal y)
{
    return int(std::floor(y / Page.height()));
}

void setUp(QTextDocument &document, const QString &markdown)
{
    document.setPageSize(Page);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
}

// The last block with the text: the body's, not the contents' entry for it.
QTextBlock blockWithText(const QTextDocument &document, const QString &text)
{
    for (QTextBlock block = document.lastBlock(); block.isValid(); block = block.previous()) {
        if (block.text() == text)
            return block;
    }
    return {};
}

// Where a block's text begins: a line that does not fit moves to the next page and
// leaves the block's rectangle behind.
qreal textTop(const QTextBlock &block)
{
    return block.layout()->position().y() + block.layout()->lineAt(0).y();
}

} // namespace

void tst_ManualPages::tablesStayOnOnePage_data()
{
    QTest::addColumn<QString>("markdown");
    QTest::addColumn<QString>("introduction");
    // Paragraphs before the table shift it across the first page end.
    for (int count = 1; count <= 12; ++count) {
        QTest::addRow("after %d paragraphs", count) << paragraphs(count) + Table << QString();
        QTest::addRow("after %d paragraphs and a heading", count)
            << paragraphs(count) + QStringLiteral("## Fields\n\n") + Table << QStringLiteral("Fields");
        QTest::addRow("after %d paragraphs and an introduction", count)
            << paragraphs(count) + QStringLiteral("The fields:\n\n") + Table << QStringLiteral("The fields:");
    }
}

void tst_ManualPages::tablesStayOnOnePage()
{
    QFETCH(QString, markdown);
    QFETCH(QString, introduction);
    QTextDocument document;
    setUp(document, markdown);
    paginate(document);

    QTextTable *table = nullptr;
    for (QTextFrame *frame : document.rootFrame()->childFrames())
        table = qobject_cast<QTextTable *>(frame);
    QVERIFY(table);
    const QRectF rect = document.documentLayout()->frameBoundingRect(table);
    QCOMPARE(pageOf(rect.bottom() - 1), pageOf(rect.top()));
    if (!introduction.isEmpty()) {
        const QTextBlock intro = blockWithText(document, introduction);
        QCOMPARE(pageOf(textTop(intro)), pageOf(rect.top()));
    }
}

void tst_ManualPages::headingNeverEndsAPage()
{
    // Shift a heading through the end of the first page, one paragraph at a time.
    for (int count = 1; count <= 14; ++count) {
        QTextDocument document;
        setUp(document, paragraphs(count) + QStringLiteral("## Next\n\n") + paragraphs(3));
        paginate(document);
        const QTextBlock heading = blockWithText(document, QStringLiteral("Next"));
        QVERIFY(heading.isValid());
        QVERIFY2(pageOf(textTop(heading)) == pageOf(textTop(heading.next())), qPrintable(QString::number(count)));
    }
}

void tst_ManualPages::contentsListsThePagesHeadingsEndUpOn()
{
    QTextDocument document;
    setUp(document, QStringLiteral("# Title\n\nIntroduction.\n\n## One\n\n") + paragraphs(12) +
                        QStringLiteral("### One and a half\n\n") + paragraphs(12) + QStringLiteral("## Two\n\n") +
                        paragraphs(2));
    insertContents(document, QStringLiteral("Contents"));
    const QList<ManualHeading> headings = paginate(document);

    QCOMPARE(headings.size(), 4);
    QCOMPARE(headings.at(0).title, QStringLiteral("Contents"));
    QCOMPARE(headings.at(0).page, 0);
    // The first chapter begins the page after the contents.
    QCOMPARE(headings.at(1).title, QStringLiteral("One"));
    QCOMPARE(headings.at(1).page, 1);
    QCOMPARE(headings.at(2).level, 3);
    QVERIFY(headings.at(3).page > headings.at(2).page);

    QTextTable *contents = nullptr;
    for (QTextFrame *frame : document.rootFrame()->childFrames())
        contents = qobject_cast<QTextTable *>(frame);
    QVERIFY(contents);
    QCOMPARE(contents->rows(), 3);
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(contents->cellAt(row, 0).firstCursorPosition().block().text(), headings.at(row + 1).title);
        QCOMPARE(contents->cellAt(row, 1).firstCursorPosition().block().text(),
                 QString::number(headings.at(row + 1).page + 1));
    }
    // What a heading's top says is where the layout put it.
    const QTextBlock two = blockWithText(document, QStringLiteral("Two"));
    QCOMPARE(headings.at(3).page * Page.height() + headings.at(3).top, textTop(two));
}

void tst_ManualPages::picturesAreFittedAndMissingOnesNamed()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("images")));
    QImage wide(800, 400, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    QVERIFY(wide.save(folder.filePath(QStringLiteral("images/wide.png"))));

    QTextDocument document;
    setUp(document, QStringLiteral("![wide](images/wide.png)\n\n![gone](images/gone.png)\n"));
    const QStringList missing = placePictures(document, folder.path(), 200, 300);
    QCOMPARE(missing, QStringList{QStringLiteral("images/gone.png")});
    const QTextImageFormat placed = document.begin().begin().fragment().charFormat().toImageFormat();
    QCOMPARE(placed.width(), 200.0);
    QCOMPARE(placed.height(), 100.0);
}

QTEST_MAIN(tst_ManualPages)
#include "tst_ManualPages.moc"
