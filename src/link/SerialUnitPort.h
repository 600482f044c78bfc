#pragma once

#include "SerialDevices.h"
#include "UnitPort.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <memory>

// Real serial ports, 57600 8N1 without flow control.
//
// On Windows COM n is the port of that name. Elsewhere COM n (1..21) is the device the
// caller maps to it (from the settings file), else the n-th serial device present, USB
// adapters first, so that the automatic scan reaches every device there is.
class SerialUnitPortProvider : public UnitPortProvider
{
public:
    // devices: where the present devices are learnt; null takes the system's, watched.
    explicit SerialUnitPortProvider(QMap<int, QString> comDevices = {},
                                    std::shared_ptr<SerialDeviceSource> devices = {});

    const QMap<int, QString> &comDevices() const { return m_comDevices; }

    std::unique_ptr<UnitPort> open(int portNumber, PortOpenFailure &failure) override;
    QString deviceName(int portNumber) const override;
    PortDescription describe(int portNumber) override;

    // Device paths in scan order: ttyUSB by number, then ttyACM by number, then the
    // others by name with numbers compared as numbers.
    static QStringList orderDevices(QStringList devices);
    // USB serial adapters (ttyUSB, ttyACM), as opposed to built-in and other ports.
    static bool isUsbAdapter(const QString &device);
    // The serial devices the system reports present, in scan order (walks sysfs now).
    static QList<SerialDevice> systemDevices();

    // Why an open refused by the system failed: a refusal of a device this user may
    // read and write means another program holds it.
    static PortOpenFailure::Reason reasonFor(int serialPortError, bool userMayUseDevice);

private:
    const QList<SerialDevice> &presentDevices() const;

    QMap<int, QString> m_comDevices;
    mutable std::shared_ptr<SerialDeviceSource> m_devices;
};
