#pragma once

#include "UnitFrame.h"

#include <QMetaType>
#include <QString>

#include <memory>

// The one seam between the link and a serial device. Everything above it is the same
// for a real port, the in-memory fake of the tests and the simulated unit of the demo.
class UnitPort
{
public:
    virtual ~UnitPort() = default;

    // Writes one frame and returns once its bytes have left the PC. Results are not
    // examined: a dead line shows up as missing answers.
    virtual void writeFrame(const UnitFrame &frame) = 0;
    // Clears pending line errors and tells how many received bytes are queued.
    virtual qint64 queuedBytes() = 0;
    // Reads up to maxBytes already queued bytes; never waits.
    virtual qint64 read(quint8 *buffer, qint64 maxBytes) = 0;
    // At close: abort pending reads; the queues are not cleared.
    virtual void purgeReceiveAbort() = 0;
    // Forgets every received byte not read yet, down to the system's own queue.
    virtual void dropReceived() = 0;
};

// The most received bytes a port keeps for the next poll. A poll that finds this many
// has lost the race with the line: the rest is stale and dropped.
inline constexpr qint64 ReceiveQueueBytes = 10000;

// Why a port did not open, in terms the window can put into the user's language.
struct PortOpenFailure
{
    enum class Reason : quint8
    {
        None,
        // No USB serial adapter is present, and the number reached no device or only a
        // built-in port that would not open: the adapter is what is missing.
        NoUsbAdapter,
        NoDevice,         // no device for the number; devicesPresent tells how many there are
        NotFound,         // the device named does not exist
        Busy,             // another program holds the device
        PermissionDenied, // this user may not open the device; accessGroup may
        Other             // systemText says what
    };
    Reason reason = Reason::None;
    QString device;                  // the device tried; empty when there was none
    QString systemText;              // the system's own words, may be empty
    QString accessGroup;             // PermissionDenied: the group that owns the device
    bool groupNeedsNewLogin = false; // PermissionDenied: the user is in that group, this session is older
    QString deviceOwner;             // PermissionDenied: the user that owns the device
    int deviceMode = -1;             // PermissionDenied: the device's permission bits; -1 not known
    int devicesPresent = 0;          // NoDevice: serial devices present
};
Q_DECLARE_METATYPE(PortOpenFailure)

// What a COM number reaches, for the port menu.
struct PortDescription
{
    QString device;      // the device, as short as it can be named; empty when none
    QString description; // what the system knows it as (for example "FT232R USB UART"); may be empty
    bool present = false;
};

// Opens ports by COM number (1..21). On Windows COM n is the port name; elsewhere the
// provider maps the number to a device.
class UnitPortProvider
{
public:
    virtual ~UnitPortProvider() = default;
    // The opened port, or null with the reason in failure.
    virtual std::unique_ptr<UnitPort> open(int portNumber, PortOpenFailure &failure) = 0;
    // The device behind a COM number, for a tooltip; empty when unknown.
    virtual QString deviceName(int portNumber) const { Q_UNUSED(portNumber); return {}; }
    // The device behind a COM number and what it is, looked up afresh.
    virtual PortDescription describe(int portNumber)
    {
        PortDescription port;
        port.device = deviceName(portNumber);
        port.present = !port.device.isEmpty();
        return port;
    }
};
