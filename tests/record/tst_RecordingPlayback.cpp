#include "RecordingPlayback.h"

#include <QTest>

class tst_RecordingPlayback : public QObject
{
    Q_OBJECT

private slots:
    void speedTimesWallTime_data();
    void speedTimesWallTime();
    void stopsAtTheEndAndStartsOver();
    void cursorIsKeptInsideTheRecording();
};

void tst_RecordingPlayback::speedTimesWallTime_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<qint64>("after");
    for (int speed : RecordingPlayback::Speeds)
        QTest::addRow("%dx", speed) << speed << qint64(1000 + 3 * 40 * speed);
}

void tst_RecordingPlayback::speedTimesWallTime()
{
    QFETCH(int, speed);
    QFETCH(qint64, after);
    RecordingPlayback p;
    p.setRange(1000, 60000);
    p.setPosition(1000);
    p.setSpeed(speed);
    QCOMPARE(p.advance(40), 1000); // nothing moves before play
    p.play();
    for (int tick = 0; tick < 3; ++tick)
        p.advance(40);
    QCOMPARE(p.position(), after);
    p.pause();
    QCOMPARE(p.advance(40), after);
}

void tst_RecordingPlayback::stopsAtTheEndAndStartsOver()
{
    RecordingPlayback p;
    p.setRange(0, 3000);
    p.setSpeed(10);
    p.play();
    QCOMPARE(p.advance(250), 2500);
    QCOMPARE(p.advance(250), 3000);
    QVERIFY(!p.playing());
    p.play();
    QCOMPARE(p.position(), 0);
    QVERIFY(p.playing());
    QCOMPARE(p.advance(-50), 0); // a clock that went back moves nothing

    RecordingPlayback single;
    single.setRange(500, 500); // one row: nothing to play
    single.play();
    QVERIFY(!single.playing());
}

void tst_RecordingPlayback::cursorIsKeptInsideTheRecording()
{
    RecordingPlayback p;
    p.setRange(100, 900);
    p.setPosition(-5);
    QCOMPARE(p.position(), 100);
    p.setPosition(5000);
    QCOMPARE(p.position(), 900);
    p.setRange(100, 400);
    QCOMPARE(p.position(), 400);
}

QTEST_GUILESS_MAIN(tst_RecordingPlayback)
#include "tst_RecordingPlayback.moc"
