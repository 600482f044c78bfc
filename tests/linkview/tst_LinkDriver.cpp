#include "FakeUnitPort.h"
#include "LinkDriver.h"
#include "MessageTable.h"

#include <QSignalSpy>
#include <QTest>

// The link tick by tick against the in-memory line. A small scripted unit answers the
// block commands where a test needs a conversation.
class tst_LinkDriver : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startFrames_data();
    void startFrames();
    void monitorRequestEverySixTicks();
    void noAnswerEndsInError_data();
    void noAnswerEndsInError();
    void deferredProgramStart_data();
    void deferredProgramStart();
    void readDuringProgramAbandonsIt();

    void programVerifySaveChain();
    void savingGauge_data();
    void savingGauge();
    void failureStaysThroughSaving_data();
    void failureStaysThroughSaving();
    void connectionLostEndsSavingAndOk_data();
    void connectionLostEndsSavingAndOk();
    void echoThatDiffersIsResent();
    void verifyNeverMatching();
    void versionMismatch_data();
    void versionMismatch();
    void readReplacesSetAndKeepsReservedBytes();
    void readOfNonRisingCurveFailsVerify();
    void backupReadWithoutAnswerWritesNothing_data();
    void backupReadWithoutAnswerWritesNothing();
    void compareLeavesTheSetAlone();
    void verifyErrorKeepsTheUnitsBlock();

    void acceptance();
    void partFrameWaitsForTheRest();
    void pollDispatchesWholeFrames_data();
    void pollDispatchesWholeFrames();
    void backlogDoesNotOutliveATick_data();
    void backlogDoesNotOutliveATick();

    void messageAreaLife();
    void watchdogAndReopen();
    void unplugAndReplug();
    void fixedPortOpenFailure();
    void autoScan();

    void liveLabels();
    void rpmBarWithoutLimiter();
    void voltage_data();
    void voltage();
    void switchesFollowBlockEnable();
    void highlight_data();
    void highlight();
    void unitInformation_data();
    void unitInformation();

private:
    struct UnitScript
    {
        quint8 version = 61;
        bool corruptEcho = false;
        bool answerBlocks = true;
        int answersLeft = -1; // block answers before the unit falls silent (-1: never)
        std::array<quint8, FrameDataSize> block1{};
        std::array<quint8, FrameDataSize> block0{};
    };

    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            m_link->Timer1Timer();
    }
    // Answers block commands the way a unit would, on the line, for the next poll.
    void attachUnit();
    QList<quint8> writtenCommands() const
    {
        QList<quint8> codes;
        for (const UnitFrame &f : m_ports.written())
            codes.append(f[0]);
        return codes;
    }
    void feedLive(const std::function<void(UnitFrame &)> &fill)
    {
        UnitFrame f{};
        f[0] = AnswerLiveData;
        f[50] = 61;
        f[29] = 1;
        f[30] = 1;
        if (fill)
            fill(f);
        SealFrame(f);
        m_ports.feed(f);
    }

    IgnitionParameters m_set;
    SessionSettings m_settings;
    MessageTable m_messages;
    FakeUnitPortProvider m_ports;
    UnitScript m_unit;
    std::unique_ptr<LinkDriver> m_link;
};

static void putWord(UnitFrame &f, int at, int value)
{
    f[at] = quint8(value & 0xFF);
    f[at + 1] = quint8(value >> 8);
}

static IgnitionParameters defaultSet()
{
    IgnitionParameters set;
    set.TOP(0) = 1;
    set.TOP(1) = 4;
    set.BASE_ADV() = 10;
    set.LIMITER() = 120;
    set.BLOK_ENABLE() = 1;
    for (int i = 0; i < CurvePoints; ++i) {
        set.RPM_ADV(i) = DefaultRpmCurve[i];
        set.ADVANCE(i) = DefaultAdvanceCurve[i];
    }
    return set;
}

void tst_LinkDriver::init()
{
    m_set = defaultSet();
    m_settings = SessionSettings{};
    m_messages.load(LanguageEnglish);
    m_ports = FakeUnitPortProvider{};
    m_unit = UnitScript{};
    m_link = std::make_unique<LinkDriver>(m_set, m_settings, m_messages, m_ports);
    m_link->OpenUnitPort();
}

void tst_LinkDriver::cleanup()
{
    m_link.reset();
}

void tst_LinkDriver::attachUnit()
{
    m_ports.setOnWrite([this](const UnitFrame &cmd) {
        if (!m_unit.answerBlocks || cmd[0] == CommandMonitor || m_unit.answersLeft == 0)
            return;
        if (m_unit.answersLeft > 0)
            --m_unit.answersLeft;
        UnitFrame a{};
        a[0] = quint8(cmd[0] ^ AnswerBit);
        if (BlockNumberOf(cmd[0]) == 0) {
            std::copy(m_unit.block0.begin(), m_unit.block0.end(), a.begin() + 1);
            a[11] = m_unit.version;
        } else {
            if (cmd[0] == CommandProgramBlock1)
                std::copy(cmd.begin() + 1, cmd.end() - 1, m_unit.block1.begin());
            std::copy(m_unit.block1.begin(), m_unit.block1.end(), a.begin() + 1);
            if (cmd[0] == CommandProgramBlock1 && m_unit.corruptEcho)
                a[1 + 40] ^= 0x01;
        }
        SealFrame(a);
        m_ports.feed(a);
    });
}

// ------------------------------------------------------------------ starts and retries

void tst_LinkDriver::startFrames_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("caption");

    const int P = int(LinkMode::Program), V = int(LinkMode::Verify), R = int(LinkMode::Read);
    const int B = int(LinkMode::BackupRead), C = int(LinkMode::Compare);
    // A program run starts by reading the unit's set, which it may have to keep.
    QTest::newRow("program en") << P << 0 << B << 0x40 << "Program device:";
    QTest::newRow("program de") << P << 1 << B << 0x40 << "Programmieren:";
    QTest::newRow("program cz") << P << 3 << B << 0x40 << "Programování:";
    QTest::newRow("program fr keeps text") << P << 2 << B << 0x40 << "earlier text";
    QTest::newRow("compare en") << C << 0 << C << 0x40 << "Compare with unit:";
    QTest::newRow("compare cz") << C << 3 << C << 0x40 << "Porovnání s jednotkou:";
    QTest::newRow("verify en") << V << 0 << V << 0x41 << "Verify device:";
    QTest::newRow("verify de") << V << 1 << V << 0x41 << "Vergleichen:";
    QTest::newRow("verify cz") << V << 3 << V << 0x41 << "Verifikace:";
    QTest::newRow("read en") << R << 0 << R << 0x40 << "Read device:";
    QTest::newRow("read de") << R << 1 << R << 0x40 << "Lesen:";
    QTest::newRow("read cz") << R << 3 << R << 0x40 << "Čtení:";
    QTest::newRow("read fr keeps text") << R << 2 << R << 0x40 << "earlier text";
}

