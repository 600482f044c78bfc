#include "UnitFrame.h"

quint8 FrameChecksum(const UnitFrame &frame)
{
    quint8 sum = 0xFF;
    for (int i = 0; i < FrameSize - 1; ++i)
        sum ^= frame[i];
    return sum;
}

void SealFrame(UnitFrame &frame)
{
    frame[FrameSize - 1] = FrameChecksum(frame);
}

bool FrameChecksumValid(const UnitFrame &frame)
{
    return FrameChecksum(frame) == frame[FrameSize - 1];
}

UnitFrame BuildCommandFrame(quint8 commandByte, LinkMode mode, const IgnitionParameters &set)
{
    UnitFrame frame{};
    frame[0] = commandByte;
    if (!ReadsFromUnit(mode) && BlockNumberOf(commandByte) == 1) {
        const auto block = set.UnitBlockImage();
        for (int i = 0; i < FrameDataSize; ++i)
            frame[i + 1] = block[i];
    }
    SealFrame(frame);
    return frame;
}

UnitFrame BuildMonitorRequest()
{
    UnitFrame frame{};
    frame[0] = CommandMonitor;
    SealFrame(frame);
    return frame;
}

bool AcceptLiveFrame(const UnitFrame &frame)
{
    return frame[0] == AnswerLiveData && FrameChecksumValid(frame);
}

bool AcceptAnswerFrame(const UnitFrame &frame, quint8 commandByte, LinkMode mode)
{
    const quint8 block = BlockNumberOf(commandByte);
    return block <= 1 && frame[0] == quint8(commandByte ^ AnswerBit) && mode != LinkMode::Idle
           && FrameChecksumValid(frame);
}
