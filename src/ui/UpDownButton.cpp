#include "UpDownButton.h"

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {
constexpr int RepeatDelayMs = 400;
constexpr int RepeatIntervalMs = 60;
} // namespace

UpDownButton::UpDownButton(const UpDownModel &model, QLineEdit *buddy, QWidget *parent)
    : QWidget(parent), m_model(model), m_buddy(buddy), m_buddyObject(buddy)
{
    // Like the arrows of an up-down control, the button never takes the focus, so a
    // click does not make the edit beside it lose the focus.
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    m_repeat.setSingleShot(false);
    connect(&m_repeat, &QTimer::timeout, this, &UpDownButton::repeat);
    if (m_buddy) {
        // Up and Down in the edit step the value, as the arrows do.
        m_buddy->installEventFilter(this);
        writeBuddy();
    }
}

int UpDownButton::position()
{
    if (m_buddy)
        m_model.takeText(m_buddy->text());
    return m_model.position();
}

void UpDownButton::setPosition(int position)
{
    m_model.setPosition(position);
    writeBuddy();
}

void UpDownButton::stepBy(int direction)
{
    position();
    m_model.step(direction);
    writeBuddy();
    emit clicked(direction);
}

void UpDownButton::writeBuddy()
{
    if (!m_buddy)
        return;
    const QSignalBlocker blocker(m_buddy);
    m_buddy->setText(m_model.text());
}

void UpDownButton::repeat()
{
    // The release does not always come here: a box opened over the window while the arrow
    // is held swallows it, and the arrow would go on stepping for good.
    if (m_pressed == 0 || !(QGuiApplication::mouseButtons() & Qt::LeftButton) || !isVisible()) {
        stopRepeat();
        return;
    }
    m_repeat.setInterval(RepeatIntervalMs);
    if (isEnabled())
        stepBy(m_pressed);
}

void UpDownButton::stopRepeat()
{
    m_pressed = 0;
    m_repeat.stop();
    update();
}

void UpDownButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int half = height() / 2;
    const QRect halves[2] = {QRect(0, 0, width(), half), QRect(0, half, width(), height() - half)};
    for (int i = 0; i < 2; ++i) {
        const int direction = i == 0 ? 1 : -1;
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = halves[i];
        button.state |= QStyle::State_Raised;
        if (m_pressed == direction) {
            button.state |= QStyle::State_Sunken;
            button.state &= ~QStyle::State_Raised;
        }
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = halves[i].adjusted(3, 2, -3, -2);
        style()->drawPrimitive(i == 0 ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow,
                               &painter, this);
    }
}

void UpDownButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressed = event->position().y() < height() / 2 ? 1 : -1;
    update();
    stepBy(m_pressed);
    m_repeat.start(RepeatDelayMs);
}

void UpDownButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    stopRepeat();
}

bool UpDownButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_buddyObject && event->type() == QEvent::KeyPress && isEnabled()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                stepBy(key->key() == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