void tst_LinkDriver::startFrames()
{
    QFETCH(int, start);
    QFETCH(int, language);
    QFETCH(int, mode);
    QFETCH(int, command);
    QFETCH(QString, caption);

    m_settings.LanguageIndex = quint8(language);
    m_link->ShowLinkMessage(QStringLiteral("earlier text"), NamedColour::Red);
    m_link->MessageTicks = 3;
    UnitLinkProbe::setTicksSinceSend(m_link->unit(), 3);
    if (start == int(LinkMode::Program))
        m_link->StartProgram();
    else if (start == int(LinkMode::Verify))
        m_link->StartVerify();
    else if (start == int(LinkMode::Compare))
        m_link->StartCompare();
    else
        m_link->StartRead();

    QCOMPARE(int(m_link->unit().mode()), mode);
    QCOMPARE(int(m_link->unit().commandByte()), command);
    QCOMPARE(int(m_link->unit().sendAttempts()), 1);
    QCOMPARE(int(m_link->unit().ticksSinceSend()), 0);
    QCOMPARE(m_link->LabelHlaseni.caption, caption);
    QCOMPARE(m_link->LabelHlaseni.colour, NamedColour::BtnFace);
    QVERIFY(m_link->LabelHlaseni.visible);
    QCOMPARE(int(m_link->MessageTicks), 200);
    QVERIFY(m_link->CGaugeProgram.visible);
    QCOMPARE(m_link->CGaugeProgram.position, 0);

    QCOMPARE(m_ports.written().size(), size_t(1));
    const UnitFrame &f = m_ports.written().front();
    QCOMPARE(int(f[0]), command);
    QVERIFY(FrameChecksumValid(f));
    // Only a verify frame carries the block; block 0 and reads carry zeros.
    const bool carriesBlock = mode == int(LinkMode::Verify);
    for (int i = 0; i < FrameDataSize; ++i)
        QCOMPARE(f[i + 1], carriesBlock ? m_set.image[i] : quint8(0));
}

void tst_LinkDriver::monitorRequestEverySixTicks()
{
    ticks(5);
    QVERIFY(m_ports.written().empty());
    ticks(1);
    QCOMPARE(m_ports.written().size(), size_t(1));
    QCOMPARE(m_ports.written().front(), BuildMonitorRequest());
    QCOMPARE(int(m_ports.written().front()[51]), 0xCF);
    ticks(6);
    QCOMPARE(m_ports.written().size(), size_t(2));
    QCOMPARE(int(m_link->unit().ticksSinceSend()), 0);
}

void tst_LinkDriver::noAnswerEndsInError_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("error");
    QTest::newRow("program") << int(LinkMode::Program) << "Program error!";
    QTest::newRow("verify") << int(LinkMode::Verify) << "Verify error!";
    QTest::newRow("read") << int(LinkMode::Read) << "Read error!";
    QTest::newRow("compare") << int(LinkMode::Compare) << "Read error!";
}

void tst_LinkDriver::noAnswerEndsInError()
{
    QFETCH(int, mode);
    QFETCH(QString, error);

    m_link->ProgrammedOk = true;
    if (mode == int(LinkMode::Program))
        m_link->StartProgram();
    else if (mode == int(LinkMode::Verify))
        m_link->StartVerify();
    else if (mode == int(LinkMode::Compare))
        m_link->StartCompare();
    else
        m_link->StartRead();
    const quint8 command = m_link->unit().commandByte();

    // Sends on ticks 0, 4, 8, 12 and 16; the error on tick 20, not before.
    for (int tick = 1; tick <= 19; ++tick) {
        m_link->Timer1Timer();
        QCOMPARE(int(m_ports.written().size()), 1 + tick / 4);
        QVERIFY(m_link->unit().mode() != LinkMode::Idle);
    }
    m_link->Timer1Timer();
    QCOMPARE(int(m_ports.written().size()), 5);
    for (const UnitFrame &f : m_ports.written())
        QCOMPARE(f[0], command);
    QCOMPARE(m_link->unit().mode(), LinkMode::Idle);
    QCOMPARE(m_link->LabelHlaseni.caption, error);
    QCOMPARE(m_link->LabelHlaseni.colour, NamedColour::Red);
    QCOMPARE(int(m_link->MessageTicks), 199); // shown, then counted by the same tick
    // The flag left from an earlier programming goes with any failure.
    QVERIFY(!m_link->ProgrammedOk);

    // Back to monitoring: a monitor request six ticks later, and the error stays.
    ticks(6);
    QCOMPARE(m_ports.written().back(), BuildMonitorRequest());
    QCOMPARE(m_link->LabelHlaseni.caption, error);
    QCOMPARE(m_link->LabelHlaseni.colour, NamedColour::Red);
}

void tst_LinkDriver::deferredProgramStart_data()
{
    QTest::addColumn<int>("ticksSinceSend");
    QTest::addColumn<int>("firstSendTick");
    QTest::newRow("just sent") << 0 << 4;
    QTest::newRow("two ticks into idle") << 2 << 2;
    QTest::newRow("five ticks into idle") << 5 << 1;
}

void tst_LinkDriver::deferredProgramStart()
{
    QFETCH(int, ticksSinceSend);
    QFETCH(int, firstSendTick);

    m_link->ProgrammedOk = true;
    m_link->ShowLinkMessage(QStringLiteral("Verify error!"), NamedColour::Red);
    UnitLinkProbe::setTicksSinceSend(m_link->unit(), quint8(ticksSinceSend));
    m_link->StartProgrammingAfterChange();
    QVERIFY(m_ports.written().empty());
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Programing"));
    QCOMPARE(m_link->LabelHlaseni.colour, NamedColour::BtnFace);
    QVERIFY(!m_link->ProgrammedOk);
    QCOMPARE(int(m_link->unit().sendAttempts()), 0);

    ticks(firstSendTick - 1);
    QVERIFY(m_ports.written().empty());
    m_link->Timer1Timer();
    QCOMPARE(m_ports.written().size(), size_t(1));
    QCOMPARE(int(m_ports.written().front()[0]), 0x40);
    QCOMPARE(int(m_link->unit().sendAttempts()), 1);
    // Then it behaves like Program: five sends, the error 20 ticks after the first.
    ticks(19);
    QCOMPARE(m_link->unit().mode(), LinkMode::BackupRead);
    m_link->Timer1Timer();
    QCOMPARE(m_ports.written().size(), size_t(5));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Program error!"));
}

void tst_LinkDriver::readDuringProgramAbandonsIt()
{
    m_link->StartProgram();
    ticks(5);
    m_link->StartRead();
    QCOMPARE(m_link->unit().mode(), LinkMode::Read);
    QCOMPARE(int(m_link->unit().commandByte()), 0x40);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Read device:"));
    // A late program answer does not fit the read's command and is ignored.
    UnitFrame late{};
    late[0] = 0x80;
    late[11] = 61;
    SealFrame(late);
    m_ports.feed(late);
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().commandByte()), 0x40);
    QCOMPARE(int(m_link->unit().linkWatchdog()), 18); // the ignored answer is no sign of life
}

// ------------------------------------------------------------------ transfers

