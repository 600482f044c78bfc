#include "TFormCurve.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Room around the plot for the scales and the axis captions.
constexpr int MarginLeft = 56;
constexpr int MarginRight = 18;
constexpr int MarginTop = 24;
constexpr int MarginBottom = 46;

constexpr int GridRpm = 1000;
constexpr int GridAdvance = 5;
constexpr int LabelAdvance = 10;

const QColor CurveColour(0, 70, 200);
const QColor GridColour(222, 222, 222);
const QColor LimiterColour(220, 0, 0);
const QColor CurrentPointColour(0, 255, 0); // the lime the editor marks the row with
const QColor LiveColour(230, 60, 0);
const QColor VisitColour(150, 0, 150);
const QColor OverlayColour(0, 150, 60);

} // namespace

TFormCurve::TFormCurve(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormCurve"));
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(360, 240);
    resize(580, 400);
    // Painted whole by paintEvent; nothing of the background needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    updateMapping();
}

void TFormCurve::setTexts(const Texts &texts)
{
    m_texts = texts;
    setWindowTitle(texts.caption);
    update();
}

void TFormCurve::showSet(const IgnitionParameters &set, int currentPoint, bool noCurvePoint)
{
    if (m_haveSet && set == m_set && currentPoint == m_currentPoint && noCurvePoint == m_noCurvePoint)
        return;
    m_haveSet = true;
    m_set = set;
    m_currentPoint = currentPoint;
    m_noCurvePoint = noCurvePoint;
    // The axes stay put under a point being dragged.
    if (!m_dragging)
        updateMapping();
    update();
}

void TFormCurve::showOverlay(const IgnitionParameters &other, const QString &shownLabel, const QString &otherLabel)
{
    m_overlay = Overlay{other, shownLabel, otherLabel};
    updateMapping();
    update();
}

void TFormCurve::showNoOverlay()
{
    m_overlay.reset();
    updateMapping();
    update();
}

