#include "KeyboardAccess.h"

#include "AccessLetters.h"
#include "MouseUpCheckBox.h"
#include "TFormHlav.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

namespace {

QShortcut *shortcut(TFormHlav &form, const QKeySequence &keys, const char *name)
{
    auto *made = new QShortcut(keys, &form);
    made->setObjectName(QString::fromLatin1(name));
    made->setContext(Qt::WindowShortcut);
    return made;
}

} // namespace

void installKeyboardAccess(TFormHlav &form)
{
    QObject::connect(shortcut(form, QKeySequence(Qt::Key_F10), "ShortcutMenuBar"), &QShortcut::activated,
                     &form, [&form] {
                         QMenuBar *bar = form.menuBar();
                         for (QAction *menu : bar->actions()) {
                             if (menu->isVisible() && menu->isEnabled()) {
                                 bar->setActiveAction(menu);
                                 break;
                             }
                         }
                     });
    QObject::connect(shortcut(form, QKeySequence(Qt::CTRL | Qt::Key_T), "ShortcutVehicleList"),
                     &QShortcut::activated, &form, [&form] {
                         // Focused, its rows change by the arrow keys; Alt+Down or F4 opens it.
                         form.ComboBoxBike->setFocus(Qt::ShortcutFocusReason);
                     });
    QObject::connect(shortcut(form, QKeySequence(Qt::CTRL | Qt::Key_L), "ShortcutExcitation"),
                     &QShortcut::activated, &form, [&form] {
                         if (form.CheckBoxBuzDlouhe->isEnabled())
                             form.CheckBoxBuzDlouhe->setFocus(Qt::ShortcutFocusReason);
                     });
}

void settleAccessLetters(TFormHlav &form)
{
    QList<QMenu *> menus;
    for (QAction *item : form.menuBar()->actions()) {
        if (item->menu())
            menus.append(item->menu());
    }
    QList<QAbstractButton *> buttons = form.ClientArea->findChildren<QAbstractButton *>();
    buttons.removeIf([](const QAbstractButton *button) { return button->text().isEmpty(); });

    AccessLetterCaptions captions;
    for (const QMenu *menu : menus)
        captions.menus.append(menu->title());
    for (const QAbstractButton *button : buttons)
        captions.buttons.append(button->text());
    const AccessLetterCaptions settled = settleAccessLetters(captions);
    for (qsizetype i = 0; i < menus.size(); ++i) {
        if (menus[i]->title() != settled.menus[i])
            menus[i]->setTitle(settled.menus[i]);
    }
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->text() != settled.buttons[i])
            buttons[i]->setText(settled.buttons[i]);
    }
}
