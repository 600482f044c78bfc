#pragma once

#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>

// A check box that tells when the mouse button has been released over it, after the
// box has toggled. A toggle from the keyboard (Space) tells the same on the key's
// release, so a switch changed without the mouse still reaches the parameter set.
class MouseUpCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

signals:
    void mouseUp();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        QCheckBox::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            emit mouseUp();
    }
    void keyReleaseEvent(QKeyEvent *event) override
    {
        const bool toggle = event->key() == Qt::Key_Space && !event->isAutoRepeat() && isDown();
        QCheckBox::keyReleaseEvent(event);
        if (toggle)
            emit mouseUp();
    }
};
