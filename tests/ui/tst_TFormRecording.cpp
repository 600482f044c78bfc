#include "FormFixture.h"

#include "LiveRecorder.h"
#include "RecordingWindows.h"
#include "CurveWiring.h"
#include "TFormCurve.h"
#include "TFormRecording.h"
#include "TestFiles.h"

#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QWheelEvent>

namespace {

// 31 rows, 100 ms apart: 1000 rpm + 100 a row, 5 degrees + 1, 12.0 V + 0.1; the side
// stand down in every third row.
QByteArray fixture()
{
    QByteArray text = LiveRecorder::Header;
    for (int i = 0; i <= 30; ++i) {
        text += QString::asprintf("%d.%03d,%d,%d,%.1f,0,0,%d,1,0,0\n", i / 10, i % 10 * 100, 1000 + 100 * i,
                                  5 + i, 12.0 + 0.1 * i, i % 3 == 0 ? 1 : 0)
                    .toLatin1();
    }
    return text;
}

QPoint inGraph(RecordingGraph *graph, double ms)
{
    return QPoint(int(std::lround(graph->xFor(ms))), int(graph->plot().top() + 20));
}

void wheel(QWidget *widget, const QPoint &at, int notches)
{
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class tst_TFormRecording : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void cursorReadsTheRow_data();
    void cursorReadsTheRow();
    void zoomAndPanKeepTheCursor();
    void playbackMovesTheCurvePointAndSendsNothing();
    void damagedFileShowsWhatItCould_data();
    void damagedFileShowsWhatItCould();
    void droppedAndRecent();

private:
    TFormRecording *openFixture(FormFixture &f)
    {
        TFormRecording *window = f.form->Recordings->open(m_path);
        if (window && !QTest::qWaitForWindowExposed(window))
            qWarning("recording window not shown");
        return window;
    }

    TestWindow<> m_window{NumberFormat::System};
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_path;
};

void tst_TFormRecording::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("ride.csv"));
    writeFile(m_path, fixture());
}

void tst_TFormRecording::cleanup()
{
    m_window.reset();
}

void tst_TFormRecording::cursorReadsTheRow_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<double>("clickMs");
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<qint64>("cursorMs");
    QTest::addColumn<QString>("readout");

    QTest::newRow("a click near a row") << 0 << 1230.0 << QByteArray() << qint64(1200)
                                        << "1.200 s: 2200 rpm, 17°, 13.2 V, Side stand, Pickup 1";
    QTest::newRow("right arrow to the next row")
        << 0 << 1230.0 << QByteArray("R") << qint64(1300) << "1.300 s: 2300 rpm, 18°, 13.3 V, Pickup 1";
    QTest::newRow("a click nearer the later row, left arrow twice")
        << 0 << 1270.0 << QByteArray("LL") << qint64(1100) << "1.100 s: 2100 rpm, 16°, 13.1 V, Pickup 1";
    QTest::newRow("end, in German") << 1 << 1230.0 << QByteArray("E") << qint64(3000)
                                    << "3.000 s: 4000 U/min, 35°, 15.0 V, Seitenständer, Geber 1";
    QTest::newRow("home, in Czech") << 3 << 1230.0 << QByteArray("H") << qint64(0)
                                    << "0.000 s: 1000 ot/min, 5°, 12.0 V, Boční stojan, Snímač 1";
}

