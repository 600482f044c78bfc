#include "Recording.h"

#include "GermanLocale.h"
#include "LiveRecorder.h"
#include "OddFiles.h"
#include "TestFiles.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Header = LiveRecorder::Header;

// Three rows as the recorder writes them.
const QByteArray Rows = "0.000,1500,10,12.4,0,1,0,1,0,0\n"
                        "0.330,6000,28,0.8,1,0,1,1,1,110\n"
                        "3723.004,65535,33,55.8,0,1,1,0,0,65535\n";

QByteArray withCrLf(QByteArray text)
{
    return text.replace("\n", "\r\n");
}

} // namespace

class tst_Recording : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void files_data();
    void files();
    void columnsHoldTheRowsValues();
    void rowAtAMoment();
    void messageNamesTheRow_data();
    void messageNamesTheRow();
    void onlyRegularFilesAreRead();

private:
    QTemporaryDir m_dir;
};

void tst_Recording::initTestCase()
{
    // Every case reads as it would on a German desktop.
    QVERIFY(useGermanCLocale(m_dir));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

void tst_Recording::files_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("problem");
    QTest::addColumn<int>("problemRow");
    QTest::addColumn<bool>("cutOff");

    const int none = RecordingProblem::None;
    QTest::newRow("the window's") << Header + Rows << 3 << none << 0 << false;
    QTest::newRow("korvo-cli's on Windows, CR LF and a BOM")
        << "\xEF\xBB\xBF" + withCrLf(Header + Rows) << 3 << none << 0 << false;
    QTest::newRow("saved again by a German spreadsheet")
        << QByteArray(
               "time_s;rpm;advance_deg;voltage_v;blocking;neutral;side_stand;pickup1;pickup2;saving\r\n"
               "0,000;1500;10;12,4;0;1;0;1;0;0\r\n"
               "0,330;6000;28;0,8;1;0;1;1;1;110\r\n\r\n")
        << 2 << none << 0 << false;
    QTest::newRow("header only") << Header << 0 << none << 0 << false;
    QTest::newRow("last row cut off") << Header + Rows + "3724.334,6500,3" << 3 << none << 0 << true;
    QTest::newRow("cut off inside the last field")
        << Header + Rows + "3724.334,6500,30,13.1,0,0,0,1,1," << 3 << none << 0 << true;
    QTest::newRow("a bad last row without its line end")
        << Header + Rows + "3724.334,x,30,13.1,0,0,0,1,1,0" << 3 << int(RecordingProblem::NotANumber) << 5
        << false;
    QTest::newRow("a field missing") << Header +
                                            "0.000,1500,10,12.4,0,1,0,1,0,0\n0.330,6000,28,0.8,1,0,1,1,1\n" +
                                            Rows
                                     << 1 << int(RecordingProblem::FieldCount) << 3 << false;
    QTest::newRow("a field too many") << Header + "0.000,1500,10,12.4,0,1,0,1,0,0,7\n"
                                      << 0 << int(RecordingProblem::FieldCount) << 2 << false;
    QTest::newRow("text in a number") << Header + Rows + "3724.000,fast,28,0.8,1,0,1,1,1,110\n"
                                      << 3 << int(RecordingProblem::NotANumber) << 5 << false;
    QTest::newRow("a switch neither 0 nor 1") << Header + "0.000,1500,10,12.4,0,2,0,1,0,0\n"
                                              << 0 << int(RecordingProblem::NotANumber) << 2 << false;
    QTest::newRow("rpm past its range") << Header + "0.000,65536,10,12.4,0,1,0,1,0,0\n"
                                        << 0 << int(RecordingProblem::NotANumber) << 2 << false;
    QTest::newRow("not a finite time") << Header + "nan,1500,10,12.4,0,1,0,1,0,0\n"
                                       << 0 << int(RecordingProblem::NotANumber) << 2 << false;
    QTest::newRow("time going back") << Header + Rows + "3000.000,6000,28,0.8,1,0,1,1,1,110\n"
                                     << 3 << int(RecordingProblem::TimeGoesBack) << 5 << false;
    QTest::newRow("empty file") << QByteArray() << 0 << int(RecordingProblem::NotARecording) << 1 << false;
    QTest::newRow("a parameter file") << QByteArray("[Korvo TCI]\r\nVersion=61\r\n") << 0
                                      << int(RecordingProblem::NotARecording) << 1 << false;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << 0
                            << int(RecordingProblem::NotARecording) << 1 << false;
}

// Each file read from disk, as the window opens it.
void tst_Recording::files()
{
    QFETCH(QByteArray, content);
    QFETCH(int, rows);
    QFETCH(int, problem);
    QFETCH(int, problemRow);
    QFETCH(bool, cutOff);

    const QString path = m_dir.filePath(QStringLiteral("run.csv"));
    QFile::remove(path);
    writeFile(path, content);
    const RecordingRead read = ReadRecordingFile(path);
    QCOMPARE(read.recording.rows(), rows);
    QCOMPARE(int(read.problem.kind), problem);
    QCOMPARE(read.problem.row, problemRow);
    QCOMPARE(read.cutOff, cutOff);
    const Recording &r = read.recording;
    for (auto size : {r.rpm.size(), r.advance.size(), r.volts.size(), r.flags.size(), r.saving.size()})
        QCOMPARE(qsizetype(size), rows);
}

