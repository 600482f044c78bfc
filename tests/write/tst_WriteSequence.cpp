#include "BackupStore.h"
#include "SimulatedUnitPort.h"
#include "UnitHistory.h"
#include "WriteSequence.h"

#include <QTemporaryDir>
#include <QTest>

// The one write of a set, tick by tick against the simulated unit on its own clock:
// the frames on the line, the backup kept first, the unit's reserved bytes sent back,
// and how each failure point ends.
class tst_WriteSequence : public QObject
{
    Q_OBJECT

public:
    enum class Fault
    {
        None,
        SilentAtOnce,
        SilentAfterRead0,
        SilentAfterRead1,
        SilentAfterWrite0,
        SilentAfterEcho,
        WrongVersion,
        CorruptEcho,
        UnitSwapped,
        StoredDataError,
        EndlessSaving,
    };
    Q_ENUM(Fault)

private slots:
    void write_data();
    void write();
    void restoreSendsTheWholeBlock();

private:
    QList<quint8> blockCommands() const;
    std::vector<UnitFrame> m_written;
};

Q_DECLARE_METATYPE(std::optional<WriteConfirmation>)

namespace {

// The simulated unit's ports, with every frame written to them kept.
class RecordingPort : public UnitPort
{
public:
    RecordingPort(std::unique_ptr<UnitPort> inner, std::vector<UnitFrame> &written)
        : m_inner(std::move(inner)), m_written(written)
    {
    }
    void writeFrame(const UnitFrame &frame) override
    {
        m_written.push_back(frame);
        m_inner->writeFrame(frame);
    }
    qint64 queuedBytes() override { return m_inner->queuedBytes(); }
    qint64 read(quint8 *buffer, qint64 maxBytes) override { return m_inner->read(buffer, maxBytes); }
    void purgeReceiveAbort() override { m_inner->purgeReceiveAbort(); }
    void dropReceived() override { m_inner->dropReceived(); }

private:
    std::unique_ptr<UnitPort> m_inner;
    std::vector<UnitFrame> &m_written;
};

class RecordingProvider : public UnitPortProvider
{
public:
    RecordingProvider(UnitPortProvider &inner, std::vector<UnitFrame> &written) : m_inner(inner), m_written(written) {}
    std::unique_ptr<UnitPort> open(int portNumber, PortOpenFailure &failure) override
    {
        auto port = m_inner.open(portNumber, failure);
        return port ? std::make_unique<RecordingPort>(std::move(port), m_written) : nullptr;
    }

private:
    UnitPortProvider &m_inner;
    std::vector<UnitFrame> &m_written;
};

// A simulated unit on a clock of the test's own, with non-zero reserved bytes, its frames
// kept, and a backup store in a folder of its own.
struct UnitBench
{
    explicit UnitBench(std::vector<UnitFrame> &written) : store(folder.path()), ports(simulated, written)
    {
        simulated.setClock([this] { return now; });
        for (int b = 0; b < UnitBlockSize; ++b)
            if (IsReservedByte(b))
                simulated.unit().parameterBlock()[b] = quint8(0xA0 + b);
    }
    QTemporaryDir folder;
    BackupStore store;
    qint64 now = 1000;
    SimulatedUnitPortProvider simulated{1};
    RecordingProvider ports;
};

} // namespace

void tst_WriteSequence::write_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<QList<quint8>>("commands");
    QTest::addColumn<TransferOutcome>("outcome");
    QTest::addColumn<std::optional<WriteConfirmation>>("confirmation");
    QTest::addColumn<bool>("blockSent");
    QTest::addColumn<int>("backups");

    using C = QList<quint8>;
    const auto none = std::optional<WriteConfirmation>();
    const C all{0x40, 0x41, 0x00, 0x01, 0x41};
    QTest::newRow("confirmed") << Fault::None << all << TransferOutcome::Accepted
                               << std::optional(WriteConfirmation::Confirmed) << true << 1;
    QTest::newRow("silent at once") << Fault::SilentAtOnce << C{0x40, 0x40, 0x40, 0x40, 0x40}
                                    << TransferOutcome::NoAnswer << none << false << 0;
    QTest::newRow("silent after block 0 read") << Fault::SilentAfterRead0 << C{0x40, 0x41, 0x41, 0x41, 0x41, 0x41}
                                               << TransferOutcome::NoAnswer << none << false << 0;
    QTest::newRow("silent after the read") << Fault::SilentAfterRead1 << C{0x40, 0x41, 0x00, 0x00, 0x00, 0x00, 0x00}
                                           << TransferOutcome::NoAnswer << none << false << 1;
    QTest::newRow("silent after block 0 written")
        << Fault::SilentAfterWrite0 << C{0x40, 0x41, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01} << TransferOutcome::NoAnswer
        << none << true << 1;
    QTest::newRow("silent after the echo") << Fault::SilentAfterEcho
                                           << C{0x40, 0x41, 0x00, 0x01, 0x41, 0x41, 0x41, 0x41, 0x41}
                                           << TransferOutcome::NoAnswer << none << true << 1;
    QTest::newRow("wrong version") << Fault::WrongVersion << C{0x40} << TransferOutcome::VersionMismatch << none
                                   << false << 0;
    QTest::newRow("echo differs") << Fault::CorruptEcho << C{0x40, 0x41, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01}
                                  << TransferOutcome::Differs << none << true << 1;
    QTest::newRow("another unit answers the write") << Fault::UnitSwapped << C{0x40, 0x41, 0x00}
                                                    << TransferOutcome::OtherUnit << none << false << 1;
    QTest::newRow("stored data bad") << Fault::StoredDataError << all << TransferOutcome::Accepted
                                     << std::optional(WriteConfirmation::StoredDataError) << true << 1;
    QTest::newRow("saving never ends") << Fault::EndlessSaving << all << TransferOutcome::Accepted
                                       << std::optional(WriteConfirmation::SavingNeverEnded) << true << 1;
}

