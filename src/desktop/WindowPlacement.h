#pragma once

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>

// Where a window may go on the screens there are, as rectangles in the desktop's
// coordinates. Places and sizes read from a file can be any int; everything here is
// safe with them and hands back rectangles inside an available area.
class WindowPlacement
{
public:
    // The available areas of the screens (without panels and docks), the primary first.
    // With none, a single area of 1024 x 768 stands in.
    explicit WindowPlacement(QList<QRect> availableAreas);

    // A place and size read from a file, each held where rectangle arithmetic cannot
    // overflow. A width or height below 1 gives an empty rectangle: not known.
    static QRect boundedSavedPlace(qint64 left, qint64 top, qint64 width, qint64 height);

    // The area a window at outer rectangle place belongs on: the one it overlaps most,
    // else the primary one.
    QRect areaFor(const QRect &place) const;
    QRect primaryArea() const { return m_areas.first(); }

    // The outer rectangle moved, and where it is larger than area cut at its right and
    // bottom, so that it lies inside area; the top-left corner (title bar and menu bar)
    // is kept on screen first.
    static QRect bringInside(const QRect &outer, const QRect &area);

    // The outer rectangle centred on area as (area - size) / 2, truncated toward zero,
    // then brought inside it.
    static QRect centred(QSize outer, const QRect &area);

    // A saved outer place brought onto the screen it belongs on; when it does not meet
    // any screen at all, or is not known, centred on the primary area. The size is the
    // saved one held to the area, or fallbackSize when none is saved.
    QRect restore(const QRect &saved, QSize fallbackSize) const;

private:
    QList<QRect> m_areas;
};

// What of a window's place the settings file gets at exit. Where the platform cannot
// tell where a window is (Wayland), the place read at start-up is kept; where the
// toolkit draws the frame itself, the window's own size is kept rather than the
// decorated one.
struct PlaceToSave
{
    bool positionKnown = true;         // the platform reports window positions
    bool frameIsWindowManagers = true; // the frame comes from the desktop, not from the toolkit
};
QRect placeToSave(const PlaceToSave &platform, const QRect &previous, const QRect &frame, const QRect &own);
