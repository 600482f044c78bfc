#pragma once

#include <QColor>

// Contrast of text against its background, by the relative luminance of sRGB colours:
// 1 (the same) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// The text colour for a fixed background: preferred when it reads on it (4.5:1 or
// better), else black or white, whichever reads better.
QColor readableTextColour(const QColor &background, const QColor &preferred);

// Whether a colour is dark enough that black drawing on it would not read.
bool isDark(const QColor &colour);

inline constexpr double ReadableContrast = 4.5;
