#pragma once

#include "UpDownModel.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <QLineEdit>

// The small pair of arrows beside an edit field. It keeps the edit's text and its own
// position in step: a click first takes acceptable typed text from the edit, then moves
// one step, rewrites the edit and only then reports the click. Positions set by the
// program rewrite the edit and report nothing. Held down, an arrow repeats.
class UpDownButton : public QWidget
{
    Q_OBJECT

public:
    UpDownButton(const UpDownModel &model, QLineEdit *buddy, QWidget *parent = nullptr);

    QLineEdit *buddy() const { return m_buddy; }
    const UpDownModel &model() const { return m_model; }

    // The position, after taking acceptable typed text from the edit.
    int position();
    // Sets the position (held within the bounds) and rewrites the edit, even when the
    // position did not change, so refused typed text is replaced. Reports nothing.
    void setPosition(int position);
    // One step as from an arrow: take the text, step, rewrite, then report clicked.
    void stepBy(int direction);

    QSize sizeHint() const override { return {16, 21}; }

signals:
    void clicked(int direction);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    // One step of an arrow held down; stops once the button is no longer held.
    void repeat();

private:
    void writeBuddy();
    void stopRepeat();

    UpDownModel m_model;
    QPointer<QLineEdit> m_buddy;
    // For comparing in the event filter, which also sees the edit while it is being
    // destroyed, when it may no longer be used as a QLineEdit.
    const QObject *m_buddyObject = nullptr;
    QTimer m_repeat;
    int m_pressed = 0; // +1 upper arrow held, -1 lower arrow held
};
