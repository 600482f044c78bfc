#include "IgnitionParameters.h"
#include "ParameterFile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

Q_DECLARE_METATYPE(IgnitionParameters)

class tst_ParameterFile : public QObject
{
    Q_OBJECT

private slots:
    void writtenLayout();
    void roundTrip_data();
    void roundTrip();
    void reading_data();
    void reading();
    void versionMismatchChangesNothing_data();
    void versionMismatchChangesNothing();
    void longWordsAreSafe();
    void wordsAcrossReadPieces();
    void deviceFailingPartWayChangesNothing();
    void throughAFile();
    void openByName_data();
    void openByName();
};

// Hands out its text, then fails as a disk with a bad sector does.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(QByteArray text) : m_text(std::move(text)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        if (m_pos >= m_text.size())
            return -1;
        const qint64 n = qMin(maxSize, qint64(m_text.size() - m_pos));
        memcpy(data, m_text.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_text;
    qint64 m_pos = 0;
};

static IgnitionParameters sample()
{
    IgnitionParameters set;
    set.TOP(0) = 3;
    set.TOP(1) = 9;
    set.BASE_ADV() = 5;
    set.LIMITER() = 137;
    set.RPM2() = 1;
    set.BLOK_ENABLE() = 1;
    set.BIKE() = 0;
    set.EXCITATION() = 1;
    for (int i = 0; i < CurvePoints; ++i) {
        set.RPM_ADV(i) = DefaultRpmCurve[i];
        set.ADVANCE(i) = DefaultAdvanceCurve[i];
    }
    return set;
}

void tst_ParameterFile::writtenLayout()
{
    IgnitionParameters set = sample();
    set.LIMITER() = 150;
    set.RPM_ADV(9) = 255;
    set.EXCITATION() = 2;
    const QByteArray text = ParameterFileText(set);
    const QByteArray expected = "QUELLMAR_KEY   61 \r\n"
                                "\r\n"
                                "BIKE            0 \r\n"
                                "RPM_ADV      1500  2000  3000  4000  5000  6000  7000  8000  9000 25500 \r\n"
                                "ADVANCE         5    15    20    25    33    33    33    33    33    33 \r\n"
                                "TOP             3     9 \r\n"
                                "EXCITATION      1\r\n"
                                "BASE_ADV        5 \r\n"
                                "LIMITER       150 \r\n"
                                "RPM2            1\r\n"
                                "BLOK_ENABLE     1";
    QCOMPARE(text, expected);
    QCOMPARE(text.size(), ParameterFileSize);
    // Line starts as the layout fixes them.
    QCOMPARE(text.indexOf("BIKE"), 22);
    QCOMPARE(text.indexOf("RPM_ADV"), 42);
    QCOMPARE(text.indexOf("ADVANCE"), 116);
    QCOMPARE(text.indexOf("TOP"), 190);
    QCOMPARE(text.indexOf("EXCITATION"), 216);
    QCOMPARE(text.indexOf("BASE_ADV"), 235);
    QCOMPARE(text.indexOf("LIMITER"), 255);
    QCOMPARE(text.indexOf("RPM2"), 275);
    QCOMPARE(text.indexOf("BLOK_ENABLE"), 294);
}

void tst_ParameterFile::roundTrip_data()
{
    QTest::addColumn<IgnitionParameters>("set");
    QTest::newRow("preset") << sample();
    IgnitionParameters extremes = sample();
    for (int i = 0; i < CurvePoints; ++i) {
        extremes.RPM_ADV(i) = quint8(255 - i);
        extremes.ADVANCE(i) = 255;
    }
    extremes.TOP(0) = 0;
    extremes.TOP(1) = 255;
    extremes.BASE_ADV() = 255;
    extremes.LIMITER() = 255;
    extremes.BIKE() = 255;
    extremes.RPM2() = 0;
    extremes.BLOK_ENABLE() = 0;
    extremes.EXCITATION() = 0;
    QTest::newRow("extremes") << extremes;
}

void tst_ParameterFile::roundTrip()
{
    QFETCH(IgnitionParameters, set);
    const QByteArray text = ParameterFileText(set);
    QCOMPARE(text.size(), ParameterFileSize);
    IgnitionParameters back;
    back.image.fill(0xAA);
    QVERIFY(ReadParameterFile(QByteArrayView(text), back));
    for (int i = 0; i < ParameterImageSize; ++i) {
        const bool reserved = (i >= 8 && i <= 9) || i >= 30;
        QCOMPARE(back.image[i], reserved ? quint8(0xAA) : set.image[i]);
    }
}

