#include "FakeUnitPort.h"
#include "UnitLink.h"

#include <QSignalSpy>
#include <QTest>

// The word-free link tick by tick against the in-memory line: how each transfer ends, as
// its transferFinished says it. A small scripted unit answers on the line for the next poll.
class tst_UnitLink : public QObject
{
    Q_OBJECT

public:
    enum class Unit
    {
        Answers,        // as a unit does
        Silent,         // nothing at all
        DiffersOnBlock1, // block 1 answers never match (a verify's or an echo's)
        Version60,      // another program version
    };
    Q_ENUM(Unit)

private slots:
    void outcomes_data();
    void outcomes();

private:
    void answer(const UnitFrame &command);

    Unit m_unit = Unit::Answers;
    bool m_liveFirst = false;
    FakeUnitPortProvider m_ports;
    std::array<quint8, FrameDataSize> m_block1{};
};

void tst_UnitLink::answer(const UnitFrame &command)
{
    if (m_unit == Unit::Silent)
        return;
    // A live frame ahead of the answer, in the same poll: it must not hide the answer.
    if (m_liveFirst) {
        UnitFrame live{};
        live[0] = AnswerLiveData;
        live[50] = 61;
        SealFrame(live);
        m_ports.feed(live);
    }
    if (command[0] == CommandMonitor)
        return;
    UnitFrame reply{};
    reply[0] = quint8(command[0] | AnswerBit);
    const quint8 block = BlockNumberOf(command[0]);
    if (block == 0) {
        reply[1] = 'K';
        reply[11] = m_unit == Unit::Version60 ? 60 : 61;
    } else {
        if (command[0] == CommandProgramBlock1)
            std::copy(command.begin() + 1, command.begin() + 1 + FrameDataSize, m_block1.begin());
        std::copy(m_block1.begin(), m_block1.end(), reply.begin() + 1);
        if (m_unit == Unit::DiffersOnBlock1)
            reply[1 + 45] ^= 0x01;
    }
    SealFrame(reply);
    m_ports.feed(reply);
}

void tst_UnitLink::outcomes_data()
{
    QTest::addColumn<LinkRun>("run");
    QTest::addColumn<Unit>("unit");
    QTest::addColumn<bool>("liveFirst");
    QTest::addColumn<TransferOutcome>("outcome");
    QTest::addColumn<LinkMode>("endedIn");
    QTest::addColumn<bool>("blockSent");

    const struct
    {
        const char *name;
        LinkRun run;
        Unit unit;
        TransferOutcome outcome;
        LinkMode endedIn;
        bool blockSent;
    } rows[] = {
        {"program", LinkRun::Program, Unit::Answers, TransferOutcome::Accepted, LinkMode::Verify, true},
        {"program, silent", LinkRun::Program, Unit::Silent, TransferOutcome::NoAnswer, LinkMode::BackupRead, false},
        {"program, echo differs", LinkRun::Program, Unit::DiffersOnBlock1, TransferOutcome::Differs,
         LinkMode::BackupRead, false},
        {"program, version 60", LinkRun::Program, Unit::Version60, TransferOutcome::VersionMismatch,
         LinkMode::BackupRead, false},
        {"verify", LinkRun::Verify, Unit::Answers, TransferOutcome::Accepted, LinkMode::Verify, false},
        {"verify, silent", LinkRun::Verify, Unit::Silent, TransferOutcome::NoAnswer, LinkMode::Verify, false},
        {"verify, differs", LinkRun::Verify, Unit::DiffersOnBlock1, TransferOutcome::Differs, LinkMode::Verify, false},
        {"read", LinkRun::Read, Unit::Answers, TransferOutcome::Accepted, LinkMode::Verify, false},
        {"read, silent", LinkRun::Read, Unit::Silent, TransferOutcome::NoAnswer, LinkMode::Read, false},
        {"read, version 60", LinkRun::Read, Unit::Version60, TransferOutcome::VersionMismatch, LinkMode::Read, false},
        {"compare", LinkRun::Compare, Unit::Answers, TransferOutcome::Accepted, LinkMode::Compare, false},
        {"compare, silent", LinkRun::Compare, Unit::Silent, TransferOutcome::NoAnswer, LinkMode::Compare, false},
        {"compare, version 60", LinkRun::Compare, Unit::Version60, TransferOutcome::VersionMismatch, LinkMode::Compare,
         false},
    };
    for (const auto &row : rows) {
        // The echo of a program differs from the block sent: the read before it still
        // answers, so the run ends in its Program step, with the block sent.
        const bool echoDiffers = row.run == LinkRun::Program && row.unit == Unit::DiffersOnBlock1;
        for (const bool liveFirst : {false, true})
            QTest::addRow("%s%s", row.name, liveFirst ? ", behind a live frame" : "")
                << row.run << row.unit << liveFirst << row.outcome
                << (echoDiffers ? LinkMode::Program : row.endedIn) << (echoDiffers || row.blockSent);
    }
}

void tst_UnitLink::outcomes()
{
    QFETCH(LinkRun, run);
    QFETCH(Unit, unit);
    QFETCH(bool, liveFirst);
    QFETCH(TransferOutcome, outcome);
    QFETCH(LinkMode, endedIn);
    QFETCH(bool, blockSent);

    m_ports = FakeUnitPortProvider{};
    m_unit = unit;
    m_liveFirst = liveFirst;
    m_block1.fill(0);
    m_ports.setOnWrite([this](const UnitFrame &frame) { answer(frame); });

    IgnitionParameters set;
    for (int i = 0; i < CurvePoints; ++i)
        set.RPM_ADV(i) = quint8(10 + i);
    set.LIMITER() = 100;
    SessionSettings settings;
    NormaliseParameters(set, settings);
    // The unit holds the same set: a verify matches, a read comes back whole.
    const auto block = set.UnitBlockImage();
    std::copy(block.begin(), block.end(), m_block1.begin());
    UnitLink link(set, settings, m_ports);
    link.OpenUnitPort();
    QSignalSpy finished(&link, &UnitLink::transferFinished);
    QSignalSpy mismatch(&link, &UnitLink::versionMismatch);

    switch (run) {
    case LinkRun::Program: link.startProgram(); break;
    case LinkRun::Verify: link.startVerify(); break;
    case LinkRun::Read: link.startRead(); break;
    case LinkRun::Compare: link.startCompare(); break;
    case LinkRun::None: break;
    }
    for (int i = 0; i < 200 && finished.isEmpty(); ++i)
        link.Timer1Timer();

    QCOMPARE(finished.size(), 1);
    const auto result = finished.first().first().value<TransferResult>();
    QCOMPARE(result.run, run);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.mode, endedIn);
    QCOMPARE(result.blockSent, blockSent);
    QCOMPARE(link.mode(), LinkMode::Idle);
    // The box is raised once, at the end of the tick.
    QCOMPARE(mismatch.size(), outcome == TransferOutcome::VersionMismatch ? 1 : 0);
    // Nothing is written to a unit of another version, nor after a read that failed.
    const bool wrote = std::any_of(m_ports.written().begin(), m_ports.written().end(),
                                   [](const UnitFrame &f) { return f[0] == CommandProgramBlock1; });
    QCOMPARE(wrote, blockSent);
    // A verify that differed keeps the unit's answer for Compare.
    QCOMPARE(link.keptUnitBlock().has_value(), result.mode == LinkMode::Verify && outcome == TransferOutcome::Differs);
}

QTEST_GUILESS_MAIN(tst_UnitLink)
#include "tst_UnitLink.moc"
