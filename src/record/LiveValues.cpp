#include "LiveValues.h"

namespace {

quint16 word(const UnitFrame &frame, int at)
{
    return quint16(frame[at] | (frame[at + 1] << 8));
}

} // namespace

LiveValues LiveValuesFromFrame(const UnitFrame &frame)
{
    LiveValues v;
    v.rpm = word(frame, 1);
    v.advanceDeg = frame[5];
    v.millivolts = (word(frame, 9) * 5000 / 8184) * 11 + 800;
    v.blocking = frame[7] != 0;
    v.sideStand = frame[29] == 0;
    v.neutral = frame[30] == 0;
    v.pickup1 = frame[31] != 0;
    v.pickup2 = frame[32] != 0;
    v.savingCountdown = word(frame, 47);
    return v;
}

float LiveVolts(int millivolts)
{
    return float(double(millivolts) * 0.001);
}
