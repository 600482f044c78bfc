#pragma once

#include <QLabel>

class QFontMetrics;

// path shortened to width: whole when it fits, else its folder shortened in the middle
// with an ellipsis, so that the file name, which tells the files apart, stays whole.
QString elideFilePath(const QString &path, const QFontMetrics &metrics, int width);

// The label of the current parameter file. Its text is the whole path, as the settings
// keep it; on screen (and so on the printout) a path too long for the label is shortened
// in the middle, and the whole path is its tooltip.
class FileNameLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    // Hides QLabel::setText, which is not virtual: the window sets file names through
    // this type, so the tooltip follows the path.
    void setText(const QString &path);
    // What the label shows for its text at its present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
