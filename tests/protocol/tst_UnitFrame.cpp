#include "UnitFrame.h"

#include <QTest>

class tst_UnitFrame : public QObject
{
    Q_OBJECT

private slots:
    void fixedFrames_data();
    void fixedFrames();
    void verifyFrameCarriesBlock();
    void acceptance_data();
    void acceptance();
};

static QByteArray bytes(const UnitFrame &f)
{
    return QByteArray(reinterpret_cast<const char *>(f.data()), FrameSize);
}

static QByteArray zerosFrame(quint8 code, quint8 checksum)
{
    QByteArray b(FrameSize, '\0');
    b[0] = char(code);
    b[51] = char(checksum);
    return b;
}

static IgnitionParameters busySet()
{
    IgnitionParameters set;
    for (int i = 0; i < ParameterImageSize; ++i)
        set.image[i] = quint8(i * 7 + 3);
    return set;
}

void tst_UnitFrame::fixedFrames_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QByteArray>("expected");
    const IgnitionParameters set = busySet();
    QTest::newRow("monitor request") << bytes(BuildMonitorRequest()) << zerosFrame(0x30, 0xCF);
    QTest::newRow("program block 0") << bytes(BuildCommandFrame(0x00, LinkMode::Program, set)) << zerosFrame(0x00, 0xFF);
    QTest::newRow("read block 0") << bytes(BuildCommandFrame(0x40, LinkMode::Read, set)) << zerosFrame(0x40, 0xBF);
    QTest::newRow("read block 1 in a read") << bytes(BuildCommandFrame(0x41, LinkMode::Read, set))
                                            << zerosFrame(0x41, 0xBE);
}

void tst_UnitFrame::fixedFrames()
{
    QFETCH(QByteArray, frame);
    QFETCH(QByteArray, expected);
    QCOMPARE(frame.toHex(' '), expected.toHex(' '));
}

void tst_UnitFrame::verifyFrameCarriesBlock()
{
    const IgnitionParameters set = busySet();
    for (const auto &[code, mode] : {std::pair{quint8(0x41), LinkMode::Verify}, std::pair{quint8(0x01), LinkMode::Program}}) {
        const UnitFrame f = BuildCommandFrame(code, mode, set);
        QCOMPARE(f[0], code);
        quint8 expectedSum = quint8(0xFF ^ code);
        for (int i = 0; i < FrameDataSize; ++i) {
            QCOMPARE(f[i + 1], set.image[i]);
            expectedSum ^= set.image[i];
        }
        QCOMPARE(f[51], expectedSum);
        // The reserved tail of the set never leaves the program.
        QVERIFY(FrameChecksumValid(f));
    }
}

void tst_UnitFrame::acceptance_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("corrupt");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("live");
    QTest::addColumn<bool>("answer");
    const int idle = int(LinkMode::Idle), program = int(LinkMode::Program), read = int(LinkMode::Read),
              verify = int(LinkMode::Verify);
    QTest::newRow("live frame") << 0xB0 << false << 0x00 << idle << true << false;
    QTest::newRow("live frame, bad checksum") << 0xB0 << true << 0x00 << idle << false << false;
    QTest::newRow("live frame during a transfer") << 0xB0 << false << 0x01 << program << true << false;
    QTest::newRow("answer to block 0") << 0x80 << false << 0x00 << program << false << true;
    QTest::newRow("answer, bad checksum") << 0x80 << true << 0x00 << program << false << false;
    QTest::newRow("0xC1 while idle") << 0xC1 << false << 0x41 << idle << false << false;
    QTest::newRow("0x80 again while 0x01 is current") << 0x80 << false << 0x01 << program << false << false;
    QTest::newRow("verify answer") << 0xC1 << false << 0x41 << verify << false << true;
    QTest::newRow("read answer block 0") << 0xC0 << false << 0x40 << read << false << true;
    QTest::newRow("no such block") << 0x82 << false << 0x02 << program << false << false;
}

void tst_UnitFrame::acceptance()
{
    QFETCH(int, code);
    QFETCH(bool, corrupt);
    QFETCH(int, command);
    QFETCH(int, mode);
    UnitFrame f{};
    f[0] = quint8(code);
    for (int i = 1; i <= FrameDataSize; ++i)
        f[i] = quint8(i);
    SealFrame(f);
    QVERIFY(FrameChecksumValid(f));
    if (corrupt)
        f[51] ^= 0x01;
    QTEST(AcceptLiveFrame(f), "live");
    QTEST(AcceptAnswerFrame(f, quint8(command), LinkMode(mode)), "answer");
}

QTEST_GUILESS_MAIN(tst_UnitFrame)
#include "tst_UnitFrame.moc"
