#include "WindowPlacement.h"

#include <algorithm>

namespace {

// Far beyond any desktop, yet so small that QRect's right = left + width - 1 stays
// inside an int.
constexpr qint64 PlaceLimit = 1 << 20;
constexpr qint64 SizeLimit = 1 << 16;

qint64 overlapArea(const QRect &a, const QRect &b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

} // namespace

WindowPlacement::WindowPlacement(QList<QRect> availableAreas) : m_areas(std::move(availableAreas))
{
    m_areas.removeIf([](const QRect &area) { return area.isEmpty(); });
    if (m_areas.isEmpty())
        m_areas.append(QRect(0, 0, 1024, 768));
}

QRect WindowPlacement::boundedSavedPlace(qint64 left, qint64 top, qint64 width, qint64 height)
{
    if (width < 1 || height < 1)
        return {};
    return {int(std::clamp(left, -PlaceLimit, PlaceLimit)), int(std::clamp(top, -PlaceLimit, PlaceLimit)),
            int(std::min(width, SizeLimit)), int(std::min(height, SizeLimit))};
}

QRect WindowPlacement::areaFor(const QRect &place) const
{
    const QRect bounded = boundedSavedPlace(place.x(), place.y(), place.width(), place.height());
    QRect best = m_areas.first();
    qint64 bestOverlap = 0;
    for (const QRect &area : m_areas) {
        const qint64 overlap = bounded.isEmpty() ? 0 : overlapArea(bounded, area);
        if (overlap > bestOverlap) {
            best = area;
            bestOverlap = overlap;
        }
    }
    return best;
}

QRect WindowPlacement::bringInside(const QRect &outer, const QRect &area)
{
    const QRect bounded = boundedSavedPlace(outer.x(), outer.y(), outer.width(), outer.height());
    const int width = std::min(bounded.width(), area.width());
    const int height = std::min(bounded.height(), area.height());
    // Right and bottom first, then left and top, so that a window as large as the area
    // ends at its top-left corner.
    const int left = std::max(std::min(bounded.x(), area.x() + area.width() - width), area.x());
    const int top = std::max(std::min(bounded.y(), area.y() + area.height() - height), area.y());
    return {left, top, width, height};
}

QRect WindowPlacement::centred(QSize outer, const QRect &area)
{
    const QRect place(area.x() + (area.width() - outer.width()) / 2,
                      area.y() + (area.height() - outer.height()) / 2, outer.width(), outer.height());
    return bringInside(place, area);
}

QRect WindowPlacement::restore(const QRect &saved, QSize fallbackSize) const
{
    const QRect bounded = boundedSavedPlace(saved.x(), saved.y(), saved.width(), saved.height());
    bool meets = false;
    for (const QRect &area : m_areas)
        meets = meets || overlapArea(bounded, area) > 0;
    if (!meets)
        return centred(bounded.isEmpty() ? fallbackSize : bounded.size(), primaryArea());
    return bringInside(bounded, areaFor(bounded));
}

QRect placeToSave(const PlaceToSave &platform, const QRect &previous, const QRect &frame, const QRect &own)
{
    const QRect size = platform.frameIsWindowManagers ? frame : own;
    const QPoint at = platform.positionKnown ? frame.topLeft() : previous.topLeft();
    return {at, size.size()};
}
