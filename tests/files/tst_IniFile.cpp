#include "IniFile.h"
#include "TestFiles.h"

#include "FileSizeLimit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class tst_IniFile : public QObject
{
    Q_OBJECT

private slots:
    void parseInteger_data();
    void parseInteger();
    void lookup_data();
    void lookup();
    void write_data();
    void write();
    void portMap();
    void loadSaveKeepsBytes();
    void saveFailureKeepsOldFile();
    void saveIntoMissingPlaceFails();

private:
    static QString writeFile(const QTemporaryDir &dir, const QByteArray &bytes)
    {
        const QString path = dir.filePath("test.ini");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write test file");
        return path;
    }
};

void tst_IniFile::parseInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    constexpr int Def = 77;
    QTest::newRow("empty") << QByteArray("") << Def;
    QTest::newRow("decimal") << QByteArray("42") << 42;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("minus one") << QByteArray("-1") << -1;
    QTest::newRow("hex") << QByteArray("0x1F") << 31;
    QTest::newRow("hex upper X") << QByteArray("0X1f") << 31;
    QTest::newRow("hex three chars") << QByteArray("0x9") << 9;
    QTest::newRow("0x alone") << QByteArray("0x") << Def;
    QTest::newRow("0X alone") << QByteArray("0X") << Def;
    QTest::newRow("hex bad digit") << QByteArray("0x1G") << Def;
    QTest::newRow("hex 32 bits") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("hex beyond 32 bits") << QByteArray("0x100000000") << Def;
    QTest::newRow("minus hex") << QByteArray("-0x1F") << Def;
    QTest::newRow("trailing text") << QByteArray("12abc") << Def;
    QTest::newRow("text") << QByteArray("abc") << Def;
    QTest::newRow("minus alone") << QByteArray("-") << Def;
    QTest::newRow("double minus") << QByteArray("--1") << Def;
    QTest::newRow("plus") << QByteArray("+5") << Def;
    QTest::newRow("blank inside") << QByteArray("1 2") << Def;
    QTest::newRow("int max") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("above int max") << QByteArray("2147483648") << Def;
    QTest::newRow("int min") << QByteArray("-2147483648") << int(-2147483647 - 1);
    QTest::newRow("below int min") << QByteArray("-2147483649") << Def;
    QTest::newRow("many digits") << QByteArray("99999999999999999999999") << Def;
}

void tst_IniFile::parseInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    QCOMPARE(IniFile::parseInteger(text, 77), expected);
}

void tst_IniFile::lookup_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("expected"); // null = absent

    const QByteArray file = "Top=1\n"
                            "; comment=5\n"
                            "[FORM_HLAV]\n"
                            "  Left  =  12  \n"
                            "Left=99\n"
                            "File= my file.ign \t\n"
                            "Path=a=b\n"
                            "NoValue\n"
                            "Empty=\n"
                            "[IGNITION]\r\n"
                            "CheckBoxIgnAll->Checked=1\r\n"
                            "[FORM_HLAV]\n"
                            "Width=5\n";
    QTest::newRow("key") << file << QByteArray("FORM_HLAV") << QByteArray("Left") << QString("12");
    QTest::newRow("letter case") << file << QByteArray("form_hlav") << QByteArray("LEFT") << QString("12");
    QTest::newRow("blanks trimmed") << file << QByteArray("FORM_HLAV") << QByteArray("File")
                                    << QString("my file.ign");
    QTest::newRow("equals in value") << file << QByteArray("FORM_HLAV") << QByteArray("Path")
                                     << QString("a=b");
    QTest::newRow("empty value") << file << QByteArray("FORM_HLAV") << QByteArray("Empty") << QString("");
    QTest::newRow("line without =") << file << QByteArray("FORM_HLAV") << QByteArray("NoValue") << QString();
    QTest::newRow("key before any section")
        << file << QByteArray("FORM_HLAV") << QByteArray("Top") << QString();
    QTest::newRow("comment") << file << QByteArray("FORM_HLAV") << QByteArray("; comment") << QString();
    QTest::newRow("literal arrow key, CR LF")
        << file << QByteArray("Ignition") << QByteArray("checkboxignall->checked") << QString("1");
    QTest::newRow("other section") << file << QByteArray("IGNITION") << QByteArray("Left") << QString();
    QTest::newRow("repeated section not searched")
        << file << QByteArray("FORM_HLAV") << QByteArray("Width") << QString();
    QTest::newRow("missing section") << file << QByteArray("BASIC") << QByteArray("ComPort") << QString();
    QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF[BASIC]\r\nComPort=3\r\n") << QByteArray("BASIC")
                         << QByteArray("ComPort") << QString("3");
    QTest::newRow("bytes beyond ASCII are not folded")
        << QByteArray("[\xC3\x80]\nk=1\n") << QByteArray("\xE3\x80") << QByteArray("k") << QString();
    QTest::newRow("garbage") << QByteArray("\x01\xff[\n[BASIC\n]\n=7\n[BASIC]\nComPort=4")
                             << QByteArray("BASIC") << QByteArray("ComPort") << QString("4");
}

void tst_IniFile::lookup()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QString, expected);
    const IniFile ini(text);
    const auto value = ini.value(section, key);
    QCOMPARE(value.has_value(), !expected.isNull());
    if (value)
        QCOMPARE(QString::fromUtf8(*value), expected);
    QCOMPARE(ini.readString(section, key, "default"), expected.isNull() ? QString("default") : expected);
}

