#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <future>
#include <utility>

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
// The same pictures as images, which any thread may draw.
QImage logoImage(qreal devicePixelRatio = 1.0);
QImage triggerWheelImage(qreal devicePixelRatio = 1.0);

// The main window's logo and trigger wheel, drawn on a thread of their own while the
// window builds its controls: their paths and their four text sizes cost about as much
// as the controls beside them. take() waits for them and hands them over as pixmaps,
// in the GUI thread.
class StartPictures
{
public:
    explicit StartPictures(qreal devicePixelRatio);
    ~StartPictures();
    StartPictures(const StartPictures &) = delete;
    StartPictures &operator=(const StartPictures &) = delete;

    void take(QPixmap &logo, QPixmap &wheel);

private:
    std::future<std::pair<QImage, QImage>> m_images;
};

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
