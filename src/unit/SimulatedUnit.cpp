#include "SimulatedUnit.h"

#include "VehiclePresets.h"

#include <algorithm>
#include <cstring>

SimulatedUnit::SimulatedUnit()
{
    // Information block: version KTC12, programmed 14 March 2024 at 09:41.
    m_block0[0] = 'K';
    m_block0[1] = 'T';
    m_block0[2] = 'C';
    m_block0[3] = 12;
    m_block0[4] = 14;
    m_block0[5] = quint8('M' + 'a' + 'r');
    m_block0[6] = 24;
    m_block0[7] = 9;
    m_block0[8] = 41;

    IgnitionParameters set;
    bool listChanged = false;
    ApplyVehiclePreset(set, listChanged);
    NormaliseCurve(set);
    const auto image = set.UnitBlockImage();
    std::copy(image.begin(), image.end(), m_block1.begin());
}

void SimulatedUnit::setVersionText(const QByteArray &text)
{
    std::fill(m_block0.begin() + 16, m_block0.begin() + 46, quint8(0));
    std::memcpy(m_block0.data() + 16, text.constData(), size_t(std::min<qsizetype>(text.size(), 30)));
}

void SimulatedUnit::advanceTo(qint64 nowMs)
{
    m_now = std::max(m_now, nowMs);
}

void SimulatedUnit::receive(const quint8 *bytes, qint64 count)
{
    if (m_received > 0 && m_now - m_lastByteAt > FrameGapMs)
        m_received = 0;
    m_lastByteAt = m_now;
    for (qint64 i = 0; i < count; ++i) {
        m_frame[m_received++] = bytes[i];
        if (m_received == FrameSize) {
            m_received = 0;
            if (frameReceived)
                frameReceived(m_frame);
            handleFrame(m_frame);
        }
    }
}

void SimulatedUnit::handleFrame(const UnitFrame &frame)
{
    if (!FrameChecksumValid(frame))
        return;
    const bool blockCommand = frame[0] == CommandProgramBlock0 || frame[0] == CommandProgramBlock1 ||
                              frame[0] == CommandReadBlock0 || frame[0] == CommandReadBlock1;
    if (faults.silent || (faults.silentAfter >= 0 && m_blockAnswers >= faults.silentAfter))
        return;

    UnitFrame reply{};
    reply[0] = quint8(frame[0] ^ AnswerBit);
    switch (frame[0]) {
    case CommandProgramBlock0:
    case CommandReadBlock0:
        m_block0[10] = faults.programVersion;
        std::copy(m_block0.begin(), m_block0.end(), reply.begin() + 1);
        break;
    case CommandProgramBlock1:
        std::copy(frame.begin() + 1, frame.end() - 1, m_block1.begin());
        ++m_programmingCount;
        m_savingStartedAt = m_now;
        std::copy(m_block1.begin(), m_block1.end(), reply.begin() + 1);
        if (faults.corruptEcho)
            reply[1 + 45] ^= 0x01;
        break;
    case CommandReadBlock1:
        // The data of a verify frame is not needed: the PC compares what comes back.
        std::copy(m_block1.begin(), m_block1.end(), reply.begin() + 1);
        break;
    case CommandMonitor:
        reply = liveFrame();
        break;
    default:
        return; // no such command
    }
    if (blockCommand)
        ++m_blockAnswers;
    answer(reply);
}

void SimulatedUnit::answer(UnitFrame frame)
{
    SealFrame(frame);
    if (faults.corruptChecksum)
        frame[FrameSize - 1] ^= 0x5A;
    Pending pending{m_now + std::max(0, faults.answerDelayMs), {}};
    if (faults.noise && (m_answers % 2) == 0) {
        const int count = 1 + nextRandom() % 7;
        for (int i = 0; i < count; ++i)
            pending.bytes.append(char(nextRandom()));
    }
    ++m_answers;
    pending.bytes.append(reinterpret_cast<const char *>(frame.data()), FrameSize);
    m_output.push_back(std::move(pending));
}

quint8 SimulatedUnit::nextRandom()
{
    m_random ^= m_random << 13;
    m_random ^= m_random >> 17;
    m_random ^= m_random << 5;
    return quint8(m_random >> 24);
}

qint64 SimulatedUnit::outputAvailable() const
{
    qint64 n = 0;
    for (const Pending &p : m_output) {
        if (p.due > m_now)
            break;
        n += p.bytes.size();
    }
    return n;
}

