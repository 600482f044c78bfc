#include "WindowPrinter.h"

#include "AddedTexts.h"
#include "PrintGeometry.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A name in folder that no file has yet: two printouts within one second get "_2", "_3"...
QString freePdfPath(const QDir &folder, const QDateTime &when)
{
    const QString name = printoutPdfName(when);
    QString path = folder.filePath(name);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QFileInfo(name).completeBaseName() + QStringLiteral("_%1.pdf").arg(n));
    return path;
}

} // namespace

QString printFailureText(const PrintOutcome &outcome, quint8 languageIndex)
{
    switch (outcome.failure) {
    case PrintFailure::None:
        return {};
    case PrintFailure::Folder:
        return AddedTextFor(AddedText::PrintFolderError, languageIndex).arg(outcome.subject);
    case PrintFailure::Printer:
        return AddedTextFor(AddedText::PrinterCannotPrint, languageIndex).arg(outcome.subject);
    case PrintFailure::PdfWrite:
        return AddedTextFor(AddedText::PdfWriteError, languageIndex).arg(outcome.subject);
    case PrintFailure::Painting:
        return AddedTextFor(AddedText::PrintFailed, languageIndex);
    }
    return {};
}

QString printoutPdfName(const QDateTime &when)
{
    return QStringLiteral("Korvo_TCI_") + when.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) +
           QStringLiteral(".pdf");
}

PrintOutcome printWindowImage(const QImage &image, const QString &pdfFolder)
{
    return printWindowImage(image, QPrinterInfo::defaultPrinter(), pdfFolder);
}

PrintOutcome printWindowImage(const QImage &image, const QPrinterInfo &info, const QString &pdfFolder)
{
    PrintOutcome outcome;
    QPrinter printer(QPrinter::HighResolution);
    if (!info.isNull()) {
        printer.setPrinterName(info.printerName());
        outcome.printer = info.printerName();
    } else {
        // Without a printer a default QPrinter falls back to a PDF with no file name and
        // fails to begin; give it one the user can find.
        if (pdfFolder.isEmpty() || !QDir().mkpath(pdfFolder)) {
            outcome.failure = PrintFailure::Folder;
            outcome.subject = QDir::toNativeSeparators(pdfFolder);
            return outcome;
        }
        outcome.pdfPath = freePdfPath(QDir(pdfFolder), QDateTime::currentDateTime());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outcome.pdfPath);
    }
    printer.setDocName(QStringLiteral("Korvo TCI"));
    printer.setFullPage(false);

    QPainter painter;
    if (!painter.begin(&printer)) {
        outcome.failure = outcome.pdfPath.isEmpty() ? PrintFailure::Printer : PrintFailure::PdfWrite;
        outcome.subject =
            outcome.pdfPath.isEmpty() ? outcome.printer : QDir::toNativeSeparators(outcome.pdfPath);
        return outcome;
    }
    // With the page not full, the painter's origin is the top-left of the printable area.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect target = printTargetRect(image.size(), page.size());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    if (!painter.end()) {
        outcome.failure = PrintFailure::Painting;
        return outcome;
    }
    if (!outcome.pdfPath.isEmpty() && QFileInfo(outcome.pdfPath).size() <= 0) {
        outcome.failure = PrintFailure::PdfWrite;
        outcome.subject = QDir::toNativeSeparators(outcome.pdfPath);
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}
