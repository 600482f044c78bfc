#include "LinkDriver.h"
#include "MessageTable.h"
#include "SerialUnitPort.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// The real serial port layer, and the whole chain over a pseudo-terminal served by
// korvo-unit-sim. Ticks are driven directly with short real waits, since real I/O sits
// between them; the limits are generous for a loaded machine.
class tst_SerialUnitPort : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void orderDevices_data();
    void orderDevices();
    void mappedDevices();
    void openFailures();

    void simulatorOnTheLine();
    void deviceInUse();
    void programVerifyRead();
    void versionMismatch();
    void silentInTheMiddleOfATransfer();
    void unplugAndReplug();
    void floodKeepsMemoryFlat();

private:
    // Starts the simulator; its terminal is reachable at m_linkPath. Empty on failure.
    QString startSimulator(const QStringList &options = {});
    void stopSimulator();
    void makeLink();
    bool tickUntil(const std::function<bool()> &done, int limit = 2000)
    {
        for (int i = 0; i < limit; ++i) {
            if (done())
                return true;
            m_link->Timer1Timer();
            QTest::qWait(TickWaitMs);
        }
        return done();
    }

    static constexpr int TickWaitMs = 8;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_linkPath;
    std::unique_ptr<QProcess> m_sim;
    IgnitionParameters m_set;
    SessionSettings m_settings;
    MessageTable m_messages;
    std::unique_ptr<SerialUnitPortProvider> m_ports;
    std::unique_ptr<LinkDriver> m_link;
};

void tst_SerialUnitPort::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_linkPath = m_dir->filePath(QStringLiteral("unit-tty"));
    m_set = IgnitionParameters{};
    m_settings = SessionSettings{};
    NormaliseParameters(m_set, m_settings);
    m_set.LIMITER() = 120;
    m_messages.load(LanguageEnglish);
}

void tst_SerialUnitPort::cleanup()
{
    m_link.reset();
    m_ports.reset();
    stopSimulator();
    m_dir.reset();
}

QString tst_SerialUnitPort::startSimulator(const QStringList &options)
{
    m_sim = std::make_unique<QProcess>();
    m_sim->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_sim->start(QStringLiteral(KORVO_UNIT_SIM), QStringList{QStringLiteral("--link"), m_linkPath} + options);
    if (!m_sim->waitForStarted(10000))
        return {};
    while (!m_sim->canReadLine()) {
        if (!m_sim->waitForReadyRead(10000))
            return {};
    }
    return QString::fromLocal8Bit(m_sim->readLine()).trimmed();
}

void tst_SerialUnitPort::stopSimulator()
{
    if (!m_sim)
        return;
    m_sim->terminate();
    if (!m_sim->waitForFinished(10000)) {
        m_sim->kill();
        m_sim->waitForFinished(10000);
    }
    m_sim.reset();
}

void tst_SerialUnitPort::makeLink()
{
    m_ports = std::make_unique<SerialUnitPortProvider>(QMap<int, QString>{{1, m_linkPath}});
    m_link = std::make_unique<LinkDriver>(m_set, m_settings, m_messages, *m_ports);
    m_link->OpenUnitPort();
}

// ------------------------------------------------------------------ devices

void tst_SerialUnitPort::orderDevices_data()
{
    QTest::addColumn<QStringList>("devices");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("usb adapters first, numbers as numbers")
        << QStringList{"/dev/ttyS1", "/dev/ttyACM0", "/dev/ttyUSB10",
                       "/dev/ttyS0", "/dev/ttyUSB2", "/dev/ttyUSB0"}
        << QStringList{"/dev/ttyUSB0", "/dev/ttyUSB2", "/dev/ttyUSB10",
                       "/dev/ttyACM0", "/dev/ttyS0",   "/dev/ttyS1"};
    QTest::newRow("others by name") << QStringList{"/dev/ttyS10", "/dev/ttyAMA0", "/dev/ttyS9",
                                                   "/dev/rfcomm0"}
                                    << QStringList{"/dev/rfcomm0", "/dev/ttyAMA0", "/dev/ttyS9",
                                                   "/dev/ttyS10"};
    QTest::newRow("acm only") << QStringList{"/dev/ttyACM3", "/dev/ttyACM1"}
                              << QStringList{"/dev/ttyACM1", "/dev/ttyACM3"};
    QTest::newRow("none") << QStringList{} << QStringList{};
}

void tst_SerialUnitPort::orderDevices()
{
    QFETCH(QStringList, devices);
    QFETCH(QStringList, expected);
    QCOMPARE(SerialUnitPortProvider::orderDevices(devices), expected);
}

void tst_SerialUnitPort::mappedDevices()
{
    SerialUnitPortProvider ports({{3, QStringLiteral("/dev/serial/by-id/usb-adapter")}});
    QCOMPARE(ports.deviceName(3), QStringLiteral("/dev/serial/by-id/usb-adapter"));
    // Unmapped numbers follow the devices present, in scan order.
    const QStringList present = SerialUnitPortProvider::presentDevices();
    QCOMPARE(ports.deviceName(1), present.value(0));
    QCOMPARE(ports.deviceName(int(present.size()) + 1), QString());
    QCOMPARE(ports.deviceName(0), QString());
}

