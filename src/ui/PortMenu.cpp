#include "PortMenu.h"

#include <QAction>
#include <QStyleOptionMenuItem>

namespace {
constexpr char AbsentProperty[] = "portAbsent";
}

void PortMenu::setAbsent(QAction *action, bool absent)
{
    if (isAbsent(action) == absent)
        return;
    action->setProperty(AbsentProperty, absent);
    // The property alone does not repaint an open menu.
    emit action->changed();
}

bool PortMenu::isAbsent(const QAction *action)
{
    return action && action->property(AbsentProperty).toBool();
}

void PortMenu::initStyleOption(QStyleOptionMenuItem *option, const QAction *action) const
{
    QMenu::initStyleOption(option, action);
    if (!isAbsent(action))
        return;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            option->palette.setColor(group, role, option->palette.color(QPalette::Disabled, role));
    }
}
