#include "SerialDevices.h"

WatchedSerialDevices::WatchedSerialDevices(QString deviceFolder, Enumerate enumerate, QObject *parent)
    : QObject(parent), m_enumerate(std::move(enumerate))
{
    m_watching = m_watcher.addPath(deviceFolder);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_stale = true; });
}

const QList<SerialDevice> &WatchedSerialDevices::devices()
{
    const bool expired = !m_watching && (!m_age.isValid() || m_age.hasExpired(UnwatchedMaxAgeMs));
    if (m_stale || expired) {
        // Cleared first: a change that lands while the list is taken marks it stale again.
        m_stale = false;
        m_devices = m_enumerate();
        m_age.start();
    }
    return m_devices;
}