// The second curve, dashed, with square points, and a legend at the top left of the plot.
void TFormCurve::drawOverlay(QPainter &p) const
{
    if (!m_overlay)
        return;
    const IgnitionParameters &set = m_overlay->set;
    const QRectF plot = m_mapping.plot();
    const int limiter = set.LIMITER() * 100;
    if (limiter > 0 && limiter <= m_mapping.rpmMax()) {
        const double x = m_mapping.pixelFor(limiter, 0).x();
        p.setPen(QPen(OverlayColour, 1.5, Qt::DashDotLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    std::array<QPointF, CurvePoints> points;
    for (int i = 0; i < CurvePoints; ++i)
        points[i] = m_mapping.pixelFor(set.RPM_ADV(i) * 100.0, set.ADVANCE(i));
    p.setPen(QPen(OverlayColour, 2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points.data(), int(points.size()));
    p.setPen(Qt::NoPen);
    p.setBrush(OverlayColour);
    for (const QPointF &point : points)
        p.drawRect(QRectF(point - QPointF(4, 4), QSizeF(8, 8)));

    const QFontMetrics metrics(font());
    const int line = metrics.height() + 4;
    const int width = std::max(metrics.horizontalAdvance(m_overlay->shownLabel),
                               metrics.horizontalAdvance(m_overlay->otherLabel)) + 44;
    const QRectF box(plot.left() + 8, plot.top() + 8, width, 2 * line + 8);
    p.setPen(QPen(GridColour.darker(130), 1));
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRect(box);
    const auto entry = [&](int row, const QColor &colour, Qt::PenStyle style, const QString &label) {
        const double y = box.top() + 4 + row * line + line / 2.0;
        p.setPen(QPen(colour, 2, style));
        p.drawLine(QPointF(box.left() + 6, y), QPointF(box.left() + 32, y));
        p.setPen(Qt::black);
        p.drawText(QPointF(box.left() + 38, y + metrics.ascent() / 2.0 - 1), label);
    };
    entry(0, CurveColour, Qt::SolidLine, m_overlay->shownLabel);
    entry(1, OverlayColour, Qt::DashLine, m_overlay->otherLabel);
}

void TFormCurve::Trail::add(const TrailPoint &point)
{
    if (count == TrailCapacity) {
        start = (start + 1) % TrailCapacity;
        --count;
    }
    points[size_t((start + count) % TrailCapacity)] = point;
    ++count;
    while (count > 1 && point.ms - at(0).ms > TrailMs) {
        start = (start + 1) % TrailCapacity;
        --count;
    }
}

void TFormCurve::showLive(int rpm, int advanceDeg, qint64 nowMs)
{
    const QRect before = trailArea(m_live);
    m_live.add({nowMs, rpm, advanceDeg});
    update(before.united(trailArea(m_live)));
}

void TFormCurve::showNoLive()
{
    if (m_live.count == 0)
        return;
    const QRect before = trailArea(m_live);
    m_live.count = 0;
    update(before);
}

void TFormCurve::showVisits(std::shared_ptr<const RecordingVisits> visits)
{
    if (visits == m_visits)
        return;
    m_visits = std::move(visits);
    update();
}

void TFormCurve::showRecordedPoint(int rpm, int advanceDeg, qint64 recordingMs)
{
    const QRect before = trailArea(m_recorded);
    if (m_recorded.count > 0) {
        const qint64 newest = m_recorded.newest().ms;
        if (recordingMs < newest || recordingMs - newest > TrailMs)
            m_recorded.count = 0;
    }
    m_recorded.add({recordingMs, rpm, advanceDeg});
    update(before.united(trailArea(m_recorded)));
}

void TFormCurve::showNoRecordedPoint()
{
    if (m_recorded.count == 0)
        return;
    const QRect before = trailArea(m_recorded);
    m_recorded.count = 0;
    update(before);
}

bool TFormCurve::recordedPoint(int &rpm, int &advanceDeg) const
{
    if (m_recorded.count == 0)
        return false;
    rpm = m_recorded.newest().rpm;
    advanceDeg = m_recorded.newest().advance;
    return true;
}

void TFormCurve::updateMapping()
{
    const QRectF plot(MarginLeft, MarginTop, std::max(1, width() - MarginLeft - MarginRight),
                      std::max(1, height() - MarginTop - MarginBottom));
    int rpmMax = CurveGraphMapping::RpmAxisFor(m_set);
    if (m_overlay)
        rpmMax = std::max(rpmMax, CurveGraphMapping::RpmAxisFor(m_overlay->set));
    m_mapping = CurveGraphMapping(plot, rpmMax);
}

QRect TFormCurve::trailArea(const Trail &trail) const
{
    if (trail.count == 0)
        return {};
    double left = 0, top = 0, right = 0, bottom = 0;
    for (int k = 0; k < trail.count; ++k) {
        const TrailPoint &t = trail.at(k);
        const QPointF at = m_mapping.pixelFor(std::min(t.rpm, m_mapping.rpmMax()),
                                              std::min(t.advance, CurveGraphMapping::AdvanceMax));
        left = k == 0 ? at.x() : std::min(left, at.x());
        right = k == 0 ? at.x() : std::max(right, at.x());
        top = k == 0 ? at.y() : std::min(top, at.y());
        bottom = k == 0 ? at.y() : std::max(bottom, at.y());
    }
    // The live point's disc and outline, and the lines of the curve it may cross.
    return QRectF(QPointF(left, top), QPointF(right, bottom)).toAlignedRect().adjusted(-10, -10, 10, 10);
}

// Where the engine runs now, and where it ran in the last seconds, fading.
void TFormCurve::drawTrail(QPainter &p, const Trail &trail) const
{
    if (trail.count == 0)
        return;
    const TrailPoint &newest = trail.newest();
    auto pixel = [this](const TrailPoint &t) {
        return m_mapping.pixelFor(std::min(t.rpm, m_mapping.rpmMax()),
                                  std::min(t.advance, CurveGraphMapping::AdvanceMax));
    };
    p.setPen(Qt::NoPen);
    for (int k = 0; k + 1 < trail.count; ++k) {
        const TrailPoint &t = trail.at(k);
        const double fresh = 1.0 - double(newest.ms - t.ms) / TrailMs;
        QColor colour = LiveColour;
        colour.setAlphaF(float(std::clamp(fresh, 0.0, 1.0) * 0.6));
        p.setBrush(colour);
        p.drawEllipse(pixel(t), 3, 3);
    }
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(LiveColour);
    p.drawEllipse(pixel(newest), 6, 6);
}

void TFormCurve::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (!m_dragging)
        updateMapping();
}

void TFormCurve::paintEvent(QPaintEvent *event)
{
    m_lastPainted = event->rect();
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QRectF plot = m_mapping.plot();
    p.fillRect(plot, Qt::white);
    const QFontMetrics metrics(font());

    // Grid and scales: a line every 1000 rpm and 5 degrees, numbers where they fit.
    const int rpmMax = m_mapping.rpmMax();
    int labelRpm = GridRpm;
    for (int step : {1000, 2000, 5000}) {
        labelRpm = step;
        if (plot.width() * step / rpmMax >= metrics.horizontalAdvance(QStringLiteral("20000")) + 12)
            break;
    }
    p.setPen(GridColour);
    for (int rpm = GridRpm; rpm < rpmMax; rpm += GridRpm) {
        const double x = m_mapping.pixelFor(rpm, 0).x();
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    for (int deg = GridAdvance; deg < CurveGraphMapping::AdvanceMax; deg += GridAdvance) {
        const double y = m_mapping.pixelFor(0, deg).y();
        p.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    // Where a recording's engine ran: each cell shaded by its share of the most visited
    // one, on a logarithmic scale so that a few rows still show beside hours of idling.
    if (m_visits && !m_visits->isEmpty()) {
        const double most = std::log1p(double(m_visits->most()));
        const int cells = std::min(RecordingVisits::RpmCells, rpmMax / RecordingVisits::RpmStep + 1);
        for (int c = 0; c < cells; ++c) {
            for (int a = 0; a < RecordingVisits::AdvanceCells; ++a) {
                const quint32 count = m_visits->at(c, a);
                if (count == 0)
                    continue;
                QColor colour = VisitColour;
                colour.setAlphaF(float(0.25 + 0.65 * std::log1p(double(count)) / most));
                const QPointF low = m_mapping.pixelFor(c * RecordingVisits::RpmStep, a - 0.5);
                const QPointF high = m_mapping.pixelFor((c + 1) * RecordingVisits::RpmStep, a + 0.5);
                p.fillRect(QRectF(low, high).normalized().intersected(plot), colour);
            }
        }
    }
    p.setPen(palette().windowText().color());
    p.drawRect(plot);
    for (int rpm = 0; rpm <= rpmMax; rpm += labelRpm) {
        const QPointF at = m_mapping.pixelFor(rpm, 0);
        const QString text = QString::number(rpm);
        const int w = metrics.horizontalAdvance(text);
        p.drawLine(at, at + QPointF(0, 4));
        p.drawText(QPointF(at.x() - w / 2.0, at.y() + 6 + metrics.ascent()), text);
    }
    for (int deg = 0; deg <= CurveGraphMapping::AdvanceMax; deg += LabelAdvance) {
        const QPointF at = m_mapping.pixelFor(0, deg);
        const QString text = QString::number(deg);
        p.drawLine(at, at - QPointF(4, 0));
        p.drawText(QPointF(at.x() - 7 - metrics.horizontalAdvance(text), at.y() + metrics.ascent() / 2.0 - 1),
                   text);
    }
    p.drawText(QRectF(plot.left(), height() - metrics.height() - 4, plot.width(), metrics.height()),
               Qt::AlignHCenter, m_texts.rpmAxis);
    p.save();
    p.translate(4 + metrics.ascent(), plot.center().y());
    p.rotate(-90);
    p.drawText(QPointF(-metrics.horizontalAdvance(m_texts.advanceAxis) / 2.0, 0), m_texts.advanceAxis);
    p.restore();

    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(plot.adjusted(-8, -8, 8, 8));

    // The limiter.
    const IgnitionParameters &set = drawnSet();
    const int limiter = set.LIMITER() * 100;
    if (limiter > 0 && limiter <= rpmMax) {
        const double x = m_mapping.pixelFor(limiter, 0).x();
        p.setPen(QPen(LimiterColour, 1.5, Qt::DashLine));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(LimiterColour);
        const int w = metrics.horizontalAdvance(m_texts.limiter);
        p.drawText(QPointF(std::max(plot.left() + 2, x - w - 4), plot.top() + metrics.ascent() + 2),
                   m_texts.limiter);
    }

    // The curve.
    std::array<QPointF, CurvePoints> points;
    for (int i = 0; i < CurvePoints; ++i)
        points[i] = m_mapping.pixelFor(set.RPM_ADV(i) * 100.0, set.ADVANCE(i));
    p.setPen(QPen(CurveColour, 2));
    p.drawPolyline(points.data(), int(points.size()));
    if (!m_noCurvePoint && m_currentPoint >= 0 && m_currentPoint < CurvePoints) {
        p.setPen(QPen(QColor(0, 120, 0), 1));
        p.setBrush(CurrentPointColour);
        p.drawEllipse(points[m_currentPoint], 7.5, 7.5);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(CurveColour);
    for (const QPointF &point : points)
        p.drawEllipse(point, 4, 4);
    if (m_selected >= 0) {
        p.setPen(QPen(palette().windowText().color(), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(points[m_selected], 9, 9);
    }

    drawTrail(p, m_recorded);
    drawTrail(p, m_live);
    p.setClipping(false);
    drawOverlay(p);
}

void TFormCurve::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_readOnly)
        return;
    const int index = m_mapping.pointAt(m_set, event->position(), PickRadius);
    m_selected = index;
    if (index >= 0) {
        m_dragging = true;
        m_grabOffset =
            m_mapping.pixelFor(m_set.RPM_ADV(index) * 100.0, m_set.ADVANCE(index)) - event->position();
        m_preview = m_set;
        m_dragRpm = m_set.RPM_ADV(index) * 100;
        m_dragAdvance = m_set.ADVANCE(index);
    }
    update();
}

void TFormCurve::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging)
        return;
    const QPointF at = event->position() + m_grabOffset;
    const int rpm = ClampPointRpm(m_selected, m_mapping.rpmAt(at.x()));
    const int advance = m_mapping.advanceAt(at.y());
    if (rpm == m_dragRpm && advance == m_dragAdvance)
        return;
    m_dragRpm = rpm;
    m_dragAdvance = advance;
    m_preview = WithPointMoved(m_set, m_selected, rpm, advance);
    update();
}

void TFormCurve::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_dragging)
        return;
    m_dragging = false;
    const bool moved =
        m_dragRpm != m_set.RPM_ADV(m_selected) * 100 || m_dragAdvance != m_set.ADVANCE(m_selected);
    // One drag is one edit, however far the point travelled.
    if (moved && pointEdited)
        pointEdited(m_selected, m_dragRpm, m_dragAdvance);
    updateMapping();
    update();
}

void TFormCurve::keyPressEvent(QKeyEvent *event)
{
    if (m_dragging && event->key() == Qt::Key_Escape) {
        m_dragging = false;
        updateMapping();
        update();
        return;
    }
    if (m_selected < 0 || m_dragging || m_readOnly) {
        QWidget::keyPressEvent(event);
        return;
    }
    int rpm = m_set.RPM_ADV(m_selected) * 100;
    int advance = m_set.ADVANCE(m_selected);
    switch (event->key()) {
    case Qt::Key_Left:
        rpm -= CurveGraphMapping::RpmStep;
        break;
    case Qt::Key_Right:
        rpm += CurveGraphMapping::RpmStep;
        break;
    case Qt::Key_Up:
        ++advance;
        break;
    case Qt::Key_Down:
        --advance;
        break;
    case Qt::Key_Escape:
        m_selected = -1;
        update();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (pointEdited)
        pointEdited(m_selected, ClampPointRpm(m_selected, rpm),
                    std::clamp(advance, 0, CurveGraphMapping::AdvanceMax));
}
