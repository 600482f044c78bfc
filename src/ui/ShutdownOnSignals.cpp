#include "ShutdownOnSignals.h"

#include "ShutdownSignals.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void shutDownOnSignals(QWidget *window, std::function<bool()> writeInFlight)
{
    auto *watcher = new ShutdownSignals(window);
    QObject::connect(watcher, &ShutdownSignals::received, window, [window, writeInFlight] {
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
        // After the boxes' own event loops have returned, and once a write under way has
        // been verified: the link's own timer goes on ticking meanwhile.
        const auto close = [target = QPointer<QWidget>(window)] {
            if (target) {
                target->setProperty(ClosingOnSignalProperty, true);
                target->close();
            }
            QCoreApplication::quit();
        };
        if (!writeInFlight || !writeInFlight()) {
            QTimer::singleShot(0, window, close);
            return;
        }
        auto *wait = new QTimer(window);
        auto *clock = new QElapsedTimer;
        clock->start();
        wait->setInterval(20);
        QObject::connect(wait, &QTimer::timeout, window, [wait, clock, close, writeInFlight] {
            if (writeInFlight() && clock->elapsed() < WriteWaitMs)
                return;
            wait->stop();
            wait->deleteLater();
            delete clock;
            close();
        });
        wait->start();
    });
}
