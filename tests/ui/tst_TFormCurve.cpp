#include "SimulatedUnitWindow.h"

#include "LinkDriver.h"
#include "SimulatedUnitPort.h"
#include "CurveWiring.h"
#include "TFormCurve.h"

#include "FileSizeLimit.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

// The curve window and the recording as the user works them: F11, dragging and keys on
// the graph against typing into the edits, Ctrl+R on a running unit.
class tst_TFormCurve : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void dragIsTyping_data();
    void dragIsTyping();
    void dragSendsWhatTypingSends_data() { dragIsTyping_data(); }
    void dragSendsWhatTypingSends();
    void keysStepTheSelectedPoint();
    void livePointAndRecording();
    void liveFrameRepaintsOnlyTheTrail();
    void recordingFailuresAreShown();
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();

private:
    static TFormCurve *openCurve(FormFixture &f)
    {
        QTest::keyClick(f.form.get(), Qt::Key_F11);
        TFormCurve *curve = f.form->Curve->window();
        if (curve && !QTest::qWaitForWindowExposed(curve))
            qWarning("curve window not shown");
        return curve;
    }
    static void drag(TFormCurve *curve, const QPointF &from, const QPointF &to)
    {
        QTest::mousePress(curve, Qt::LeftButton, Qt::NoModifier, from.toPoint());
        QTest::mouseMove(curve, ((from + to) / 2).toPoint());
        QTest::mouseMove(curve, to.toPoint());
        QTest::mouseRelease(curve, Qt::LeftButton, Qt::NoModifier, to.toPoint());
    }

    TestWindow<> m_window;
    SimulatedUnitWindow m_unit;
};

void tst_TFormCurve::cleanup()
{
    m_window.reset();
    m_unit.reset();
}

void tst_TFormCurve::dragIsTyping_data()
{
    QTest::addColumn<int>("point"); // index
    QTest::addColumn<int>("rpm");
    QTest::addColumn<int>("advance");
    QTest::addColumn<QByteArray>("edit");
    QTest::addColumn<QString>("typed");

    // Default curve: 1500, 2000, 3000, ... 10000 rpm; 5, 15, 20, 25, 33, ... degrees.
    QTest::newRow("advance up") << 4 << 5000 << 38 << QByteArray("Edit54") << QString("38");
    QTest::newRow("advance to zero") << 1 << 2000 << 0 << QByteArray("Edit51") << QString("0");
    QTest::newRow("across the next point") << 2 << 4500 << 20 << QByteArray("EditRpmAdv3") << QString("4500");
    QTest::newRow("back across the previous")
        << 3 << 2000 << 25 << QByteArray("EditRpmAdv4") << QString("2000");
}

// A drag gives the set that typing the value gives, as one undo step, and the graph
// shows what the editor shows.
void tst_TFormCurve::dragIsTyping()
{
    QFETCH(int, point);
    QFETCH(int, rpm);
    QFETCH(int, advance);
    QFETCH(QByteArray, edit);
    QFETCH(QString, typed);

    FormFixture &f = m_window.start();
    TFormHlav &form = *f.form;
    TFormCurve *curve = openCurve(f);
    QVERIFY(curve && curve->isVisible());
    const IgnitionParameters start = form.Parameters;
    QCOMPARE(curve->shownSet(), start);

    const CurveGraphMapping &map = curve->mapping();
    drag(curve, map.pixelFor(start.RPM_ADV(point) * 100, start.ADVANCE(point)), map.pixelFor(rpm, advance));
    const IgnitionParameters dragged = form.Parameters;
    QVERIFY(dragged != start);
    QCOMPARE(curve->shownSet(), dragged);
    QCOMPARE(form.RpmEdits[point]->text(), QLocale().toString(dragged.RPM_ADV(point) * 100));

    form.SpeedButtonZpetClick();
    QCOMPARE(form.Parameters, start);
    QVERIFY(!form.Undo.CanUndo()); // the whole drag was one step

    // Back in the main window, as the user clicks there to type.
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    f.typeAndLeave(edit.constData(), typed);
    QCOMPARE(form.Parameters, dragged);
    form.SpeedButtonZpetClick();
    QCOMPARE(form.Parameters, start);
    QVERIFY(!form.Undo.CanUndo());
    form.Timer1Timer();
    QCOMPARE(curve->shownSet(), start);
}

