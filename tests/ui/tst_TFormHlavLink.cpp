#include "SimulatedUnitWindow.h"

#include "LinkDriver.h"
#include "SimulatedUnitPort.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

// The window on a unit: the transfer commands, the tick and what the window shows of
// the link. The simulated unit runs on a clock that moves 55 ms per tick.
class tst_TFormHlavLink : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void timerIsPrecise();
    void programToProgramingOk();
    void failedProgrammingStaysInSight();
    void liveValuesAndHighlight();
    void versionMismatchShownOnce();
    void readReplacesSetAndClearsFileLabel();
    void noConnectionAndReconnect();
    void labelsWrittenElsewhereStay();

private:
    // Ticks until the message area shows text (or the limit passes); every new text seen
    // in the area while it is visible goes into messages.
    bool tickUntil(const QString &text, int limit = 600);

    SimulatedUnitWindow m_window;
    QStringList m_messages;
    TFormHlav *form() const { return m_window.form(); }
};

void tst_TFormHlavLink::init()
{
    m_messages.clear();
    m_window.start();
}

void tst_TFormHlavLink::cleanup()
{
    m_window.reset();
}

bool tst_TFormHlavLink::tickUntil(const QString &text, int limit)
{
    for (int tick = 0; tick < limit; ++tick) {
        m_window.now += LinkDriver::TickMs;
        form()->Timer1Timer();
        const QLabel *area = form()->LabelHlaseni;
        if (area->isVisible() && (m_messages.isEmpty() || m_messages.last() != area->text()))
            m_messages.append(area->text());
        if (area->isVisible() && area->text() == text)
            return true;
    }
    return false;
}

void tst_TFormHlavLink::programToProgramingOk()
{
    m_window->clickArrow("UpDown55", +1);
    m_window->typeAndLeave("EditOmez2", "12500");
    QTest::keyClick(form(), Qt::Key_F9);
    QCOMPARE(form()->LabelHlaseni->text(), QStringLiteral("Program device:"));
    QVERIFY(form()->CGaugeProgram->isVisible());
    m_messages.append(form()->LabelHlaseni->text());

    // The verify that ends a programming stands until the unit reports its saving; only
    // the unit's word that it stored the set, and stored it well, makes it a success.
    QVERIFY2(tickUntil(QStringLiteral("Saving:")), qPrintable(m_messages.join(" / ")));
    QVERIFY2(tickUntil(QStringLiteral("Programing: OK")), qPrintable(m_messages.join(" / ")));
    QCOMPARE(m_messages, (QStringList{QStringLiteral("Program device:"), QStringLiteral("Verify:"),
                                      QStringLiteral("Verify: OK"), QStringLiteral("Saving:"),
                                      QStringLiteral("Programing: OK")}));
    QVERIFY(form()->CGaugeProgram->isVisible());
    QCOMPARE(form()->CGaugeProgram->value(), form()->CGaugeProgram->maximum());

    // The unit holds the set as edited, and its information block is shown.
    const auto block = form()->Parameters.UnitBlockImage();
    QVERIFY(std::equal(block.begin(), block.end(), m_window.ports().unit().parameterBlock().begin()));
    QCOMPARE(int(m_window.ports().unit().parameterBlock()[IgnitionParameters::OffsetLimiter]), 125);
    QVERIFY(!form()->LabelVerze1->text().isEmpty());
    QCOMPARE(form()->LabelVerze1->text(), form()->link().UnitVersionText);
    QVERIFY(form()->LabelSpojeni->isHidden());

    // 200 ticks after the last message the area goes.
    m_window.run(200);
    QVERIFY(form()->LabelHlaseni->isHidden());
    QVERIFY(form()->CGaugeProgram->isHidden());

    // Verify on its own compares the set with the unit and says so.
    m_messages.clear();
    QTest::mouseClick(form()->BitBtn2, Qt::LeftButton);
    QCOMPARE(form()->LabelHlaseni->text(), QStringLiteral("Verify device:"));
    QVERIFY2(tickUntil(QStringLiteral("Verify: OK")), qPrintable(m_messages.join(" / ")));
    QCOMPARE(form()->CGaugeProgram->value(), form()->CGaugeProgram->maximum());
}

void tst_TFormHlavLink::failedProgrammingStaysInSight()
{
    // The unit stores the block but echoes it changed: the transfer fails while the unit
    // goes on to report its saving countdown.
    m_window.ports().unit().faults.corruptEcho = true;
    QTest::keyClick(form(), Qt::Key_F9);
    QVERIFY2(tickUntil(QStringLiteral("Program error!")), qPrintable(m_messages.join(" / ")));
    bool barShownDuringSaving = false;
    for (int tick = 0; tick < 55; ++tick) { // 3 s
        m_window.now += LinkDriver::TickMs;
        form()->Timer1Timer();
        QVERIFY(form()->LabelHlaseni->isVisible());
        QCOMPARE(form()->LabelHlaseni->text(), QStringLiteral("Program error!"));
        const QProgressBar *bar = form()->CGaugeProgram;
        QVERIFY(bar->isHidden() || bar->value() < bar->maximum());
        barShownDuringSaving = barShownDuringSaving || bar->isVisible();
    }
    QVERIFY(m_window.ports().unit().programmingCount() > 17);
    QVERIFY(barShownDuringSaving);
}

