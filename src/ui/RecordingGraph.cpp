#include "RecordingGraph.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int MarginLeftLeast = 62;
constexpr int MarginRight = 12;
constexpr int MarginTop = 8;
constexpr int MarginBottom = 36;
constexpr int LaneGap = 8;
constexpr int BandHeight = 13;
constexpr int BandGap = 3;
constexpr int DragThreshold = 3; // pixels before a press becomes a pan
// Shortest view: one millisecond a pixel.
constexpr double MsPerPixelMin = 1.0;

const QColor RpmColour(0, 70, 200);
const QColor AdvanceColour(0, 140, 60);
const QColor VoltsColour(200, 110, 0);
const QColor BandColour(120, 60, 170);
const QColor LaneBackground(Qt::white);
const QColor GridColour(225, 225, 225);
const QColor CursorColour(220, 0, 0);

double niceStep(double rough)
{
    const double power = std::pow(10.0, std::floor(std::log10(std::max(rough, 1e-9))));
    for (double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough)
            return factor * power;
    }
    return 10 * power;
}

// The lowest and highest of a column's rows, and which switches were on in any of them.
struct Column
{
    int rpmLow, rpmHigh;
    int advanceLow, advanceHigh;
    float voltsLow, voltsHigh;
    quint8 anyOn;
};

} // namespace

