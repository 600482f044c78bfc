#pragma once

#include "CurveGraphMapping.h"
#include "IgnitionParameters.h"

#include <QWidget>

#include <array>
#include <functional>

// The advance curve as a graph, in a window of its own beside the main window: the ten
// points joined by lines, the limiter, the point the live engine speed is nearest to
// (as the editor marks it), and while a unit is connected the live point with a trail
// of the last 10 seconds.
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

    // Index, engine speed (rpm) and advance (degrees) of a point the user moved.
    std::function<void(int index, int rpm, int advanceDeg)> pointEdited;

    int selectedPoint() const { return m_selected; }
    bool dragging() const { return m_dragging; }
    const CurveGraphMapping &mapping() const { return m_mapping; }
    const IgnitionParameters &shownSet() const { return m_set; }
    bool liveShown() const { return m_trailCount > 0; }
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

    void updateMapping();
    QRect liveArea() const;
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

    // Live frames, oldest first from m_trailStart, in a fixed ring.
    std::array<TrailPoint, TrailCapacity> m_trail{};
    int m_trailStart = 0;
    int m_trailCount = 0;
    QRect m_lastPainted;
};