QList<quint8> tst_WriteSequence::blockCommands() const
{
    QList<quint8> codes;
    for (const UnitFrame &f : m_written)
        if (f[0] != CommandMonitor)
            codes.append(f[0]);
    return codes;
}

void tst_WriteSequence::write()
{
    QFETCH(Fault, fault);
    QFETCH(QList<quint8>, commands);
    QFETCH(TransferOutcome, outcome);
    QFETCH(std::optional<WriteConfirmation>, confirmation);
    QFETCH(bool, blockSent);
    QFETCH(int, backups);

    UnitBench bench(m_written);
    QVERIFY(bench.folder.isValid());
    BackupStore &store = bench.store;
    qint64 &now = bench.now;
    RecordingProvider &ports = bench.ports;
    SimulatedUnit &unit = bench.simulated.unit();
    m_written.clear();
    const std::array<quint8, UnitBlockSize> unitBefore = unit.parameterBlock();
    unit.faults.silent = fault == Fault::SilentAtOnce;
    const int answered = fault == Fault::SilentAfterRead0    ? 1
                         : fault == Fault::SilentAfterRead1  ? 2
                         : fault == Fault::SilentAfterWrite0 ? 3
                         : fault == Fault::SilentAfterEcho   ? 4
                                                             : -1;
    unit.faults.silentAfter = answered;
    unit.faults.programVersion = fault == Fault::WrongVersion ? 60 : 61;
    unit.faults.corruptEcho = fault == Fault::CorruptEcho;
    unit.faults.storedDataError = fault == Fault::StoredDataError;
    unit.faults.endlessSaving = fault == Fault::EndlessSaving;

    IgnitionParameters set;
    for (int i = 0; i < CurvePoints; ++i) {
        set.RPM_ADV(i) = quint8(10 + 5 * i);
        set.ADVANCE(i) = quint8(5 + i);
    }
    set.LIMITER() = 99;
    set.TOP(0) = 1;
    set.TOP(1) = 4;
    set.BASE_ADV() = 8;
    SessionSettings settings;
    settings.PortChoice = 0;
    UnitLink link(set, settings, ports);
    WriteSequence sequence(link, set, &store);
    if (fault == Fault::UnitSwapped)
        connect(&link, &UnitLink::unitBlockBeforeWrite, this,
                [&unit] { unit.setVersionText(QByteArrayLiteral("OTHER UNIT")); });

    link.OpenUnitPort();
    QVERIFY(link.portOpen());
    for (int i = 0; i < 40; ++i) { // the unit answers the monitor: connected
        link.Timer1Timer();
        now += UnitLink::TickMs;
    }
    QVERIFY(link.connected() || fault == Fault::SilentAtOnce);

    m_written.clear();
    link.startProgram();
    for (int i = 0; i < 600 && sequence.report().stage != WriteReport::Stage::Done; ++i) {
        now += UnitLink::TickMs;
        link.Timer1Timer();
    }

    const WriteReport &report = sequence.report();
    QCOMPARE(report.stage, WriteReport::Stage::Done);
    QVERIFY(report.transfer);
    QCOMPARE(report.transfer->outcome, outcome);
    QCOMPARE(report.confirmation, confirmation);
    QCOMPARE(report.blockSent(), blockSent);
    QCOMPARE(report.succeeded(), confirmation == WriteConfirmation::Confirmed);
    QCOMPARE(blockCommands(), commands);
    QCOMPARE(store.backups().size(), backups);

    // The block written carries the unit's own reserved bytes, and the set took them.
    for (const UnitFrame &f : m_written) {
        if (f[0] != CommandProgramBlock1)
            continue;
        for (int b = 0; b < UnitBlockSize; ++b)
            QCOMPARE(f[1 + b], IsReservedByte(b) ? unitBefore[b] : set.image[b]);
    }
    if (backups > 0) {
        UnitBlock kept{};
        QVERIFY(BackupStore::ReadBackup(store.backups().first(), kept));
        QCOMPARE(kept, unitBefore);
    }
}