void tst_LinkDriver::programVerifySaveChain()
{
    attachUnit();
    QSignalSpy received(m_link.get(), &LinkDriver::parametersReceived);
    QSignalSpy written(m_link.get(), &LinkDriver::blockWritten);
    m_unit.block0[0] = 'K';
    m_unit.block0[1] = 'T';
    m_unit.block0[2] = 'C';
    m_unit.block0[3] = 12;
    m_unit.block1.fill(0x5C); // the unit's old set
    const auto oldSet = m_unit.block1;

    // The unit's set is read first, with the frames of a Read, and handed over before
    // anything is written.
    std::vector<quint8> commandsBeforeBackup;
    connect(m_link.get(), &LinkDriver::unitBlockBeforeWrite, this, [&] {
        QCOMPARE(m_link->unit().blockBeforeWrite(), oldSet);
        QCOMPARE(int(m_link->unit().unitInformation()[0]), int('K'));
        for (const UnitFrame &f : m_ports.written())
            commandsBeforeBackup.push_back(f[0]);
    });
    m_link->StartProgram();
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Program device:"));
    m_link->Timer1Timer(); // block 0 of the backup read
    QCOMPARE(int(m_link->unit().commandByte()), 0x41);
    m_link->Timer1Timer(); // block 1 of the backup read: the program transfer starts
    QCOMPARE(commandsBeforeBackup, (std::vector<quint8>{0x40, 0x41}));
    QCOMPARE(m_link->unit().mode(), LinkMode::Program);
    QCOMPARE(int(m_link->unit().commandByte()), 0x00);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Program device:"));
    received.clear();
    m_link->Timer1Timer(); // block 0 answer: version ok, block 1 goes out
    QCOMPARE(received.count(), 1);
    QCOMPARE(m_link->UnitVersionText, QStringLiteral("KTC12"));
    QCOMPARE(int(m_link->unit().commandByte()), 0x01);
    QCOMPARE(m_link->CGaugeProgram.position, 1);
    QCOMPARE(written.count(), 0);
    m_link->Timer1Timer(); // echo matches: verify starts
    QCOMPARE(written.count(), 1);
    QVERIFY(m_link->ProgrammedOk);
    QCOMPARE(m_link->unit().mode(), LinkMode::Verify);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify:"));
    QCOMPARE(m_link->CGaugeProgram.position, 0);
    m_link->Timer1Timer(); // verify matches
    QCOMPARE(m_link->unit().mode(), LinkMode::Idle);
    // "Verify: OK" stands until the unit reports on its saving: only the unit's word that
    // it stored the set well makes it a success.
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify: OK"));
    QCOMPARE(m_link->CGaugeProgram.position, m_link->CGaugeProgram.maximum);
    QCOMPARE(writtenCommands(), (QList<quint8>{0x40, 0x41, 0x00, 0x01, 0x41}));
    for (int i = 1; i <= FrameDataSize; ++i)
        QCOMPARE(int(m_ports.written()[1][i]), 0);
    const UnitFrame &block1 = m_ports.written()[3];
    for (int i = 0; i < FrameDataSize; ++i)
        QCOMPARE(block1[i + 1], m_set.image[i]);

    // Monitoring again: the unit reports its saving countdown, then 0.
    feedLive([](UnitFrame &f) { putWord(f, 47, 55); });
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Saving:"));
    QCOMPARE(m_link->CGaugeProgram.maximum, 100);
    QCOMPARE(m_link->CGaugeProgram.position, 50);
    feedLive(nullptr);
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Programing: OK"));
    QCOMPARE(m_link->CGaugeProgram.maximum, 1);
    QCOMPARE(m_link->CGaugeProgram.position, 1);
    QVERIFY(m_link->LabelHlaseni.visible);

    // Shown until 200 ticks after the last message, while the unit keeps answering,
    // then gone with the flag.
    QCOMPARE(int(m_link->MessageTicks), 198);
    for (int tick = 0; tick < 198; ++tick) {
        if (tick % LinkDriver::MonitorEveryTicks == 0)
            feedLive(nullptr);
        m_link->Timer1Timer();
    }
    QVERIFY(m_link->LabelHlaseni.visible);
    QVERIFY(m_link->ProgrammedOk);
    m_link->Timer1Timer();
    QVERIFY(!m_link->LabelHlaseni.visible);
    QVERIFY(!m_link->CGaugeProgram.visible);
    QVERIFY(!m_link->ProgrammedOk);
}

void tst_LinkDriver::savingGauge_data()
{
    QTest::addColumn<int>("countdown");
    QTest::addColumn<bool>("programmed");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("position");
    QTest::newRow("start of saving") << 110 << true << "Saving:" << 100 << 0;
    QTest::newRow("half way") << 55 << true << "Saving:" << 100 << 50;
    QTest::newRow("nearly done") << 1 << true << "Saving:" << 100 << 99;
    QTest::newRow("above 110 held at 0") << 500 << true << "Saving:" << 100 << 0;
    QTest::newRow("done, programmed") << 0 << true << "Programing: OK" << 1 << 1;
    QTest::newRow("done, not programmed") << 0 << false << "before" << 1 << 0;
}

void tst_LinkDriver::savingGauge()
{
    QFETCH(int, countdown);
    QFETCH(bool, programmed);
    QFETCH(QString, caption);
    QFETCH(int, maximum);
    QFETCH(int, position);

    m_link->ShowLinkMessage(QStringLiteral("before"), NamedColour::Red);
    m_link->ProgrammedOk = programmed;
    m_link->WriteConfirmed = programmed;
    feedLive([countdown](UnitFrame &f) { putWord(f, 47, countdown); });
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().savingCountdown()), countdown);
    QCOMPARE(m_link->LabelHlaseni.caption, caption);
    QCOMPARE(m_link->CGaugeProgram.maximum, maximum);
    QCOMPARE(m_link->CGaugeProgram.position, position);
    // Saving is a normal message; Programing: OK leaves the colour as it was.
    QCOMPARE(m_link->LabelHlaseni.colour, countdown > 0 ? NamedColour::BtnFace : NamedColour::Red);
}

void tst_LinkDriver::failureStaysThroughSaving_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("error");
    QTest::newRow("program, echo differs after block 0") << int(LinkMode::Program) << "Program error!";
    QTest::newRow("verify never matches") << int(LinkMode::Verify) << "Verify error!";
    QTest::newRow("read unanswered") << int(LinkMode::Read) << "Read error!";
}

void tst_LinkDriver::failureStaysThroughSaving()
{
    QFETCH(int, mode);
    QFETCH(QString, error);

    attachUnit();
    m_unit.corruptEcho = true;
    m_unit.block1.fill(0xAA);
    m_unit.answerBlocks = mode != int(LinkMode::Read);
    if (mode == int(LinkMode::Program))
        m_link->StartProgram();
    else if (mode == int(LinkMode::Verify))
        m_link->StartVerify();
    else
        m_link->StartRead();
    for (int i = 0; i < 30 && m_link->unit().mode() != LinkMode::Idle; ++i)
        m_link->Timer1Timer();
    QCOMPARE(m_link->LabelHlaseni.caption, error);
    // No bar beside a failure, even where block 0 got through and left it full.
    QVERIFY(!m_link->CGaugeProgram.visible);

    // The unit stores what it got and says so in its live frames: the bar may show that,
    // never full, but the text stays the failure's for its whole time.
    int shown = 1;
    for (const int countdown : {110, 55, 1, 0, 0}) {
        feedLive([countdown](UnitFrame &f) { putWord(f, 47, countdown); });
        m_link->Timer1Timer();
        ++shown;
        QCOMPARE(m_link->LabelHlaseni.caption, error);
        QCOMPARE(m_link->LabelHlaseni.colour, NamedColour::Red);
        QVERIFY(m_link->LabelHlaseni.visible);
        QCOMPARE(m_link->CGaugeProgram.visible, countdown > 0);
        if (countdown > 0)
            QCOMPARE(m_link->CGaugeProgram.position, (110 - countdown) * 100 / 110);
        QVERIFY(!m_link->ProgrammedOk);
    }
    // Saving done, the bar is the transfers' again: a start counts its blocks on it.
    QCOMPARE(m_link->CGaugeProgram.maximum, 1);
    for (; shown < LinkDriver::MessageTicks_; ++shown) {
        feedLive([](UnitFrame &f) { putWord(f, 47, 30); });
        m_link->Timer1Timer();
        QCOMPARE(m_link->LabelHlaseni.caption, error);
        QVERIFY(m_link->LabelHlaseni.visible);
    }
    m_link->Timer1Timer();
    QVERIFY(!m_link->LabelHlaseni.visible);
    // Its time is up: the countdown shows as usual again.
    feedLive([](UnitFrame &f) { putWord(f, 47, 30); });
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Saving:"));
    QVERIFY(m_link->LabelHlaseni.visible);
}

