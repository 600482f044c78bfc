#pragma once

#include <QRect>
#include <QSize>

// Where the window's image goes on the page when fitted: at the top-left of the
// printable area, keeping its proportions, as large as the page allows in one of the
// two directions. Sizes rounded to the nearest pixel. An empty image or page gives an
// empty rectangle.
QRect printTargetRect(QSize image, QSize printable);
