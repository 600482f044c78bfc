#include "FileNameLabel.h"

#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

QString elideFilePath(const QString &path, const QFontMetrics &metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(QDir::separator()));
    const QString name = path.mid(cut); // from the last separator on
    const QString folder = path.left(cut);
    const QString ellipsis(QChar(0x2026));
    const int room = width - metrics.horizontalAdvance(name);
    if (cut <= 0 || room <= metrics.horizontalAdvance(ellipsis))
        return ellipsis + name;
    const QString shortFolder = metrics.elidedText(folder, Qt::ElideMiddle, room);
    return (shortFolder.isEmpty() ? ellipsis : shortFolder) + name;
}

void FileNameLabel::setText(const QString &path)
{
    QLabel::setText(path);
    setToolTip(path);
}

QString FileNameLabel::shownText() const
{
    return elideFilePath(text(), fontMetrics(), contentsRect().width() - 2 * std::max(0, indent()));
}

void FileNameLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextSingleLine, palette(), isEnabled(),
                          shownText(), foregroundRole());
}
