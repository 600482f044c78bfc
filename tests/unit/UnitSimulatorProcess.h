#pragma once

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

private:
    std::unique_ptr<QProcess> m_process;
};
