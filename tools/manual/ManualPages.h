#pragma once

// The page layout of a manual: pictures fitted to the page, a contents table with page
// numbers, and tables and headings kept on one page with what they introduce.

#include <QList>
#include <QString>
#include <QStringList>

class QTextDocument;

struct ManualHeading {
    QString title;
    int level = 2; // 2 chapter, 3 section
    int page = 0;  // from 0
    qreal top = 0; // layout units from the top of the page's text area
};

// Loads each picture the document names, resolving relative names against `folder`,
// and scales it down to at most `maxWidth` by `maxHeight` layout units (the units of
// QTextImageFormat). Returns the names that could not be loaded.
QStringList placePictures(QTextDocument &document, const QString &folder, qreal maxWidth, qreal maxHeight);

// Puts a contents table, headed by `title`, in front of the first chapter, which then
// begins a page of its own. Does nothing when the document has no chapter.
void insertContents(QTextDocument &document, const QString &title);

// Lays the document out on its pages (QTextDocument::pageSize), moving every table
// that would break across a page and every heading that would end a page to the next
// one, and fills in the contents' page numbers. Returns the contents' own heading
// first, then the chapters and sections, each with the page it ends up on.
QList<ManualHeading> paginate(QTextDocument &document);
