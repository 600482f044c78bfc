#include "ParameterSnapshot.h"

#include "FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ParameterImage)

namespace {

// A recognisable image standing in for the preset that reading starts from.
ParameterImage base()
{
    ParameterImage image;
    for (int i = 0; i < ParameterImageSize; ++i)
        image[i] = quint8(200 + i % 50);
    return image;
}

// base() with its first bytes replaced.
ParameterImage withFirst(std::initializer_list<int> values)
{
    ParameterImage image = base();
    int i = 0;
    for (const int v : values)
        image[i++] = quint8(v);
    return image;
}

QByteArray numbers(int first, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += QByteArray::number(first + i) + (i % 7 == 6 ? "\r\n" : "  ");
    return text;
}

} // namespace

class tst_ParameterSnapshot : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void read_data();
    void read();
    void fileRoundTrip();
    void missingFileChangesNothing();
    void saveFailureKeepsOldFile();
    void fileWithoutRightsIsWrittenReadable();
};

void tst_ParameterSnapshot::layout()
{
    ParameterImage image;
    for (int i = 0; i < ParameterImageSize; ++i)
        image[i] = quint8(i * 37 % 256);
    image[0] = 255;
    image[1] = 0;
    const QByteArray text = parameterSnapshotText(image);
    QCOMPARE(text.size(), ParameterSnapshotSize);
    QVERIFY(text.startsWith("  255     0    74   111   148   185   222     3    40    77 \r\n  114 "));
    const QList<QByteArray> lines = text.split('\n');
    QCOMPARE(lines.size(), 6);
    for (int i = 0; i < 5; ++i)
        QVERIFY(lines[i].size() == 61 && lines[i].endsWith('\r'));    // ten fields, CR LF
    QCOMPARE(lines[5], QByteArray("   58    95   132   169   206 ")); // no line end after the last

    ParameterImage back{};
    QCOMPARE(readParameterSnapshot(text, back), ParameterImageSize);
    QCOMPARE(back, image);
}

void tst_ParameterSnapshot::read_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("stored");
    QTest::addColumn<ParameterImage>("expected");

    ParameterImage sixty;
    for (int i = 0; i < ParameterImageSize; ++i)
        sixty[i] = quint8(i + 1);
    ParameterImage twenty = base();
    for (int i = 0; i < 20; ++i)
        twenty[i] = quint8(i + 1);

    QTest::newRow("60 numbers: first 55") << numbers(1, 60) << 55 << sixty;
    QTest::newRow("20 numbers: the rest keeps the preset") << numbers(1, 20) << 20 << twenty;
    QTest::newRow("300 stored as 44") << QByteArray("300 256 -") << 2 << withFirst({44, 0});
    QTest::newRow("many digits keep the low 8 bits")
        << QByteArray("99999999999999999999 1") << 2 << withFirst({255, 1});
    QTest::newRow("text inside stops") << QByteArray("1 2 x 4 5") << 2 << withFirst({1, 2});
    QTest::newRow("text right after a number") << QByteArray("7 12abc 9") << 2 << withFirst({7, 12});
    QTest::newRow("minus is not a number") << QByteArray("-5 6") << 0 << base();
    QTest::newRow("empty") << QByteArray() << 0 << base();
    QTest::newRow("blanks only") << QByteArray(" \r\n\t ") << 0 << base();
    QTest::newRow("LF, tabs, no trailing blank") << QByteArray("\t3\n4\t5") << 3 << withFirst({3, 4, 5});
}

void tst_ParameterSnapshot::read()
{
    QFETCH(QByteArray, text);
    QFETCH(int, stored);
    QFETCH(ParameterImage, expected);
    ParameterImage image = base();
    QCOMPARE(readParameterSnapshot(text, image), stored);
    QCOMPARE(image, expected);
}

void tst_ParameterSnapshot::fileRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("folder/_Korvo_TCI.ini");
    const ParameterImage image = base();
    QVERIFY(saveParameterSnapshot(path, image));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), parameterSnapshotText(image));
    ParameterImage back{};
    QVERIFY(loadParameterSnapshot(path, back));
    QCOMPARE(back, image);
}

void tst_ParameterSnapshot::missingFileChangesNothing()
{
    QTemporaryDir dir;
    ParameterImage image = base();
    QVERIFY(!loadParameterSnapshot(dir.filePath("none"), image));
    QVERIFY(!loadParameterSnapshot(dir.path(), image)); // a folder
    QCOMPARE(image, base());
}

void tst_ParameterSnapshot::saveFailureKeepsOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString path = dir.filePath("_Korvo_TCI.ini");
    QVERIFY(saveParameterSnapshot(path, base()));
    QString error;
    {
        FileSizeLimit limit(100);
        QVERIFY(limit.active());
        QVERIFY(!saveParameterSnapshot(path, ParameterImage{}, &error));
    }
    QVERIFY(!error.isEmpty());
    ParameterImage back{};
    QVERIFY(loadParameterSnapshot(path, back));
    QCOMPARE(back, base());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"_Korvo_TCI.ini"});
#else
    QSKIP("needs a file size limit");
#endif
}

void tst_ParameterSnapshot::fileWithoutRightsIsWrittenReadable()
{
    // Mode 000 kept through the rewrite would lose every later snapshot.
    QTemporaryDir dir;
    const QString path = dir.filePath("_Korvo_TCI.ini");
    QVERIFY(saveParameterSnapshot(path, ParameterImage{}));
    QVERIFY(QFile::setPermissions(path, {}));
    QVERIFY(saveParameterSnapshot(path, base()));
    QVERIFY(QFile::permissions(path).testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ParameterImage back{};
    QVERIFY(loadParameterSnapshot(path, back));
    QCOMPARE(back, base());
}

QTEST_GUILESS_MAIN(tst_ParameterSnapshot)
#include "tst_ParameterSnapshot.moc"
