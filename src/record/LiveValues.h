#pragma once

#include "UnitFrame.h"

#include <QtGlobal>

// What one live frame of the unit reports, as a rider reads it: switches as on/off
// (the unit sends the neutral and side-stand switches as 0 for ON), the supply in
// millivolts by the unit's scaling.
struct LiveValues
{
    quint16 rpm = 0;
    quint8 advanceDeg = 0;
    int millivolts = 0;
    bool blocking = false;
    bool neutral = false;
    bool sideStand = false;
    bool pickup1 = false;
    bool pickup2 = false;
    quint16 savingCountdown = 0; // non-zero while the unit stores programmed data

    friend bool operator==(const LiveValues &, const LiveValues &) = default;
};

// The values of a live frame; the frame is taken as it is, the caller has accepted it.
LiveValues LiveValuesFromFrame(const UnitFrame &frame);

// Supply volts as the monitor shows them: millivolts / 1000 in single precision.
float LiveVolts(int millivolts);
