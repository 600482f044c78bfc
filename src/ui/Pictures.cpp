#include "Pictures.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

const QColor Ink(40, 40, 48);
const QColor Accent(200, 32, 32);
const QColor Metal(150, 156, 166);

QPixmap blank(int width, int height, qreal ratio)
{
    QPixmap pixmap(QSize(qRound(width * ratio), qRound(height * ratio)));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// An image rather than a pixmap where the picture may be drawn away from the GUI thread.
QImage blankImage(int width, int height, qreal ratio)
{
    QImage image(QSize(qRound(width * ratio), qRound(height * ratio)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

// A spark: a zig-zag bolt, the sign of an ignition.
QPainterPath bolt(const QRectF &r)
{
    QPainterPath path;
    path.moveTo(r.left() + r.width() * 0.62, r.top());
    path.lineTo(r.left() + r.width() * 0.10, r.top() + r.height() * 0.58);
    path.lineTo(r.left() + r.width() * 0.46, r.top() + r.height() * 0.58);
    path.lineTo(r.left() + r.width() * 0.32, r.bottom());
    path.lineTo(r.left() + r.width() * 0.90, r.top() + r.height() * 0.38);
    path.lineTo(r.left() + r.width() * 0.54, r.top() + r.height() * 0.38);
    path.closeSubpath();
    return path;
}

void drawToolPicture(QPainter &p, ToolPicture picture)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(Ink, 1.0);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    switch (picture) {
    case ToolPicture::New: {
        QPainterPath page;
        page.moveTo(3.5, 1.5);
        page.lineTo(10.5, 1.5);
        page.lineTo(13.5, 4.5);
        page.lineTo(13.5, 14.5);
        page.lineTo(3.5, 14.5);
        page.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(page);
        p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
        p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
        p.setBrush(QColor(255, 210, 40));
        p.setPen(QPen(QColor(190, 140, 0), 0.8));
        p.drawEllipse(QPointF(5.0, 11.5), 2.6, 2.6);
        break;
    }
    case ToolPicture::Open: {
        p.setBrush(QColor(235, 200, 90));
        p.drawRect(QRectF(1.5, 3.5, 6, 2));
        p.drawRect(QRectF(1.5, 5.5, 12, 8));
        p.setBrush(QColor(250, 225, 130));
        QPainterPath flap;
        flap.moveTo(3.5, 7.5);
        flap.lineTo(15.0, 7.5);
        flap.lineTo(13.5, 13.5);
        flap.lineTo(1.5, 13.5);
        flap.closeSubpath();
        p.drawPath(flap);
        break;
    }
    case ToolPicture::Save: {
        p.setBrush(QColor(60, 90, 170));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.0, 1.5, 8, 5));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(4.0, 9.5, 8, 5));
        break;
    }
    case ToolPicture::Print: {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 172, 180));
        p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(QPen(QColor(40, 160, 40), 1.4));
        p.drawPoint(QPointF(12.5, 8.5));
        break;
    }
    case ToolPicture::Undo:
    case ToolPicture::Redo: {
        const bool undo = picture == ToolPicture::Undo;
        p.save();
        if (!undo) {
            p.translate(16, 0);
            p.scale(-1, 1);
        }
        QPen arc(QColor(30, 110, 190), 2.0);
        arc.setCapStyle(Qt::RoundCap);
        p.setPen(arc);
        p.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(4.0, 6.0);
        path.cubicTo(9.0, 2.5, 15.0, 5.0, 13.0, 11.0);
        path.cubicTo(12.0, 13.0, 10.0, 14.0, 8.0, 14.0);
        p.drawPath(path);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 110, 190));
        QPainterPath head;
        head.moveTo(1.0, 6.5);
        head.lineTo(6.5, 2.0);
        head.lineTo(6.5, 10.0);
        head.closeSubpath();
        p.drawPath(head);
        p.restore();
        break;
    }
    }
}

const char *themeName(ToolPicture picture)
{
    switch (picture) {
    case ToolPicture::New:
        return "document-new";
    case ToolPicture::Open:
        return "document-open";
    case ToolPicture::Save:
        return "document-save";
    case ToolPicture::Print:
        return "document-print";
    case ToolPicture::Undo:
        return "edit-undo";
    case ToolPicture::Redo:
        return "edit-redo";
    }
    return "";
}

} // namespace