void tst_ParameterFile::reading_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("matched");
    QTest::addColumn<QByteArray>("field"); // which value to look at
    QTest::addColumn<int>("value");
    QTest::newRow("rpm 1250 -> 12") << QByteArray("QUELLMAR_KEY 61 RPM_ADV 1250") << true << QByteArray("rpm0") << 12;
    QTest::newRow("rpm 30000 -> 44") << QByteArray("QUELLMAR_KEY 61 RPM_ADV 30000") << true << QByteArray("rpm0") << 44;
    QTest::newRow("rpm modulo 65536") << QByteArray("QUELLMAR_KEY 61 RPM_ADV 66036") << true << QByteArray("rpm0") << 5;
    QTest::newRow("low 8 bits") << QByteArray("QUELLMAR_KEY 61 BIKE 258") << true << QByteArray("bike") << 2;
    QTest::newRow("only the version") << QByteArray("QUELLMAR_KEY 61") << true << QByteArray("bike") << 77;
    QTest::newRow("version plus 65536") << QByteArray("QUELLMAR_KEY 65597 BIKE 4") << true << QByteArray("bike") << 4;
    QTest::newRow("keys before the version ignored")
        << QByteArray("BIKE 3 QUELLMAR_KEY 61 LIMITER 90") << true << QByteArray("bike") << 77;
    QTest::newRow("same keys after it taken")
        << QByteArray("BIKE 3 QUELLMAR_KEY 61 BIKE 9") << true << QByteArray("bike") << 9;
    QTest::newRow("wrong version first, right later")
        << QByteArray("QUELLMAR_KEY 60 BIKE 3 QUELLMAR_KEY 61 LIMITER 90") << true << QByteArray("bike") << 77;
    QTest::newRow("after the right version")
        << QByteArray("QUELLMAR_KEY 60 BIKE 3 QUELLMAR_KEY 61 LIMITER 90") << true << QByteArray("limiter") << 90;
    QTest::newRow("lower-case key ignored") << QByteArray("QUELLMAR_KEY 61 bike 3") << true << QByteArray("bike") << 77;
    QTest::newRow("joined key ignored") << QByteArray("QUELLMAR_KEY 61 BIKE: 3") << true << QByteArray("bike") << 77;
    QTest::newRow("last occurrence counts") << QByteArray("QUELLMAR_KEY 61 BIKE 3 BIKE 8") << true << QByteArray("bike") << 8;
    QTest::newRow("switch 2 kept") << QByteArray("QUELLMAR_KEY 61 RPM2 2") << true << QByteArray("rpm2") << 2;
    QTest::newRow("LF, tabs, one line")
        << QByteArray("QUELLMAR_KEY\t61\nTOP\t5\t6 BASE_ADV 12\nLIMITER 120") << true << QByteArray("top1") << 6;
    QTest::newRow("missing TOP keeps teeth") << QByteArray("QUELLMAR_KEY 61 BIKE 1") << true << QByteArray("top0") << 77;
    QTest::newRow("not a number leaves the field")
        << QByteArray("QUELLMAR_KEY 61 LIMITER abc") << true << QByteArray("limiter") << 77;
    QTest::newRow("text after some numbers stops the rest")
        << QByteArray("QUELLMAR_KEY 61 ADVANCE 1 2 x 4") << true << QByteArray("adv2") << 77;
    QTest::newRow("numbers before the stop are taken")
        << QByteArray("QUELLMAR_KEY 61 ADVANCE 1 2 x 4") << true << QByteArray("adv1") << 2;
    QTest::newRow("key at the end of the text") << QByteArray("QUELLMAR_KEY 61 BIKE") << true << QByteArray("bike") << 77;
    QTest::newRow("extra numbers passed over")
        << QByteArray("QUELLMAR_KEY 61 TOP 4 5 6 BIKE 2") << true << QByteArray("bike") << 2;
}

static int fieldValue(const IgnitionParameters &set, const QByteArray &field)
{
    if (field == "rpm0")
        return set.RPM_ADV(0);
    if (field == "bike")
        return set.BIKE();
    if (field == "limiter")
        return set.LIMITER();
    if (field == "rpm2")
        return set.RPM2();
    if (field == "top0")
        return set.TOP(0);
    if (field == "top1")
        return set.TOP(1);
    if (field == "adv1")
        return set.ADVANCE(1);
    if (field == "adv2")
        return set.ADVANCE(2);
    return -1;
}

void tst_ParameterFile::reading()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, field);
    IgnitionParameters set;
    set.image.fill(77);
    QTEST(ReadParameterFile(QByteArrayView(text), set), "matched");
    QTEST(fieldValue(set, field), "value");
}

void tst_ParameterFile::versionMismatchChangesNothing_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("60") << QByteArray("QUELLMAR_KEY 60 BIKE 3");
    QTest::newRow("62") << QByteArray("QUELLMAR_KEY 62 BIKE 3");
    QTest::newRow("no number") << QByteArray("QUELLMAR_KEY BIKE 3 LIMITER 61");
    QTest::newRow("no key") << QByteArray("BIKE 3 LIMITER 61");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("lower-case key") << QByteArray("quellmar_key 61 BIKE 3");
}

void tst_ParameterFile::versionMismatchChangesNothing()
{
    QFETCH(QByteArray, text);
    IgnitionParameters set;
    set.image.fill(77);
    const IgnitionParameters before = set;
    QVERIFY(!ReadParameterFile(QByteArrayView(text), set));
    QCOMPARE(set, before);
}