void tst_LinkDriver::connectionLostEndsSavingAndOk_data()
{
    QTest::addColumn<int>("countdown");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("afterLoss"); // empty: the area is hidden
    // A unit lost while saving leaves its set unknown: that stays in sight.
    QTest::newRow("saving") << 30 << false << "Saving:" << "Lost while saving!";
    QTest::newRow("programing ok") << 0 << false << "Programing: OK" << "";
    QTest::newRow("a failure stays") << 30 << true << "Program error!" << "Program error!";
}

void tst_LinkDriver::connectionLostEndsSavingAndOk()
{
    QFETCH(int, countdown);
    QFETCH(bool, failed);
    QFETCH(QString, caption);
    QFETCH(QString, afterLoss);

    attachUnit();
    if (failed)
        m_unit.corruptEcho = true;
    m_link->StartProgram();
    for (int i = 0; i < 30 && m_link->unit().mode() != LinkMode::Idle; ++i)
        m_link->Timer1Timer();
    m_ports.setOnWrite(nullptr);
    feedLive([countdown](UnitFrame &f) { putWord(f, 47, countdown); });
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelHlaseni.caption, caption);

    // The unit goes; "No Connection" ends what it had said about itself.
    int lostAfter = 0;
    while (!m_link->LabelSpojeniVisible && lostAfter < 30) {
        m_link->Timer1Timer();
        ++lostAfter;
    }
    QCOMPARE(lostAfter, LinkDriver::NoConnectionTicks);
    QVERIFY(!m_link->ProgrammedOk);
    QCOMPARE(int(m_link->unit().savingCountdown()), 0);
    QCOMPARE(m_link->LabelHlaseni.visible, !afterLoss.isEmpty());
    if (!afterLoss.isEmpty())
        QCOMPARE(m_link->LabelHlaseni.caption, afterLoss);
    QCOMPARE(m_link->CGaugeProgram.visible && m_link->CGaugeProgram.position == m_link->CGaugeProgram.maximum,
             false);

    // Another unit answers, one that has stored nothing: no success is shown for it.
    feedLive(nullptr);
    ticks(3);
    QVERIFY(!m_link->LabelSpojeniVisible);
    QCOMPARE(m_link->LabelHlaseni.visible, !afterLoss.isEmpty());
    QVERIFY(!m_link->ProgrammedOk);
}

void tst_LinkDriver::echoThatDiffersIsResent()
{
    attachUnit();
    m_unit.corruptEcho = true;
    m_link->StartProgram();
    ticks(30);
    // No verify follows the read before the write.
    QCOMPARE(writtenCommands().mid(0, 8), (QList<quint8>{0x40, 0x41, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01}));
    QVERIFY(!writtenCommands().mid(2).contains(0x41));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Program error!"));
    QVERIFY(!m_link->ProgrammedOk);
}

void tst_LinkDriver::verifyNeverMatching()
{
    attachUnit();
    m_unit.block1.fill(0xAA);
    m_link->ProgrammedOk = true;
    m_link->StartVerify();
    ticks(20);
    QCOMPARE(writtenCommands(), QList<quint8>(5, 0x41));
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify error!"));
    QVERIFY(!m_link->ProgrammedOk);
    feedLive(nullptr);
    ticks(1);
    QVERIFY(m_link->LabelHlaseni.caption != QStringLiteral("Programing: OK"));
}

void tst_LinkDriver::versionMismatch_data()
{
    QTest::addColumn<bool>("read");
    QTest::newRow("program") << false;
    QTest::newRow("read") << true;
}

void tst_LinkDriver::versionMismatch()
{
    QFETCH(bool, read);
    attachUnit();
    m_unit.version = 60;
    m_unit.block1.fill(0x33);
    const IgnitionParameters before = m_set;

    struct Seen
    {
        QString text;
        LinkMode mode;
        int watchdog;
        bool areaVisible;
        QString areaCaption;
    };
    QList<Seen> seen;
    connect(m_link.get(), &LinkDriver::versionMismatch, this, [&](const QString &text) {
        seen.append({text, m_link->unit().mode(), m_link->unit().linkWatchdog(), m_link->LabelHlaseni.visible,
                     m_link->LabelHlaseni.caption});
        // A box with its own event loop runs ticks from here; they only monitor.
        m_link->Timer1Timer();
    });
    QSignalSpy received(m_link.get(), &LinkDriver::parametersReceived);

    m_link->ProgrammedOk = true; // left from an earlier programming still on screen
    read ? m_link->StartRead() : m_link->StartProgram();
    const QString startCaption = m_link->LabelHlaseni.caption;
    m_link->Timer1Timer();

    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QStringLiteral("Unmatched version of PC and Ignition programs!  PC-61, IGN-60"));
    QCOMPARE(seen[0].mode, LinkMode::Idle);
    QCOMPARE(seen[0].watchdog, 1); // the tick had run its watchdog step before the box
    QVERIFY(seen[0].areaVisible);
    QCOMPARE(seen[0].areaCaption, startCaption); // not "Programing: OK" beside the box
    // Program stops at its read of block 0: nothing of the unit's set is read or written.
    QCOMPARE(writtenCommands(), QList<quint8>{0x40});
    QCOMPARE(received.count(), 1);
    QCOMPARE(m_set, before);
    QCOMPARE(m_link->unit().mode(), LinkMode::Idle);
    // The message area goes with the next tick.
    m_link->Timer1Timer();
    QVERIFY(!m_link->LabelHlaseni.visible);
    QVERIFY(!m_link->CGaugeProgram.visible);
    ticks(30);
    QCOMPARE(seen.size(), 1);
}

void tst_LinkDriver::readReplacesSetAndKeepsReservedBytes()
{
    attachUnit();
    IgnitionParameters unitSet = defaultSet();
    unitSet.LIMITER() = 95;
    unitSet.image[8] = 0x11;
    unitSet.image[9] = 0x22;
    for (int i = 30; i < 50; ++i)
        unitSet.image[i] = quint8(0x80 + i);
    std::copy_n(unitSet.image.begin(), FrameDataSize, m_unit.block1.begin());
    m_set.image[52] = 0x5A; // beyond the block: not the unit's

    QSignalSpy received(m_link.get(), &LinkDriver::parametersReceived);
    m_link->StartRead();
    ticks(3);
    QCOMPARE(writtenCommands(), (QList<quint8>{0x40, 0x41, 0x41}));
    QCOMPARE(received.count(), 1);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify: OK"));
    for (int i = 0; i < FrameDataSize; ++i)
        QCOMPARE(m_set.image[i], unitSet.image[i]);
    QCOMPARE(int(m_set.image[52]), 0x5A);
    // The read's own block frames carried zeros; the verify carried the new set.
    for (int i = 1; i <= FrameDataSize; ++i)
        QCOMPARE(int(m_ports.written()[1][i]), 0);

    m_ports.clearWritten();
    m_link->StartProgram();
    ticks(3);
    const UnitFrame &block1 = m_ports.written().at(3);
    QCOMPARE(int(block1[0]), 0x01);
    QCOMPARE(int(block1[1 + 8]), 0x11);
    QCOMPARE(int(block1[1 + 9]), 0x22);
    for (int i = 30; i < 50; ++i)
        QCOMPARE(int(block1[1 + i]), 0x80 + i);
}

