#include "LinkDriver.h"
#include "MessageTable.h"
#include "SerialUnitPort.h"
#include "UnitSimulatorProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
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
    void describe();
    void devicesListedAgainOnlyAfterAChange();
    void openFailures_data();
    void openFailures();
    void reasonOfARefusal_data();
    void reasonOfARefusal();
    void linkReportsFailure();

    void simulatorOnTheLine();
    void deviceInUse();
    void programVerifyRead();
    void versionMismatch();
    void silentInTheMiddleOfATransfer();
    void unplugAndReplug();
    void floodKeepsMemoryFlat();

private:
    // Starts the simulator; its terminal is reachable at m_linkPath. Empty on failure.
    QString startSimulator(const QStringList &options = {}) { return m_sim.start(m_linkPath, options); }
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
    UnitSimulatorProcess m_sim;
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
    m_sim.stop();
    m_dir.reset();
}

void tst_SerialUnitPort::makeLink()
{
    m_ports = std::make_unique<SerialUnitPortProvider>(QMap<int, QString>{{1, m_linkPath}},
                                                       std::make_shared<FixedSerialDevices>());
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
    auto present = std::make_shared<FixedSerialDevices>(
        QList<SerialDevice>{{"/dev/ttyUSB0", "FT232R USB UART"}, {"/dev/ttyACM0", {}}});
    SerialUnitPortProvider ports({{3, QStringLiteral("/dev/serial/by-id/usb-adapter")}}, present);
    QCOMPARE(ports.deviceName(3), QStringLiteral("/dev/serial/by-id/usb-adapter"));
    // Unmapped numbers follow the devices present, in scan order.
    QCOMPARE(ports.deviceName(1), QStringLiteral("/dev/ttyUSB0"));
    QCOMPARE(ports.deviceName(2), QStringLiteral("/dev/ttyACM0"));
    QCOMPARE(ports.deviceName(4), QString());
    QCOMPARE(ports.deviceName(0), QString());
    present->setDevices({});
    QCOMPARE(ports.deviceName(1), QString());
}