// With programming after change on, the unit receives from a drag the frames it receives
// from typing the value, and ends up holding the same set.
void tst_TFormCurve::dragSendsWhatTypingSends()
{
    QFETCH(int, point);
    QFETCH(int, rpm);
    QFETCH(int, advance);
    QFETCH(QByteArray, edit);
    QFETCH(QString, typed);

    struct Sent
    {
        QList<UnitFrame> frames;
        IgnitionParameters set;
        quint16 undoSteps = 0;
        std::array<quint8, FrameDataSize> unitBlock{};
    };
    auto editBy = [&](bool dragging) {
        Sent sent;
        SimulatedUnitWindow unit;
        FormFixture &f = unit.start();
        TFormHlav &form = *f.form;
        TFormCurve *curve = openCurve(f);
        unit.run(20);
        QApplication::setActiveWindow(&form);
        QTest::mouseClick(form.CheckBoxProgHned, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
        unit.run(20);
        unit.ports().unit().frameReceived = [&sent](const UnitFrame &frame) { sent.frames.append(frame); };
        const IgnitionParameters start = form.Parameters;
        if (dragging) {
            const CurveGraphMapping &map = curve->mapping();
            drag(curve, map.pixelFor(start.RPM_ADV(point) * 100, start.ADVANCE(point)),
                 map.pixelFor(rpm, advance));
        } else {
            f.typeAndLeave(edit.constData(), typed);
        }
        unit.run(200);
        unit.ports().unit().frameReceived = nullptr;
        sent.set = form.Parameters;
        sent.undoSteps = form.Undo.current();
        sent.unitBlock = unit.ports().unit().parameterBlock();
        return sent;
    };
    const Sent dragged = editBy(true);
    const Sent typing = editBy(false);
    QCOMPARE(dragged.set, typing.set);
    QCOMPARE(dragged.undoSteps, quint16(1));
    QCOMPARE(typing.undoSteps, quint16(1));
    QVERIFY(dragged.frames.size() > 10);
    QCOMPARE(dragged.frames, typing.frames);
    QCOMPARE(dragged.unitBlock, typing.unitBlock);
    QVERIFY(std::equal(dragged.set.image.begin(), dragged.set.image.begin() + UnitBlockSize,
                       dragged.unitBlock.begin()));
}

void tst_TFormCurve::keysStepTheSelectedPoint()
{
    FormFixture &f = m_window.start();
    TFormHlav &form = *f.form;
    TFormCurve *curve = openCurve(f);
    QVERIFY(curve);
    const IgnitionParameters start = form.Parameters;

    // A click selects without moving anything.
    const QPointF third = curve->mapping().pixelFor(start.RPM_ADV(2) * 100, start.ADVANCE(2));
    QTest::mouseClick(curve, Qt::LeftButton, Qt::NoModifier, third.toPoint());
    QCOMPARE(curve->selectedPoint(), 2);
    QCOMPARE(form.Parameters, start);
    QVERIFY(!form.Undo.CanUndo());

    // With programming after change on, every step is an edit sent to the unit.
    QTest::mouseClick(form.CheckBoxProgHned, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QVERIFY(form.CheckBoxProgHned->isChecked());
    QCOMPARE(form.link().unit().mode(), LinkMode::Idle);

    QTest::keyClick(curve, Qt::Key_Up);
    QCOMPARE(int(form.Parameters.ADVANCE(2)), start.ADVANCE(2) + 1);
    // A write begins with reading the unit's set for its backup.
    QCOMPARE(form.link().unit().mode(), LinkMode::BackupRead);
    QTest::keyClick(curve, Qt::Key_Right);
    QCOMPARE(int(form.Parameters.RPM_ADV(2)), start.RPM_ADV(2) + 1);
    // Left past the previous point is what typing that speed gives: pushed back above it.
    for (int i = 0; i < 15; ++i)
        QTest::keyClick(curve, Qt::Key_Left);
    QCOMPARE(int(form.Parameters.RPM_ADV(2)), start.RPM_ADV(1) + 1);

    // Ctrl+Z in the curve window undoes there too, a step at a time.
    QTest::keyClick(curve, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(form.Parameters.RPM_ADV(2) > start.RPM_ADV(1) + 1);
}

void tst_TFormCurve::livePointAndRecording()
{
    FormFixture &f = m_unit.start();
    TFormHlav &form = *f.form;
    QTemporaryDir documents;
    form.Curve->setRecordingFolder(documents.path());
    TFormCurve *curve = openCurve(f);
    QVERIFY(curve);

    QList<int> unitRpm;
    connect(&form.link(), &LinkDriver::liveFrameReceived, this,
            [&unitRpm](const UnitFrame &frame) { unitRpm << (frame[1] | frame[2] << 8); });
    m_unit.run(20);
    QVERIFY(!form.LabelSpojeni->isVisible());
    QVERIFY(curve->liveShown());

    QTest::keyClick(curve, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(form.Curve->recorder().isRecording());
    QVERIFY(f.find<QAction>("MenuRecord")->isChecked());
    const QString name = QFileInfo(form.Curve->recorder().filePath()).fileName();
    QVERIFY(name.startsWith(QLatin1String("korvo-live-")));
    QCOMPARE(f.find<QLabel>("StatusRecording")->text(), QStringLiteral("Recording: 0 rows, ") + name);
    unitRpm.clear();

    m_unit.run(3000 / LinkDriver::TickMs); // three seconds
    QVERIFY(unitRpm.size() >= 8);
    QVERIFY(f.find<QLabel>("StatusRecording")->isVisible());
    QCOMPARE(f.find<QLabel>("StatusRecording")->text(),
             QStringLiteral("Recording: %1 rows, %2").arg(unitRpm.size()).arg(name));

    // The unit going silent stops the rows, not the recording, and takes the live point away.
    m_unit.ports().unit().faults.silent = true;
    m_unit.run(LinkDriver::NoConnectionTicks + 20);
    QVERIFY(form.LabelSpojeni->isVisible());
    QVERIFY(!curve->liveShown());
    QVERIFY(form.Curve->recorder().isRecording());
    QCOMPARE(form.Curve->recorder().rows(), unitRpm.size());

    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(!form.Curve->recorder().isRecording());
    QVERIFY(!f.find<QLabel>("StatusRecording")->isVisible());
    QFile csv(form.Curve->recorder().filePath());
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QCOMPARE(lines.first(), QByteArray(LiveRecorder::Header).trimmed());
    QCOMPARE(lines.size(), unitRpm.size() + 2); // header, rows, and the end of the last row
    for (int row = 0; row < unitRpm.size(); ++row)
        QCOMPARE(lines[row + 1].split(',').value(1).toInt(), unitRpm[row]);
}

// A live frame repaints the part of the graph under the trail, not the whole window.
void tst_TFormCurve::liveFrameRepaintsOnlyTheTrail()
{
    TFormCurve curve;
    curve.resize(600, 420);
    IgnitionParameters set;
    set.LIMITER() = 137;
    NormaliseCurve(set);
    curve.showSet(set, 0, true);
    curve.show();
    QVERIFY(QTest::qWaitForWindowExposed(&curve));
    QTRY_COMPARE(curve.lastPaintedRect(), curve.rect());

    curve.showLive(5000, 30, 1000);
    curve.showLive(6000, 31, 1330);
    QTRY_VERIFY(curve.lastPaintedRect() != curve.rect());
    // The whole trail, older point included, and little else.
    const QRect painted = curve.lastPaintedRect();
    QVERIFY(painted.contains(curve.mapping().pixelFor(5000, 30).toPoint()));
    QVERIFY(painted.contains(curve.mapping().pixelFor(6000, 31).toPoint()));
    QVERIFY(painted.width() < curve.width() / 4);
}

// A recording that cannot start, or stops on a full disk, says so in a box; a full disk
// leaves the rows written before it, and closing the window closes the file.
void tst_TFormCurve::recordingFailuresAreShown()
{
    FormFixture &f = m_unit.start();
    TFormHlav &form = *f.form;
    QTemporaryDir dir;
    m_unit.run(20);

    // A file where the folder should be.
    QFile blocker(dir.filePath(QStringLiteral("Documents")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    form.Curve->setRecordingFolder(blocker.fileName());
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(!form.Curve->recorder().isRecording());
    QVERIFY(!f.find<QAction>("MenuRecord")->isChecked());
    QCOMPARE(f.prompts.informations.size(), 1);
    QVERIFY(f.prompts.informations.last().startsWith(QLatin1String("The recording could not be started: ")));

    form.Curve->setRecordingFolder(dir.filePath(QStringLiteral("docs")));
    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(form.Curve->recorder().isRecording());
    {
        FileSizeLimit limit(200); // the header and a few rows
        QVERIFY(limit.active());
        m_unit.run(200);
    }
    QVERIFY(!form.Curve->recorder().isRecording());
    QVERIFY(!f.find<QLabel>("StatusRecording")->isVisible());
    QVERIFY(!f.find<QAction>("MenuRecord")->isChecked());
    QTRY_COMPARE(f.prompts.informations.size(), 2);
    QVERIFY(f.prompts.informations.last().startsWith(QLatin1String("The recording has stopped: ")));
    QFile csv(form.Curve->recorder().filePath());
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray kept = csv.readAll();
    QVERIFY(kept.endsWith('\n'));
    QCOMPARE(kept.count('\n'), form.Curve->recorder().rows() + 1);
    QVERIFY(form.Curve->recorder().rows() >= 2);

    QTest::keyClick(&form, Qt::Key_R, Qt::ControlModifier);
    QVERIFY(form.Curve->recorder().isRecording());
    form.close();
    QVERIFY(!form.Curve->recorder().isRecording());
}

void tst_TFormCurve::textsFollowTheLanguage_data()
{
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("curve");
    QTest::addColumn<QString>("record");
    QTest::newRow("Czech") << QByteArray("MenuCzech") << QString("Křivka předstihu")
                           << QString("Záznam živých hodnot");
    QTest::newRow("German") << QByteArray("MenuGerman") << QString("Zündkurve")
                            << QString("Live-Werte aufzeichnen");
    QTest::newRow("English") << QByteArray("MenuEnglish") << QString("Advance curve")
                             << QString("Record live values");
}

void tst_TFormCurve::textsFollowTheLanguage()
{
    QFETCH(QByteArray, language);
    QFETCH(QString, curve);
    QFETCH(QString, record);
    FormFixture &f = m_window.start();
    TFormCurve *window = openCurve(f);
    QVERIFY(window);
    f.find<QAction>(language.constData())->trigger();
    QCOMPARE(f.find<QAction>("MenuCurve")->text(), curve);
    QCOMPARE(f.find<QAction>("MenuRecord")->text(), record);
    QCOMPARE(window->windowTitle(), curve);
}

QTEST_MAIN(tst_TFormCurve)
#include "tst_TFormCurve.moc"
