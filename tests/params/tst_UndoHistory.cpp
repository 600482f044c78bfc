#include "UndoHistory.h"

#include <QTest>

class tst_UndoHistory : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void freshHistoryHasNothingToStep();
    void editUndoRedo();
    void unchangedSetRecordsNothing();
    void ringDropsOldest_data();
    void ringDropsOldest();
    void newEditCutsRedo();
    void restoreKeepsEntries();

private:
    static IgnitionParameters edit(int n)
    {
        IgnitionParameters set;
        set.ADVANCE(0) = quint8(n);
        set.ADVANCE(1) = quint8(n >> 8);
        set.image[54] = 1; // the whole image counts, the reserved tail included
        return set;
    }

    UndoHistory history;
    IgnitionParameters start;
};

void tst_UndoHistory::init()
{
    history = UndoHistory();
    start = IgnitionParameters();
    start.LIMITER() = 137;
    history.ResetUndoHistory(start);
}

void tst_UndoHistory::freshHistoryHasNothingToStep()
{
    IgnitionParameters set = start;
    set.BASE_ADV() = 33;
    QVERIFY(!history.CanUndo());
    QVERIFY(!history.CanRedo());
    QVERIFY(!history.Undo(set));
    QVERIFY(!history.Redo(set));
    QCOMPARE(set.BASE_ADV(), quint8(33));
}

void tst_UndoHistory::editUndoRedo()
{
    IgnitionParameters set = start;
    set.BASE_ADV() = 12;
    QVERIFY(history.RecordChange(set));
    QVERIFY(history.CanUndo());
    QVERIFY(!history.CanRedo());

    QVERIFY(history.Undo(set));
    QCOMPARE(set, start);
    QVERIFY(!history.CanUndo());
    QVERIFY(history.CanRedo());

    QVERIFY(history.Redo(set));
    QCOMPARE(set.BASE_ADV(), quint8(12));
    QVERIFY(!history.CanRedo());
}

void tst_UndoHistory::unchangedSetRecordsNothing()
{
    QVERIFY(!history.RecordChange(start));
    QVERIFY(!history.CanUndo());
    IgnitionParameters tail = start;
    tail.image[52] = 7; // a byte no control shows still makes a different state
    QVERIFY(history.RecordChange(tail));
}

void tst_UndoHistory::ringDropsOldest_data()
{
    QTest::addColumn<int>("edits");
    QTest::addColumn<int>("undoSteps");
    QTest::addColumn<int>("oldestEdit"); // 0 is the start state
    QTest::newRow("fewer than the ring") << 10 << 10 << 0;
    QTest::newRow("exactly 199") << 199 << 199 << 0;
    QTest::newRow("200 drops the start") << 200 << 199 << 1;
    QTest::newRow("250 edits") << 250 << 199 << 51;
    QTest::newRow("a lap and more") << 450 << 199 << 251;
}

void tst_UndoHistory::ringDropsOldest()
{
    QFETCH(int, edits);
    QFETCH(int, undoSteps);
    QFETCH(int, oldestEdit);
    IgnitionParameters set;
    for (int n = 1; n <= edits; ++n) {
        set = edit(n);
        QVERIFY(history.RecordChange(set));
    }
    int steps = 0;
    while (history.Undo(set))
        ++steps;
    QCOMPARE(steps, undoSteps);
    QCOMPARE(set, oldestEdit == 0 ? start : edit(oldestEdit));
    QVERIFY(!history.CanUndo());
    int redone = 0;
    while (history.Redo(set))
        ++redone;
    QCOMPARE(redone, undoSteps);
    QCOMPARE(set, edit(edits));
}

void tst_UndoHistory::newEditCutsRedo()
{
    IgnitionParameters set;
    for (int n = 1; n <= 3; ++n)
        QVERIFY(history.RecordChange(edit(n)));
    set = edit(3);
    QVERIFY(history.Undo(set));
    QVERIFY(history.Undo(set));
    QCOMPARE(set, edit(1));
    QVERIFY(history.RecordChange(edit(9)));
    QVERIFY(!history.CanRedo());
    QVERIFY(history.Undo(set));
    QCOMPARE(set, edit(1));
}

void tst_UndoHistory::restoreKeepsEntries()
{
    IgnitionParameters set = edit(5);
    QVERIFY(history.RecordChange(set));
    QVERIFY(history.Undo(set));
    set.BASE_ADV() = 40; // scribbling on the restored set must not reach the history
    QVERIFY(history.Redo(set));
    QCOMPARE(set, edit(5));
    QVERIFY(history.Undo(set));
    QCOMPARE(set, start);
}

QTEST_GUILESS_MAIN(tst_UndoHistory)
#include "tst_UndoHistory.moc"
