// korvo-manual-pdf: turns one Markdown manual into a PDF at build time.
//
//   korvo-manual-pdf INPUT.md OUTPUT.pdf
//
// Uses only Qt's own Markdown reader and PDF writer. Runs without a display
// (QT_QPA_PLATFORM=offscreen). The document title is the first level-one heading;
// "@VERSION@" in the text becomes the program's version.

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3) {
        std::fputs("usage: korvo-manual-pdf INPUT.md OUTPUT.pdf\n", stderr);
        return 2;
    }
    const QString inputPath = arguments.at(1);
    const QString outputPath = arguments.at(2);

    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "korvo-manual-pdf: cannot read %s: %s\n", qPrintable(inputPath),
                     qPrintable(input.errorString()));
        return 1;
    }
    // The manuals name the version of the build they come with.
    const QString markdown =
        QString::fromUtf8(input.readAll()).replace(QLatin1String("@VERSION@"), QLatin1String(KORVO_VERSION));
    static const QRegularExpression heading(QStringLiteral("^# (.+)$"), QRegularExpression::MultilineOption);
    const QString title = heading.match(markdown).captured(1).trimmed();

    QTextDocument document;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(10.5);
    document.setDefaultFont(font);
    document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    document.setMetaInformation(QTextDocument::DocumentTitle, title);

    // Written beside the target and renamed over it only when complete, so an interrupted
    // build never leaves a half PDF that looks up to date.
    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "korvo-manual-pdf: cannot write %s: %s\n", qPrintable(outputPath),
                     qPrintable(output.errorString()));
        return 1;
    }
    {
        QPdfWriter writer(&output);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("korvo-manual-pdf"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
        document.print(&writer);
    }
    if (!output.commit()) {
        std::fprintf(stderr, "korvo-manual-pdf: cannot write %s: %s\n", qPrintable(outputPath),
                     qPrintable(output.errorString()));
        return 1;
    }
    return 0;
}
