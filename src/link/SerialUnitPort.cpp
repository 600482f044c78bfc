#include "SerialUnitPort.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
// The group that owns a device, and whether this user is listed in it although the
// session does not carry it yet (added to the group but not logged in again).
void describeAccessGroup(const QString &device, PortOpenFailure &failure)
{
    struct stat node{};
    if (::stat(QFile::encodeName(device).constData(), &node) != 0)
        return;
    failure.deviceMode = int(node.st_mode & 07777);
    if (const passwd *ownerUser = ::getpwuid(node.st_uid); ownerUser && ownerUser->pw_name)
        failure.deviceOwner = QString::fromLocal8Bit(ownerUser->pw_name);
    const group *owner = ::getgrgid(node.st_gid);
    if (!owner || !owner->gr_name)
        return;
    failure.accessGroup = QString::fromLocal8Bit(owner->gr_name);

    const passwd *user = ::getpwuid(::getuid());
    if (!user || !user->pw_name)
        return;
    bool listed = user->pw_gid == node.st_gid;
    for (char **member = owner->gr_mem; !listed && member && *member; ++member)
        listed = std::strcmp(*member, user->pw_name) == 0;
    if (!listed)
        return;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(size_t(std::max(count, 0)));
    const int got = count > 0 ? ::getgroups(count, groups.data()) : 0;
    const bool carried = ::getegid() == node.st_gid ||
                         std::find(groups.begin(), groups.begin() + std::max(got, 0), node.st_gid) !=
                             groups.begin() + std::max(got, 0);
    failure.groupNeedsNewLogin = !carried;
}
#endif

// A device that is missing or that this user may not use is refused here, without
// Qt's open, which creates and syncs a lock file first: the automatic scan comes back
// to the same devices every second or two. False, with the reason, when refused.
bool mayTryToOpen(const QString &device, PortOpenFailure &failure)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    const bool exists = ::access(path.constData(), F_OK) == 0;
    if (exists && ::access(path.constData(), R_OK | W_OK) == 0)
        return true;
    failure.device = device;
    failure.systemText = QString::fromLocal8Bit(std::strerror(errno));
    failure.reason = exists ? PortOpenFailure::Reason::PermissionDenied : PortOpenFailure::Reason::NotFound;
    if (exists)
        describeAccessGroup(device, failure);
    return false;
#else
    Q_UNUSED(device);
    Q_UNUSED(failure);
    return true;
#endif
}

bool userMayUseDevice(const QString &device)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(device);
    return true;
#endif
}

} // namespace

