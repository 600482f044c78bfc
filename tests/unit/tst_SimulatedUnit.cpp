#include "SimulatedUnit.h"

#include <QTest>

// The unit's side of the line, frame by frame, on a clock the test sets.
class tst_SimulatedUnit : public QObject
{
    Q_OBJECT

private slots:
    void informationBlock();
    void programEchoAndReadBack();
    void liveFrame();
    void engineRunsThroughTheCurve();
    void commandsWithoutAnswer_data();
    void commandsWithoutAnswer();
    void frameInPiecesAndGaps();
    void faults();

private:
    static UnitFrame command(quint8 code, const std::array<quint8, FrameDataSize> &data = {})
    {
        UnitFrame f{};
        f[0] = code;
        std::copy(data.begin(), data.end(), f.begin() + 1);
        SealFrame(f);
        return f;
    }
    static UnitFrame frameOf(const QByteArray &bytes)
    {
        UnitFrame f{};
        std::copy_n(reinterpret_cast<const quint8 *>(bytes.constData()), FrameSize, f.begin());
        return f;
    }
    static int word(const UnitFrame &f, int at) { return f[at] | (f[at + 1] << 8); }
    // One command and the answer due 5 ms later.
    static QByteArray exchange(SimulatedUnit &unit, const UnitFrame &cmd)
    {
        unit.receive(cmd);
        unit.advanceTo(unit.now() + 5);
        return unit.takeOutput();
    }
};

void tst_SimulatedUnit::informationBlock()
{
    SimulatedUnit unit;
    for (quint8 code : {CommandReadBlock0, CommandProgramBlock0}) {
        const QByteArray out = exchange(unit, command(code));
        QCOMPARE(out.size(), FrameSize);
        const UnitFrame a = frameOf(out);
        QCOMPARE(int(a[0]), code ^ 0x80);
        QVERIFY(FrameChecksumValid(a));
        QCOMPARE(int(a[1 + 10]), 61);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(a.data()) + 1, 3), QByteArray("KTC"));
        QCOMPARE(int(a[1 + 5]), 32); // March, by the month code of the date
    }
    // Block 0 is never written.
    const auto before = unit.informationBlock();
    exchange(unit, command(CommandProgramBlock1));
    QCOMPARE(unit.informationBlock(), before);
}

void tst_SimulatedUnit::programEchoAndReadBack()
{
    SimulatedUnit unit;
    std::array<quint8, FrameDataSize> block{};
    for (int i = 0; i < FrameDataSize; ++i)
        block[i] = quint8(3 * i + 1);
    const int count = unit.programmingCount();

    const UnitFrame echo = frameOf(exchange(unit, command(CommandProgramBlock1, block)));
    QCOMPARE(int(echo[0]), 0x81);
    QVERIFY(FrameChecksumValid(echo));
    QVERIFY(std::equal(block.begin(), block.end(), echo.begin() + 1));
    QCOMPARE(unit.parameterBlock(), block);
    QCOMPARE(int(unit.programmingCount()), count + 1);

    // A verify frame's data is not what comes back: the stored block is.
    const UnitFrame back = frameOf(exchange(unit, command(CommandReadBlock1, {})));
    QCOMPARE(int(back[0]), 0xC1);
    QVERIFY(std::equal(block.begin(), block.end(), back.begin() + 1));

    // Saving counts down from 110 after the programming, and the count shows live.
    UnitFrame live = frameOf(exchange(unit, command(CommandMonitor)));
    QVERIFY(word(live, 47) > 100);
    QCOMPARE(word(live, 11), count + 1);
    unit.advanceTo(unit.now() + 600);
    live = frameOf(exchange(unit, command(CommandMonitor)));
    QVERIFY(word(live, 47) > 0 && word(live, 47) < 60);
    unit.advanceTo(unit.now() + 2000);
    live = frameOf(exchange(unit, command(CommandMonitor)));
    QCOMPARE(word(live, 47), 0);
}

void tst_SimulatedUnit::liveFrame()
{
    SimulatedUnit unit;
    unit.advanceTo(1000);
    const UnitFrame live = frameOf(exchange(unit, command(CommandMonitor)));
    QCOMPARE(int(live[0]), 0xB0);
    QVERIFY(FrameChecksumValid(live));
    QCOMPARE(int(live[50]), 61);
    const int k = word(live, 9) * 5000 / 8184;
    const int millivolts = k * 11 + 800;
    QVERIFY2(millivolts > 13500 && millivolts < 14100, qPrintable(QString::number(millivolts)));
    QCOMPARE(int(live[31]), 1); // the engine runs: pickup signal
    QCOMPARE(int(live[49]), 0);
}

void tst_SimulatedUnit::engineRunsThroughTheCurve()
{
    SimulatedUnit unit;
    const int limiter = unit.parameterBlock()[IgnitionParameters::OffsetLimiter] * 100;
    int lowest = 100000, highest = 0;
    bool warned = false, standDown = false, neutral = false, advanceChanged = false;
    int firstAdvance = -1;
    for (qint64 t = 0; t < 2 * SimulatedUnit::EngineCycleMs; t += 100) {
        unit.advanceTo(t);
        const UnitFrame f = unit.liveFrame();
        const int rpm = word(f, 1);
        lowest = std::min(lowest, rpm);
        highest = std::max(highest, rpm);
        warned |= f[3] != 0;
        standDown |= f[29] == 0;
        neutral |= f[30] == 0;
        if (firstAdvance < 0)
            firstAdvance = f[5];
        advanceChanged |= f[5] != firstAdvance;
    }
    QVERIFY(lowest < 1500);
    QVERIFY(highest >= limiter);
    QVERIFY(warned);
    QVERIFY(standDown);
    QVERIFY(neutral);
    QVERIFY(advanceChanged);
}

