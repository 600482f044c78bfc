#include "AppPaths.h"

#include "ParameterSnapshot.h"
#include "Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

class tst_AppPaths : public QObject
{
    Q_OBJECT

private slots:
    void filePlaces();
    void exeDirDataFile_data();
    void exeDirDataFile();
    void programFolderNotWritable();
};

void tst_AppPaths::filePlaces()
{
#ifdef Q_OS_WIN
    QCOMPARE(snapshotFilePath(), QString("c:\\windows\\_Korvo_TCI.ini"));
    QCOMPARE(testMarkerFilePath(), QString("c:\\test_torbel.txt"));
    QVERIFY(settingsFilePath().endsWith("\\Korvo_TCI.ini"));
#else
    QTemporaryDir dir;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
    const QString folder = dir.path() + "/korvo-tci/";
    const QString settings = settingsFilePath();
    const QString snapshot = snapshotFilePath();
    const QString marker = testMarkerFilePath();
    // The first save makes the folder.
    const bool savedSettings = saveSettingsFile(settings, Settings{});
    const bool savedSnapshot = saveParameterSnapshot(snapshot, ParameterImage{});
    qputenv("XDG_CONFIG_HOME", oldConfig);

    QCOMPARE(settings, folder + "Korvo_TCI.ini");
    QCOMPARE(snapshot, folder + "_Korvo_TCI.ini");
    QCOMPARE(marker, folder + "test_torbel.txt");
    QVERIFY(savedSettings);
    QVERIFY(savedSnapshot);
    QCOMPARE(QFileInfo(snapshot).size(), ParameterSnapshotSize);
#endif
}

void tst_AppPaths::exeDirDataFile_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("dataFile");
    QTest::newRow("bare name") << QString("korvo") << QString("data.ign");
    QTest::newRow("empty") << QString() << QString("data.ign");
    QTest::newRow("slashes") << QString("/opt/korvo tci/bin/korvo") << QString("/opt/korvo tci/bin/data.ign");
    QTest::newRow("root") << QString("/korvo") << QString("/data.ign");
#ifdef Q_OS_WIN
    QTest::newRow("backslashes") << QString("C:\\Korvo\\Korvo.exe") << QString("C:\\Korvo\\data.ign");
    QTest::newRow("mixed") << QString("C:/Korvo\\bin/Korvo.exe") << QString("C:/Korvo\\bin/data.ign");
#else
    QTest::newRow("backslash is a name character") << QString("/opt/a\\b") << QString("/opt/data.ign");
#endif
}

void tst_AppPaths::exeDirDataFile()
{
    QFETCH(QString, executable);
    QFETCH(QString, dataFile);
    QCOMPARE(ExeDirDataFile(executable), dataFile);
}

// Installed, the program's folder is not the user's: its data folder stands in.
void tst_AppPaths::programFolderNotWritable()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString data = dir.filePath(QStringLiteral("data"));
    bool usedData = true;
    QCOMPARE(ProgramFolderDataFile(dir.filePath(QStringLiteral("korvo-tci")), data, &usedData),
             dir.filePath(QStringLiteral("data.ign")));
    QVERIFY(!usedData);
    // A folder that is not there cannot be written, whoever runs the test.
    QCOMPARE(ProgramFolderDataFile(dir.filePath(QStringLiteral("gone/korvo-tci")), data, &usedData),
             data + QStringLiteral("/data.ign"));
    QVERIFY(usedData);
#ifdef Q_OS_UNIX
    if (::geteuid() != 0) {
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QCOMPARE(ProgramFolderDataFile(dir.filePath(QStringLiteral("korvo-tci")), data, &usedData),
                 data + QStringLiteral("/data.ign"));
        QVERIFY(usedData);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
#endif
}

QTEST_GUILESS_MAIN(tst_AppPaths)
#include "tst_AppPaths.moc"
