#include "ShutdownOnSignals.h"

#include "ShutdownSignals.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void shutDownOnSignals(QWidget *window)
{
    auto *watcher = new ShutdownSignals(window);
    QObject::connect(watcher, &ShutdownSignals::received, window, [window] {
        // A box waiting for an answer is answered as by Escape, so that the code that
        // opened it returns without acting; a box can open over another, hence the loop,
        // bounded because a box that refuses to close would hold it for ever.
        for (int i = 0; i < 16; ++i) {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == window)
                break;
            if (auto *dialog = qobject_cast<QDialog *>(modal))
                dialog->reject();
            else
                modal->close();
        }
        // After the boxes' own event loops have returned.
        QTimer::singleShot(0, window, [target = QPointer<QWidget>(window)] {
            if (target) {
                target->setProperty(ClosingOnSignalProperty, true);
                target->close();
            }
            QCoreApplication::quit();
        });
    });
}