void tst_LinkDriver::readOfNonRisingCurveFailsVerify()
{
    attachUnit();
    IgnitionParameters unitSet = defaultSet();
    unitSet.RPM_ADV(5) = 20; // below its predecessor
    std::copy_n(unitSet.image.begin(), FrameDataSize, m_unit.block1.begin());
    m_link->StartRead();
    ticks(2);
    QCOMPARE(int(m_set.RPM_ADV(5)), 51); // pushed up above RPM_ADV(4) = 50
    QCOMPARE(m_link->unit().mode(), LinkMode::Verify);
    ticks(20);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify error!"));
}

void tst_LinkDriver::backupReadWithoutAnswerWritesNothing_data()
{
    QTest::addColumn<int>("answers");
    QTest::addColumn<QList<quint8>>("commands");
    QTest::newRow("silent") << 0 << QList<quint8>(5, 0x40);
    QTest::newRow("silent after block 0") << 1 << (QList<quint8>{0x40, 0x41, 0x41, 0x41, 0x41, 0x41});
}

void tst_LinkDriver::backupReadWithoutAnswerWritesNothing()
{
    QFETCH(int, answers);
    QFETCH(QList<quint8>, commands);
    attachUnit();
    m_unit.answersLeft = answers;
    QSignalSpy before(m_link.get(), &LinkDriver::unitBlockBeforeWrite);
    m_link->StartProgram();
    ticks(25);
    QCOMPARE(writtenCommands(), commands);
    QCOMPARE(before.count(), 0);
    QCOMPARE(m_link->unit().mode(), LinkMode::Idle);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Program error!"));
    QCOMPARE(m_link->LabelHlaseni.colour, NamedColour::Red);
}

void tst_LinkDriver::compareLeavesTheSetAlone()
{
    attachUnit();
    m_unit.block1.fill(0x21);
    m_unit.block0[16] = 'X';
    m_set.RPM_ADV(0) = 1; // not even normalised
    const IgnitionParameters before = m_set;
    QSignalSpy ready(m_link.get(), &LinkDriver::compareReady);

    m_link->StartCompare();
    ticks(2);
    QCOMPARE(writtenCommands(), (QList<quint8>{0x40, 0x41}));
    for (const UnitFrame &f : m_ports.written())
        for (int i = 1; i <= FrameDataSize; ++i)
            QCOMPARE(int(f[i]), 0);
    QCOMPARE(ready.count(), 1);
    QCOMPARE(m_link->unit().compareBlock(), m_unit.block1);
    QCOMPARE(m_link->UnitVersionText, QStringLiteral("X"));
    QCOMPARE(m_set, before);
    QCOMPARE(m_link->unit().mode(), LinkMode::Idle);
    ticks(10);
    QCOMPARE(writtenCommands().count(0x41), 1);
}

void tst_LinkDriver::verifyErrorKeepsTheUnitsBlock()
{
    attachUnit();
    m_unit.block1.fill(0xAA);
    m_unit.block1[3] = 99;
    QSignalSpy ready(m_link.get(), &LinkDriver::compareReady);

    m_link->StartVerify();
    ticks(20);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Verify error!"));
    QVERIFY(m_link->unit().keptUnitBlock().has_value());
    QCOMPARE(*m_link->unit().keptUnitBlock(), m_unit.block1);

    // Compare shows it at once, without a frame.
    m_ports.clearWritten();
    m_link->StartCompare();
    QCOMPARE(ready.count(), 1);
    QCOMPARE(m_link->unit().compareBlock(), m_unit.block1);
    QVERIFY(m_ports.written().empty());
    QCOMPARE(m_link->unit().mode(), LinkMode::Idle);

    // Any other transfer, or a lost connection, and it no longer says what the unit holds.
    m_link->StartRead();
    QVERIFY(!m_link->unit().keptUnitBlock().has_value());
    m_unit.answerBlocks = false;
    m_link->StartVerify();
    ticks(20);
    QVERIFY(!m_link->unit().keptUnitBlock().has_value()); // no answer at all: nothing to keep
    m_unit.answerBlocks = true;
    m_link->StartVerify();
    ticks(20);
    QVERIFY(m_link->unit().keptUnitBlock().has_value());
    m_unit.answerBlocks = false;
    ticks(LinkDriver::NoConnectionTicks + 1);
    QVERIFY(!m_link->unit().keptUnitBlock().has_value());
}

// ------------------------------------------------------------------ receiving

void tst_LinkDriver::acceptance()
{
    // A live frame with a wrong checksum changes nothing, not even the watchdog.
    UnitFrame live{};
    live[0] = AnswerLiveData;
    putWord(live, 1, 6000);
    SealFrame(live);
    live[51] ^= 1;
    m_ports.feed(live);
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelRpm.caption, QStringLiteral("RPM = ---"));
    QCOMPARE(int(m_link->unit().linkWatchdog()), 18);

    // An answer 0xC1 while idle is ignored.
    UnitFrame c1{};
    c1[0] = 0xC1;
    SealFrame(c1);
    m_ports.feed(c1);
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().linkWatchdog()), 18);

    // The unit answering block 0 twice: the second 0x80 arrives while the command is 0x01.
    UnitFrame again{};
    again[0] = 0x80;
    again[11] = 61;
    SealFrame(again);
    m_link->StartProgram();
    for (const int code : {0xC0, 0xC1}) { // the read before the write
        UnitFrame read{};
        read[0] = quint8(code);
        read[11] = 61;
        SealFrame(read);
        m_ports.feed(read);
        m_link->Timer1Timer();
    }
    QCOMPARE(int(m_link->unit().commandByte()), 0x00);
    m_ports.feed(again);
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().commandByte()), 0x01);
    m_ports.clearWritten();
    m_ports.feed(again);
    const quint8 gauge = quint8(m_link->CGaugeProgram.position);
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().commandByte()), 0x01);
    QVERIFY(m_ports.written().empty());
    QCOMPARE(int(m_link->CGaugeProgram.position), int(gauge));

    // Live data during a transfer is decoded all the same.
    feedLive([](UnitFrame &f) { putWord(f, 1, 3000); });
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelRpm.caption, QStringLiteral("RPM = 3000 "));
    QCOMPARE(m_link->unit().mode(), LinkMode::Program);
    QCOMPARE(int(m_link->unit().linkWatchdog()), 1);
}

void tst_LinkDriver::partFrameWaitsForTheRest()
{
    UnitFrame live{};
    live[0] = AnswerLiveData;
    putWord(live, 1, 4321);
    SealFrame(live);
    const QByteArray bytes(reinterpret_cast<const char *>(live.data()), FrameSize);

    m_ports.feed(bytes.left(40));
    m_link->Timer1Timer();
    QCOMPARE(m_ports.pending().size(), 40); // nothing read below a frame
    QCOMPARE(int(m_link->unit().liveRpm()), 0);
    m_ports.feed(bytes.mid(40));
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().liveRpm()), 4321);
    QVERIFY(m_ports.pending().isEmpty());
}