// The readout and the curve window's point are those of the row at the cursor.
void tst_TFormRecording::cursorReadsTheRow()
{
    QFETCH(int, language);
    QFETCH(double, clickMs);
    QFETCH(QByteArray, keys);
    QFETCH(qint64, cursorMs);
    QFETCH(QString, readout);

    FormFixture &f = m_window.start();
    QAction *languages[] = {f.form->MenuEnglish, f.form->MenuGerman, nullptr, f.form->MenuCzech};
    languages[language]->trigger();
    TFormRecording *window = openFixture(f);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("ride.csv"));
    TFormCurve *curve = f.form->Curve->window();
    QVERIFY(curve && curve->isVisible() && curve->visitsShown());

    RecordingGraph *graph = window->graph();
    QTest::mouseClick(graph, Qt::LeftButton, Qt::NoModifier, inGraph(graph, clickMs));
    for (char key : keys) {
        const Qt::Key keyCode = key == 'R'   ? Qt::Key_Right
                                : key == 'L' ? Qt::Key_Left
                                : key == 'E' ? Qt::Key_End
                                             : Qt::Key_Home;
        QTest::keyClick(graph, keyCode);
    }
    QCOMPARE(window->cursorMs(), cursorMs);
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("LabelCursor"))->text(), readout);
    int rpm = 0, advance = 0;
    QVERIFY(curve->recordedPoint(rpm, advance));
    QCOMPARE(rpm, 1000 + int(cursorMs));
    QCOMPARE(advance, 5 + int(cursorMs / 100));
}

void tst_TFormRecording::zoomAndPanKeepTheCursor()
{
    FormFixture &f = m_window.start();
    TFormRecording *window = openFixture(f);
    QVERIFY(window);
    RecordingGraph *graph = window->graph();
    QTest::mouseClick(graph, Qt::LeftButton, Qt::NoModifier, inGraph(graph, 2000));
    QCOMPARE(window->cursorMs(), 2000);
    QCOMPARE(graph->viewSpan(), 3000.0);

    // The moment under the pointer stays under it.
    const QPoint pointer = inGraph(graph, 700);
    const double underPointer = graph->msAt(pointer.x());
    wheel(graph, pointer, 3);
    QVERIFY(graph->viewSpan() < 1600);
    QVERIFY(qAbs(graph->msAt(pointer.x()) - underPointer) < 0.5);
    QCOMPARE(window->cursorMs(), 2000);

    // Dragging to the left shows later moments.
    const double startBefore = graph->viewStart();
    QTest::mousePress(graph, Qt::LeftButton, Qt::NoModifier, pointer);
    QTest::mouseMove(graph, pointer - QPoint(60, 0));
    QTest::mouseMove(graph, pointer - QPoint(120, 0));
    QTest::mouseRelease(graph, Qt::LeftButton, Qt::NoModifier, pointer - QPoint(120, 0));
    QVERIFY(graph->viewStart() > startBefore + 100);
    QCOMPARE(window->cursorMs(), 2000);

    // Zoomed in as far as it goes, then out past the whole: held at both ends.
    wheel(graph, pointer, 60);
    QCOMPARE(graph->viewSpan(), graph->plot().width());
    wheel(graph, pointer, -60);
    QCOMPARE(graph->viewSpan(), 3000.0);
    QCOMPARE(graph->viewStart(), 0.0);
    wheel(graph, pointer, 4);
    QTest::keyClick(graph, Qt::Key_0);
    QCOMPARE(graph->viewSpan(), 3000.0);
    QCOMPARE(window->cursorMs(), 2000);
}