// One open serial device. Any error but a timeout closes it at once: a pulled USB
// adapter otherwise leaves Qt repeating ReadError in a busy loop while isOpen() stays
// true. A closed port reads nothing and writes nowhere, which the link sees as a unit
// that does not answer; the watchdog's reopen finds the device again.
class SerialUnitPort : public UnitPort
{
public:
    SerialUnitPort()
    {
        QObject::connect(&m_serial, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError error) {
            if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError && !m_settingModemLines &&
                m_serial.isOpen())
                m_serial.close();
        });
    }

    bool open(const QString &device, PortOpenFailure &failure)
    {
        m_serial.setPortName(device);
        m_serial.setBaudRate(QSerialPort::Baud57600);
        m_serial.setDataBits(QSerialPort::Data8);
        m_serial.setParity(QSerialPort::NoParity);
        m_serial.setStopBits(QSerialPort::OneStop);
        m_serial.setFlowControl(QSerialPort::NoFlowControl);
        // Without a bound a unit that never stops talking grows the buffer without end;
        // at the bound Qt stops reading and the rest waits in the system's queue.
        m_serial.setReadBufferSize(ReceiveQueueBytes);
        if (!m_serial.open(QIODevice::ReadWrite)) {
            failure.device = device;
            failure.systemText = m_serial.errorString();
            // Qt reports a device held by another program and one refused to this user
            // alike; whether the user may read and write it tells them apart.
            const bool mayUse = m_serial.error() != QSerialPort::PermissionError || userMayUseDevice(device);
            failure.reason = SerialUnitPortProvider::reasonFor(m_serial.error(), mayUse);
#ifdef Q_OS_UNIX
            if (failure.reason == PortOpenFailure::Reason::PermissionDenied)
                describeAccessGroup(device, failure);
#endif
            return false;
        }
        // Some adapters and every pseudo-terminal refuse the modem lines; the unit does
        // not need them.
        m_settingModemLines = true;
        m_serial.setDataTerminalReady(true);
        m_serial.setRequestToSend(true);
        m_settingModemLines = false;
        m_serial.clearError();
        return true;
    }

    void writeFrame(const UnitFrame &frame) override
    {
        if (!m_serial.isOpen())
            return;
        m_serial.write(reinterpret_cast<const char *>(frame.data()), FrameSize);
        // Hands the bytes to the kernel; tcdrain then waits until they are on the line.
        m_serial.waitForBytesWritten(WriteTimeoutMs);
        if (!m_serial.isOpen())
            return;
        m_serial.clearError();
#ifdef Q_OS_UNIX
        if (m_serial.handle() >= 0)
            ::tcdrain(m_serial.handle());
#endif
    }

    qint64 queuedBytes() override
    {
        if (!m_serial.isOpen())
            return 0;
        // Collects what the kernel holds now, without waiting, in case no event loop
        // has run since the last poll.
        if (m_serial.bytesAvailable() < FrameSize)
            m_serial.waitForReadyRead(0);
        if (!m_serial.isOpen())
            return 0;
        m_serial.clearError();
        return m_serial.bytesAvailable();
    }

    qint64 read(quint8 *buffer, qint64 maxBytes) override
    {
        if (!m_serial.isOpen())
            return 0;
        return std::max<qint64>(0, m_serial.read(reinterpret_cast<char *>(buffer), maxBytes));
    }

    // Reads never wait here, so there is nothing pending to abort.
    void purgeReceiveAbort() override {}

    // Both our buffer and the system's queue (tcflush).
    void dropReceived() override
    {
        if (m_serial.isOpen())
            m_serial.clear(QSerialPort::Input);
    }

private:
    static constexpr int WriteTimeoutMs = 200;
    QSerialPort m_serial;
    bool m_settingModemLines = false;
};

SerialUnitPortProvider::SerialUnitPortProvider(QMap<int, QString> comDevices,
                                               std::shared_ptr<SerialDeviceSource> devices)
    : m_comDevices(std::move(comDevices)), m_devices(std::move(devices))
{
}

const QList<SerialDevice> &SerialUnitPortProvider::presentDevices() const
{
    if (!m_devices)
        m_devices = std::make_shared<WatchedSerialDevices>(QStringLiteral("/dev"), &systemDevices);
    return m_devices->devices();
}

std::unique_ptr<UnitPort> SerialUnitPortProvider::open(int portNumber, PortOpenFailure &failure)
{
    failure = PortOpenFailure{};
    const QString device = deviceName(portNumber);
#ifdef Q_OS_WIN
    const bool mapped = true;
#else
    const bool mapped = m_comDevices.contains(portNumber);
#endif
    // Without a USB adapter a COM number reaches, if anything, a built-in port the user
    // never chose; what the user needs to hear then is that the adapter is missing.
    const auto noUsbAdapter = [this] {
        const QList<SerialDevice> &present = presentDevices();
        return std::none_of(present.begin(), present.end(),
                            [](const SerialDevice &d) { return isUsbAdapter(d.path); });
    };
    if (device.isEmpty()) {
        failure.devicesPresent = int(presentDevices().size());
        failure.reason = noUsbAdapter() ? PortOpenFailure::Reason::NoUsbAdapter : PortOpenFailure::Reason::NoDevice;
        return nullptr;
    }
    std::unique_ptr<SerialUnitPort> port;
    if (mayTryToOpen(device, failure)) {
        port = std::make_unique<SerialUnitPort>();
        if (!port->open(device, failure))
            port.reset();
    }
    if (!port && !mapped && !isUsbAdapter(device) && noUsbAdapter())
        failure.reason = PortOpenFailure::Reason::NoUsbAdapter;
    return port;
}

