#include "PrintGeometry.h"

namespace {

// a * b / c rounded to the nearest integer (halves up), for positive operands.
int mulDivRound(int a, int b, int c)
{
    return int((qint64(a) * b * 2 + c) / (qint64(c) * 2));
}

} // namespace

QRect printTargetRect(QSize image, QSize printable)
{
    if (image.isEmpty() || printable.isEmpty())
        return {};
    const int w = mulDivRound(image.width(), printable.height(), image.height());
    if (w < printable.width())
        return QRect(0, 0, w, printable.height());
    return QRect(0, 0, printable.width(), mulDivRound(image.height(), printable.width(), image.width()));
}
