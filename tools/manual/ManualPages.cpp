#include "ManualPages.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <cmath>

namespace {

// Marks the contents' heading and table so that they are not listed in themselves.
constexpr int ContentsProperty = QTextFormat::UserProperty + 1;

int pageOf(const QTextDocument &document, qreal y)
{
    return int(std::floor(y / document.pageSize().height()));
}

bool isContents(const QTextFormat &format)
{
    return format.boolProperty(ContentsProperty);
}

// One thing laid out in the root frame: a block or a table.
struct Item {
    QTextBlock block;
    QTextFrame *frame = nullptr;
    QRectF rect;
};

QList<Item> rootItems(QTextDocument &document)
{
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    QList<Item> items;
    for (QTextFrame::iterator it = document.rootFrame()->begin(); !it.atEnd(); ++it) {
        Item item;
        if (QTextFrame *frame = it.currentFrame()) {
            item.frame = frame;
            item.rect = layout->frameBoundingRect(frame);
        } else {
            item.block = it.currentBlock();
            item.rect = layout->blockBoundingRect(item.block);
            // A line that does not fit a page moves to the next one and leaves its block's
            // rectangle behind: the block is where its first line is.
            const QTextLayout *lines = item.block.layout();
            if (lines && lines->lineCount() > 0)
                item.rect.setTop(lines->position().y() + lines->lineAt(0).y());
        }
        items.append(item);
    }
    return items;
}

bool breaksBefore(const QTextBlock &block)
{
    return block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

void setBreak(const QTextBlock &block, QTextFormat::PageBreakFlag flag)
{
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(format.pageBreakPolicy() | flag);
    QTextCursor(block).setBlockFormat(format);
}

bool isHeading(const Item &item)
{
    return !item.frame && item.block.blockFormat().headingLevel() > 0;
}

// Moves the first table, heading or introduction that the page end cuts off from its
// content to the next page; false when there is none. One at a time, since each move
// shifts the rest.
bool moveFirstCutItem(QTextDocument &document)
{
    const QList<Item> items = rootItems(document);
    const qreal pageHeight = document.pageSize().height();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const Item &item = items.at(i);
        if (item.rect.height() <= 0)
            continue;
        const int firstPage = pageOf(document, item.rect.top());
        if (item.frame) {
            const bool cut = pageOf(document, item.rect.bottom() - 1) != firstPage;
            // A table taller than a page breaks anyway; its header row repeats.
            if (!cut || item.rect.height() >= pageHeight * 0.9 || i == 0)
                continue;
            const Item &before = items.at(i - 1);
            if (before.frame)
                continue;
            // The heading or sentence that introduces the table goes along with it.
            if (!breaksBefore(before.block) && (isHeading(before) || before.block.text().endsWith(u':'))) {
                const bool headingAbove = i >= 2 && isHeading(items.at(i - 2)) && !breaksBefore(items.at(i - 2).block);
                setBreak(headingAbove ? items.at(i - 2).block : before.block, QTextFormat::PageBreak_AlwaysBefore);
                return true;
            }
            if (!(before.block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)) {
                setBreak(before.block, QTextFormat::PageBreak_AlwaysAfter);
                return true;
            }
            continue;
        }
        // A heading, or a sentence that ends in a colon, belongs with what follows it.
        const bool introduces = isHeading(item) || item.block.text().endsWith(u':');
        if (introduces && !breaksBefore(item.block) && i + 1 < items.size() &&
            pageOf(document, items.at(i + 1).rect.top()) > firstPage) {
            setBreak(item.block, QTextFormat::PageBreak_AlwaysBefore);
            return true;
        }
    }
    return false;
}

QTextTable *contentsTable(QTextDocument &document)
{
    for (QTextFrame *frame : document.rootFrame()->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(frame); table && isContents(table->format()))
            return table;
    }
    return nullptr;
}

QList<ManualHeading> headings(QTextDocument &document)
{
    QList<ManualHeading> result;
    for (const Item &item : rootItems(document)) {
        if (!isHeading(item))
            continue;
        const int level = item.block.blockFormat().headingLevel();
        if (level < 2 || level > 3)
            continue;
        ManualHeading heading;
        heading.title = item.block.text();
        heading.level = level;
        heading.page = pageOf(document, item.rect.top());
        heading.top = item.rect.top() - heading.page * document.pageSize().height();
        // The contents' own heading leads; it is not listed in the table.
        if (isContents(item.block.blockFormat()))
            result.prepend(heading);
        else
            result.append(heading);
    }
    return result;
}