void drawLogo(QPainter &painter, const QRectF &rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const qreal w = rect.width();
    const qreal h = rect.height();
    painter.translate(rect.topLeft());

    // A dark plate with a red spark, the name beside it and a rule beneath.
    const QRectF plate(1, 1, h * 0.78, h * 0.78);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    painter.drawRoundedRect(plate, 8, 8);
    painter.setBrush(Accent);
    painter.drawPath(bolt(plate.adjusted(plate.width() * 0.2, plate.height() * 0.12, -plate.width() * 0.2,
                                         -plate.height() * 0.12)));

    const qreal textLeft = plate.right() + w * 0.06;
    const qreal textWidth = w - textLeft - 2;
    QFont name(QStringLiteral("sans-serif"));
    name.setStyleHint(QFont::SansSerif);
    name.setBold(true);
    name.setPixelSize(qRound(h * 0.36));
    // The name fills the room beside the plate whatever the font's width.
    const qreal natural = QFontMetricsF(name).horizontalAdvance(QStringLiteral("KORVO"));
    if (natural > textWidth)
        name.setPixelSize(qMax(8, int(name.pixelSize() * textWidth / natural)));
    painter.setFont(name);
    painter.setPen(Ink);
    painter.drawText(QRectF(textLeft, 0, textWidth, h * 0.45), Qt::AlignLeft | Qt::AlignBottom,
                     QStringLiteral("KORVO"));
    QFont kind = name;
    kind.setPixelSize(qRound(name.pixelSize() * 0.75));
    painter.setFont(kind);
    painter.setPen(Accent);
    painter.drawText(QRectF(textLeft, h * 0.47, textWidth, h * 0.34), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("TCI"));

    painter.setPen(QPen(Ink, 2));
    painter.drawLine(QPointF(1, h - 3), QPointF(w - 2, h - 3));
    painter.restore();
}

QPixmap logoPixmap(qreal devicePixelRatio)
{
    return QPixmap::fromImage(logoImage(devicePixelRatio));
}

QImage logoImage(qreal devicePixelRatio)
{
    QImage image = blankImage(LogoWidth, LogoHeight, devicePixelRatio);
    QPainter painter(&image);
    drawLogo(painter, QRectF(0, 0, LogoWidth, LogoHeight));
    painter.end();
    return image;
}

QPixmap triggerWheelPixmap(qreal devicePixelRatio)
{
    return QPixmap::fromImage(triggerWheelImage(devicePixelRatio));
}