// A restore puts back the block the unit held, reserved bytes included, after keeping
// the unit's current set; the run after it is an ordinary write again.
void tst_WriteSequence::restoreSendsTheWholeBlock()
{
    UnitBench bench(m_written);
    QVERIFY(bench.folder.isValid());
    BackupStore &store = bench.store;
    qint64 &now = bench.now;
    RecordingProvider &ports = bench.ports;
    SimulatedUnit &unit = bench.simulated.unit();
    m_written.clear();
    const std::array<quint8, UnitBlockSize> cameWith = unit.parameterBlock();

    IgnitionParameters set;
    SessionSettings settings;
    UnitLink link(set, settings, ports);
    WriteSequence sequence(link, set, &store);
    link.OpenUnitPort();
    const auto run = [&] {
        m_written.clear();
        link.startProgram();
        for (int i = 0; i < 600 && sequence.report().stage != WriteReport::Stage::Done; ++i) {
            now += UnitLink::TickMs;
            link.Timer1Timer();
        }
        QVERIFY(sequence.report().succeeded());
    };
    for (int i = 0; i < 40; ++i, now += UnitLink::TickMs)
        link.Timer1Timer();

    set = IgnitionParameters{};
    std::copy(cameWith.begin(), cameWith.end(), set.image.begin());
    set.LIMITER() = quint8(cameWith[3] - 10);
    run();
    // The unit moves its own bytes on meanwhile.
    unit.parameterBlock()[40] = 0x11;

    const UnitHistory before = UnitHistory::Read(store.folder(), LanguageEnglish);
    QCOMPARE(before.units.size(), 1);
    const HistoryEntry oldest = before.units.first().entries.last();
    QCOMPARE(oldest.block, cameWith);
    std::copy(oldest.block.begin(), oldest.block.end(), set.image.begin());
    sequence.restoreNextRun({oldest.tag, true});
    run();
    QVERIFY(sequence.restoring());
    QCOMPARE(blockCommands(), (QList<quint8>{0x40, 0x41, 0x00, 0x01, 0x41}));
    const auto programmed = std::find_if(m_written.begin(), m_written.end(),
                                         [](const UnitFrame &f) { return f[0] == CommandProgramBlock1; });
    QVERIFY(programmed != m_written.end());
    QVERIFY(std::equal(cameWith.begin(), cameWith.end(), programmed->begin() + 1));
    QCOMPARE(unit.parameterBlock(), cameWith);

    // The set the restore replaced was kept first, and the restore is an entry.
    const UnitHistory after = UnitHistory::Read(store.folder(), LanguageEnglish);
    const QList<HistoryEntry> &entries = after.units.first().entries;
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries[0].kind, HistoryEntry::Written);
    QCOMPARE(entries[0].block, cameWith);
    QCOMPARE(entries[1].kind, HistoryEntry::Backup);
    QCOMPARE(entries[1].block[40], quint8(0x11));

    // The next write keeps the unit's own bytes again.
    unit.parameterBlock()[40] = 0x22;
    set.LIMITER() = quint8(cameWith[3] - 20);
    run();
    QVERIFY(!sequence.restoring());
    QCOMPARE(unit.parameterBlock()[40], quint8(0x22));

    // Another unit's backup is refused once block 0 has named the unit: no backup, no write.
    const std::array<quint8, UnitBlockSize> held = unit.parameterBlock();
    const int backups = int(store.backups().size());
    unit.setVersionText(QByteArrayLiteral("OTHER UNIT"));
    sequence.restoreNextRun({oldest.tag, true});
    m_written.clear();
    link.startProgram();
    for (int i = 0; i < 100 && sequence.report().stage != WriteReport::Stage::Done; ++i) {
        now += UnitLink::TickMs;
        link.Timer1Timer();
    }
    QCOMPARE(sequence.report().transfer->outcome, TransferOutcome::OtherUnit);
    QVERIFY(sequence.report().refusedUnit.startsWith(QStringLiteral("OTHER-UNIT_")));
    QVERIFY(!sequence.report().blockSent());
    QCOMPARE(blockCommands(), (QList<quint8>{0x40, 0x41}));
    QCOMPARE(unit.parameterBlock(), held);
    QCOMPARE(int(store.backups().size()), backups);
}

QTEST_GUILESS_MAIN(tst_WriteSequence)
#include "tst_WriteSequence.moc"
