#pragma once

#include "UnitPort.h"

#include <QElapsedTimer>
#include <QMap>
#include <QString>
#include <QStringList>

// Real serial ports, 57600 8N1 without flow control.
//
// On Windows COM n is the port of that name. Elsewhere COM n (1..21) is the device the
// caller maps to it (from the settings file), else the n-th serial device present, USB
// adapters first, so that the automatic scan reaches every device there is.
class SerialUnitPortProvider : public UnitPortProvider
{
public:
    explicit SerialUnitPortProvider(QMap<int, QString> comDevices = {});

    void setComDevices(QMap<int, QString> comDevices) { m_comDevices = std::move(comDevices); }
    const QMap<int, QString> &comDevices() const { return m_comDevices; }

    std::unique_ptr<UnitPort> open(int portNumber, QString &errorDetail) override;
    QString deviceName(int portNumber) const override;

    // Device paths in scan order: ttyUSB by number, then ttyACM by number, then the
    // others by name with numbers compared as numbers.
    static QStringList orderDevices(QStringList devices);
    // The serial devices the system reports present, in scan order.
    static QStringList presentDevices();

private:
    // The scan asks on every tick while no port answers; the system's list is read
    // again at most once a second.
    static constexpr int DeviceListMaxAgeMs = 1000;
    const QStringList &cachedDevices() const;

    QMap<int, QString> m_comDevices;
    mutable QStringList m_devices;
    mutable QElapsedTimer m_devicesAge;
};
