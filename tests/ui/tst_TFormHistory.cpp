#include "CompareDialog.h"
#include "CompareWiring.h"
#include "SimulatedUnitWindow.h"
#include "LinkDriver.h"
#include "SimulatedUnitPort.h"
#include "TFormCurve.h"
#include "TFormHistory.h"
#include "TFormSideBySide.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

// Tools > Unit history in the window, against the simulated unit on a clock that moves
// 55 ms per tick: two writes make three entries, and the first one programmed puts the
// unit back to the set it came with.
class tst_TFormHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void twoWritesAndOneStepBack();
    void anotherUnitIsRefused();

private:
    void tick(int n) { m_window.tick(n); }
    void programLimiter(const char *value)
    {
        m_window->typeAndLeave("EditOmez2", value);
        QTest::keyClick(form(), Qt::Key_F9);
        tick(40);
    }
    TFormHistory *openHistory()
    {
        m_window->find<QAction>("MenuHistory")->trigger();
        auto *history = form()->findChild<TFormHistory *>("FormHistory");
        return history && history->isVisible() ? history : nullptr;
    }
    // Each entry line of the tree: its kind and changed fields.
    static QStringList lines(const TFormHistory *history)
    {
        QStringList all;
        const QTreeWidgetItem *unit = history->HistoryTree->topLevelItem(0);
        for (int e = 0; unit && e < unit->childCount(); ++e)
            all << unit->child(e)->text(2) + " | " + unit->child(e)->text(3);
        return all;
    }
    // Row 0 is the newest entry.
    static void select(TFormHistory *history, int row)
    {
        history->HistoryTree->setCurrentItem(history->HistoryTree->topLevelItem(0)->child(row));
    }

    SimulatedUnitWindow m_window;
    UnitBlock m_cameWith{};
    TFormHlav *form() const { return m_window.form(); }
};

void tst_TFormHistory::init()
{
    m_window.start();
    std::copy_n(form()->Parameters.image.begin(), UnitBlockSize, m_cameWith.begin());
    m_cameWith[IgnitionParameters::OffsetLimiter] = 111;
    m_cameWith[9] = 0x42;
    m_cameWith[33] = 7;
    m_window.ports().unit().parameterBlock() = m_cameWith;
    tick(2);
}

void tst_TFormHistory::cleanup()
{
    m_window.reset();
}

void tst_TFormHistory::twoWritesAndOneStepBack()
{
    programLimiter("12500");
    programLimiter("13000");
    const QString foreign = QDir(form()->Compare->backupFolder()).filePath(QStringLiteral("notes.txt"));
    {
        QFile notes(foreign);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write("mine");
    }
    TFormHistory *history = openHistory();
    QVERIFY(history);
    QVERIFY(history->HistorySkippedFiles->isVisible());
    QVERIFY(history->HistorySkippedFiles->text().endsWith(
        QStringLiteral("notes.txt: not a file of the backup store")));
    QVERIFY(QFile::exists(foreign));
    QCOMPARE(history->HistoryTree->topLevelItemCount(), 1);
    QCOMPARE(lines(history),
             (QStringList{"written | Limiter 12500 > 13000", "written | Limiter 11100 > 12500",
                          "before a write (the set it came with) | "}));

    // Open in editor: the set without a write, one undo step.
    select(history, 1);
    QTest::mouseClick(history->HistoryOpenInEditor, Qt::LeftButton);
    QCOMPARE(form()->Parameters.LIMITER(), quint8(125));
    QTest::keyClick(form(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form()->Parameters.LIMITER(), quint8(130));
    QCOMPARE(int(m_window.ports().unit().parameterBlock()[IgnitionParameters::OffsetLimiter]), 130);

    // Side by side with another entry: both curves and the table of their differences.
    select(history, 2);
    const QString newest = history->HistoryTree->topLevelItem(0)->child(0)->text(0);
    history->HistoryCompareWith->setCurrentIndex(history->HistoryCompareWith->findData(newest));
    QTest::mouseClick(history->HistorySideBySide, Qt::LeftButton);
    auto *side = form()->findChild<TFormSideBySide *>("FormSideBySide");
    QVERIFY(side && side->isVisible());
    QVERIFY(side->SideBySideCurve->overlayShown());
    QCOMPARE(side->SideBySideCurve->shownSet().LIMITER(), quint8(111));
    QCOMPARE(side->SideBySideCurve->overlaySet()->LIMITER(), quint8(130));
    QCOMPARE(side->SideBySideTable->rowCount(), 1);
    QCOMPARE(side->SideBySideTable->item(0, 0)->text(), QStringLiteral("Limiter"));

    // Beside the unit's set as Compare reads it.
    select(history, 1);
    history->HistoryCompareWith->setCurrentIndex(
        history->HistoryCompareWith->findData(QStringLiteral("unit")));
    QTest::mouseClick(history->HistorySideBySide, Qt::LeftButton);
    tick(20);
    QCOMPARE(side->SideBySideCurve->shownSet().LIMITER(), quint8(125));
    QCOMPARE(side->SideBySideCurve->overlaySet()->LIMITER(), quint8(130));
    QVERIFY(side->windowTitle().endsWith(QStringLiteral("Unit")));
    if (form()->Compare->dialog())
        form()->Compare->dialog()->close();

    // One step back: the set it came with, reserved bytes included, verified and saved.
    select(history, 2);
    QTest::mouseClick(history->HistoryProgram, Qt::LeftButton);
    tick(60);
    QCOMPARE(m_window.ports().unit().parameterBlock(), m_cameWith);
    QVERIFY2(history->HistoryStatus->text().startsWith("Restored"),
             qPrintable(history->HistoryStatus->text()));
    QCOMPARE(lines(history).size(), 4);
    QCOMPARE(lines(history).first(), QStringLiteral("written | Limiter 13000 > 11100"));
}

void tst_TFormHistory::anotherUnitIsRefused()
{
    programLimiter("12500");
    m_window.ports().unit().setVersionText(QByteArrayLiteral("OTHER"));
    TFormHistory *history = openHistory();
    QVERIFY(history);
    select(history, 1);
    QTest::mouseClick(history->HistoryProgram, Qt::LeftButton);
    tick(40);
    QCOMPARE(int(m_window.ports().unit().parameterBlock()[IgnitionParameters::OffsetLimiter]), 125);
    QVERIFY2(history->HistoryStatus->text().startsWith("Unmatched version of PC and Ignition programs!"),
             qPrintable(history->HistoryStatus->text()));
    QCOMPARE(lines(history).size(), 2);

    // The window follows the interface language.
    m_window->find<QAction>("MenuCzech")->trigger();
    QCOMPARE(history->windowTitle(), QStringLiteral("Historie jednotky"));
    QCOMPARE(history->HistoryProgram->text(), QStringLiteral("&Naprogramovat toto nastavení"));
    QVERIFY(lines(history).last().startsWith(QStringLiteral("před zápisem (původní nastavení)")));
}

QTEST_MAIN(tst_TFormHistory)
#include "tst_TFormHistory.moc"