RecordingGraph::RecordingGraph(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RecordingGraph"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(400, 300);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RecordingGraph::setRecording(std::shared_ptr<const Recording> recording)
{
    m_recording = std::move(recording);
    const Recording &r = *m_recording;
    int rpmMax = 0, advanceMax = 0;
    float voltsLow = 0, voltsHigh = 0;
    if (!r.isEmpty()) {
        rpmMax = *std::max_element(r.rpm.begin(), r.rpm.end());
        advanceMax = *std::max_element(r.advance.begin(), r.advance.end());
        const auto [low, high] = std::minmax_element(r.volts.begin(), r.volts.end());
        voltsLow = *low;
        voltsHigh = *high;
    }
    // Whole steps with room above the highest value, which the lane's name may cover.
    m_rpmTop = std::max(1000, (rpmMax + rpmMax / 8 + 999) / 1000 * 1000);
    m_advanceTop = std::max(10, (advanceMax + advanceMax / 8 + 9) / 10 * 10);
    m_voltsBottom = std::floor(std::min(voltsLow, 10.0f));
    m_voltsTop =
        std::max(m_voltsBottom + 1, std::ceil(double(voltsHigh) + 0.2 * (double(voltsHigh) - m_voltsBottom)));
    m_cursorMs = r.isEmpty() ? 0 : r.timeMs.front();
    showWhole();
}

void RecordingGraph::setTexts(const Texts &texts)
{
    m_texts = texts;
    // Room on the left for the longest name of a band.
    const QFontMetrics metrics(font());
    m_marginLeft = MarginLeftLeast;
    for (const QString &name : texts.flags)
        m_marginLeft = std::max(m_marginLeft, metrics.horizontalAdvance(name) + 12);
    setView(m_viewStart, m_viewSpan);
}

double RecordingGraph::fullSpan() const
{
    return std::max(1000.0, m_recording ? double(m_recording->durationMs()) : 0.0);
}

double RecordingGraph::minSpan() const
{
    return std::min(fullSpan(), MsPerPixelMin * plot().width());
}

void RecordingGraph::setView(double startMs, double spanMs)
{
    const double first = m_recording && !m_recording->isEmpty() ? double(m_recording->timeMs.front()) : 0.0;
    m_viewSpan = std::clamp(spanMs, minSpan(), fullSpan());
    m_viewStart = std::clamp(startMs, first, first + fullSpan() - m_viewSpan);
    update();
}

void RecordingGraph::showWhole()
{
    setView(m_recording && !m_recording->isEmpty() ? double(m_recording->timeMs.front()) : 0.0, fullSpan());
}

void RecordingGraph::zoomAt(double x, double factor)
{
    const double at = msAt(x);
    const double span = std::clamp(m_viewSpan * factor, minSpan(), fullSpan());
    setView(at - (x - plot().left()) / plot().width() * span, span);
}

void RecordingGraph::setCursorMs(qint64 ms)
{
    if (m_recording && !m_recording->isEmpty())
        ms = std::clamp(ms, m_recording->timeMs.front(), m_recording->timeMs.back());
    m_cursorMs = ms;
    const double at = double(ms);
    if (at < m_viewStart || at > m_viewStart + m_viewSpan)
        setView(at < m_viewStart ? at - m_viewSpan * 0.9 : at - m_viewSpan * 0.1, m_viewSpan);
    update();
    emit cursorChanged(ms);
}

void RecordingGraph::moveCursorByUser(qint64 ms)
{
    setCursorMs(ms);
    emit cursorMovedByUser(m_cursorMs);
}

QRectF RecordingGraph::plot() const
{
    return QRectF(m_marginLeft, MarginTop, std::max(1, width() - m_marginLeft - MarginRight),
                  std::max(1, height() - MarginTop - MarginBottom));
}

double RecordingGraph::xFor(double ms) const
{
    const QRectF area = plot();
    return area.left() + (ms - m_viewStart) / m_viewSpan * area.width();
}

double RecordingGraph::msAt(double x) const
{
    const QRectF area = plot();
    return m_viewStart + (x - area.left()) / area.width() * m_viewSpan;
}

void RecordingGraph::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QRectF area = plot();
    const QFontMetrics metrics(font());

    // Lanes from the top: engine speed, advance, voltage, then one band per switch.
    const double bands = Recording::FlagCount * BandHeight + (Recording::FlagCount - 1) * BandGap;
    const double lines = std::max(30.0, area.height() - bands - 3 * LaneGap);
    const QRectF rpmLane(area.left(), area.top(), area.width(), lines * 0.42);
    const QRectF advanceLane(area.left(), rpmLane.bottom() + LaneGap, area.width(), lines * 0.32);
    const QRectF voltsLane(area.left(), advanceLane.bottom() + LaneGap, area.width(), lines * 0.26);
    const double bandsTop = voltsLane.bottom() + LaneGap;
    for (const QRectF &lane : {rpmLane, advanceLane, voltsLane})
        p.fillRect(lane, LaneBackground);

    // The time axis: a grid line and a number every step of 1, 2 or 5 times a power of ten.
    const double msPerPixel = m_viewSpan / area.width();
    const double step = std::max(1.0, niceStep(msPerPixel * 90));
    const int decimals = step >= 1000 ? 0 : step >= 100 ? 1 : step >= 10 ? 2 : 3;
    const double axisY = bandsTop + bands + 4;
    for (double t = std::ceil(m_viewStart / step) * step; t <= m_viewStart + m_viewSpan; t += step) {
        const double x = xFor(t);
        p.setPen(GridColour);
        for (const QRectF &lane : {rpmLane, advanceLane, voltsLane})
            p.drawLine(QPointF(x, lane.top()), QPointF(x, lane.bottom()));
        p.setPen(palette().windowText().color());
        p.drawLine(QPointF(x, axisY), QPointF(x, axisY + 3));
        const QString text = QString::number(t / 1000.0, 'f', decimals);
        p.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0, axisY + 4 + metrics.ascent()), text);
    }
    p.drawText(QRectF(area.left(), height() - metrics.height() - 1, area.width(), metrics.height()),
               Qt::AlignRight, m_texts.timeAxis);

    // Scales and names of the lanes.
    const auto scale = [&](const QRectF &lane, const QString &low, const QString &high) {
        p.setPen(palette().windowText().color());
        p.drawText(QRectF(0, lane.top() - 2, m_marginLeft - 6, metrics.height()), Qt::AlignRight, high);
        p.drawText(QRectF(0, lane.bottom() - metrics.height() + 2, m_marginLeft - 6, metrics.height()),
                   Qt::AlignRight, low);
        p.setPen(palette().mid().color());
        p.setBrush(Qt::NoBrush);
        p.drawRect(lane);
    };
    scale(rpmLane, QStringLiteral("0"), QString::number(m_rpmTop));
    scale(advanceLane, QStringLiteral("0"), QString::number(m_advanceTop));
    scale(voltsLane, QString::number(m_voltsBottom, 'f', 0), QString::number(m_voltsTop, 'f', 0));
    // Over the lines, on a pale ground of its own, so that a name stays readable.
    const auto names = [&] {
        const std::pair<const QRectF *, std::pair<const QString *, QColor>> lanes[] = {
            {&rpmLane, {&m_texts.rpm, RpmColour}},
            {&advanceLane, {&m_texts.advance, AdvanceColour}},
            {&voltsLane, {&m_texts.volts, VoltsColour}}};
        for (const auto &[lane, name] : lanes) {
            const QRectF ground(lane->left() + 1, lane->top() + 1, metrics.horizontalAdvance(*name.first) + 6,
                                metrics.height());
            p.fillRect(ground, QColor(255, 255, 255, 210));
            p.setPen(name.second);
            p.drawText(QPointF(ground.left() + 3, ground.top() + metrics.ascent()), *name.first);
        }
    };
    for (int flag = 0; flag < Recording::FlagCount; ++flag) {
        const QRectF band(area.left(), bandsTop + flag * (BandHeight + BandGap), area.width(), BandHeight);
        p.fillRect(band, LaneBackground);
        p.setPen(palette().windowText().color());
        const QString name =
            metrics.elidedText(m_texts.flags[size_t(flag)], Qt::ElideRight, m_marginLeft - 8);
        p.drawText(QRectF(0, band.top() - 1, m_marginLeft - 6, BandHeight + 2),
                   Qt::AlignRight | Qt::AlignVCenter, name);
    }

    if (!m_recording || m_recording->isEmpty()) {
        names();
        return;
    }
    const Recording &r = *m_recording;

    // One column per pixel: the rows that fall into it, with the row before so that a
    // value held over many columns draws in each of them.
    const int columns = int(area.width());
    std::vector<QLineF> rpmLines, advanceLines, voltsLines;
    rpmLines.reserve(size_t(columns));
    advanceLines.reserve(size_t(columns));
    voltsLines.reserve(size_t(columns));
    std::array<double, Recording::FlagCount> runStart{};
    runStart.fill(-1);
    const auto yIn = [](const QRectF &lane, double value, double low, double high) {
        return lane.bottom() - (std::clamp(value, low, high) - low) / (high - low) * lane.height();
    };
    const auto endRun = [&](int flag, double x) {
        if (runStart[size_t(flag)] < 0)
            return;
        const double top = bandsTop + flag * (BandHeight + BandGap);
        p.fillRect(QRectF(runStart[size_t(flag)], top + 1, x - runStart[size_t(flag)], BandHeight - 2),
                   BandColour);
        runStart[size_t(flag)] = -1;
    };
    const qint64 firstMs = r.timeMs.front();
    const qint64 lastMs = r.timeMs.back();
    qsizetype next = r.firstRowFrom(qint64(std::floor(m_viewStart)));
    for (int c = 0; c < columns; ++c) {
        const double from = m_viewStart + c * msPerPixel;
        const double to = from + msPerPixel;
        const double x = area.left() + c + 0.5;
        if (to <= double(firstMs) || from > double(lastMs)) {
            for (int flag = 0; flag < Recording::FlagCount; ++flag)
                endRun(flag, area.left() + c);
            continue;
        }
        const qsizetype begin = next;
        while (next < r.rows() && double(r.timeMs[size_t(next)]) < to)
            ++next;
        qsizetype low = std::max<qsizetype>(0, begin - 1);
        if (begin < r.rows() && double(r.timeMs[size_t(begin)]) <= from)
            low = begin;
        const qsizetype high = std::max(next, low + 1);
        Column col{r.rpm[size_t(low)],
                   r.rpm[size_t(low)],
                   r.advance[size_t(low)],
                   r.advance[size_t(low)],
                   r.volts[size_t(low)],
                   r.volts[size_t(low)],
                   0};
        for (qsizetype i = low; i < high; ++i) {
            const int rpm = r.rpm[size_t(i)];
            const int advance = r.advance[size_t(i)];
            const float volts = r.volts[size_t(i)];
            col.rpmLow = std::min(col.rpmLow, rpm);
            col.rpmHigh = std::max(col.rpmHigh, rpm);
            col.advanceLow = std::min(col.advanceLow, advance);
            col.advanceHigh = std::max(col.advanceHigh, advance);
            col.voltsLow = std::min(col.voltsLow, volts);
            col.voltsHigh = std::max(col.voltsHigh, volts);
        }
        // A band is on in a column when any row in it is on; the held row counts only
        // where the column has no row of its own.
        const qsizetype flagsFrom = next > begin ? begin : low;
        for (qsizetype i = flagsFrom; i < std::max(next, flagsFrom + 1); ++i)
            col.anyOn |= r.flags[size_t(i)];
        rpmLines.emplace_back(x, yIn(rpmLane, col.rpmLow, 0, m_rpmTop) + 0.5, x,
                              yIn(rpmLane, col.rpmHigh, 0, m_rpmTop) - 0.5);
        advanceLines.emplace_back(x, yIn(advanceLane, col.advanceLow, 0, m_advanceTop) + 0.5, x,
                                  yIn(advanceLane, col.advanceHigh, 0, m_advanceTop) - 0.5);
        voltsLines.emplace_back(x, yIn(voltsLane, col.voltsLow, m_voltsBottom, m_voltsTop) + 0.5, x,
                                yIn(voltsLane, col.voltsHigh, m_voltsBottom, m_voltsTop) - 0.5);
        for (int flag = 0; flag < Recording::FlagCount; ++flag) {
            const bool on = col.anyOn & (1u << flag);
            if (on && runStart[size_t(flag)] < 0)
                runStart[size_t(flag)] = area.left() + c;
            else if (!on)
                endRun(flag, area.left() + c);
        }
    }
    for (int flag = 0; flag < Recording::FlagCount; ++flag)
        endRun(flag, area.left() + columns);

    p.setPen(QPen(RpmColour, 1.5));
    p.drawLines(rpmLines.data(), int(rpmLines.size()));
    p.setPen(QPen(AdvanceColour, 1.5));
    p.drawLines(advanceLines.data(), int(advanceLines.size()));
    p.setPen(QPen(VoltsColour, 1.5));
    p.drawLines(voltsLines.data(), int(voltsLines.size()));
    names();

    const double cursorX = xFor(double(m_cursorMs));
    if (cursorX >= area.left() && cursorX <= area.right()) {
        p.setPen(QPen(CursorColour, 1));
        p.drawLine(QPointF(cursorX, area.top()), QPointF(cursorX, bandsTop + bands));
    }
}