QString SerialUnitPortProvider::deviceName(int portNumber) const
{
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(portNumber);
#else
    const auto mapped = m_comDevices.constFind(portNumber);
    if (mapped != m_comDevices.cend())
        return *mapped;
    if (portNumber < 1)
        return {};
    const QList<SerialDevice> &devices = presentDevices();
    return portNumber <= devices.size() ? devices.at(portNumber - 1).path : QString();
#endif
}

PortDescription SerialUnitPortProvider::describe(int portNumber)
{
    PortDescription port;
    port.device = deviceName(portNumber);
    if (port.device.isEmpty())
        return port;
#ifdef Q_OS_WIN
    port.present = true;
#else
    // A mapped name is often a long link under /dev/serial/by-id: show the device it
    // reaches, and what the system knows of that device.
    const QFileInfo info(port.device);
    port.present = info.exists();
    if (port.present && info.isSymLink())
        port.device = info.canonicalFilePath();
    for (const SerialDevice &device : presentDevices()) {
        if (device.path == port.device) {
            port.description = device.description;
            port.present = true;
            break;
        }
    }
#endif
    return port;
}

PortOpenFailure::Reason SerialUnitPortProvider::reasonFor(int serialPortError, bool userMayUseDevice)
{
    switch (serialPortError) {
    case QSerialPort::DeviceNotFoundError:
        return PortOpenFailure::Reason::NotFound;
    case QSerialPort::PermissionError:
        return userMayUseDevice ? PortOpenFailure::Reason::Busy : PortOpenFailure::Reason::PermissionDenied;
    default:
        return PortOpenFailure::Reason::Other;
    }
}

bool SerialUnitPortProvider::isUsbAdapter(const QString &device)
{
    const QString name = QFileInfo(device).fileName();
    return name.startsWith(QLatin1String("ttyUSB")) || name.startsWith(QLatin1String("ttyACM"));
}

struct SerialDeviceKey
{
    int group = 2;
    QString stem;
    qint64 number = -1;
    QString name;
};

static SerialDeviceKey deviceKey(const QString &device)
{
    SerialDeviceKey key;
    key.name = QFileInfo(device).fileName();
    qsizetype digitsAt = key.name.size();
    while (digitsAt > 0 && key.name.at(digitsAt - 1).isDigit())
        --digitsAt;
    key.stem = key.name.left(digitsAt);
    if (digitsAt < key.name.size())
        key.number = key.name.mid(digitsAt).toLongLong();
    if (key.stem == QLatin1String("ttyUSB"))
        key.group = 0;
    else if (key.stem == QLatin1String("ttyACM"))
        key.group = 1;
    return key;
}

QStringList SerialUnitPortProvider::orderDevices(QStringList devices)
{
    std::stable_sort(devices.begin(), devices.end(), [](const QString &a, const QString &b) {
        const SerialDeviceKey ka = deviceKey(a);
        const SerialDeviceKey kb = deviceKey(b);
        if (ka.group != kb.group)
            return ka.group < kb.group;
        if (ka.stem != kb.stem)
            return ka.stem < kb.stem;
        if (ka.number != kb.number)
            return ka.number < kb.number;
        return a < b;
    });
    return devices;
}

QList<SerialDevice> SerialUnitPortProvider::systemDevices()
{
    QStringList paths;
    QMap<QString, QString> descriptions;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports) {
        paths.append(info.systemLocation());
        QString description = info.description().trimmed();
        if (description.isEmpty())
            description = info.manufacturer().trimmed();
        descriptions.insert(info.systemLocation(), description);
    }
    QList<SerialDevice> devices;
    for (const QString &path : orderDevices(paths))
        devices.append({path, descriptions.value(path)});
    return devices;
}
