#pragma once

#include "Recording.h"

#include <QWidget>

#include <array>
#include <memory>

// A recording's values over one shared time axis: engine speed, advance and supply
// voltage as lines, the switches and pickups as bands that are filled while on. Each
// pixel column draws the lowest and highest value of the rows that fall into it, so a
// redraw costs the same for a minute and for a dyno day.
//
// The cursor is a moment of the recording: a click or the arrow keys put it on a row.
// The wheel zooms the time axis around the pointer, dragging pans, 0 shows the whole
// recording, + and - zoom around the cursor. Zooming and panning never move the cursor.
class RecordingGraph : public QWidget
{
    Q_OBJECT

public:
    struct Texts
    {
        QString timeAxis;
        QString rpm;
        QString advance;
        QString volts;
        std::array<QString, Recording::FlagCount> flags;
    };

    explicit RecordingGraph(QWidget *parent = nullptr);

    void setRecording(std::shared_ptr<const Recording> recording);
    void setTexts(const Texts &texts);

    // The view: its first moment and its length, in ms of the recording.
    double viewStart() const { return m_viewStart; }
    double viewSpan() const { return m_viewSpan; }
    void setView(double startMs, double spanMs);
    void showWhole();
    // Zooms by factor (below 1 in, above 1 out) keeping the moment at x where it is.
    void zoomAt(double x, double factor);

    qint64 cursorMs() const { return m_cursorMs; }
    // Moves the cursor (held inside the recording), and the view with it when it would
    // leave it: as playback runs, the view turns over a page at a time.
    void setCursorMs(qint64 ms);

    // The plot area, in widget pixels; moments map onto its width.
    QRectF plot() const;
    double xFor(double ms) const;
    double msAt(double x) const;

signals:
    // The user moved the cursor (click or key), not a call of setCursorMs.
    void cursorMovedByUser(qint64 ms);
    // After every move of the cursor, whoever moved it.
    void cursorChanged(qint64 ms);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    double fullSpan() const;
    double minSpan() const;
    void moveCursorByUser(qint64 ms);

    std::shared_ptr<const Recording> m_recording;
    Texts m_texts;
    double m_viewStart = 0;
    double m_viewSpan = 1000;
    qint64 m_cursorMs = 0;
    // Scales of the lanes, from the recording's ranges.
    int m_rpmTop = 1000;
    int m_advanceTop = 10;
    double m_voltsBottom = 0;
    double m_voltsTop = 1;

    int m_marginLeft = 62;

    QPointF m_pressAt;
    double m_pressViewStart = 0;
    bool m_pressed = false;
    bool m_panning = false;
};
