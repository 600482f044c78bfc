#pragma once

#include "CurveGraphMapping.h"
#include "IgnitionParameters.h"
#include "RecordingVisits.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QPainter;

// The advance curve as a graph, in a window of its own beside the main window: the ten
// points joined by lines, the limiter, the point the live engine speed is nearest to
// (as the editor marks it), and while a unit is connected the live point with a trail
// of the last 10 seconds.
//
// A recording being looked at adds how often the engine ran in each cell of speed and
// advance, shaded beneath the curve, and the row at its cursor as a second live point
// with its own trail, in the recording's time.
//
// A point is dragged with the mouse, or selected by a click and moved with the arrow
// keys, in steps of 100 rpm and 1 degree. The graph changes no set itself: it hands the
// point's new values to pointEdited, which runs them through the editor, and shows
// whatever set it is given next.
class TFormCurve : public QWidget
{
    Q_OBJECT

public:
    static constexpr qint64 TrailMs = 10000;
    static constexpr int PickRadius = 9;

    explicit TFormCurve(QWidget *parent = nullptr);

    struct Texts
    {
        QString caption;
        QString rpmAxis;
        QString advanceAxis;
        QString limiter;
    };
    void setTexts(const Texts &texts);

    // The set and the marked point; repaints only when any of it differs from what is shown.
    void showSet(const IgnitionParameters &set, int currentPoint, bool noCurvePoint);
    // A live frame at nowMs (a steady clock): the live point moves, the trail grows and
    // fades. Repaints only the part of the graph the trail covers.
    void showLive(int rpm, int advanceDeg, qint64 nowMs);
    // No unit: the live point and its trail go.
    void showNoLive();

    // The cells of a recording, shaded by how often they were visited; null for none.
    void showVisits(std::shared_ptr<const RecordingVisits> visits);
    // The row at a recording's cursor, at `recordingMs` of that recording. A cursor that
    // jumps back or far ahead starts a new trail.
    void showRecordedPoint(int rpm, int advanceDeg, qint64 recordingMs);
    void showNoRecordedPoint();
    bool visitsShown() const { return m_visits != nullptr; }
    // The newest recorded point as (rpm, degrees); false when none is shown.
    bool recordedPoint(int &rpm, int &advanceDeg) const;

    // A second set drawn over the shown one in its own colour, with a legend naming both:
    // two sets side by side. The second is only looked at, never edited.
    void showOverlay(const IgnitionParameters &other, const QString &shownLabel, const QString &otherLabel);
    void showNoOverlay();
    bool overlayShown() const { return m_overlay.has_value(); }
    const IgnitionParameters *overlaySet() const { return m_overlay ? &m_overlay->set : nullptr; }
    // No point can be moved: a graph that only shows.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    // Index, engine speed (rpm) and advance (degrees) of a point the user moved.
    std::function<void(int index, int rpm, int advanceDeg)> pointEdited;

    int selectedPoint() const { return m_selected; }
    bool dragging() const { return m_dragging; }
    const CurveGraphMapping &mapping() const { return m_mapping; }
    const IgnitionParameters &shownSet() const { return m_set; }
    bool liveShown() const { return m_live.count > 0; }
    // What the last paint drew over (for tests of partial repaints).
    QRect lastPaintedRect() const { return m_lastPainted; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct TrailPoint
    {
        qint64 ms = 0;
        int rpm = 0;
        int advance = 0;
    };
    static constexpr int TrailCapacity = 128;
    // Points, oldest first from start, in a fixed ring; those older than TrailMs drop off.
    struct Trail
    {
        std::array<TrailPoint, TrailCapacity> points{};
        int start = 0;
        int count = 0;
        const TrailPoint &at(int k) const { return points[size_t((start + k) % TrailCapacity)]; }
        const TrailPoint &newest() const { return at(count - 1); }
        void add(const TrailPoint &point);
    };

    void updateMapping();
    QRect trailArea(const Trail &trail) const;
    void drawTrail(QPainter &p, const Trail &trail) const;
    // The curve as drawn: the set, or during a drag the set with the point where it would go.
    const IgnitionParameters &drawnSet() const { return m_dragging ? m_preview : m_set; }

    Texts m_texts;
    IgnitionParameters m_set;
    int m_currentPoint = 0;
    bool m_noCurvePoint = true;
    bool m_haveSet = false;
    CurveGraphMapping m_mapping;

    int m_selected = -1;
    bool m_dragging = false;
    QPointF m_grabOffset;
    IgnitionParameters m_preview;
    int m_dragRpm = 0;
    int m_dragAdvance = 0;

    Trail m_live;     // live frames, in a steady clock
    Trail m_recorded; // rows of a recording, in its time
    std::shared_ptr<const RecordingVisits> m_visits;
    QRect m_lastPainted;

    struct Overlay
    {
        IgnitionParameters set;
        QString shownLabel;
        QString otherLabel;
    };
    std::optional<Overlay> m_overlay;
    bool m_readOnly = false;
    void drawOverlay(QPainter &p) const;
};
