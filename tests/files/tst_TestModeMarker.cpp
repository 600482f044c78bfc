#include "TestModeMarker.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_TestModeMarker : public QObject
{
    Q_OBJECT

private slots:
    void words_data();
    void words();
    void file_data();
    void file();
    void missingFile();
};

void tst_TestModeMarker::words_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("alone") << QByteArray("TEST_ENABLE") << true;
    QTest::newRow("among words and line ends") << QByteArray("foo\r\n\tTEST_ENABLE  bar\n") << true;
    QTest::newRow("after a 300-character word") << QByteArray(300, 'T') + " TEST_ENABLE" << true;
    QTest::newRow("lower case") << QByteArray("test_enable") << false;
    QTest::newRow("longer word") << QByteArray("TEST_ENABLED") << false;
    QTest::newRow("prefixed word") << QByteArray("XTEST_ENABLE") << false;
    QTest::newRow("shorter word") << QByteArray("TEST_ENABL") << false;
    QTest::newRow("long word starting with it") << "TEST_ENABLE" + QByteArray(100000, 'E') << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void tst_TestModeMarker::words()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, enabled);
    QCOMPARE(markerEnablesTestMode(text), enabled);
}

void tst_TestModeMarker::file_data()
{
    // The file is read in pieces; a word may straddle two of them.
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("enabled");
    for (const int at : {0, 4090, 4096, 8185})
        QTest::addRow("word at %d", at) << QByteArray(at, ' ') + "TEST_ENABLE" << true;
    QTest::newRow("longer word across a piece end") << QByteArray(4090, ' ') + "TEST_ENABLEX" << false;
}

void tst_TestModeMarker::file()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, enabled);
    QTemporaryDir dir;
    const QString path = dir.filePath("test_torbel.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(text), text.size());
    f.close();
    QCOMPARE(readTestModeMarker(path), enabled);
}

void tst_TestModeMarker::missingFile()
{
    QTemporaryDir dir;
    QVERIFY(!readTestModeMarker(dir.filePath("test_torbel.txt")));
    QVERIFY(!readTestModeMarker(dir.path()));
}

QTEST_GUILESS_MAIN(tst_TestModeMarker)
#include "tst_TestModeMarker.moc"