void tst_ParameterFile::longWordsAreSafe()
{
    QByteArray text = "QUELLMAR_KEY 61 " + QByteArray(5000, 'B') + " BIKE 4 " + QByteArray(300, '9') + " LIMITER 88";
    IgnitionParameters set;
    QVERIFY(ReadParameterFile(QByteArrayView(text), set));
    QCOMPARE(set.BIKE(), quint8(4));
    QCOMPARE(set.LIMITER(), quint8(88));
}

void tst_ParameterFile::wordsAcrossReadPieces()
{
    // The file is read in pieces of a few kilobytes; keys and numbers that straddle the
    // end of a piece read as whole words.
    for (int padding = 4070; padding < 4110; ++padding) {
        const QByteArray text = QByteArray(padding, ' ') + "QUELLMAR_KEY 61 BIKE 123 RPM_ADV 1250 LIMITER 77";
        IgnitionParameters set;
        QVERIFY2(ReadParameterFile(QByteArrayView(text), set), QByteArray::number(padding).constData());
        QCOMPARE(set.BIKE(), quint8(123));
        QCOMPARE(set.RPM_ADV(0), quint8(12));
        QCOMPARE(set.LIMITER(), quint8(77));
    }
}

void tst_ParameterFile::deviceFailingPartWayChangesNothing()
{
    FailingDevice device("QUELLMAR_KEY 61 BIKE 5 LIMITER 9");
    IgnitionParameters set;
    set.image.fill(77);
    const IgnitionParameters before = set;
    QVERIFY(!ReadParameterFile(device, set));
    QCOMPARE(set, before);
}

void tst_ParameterFile::throughAFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile out(dir.filePath("a.ign"));
    QVERIFY(out.open(QIODevice::WriteOnly));
    WriteParameterFile(out, sample());
    out.close();
    QCOMPARE(out.size(), qint64(ParameterFileSize));
    QFile in(out.fileName());
    QVERIFY(in.open(QIODevice::ReadOnly));
    IgnitionParameters back;
    QVERIFY(ReadParameterFile(in, back));
    QCOMPARE(back, sample());
}

void tst_ParameterFile::openByName_data()
{
    QTest::addColumn<QString>("name");       // in the temporary folder
    QTest::addColumn<QByteArray>("content"); // written when not null
    QTest::addColumn<qint64>("growTo");      // then made this long, sparse; 0 leaves it
    QTest::addColumn<bool>("pipe");          // a named pipe made at name
    QTest::addColumn<int>("result");         // ParameterFileOpen

    const QByteArray good = ParameterFileText(sample());
    QTest::newRow("a parameter file")
        << "a.ign" << good << qint64(0) << false << int(ParameterFileOpen::Opened);
    QTest::newRow("at the cap") << "a.ign" << good << MaxParameterFileBytes << false
                                << int(ParameterFileOpen::Opened);
    // Not read to its end: refused after the cap, at once.
    QTest::newRow("one byte past the cap")
        << "a.ign" << good << MaxParameterFileBytes + 1 << false << int(ParameterFileOpen::TooLarge);
    QTest::newRow("8 GB") << "a.ign" << good << (qint64(8) << 30) << false
                          << int(ParameterFileOpen::TooLarge);
    QTest::newRow("another version") << "a.ign" << QByteArray("QUELLMAR_KEY 60 BIKE 3") << qint64(0) << false
                                     << int(ParameterFileOpen::VersionMismatch);
    QTest::newRow("missing") << "none.ign" << QByteArray() << qint64(0) << false
                             << int(ParameterFileOpen::Missing);
    QTest::newRow("a folder") << "." << QByteArray() << qint64(0) << false
                              << int(ParameterFileOpen::NotRegularFile);
#ifdef Q_OS_UNIX
    // A pipe with no writer would block a plain open.
    QTest::newRow("a pipe") << "fifo" << QByteArray() << qint64(0) << true
                            << int(ParameterFileOpen::NotRegularFile);
#endif
}

void tst_ParameterFile::openByName()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(qint64, growTo);
    QFETCH(bool, pipe);
    QFETCH(int, result);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    if (!content.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        if (growTo > 0)
            QVERIFY(file.resize(growTo));
    }
#ifdef Q_OS_UNIX
    if (pipe)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif

    IgnitionParameters set;
    set.LIMITER() = 1;
    const IgnitionParameters before = set;
    const OpenedParameterFile opened = OpenParameterFileAt(path, set);
    QCOMPARE(int(opened.result), result);
    QCOMPARE(set, opened.ok() ? sample() : before);
    // The text comes with every file read whole, and only with one.
    const bool wholeFile = !content.isNull() && growTo <= MaxParameterFileBytes;
    QCOMPARE(opened.text.size(), wholeFile ? qMax(qint64(content.size()), growTo) : 0);
}

QTEST_GUILESS_MAIN(tst_ParameterFile)
#include "tst_ParameterFile.moc"
