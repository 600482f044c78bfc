#include "LiveValues.h"

static quint16 word(const UnitFrame &frame, int at)
{
    return quint16(frame[at] | (frame[at + 1] << 8));
}

int LiveMillivolts(quint16 raw)
{
    const int k = int(raw) * 5000 / 8184;
    return k * 11 + 800;
}

float LiveVolts(int millivolts)
{
    return float(double(millivolts) * 0.001);
}

LiveValues DecodeLiveFrame(const UnitFrame &frame)
{
    LiveValues v;
    v.rpm = word(frame, 1);
    v.overLimiter = frame[3] != 0;
    v.advance = frame[5];
    v.millivolts = LiveMillivolts(word(frame, 9));
    v.blocking = frame[7] != 0;
    v.sideStand = frame[29] == 0;
    v.neutral = frame[30] == 0;
    v.pickup1 = frame[31] != 0;
    v.pickup2 = frame[32] != 0;
    v.programmingCount = word(frame, 11);
    v.savingCountdown = word(frame, 47);
    v.storedDataError = frame[49] != 0;
    v.unitProgramVersion = frame[50];
    for (int i = 0; i < int(v.test.size()); ++i)
        v.test[i] = word(frame, 13 + 2 * i);
    return v;
}