static QByteArray bytesOf(const UnitFrame &frame)
{
    return QByteArray(reinterpret_cast<const char *>(frame.data()), FrameSize);
}

static UnitFrame liveFrame(int rpm)
{
    UnitFrame f{};
    f[0] = AnswerLiveData;
    f[50] = 61;
    putWord(f, 1, rpm);
    SealFrame(f);
    return f;
}

void tst_LinkDriver::pollDispatchesWholeFrames_data()
{
    // Polled while the first command of a read transfer (0x40) waits for its answer.
    UnitFrame answer{};
    answer[0] = 0xC0;
    answer[11] = 61;
    SealFrame(answer);
    const QByteArray live = bytesOf(liveFrame(4321));
    const QByteArray block0 = bytesOf(answer);

    QTest::addColumn<QByteArray>("poll");
    QTest::addColumn<int>("liveRpm");
    QTest::addColumn<int>("commandAfter");
    QTest::addColumn<int>("sends");

    QTest::newRow("live frame, then the answer") << live + block0 << 4321 << 0x41 << 2;
    QTest::newRow("the answer, then a live frame") << block0 + live << 4321 << 0x41 << 2;
    QTest::newRow("the answer and half a frame") << block0 + live.left(26) << 0 << 0x41 << 2;
    QTest::newRow("two live frames and 26 stray bytes")
        << live + bytesOf(liveFrame(999)) + QByteArray(26, '\x55') << 999 << 0x40 << 1;
    QTest::newRow("the answer twice: the second is late") << block0 + block0 << 0 << 0x41 << 2;
    QTest::newRow("stray bytes ahead shift every frame") << QByteArray(3, '\0') + block0 + live << 0 << 0x40 << 1;
}

void tst_LinkDriver::pollDispatchesWholeFrames()
{
    QFETCH(QByteArray, poll);
    QFETCH(int, liveRpm);
    QFETCH(int, commandAfter);
    QFETCH(int, sends);

    m_link->StartRead();
    m_ports.feed(poll);
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().liveRpm()), liveRpm);
    QCOMPARE(int(m_link->unit().commandByte()), commandAfter);
    QCOMPARE(int(m_ports.written().size()), sends);
    // A trailing part frame is dropped with the rest: the next answer starts clean.
    QVERIFY(m_ports.pending().isEmpty());
}

void tst_LinkDriver::backlogDoesNotOutliveATick_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("lastShownRpm");
    QTest::newRow("a queue just below full") << 192 << 191;
    QTest::newRow("a full queue, all of it used") << 200 << 199;
    // 15000 bytes hold 288 whole frames; the rest is stale.
    QTest::newRow("more than a tick can use") << 2000 << 287;
}

void tst_LinkDriver::backlogDoesNotOutliveATick()
{
    QFETCH(int, frames);
    QFETCH(int, lastShownRpm);

    QByteArray flood;
    for (int i = 0; i < frames; ++i)
        flood += bytesOf(liveFrame(i));
    m_ports.feed(flood);
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().liveRpm()), lastShownRpm);
    QVERIFY(m_ports.pending().isEmpty());

    // What comes next is heard at once.
    m_ports.feed(liveFrame(7000));
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->unit().liveRpm()), 7000);
}

// ------------------------------------------------------------------ message area, watchdog, ports

void tst_LinkDriver::messageAreaLife()
{
    m_link->ShowLinkMessage(QStringLiteral("hello"), NamedColour::BtnFace);
    m_link->CGaugeProgram.visible = true;
    // Opening a file hides the area without touching the counter: the next tick shows
    // the label again, not the bar.
    m_link->HideMessageArea();
    m_link->Timer1Timer();
    QVERIFY(m_link->LabelHlaseni.visible);
    QVERIFY(!m_link->CGaugeProgram.visible);

    // While printing the area stays hidden though the counter runs.
    m_link->Printing = true;
    ticks(10);
    QVERIFY(!m_link->LabelHlaseni.visible);
    QVERIFY(!m_link->LabelSpojeniVisible);
    QCOMPARE(int(m_link->MessageTicks), 189);
    m_link->Printing = false;
    ticks(188);
    QVERIFY(m_link->LabelHlaseni.visible);
    m_link->Timer1Timer();
    QCOMPARE(int(m_link->MessageTicks), 0);
    QVERIFY(m_link->LabelHlaseni.visible);
    m_link->Timer1Timer();
    QVERIFY(!m_link->LabelHlaseni.visible);
}

void tst_LinkDriver::watchdogAndReopen()
{
    // No unit: "No Connection" from the first tick, the port reopened on the 30th.
    m_ports.clearOpenAttempts();
    m_link->LabelVersion.visible = true;
    m_link->Timer1Timer();
    QVERIFY(m_link->LabelSpojeniVisible);
    QVERIFY(!m_link->LabelVersion.visible);
    ticks(28);
    QVERIFY(m_ports.openAttempts().isEmpty());
    m_link->Timer1Timer();
    QCOMPARE(m_ports.openAttempts(), QList<int>{1}); // fixed port: the same one again
    QCOMPARE(int(m_settings.AutoScanPort), 1);       // advanced all the same
    QVERIFY(m_link->unit().quietReopen());
    QCOMPARE(m_ports.purges(), 1);

    // A frame hides the indication on its tick; 18 silent ticks later it is back.
    ticks(5); // ReconnectTicks now 5
    feedLive(nullptr);
    m_link->Timer1Timer();
    QVERIFY(!m_link->LabelSpojeniVisible);
    QCOMPARE(int(m_link->unit().linkWatchdog()), 1);
    ticks(16);
    QVERIFY(!m_link->LabelSpojeniVisible);
    QCOMPARE(int(m_link->unit().linkWatchdog()), 17);
    m_link->Timer1Timer();
    QVERIFY(!m_link->LabelSpojeniVisible);
    QCOMPARE(int(m_link->unit().linkWatchdog()), 18);
    m_link->Timer1Timer();
    QVERIFY(m_link->LabelSpojeniVisible);
    // The reconnect count went on from 5: 24 more ticks to the next reopen.
    m_ports.clearOpenAttempts();
    ticks(23);
    QVERIFY(m_ports.openAttempts().isEmpty());
    m_link->Timer1Timer();
    QCOMPARE(m_ports.openAttempts().size(), 1);
}

void tst_LinkDriver::unplugAndReplug()
{
    feedLive(nullptr);
    m_link->Timer1Timer();
    m_ports.unplug();
    m_ports.clearOpenAttempts();
    QSignalSpy failed(m_link.get(), &LinkDriver::portOpenFailed);
    ticks(18 + 30);
    QVERIFY(m_link->LabelSpojeniVisible);
    QCOMPARE(m_ports.openAttempts().size(), 1);
    QVERIFY(!m_link->portOpen());
    QCOMPARE(failed.count(), 0); // reopens are quiet
    m_ports.plugIn();
    ticks(30);
    QVERIFY(m_link->portOpen());
    feedLive(nullptr);
    m_link->Timer1Timer();
    QVERIFY(!m_link->LabelSpojeniVisible);
}

