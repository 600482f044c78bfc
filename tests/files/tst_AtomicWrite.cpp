#include "FileSizeLimit.h"
#include "OddFiles.h"
#include "TestFiles.h"
#include "Unprivileged.h"

#include "AtomicWrite.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Writing a whole file: what is replaced, what is written in place, what is left alone,
// and that the previous content survives every failure.
class tst_AtomicWrite : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void leavesAllButRegularFilesAlone_data();
    void leavesAllButRegularFilesAlone();
    void writesInPlaceWhereItMust_data();
    void writesInPlaceWhereItMust();
    void ownFileBecomesReadable();
    void staleTemporaryFiles();

private:
    QTemporaryDir *m_dir = nullptr;
};

void tst_AtomicWrite::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
}

void tst_AtomicWrite::cleanup()
{
#ifdef Q_OS_UNIX
    // A folder made read-only by a test must be writable again to be removed.
    ::chmod(QFile::encodeName(m_dir->filePath("shelf")).constData(), 0755);
#endif
    delete m_dir;
    m_dir = nullptr;
}

void tst_AtomicWrite::leavesAllButRegularFilesAlone_data()
{
#ifdef Q_OS_UNIX
    QTest::addColumn<OddKind>("kind");
    QTest::addColumn<bool>("throughLink"); // the path is a symbolic link to the thing
    QTest::newRow("pipe") << OddKind::Fifo << false;
    QTest::newRow("link to a pipe") << OddKind::Fifo << true;
    QTest::newRow("folder") << OddKind::Folder << false;
    QTest::newRow("device") << OddKind::NullDevice << false;
    QTest::newRow("link to a device") << OddKind::NullDevice << true;
#endif
}

void tst_AtomicWrite::leavesAllButRegularFilesAlone()
{
#ifndef Q_OS_UNIX
    QSKIP("needs pipes and device nodes");
#else
    QFETCH(OddKind, kind);
    QFETCH(bool, throughLink);
    const QString thing = m_dir->filePath("thing");
    if (!makeOdd(thing, kind))
        QSKIP(needsRoot(kind) ? "making a device node needs root" : "cannot make the node");
    const QString path = throughLink ? m_dir->filePath("link") : thing;
    if (throughLink)
        QVERIFY(QFile::link(thing, path));

    QVERIFY(!canWriteFile(path));
    const FileWriteReport report = writeFileSafely(path, "new content", {true});
    QCOMPARE(report.result, FileWriteResult::NotRegularFile);
    QVERIFY(!report.errorString.isEmpty());
    QCOMPARE(kindAt(thing), kindOf(kind));
    QCOMPARE(kindAt(path), throughLink ? 'l' : kindOf(kind));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size(),
             throughLink ? 2 : 1);
#endif
}

void tst_AtomicWrite::writesInPlaceWhereItMust_data()
{
    QTest::addColumn<bool>("readOnlyFolder"); // else the file has a second hard link
    QTest::addColumn<int>("sizeLimit");       // 0: none
    QTest::addColumn<int>("newSize");
    QTest::addColumn<FileWriteResult>("result");

    // The previous content is 311 bytes, the size of a parameter file.
    QTest::newRow("read-only folder") << true << 0 << 311 << FileWriteResult::Written;
    QTest::newRow("hard link") << false << 0 << 311 << FileWriteResult::Written;
    QTest::newRow("hard link, shorter") << false << 0 << 40 << FileWriteResult::Written;
    QTest::newRow("hard link, longer") << false << 0 << 900 << FileWriteResult::Written;
    QTest::newRow("read-only folder, cut short in the old bytes")
        << true << 100 << 311 << FileWriteResult::PreviousRestored;
    QTest::newRow("hard link, cut short in the old bytes") << false << 100 << 311 << FileWriteResult::PreviousRestored;
    QTest::newRow("hard link, cut short beyond the old end")
        << false << 500 << 900 << FileWriteResult::PreviousRestored;
}

void tst_AtomicWrite::writesInPlaceWhereItMust()
{
#ifndef Q_OS_UNIX
    QSKIP("needs hard links, a file size limit and folder permissions");
#else
    QFETCH(bool, readOnlyFolder);
    QFETCH(int, sizeLimit);
    QFETCH(int, newSize);
    QFETCH(FileWriteResult, result);

    const QString folder = m_dir->filePath("shelf");
    const QString path = folder + QStringLiteral("/bike.ign");
    const QString other = m_dir->filePath("same bike.ign");
    const QByteArray previous = QByteArray(300, 'p') + QByteArray(11, 'q');
    const QByteArray next(newSize, 'n');
    writeFile(path, previous);
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(0x6666))); // rw for everyone
    if (!readOnlyFolder)
        QVERIFY(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) == 0);
    // Traversable by the unprivileged user; the shelf itself read-only when asked.
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), readOnlyFolder ? 0555 : 0755) == 0);

    FileWriteReport report;
    {
        Unprivileged user;
        QVERIFY(user.active());
        QVERIFY(canWriteFile(path));
        FileSizeLimit limit(rlim_t(sizeLimit > 0 ? sizeLimit : RLIM_INFINITY));
        QVERIFY(limit.active());
        report = writeFileSafely(path, next);
    }
    QCOMPARE(report.result, result);
    QCOMPARE(report.errorString.isEmpty(), result == FileWriteResult::Written);
    const QByteArray expected = result == FileWriteResult::Written ? next : previous;
    QCOMPARE(readFile(path), expected);
    if (!readOnlyFolder) {
        QCOMPARE(readFile(other), expected);
        struct stat st{};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &st) == 0);
        QCOMPARE(st.st_nlink, nlink_t(2));
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"bike.ign"});
#endif
}

void tst_AtomicWrite::ownFileBecomesReadable()
{
    // Mode 000 kept through a rewrite would make the file unreadable for good.
    const QString path = m_dir->filePath("_Korvo_TCI.ini");
    writeFile(path, "old");
    QVERIFY(QFile::setPermissions(path, {}));
    FileWriteOptions own;
    own.ownerReadWrite = true;
    QVERIFY(writeFileSafely(path, "new", own).ok());
    QVERIFY(QFile::permissions(path).testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(readFile(path), QByteArray("new"));
}

void tst_AtomicWrite::staleTemporaryFiles()
{
    const QString path = m_dir->filePath("Korvo_TCI.ini");
    const QDateTime old = QDateTime::currentDateTimeUtc().addSecs(-600);
    struct Leftover
    {
        const char *name;
        bool old;
        bool removed;
    };
    const Leftover leftovers[] = {
        {"Korvo_TCI.ini.korvo-new.aB3xY9", true, true},
        {"Korvo_TCI.ini.korvo-new.Qw12er", false, false}, // another copy may be writing it now
        // The user's own files, however they are named.
        {"Korvo_TCI.ini.backup", true, false},
        {"Korvo_TCI.ini.aB3xY9", true, false},
        {"Korvo_TCI.ini", true, false},
        {"Other.ini.korvo-new.aB3xY9", true, false},
    };
    for (const Leftover &l : leftovers) {
        writeFile(m_dir->filePath(l.name), "x");
        if (l.old) {
            QFile file(m_dir->filePath(l.name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }
    }
    removeStaleTemporaryFiles(path);
    for (const Leftover &l : leftovers)
        QVERIFY2(QFileInfo::exists(m_dir->filePath(l.name)) != l.removed, l.name);
}

QTEST_GUILESS_MAIN(tst_AtomicWrite)
#include "tst_AtomicWrite.moc"