void tst_IniFile::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("in place, spelling and CR LF kept")
        << QByteArray("; settings\r\n[form_hlav]\r\n LEFT = 5\r\nTop=1\r\n") << QByteArray("FORM_HLAV")
        << QByteArray("Left") << QString("17")
        << QByteArray("; settings\r\n[form_hlav]\r\n LEFT =17\r\nTop=1\r\n");
    QTest::newRow("new key after the section's last entry")
        << QByteArray("[A]\nx=1\n; note\n\n[B]\ny=2\n") << QByteArray("a") << QByteArray("z") << QString("3")
        << QByteArray("[A]\nx=1\n; note\nz=3\n\n[B]\ny=2\n");
    QTest::newRow("new key in an empty last section")
        << QByteArray("[A]\r\n") << QByteArray("A") << QByteArray("k") << QString("v")
        << QByteArray("[A]\r\nk=v\r\n");
    QTest::newRow("new section with the file's line end")
        << QByteArray("[A]\r\nx=1\r\n") << QByteArray("IGNITION") << QByteArray("CheckBoxIgnAll->Checked")
        << QString("0") << QByteArray("[A]\r\nx=1\r\n[IGNITION]\r\nCheckBoxIgnAll->Checked=0\r\n");
    QTest::newRow("last line without line end")
        << QByteArray("[A]\r\nx=1") << QByteArray("A") << QByteArray("y") << QString("2")
        << QByteArray("[A]\r\nx=1\r\ny=2\r\n");
    QTest::newRow("new section after last line without line end")
        << QByteArray("[A]\nx=1") << QByteArray("B") << QByteArray("y") << QString("2")
        << QByteArray("[A]\nx=1\n[B]\ny=2\n");
    QTest::newRow("empty file") << QByteArray() << QByteArray("B") << QByteArray("y") << QString("2")
                                << QByteArray("[B]\ny=2\n");
    QTest::newRow("line breaks dropped from value")
        << QByteArray("[A]\nf=old\n") << QByteArray("A") << QByteArray("f") << QString("a\r\n[X]\nb")
        << QByteArray("[A]\nf=a[X]b\n");
    QTest::newRow("lone CR kept in value, as it reads back")
        << QByteArray("[A]\nf=old\n") << QByteArray("A") << QByteArray("f") << QString("a\rn.ign")
        << QByteArray("[A]\nf=a\rn.ign\n");
    QTest::newRow("UTF-8 text, BOM kept")
        << QByteArray("\xEF\xBB\xBF[A]\n") << QByteArray("A") << QByteArray("f") << QString("čas.ign")
        << QByteArray("\xEF\xBB\xBF[A]\nf=") + QString("čas.ign").toUtf8() + "\n";
}

void tst_IniFile::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    IniFile ini(before);
    ini.writeString(section, key, value);
    QCOMPARE(ini.text(), after);
}

void tst_IniFile::portMap()
{
    const IniFile ini(QByteArray("[BASIC]\nCOM2=/dev/wrong\n"
                                 "[ports]\r\n"
                                 "COM1=/dev/ttyUSB0\r\n"
                                 "com3 = /dev/ttyS2 \r\n"
                                 "COM5=\r\n"
                                 "COM0=/dev/zero\r\n"
                                 "COM21=/dev/pts/4\r\n"
                                 "COM22=/dev/pts/5\r\n"
                                 "COM01=/dev/leading\r\n"));
    const QMap<int, QString> expected{{1, "/dev/ttyUSB0"}, {3, "/dev/ttyS2"}, {21, "/dev/pts/4"}};
    QCOMPARE(ini.portMap(), expected);
    QVERIFY(IniFile().portMap().isEmpty());
}

void tst_IniFile::loadSaveKeepsBytes()
{
    QTemporaryDir dir;
    const QByteArray bytes =
        "; top comment\r\n\r\n[PORTS]\nCOM1=/dev/ttyUSB0\r\n[Other]\r\n  odd line\r\nk=v";
    const QString path = writeFile(dir, bytes);
    IniFile ini;
    QVERIFY(ini.load(path));
    QVERIFY(ini.save(path));
    QCOMPARE(readFile(path), bytes);

    QVERIFY(!ini.load(dir.filePath("missing.ini")));
    QVERIFY(ini.text().isEmpty());
    QVERIFY(!ini.errorString().isEmpty());
}

void tst_IniFile::saveFailureKeepsOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QByteArray old = "[A]\nx=1\n";
    const QString path = writeFile(dir, old);
    IniFile ini(old);
    ini.writeString("A", "x", QString(4096, u'y'));
    {
        FileSizeLimit limit(1024);
        QVERIFY(limit.active());
        QVERIFY(!ini.save(path));
    }
    QVERIFY(!ini.errorString().isEmpty());
    QCOMPARE(readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"test.ini"}); // no temporary left
#else
    QSKIP("needs a file size limit");
#endif
}

void tst_IniFile::saveIntoMissingPlaceFails()
{
    QTemporaryDir dir;
    const QString notAFolder = writeFile(dir, "x");
    IniFile ini(QByteArray("[A]\n"));
    QVERIFY(!ini.save(notAFolder + "/sub.ini"));
    QVERIFY(!ini.errorString().isEmpty());
}

QTEST_GUILESS_MAIN(tst_IniFile)
#include "tst_IniFile.moc"