void tst_SerialUnitPort::describe()
{
    // Devices of the test's own making: an adapter node, a by-id link to it, a dangling name.
    QVERIFY(QFile(m_dir->filePath("ttyUSB7")).open(QIODevice::WriteOnly));
    QVERIFY(QDir(m_dir->path()).mkpath("by-id"));
    const QString link = m_dir->filePath("by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    QVERIFY(QFile::link(m_dir->filePath("ttyUSB7"), link));
    const QString adapter = QFileInfo(m_dir->filePath("ttyUSB7")).canonicalFilePath();
    auto present = std::make_shared<FixedSerialDevices>(QList<SerialDevice>{{adapter, "FT232R USB UART"}});
    SerialUnitPortProvider ports({{3, link}, {4, m_dir->filePath("gone")}}, present);

    const PortDescription first = ports.describe(1);
    QCOMPARE(first.device, adapter);
    QCOMPARE(first.description, QStringLiteral("FT232R USB UART"));
    QVERIFY(first.present);
    // A mapped link shows the device it reaches, and what that is.
    const PortDescription mapped = ports.describe(3);
    QCOMPARE(mapped.device, adapter);
    QCOMPARE(mapped.description, QStringLiteral("FT232R USB UART"));
    QVERIFY(mapped.present);
    const PortDescription gone = ports.describe(4);
    QCOMPARE(gone.device, m_dir->filePath("gone"));
    QVERIFY(!gone.present);
    const PortDescription none = ports.describe(2);
    QVERIFY(none.device.isEmpty());
    QVERIFY(!none.present);
}

void tst_SerialUnitPort::devicesListedAgainOnlyAfterAChange()
{
    int listed = 0;
    QList<SerialDevice> system{{"/dev/ttyS0", {}}};
    WatchedSerialDevices devices(m_dir->path(), [&] {
        ++listed;
        return system;
    });
    QVERIFY(devices.watching());
    // The scan asks on every tick; the system is asked once.
    for (int i = 0; i < 50; ++i)
        QCOMPARE(devices.devices().size(), 1);
    QCOMPARE(listed, 1);

    // A device node appears: the next question lists again, once.
    system.prepend({"/dev/ttyUSB0", "FT232R USB UART"});
    QVERIFY(QFile(m_dir->filePath("ttyUSB0")).open(QIODevice::WriteOnly));
    QTRY_COMPARE(devices.devices().size(), 2);
    QCOMPARE(devices.devices().first().path, QStringLiteral("/dev/ttyUSB0"));
    const int afterAppearing = listed;
    for (int i = 0; i < 50; ++i)
        devices.devices();
    QCOMPARE(listed, afterAppearing);

    // And goes.
    system.removeFirst();
    QVERIFY(QFile::remove(m_dir->filePath("ttyUSB0")));
    QTRY_COMPARE(devices.devices().size(), 1);
}

void tst_SerialUnitPort::openFailures_data()
{
    using R = PortOpenFailure::Reason;
    QTest::addColumn<QStringList>("present"); // file names in the test's folder, in scan order
    QTest::addColumn<QString>("mappedCom1");  // file name mapped to COM1, or empty
    QTest::addColumn<int>("portNumber");
    QTest::addColumn<R>("reason");
    QTest::addColumn<QString>("device"); // file name expected in the failure
    QTest::addColumn<int>("devicesPresent");

    QTest::newRow("nothing at all: no adapter") << QStringList{} << "" << 1 << R::NoUsbAdapter << "" << 0;
    // COM1 would be a built-in port the user never chose: what is missing is the adapter.
    QTest::newRow("only a built-in port, it fails")
        << QStringList{"ttyS93"} << "" << 1 << R::NoUsbAdapter << "ttyS93" << 0;
    QTest::newRow("beyond the devices, no adapter")
        << QStringList{"ttyS93"} << "" << 4 << R::NoUsbAdapter << "" << 1;
    QTest::newRow("adapter listed, node gone") << QStringList{"ttyUSB93"} << "" << 1 << R::NotFound << "ttyUSB93" << 0;
    QTest::newRow("beyond the devices") << QStringList{"ttyUSB93", "ttyS93"} << "" << 5 << R::NoDevice << "" << 2;
    QTest::newRow("built-in port behind an adapter")
        << QStringList{"ttyUSB93", "ttyS93"} << "" << 2 << R::NotFound << "ttyS93" << 0;
    // A port the user named in the settings is reported as it is.
    QTest::newRow("mapped built-in port") << QStringList{} << "ttyS93" << 1 << R::NotFound << "ttyS93" << 0;
}

void tst_SerialUnitPort::openFailures()
{
    QFETCH(QStringList, present);
    QFETCH(QString, mappedCom1);
    QFETCH(int, portNumber);
    QFETCH(PortOpenFailure::Reason, reason);
    QFETCH(QString, device);
    QFETCH(int, devicesPresent);

    // None of these names exists, so every open fails.
    QList<SerialDevice> devices;
    for (const QString &name : present)
        devices.append({m_dir->filePath(name), {}});
    QMap<int, QString> map;
    if (!mappedCom1.isEmpty())
        map.insert(1, m_dir->filePath(mappedCom1));
    SerialUnitPortProvider ports(map, std::make_shared<FixedSerialDevices>(devices));
    PortOpenFailure failure;
    QVERIFY(!ports.open(portNumber, failure));
    QCOMPARE(failure.reason, reason);
    QCOMPARE(failure.device, device.isEmpty() ? QString() : m_dir->filePath(device));
    QCOMPARE(failure.devicesPresent, devicesPresent);
}

void tst_SerialUnitPort::reasonOfARefusal_data()
{
    using R = PortOpenFailure::Reason;
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("userMayUse");
    QTest::addColumn<R>("reason");
    // Qt gives one error for a device held elsewhere and one the user may not open.
    QTest::newRow("held by another program") << int(QSerialPort::PermissionError) << true << R::Busy;
    QTest::newRow("refused to this user") << int(QSerialPort::PermissionError) << false << R::PermissionDenied;
    QTest::newRow("missing") << int(QSerialPort::DeviceNotFoundError) << true << R::NotFound;
    QTest::newRow("anything else") << int(QSerialPort::OpenError) << true << R::Other;
}

void tst_SerialUnitPort::reasonOfARefusal()
{
    QFETCH(int, error);
    QFETCH(bool, userMayUse);
    QFETCH(PortOpenFailure::Reason, reason);
    QCOMPARE(SerialUnitPortProvider::reasonFor(error, userMayUse), reason);
}

void tst_SerialUnitPort::linkReportsFailure()
{
    // The link reports a fixed port it cannot open, with the port's name and why.
    m_ports = std::make_unique<SerialUnitPortProvider>(QMap<int, QString>{{1, m_linkPath}},
                                                       std::make_shared<FixedSerialDevices>());
    m_link = std::make_unique<LinkDriver>(m_set, m_settings, m_messages, *m_ports);
    QSignalSpy failed(m_link.get(), &LinkDriver::portOpenFailed);
    m_link->OpenUnitPort();
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed[0][0].toString(), QStringLiteral("COM1"));
    const auto failure = qvariant_cast<PortOpenFailure>(failed[0][1]);
    QCOMPARE(failure.reason, PortOpenFailure::Reason::NotFound);
    QCOMPARE(failure.device, m_linkPath);
    QCOMPARE(m_link->LabelComDevice, m_linkPath);
}

