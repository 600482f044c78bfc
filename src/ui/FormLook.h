#pragma once

#include <QColor>
#include <QFont>

class QLabel;
enum class NamedColour : quint8;

// Fonts and colours of the window's layout.

// "MS Sans Serif" where the system has it, else the system's sans-serif, at a character
// height in pixels.
QFont formFont(int pixelSize, bool bold = false);
// The toolkit's named colours: button face and window background from the palette, the
// others pure.
QColor namedColourValue(NamedColour colour);
// Sizes a label to its text as the layout's self-sizing labels do; a label that wraps
// grows up to its maximum width and then takes the height its lines need.
void fitLabel(QLabel *label);
// Pictures drawn in dark ink on a transparent ground would vanish on a dark window:
// there they get a light ground of their own.
void keepPictureVisible(QLabel *picture);
