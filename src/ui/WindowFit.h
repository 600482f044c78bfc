#pragma once

#include "WindowPlacement.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QScrollArea>

#include <optional>

class QMainWindow;
class QWidget;

// A scroll area that is as large as the fixed-size widget in it, or as much of it as
// the room it is given allows; then it scrolls.
class FittingScrollArea : public QScrollArea
{
public:
    explicit FittingScrollArea(QWidget *parent = nullptr);
    // Empty: no limit.
    void setRoom(const QSize &room);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    QSize m_room;
};

// Keeps a window of fixed layout reachable on the screens there are: it shrinks to the
// available area (its fixed layout scrolling inside) and opens with its title and menu
// bar on screen wherever its place was saved. What it saves is only what the platform
// can tell.
class WindowFit : public QObject
{
public:
    WindowFit(QMainWindow *window, FittingScrollArea *scroll);

    // The available areas of the screens, the primary first.
    static QList<QRect> availableAreas();
    static PlaceToSave platformPlaces();

    // Puts the window at the saved outer top-left corner, or centred when none is known,
    // held to the screens; the saved place is remembered for saving where the platform
    // cannot tell the window's position.
    void place(std::optional<QPoint> savedTopLeft);
    // Outer place and size to write at exit.
    QRect placeToSave() const;

    // A separate window's saved place (frame position, inside size) brought onto the screens.
    static QRect restoreWindow(const QRect &saved, QSize fallbackSize);
    static QRect placeToSave(const QWidget *window, const QRect &previous);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitInto(const QRect &area);
    QMargins frameMargins() const;

    QMainWindow *m_window;
    FittingScrollArea *m_scroll;
    QRect m_loaded; // the outer place read at start-up
    bool m_shown = false;
};
