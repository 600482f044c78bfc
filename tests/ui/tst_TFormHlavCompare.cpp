#include "BackupStore.h"
#include "CompareDialog.h"
#include "CompareWiring.h"
#include "SimulatedUnitWindow.h"
#include "LinkDriver.h"
#include "SimulatedUnitPort.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QTableWidget>

// Compare with the unit and the backup before every write, in the window, against the
// simulated unit on a clock that moves 55 ms per tick.
class tst_TFormHlavCompare : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void programKeepsTheUnitsOldSetOnce();
    void compareShowsDifferencesAndTakesTheUnitsSet();
    void compareOfTheSameSet();
    void verifyErrorThenCompareReadsNothing();
    void programKeepsTheUnitsReservedBytes();
    void backupFolderNotWritable();
    void openBackupStartsInTheFolder();

private:
    void makeFixture(const QString &backupFolder = QString())
    {
        m_window.start(QStringList{}, false, QString{}, backupFolder);
    }
    void tick(int n) { m_window.tick(n); }
    // The unit's old set: the start-up set with another limiter and reserved bytes.
    UnitBlock oldUnitSet() const
    {
        UnitBlock b{};
        std::copy_n(form()->Parameters.image.begin(), UnitBlockSize, b.begin());
        b[IgnitionParameters::OffsetLimiter] = 111;
        b[9] = 0x42;
        b[33] = 7;
        return b;
    }
    QStringList backupFiles() const
    {
        return QDir(form()->Compare->backupFolder()).entryList({"*.ign"}, QDir::Files, QDir::Name);
    }
    QStringList tableRows() const
    {
        QStringList rows;
        const QTableWidget *table = form()->Compare->dialog()->CompareTable;
        for (int r = 0; r < table->rowCount(); ++r)
            rows << table->item(r, 0)->text() + " | " + table->item(r, 1)->text() + " | " + table->item(r, 2)->text();
        return rows;
    }

    SimulatedUnitWindow m_window;
    TFormHlav *form() const { return m_window.form(); }
    QLabel *backupStatus() const { return m_window->find<QLabel>("BackupStatus"); }
};

void tst_TFormHlavCompare::init()
{
    makeFixture();
    m_window.ports().unit().parameterBlock() = oldUnitSet();
    tick(2);
}

void tst_TFormHlavCompare::cleanup()
{
    m_window.reset();
}

void tst_TFormHlavCompare::programKeepsTheUnitsOldSetOnce()
{
    const UnitBlock old = oldUnitSet();
    m_window->typeAndLeave("EditOmez2", "12500");
    QTest::keyClick(form(), Qt::Key_F9);
    tick(40);
    QCOMPARE(int(m_window.ports().unit().parameterBlock()[IgnitionParameters::OffsetLimiter]), 125);

    QCOMPARE(backupFiles().size(), 1);
    const QString path = QDir(form()->Compare->backupFolder()).filePath(backupFiles().first());
    UnitBlock kept{};
    QVERIFY(BackupStore::ReadBackup(path, kept));
    QCOMPARE(kept, old);
    // An ordinary parameter file: File > Open takes it.
    m_window->prompts.openFileNames << path;
    QTest::keyClick(form(), Qt::Key_F3);
    QCOMPARE(form()->Parameters.LIMITER(), quint8(111));
    QVERIFY(backupStatus()->isHidden());

    // The unit now holds what we wrote: a second Program of it keeps nothing more, and
    // neither does one of another set.
    m_window->typeAndLeave("EditOmez2", "12500");
    QTest::keyClick(form(), Qt::Key_F9);
    tick(40);
    m_window->typeAndLeave("EditOmez2", "13000");
    QTest::keyClick(form(), Qt::Key_F9);
    tick(40);
    QCOMPARE(int(m_window.ports().unit().parameterBlock()[IgnitionParameters::OffsetLimiter]), 130);
    QCOMPARE(backupFiles().size(), 1);
}

void tst_TFormHlavCompare::compareShowsDifferencesAndTakesTheUnitsSet()
{
    const UnitBlock unitSet = m_window.ports().unit().parameterBlock();
    m_window->typeAndLeave("EditOmez2", "12500");
    m_window->typeAndLeave("EditBaseAdv", "8");
    QVERIFY(form()->Undo.CanUndo());
    const IgnitionParameters edited = form()->Parameters;

    QTest::keyClick(form(), Qt::Key_F6);
    QCOMPARE(form()->LabelHlaseni->text(), QStringLiteral("Compare with unit:"));
    tick(3);
    QVERIFY(form()->Compare->dialog());
    QVERIFY(form()->Compare->dialog()->isVisible());
    QCOMPARE(tableRows(), (QStringList{"Base advance | 5\u00B0 | 8\u00B0", "Limiter | 11100 | 12500",
                                       "Reserved bytes | byte 9: 66, byte 33: 7 | byte 9: 0, byte 33: 0"}));
    QCOMPARE(form()->Parameters, edited); // compared, not taken

    QTest::mouseClick(form()->Compare->dialog()->CompareTake, Qt::LeftButton);
    QTRY_VERIFY(!form()->Compare->dialog());
    QVERIFY(std::equal(unitSet.begin(), unitSet.end(), form()->Parameters.image.begin()));
    QCOMPARE(m_window->edit("EditOmez2")->text(), QStringLiteral("11,100"));
    QCOMPARE(m_window.ports().unit().parameterBlock(), unitSet); // nothing was written

    // One step back gives the edited set again.
    QVERIFY(form()->SpeedButtonZpet->isEnabled());
    QTest::mouseClick(form()->SpeedButtonZpet, Qt::LeftButton);
    QCOMPARE(form()->Parameters, edited);
}