qint64 SimulatedUnit::readOutput(quint8 *buffer, qint64 maxBytes)
{
    qint64 n = 0;
    while (n < maxBytes && !m_output.empty() && m_output.front().due <= m_now) {
        QByteArray &bytes = m_output.front().bytes;
        const qint64 take = std::min<qint64>(maxBytes - n, bytes.size());
        std::memcpy(buffer + n, bytes.constData(), size_t(take));
        n += take;
        if (take == bytes.size())
            m_output.pop_front();
        else
            bytes.remove(0, take);
    }
    return n;
}

QByteArray SimulatedUnit::takeOutput()
{
    QByteArray out(outputAvailable(), Qt::Uninitialized);
    readOutput(reinterpret_cast<quint8 *>(out.data()), out.size());
    return out;
}

qint64 SimulatedUnit::nextOutputDue() const
{
    return m_output.empty() ? -1 : m_output.front().due;
}

quint16 SimulatedUnit::savingCountdown() const
{
    if (m_savingStartedAt < 0)
        return 0;
    if (faults.endlessSaving)
        return SavingStart / 2;
    const qint64 left = SavingStart - (m_now - m_savingStartedAt) / SavingStepMs;
    return quint16(std::max<qint64>(0, left));
}

int SimulatedUnit::engineRpm() const
{
    // Idles for a while, revs up to just past the limiter, comes back down.
    const int limiter = m_block1[IgnitionParameters::OffsetLimiter] != 0
                            ? m_block1[IgnitionParameters::OffsetLimiter] * 100
                            : 12000;
    const int top = std::min(limiter + 150, 15000);
    const int idle = 1200;
    const qint64 phase = m_now % EngineCycleMs;
    if (phase < 4000)
        return idle + int(phase % 400) / 20; // a slightly uneven idle
    if (phase < 11000)
        return idle + int((top - idle) * (phase - 4000) / 7000);
    return top - int((top - idle) * (phase - 11000) / 5000);
}

static void putWord(UnitFrame &frame, int at, int value)
{
    frame[at] = quint8(value & 0xFF);
    frame[at + 1] = quint8((value >> 8) & 0xFF);
}

UnitFrame SimulatedUnit::liveFrame() const
{
    UnitFrame frame{};
    frame[0] = AnswerLiveData;
    const int rpm = engineRpm();
    const int limiter = m_block1[IgnitionParameters::OffsetLimiter] * 100;
    putWord(frame, 1, rpm);
    frame[3] = limiter > 0 && rpm >= limiter ? 1 : 0;

    // Advance from the stored curve, base advance below its first point.
    const int r = rpm / 100;
    const quint8 *points = m_block1.data() + IgnitionParameters::OffsetRpmAdv;
    const quint8 *advance = m_block1.data() + IgnitionParameters::OffsetAdvance;
    int degrees = m_block1[IgnitionParameters::OffsetBaseAdv];
    if (r >= points[0]) {
        int i = 0;
        while (i < CurvePoints - 1 && points[i + 1] <= r)
            ++i;
        degrees = advance[i];
        if (i < CurvePoints - 1 && points[i + 1] > points[i])
            degrees += (advance[i + 1] - advance[i]) * (r - points[i]) / (points[i + 1] - points[i]);
    }
    frame[5] = quint8(std::clamp(degrees, 0, 255));

    // While idling on every other cycle the side stand is down; with a gear in (the second
    // half of the idle) a unit with blocking enabled blocks.
    const qint64 phase = m_now % EngineCycleMs;
    const bool idling = phase < 4000;
    const bool neutral = phase < 2000;
    const bool standDown = idling && (m_now / EngineCycleMs) % 2 == 0;
    const bool blockingOn = m_block1[IgnitionParameters::OffsetBlokEnable] != 0 && standDown && !neutral;
    frame[7] = blockingOn ? 1 : 0;

    // About 13.8 V with a little ripple; the PC scales k = raw * 5000 / 8184, mV = 11k + 800.
    const int millivolts = 13800 + int((m_now / 150) % 7) * 30 - 90;
    const int k = (millivolts - 800) / 11;
    const int raw = (k * 8184 + 4999) / 5000;
    putWord(frame, 9, raw);
    putWord(frame, 11, m_programmingCount);
    for (int i = 0; i < 8; ++i)
        putWord(frame, 13 + 2 * i,
                i == 0   ? rpm / 10
                : i == 1 ? raw
                         : (i + 1) * 100 + int(m_now / 1000 % 100));
    frame[29] = standDown ? 0 : 1; // 0 means the switch is on
    frame[30] = neutral ? 0 : 1;
    frame[31] = rpm > 0 ? 1 : 0;
    frame[32] = rpm > 0 ? 1 : 0;
    putWord(frame, 47, savingCountdown());
    frame[49] = faults.storedDataError && m_savingStartedAt >= 0 && savingCountdown() == 0 ? 1 : 0;
    frame[50] = faults.programVersion;
    SealFrame(frame);
    return frame;
}
