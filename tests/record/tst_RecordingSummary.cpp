#include "RecordingSummary.h"

#include "LiveRecorder.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

namespace {

// 10 s of riding: idle on the side stand, a run to the limiter (9000 rpm) and back.
const QByteArray Run = QByteArray(LiveRecorder::Header) +
                       "0.000,1200,8,12.1,0,1,1,1,1,0\n" // stand down for 2 s
                       "2.000,3000,15,13.8,0,0,0,1,1,0\n"
                       "5.000,9000,30,14.6,0,0,0,1,1,0\n" // at the limiter for 1.5 s
                       "6.500,9400,31,14.4,0,0,0,1,1,0\n" // above it for 0.5 s
                       "7.000,8999,30,14.3,0,0,0,1,1,0\n"
                       "10.000,900,5,11.9,0,1,1,1,1,0\n"; // last row: no time of its own

} // namespace

class tst_RecordingSummary : public QObject
{
    Q_OBJECT

private slots:
    void aRun();
    void noLimiterKnown();
    void noRows();
    void ofAFile_data();
    void ofAFile();
};

void tst_RecordingSummary::aRun()
{
    const RecordingSummary s = RecordingSummary::Of(ParseRecording(Run).recording, 9000);
    QCOMPARE(s.rows, 6);
    QCOMPARE(s.durationMs, 10000);
    QCOMPARE(s.rpmMin, 900);
    QCOMPARE(s.rpmMax, 9400);
    QCOMPARE(s.msAtLimiter, 2000);
    QCOMPARE(s.advanceMin, 5);
    QCOMPARE(s.advanceMax, 31);
    QCOMPARE(float(s.voltsMin), 11.9f);
    QCOMPARE(float(s.voltsMax), 14.6f);
    QCOMPARE(s.msSideStandDown, 2000);

    QCOMPARE(s.text(), QString("Duration:                 10.000 s\n"
                               "Rows:                     6\n"
                               "Engine speed:             900 to 9400 rpm\n"
                               "At or above the limiter:  2.000 s (limiter 9000 rpm)\n"
                               "Advance:                  5 to 31 degrees\n"
                               "Supply voltage:           11.9 to 14.6 V\n"
                               "Side stand down:          2.000 s\n"));
    QCOMPARE(QJsonDocument(s.json()).toJson(QJsonDocument::Compact),
             QByteArray("{\"advance_max_deg\":31,\"advance_min_deg\":5,\"at_limiter_s\":2,\"duration_s\":10,"
                        "\"limiter_rpm\":9000,\"rows\":6,\"rpm_max\":9400,\"rpm_min\":900,"
                        "\"side_stand_down_s\":2,\"voltage_max_v\":14.6,\"voltage_min_v\":11.9}"));
}

void tst_RecordingSummary::noLimiterKnown()
{
    const RecordingSummary s = RecordingSummary::Of(ParseRecording(Run).recording, 0);
    QVERIFY(!s.text().contains(QStringLiteral("limiter")));
    QVERIFY(s.json().value(QStringLiteral("limiter_rpm")).isNull());
    QVERIFY(s.json().value(QStringLiteral("at_limiter_s")).isNull());
}

void tst_RecordingSummary::noRows()
{
    const RecordingSummary s = RecordingSummary::Of(Recording{}, 9000);
    QCOMPARE(s.text(), QString("Duration:                 0.000 s\nRows:                     0\n"));
    QVERIFY(s.json().value(QStringLiteral("rpm_min")).isNull());
    QCOMPARE(s.json().value(QStringLiteral("rows")).toInt(-1), 0);
}

void tst_RecordingSummary::ofAFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("json");
    QTest::addColumn<QString>("outStarts");
    QTest::addColumn<QString>("errEnds");
    QTest::addColumn<bool>("damaged");

    QTest::newRow("whole, text") << Run << false << "Duration:                 10.000 s\n"
                                 << QString() << false;
    QTest::newRow("whole, JSON") << Run << true << "{\"advance_max_deg\":31," << QString() << false;
    QTest::newRow("cut off") << Run + "11.0,90" << false << "Duration:                 10.000 s\n"
                             << ":\nThe last row was cut off and is left out.\n"
                             << false;
    QTest::newRow("a bad row") << Run + "11.000,x,5,11.9,0,1,1,1,1,0\n"
                               << true << "{"
                               << "Row 8: \"x\" is not a valid value. The 6 rows before it are shown.\n"
                               << true;
    QTest::newRow("no recording")
        << QByteArray("x\n") << false << QString()
        << " is not a recording of live values: its first line is not their header.\n"
        << true;
}

void tst_RecordingSummary::ofAFile()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, json);
    QFETCH(QString, outStarts);
    QFETCH(QString, errEnds);
    QFETCH(bool, damaged);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    const RecordingSummaryOutput output = SummariseRecordingFile(path, 9000, json);
    QVERIFY2(outStarts.isEmpty() ? output.out.isEmpty() : output.out.startsWith(outStarts),
             qPrintable(output.out));
    QVERIFY2(errEnds.isEmpty() ? output.err.isEmpty()
                               : output.err.startsWith(path) && output.err.endsWith(errEnds),
             qPrintable(output.err));
    QCOMPARE(output.damaged, damaged);
}

QTEST_GUILESS_MAIN(tst_RecordingSummary)
#include "tst_RecordingSummary.moc"
