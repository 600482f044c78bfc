#include "TextContrast.h"

#include <algorithm>
#include <cmath>

namespace {

double channel(double value)
{
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableTextColour(const QColor &background, const QColor &preferred)
{
    if (contrastRatio(background, preferred) >= ReadableContrast)
        return preferred;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return contrastRatio(background, black) >= contrastRatio(background, white) ? black : white;
}

bool isDark(const QColor &colour)
{
    return contrastRatio(colour, Qt::black) < ReadableContrast;
}