// ------------------------------------------------------------------ over a pseudo-terminal

void tst_SerialUnitPort::simulatorOnTheLine()
{
    const QString tty = startSimulator();
    QVERIFY(!tty.isEmpty());
    QVERIFY(tty.startsWith(QStringLiteral("/dev/")));
    QCOMPARE(QFileInfo(m_linkPath).symLinkTarget(), tty);

    SerialUnitPortProvider ports({{1, m_linkPath}}, std::make_shared<FixedSerialDevices>());
    PortOpenFailure failure;
    std::unique_ptr<UnitPort> port = ports.open(1, failure);
    QVERIFY2(port, qPrintable(failure.systemText));

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
    SerialUnitPortProvider ports({{1, m_linkPath}}, std::make_shared<FixedSerialDevices>());
    PortOpenFailure failure;
    std::unique_ptr<UnitPort> first = ports.open(1, failure);
    QVERIFY2(first, qPrintable(failure.systemText));
    // A port held elsewhere is told apart from one the user may not open.
    std::unique_ptr<UnitPort> second = ports.open(1, failure);
    QVERIFY(!second);
    QCOMPARE(failure.reason, PortOpenFailure::Reason::Busy);
    QCOMPARE(failure.device, m_linkPath);
}

void tst_SerialUnitPort::programVerifyRead()
{
    QVERIFY(!startSimulator().isEmpty());
    makeLink();
    QVERIFY(m_link->portOpen());
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));

    m_set.image[45] = 0x77; // a reserved byte goes to the unit and comes back
    m_link->StartProgram();
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
    QVERIFY(m_link->ProgrammedOk);
    QCOMPARE(m_link->UnitVersionText, QStringLiteral("KTC12"));
    QVERIFY(tickUntil([this] { return m_link->LabelHlaseni.caption == QStringLiteral("Saving:"); }));
    QVERIFY(tickUntil([this] { return m_link->LabelHlaseni.caption == QStringLiteral("Programing: OK"); }));

    // A verify that failed would clear the flag and show its error instead.
    m_link->StartVerify();
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
    QVERIFY(m_link->ProgrammedOk);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Programing: OK"));

    const IgnitionParameters programmed = m_set;
    m_set.LIMITER() = 80;
    m_set.image[45] = 0;
    QSignalSpy received(m_link.get(), &LinkDriver::parametersReceived);
    m_link->StartRead();
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
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
    QCOMPARE(m_link->unit().mode(), LinkMode::Idle);
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
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
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
    m_sim.stop();
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
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
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
    QCOMPARE(::kill(pid_t(m_sim.processId()), SIGUSR2), 0);
    m_link->StartRead();
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }, 200));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify: OK"));
}

QTEST_GUILESS_MAIN(tst_SerialUnitPort)
#include "tst_SerialUnitPort.moc"