QImage triggerWheelImage(qreal devicePixelRatio)
{
    QImage image = blankImage(WheelWidth, WheelHeight, devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);

    const QPointF centre(WheelWidth / 2.0, 158.0);
    const qreal rim = 72.0;
    const qreal toothHeight = 13.0;
    constexpr int Teeth = 9;

    // The pick-up above the wheel: a body with its cable and a pole piece.
    p.setPen(QPen(Ink, 1.2));
    p.setBrush(QColor(70, 74, 82));
    const QRectF body(centre.x() - 11, 28, 22, 34);
    p.drawRoundedRect(body, 3, 3);
    p.setBrush(Metal);
    p.drawRect(QRectF(centre.x() - 5, body.bottom(), 10, 11));
    p.setPen(QPen(Ink, 2.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable;
    cable.moveTo(centre.x(), body.top());
    cable.cubicTo(centre.x(), 12, centre.x() + 30, 20, centre.x() + 40, 6);
    p.drawPath(cable);

    // The wheel, with nine teeth; the teeth come to the pick-up in the order 1, 2, 3...
    // because the wheel turns clockwise.
    p.setPen(QPen(Ink, 1.4));
    p.setBrush(QColor(205, 208, 214));
    // The rim and its teeth as one outline, walked clockwise from tooth 1: up its left
    // flank, across its top, down its right flank, then along the rim to the next tooth.
    // Built directly, because uniting a circle with nine rectangles cost more than the
    // rest of the window's pictures together.
    const qreal halfTooth = 6.0;
    const qreal flankFoot = std::sqrt(rim * rim - halfTooth * halfTooth); // where a flank meets the rim
    const qreal footAngle = qRadiansToDegrees(std::asin(halfTooth / rim));
    const QRectF rimBox(centre.x() - rim, centre.y() - rim, 2 * rim, 2 * rim);
    QPainterPath wheel;
    for (int k = 0; k < Teeth; ++k) {
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(k * 360.0 / Teeth);
        if (k == 0)
            wheel.moveTo(t.map(QPointF(-halfTooth, -flankFoot)));
        wheel.lineTo(t.map(QPointF(-halfTooth, -rim - toothHeight)));
        wheel.lineTo(t.map(QPointF(halfTooth, -rim - toothHeight)));
        wheel.lineTo(t.map(QPointF(halfTooth, -flankFoot)));
        wheel.arcTo(rimBox, 90.0 - footAngle - k * 360.0 / Teeth, 2 * footAngle - 360.0 / Teeth);
    }
    wheel.closeSubpath();
    p.drawPath(wheel);
    p.setBrush(QColor(150, 154, 162));
    p.drawEllipse(centre, 16.0, 16.0);
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 6.0, 6.0);

    QFont digits(QStringLiteral("sans-serif"));
    digits.setStyleHint(QFont::SansSerif);
    digits.setBold(true);
    digits.setPixelSize(14);
    p.setFont(digits);
    p.setPen(Ink);
    for (int i = 0; i < Teeth; ++i) {
        const qreal radians = qDegreesToRadians(-90.0 - i * 360.0 / Teeth);
        const QPointF at(centre.x() + std::cos(radians) * (rim - 17),
                         centre.y() + std::sin(radians) * (rim - 17));
        p.drawText(QRectF(at.x() - 10, at.y() - 9, 20, 18), Qt::AlignCenter, QString::number(i + 1));
    }

    // The sense of rotation: a clockwise arrow inside the rim.
    QPen arrowPen(Accent, 2.0);
    arrowPen.setCapStyle(Qt::RoundCap);
    p.setPen(arrowPen);
    p.setBrush(Qt::NoBrush);
    const QRectF arc(centre.x() - 34, centre.y() - 34, 68, 68);
    p.drawArc(arc, 60 * 16, -120 * 16);
    const qreal end = qDegreesToRadians(-60.0);
    const QPointF tip(centre.x() + 34 * std::cos(end), centre.y() - 34 * std::sin(end));
    p.setPen(Qt::NoPen);
    p.setBrush(Accent);
    QPainterPath head;
    head.moveTo(tip + QPointF(-7, -1));
    head.lineTo(tip + QPointF(3, -5));
    head.lineTo(tip + QPointF(1, 7));
    head.closeSubpath();
    p.drawPath(head);
    p.end();
    return image;
}

QIcon toolIcon(ToolPicture picture)
{
    // A desktop's own icon theme draws these. Without one Qt falls back to "hicolor",
    // which holds programs' icons and no actions; reading its index of several hundred
    // folders took a sixth of the time to the window's first showing, for nothing.
    static const bool desktopTheme =
        !QIcon::themeName().isEmpty() && QIcon::themeName() != QLatin1String("hicolor");
    if (desktopTheme) {
        const QIcon themed = QIcon::fromTheme(QString::fromLatin1(themeName(picture)));
        if (!themed.isNull() && !themed.availableSizes().isEmpty())
            return themed;
    }
    QIcon icon;
    for (const qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap = blank(16, 16, ratio);
        QPainter painter(&pixmap);
        drawToolPicture(painter, picture);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon windowIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap = blank(size, size, 1.0);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing, true);
        const QRectF plate(0.5, 0.5, size - 1.0, size - 1.0);
        p.setPen(Qt::NoPen);
        p.setBrush(Ink);
        p.drawRoundedRect(plate, size / 6.0, size / 6.0);
        p.setBrush(Accent);
        p.drawPath(bolt(plate.adjusted(size * 0.2, size * 0.1, -size * 0.2, -size * 0.1)));
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

StartPictures::StartPictures(qreal devicePixelRatio)
    : m_images(std::async(std::launch::async, [devicePixelRatio] {
          return std::pair(logoImage(devicePixelRatio), triggerWheelImage(devicePixelRatio));
      }))
{
}

StartPictures::~StartPictures()
{
    if (m_images.valid())
        m_images.wait();
}

void StartPictures::take(QPixmap &logo, QPixmap &wheel)
{
    const auto [logoDrawn, wheelDrawn] = m_images.get();
    logo = QPixmap::fromImage(logoDrawn);
    wheel = QPixmap::fromImage(wheelDrawn);
}
