#include "WheelGuard.h"

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace {

class WheelGuard : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Eaten, not ignored: an ignored wheel event goes on to the parent.
        if (event->type() == QEvent::Wheel && watched->isWidgetType())
            return !static_cast<QWidget *>(watched)->hasFocus();
        return false;
    }
};

} // namespace

void installWheelGuard(QWidget *root)
{
    auto *guard = new WheelGuard(root);
    const auto controls = root->findChildren<QWidget *>();
    for (QWidget *control : controls)
        control->installEventFilter(guard);
}
