#pragma once

#include <QImage>
#include <QString>

class QDateTime;
class QPrinterInfo;

// What became of one printout.
struct PrintOutcome
{
    bool ok = false;
    QString pdfPath; // set when the page went to a PDF file
    QString printer; // the printer used, when one was
    QString error;   // why it failed
};

// Puts one image of the window on one page of the default printer, fitted to the page
// and placed at the top-left of the printable area. With no printer installed the page
// is written as a PDF into pdfFolder (created when missing) under a name with the date
// and time. Returns when the page has been handed over.
PrintOutcome printWindowImage(const QImage &image, const QString &pdfFolder);
// The same on a given printer; a null printer means the PDF file.
PrintOutcome printWindowImage(const QImage &image, const QPrinterInfo &printer, const QString &pdfFolder);

// The PDF file name used when there is no printer, e.g. "Korvo_TCI_2026-12-09_231500.pdf".
QString printoutPdfName(const QDateTime &when);
