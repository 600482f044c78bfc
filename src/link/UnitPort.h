#pragma once

#include "UnitFrame.h"

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

// Opens ports by COM number (1..21). On Windows COM n is the port name; elsewhere the
// provider maps the number to a device.
class UnitPortProvider
{
public:
    virtual ~UnitPortProvider() = default;
    // The opened port, or null with a reason in errorDetail (may stay empty).
    virtual std::unique_ptr<UnitPort> open(int portNumber, QString &errorDetail) = 0;
    // The device behind a COM number, for a tooltip; empty when unknown.
    virtual QString deviceName(int portNumber) const { Q_UNUSED(portNumber); return {}; }
};
