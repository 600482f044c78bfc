#include "LiveRecorder.h"

#include "FileSizeLimit.h"
#include "GermanLocale.h"
#include "TestFiles.h"

#include <QDateTime>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdio>

namespace {

struct Frame
{
    int rpm = 0;
    int advance = 0;
    int rawVoltage = 0;
    int blocking = 0, sideStandByte = 1, neutralByte = 1, pickup1 = 0, pickup2 = 0;
    int saving = 0;
};

UnitFrame liveFrame(const Frame &f)
{
    UnitFrame frame{};
    frame[0] = AnswerLiveData;
    frame[1] = quint8(f.rpm);
    frame[2] = quint8(f.rpm >> 8);
    frame[5] = quint8(f.advance);
    frame[7] = quint8(f.blocking);
    frame[9] = quint8(f.rawVoltage);
    frame[10] = quint8(f.rawVoltage >> 8);
    frame[29] = quint8(f.sideStandByte);
    frame[30] = quint8(f.neutralByte);
    frame[31] = quint8(f.pickup1);
    frame[32] = quint8(f.pickup2);
    frame[47] = quint8(f.saving);
    frame[48] = quint8(f.saving >> 8);
    SealFrame(frame);
    return frame;
}

// A scripted run: three frames, at 0 ms, 330 ms and 1 h 2 min 3.004 s into the recording.
const Frame Run[] = {
    {1500, 10, 1719, 0, 1, 0, 1, 0, 0},      // 12350 mV shows as 12.4 V
    {6000, 28, 0, 1, 0, 1, 1, 1, 110},       // 800 mV; switches ON at 0
    {65535, 33, 8184, 0, 0, 0, 0, 0, 65535}, // the widest values
};
const qint64 RunMs[] = {1000, 1000, 1330, 3724004}; // start, then one per row

const QByteArray RunCsv =
    "time_s,rpm,advance_deg,voltage_v,blocking,neutral,side_stand,pickup1,pickup2,saving\n"
    "0.000,1500,10,12.4,0,1,0,1,0,0\n"
    "0.330,6000,28,0.8,1,0,1,1,1,110\n"
    "3723.004,65535,33,55.8,0,1,1,0,0,65535\n";

} // namespace

class tst_LiveRecorder : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void scriptedRunGivesExactCsv_data();
    void scriptedRunGivesExactCsv();
    void fullDiskStopsAndKeepsWholeRows();
    void neverReplacesAFile();
    void fileNameFromTime();

private:
    QTemporaryDir m_dir;
};

void tst_LiveRecorder::cleanup()
{
    std::setlocale(LC_ALL, "C.UTF-8");
    QLocale::setDefault(QLocale::c());
}

void tst_LiveRecorder::scriptedRunGivesExactCsv_data()
{
    QTest::addColumn<bool>("german");
    QTest::newRow("C locale") << false;
    QTest::newRow("German locale") << true;
}

void tst_LiveRecorder::scriptedRunGivesExactCsv()
{
    QFETCH(bool, german);
    QTemporaryDir localeDir;
    if (german) {
        QVERIFY(useGermanCLocale(localeDir));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 1.5);
        QCOMPARE(QByteArray(probe), QByteArray("1,5")); // the trap is really set
    }

    int tick = 0;
    LiveRecorder recorder([&tick] { return RunMs[tick++]; });
    const QString path = m_dir.filePath(QStringLiteral("run-%1.csv").arg(german));
    QVERIFY(recorder.start(path));
    for (const Frame &f : Run) {
        QVERIFY(recorder.addRow(DecodeLiveFrame(liveFrame(f))));
        // Each row is in the file the moment it is made.
        QCOMPARE(readFile(path).count('\n'), recorder.rows() + 1);
    }
    recorder.stop();
    QCOMPARE(recorder.rows(), 3);
    QCOMPARE(readFile(path), RunCsv);
}

// A row that only partly fits leaves no broken line behind: the file ends with the last
// whole row, the recording stops and says why.
void tst_LiveRecorder::fullDiskStopsAndKeepsWholeRows()
{
    const qsizetype twoRows = RunCsv.indexOf("3723.004");
    const QString path = m_dir.filePath(QStringLiteral("full.csv"));
    int tick = 0;
    LiveRecorder recorder([&tick] { return RunMs[tick++]; });
    {
        FileSizeLimit limit(rlim_t(twoRows + 10));
        QVERIFY(limit.active());
        QVERIFY(recorder.start(path));
        QVERIFY(recorder.addRow(DecodeLiveFrame(liveFrame(Run[0]))));
        QVERIFY(recorder.addRow(DecodeLiveFrame(liveFrame(Run[1]))));
        QVERIFY(!recorder.addRow(DecodeLiveFrame(liveFrame(Run[2]))));
    }
    QVERIFY(!recorder.isRecording());
    QCOMPARE(recorder.rows(), 2);
    QVERIFY(!recorder.errorString().isEmpty());
    QCOMPARE(readFile(path), RunCsv.left(twoRows));
    QVERIFY(!recorder.addRow(DecodeLiveFrame(liveFrame(Run[0]))));
    QCOMPARE(readFile(path), RunCsv.left(twoRows));
}

void tst_LiveRecorder::neverReplacesAFile()
{
    const QString folder = m_dir.filePath(QStringLiteral("docs/not/yet"));
    const QDateTime now(QDate(2026, 3, 7), QTime(9, 5, 1));
    LiveRecorder first, second, third;
    QVERIFY(first.startInFolder(folder, now));
    QVERIFY(second.startInFolder(folder, now));
    QCOMPARE(QFileInfo(first.filePath()).fileName(), QStringLiteral("korvo-live-20260307-090501.csv"));
    QCOMPARE(QFileInfo(second.filePath()).fileName(), QStringLiteral("korvo-live-20260307-090501-2.csv"));

    const QString kept = m_dir.filePath(QStringLiteral("kept.csv"));
    writeFile(kept, "someone's data\n");
    QVERIFY(!third.start(kept));
    QVERIFY(!third.isRecording());
    QVERIFY(!third.errorString().isEmpty());
    QCOMPARE(readFile(kept), QByteArray("someone's data\n"));
}

void tst_LiveRecorder::fileNameFromTime()
{
    QCOMPARE(LiveRecorder::FileNameFor(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58))),
             QStringLiteral("korvo-live-20261231-235958.csv"));
}

QTEST_GUILESS_MAIN(tst_LiveRecorder)
#include "tst_LiveRecorder.moc"
