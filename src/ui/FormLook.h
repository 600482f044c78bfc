#pragma once

#include <QColor>
#include <QFont>

enum class NamedColour : quint8;

// Fonts and colours of the window's layout.

// "MS Sans Serif" where the system has it, else the system's sans-serif, at a character
// height in pixels.
QFont formFont(int pixelSize, bool bold = false);
// The toolkit's named colours: button face and window background from the palette, the
// others pure.
QColor namedColourValue(NamedColour colour);