// Writes the page numbers into the contents; true when one changed.
bool fillContents(QTextDocument &document, const QList<ManualHeading> &found)
{
    QTextTable *table = contentsTable(document);
    if (!table)
        return false;
    bool changed = false;
    // found.at(0) is the contents' own heading.
    for (int row = 0; row < table->rows() && row + 1 < found.size(); ++row) {
        const QString number = QString::number(found.at(row + 1).page + 1);
        const QTextTableCell cell = table->cellAt(row, 1);
        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        if (cursor.selectedText() != number) {
            cursor.insertText(number);
            changed = true;
        }
    }
    return changed;
}

} // namespace

QStringList placePictures(QTextDocument &document, const QString &folder, qreal maxWidth, qreal maxHeight)
{
    QStringList missing;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || !fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            const QString name = format.name();
            const QString path = QDir::isAbsolutePath(name) ? name : QDir(folder).filePath(name);
            const QImage image(path);
            if (image.isNull()) {
                missing.append(name);
                continue;
            }
            document.addResource(QTextDocument::ImageResource, QUrl(name), image);
            const qreal scale = qMin(1.0, qMin(maxWidth / image.width(), maxHeight / image.height()));
            format.setWidth(image.width() * scale);
            format.setHeight(image.height() * scale);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
    return missing;
}

void insertContents(QTextDocument &document, const QString &title)
{
    QList<Item> items = rootItems(document);
    QList<QString> entries;
    QList<int> levels;
    QTextBlock firstChapter;
    for (const Item &item : items) {
        if (!isHeading(item))
            continue;
        const int level = item.block.blockFormat().headingLevel();
        if (level == 2 && !firstChapter.isValid())
            firstChapter = item.block;
        if (firstChapter.isValid() && (level == 2 || level == 3)) {
            entries.append(item.block.text());
            levels.append(level);
        }
    }
    if (!firstChapter.isValid())
        return;

    QTextBlockFormat chapterFormat = firstChapter.blockFormat();
    QTextCursor headingText(firstChapter);
    headingText.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    const QTextCharFormat headingCharFormat = headingText.charFormat();

    // The chapter's text moves into a new block; the old one, left empty in front of
    // it, becomes the contents' heading.
    QTextCursor cursor(firstChapter);
    cursor.beginEditBlock();
    cursor.insertBlock(chapterFormat, headingCharFormat);
    chapterFormat.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(chapterFormat);
    cursor.movePosition(QTextCursor::PreviousBlock);
    QTextBlockFormat contentsFormat = firstChapter.blockFormat();
    contentsFormat.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
    contentsFormat.setProperty(ContentsProperty, true);
    cursor.setBlockFormat(contentsFormat);
    cursor.insertText(title, headingCharFormat);

    QTextTableFormat tableFormat;
    tableFormat.setBorder(0);
    tableFormat.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    tableFormat.setCellPadding(1.5);
    tableFormat.setCellSpacing(0);
    tableFormat.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tableFormat.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 92), QTextLength(QTextLength::PercentageLength, 8)});
    tableFormat.setProperty(ContentsProperty, true);
    QTextTable *table = cursor.insertTable(int(entries.size()), 2, tableFormat);
    for (int row = 0; row < entries.size(); ++row) {
        QTextCursor cell = table->cellAt(row, 0).firstCursorPosition();
        QTextBlockFormat entryFormat;
        entryFormat.setLeftMargin(levels.at(row) == 3 ? 24 : 0);
        cell.setBlockFormat(entryFormat);
        QTextCharFormat entryCharFormat;
        entryCharFormat.setFontWeight(levels.at(row) == 2 ? QFont::Bold : QFont::Normal);
        cell.insertText(entries.at(row), entryCharFormat);
        QTextCursor number = table->cellAt(row, 1).firstCursorPosition();
        QTextBlockFormat numberFormat;
        numberFormat.setAlignment(Qt::AlignRight);
        number.setBlockFormat(numberFormat);
        number.insertText(QStringLiteral("0"), entryCharFormat);
    }
    cursor.endEditBlock();
}

QList<ManualHeading> paginate(QTextDocument &document)
{
    // Each round either moves one item or renumbers the contents; both only push
    // things further down, so this ends well before the limit.
    for (int round = 0; round < 500; ++round) {
        document.documentLayout()->documentSize();
        if (moveFirstCutItem(document))
            continue;
        const QList<ManualHeading> found = headings(document);
        if (fillContents(document, found))
            continue;
        return found;
    }
    return headings(document);
}
