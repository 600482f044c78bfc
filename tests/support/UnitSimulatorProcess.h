#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// korvo-unit-sim serving a pseudo-terminal that it links at a path the test chooses; ended
// by stop() or on destruction. The build defines KORVO_UNIT_SIM as the simulator's path.
class UnitSimulatorProcess
{
public:
    ~UnitSimulatorProcess() { stop(); }

    // Starts the simulator and waits for its first line, the terminal it serves; empty
    // when it does not start or says nothing.
    QString start(const QString &linkPath, const QStringList &options = {})
    {
        m_process = std::make_unique<QProcess>();
        m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process->start(QStringLiteral(KORVO_UNIT_SIM), QStringList{QStringLiteral("--link"), linkPath} + options);
        if (!m_process->waitForStarted(10000))
            return {};
        while (!m_process->canReadLine()) {
            if (!m_process->waitForReadyRead(10000))
                return {};
        }
        return QString::fromLocal8Bit(m_process->readLine()).trimmed();
    }

    // Asks it to end, and kills it when it does not.
    void stop()
    {
        if (!m_process)
            return;
        m_process->terminate();
        if (!m_process->waitForFinished(10000)) {
            m_process->kill();
            m_process->waitForFinished(10000);
        }
        m_process.reset();
    }

    qint64 processId() const { return m_process ? m_process->processId() : 0; }

    // With --trace: waits until the simulator reports a frame with this code; false when
    // none comes within ms. Lines before it are passed over.
    bool waitForFrame(quint8 code, int ms)
    {
        if (!m_process)
            return false;
        const QByteArray wanted = QByteArray::number(code, 16).rightJustified(2, '0');
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            while (m_process->canReadLine()) {
                const QByteArray line = m_process->readLine().trimmed();
                if (line.endsWith(' ' + wanted))
                    return true;
            }
            m_process->waitForReadyRead(50);
        }
        return false;
    }

private:
    std::unique_ptr<QProcess> m_process;
};