void RecordingGraph::wheelEvent(QWheelEvent *event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) {
        event->ignore();
        return;
    }
    zoomAt(event->position().x(), std::pow(0.8, notches));
    event->accept();
}

void RecordingGraph::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = true;
    m_panning = false;
    m_pressAt = event->position();
    m_pressViewStart = m_viewStart;
}

void RecordingGraph::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    const double dx = event->position().x() - m_pressAt.x();
    if (!m_panning && std::abs(dx) < DragThreshold)
        return;
    m_panning = true;
    setCursor(Qt::ClosedHandCursor);
    setView(m_pressViewStart - dx * m_viewSpan / plot().width(), m_viewSpan);
}

void RecordingGraph::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (m_panning) {
        m_panning = false;
        unsetCursor();
        return;
    }
    // On the row nearest to the moment clicked.
    if (m_recording && !m_recording->isEmpty()) {
        const Recording &r = *m_recording;
        const qint64 at = qint64(std::llround(msAt(event->position().x())));
        qsizetype row = r.rowAt(at);
        if (row + 1 < r.rows() && r.timeMs[size_t(row + 1)] - at < std::abs(at - r.timeMs[size_t(row)]))
            ++row;
        moveCursorByUser(r.timeMs[size_t(row)]);
    }
}

void RecordingGraph::keyPressEvent(QKeyEvent *event)
{
    if (!m_recording || m_recording->isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const Recording &r = *m_recording;
    const qsizetype row = r.rowAt(m_cursorMs);
    const auto toRow = [&](qsizetype target) {
        moveCursorByUser(r.timeMs[size_t(std::clamp<qsizetype>(target, 0, r.rows() - 1))]);
    };
    switch (event->key()) {
    case Qt::Key_Left:
        toRow(r.timeMs[size_t(row)] < m_cursorMs ? row : row - 1);
        break;
    case Qt::Key_Right:
        toRow(row + 1);
        break;
    case Qt::Key_PageUp:
        toRow(r.rowAt(m_cursorMs - qint64(m_viewSpan / 10)));
        break;
    case Qt::Key_PageDown:
        toRow(r.firstRowFrom(m_cursorMs + qint64(m_viewSpan / 10)));
        break;
    case Qt::Key_Home:
        toRow(0);
        break;
    case Qt::Key_End:
        toRow(r.rows() - 1);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomAt(std::clamp(xFor(double(m_cursorMs)), plot().left(), plot().right()), 0.5);
        break;
    case Qt::Key_Minus:
        zoomAt(std::clamp(xFor(double(m_cursorMs)), plot().left(), plot().right()), 2.0);
        break;
    case Qt::Key_0:
        showWhole();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}
