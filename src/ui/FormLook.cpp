#include "FormLook.h"

#include "TextContrast.h"

#include "LinkDriver.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QPalette>

namespace {

QString formFamily()
{
    // The layout is measured for "MS Sans Serif". Where it is missing, a sans-serif of
    // about its width keeps numbers such as "10,000" inside their 40-pixel edits; the
    // system's own sans-serif is the last resort.
    // Installed families only: an alias such as fontconfig's Arial for Liberation Sans
    // names a font further down the list anyway, and resolving each alias through
    // fontconfig cost more than the rest of the window's set-up.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char *candidate : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Liberation Sans",
                                      "Nimbus Sans", "Helvetica"}) {
            const QString name = QString::fromLatin1(candidate);
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

} // namespace

QFont formFont(int pixelSize, bool bold)
{
    QFont font(formFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QColor namedColourValue(NamedColour colour)
{
    switch (colour) {
    case NamedColour::BtnFace:
        return QApplication::palette().color(QPalette::Button);
    case NamedColour::Window:
        return QApplication::palette().color(QPalette::Base);
    case NamedColour::Red:
        return QColor(255, 0, 0);
    case NamedColour::Yellow:
        return QColor(255, 255, 0);
    case NamedColour::Lime:
        return QColor(0, 255, 0);
    case NamedColour::Aqua:
        return QColor(0, 255, 255);
    }
    return {};
}

void fitLabel(QLabel *label)
{
    if (!label->wordWrap()) {
        label->adjustSize();
        return;
    }
    // As wide as the text on one line, up to the label's maximum width; then as high
    // as the lines need.
    label->setWordWrap(false);
    const int width = qMin(label->sizeHint().width(), label->maximumWidth());
    label->setWordWrap(true);
    label->resize(width, label->heightForWidth(width));
}

void keepPictureVisible(QLabel *picture)
{
    if (!isDark(QApplication::palette().color(QPalette::Window)))
        return;
    QPalette palette = picture->palette();
    palette.setColor(QPalette::Window, QColor(0xf0, 0xf0, 0xf0));
    picture->setPalette(palette);
    picture->setAutoFillBackground(true);
}
