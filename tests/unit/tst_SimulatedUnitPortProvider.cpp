#include "LinkDriver.h"
#include "MessageTable.h"
#include "SimulatedUnitPort.h"

#include <QSignalSpy>
#include <QTest>

// The link against the simulated unit in this process, as the demo mode runs it, on a
// clock that moves one tick per tick.
class tst_SimulatedUnitPortProvider : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void programThenReadBack();
    void servesOnlyItsPort();
    void unplugAndBack();

private:
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i) {
            m_now += LinkDriver::TickMs;
            m_link->Timer1Timer();
        }
    }
    bool tickUntil(const std::function<bool()> &done, int limit = 400)
    {
        for (int i = 0; i < limit; ++i) {
            if (done())
                return true;
            ticks(1);
        }
        return done();
    }

    qint64 m_now = 0;
    IgnitionParameters m_set;
    SessionSettings m_settings;
    MessageTable m_messages;
    std::unique_ptr<SimulatedUnitPortProvider> m_ports;
    std::unique_ptr<LinkDriver> m_link;
};

void tst_SimulatedUnitPortProvider::init()
{
    m_link.reset();
    m_now = 0;
    m_set = IgnitionParameters{};
    m_settings = SessionSettings{};
    NormaliseParameters(m_set, m_settings);
    m_set.LIMITER() = 110;
    m_messages.load(LanguageEnglish);
    m_ports = std::make_unique<SimulatedUnitPortProvider>();
    m_ports->setClock([this] { return m_now; });
    m_link = std::make_unique<LinkDriver>(m_set, m_settings, m_messages, *m_ports);
    m_link->OpenUnitPort();
}

void tst_SimulatedUnitPortProvider::programThenReadBack()
{
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));
    QVERIFY(m_link->unit().liveRpm() > 0);
    QCOMPARE(m_link->LabelNapeti.colour, NamedColour::BtnFace);
    const int countBefore = m_ports->unit().programmingCount();

    m_set.image[40] = 0x42; // a reserved byte travels too
    m_link->StartProgram();
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
    QCOMPARE(m_link->UnitVersionText, QStringLiteral("KTC12"));
    QCOMPARE(m_link->UnitDateText, QStringLiteral("14. 3.2024"));
    QVERIFY(m_link->ProgrammedOk);
    QVERIFY(std::equal(m_ports->unit().parameterBlock().begin(), m_ports->unit().parameterBlock().end(),
                       m_set.image.begin()));
    QCOMPARE(int(m_ports->unit().programmingCount()), countBefore + 1);

    QVERIFY(tickUntil([this] { return m_link->LabelHlaseni.caption == QStringLiteral("Saving:"); }));
    QVERIFY(tickUntil([this] { return m_link->LabelHlaseni.caption == QStringLiteral("Programing: OK"); }));
    QCOMPARE(m_link->CGaugeProgram.position, m_link->CGaugeProgram.maximum);
    QCOMPARE(m_link->LabelPocetProgramovani,
             QStringLiteral("Number of Programing= %1 ").arg(countBefore + 1));

    const IgnitionParameters programmed = m_set;
    m_set.LIMITER() = 90;
    m_set.image[40] = 0;
    m_link->StartRead();
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify: OK"));
    QCOMPARE(m_set, programmed);
}

void tst_SimulatedUnitPortProvider::servesOnlyItsPort()
{
    m_link.reset();
    m_ports = std::make_unique<SimulatedUnitPortProvider>(4);
    m_ports->setClock([this] { return m_now; });
    m_settings.PortChoice = PortChoiceAuto;
    m_settings.AutoScanPort = 0;
    m_link = std::make_unique<LinkDriver>(m_set, m_settings, m_messages, *m_ports);
    m_link->OpenUnitPort();
    QVERIFY(!m_link->portOpen());
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));
    QCOMPARE(m_link->LabelComCaption, QStringLiteral("COM= COM4"));
    QCOMPARE(m_link->LabelComDevice, QStringLiteral("simulated unit"));
}

void tst_SimulatedUnitPortProvider::unplugAndBack()
{
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));
    m_link->StartProgram();
    ticks(1);
    m_ports->setPresent(false);
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Program error!"));
    QVERIFY(m_link->LabelSpojeniVisible);
    m_ports->setPresent(true);
    QVERIFY(tickUntil([this] { return !m_link->LabelSpojeniVisible; }));
    m_link->StartVerify();
    QVERIFY(tickUntil([this] { return m_link->unit().mode() == LinkMode::Idle; }));
}

QTEST_GUILESS_MAIN(tst_SimulatedUnitPortProvider)
#include "tst_SimulatedUnitPortProvider.moc"
