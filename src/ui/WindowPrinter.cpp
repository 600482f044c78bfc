#include "WindowPrinter.h"

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
            outcome.error =
                QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(pdfFolder));
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
        outcome.error =
            outcome.pdfPath.isEmpty()
                ? QStringLiteral("The printer %1 cannot print.").arg(outcome.printer)
                : QStringLiteral("Cannot write %1").arg(QDir::toNativeSeparators(outcome.pdfPath));
        return outcome;
    }
    // With the page not full, the painter's origin is the top-left of the printable area.
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect target = printTargetRect(image.size(), page.size());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    if (!painter.end()) {
        outcome.error = QStringLiteral("Printing failed.");
        return outcome;
    }
    if (!outcome.pdfPath.isEmpty() && QFileInfo(outcome.pdfPath).size() <= 0) {
        outcome.error = QStringLiteral("Cannot write %1").arg(QDir::toNativeSeparators(outcome.pdfPath));
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}