void tst_Recording::columnsHoldTheRowsValues()
{
    const Recording r = ParseRecording(Header + Rows).recording;
    QCOMPARE(r.timeMs, (std::vector<qint64>{0, 330, 3723004}));
    QCOMPARE(r.rpm, (std::vector<quint16>{1500, 6000, 65535}));
    QCOMPARE(r.advance, (std::vector<quint8>{10, 28, 33}));
    QCOMPARE(r.volts, (std::vector<float>{12.4f, 0.8f, 55.8f}));
    using F = Recording::Flag;
    QCOMPARE(r.flags, (std::vector<quint8>{F::Neutral | F::Pickup1,
                                           F::Blocking | F::SideStand | F::Pickup1 | F::Pickup2,
                                           F::Neutral | F::SideStand}));
    QCOMPARE(r.saving, (std::vector<quint16>{0, 110, 65535}));
    QCOMPARE(r.durationMs(), 3723004);

    // The recorder's own row comes back as it went in.
    LiveValues v;
    v.rpm = 4321;
    v.advance = 17;
    v.millivolts = 13900;
    v.pickup2 = true;
    std::array<char, 128> row{};
    const int length = LiveRecorder::FormatRow(61234, v, row);
    const Recording again = ParseRecording(Header + QByteArray(row.data(), length)).recording;
    QCOMPARE(again.rows(), 1);
    QCOMPARE(again.timeMs[0], 61234);
    QCOMPARE(again.rpm[0], 4321);
    QCOMPARE(again.advance[0], 17);
    QCOMPARE(again.volts[0], 13.9f);
    QCOMPARE(again.flags[0], quint8(F::Pickup2));
}

void tst_Recording::rowAtAMoment()
{
    const Recording r = ParseRecording(Header + Rows).recording;
    QCOMPARE(r.rowAt(-5), 0);
    QCOMPARE(r.rowAt(0), 0);
    QCOMPARE(r.rowAt(329), 0);
    QCOMPARE(r.rowAt(330), 1);
    QCOMPARE(r.rowAt(10'000'000), 2);
    QCOMPARE(r.firstRowFrom(1), 1);
    QCOMPARE(r.firstRowFrom(10'000'000), 3);
}

void tst_Recording::messageNamesTheRow_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");

    const QByteArray bad = Header + Rows + "3724.000,fast,28,0.8,1,0,1,1,1,110\n";
    QTest::newRow("English")
        << bad << 0
        << QString("run.csv:\nRow 5: \"fast\" is not a valid value. The 3 rows before it are shown.");
    QTest::newRow("German")
        << bad << 1
        << QString("run.csv:\nZeile 5: „fast“ ist kein gültiger Wert. Die 3 Zeilen davor werden gezeigt.");
    QTest::newRow("Czech, a field missing")
        << Header + "0.000,1500\n"
        << 3 << QString("run.csv:\nŘádek 2 má 2 polí místo 10. Zobrazeno je 0 řádků před ním.");
    QTest::newRow("cut off") << Header + Rows + "3724" << 0
                             << QString("run.csv:\nThe last row was cut off and is left out.");
    QTest::newRow("whole") << Header + Rows << 0 << QString();
    QTest::newRow("no recording") << QByteArray("hello\n") << 0
                                  << QString(
                                         "run.csv is not a recording of live values: its first line is not "
                                         "their header.");
}

void tst_Recording::messageNamesTheRow()
{
    QFETCH(QByteArray, content);
    QFETCH(int, language);
    QFETCH(QString, message);
    QCOMPARE(RecordingReadMessage(ParseRecording(content), QStringLiteral("run.csv"), quint8(language)),
             message);
}

void tst_Recording::onlyRegularFilesAreRead()
{
#ifdef Q_OS_UNIX
    // A FIFO with no writer would block the open for good.
    const QString fifo = m_dir.filePath(QStringLiteral("fifo.csv"));
    QVERIFY(makeOdd(fifo, OddKind::Fifo));
    QCOMPARE(ReadRecordingFile(fifo).problem.kind, RecordingProblem::CannotRead);
#endif
    QCOMPARE(ReadRecordingFile(m_dir.path()).problem.kind, RecordingProblem::CannotRead);
    QCOMPARE(ReadRecordingFile(m_dir.filePath(QStringLiteral("missing.csv"))).problem.kind,
             RecordingProblem::CannotRead);

    // Past the limit nothing is read, not even the header (a sparse file takes no room).
    const QString huge = m_dir.filePath(QStringLiteral("huge.csv"));
    writeFile(huge, Header + Rows);
    QVERIFY(QFile::resize(huge, MaxRecordingFileSize + 1));
    const RecordingRead read = ReadRecordingFile(huge);
    QCOMPARE(read.problem.kind, RecordingProblem::TooLarge);
    QCOMPARE(read.recording.rows(), 0);
    QCOMPARE(
        RecordingReadMessage(read, QStringLiteral("huge.csv"), 0),
        QStringLiteral(
            "huge.csv is larger than 512 MB, more than a recording of live values holds; it is not read."));
    QFile::remove(huge);
}

QTEST_GUILESS_MAIN(tst_Recording)
#include "tst_Recording.moc"
