// korvo-manual-picture: numbers the parts of a screenshot for the manuals, at build time.
//
//   korvo-manual-picture INPUT.png OUTPUT.png X,Y [X,Y]...
//
// Draws a numbered marker at each point, 1 at the first; the manual's table names the
// parts by these numbers. The window's layout is fixed in pixels, so one list of points
// serves every language.

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::fputs("usage: korvo-manual-picture INPUT.png OUTPUT.png X,Y [X,Y]...\n", stderr);
        return 2;
    }
    QImage picture(arguments.at(1));
    if (picture.isNull()) {
        std::fprintf(stderr, "korvo-manual-picture: cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    picture = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(14);
    font.setBold(true);
    painter.setFont(font);
    constexpr qreal Radius = 11;
    for (qsizetype i = 3; i < arguments.size(); ++i) {
        const QStringList xy = arguments.at(i).split(u',');
        bool xOk = false;
        bool yOk = false;
        const QPointF centre(xy.value(0).toDouble(&xOk), xy.value(1).toDouble(&yOk));
        if (xy.size() != 2 || !xOk || !yOk || !picture.rect().contains(centre.toPoint())) {
            std::fprintf(stderr, "korvo-manual-picture: not a point in the picture: %s\n", qPrintable(arguments.at(i)));
            return 2;
        }
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(QColor(0xC0, 0x10, 0x20));
        painter.drawEllipse(centre, Radius, Radius);
        painter.drawText(QRectF(centre.x() - Radius, centre.y() - Radius, 2 * Radius, 2 * Radius), Qt::AlignCenter,
                         QString::number(i - 2));
    }
    painter.end();
    if (!picture.save(arguments.at(2))) {
        std::fprintf(stderr, "korvo-manual-picture: cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