void tst_LinkDriver::fixedPortOpenFailure()
{
    QSignalSpy failed(m_link.get(), &LinkDriver::portOpenFailed);
    m_ports.setOpenFails(3, QStringLiteral("Permission denied"), PortOpenFailure::Reason::PermissionDenied);
    m_link->CloseUnitPort();
    m_link->CloseUnitPort(); // closing a closed port does nothing
    m_settings.PortChoice = 2;
    m_link->unit().setQuietReopen(false);
    m_link->OpenUnitPort();
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed[0][0].toString(), QStringLiteral("COM3"));
    const auto failure = qvariant_cast<PortOpenFailure>(failed[0][1]);
    QCOMPARE(failure.reason, PortOpenFailure::Reason::PermissionDenied);
    QCOMPARE(failure.device, QStringLiteral("/dev/fake3"));
    QCOMPARE(m_link->LabelComCaption, QStringLiteral("COM= COM3"));
    QCOMPARE(m_link->LabelComDevice, QStringLiteral("/dev/fake3"));
    QVERIFY(!m_link->portOpen());
    QCOMPARE(int(m_link->unit().reconnectTicks()), 0);

    // With no port, sends and polls do nothing; the transfer times out.
    m_link->StartProgram();
    ticks(20);
    QCOMPARE(m_link->LabelHlaseni.caption, QStringLiteral("Program error!"));

    // The watchdog's reopen of the same port is quiet.
    ticks(30);
    QCOMPARE(failed.count(), 1);
}

void tst_LinkDriver::autoScan()
{
    QSignalSpy failed(m_link.get(), &LinkDriver::portOpenFailed);
    m_link->CloseUnitPort();
    m_settings.PortChoice = PortChoiceAuto;
    m_settings.AutoScanPort = 5;
    m_link->OpenUnitPort();
    QCOMPARE(m_link->LabelComCaption, QStringLiteral("COM= COM6"));
    QCOMPARE(m_ports.openPort(), 6);

    // No unit anywhere and only COM6 present: from the 30th tick on every tick tries the
    // next port, through COM21 and round to COM1.
    m_link->CloseUnitPort();
    m_ports.setOnlyPort(99);
    m_link->unit().setQuietReopen(false);
    m_link->OpenUnitPort();
    QCOMPARE(int(m_link->unit().reconnectTicks()), 200); // a failed automatic open
    m_ports.clearOpenAttempts();
    m_link->Timer1Timer();
    QCOMPARE(m_ports.openAttempts(), QList<int>{7});
    ticks(14);
    QCOMPARE(m_ports.openAttempts().size(), 15);
    QCOMPARE(m_ports.openAttempts().back(), 21);
    m_link->Timer1Timer();
    QCOMPARE(m_ports.openAttempts().back(), 1);
    QCOMPARE(int(m_settings.AutoScanPort), 0);
    QCOMPARE(m_link->LabelComCaption, QStringLiteral("COM= COM1"));
    QCOMPARE(failed.count(), 0);

    // A unit on COM4: the scan stops there and the link comes up.
    m_ports.setOnlyPort(4);
    ticks(3);
    QCOMPARE(m_ports.openPort(), 4);
    feedLive(nullptr);
    ticks(40);
    QCOMPARE(m_ports.openPort(), 4);
}

// ------------------------------------------------------------------ live monitor

void tst_LinkDriver::liveLabels()
{
    feedLive([](UnitFrame &f) {
        putWord(f, 1, 6000);
        f[3] = 1;
        f[5] = 27;
        putWord(f, 11, 1234);
        for (int i = 0; i < 8; ++i)
            putWord(f, 13 + 2 * i, 100 * (i + 1) + i);
        f[31] = 1;
        f[32] = 0;
        f[49] = 1;
        f[50] = 60;
    });
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelRpm.caption, QStringLiteral("RPM = 6000 "));
    QCOMPARE(m_link->LabelRpm.colour, NamedColour::Red);
    QCOMPARE(m_link->CGaugeRpmPosition, 50);
    QCOMPARE(m_link->LabelAdvance.caption, QStringLiteral("ADVANCE = 27 [°]"));
    QCOMPARE(m_link->LabelPocetProgramovani, QStringLiteral("Number of Programing= 1234 "));
    QCOMPARE(m_link->LabelTest[0], QStringLiteral("Test1 = 100 "));
    QCOMPARE(m_link->LabelTest[7], QStringLiteral("Test8 = 807 "));
    QCOMPARE(m_link->LabelMonSnimac1.caption, QStringLiteral("Pick-up (CPS) 1 -  is running"));
    QCOMPARE(m_link->LabelMonSnimac1.colour, NamedColour::Lime);
    QCOMPARE(m_link->LabelMonSnimac2.caption, QStringLiteral("Pick-up (CPS) 2 -  no signal"));
    QCOMPARE(m_link->LabelMonSnimac2.colour, NamedColour::BtnFace);
    QVERIFY(m_link->LabelEeDataErrVisible);
    QVERIFY(m_link->LabelVersion.visible);
    QCOMPARE(m_link->LabelVersion.caption,
             QStringLiteral("Unmatched version of PC and Ignition programs!  PC-61, IGN-60"));

    // Held at 100 beyond the limiter; a good version hides the label again.
    feedLive([](UnitFrame &f) { putWord(f, 1, 15000); });
    m_link->Timer1Timer();
    QCOMPARE(m_link->CGaugeRpmPosition, 100);
    QCOMPARE(m_link->LabelRpm.colour, NamedColour::BtnFace);
    QVERIFY(!m_link->LabelVersion.visible);
    QVERIFY(!m_link->LabelEeDataErrVisible);

    // A lost connection hides the version label and keeps the last values.
    feedLive([](UnitFrame &f) { f[50] = 60; });
    m_link->Timer1Timer();
    QVERIFY(m_link->LabelVersion.visible);
    ticks(18);
    QVERIFY(m_link->LabelSpojeniVisible);
    QVERIFY(!m_link->LabelVersion.visible);
    QCOMPARE(m_link->LabelRpm.caption, QStringLiteral("RPM = 0 "));
}

void tst_LinkDriver::rpmBarWithoutLimiter()
{
    m_set.LIMITER() = 0;
    feedLive([](UnitFrame &f) { putWord(f, 1, 6000); });
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelRpm.caption, QStringLiteral("RPM = 6000 "));
    QCOMPARE(m_link->CGaugeRpmPosition, 0);
}

void tst_LinkDriver::voltage_data()
{
    QTest::addColumn<int>("millivolts");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("colour");
    const int Red = int(NamedColour::Red), Yellow = int(NamedColour::Yellow),
              Normal = int(NamedColour::BtnFace);
    // Single precision rounds 12.35 up, double would give 12.3.
    QTest::newRow("12350 mV") << 12350 << "U = 12.4 [V]" << Normal;
    QTest::newRow("raw 0") << 800 << "U =  0.8 [V]" << Red;
    QTest::newRow("6993 red") << 6993 << "U =  7.0 [V]" << Red;
    QTest::newRow("7004 yellow") << 7004 << "U =  7.0 [V]" << Yellow;
    QTest::newRow("10997 yellow") << 10997 << "U = 11.0 [V]" << Yellow;
    QTest::newRow("11008 normal") << 11008 << "U = 11.0 [V]" << Normal;
    QTest::newRow("14990 normal") << 14990 << "U = 15.0 [V]" << Normal;
    QTest::newRow("15001 yellow") << 15001 << "U = 15.0 [V]" << Yellow;
    QTest::newRow("17993 yellow") << 17993 << "U = 18.0 [V]" << Yellow;
    QTest::newRow("18004 red") << 18004 << "U = 18.0 [V]" << Red;
}

