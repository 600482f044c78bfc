#pragma once

#include "UnitFrame.h"

#include <QByteArray>

#include <array>
#include <deque>
#include <functional>

// What can be made to go wrong with the simulated unit.
struct SimulatedUnitFaults
{
    bool silent = false;          // answers nothing at all
    int silentAfter = -1;         // answers nothing once it has answered this many block commands (-1: never)
    quint8 programVersion = 61;   // reported in block 0 and in every live frame
    bool corruptEcho = false;     // the echo of a programmed block differs in one reserved byte
    bool corruptChecksum = false; // every answer carries a wrong checksum
    int answerDelayMs = 0;        // answers leave this long after the command
    bool noise = false;           // stray bytes ahead of every second answer
    bool storedDataError = false; // once a saving has ended, live frames report the stored data bad
    bool endlessSaving = false;   // a saving, once started, never counts down
};

// The ignition unit's side of the line, without any I/O: command frames go in through
// receive(), answer bytes come out through readOutput() once their time has come. Time is
// whatever the owner says it is (advanceTo), so tests can run it on a clock of their own.
//
// Blocks: 0 is the information block (version name, program date and time, program
// version), 1 the parameter block, stored by a program command, echoed and read back.
// Live frames come from a running engine: the speed sweeps through the curve up to the
// limiter and back, the supply stays near 13.8 V, the switches and pickups follow the
// engine, every programming counts and starts a saving countdown.
class SimulatedUnit
{
public:
    static constexpr int SlowAnswerMs = 400;
    // A pause this long inside a frame means the PC started over.
    static constexpr int FrameGapMs = 40;
    static constexpr int SavingStart = 110;
    static constexpr int SavingStepMs = 10;
    static constexpr int EngineCycleMs = 16000;

    SimulatedUnit();

    SimulatedUnitFaults faults;
    // Called with every whole frame received, valid or not, before it is acted on.
    std::function<void(const UnitFrame &)> frameReceived;

    void advanceTo(qint64 nowMs);
    qint64 now() const { return m_now; }

    // Bytes sent by the PC, at the current time.
    void receive(const quint8 *bytes, qint64 count);
    void receive(const UnitFrame &frame) { receive(frame.data(), FrameSize); }
    // Drops a partly received frame (the line was opened anew).
    void resetReceiver() { m_received = 0; }

    // Answer bytes due by now.
    qint64 outputAvailable() const;
    qint64 readOutput(quint8 *buffer, qint64 maxBytes);
    QByteArray takeOutput();
    // Forgets every answer not yet read (nobody is there to read it).
    void dropOutput() { m_output.clear(); }
    // When the next answer byte falls due, or -1 when none waits.
    qint64 nextOutputDue() const;

    std::array<quint8, FrameDataSize> &informationBlock() { return m_block0; }
    std::array<quint8, FrameDataSize> &parameterBlock() { return m_block1; }
    const std::array<quint8, FrameDataSize> &parameterBlock() const { return m_block1; }
    // Replaces the version name with a text of up to 30 characters (block bytes 16..45).
    void setVersionText(const QByteArray &text);

    quint16 programmingCount() const { return m_programmingCount; }
    quint16 savingCountdown() const;
    int blockAnswers() const { return m_blockAnswers; }

    // The live frame the unit would send now.
    UnitFrame liveFrame() const;
    // Engine speed in rpm at the current time.
    int engineRpm() const;

private:
    void handleFrame(const UnitFrame &frame);
    void answer(UnitFrame frame);
    quint8 nextRandom();

    qint64 m_now = 0;
    std::array<quint8, FrameSize> m_frame{};
    int m_received = 0;
    qint64 m_lastByteAt = 0;

    struct Pending
    {
        qint64 due;
        QByteArray bytes;
    };
    std::deque<Pending> m_output;

    std::array<quint8, FrameDataSize> m_block0{};
    std::array<quint8, FrameDataSize> m_block1{};
    quint16 m_programmingCount = 17;
    qint64 m_savingStartedAt = -1;
    int m_blockAnswers = 0;
    int m_answers = 0;
    quint32 m_random = 0x2545F491u;
};
