#pragma once

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// One serial device the system reports present.
struct SerialDevice
{
    QString path;        // for example /dev/ttyUSB0
    QString description; // what the system knows it as, for example "FT232R USB UART"; may be empty
};

// Where the port layer learns which serial devices are present. Tests hand in their own
// list, so that nothing looks at the machine's devices.
class SerialDeviceSource
{
public:
    virtual ~SerialDeviceSource() = default;
    // The devices present, in scan order. The reference stays valid until the next call.
    virtual const QList<SerialDevice> &devices() = 0;
};

// A list of devices fixed by the caller.
class FixedSerialDevices : public SerialDeviceSource
{
public:
    explicit FixedSerialDevices(QList<SerialDevice> devices = {}) : m_devices(std::move(devices)) {}
    void setDevices(QList<SerialDevice> devices) { m_devices = std::move(devices); }
    const QList<SerialDevice> &devices() override { return m_devices; }

private:
    QList<SerialDevice> m_devices;
};

// The system's list, kept until a node is added to or removed from the device folder.
// Listing the devices walks sysfs (15-18 ms and thousands of opens here), and the
// automatic scan asks on every tick while no unit answers, so the list is taken again
// only when a device may have come or gone: a watch on the folder marks it stale.
// Where the folder cannot be watched, the list is taken again at most every few seconds.
class WatchedSerialDevices : public QObject, public SerialDeviceSource
{
    Q_OBJECT

public:
    using Enumerate = std::function<QList<SerialDevice>()>;

    WatchedSerialDevices(QString deviceFolder, Enumerate enumerate, QObject *parent = nullptr);

    const QList<SerialDevice> &devices() override;
    // How often the system's list has been taken (for tests and figures).
    bool watching() const { return m_watching; }

private:
    static constexpr int UnwatchedMaxAgeMs = 3000;

    Enumerate m_enumerate;
    QFileSystemWatcher m_watcher;
    QList<SerialDevice> m_devices;
    QElapsedTimer m_age;
    bool m_watching = false;
    bool m_stale = true;
};