void tst_LinkDriver::voltage()
{
    QFETCH(int, millivolts);
    QFETCH(QString, caption);
    QFETCH(int, colour);
    const int k = (millivolts - 800) / 11;
    QCOMPARE(k * 11 + 800, millivolts);
    const int raw = (k * 8184 + 4999) / 5000; // the smallest raw value that scales to k
    if (millivolts == 12350)
        QCOMPARE(raw, 1719);
    feedLive([raw](UnitFrame &f) { putWord(f, 9, raw); });
    m_link->Timer1Timer();
    QCOMPARE(m_link->LabelNapeti.caption, caption);
    QCOMPARE(int(m_link->LabelNapeti.colour), colour);
}

void tst_LinkDriver::switchesFollowBlockEnable()
{
    m_link->BlockEnableChecked = false;
    feedLive([](UnitFrame &f) {
        f[7] = 1;
        f[29] = 0;
        f[30] = 0;
    });
    m_link->Timer1Timer();
    // Hidden, but the captions and colours are kept up to date.
    QVERIFY(!m_link->LabelSideStand.visible);
    QVERIFY(!m_link->LabelNeutral.visible);
    QVERIFY(!m_link->LabelBlocking.visible);
    QCOMPARE(m_link->LabelSideStand.caption, QStringLiteral("Side stand sw. = ON"));
    QCOMPARE(m_link->LabelSideStand.colour, NamedColour::Lime);
    QCOMPARE(m_link->LabelNeutral.caption, QStringLiteral("Neutral sw. = ON"));
    QCOMPARE(m_link->LabelNeutral.colour, NamedColour::Aqua);
    QCOMPARE(m_link->LabelBlocking.caption, QStringLiteral("Blocking = ON"));
    QCOMPARE(m_link->LabelBlocking.colour, NamedColour::Red);

    m_link->BlockEnableChecked = true;
    feedLive(nullptr);
    m_link->Timer1Timer();
    QVERIFY(m_link->LabelSideStand.visible);
    QCOMPARE(m_link->LabelSideStand.caption, QStringLiteral("Side stand sw. = OFF"));
    QCOMPARE(m_link->LabelNeutral.caption, QStringLiteral("Neutral sw. = OFF"));
    QCOMPARE(m_link->LabelBlocking.caption, QStringLiteral("Blocking = OFF"));
    QCOMPARE(m_link->LabelBlocking.colour, NamedColour::BtnFace);
}

void tst_LinkDriver::highlight_data()
{
    QTest::addColumn<int>("rpm");
    QTest::addColumn<bool>("none");
    QTest::addColumn<int>("point");
    QTest::newRow("stopped") << 0 << true << 0;
    QTest::newRow("below first") << 900 << true << 0;
    QTest::newRow("on first") << 1000 << false << 0;
    QTest::newRow("half way goes low") << 1500 << false << 0;
    QTest::newRow("past half way") << 1600 << false << 1;
    QTest::newRow("just below a point") << 1999 << false << 1;
    QTest::newRow("last point") << 10000 << false << 9;
    QTest::newRow("beyond the last") << 15000 << false << 9;
    QTest::newRow("25600 wraps to 0") << 25600 << true << 0;
    QTest::newRow("26500 wraps to 900") << 26500 << true << 0;
    QTest::newRow("27000 wraps to 1400") << 27000 << false << 0;
}

void tst_LinkDriver::highlight()
{
    QFETCH(int, rpm);
    QFETCH(bool, none);
    QFETCH(int, point);
    for (int i = 0; i < CurvePoints; ++i)
        m_set.RPM_ADV(i) = quint8(10 * (i + 1));
    UnitLinkProbe::setLiveRpm(m_link->unit(), quint16(rpm));
    m_link->Timer1Timer();
    QCOMPARE(m_link->NoCurvePoint, none);
    QCOMPARE(int(m_link->CurrentCurvePoint), point);
    for (int k = 0; k < CurvePoints; ++k)
        QCOMPARE(m_link->CurveRowColour[k], !none && k == point ? NamedColour::Lime : NamedColour::Window);
}

void tst_LinkDriver::unitInformation_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");

    auto block = [](const char *name, int number, int day, int month, int year, int hour, int minute) {
        QByteArray b(FrameDataSize, '\0');
        for (int i = 0; i < 3 && name[i]; ++i)
            b[i] = name[i];
        b[3] = char(number);
        b[4] = char(day);
        b[5] = char(month);
        b[6] = char(year);
        b[7] = char(hour);
        b[8] = char(minute);
        b[10] = 61;
        return b;
    };
    QTest::newRow("march") << block("ABC", 7, 5, 32, 3, 9, 7) << "ABC07"
                           << " 5. 3.2003"
                           << "09:07";
    QTest::newRow("unknown month") << block("ABC", 7, 5, 0, 3, 9, 7) << "ABC07"
                                   << " 5.00.2003"
                                   << "09:07";
    QTest::newRow("january") << block("KTC", 12, 31, 25, 24, 23, 59) << "KTC12"
                             << "31. 1.2024"
                             << "23:59";
    QTest::newRow("december") << block("KTC", 99, 10, 12, 99, 0, 0) << "KTC99"
                              << "10.12.2099"
                              << "00:00";
    QTest::newRow("name ends at zero") << block("K", 12, 1, 51, 10, 1, 2) << "K"
                                       << " 1.11.2010"
                                       << "01:02";
    QByteArray named = block("ABC", 7, 5, 32, 3, 9, 7);
    named.replace(16, 30, QByteArray("0123456789ABCDEFGHIJKLMNOPQRST"));
    named[46] = 'X'; // past the 30 characters
    QTest::newRow("version text") << named << "0123456789ABCDEFGHIJKLMNOPQRST"
                                  << " 5. 3.2003"
                                  << "09:07";
    QByteArray shortName = block("ABC", 7, 5, 32, 3, 9, 7);
    shortName.replace(16, 5, QByteArray("Racer"));
    QTest::newRow("short version text") << shortName << "Racer"
                                        << " 5. 3.2003"
                                        << "09:07";
    QByteArray czech = block("ABC", 7, 5, 32, 3, 9, 7);
    czech.replace(16, 5, QByteArray("\x8A\x9Amel")); // the unit's texts are Windows-1250
    QTest::newRow("windows-1250 text") << czech << "Ššmel"
                                       << " 5. 3.2003"
                                       << "09:07";
}

void tst_LinkDriver::unitInformation()
{
    QFETCH(QByteArray, block);
    QFETCH(QString, version);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QCOMPARE(block.size(), FrameDataSize);

    attachUnit();
    std::copy_n(reinterpret_cast<const quint8 *>(block.constData()), FrameDataSize, m_unit.block0.begin());
    m_link->StartRead();
    m_link->Timer1Timer();
    QCOMPARE(m_link->UnitVersionText, version);
    QCOMPARE(m_link->UnitDateText, date);
    QCOMPARE(m_link->UnitTimeText, time);
    QCOMPARE(int(m_link->unit().unitInformation()[5]), int(quint8(block[5])));
}

QTEST_GUILESS_MAIN(tst_LinkDriver)
#include "tst_LinkDriver.moc"
