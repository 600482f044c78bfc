#pragma once

#include "UnitFrame.h"

#include <array>

// The values of one live frame, as numbers: the one decoder of live frames. The window
// shows them as captions; a recording or a terminal writes them as they are.
struct LiveValues
{
    quint16 rpm = 0;
    bool overLimiter = false;
    quint8 advance = 0;  // degrees
    int millivolts = 0;  // supply, from the unit's raw reading
    bool blocking = false;
    bool neutral = false;   // switch closed (the unit reports 0)
    bool sideStand = false; // switch closed (the unit reports 0)
    bool pickup1 = false;   // signal present
    bool pickup2 = false;
    quint16 programmingCount = 0;
    quint16 savingCountdown = 0;
    bool storedDataError = false;
    quint8 unitProgramVersion = 0;
    std::array<quint16, 8> test{}; // the unit's test words, shown as they are
};

// Supply in millivolts from the unit's raw reading (bytes 9-10).
int LiveMillivolts(quint16 raw);
// The supply as the window prints it: single precision, so 12350 mV reads 12.4 V.
float LiveVolts(int millivolts);

// Decodes a live frame; the caller has accepted it.
LiveValues DecodeLiveFrame(const UnitFrame &frame);