void tst_SerialUnitPort::openFailures()
{
    SerialUnitPortProvider ports({{2, m_dir->filePath(QStringLiteral("no-such-tty"))}});
    QString detail;
    QVERIFY(!ports.open(2, detail));
    QVERIFY(!detail.isEmpty());

    // The link reports a fixed port it cannot open, with the port's name.
    m_ports = std::make_unique<SerialUnitPortProvider>(QMap<int, QString>{{1, m_linkPath}});
    m_link = std::make_unique<LinkDriver>(m_set, m_settings, m_messages, *m_ports);
    QSignalSpy failed(m_link.get(), &LinkDriver::portOpenFailed);
    m_link->OpenUnitPort();
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed[0][0].toString(), QStringLiteral("COM1"));
    QVERIFY(!failed[0][1].toString().isEmpty());
    QCOMPARE(m_link->LabelComDevice, m_linkPath);
}

// ------------------------------------------------------------------ over a pseudo-terminal

void tst_SerialUnitPort::simulatorOnTheLine()
{
    const QString tty = startSimulator();
    QVERIFY(!tty.isEmpty());
    QVERIFY(tty.startsWith(QStringLiteral("/dev/")));
    QCOMPARE(QFileInfo(m_linkPath).symLinkTarget(), tty);

    SerialUnitPortProvider ports({{1, m_linkPath}});
    QString detail;
    std::unique_ptr<UnitPort> port = ports.open(1, detail);
    QVERIFY2(port, qPrintable(detail));

    auto exchange = [&](UnitFrame cmd, bool seal = true) {
        if (seal)
            SealFrame(cmd);
        port->writeFrame(cmd);
        QByteArray got;
        for (int i = 0; i < 100 && got.size() < FrameSize; ++i) {
            QTest::qWait(10);
            const qint64 n = port->queuedBytes();
            if (n > 0) {
                QByteArray chunk(n, '\0');
                chunk.resize(port->read(reinterpret_cast<quint8 *>(chunk.data()), n));
                got += chunk;
            }
        }
        UnitFrame a{};
        if (got.size() == FrameSize)
            std::copy_n(reinterpret_cast<const quint8 *>(got.constData()), FrameSize, a.begin());
        return std::pair{int(got.size()), a};
    };

    UnitFrame read0{};
    read0[0] = CommandReadBlock0;
    auto [n0, info] = exchange(read0);
    QCOMPARE(n0, FrameSize);
    QCOMPARE(int(info[0]), 0xC0);
    QVERIFY(FrameChecksumValid(info));
    QCOMPARE(int(info[1 + 10]), 61);

    UnitFrame program{};
    program[0] = CommandProgramBlock1;
    for (int i = 1; i <= FrameDataSize; ++i)
        program[i] = quint8(i * 5);
    auto [n1, echo] = exchange(program);
    QCOMPARE(n1, FrameSize);
    QCOMPARE(int(echo[0]), 0x81);
    QVERIFY(std::equal(program.begin() + 1, program.end() - 1, echo.begin() + 1));
    UnitFrame read1{};
    read1[0] = CommandReadBlock1;
    auto [n2, back] = exchange(read1);
    QCOMPARE(n2, FrameSize);
    QVERIFY(std::equal(program.begin() + 1, program.end() - 1, back.begin() + 1));

    auto [n3, live] = exchange(BuildMonitorRequest(), false);
    QCOMPARE(n3, FrameSize);
    QCOMPARE(int(live[0]), 0xB0);
    QVERIFY(FrameChecksumValid(live));

    UnitFrame bad = BuildMonitorRequest();
    bad[51] ^= 0x01;
    auto [n4, none] = exchange(bad, false);
    QCOMPARE(n4, 0);
}

void tst_SerialUnitPort::deviceInUse()
{
    QVERIFY(!startSimulator().isEmpty());
    SerialUnitPortProvider ports({{1, m_linkPath}});
    QString detail;
    std::unique_ptr<UnitPort> first = ports.open(1, detail);
    QVERIFY2(first, qPrintable(detail));
    // A port held elsewhere is refused, and the reason says what the user can do.
    std::unique_ptr<UnitPort> second = ports.open(1, detail);
    QVERIFY(!second);
    QVERIFY2(detail.contains(QStringLiteral("dialout")), qPrintable(detail));
    QVERIFY2(detail.contains(m_linkPath), qPrintable(detail));
}

