#pragma once

// Bookmarks for a PDF that Qt wrote: QPdfWriter has no outline of its own, so one is
// appended as an incremental update (new objects, a catalogue that names them, and a
// cross-reference section of its own), leaving every byte Qt wrote as it was.

#include <QByteArray>
#include <QList>
#include <QString>

struct PdfBookmark {
    QString title;
    int level = 1; // 1 top level, 2 beneath the top-level bookmark before it
    int page = 0;  // from 0
    qreal top = 0; // points from the top edge of the page
};

// The PDF with the bookmarks added; empty, with `error` set, when the file is not laid
// out as expected (no classic cross-reference table, page count differs, ...).
QByteArray addPdfOutline(const QByteArray &pdf, const QList<PdfBookmark> &bookmarks, QString *error);
