#pragma once

#include <QObject>

#include <memory>

class EndingSignals;
class QSocketNotifier;

// Turns the signals that end a session (EndingSignals: SIGTERM, SIGHUP, SIGINT) into a
// Qt signal, so that the program can shut down as Exit does. The handler itself only
// writes the signal's number into a socket pair; the event loop reads it and emits
// received(). SIGXFSZ is ignored while the object lives, so a write beyond a file size
// limit fails (and is handled like a full disk) instead of killing the program in the
// middle of its shutdown.
//
// One object at a time; where these signals do not exist it never emits.
class ShutdownSignals : public QObject
{
    Q_OBJECT

public:
    explicit ShutdownSignals(QObject *parent = nullptr);
    ~ShutdownSignals() override;

signals:
    void received(int signalNumber);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
    std::unique_ptr<EndingSignals> m_signals;
};
