#pragma once

#include <QImage>
#include <QString>

class QDateTime;
class QPrinterInfo;

// Why a printout failed.
enum class PrintFailure
{
    None,
    Folder,   // the PDF folder cannot be made
    Printer,  // the printer would not start the page
    PdfWrite, // the PDF file could not be written
    Painting  // the page could not be finished
};

// What became of one printout.
struct PrintOutcome
{
    bool ok = false;
    QString pdfPath; // set when the page went to a PDF file
    QString printer; // the printer used, when one was
    PrintFailure failure = PrintFailure::None;
    QString subject; // the folder, printer or file the failure is about
};

// Why a printout failed, in the interface language (0 English, 1 German, 3 Czech).
QString printFailureText(const PrintOutcome &outcome, quint8 languageIndex);

// Puts one image of the window on one page of the default printer, fitted to the page
// and placed at the top-left of the printable area. With no printer installed the page
// is written as a PDF into pdfFolder (created when missing) under a name with the date
// and time. Returns when the page has been handed over.
PrintOutcome printWindowImage(const QImage &image, const QString &pdfFolder);
// The same on a given printer; a null printer means the PDF file.
PrintOutcome printWindowImage(const QImage &image, const QPrinterInfo &printer, const QString &pdfFolder);

// The PDF file name used when there is no printer, e.g. "Korvo_TCI_2026-12-09_231500.pdf".
QString printoutPdfName(const QDateTime &when);