void tst_SimulatedUnit::commandsWithoutAnswer_data()
{
    QTest::addColumn<QByteArray>("frame");
    UnitFrame bad = command(CommandReadBlock0);
    bad[51] ^= 0x01;
    QTest::newRow("bad checksum") << QByteArray(reinterpret_cast<const char *>(bad.data()), FrameSize);
    const UnitFrame unknown = command(0x22);
    QTest::newRow("unknown command") << QByteArray(reinterpret_cast<const char *>(unknown.data()), FrameSize);
    const UnitFrame block2 = command(0x42);
    QTest::newRow("no block 2") << QByteArray(reinterpret_cast<const char *>(block2.data()), FrameSize);
}

void tst_SimulatedUnit::commandsWithoutAnswer()
{
    QFETCH(QByteArray, frame);
    SimulatedUnit unit;
    const auto block = unit.parameterBlock();
    QVERIFY(exchange(unit, frameOf(frame)).isEmpty());
    QCOMPARE(unit.parameterBlock(), block);
    // The next good command is answered: the bad one left nothing half received.
    QCOMPARE(exchange(unit, command(CommandMonitor)).size(), FrameSize);
}

void tst_SimulatedUnit::frameInPiecesAndGaps()
{
    SimulatedUnit unit;
    const UnitFrame cmd = command(CommandReadBlock0);
    unit.receive(cmd.data(), 20);
    unit.advanceTo(10);
    unit.receive(cmd.data() + 20, 32);
    QCOMPARE(unit.takeOutput().size(), FrameSize);

    // A pause inside a frame starts it over.
    unit.receive(cmd.data(), 20);
    unit.advanceTo(10 + SimulatedUnit::FrameGapMs + 50);
    unit.receive(cmd.data(), FrameSize);
    QCOMPARE(unit.takeOutput().size(), FrameSize);
    unit.receive(cmd.data() + 20, 32);
    QCOMPARE(unit.takeOutput().size(), 0);
}

void tst_SimulatedUnit::faults()
{
    {
        SimulatedUnit unit;
        unit.faults.silent = true;
        QVERIFY(exchange(unit, command(CommandMonitor)).isEmpty());
        QVERIFY(exchange(unit, command(CommandReadBlock0)).isEmpty());
    }
    {
        SimulatedUnit unit;
        unit.faults.programVersion = 60;
        QCOMPARE(int(frameOf(exchange(unit, command(CommandProgramBlock0)))[11]), 60);
        QCOMPARE(int(frameOf(exchange(unit, command(CommandMonitor)))[50]), 60);
    }
    {
        SimulatedUnit unit;
        unit.faults.corruptEcho = true;
        std::array<quint8, FrameDataSize> block{};
        block.fill(7);
        const UnitFrame echo = frameOf(exchange(unit, command(CommandProgramBlock1, block)));
        QVERIFY(FrameChecksumValid(echo));
        QVERIFY(!std::equal(block.begin(), block.end(), echo.begin() + 1));
        QCOMPARE(unit.parameterBlock(), block); // stored right, echoed wrong
    }
    {
        SimulatedUnit unit;
        unit.faults.corruptChecksum = true;
        const UnitFrame a = frameOf(exchange(unit, command(CommandReadBlock0)));
        QCOMPARE(int(a[0]), 0xC0);
        QVERIFY(!FrameChecksumValid(a));
    }
    {
        SimulatedUnit unit;
        unit.faults.answerDelayMs = SimulatedUnit::SlowAnswerMs;
        unit.receive(command(CommandReadBlock0));
        unit.advanceTo(SimulatedUnit::SlowAnswerMs - 1);
        QCOMPARE(unit.outputAvailable(), 0);
        QCOMPARE(unit.nextOutputDue(), qint64(SimulatedUnit::SlowAnswerMs));
        unit.advanceTo(SimulatedUnit::SlowAnswerMs);
        QCOMPARE(unit.outputAvailable(), FrameSize);
    }
    {
        SimulatedUnit unit;
        unit.faults.noise = true;
        const QByteArray first = exchange(unit, command(CommandReadBlock0));
        QVERIFY(first.size() > FrameSize && first.size() <= FrameSize + 7);
        QVERIFY(FrameChecksumValid(frameOf(first.right(FrameSize))));
        QCOMPARE(exchange(unit, command(CommandReadBlock0)).size(), FrameSize);
    }
    {
        SimulatedUnit unit;
        unit.faults.silentAfter = 1;
        QCOMPARE(exchange(unit, command(CommandMonitor)).size(), FrameSize);
        QCOMPARE(exchange(unit, command(CommandProgramBlock0)).size(), FrameSize);
        QVERIFY(exchange(unit, command(CommandProgramBlock1)).isEmpty());
        QVERIFY(exchange(unit, command(CommandMonitor)).isEmpty());
    }
}

QTEST_GUILESS_MAIN(tst_SimulatedUnit)
#include "tst_SimulatedUnit.moc"