void tst_TFormHlavCompare::compareOfTheSameSet()
{
    form()->Compare->takeUnitSet(m_window.ports().unit().parameterBlock());
    QTest::keyClick(form(), Qt::Key_F6);
    tick(3);
    QVERIFY(form()->Compare->dialog());
    QVERIFY(form()->Compare->dialog()->CompareNoDifference->isVisible());
    QCOMPARE(form()->Compare->dialog()->CompareNoDifference->text(), QStringLiteral("The unit holds the set shown."));
    QVERIFY(form()->Compare->dialog()->CompareTable->isHidden());
    QVERIFY(!form()->Compare->dialog()->CompareTake->isEnabled());
    QTest::mouseClick(form()->Compare->dialog()->CompareClose, Qt::LeftButton);
    QTRY_VERIFY(!form()->Compare->dialog());
}

void tst_TFormHlavCompare::verifyErrorThenCompareReadsNothing()
{
    m_window->typeAndLeave("EditOmez2", "12500");
    QTest::keyClick(form(), Qt::Key_F8);
    tick(25);
    QCOMPARE(form()->LabelHlaseni->text(), QStringLiteral("Verify error!"));

    const int answers = m_window.ports().unit().blockAnswers();
    QTest::keyClick(form(), Qt::Key_F6);
    QCoreApplication::processEvents();
    QVERIFY(form()->Compare->dialog());
    QCOMPARE(m_window.ports().unit().blockAnswers(), answers);
    QVERIFY(tableRows().contains("Limiter | 11100 | 12500"));
}

// F9 sends the unit's own reserved bytes back, as read just before the write, and the
// editor's set takes them: the write verifies whole, whatever the editor held there.
void tst_TFormHlavCompare::programKeepsTheUnitsReservedBytes()
{
    for (int b = 0; b < UnitBlockSize; ++b)
        if (IsReservedByte(b))
            m_window.ports().unit().parameterBlock()[b] = quint8(0x60 + b);
    const auto before = m_window.ports().unit().parameterBlock();
    tick(2);
    m_window->typeAndLeave("EditOmez2", "12500");
    QTest::keyClick(form(), Qt::Key_F9);
    tick(60);
    const auto &after = m_window.ports().unit().parameterBlock();
    QCOMPARE(int(after[IgnitionParameters::OffsetLimiter]), 125);
    for (int b = 0; b < UnitBlockSize; ++b)
        if (IsReservedByte(b)) {
            QCOMPARE(after[b], before[b]);
            QCOMPARE(form()->Parameters.image[b], before[b]);
        }
    QCOMPARE(form()->link().LabelHlaseni.caption, QStringLiteral("Programing: OK"));
}

void tst_TFormHlavCompare::backupFolderNotWritable()
{
    // A file where the folder should be: it cannot be made, whoever runs the test.
    QTemporaryDir dir;
    const QString blocked = dir.filePath("blocked");
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    // Deep enough that the whole text would run past the window's edge.
    makeFixture(blocked + u'/' + QString(120, u'f') + "/backups");
    tick(2);

    m_window->typeAndLeave("EditOmez2", "12500");
    QTest::keyClick(form(), Qt::Key_F9);
    tick(40);
    // The write went ahead, and the status bar says why no backup was kept.
    QCOMPARE(int(m_window.ports().unit().parameterBlock()[IgnitionParameters::OffsetLimiter]), 125);
    QVERIFY(backupStatus()->isVisible());
    QVERIFY2(backupStatus()->text().startsWith("No backup of the unit's set was kept: the folder "),
             qPrintable(backupStatus()->text()));
    // Shortened in the middle: the reason at its end stays in sight, the whole is the tooltip.
    QVERIFY2(backupStatus()->text().endsWith("cannot be created"), qPrintable(backupStatus()->text()));
    QVERIFY(backupStatus()->fontMetrics().horizontalAdvance(backupStatus()->text()) <= form()->StatusBar1->width());
    QVERIFY(backupStatus()->toolTip().contains(QString(120, u'f')));
    // Hints do not take it away; the language does not lose it.
    form()->HintToStatusBar("a hint");
    QVERIFY(backupStatus()->isVisible());
    QTest::keyClick(form(), Qt::Key_F9); // no real change: still none kept
    tick(40);
    QVERIFY(backupStatus()->isVisible());
}

void tst_TFormHlavCompare::openBackupStartsInTheFolder()
{
    const QString before = form()->OpenDialog1FileName;
    form()->MenuOpenBackup->trigger();
    QCOMPARE(m_window->prompts.openDialogs.size(), 1);
    QCOMPARE(m_window->prompts.openDialogs[0].fileName, form()->Compare->backupFolder() + "/");
    QVERIFY(QFileInfo(form()->Compare->backupFolder()).isDir());
    // Cancelled: File > Open starts where it did.
    QCOMPARE(form()->OpenDialog1FileName, before);
}

QTEST_MAIN(tst_TFormHlavCompare)
#include "tst_TFormHlavCompare.moc"
