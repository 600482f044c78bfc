#pragma once

#include <QMenu>

// The Com menu. An entry whose device is not present is drawn greyed, as a disabled one
// would be, but stays enabled: a port chosen now is opened as soon as its device appears.
class PortMenu : public QMenu
{
    Q_OBJECT

public:
    using QMenu::QMenu;

    static void setAbsent(QAction *action, bool absent);
    static bool isAbsent(const QAction *action);

protected:
    void initStyleOption(QStyleOptionMenuItem *option, const QAction *action) const override;
};