void tst_SerialUnitPort::programVerifyRead()
{
    QVERIFY(!startSimulator().isEmpty());
    makeLink();
    QVERIFY(m_link->portOpen());
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));

    m_set.image[45] = 0x77; // a reserved byte goes to the unit and comes back
    m_link->StartProgram();
    QVERIFY(tickUntil([this] { return m_link->Mode == LinkMode::Idle; }));
    QVERIFY(m_link->ProgrammedOk);
    QCOMPARE(m_link->UnitVersionText, QStringLiteral("KTC12"));
    QVERIFY(tickUntil([this] { return m_link->LabelHlaseni.caption == QStringLiteral("Saving:"); }));
    QVERIFY(tickUntil([this] { return m_link->LabelHlaseni.caption == QStringLiteral("Programing: OK"); }));

    // A verify that failed would clear the flag and show its error instead.
    m_link->StartVerify();
    QVERIFY(tickUntil([this] { return m_link->Mode == LinkMode::Idle; }));
    QVERIFY(m_link->ProgrammedOk);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Programing: OK"));

    const IgnitionParameters programmed = m_set;
    m_set.LIMITER() = 80;
    m_set.image[45] = 0;
    QSignalSpy received(m_link.get(), &LinkDriver::parametersReceived);
    m_link->StartRead();
    QVERIFY(tickUntil([this] { return m_link->Mode == LinkMode::Idle; }));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify: OK"));
    QCOMPARE(m_set, programmed);
    QCOMPARE(received.count(), 1);
}

void tst_SerialUnitPort::versionMismatch()
{
    QVERIFY(!startSimulator({QStringLiteral("--version"), QStringLiteral("60")}).isEmpty());
    makeLink();
    QSignalSpy mismatch(m_link.get(), &LinkDriver::versionMismatch);
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));
    QVERIFY(m_link->LabelVersion.visible);
    const IgnitionParameters before = m_set;
    m_link->StartProgram();
    QVERIFY(tickUntil([&] { return mismatch.count() > 0; }));
    QCOMPARE(mismatch[0][0].toString(),
             QStringLiteral("Unmatched version of PC and Ignition programs!  PC-61, IGN-60"));
    QCOMPARE(m_link->Mode, LinkMode::Idle);
    QCOMPARE(m_set, before);
    // Monitoring goes on beneath the box.
    QVERIFY(tickUntil([this] { return !m_link->LabelHlaseni.visible; }));
    QVERIFY(!m_link->LabelSpojeniVisible);
    QCOMPARE(mismatch.count(), 1);
}

void tst_SerialUnitPort::silentInTheMiddleOfATransfer()
{
    // Block 0 is answered, then nothing more.
    QVERIFY(!startSimulator({QStringLiteral("--silent-after"), QStringLiteral("1")}).isEmpty());
    makeLink();
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));
    m_link->StartProgram();
    QVERIFY(tickUntil([this] { return m_link->Mode == LinkMode::Idle; }));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Program error!"));
    QCOMPARE(m_link->LabelHlaseni.colour, NamedColour::Red);
    QCOMPARE(m_link->UnitVersionText, QStringLiteral("KTC12"));
    QVERIFY(!m_link->ProgrammedOk);
    QVERIFY(tickUntil([this] { return m_link->LabelSpojeniVisible; }));
}

static double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void tst_SerialUnitPort::unplugAndReplug()
{
    QVERIFY(!startSimulator().isEmpty());
    makeLink();
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));

    // The far end goes away under an open port: no crash, no busy loop.
    stopSimulator();
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = cpuSeconds();
    QTest::qWait(600);
    const double cpu = cpuSeconds() - cpuBefore;
    QVERIFY2(cpu < 0.5 * double(wall.elapsed()) / 1000.0, qPrintable(QString::number(cpu)));
    QVERIFY(tickUntil([this] { return m_link->LabelSpojeniVisible; }));

    // Back on the same path: the watchdog's reopen finds it.
    QVERIFY(!startSimulator().isEmpty());
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));
    m_link->StartVerify();
    QVERIFY(tickUntil([this] { return m_link->Mode == LinkMode::Idle; }));
}

static qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

void tst_SerialUnitPort::floodKeepsMemoryFlat()
{
    // Valid live frames back to back, as fast as the terminal takes them: far more than
    // any tick can use.
    QVERIFY(!startSimulator({QStringLiteral("--flood")}).isEmpty());
    makeLink();
    for (int i = 0; i < 20; ++i) {
        m_link->Timer1Timer();
        QTest::qWait(TickWaitMs);
    }
    const qint64 before = residentKb();
    QVERIFY(before > 0);
    for (int i = 0; i < 300; ++i) {
        m_link->Timer1Timer();
        QTest::qWait(TickWaitMs);
    }
    const qint64 grown = residentKb() - before;
    QVERIFY2(grown < 16 * 1024, qPrintable(QStringLiteral("grew by %1 kB").arg(grown)));

    // The flood stops: what it left is gone within a tick, and the unit is heard at once.
    QCOMPARE(::kill(pid_t(m_sim->processId()), SIGUSR2), 0);
    m_link->StartRead();
    QVERIFY(tickUntil([this] { return m_link->Mode == LinkMode::Idle; }, 200));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify: OK"));
}

QTEST_GUILESS_MAIN(tst_SerialUnitPort)
#include "tst_SerialUnitPort.moc"
