// korvo-manual-pdf: turns one Markdown manual into a PDF at build time.
//
//   korvo-manual-pdf [--pictures DIR] [--contents TITLE] INPUT.md OUTPUT.pdf
//
// Uses only Qt's own Markdown reader and PDF writer. Runs without a display
// (QT_QPA_PLATFORM=offscreen). The document title is the first level-one heading;
// "@VERSION@" in the text becomes the program's version. Pictures named by a relative
// path are looked up in DIR (by default the folder of INPUT.md); one that is missing
// fails the build. With --contents the PDF gets a contents table headed TITLE; it
// always gets bookmarks of its chapters and sections.

#include "ManualPages.h"
#include "PdfOutline.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdio>

namespace {

constexpr int Resolution = 300;
constexpr qreal PointsPerInch = 72;

int fail(const QString &text)
{
    std::fprintf(stderr, "korvo-manual-pdf: %s\n", qPrintable(text));
    return 1;
}

// Every page from the document's layout, with the page number beneath the text.
void paintPages(QTextDocument &document, QPdfWriter &writer, qreal bottomMarginPixels)
{
    QPainter painter(&writer);
    const QSizeF page = document.pageSize();
    QFont footerFont(QStringLiteral("Liberation Sans"));
    footerFont.setPointSizeF(8.5);
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            writer.newPage();
        painter.save();
        const QRectF view(0, index * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        if (index > 0) {
            painter.setFont(footerFont);
            painter.setPen(Qt::darkGray);
            painter.drawText(QRectF(0, page.height() + bottomMarginPixels * 0.3, page.width(), bottomMarginPixels * 0.4),
                             Qt::AlignHCenter | Qt::AlignVCenter, QString::number(index + 1));
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption picturesOption(QStringLiteral("pictures"),
                                            QStringLiteral("Folder of the pictures named by a relative path."),
                                            QStringLiteral("DIR"));
    const QCommandLineOption contentsOption(QStringLiteral("contents"),
                                            QStringLiteral("Put a contents table headed TITLE after the title."),
                                            QStringLiteral("TITLE"));
    parser.addOption(picturesOption);
    parser.addOption(contentsOption);
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("The manual in Markdown."));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("The PDF to write."));
    parser.process(app);
    if (parser.positionalArguments().size() != 2) {
        std::fputs("usage: korvo-manual-pdf [--pictures DIR] [--contents TITLE] INPUT.md OUTPUT.pdf\n", stderr);
        return 2;
    }
    const QString inputPath = parser.positionalArguments().at(0);
    const QString outputPath = parser.positionalArguments().at(1);
    const QString picturesFolder =
        parser.isSet(picturesOption) ? parser.value(picturesOption) : QFileInfo(inputPath).absolutePath();

    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(inputPath, input.errorString()));
    // The manuals name the version of the build they come with.
    const QString markdown =
        QString::fromUtf8(input.readAll()).replace(QLatin1String("@VERSION@"), QLatin1String(KORVO_VERSION));
    static const QRegularExpression heading(QStringLiteral("^# (.+)$"), QRegularExpression::MultilineOption);
    const QString title = heading.match(markdown).captured(1).trimmed();

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("korvo-manual-pdf"));
    writer.setResolution(Resolution);
    const QMarginsF marginsMm(20, 18, 20, 18);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, marginsMm, QPageLayout::Millimeter));

    QTextDocument document;
    // Laid out for the writer itself, so that text is measured as it is printed; the
    // page is the area inside the margins, in the writer's pixels.
    document.documentLayout()->setPaintDevice(&writer);
    document.setPageSize(QSizeF(writer.width(), writer.height()));
    document.setDocumentMargin(0);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    document.setMetaInformation(QTextDocument::DocumentTitle, title);

    // Picture sizes are in screen pixels (96 to the inch), which the layout scales to
    // the writer's.
    const qreal screenScale = qreal(writer.logicalDpiX()) / 96.0;
    const QStringList missing =
        placePictures(document, picturesFolder, writer.width() * 0.8 / screenScale, writer.height() * 0.45 / screenScale);
    if (!missing.isEmpty())
        return fail(QStringLiteral("%1: pictures not found in %2: %3")
                        .arg(inputPath, picturesFolder, missing.join(QStringLiteral(", "))));
    if (parser.isSet(contentsOption))
        insertContents(document, parser.value(contentsOption));
    const QList<ManualHeading> headings = paginate(document);

    const QMarginsF marginsPoints = writer.pageLayout().margins(QPageLayout::Point);
    const qreal pointsPerPixel = PointsPerInch / Resolution;
    // The painter's end finishes the file.
    paintPages(document, writer, marginsPoints.bottom() / pointsPerPixel);

    QList<PdfBookmark> bookmarks;
    for (const ManualHeading &found : headings)
        bookmarks.append({found.title, found.level == 2 ? 1 : 2, found.page, marginsPoints.top() + found.top * pointsPerPixel});
    QString error;
    const QByteArray withOutline = addPdfOutline(pdf.data(), bookmarks, &error);
    if (withOutline.isEmpty())
        return fail(QStringLiteral("%1: no bookmarks: %2").arg(outputPath, error));

    // Written beside the target and renamed over it only when complete, so an interrupted
    // build never leaves a half PDF that looks up to date.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(withOutline) != withOutline.size() || !output.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(outputPath, output.errorString()));
    return 0;
}
