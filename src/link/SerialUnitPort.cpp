#include "SerialUnitPort.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QSerialPortInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <termios.h>
#endif

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

    bool open(const QString &device, QString &errorDetail)
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
            errorDetail = m_serial.errorString();
            if (m_serial.error() == QSerialPort::PermissionError)
                errorDetail += QStringLiteral(" (%1 is in use, or this user may not use it: on Linux, "
                                              "membership of the dialout group is needed)")
                                   .arg(device);
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

SerialUnitPortProvider::SerialUnitPortProvider(QMap<int, QString> comDevices)
    : m_comDevices(std::move(comDevices))
{
}

std::unique_ptr<UnitPort> SerialUnitPortProvider::open(int portNumber, QString &errorDetail)
{
    const QString device = deviceName(portNumber);
    if (device.isEmpty()) {
        errorDetail = QStringLiteral("No serial device for COM%1").arg(portNumber);
        return nullptr;
    }
    auto port = std::make_unique<SerialUnitPort>();
    if (!port->open(device, errorDetail))
        return nullptr;
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
    const QStringList &devices = cachedDevices();
    return portNumber <= devices.size() ? devices.at(portNumber - 1) : QString();
#endif
}

const QStringList &SerialUnitPortProvider::cachedDevices() const
{
    if (!m_devicesAge.isValid() || m_devicesAge.hasExpired(DeviceListMaxAgeMs)) {
        m_devices = presentDevices();
        m_devicesAge.start();
    }
    return m_devices;
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

QStringList SerialUnitPortProvider::presentDevices()
{
    QStringList devices;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        devices.append(info.systemLocation());
    return orderDevices(devices);
}
