#include "WindowFit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

FittingScrollArea::FittingScrollArea(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
}

void FittingScrollArea::setRoom(const QSize &room)
{
    if (room == m_room)
        return;
    m_room = room;
    updateGeometry();
}

QSize FittingScrollArea::sizeHint() const
{
    if (!widget())
        return QScrollArea::sizeHint();
    const QSize content = widget()->size();
    if (!m_room.isValid())
        return content;
    // A scroll bar takes room of its own, which may make the other one needed too.
    QSize wanted = content;
    bool vertical = false;
    bool horizontal = false;
    for (int pass = 0; pass < 2; ++pass) {
        vertical = vertical || wanted.height() > m_room.height();
        horizontal = horizontal || wanted.width() > m_room.width();
        wanted = content + QSize(vertical ? verticalScrollBar()->sizeHint().width() : 0,
                                 horizontal ? horizontalScrollBar()->sizeHint().height() : 0);
    }
    return wanted.boundedTo(m_room);
}

WindowFit::WindowFit(QMainWindow *window, FittingScrollArea *scroll)
    : QObject(window), m_window(window), m_scroll(scroll)
{
    window->installEventFilter(this);
}

QList<QRect> WindowFit::availableAreas()
{
    QList<QRect> areas;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        areas.append(primary->availableGeometry());
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas.append(screen->availableGeometry());
    }
    return areas;
}

PlaceToSave WindowFit::platformPlaces()
{
    // A Wayland client is never told where its window is, and draws its frame itself.
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    return {!wayland, !wayland};
}

QMargins WindowFit::frameMargins() const
{
    const QRect frame = m_window->frameGeometry();
    const QRect own = m_window->geometry();
    return {own.left() - frame.left(), own.top() - frame.top(), frame.right() - own.right(),
            frame.bottom() - own.bottom()};
}

void WindowFit::fitInto(const QRect &area)
{
    const QMargins frame = frameMargins();
    const int menu = m_window->menuWidget() ? m_window->menuWidget()->sizeHint().height() : 0;
    m_scroll->setRoom(QSize(area.width() - frame.left() - frame.right(),
                            area.height() - frame.top() - frame.bottom() - menu));
    // The window's fixed size follows from the layout at once, not on the next event.
    // (Before the window is shown a child's updateGeometry() reaches no layout.)
    if (QLayout *layout = m_window->layout()) {
        layout->invalidate();
        layout->activate();
    }
    m_window->adjustSize();
}

void WindowFit::place(std::optional<QPoint> savedTopLeft)
{
    const WindowPlacement placement(availableAreas());
    QSize outer = m_window->frameGeometry().size();
    if (savedTopLeft)
        m_loaded = WindowPlacement::boundedSavedPlace(savedTopLeft->x(), savedTopLeft->y(), outer.width(),
                                                      outer.height());
    // First the size for the screen the window goes to, then its place there.
    const QRect wanted = m_loaded.isValid() ? m_loaded : QRect();
    QRect target = placement.restore(wanted, outer);
    fitInto(placement.areaFor(target));
    outer = m_window->frameGeometry().size();
    target = placement.restore(wanted.isValid() ? QRect(wanted.topLeft(), outer) : QRect(), outer);
    if (platformPlaces().positionKnown || !m_shown)
        m_window->move(target.topLeft());
}

QRect WindowFit::placeToSave() const
{
    const QRect previous = m_loaded.isValid() ? m_loaded : m_window->frameGeometry();
    return ::placeToSave(platformPlaces(), previous, m_window->frameGeometry(), m_window->geometry());
}

QRect WindowFit::restoreWindow(const QRect &saved, QSize fallbackSize)
{
    return WindowPlacement(availableAreas()).restore(saved, fallbackSize);
}

QRect WindowFit::placeToSave(const QWidget *window, const QRect &previous)
{
    // The frame's position and the inside's size, as move() and resize() take them.
    const QRect place(window->pos(), window->size());
    return ::placeToSave(platformPlaces(), previous.isValid() ? previous : place, place, place);
}

bool WindowFit::eventFilter(QObject *watched, QEvent *event)
{
    // The frame is known only once the window is on screen: place it again then, so that a
    // title bar the desktop added is not pushed off the top.
    if (watched == m_window && event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        // Moved to a screen of another size, the window takes the size that fits there.
        if (QWindow *handle = m_window->windowHandle()) {
            connect(handle, &QWindow::screenChanged, this, [this](QScreen *screen) {
                if (screen)
                    fitInto(screen->availableGeometry());
            });
        }
        QTimer::singleShot(0, this, [this] {
            const QRect frame = m_window->frameGeometry();
            if (frameMargins().isNull() || WindowPlacement(availableAreas()).areaFor(frame).contains(frame))
                return;
            const QRect saved = m_loaded;
            place(saved.isValid() ? std::optional<QPoint>(saved.topLeft()) : std::nullopt);
        });
    }
    return QObject::eventFilter(watched, event);
}