void tst_TFormHlavLink::timerIsPrecise()
{
    const QTimer *timer = form()->findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QCOMPARE(timer->interval(), 55);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
}

void tst_TFormHlavLink::liveValuesAndHighlight()
{
    bool sawHighlight = false;
    for (int tick = 0; tick < 400 && !sawHighlight; ++tick) {
        m_window.now += LinkDriver::TickMs;
        form()->Timer1Timer();
        const LinkDriver &link = form()->link();
        for (int row = 0; row < CurvePoints; ++row) {
            const bool lime = link.CurveRowColour[row] == NamedColour::Lime;
            const QColor shown = form()->RpmEdits[row]->palette().color(QPalette::Base);
            QCOMPARE(shown == QColor(0, 255, 0), lime);
            QCOMPARE(form()->AdvanceEdits[row]->palette().color(QPalette::Base), shown);
            sawHighlight = sawHighlight || lime;
        }
    }
    QVERIFY(sawHighlight);
    QVERIFY(form()->LabelSpojeni->isHidden());
    QCOMPARE(form()->LabelRpm->text(), form()->link().LabelRpm.caption);
    QVERIFY(form()->LabelRpm->text().startsWith(QStringLiteral("RPM = ")));
    QCOMPARE(form()->LabelNapeti->text(), form()->link().LabelNapeti.caption);
    QCOMPARE(form()->LabelCom->text(), QStringLiteral("COM= COM1"));
    QCOMPARE(form()->CGaugeRpm->value(), form()->link().CGaugeRpmPosition);
    QCOMPARE(form()->LabelPocetProgramovani->text(), form()->link().LabelPocetProgramovani);

    // The switch labels follow the editor's "Block enable".
    QTest::mouseClick(form()->CheckBoxBlokEnable, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QVERIFY(!form()->CheckBoxBlokEnable->isChecked());
    m_window.run(12);
    QVERIFY(form()->LabelSideStand->isHidden());
    QVERIFY(form()->LabelBlocking->isHidden());
}

void tst_TFormHlavLink::versionMismatchShownOnce()
{
    m_window.ports().unit().faults.programVersion = 60;
    QTest::keyClick(form(), Qt::Key_F9);
    for (int tick = 0; tick < 40; ++tick) {
        m_window.now += LinkDriver::TickMs;
        form()->Timer1Timer();
        QCoreApplication::processEvents();
    }
    QCOMPARE(m_window->prompts.notices.size(), 1);
    QCOMPARE(m_window->prompts.notices.first().kind, UserPrompts::Notice::VersionMismatch);
    QCOMPARE(m_window->prompts.notices.first().text,
             QStringLiteral("Unmatched version of PC and Ignition programs!  PC-61, IGN-60"));
    QVERIFY(form()->LabelVersion->isVisible());
    QCOMPARE(form()->LabelVersion->text(), m_window->prompts.notices.first().text);
    QCOMPARE(form()->link().unit().mode(), LinkMode::Idle);
}

void tst_TFormHlavLink::readReplacesSetAndClearsFileLabel()
{
    // The unit holds another curve and limiter.
    auto &block = m_window.ports().unit().parameterBlock();
    block[IgnitionParameters::OffsetAdvance] = 17;
    block[IgnitionParameters::OffsetLimiter] = 111;
    form()->LabelFile2->setText(QStringLiteral("/tmp/two.ign"));
    const quint16 steps = form()->Undo.current();

    QTest::keyClick(form(), Qt::Key_F7);
    QCOMPARE(form()->LabelFile2->text(), QString());
    QCOMPARE(form()->LabelHlaseni->text(), QStringLiteral("Read device:"));
    QVERIFY2(tickUntil(QStringLiteral("Verify: OK")), qPrintable(m_messages.join(" / ")));
    QCOMPARE(form()->Edit50->text(), QStringLiteral("17"));
    QCOMPARE(form()->EditOmez2->text(), QStringLiteral("11,100"));
    QCOMPARE(int(form()->Parameters.LIMITER()), 111);
    // Reading records no undo step of its own.
    QCOMPARE(form()->Undo.current(), steps);
}

void tst_TFormHlavLink::noConnectionAndReconnect()
{
    m_window.run(10);
    QVERIFY(form()->LabelSpojeni->isHidden());
    m_window.ports().setPresent(false);
    m_window.run(25);
    QVERIFY(form()->LabelSpojeni->isVisible());
    QVERIFY(form()->LabelVersion->isHidden());
    m_window.ports().setPresent(true);
    for (int tick = 0; tick < 60 && form()->LabelSpojeni->isVisible(); ++tick) {
        m_window.now += LinkDriver::TickMs;
        form()->Timer1Timer();
    }
    QVERIFY(form()->LabelSpojeni->isHidden());
}

void tst_TFormHlavLink::labelsWrittenElsewhereStay()
{
    // A text written into a link label (as the language loading does while no unit is
    // connected) stays until the link has news for that label.
    m_window.ports().setPresent(false);
    FakeUnitPortProvider silent;
    FormFixture offline(silent);
    offline.form->LabelAdvance->setText(QStringLiteral("Advance= --- [\u00B0]"));
    for (int tick = 0; tick < 40; ++tick)
        offline.form->Timer1Timer();
    QCOMPARE(offline.form->LabelAdvance->text(), QStringLiteral("Advance= --- [\u00B0]"));
}

QTEST_MAIN(tst_TFormHlavLink)
#include "tst_TFormHlavLink.moc"