void tst_TFormRecording::playbackMovesTheCurvePointAndSendsNothing()
{
    FormFixture &f = m_window.start();
    TFormRecording *window = openFixture(f);
    QVERIFY(window);
    TFormCurve *curve = f.form->Curve->window();
    QVERIFY(curve);
    const std::size_t framesBefore = m_window.ports().written().size();

    struct Seen
    {
        qint64 ms;
        int rpm, advance;
    };
    QList<Seen> seen;
    connect(window->graph(), &RecordingGraph::cursorChanged, this, [&](qint64 ms) {
        int rpm = -1, advance = -1;
        curve->recordedPoint(rpm, advance);
        seen.append({ms, rpm, advance});
    });
    auto *speed = window->findChild<QComboBox *>(QStringLiteral("ComboSpeed"));
    speed->setCurrentIndex(speed->findData(10));
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("ButtonPlay")), Qt::LeftButton);
    QVERIFY(window->playing());
    QTRY_VERIFY_WITH_TIMEOUT(!window->playing(), 3000);
    // 3 s of recording at 10x: some 300 ms, however late the timer ticked.
    QVERIFY2(clock.elapsed() >= 280, qPrintable(QString::number(clock.elapsed())));

    QVERIFY(seen.size() >= 4);
    qint64 last = -1;
    for (const Seen &s : seen) {
        const qint64 row = s.ms / 100; // the row at or before the moment
        QCOMPARE(s.rpm, 1000 + 100 * int(row));
        QCOMPARE(s.advance, 5 + int(row));
        QVERIFY(s.ms >= last);
        last = s.ms;
    }
    QCOMPARE(seen.last().ms, 3000);
    QCOMPARE(m_window.ports().written().size(), framesBefore);
    QCOMPARE(window->findChild<QPushButton *>(QStringLiteral("ButtonPlay"))->text(), QStringLiteral("&Play"));
}

void tst_TFormRecording::damagedFileShowsWhatItCould_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");

    QTest::newRow("a bad row")
        << fixture() + "3.100,fast,5,12.0,0,0,0,1,0,0\n" + "3.200,1000,5,12.0,0,0,0,1,0,0\n"
        << 31 << "ride.csv:\nRow 33: \"fast\" is not a valid value. The 31 rows before it are shown.";
    QTest::newRow("cut off by a full disk")
        << fixture() + "3.100,10" << 31 << "ride.csv:\nThe last row was cut off and is left out.";
    QTest::newRow("not a recording")
        << QByteArray("[Korvo]\n") << 0
        << "%1 is not a recording of live values: its first line is not their header.";
    QTest::newRow("header only") << QByteArray(LiveRecorder::Header) << 0
                                 << "%1:\nThe recording holds no rows.";
}

// What could be read is shown with the message in sight; with nothing to show, a box says why.
void tst_TFormRecording::damagedFileShowsWhatItCould()
{
    QFETCH(QByteArray, content);
    QFETCH(int, rows);
    QFETCH(QString, message);

    QFile::remove(m_path);
    writeFile(m_path, content);
    FormFixture &f = m_window.start();
    TFormRecording *window = openFixture(f);
    if (rows == 0) {
        QVERIFY(!window);
        QCOMPARE(f.prompts.informations, QStringList{message.arg(QDir::toNativeSeparators(m_path))});
        return;
    }
    QVERIFY(window);
    QCOMPARE(window->recording().rows(), rows);
    auto *problem = window->findChild<QLabel *>(QStringLiteral("LabelRecordingProblem"));
    QVERIFY(problem->isVisible());
    QCOMPARE(problem->text(), message);
    QVERIFY(f.prompts.informations.isEmpty());
}

// A dropped recording opens as one, is remembered in its own list, and opens again from there.
void tst_TFormRecording::droppedAndRecent()
{
    FormFixture &f = m_window.start();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(m_path)});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.form.get(), &drop);
    QTRY_COMPARE(f.form->Recordings->windows().size(), 1);
    QCOMPARE(f.form->CurrentFileName, QString()); // the parameter file is left alone

    QCOMPARE(f.form->Recordings->recent().entries(), QStringList{m_path});
    f.form->Recordings->closeAll();
    QTRY_COMPARE(f.form->Recordings->windows().size(), 0);
    QVERIFY(!f.form->Curve->window()->visitsShown());
    QMenu *recent = f.form->Recordings->recentMenu();
    emit f.form->MenuTools->aboutToShow();
    QAction *first = recent->findChild<QAction *>(QStringLiteral("MenuRecentRecording1"));
    QVERIFY(first);
    first->trigger();
    QCOMPARE(f.form->Recordings->windows().size(), 1);
}

QTEST_MAIN(tst_TFormRecording)
#include "tst_TFormRecording.moc"
