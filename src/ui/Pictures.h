#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;
class QRectF;

// The program's own pictures, drawn rather than shipped: the logo shown on the main
// window and in the About window, the trigger wheel beside the tooth settings, the
// tool-button pictures and the window icon. All have transparent backgrounds.

inline constexpr int LogoWidth = 162;
inline constexpr int LogoHeight = 83;
inline constexpr int WheelWidth = 200;
inline constexpr int WheelHeight = 267;

void drawLogo(QPainter &painter, const QRectF &rect);
QPixmap logoPixmap(qreal devicePixelRatio = 1.0);
QPixmap triggerWheelPixmap(qreal devicePixelRatio = 1.0);

enum class ToolPicture
{
    New,
    Open,
    Save,
    Print,
    Undo,
    Redo
};
// The desktop theme's icon when it has one, else our own 16 x 16 drawing; the greyed
// picture of the disabled state comes with the icon.
QIcon toolIcon(ToolPicture picture);
QIcon windowIcon();
