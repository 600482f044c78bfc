#include "ParameterEditor.h"

#include <QTest>

// The edit pipeline as every editor uses it: what each kind of edit records, shows and
// sends to the unit.
class tst_ParameterEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void edit_data();
    void edit();
    void tickingTheBoxArmsTheNextEdit();
    void undoRedoThroughIt();
    void unitSetIsOneStepNeverSent();

private:
    IgnitionParameters set;
    SessionSettings session;
    UndoHistory undo;
    std::unique_ptr<ParameterEditor> editor;
    int shown = 0;
    int programmed = 0;
};

void tst_ParameterEditor::init()
{
    set = IgnitionParameters();
    for (int i = 0; i < CurvePoints; ++i) {
        set.RPM_ADV(i) = DefaultRpmCurve[i];
        set.ADVANCE(i) = DefaultAdvanceCurve[i];
    }
    set.RPM_ADV(0) = 2; // the lowest the first point goes
    session = SessionSettings();
    undo = UndoHistory();
    editor = std::make_unique<ParameterEditor>(set, session, undo);
    editor->Reset();
    shown = 0;
    programmed = 0;
    editor->setChanged = [this] { ++shown; };
    editor->programNow = [this] { ++programmed; };
}

void tst_ParameterEditor::edit_data()
{
    QTest::addColumn<int>("offset"); // in the image
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("programAfterChange");
    QTest::addColumn<bool>("step");
    QTest::addColumn<int>("programs");
    QTest::addColumn<int>("after"); // the byte at offset after the pipeline

    const int rpm0 = IgnitionParameters::OffsetRpmAdv;
    const int rpm1 = IgnitionParameters::OffsetRpmAdv + 1;
    const int advance1 = IgnitionParameters::OffsetAdvance + 1;
    QTest::newRow("changed, box off") << advance1 << 40 << false << true << 0 << 40;
    QTest::newRow("changed, box on") << advance1 << 40 << true << true << 1 << 40;
    // The first point sits at its lower bound: below it is held there.
    QTest::newRow("normalised back, box off") << rpm0 << 0 << false << false << 0 << 2;
    QTest::newRow("normalised back, box on") << rpm0 << 1 << true << false << 0 << 2;
    QTest::newRow("normalised to another set") << rpm1 << 1 << false << true << 0 << 3;
}

void tst_ParameterEditor::edit()
{
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(bool, programAfterChange);
    QFETCH(bool, step);
    QFETCH(int, programs);
    QFETCH(int, after);

    const IgnitionParameters start = set;
    IgnitionParameters edited = set;
    edited.image[offset] = quint8(value);
    QCOMPARE(editor->Apply(edited, programAfterChange), step);
    QCOMPARE(undo.CanUndo(), step);
    QCOMPARE(programmed, programs);
    QCOMPARE(shown, 1);
    QCOMPARE(int(set.image[offset]), after);
    QCOMPARE(editor->ProgramAfterChangeArmed(), programAfterChange);
    if (step) {
        QVERIFY(editor->Undo(false));
        QVERIFY(!undo.CanUndo());
    }
    QCOMPARE(set, start);
}

// Ticking the box is an edit that changes nothing: it sends nothing, but from then on
// every edit sends, even one that changes nothing; unticking disarms it.
void tst_ParameterEditor::tickingTheBoxArmsTheNextEdit()
{
    QVERIFY(!editor->Apply(set, true));
    QCOMPARE(programmed, 0);
    QVERIFY(editor->ProgramAfterChangeArmed());
    QVERIFY(!editor->Apply(set, true));
    QCOMPARE(programmed, 1);
    QVERIFY(!editor->Apply(set, false));
    QVERIFY(!editor->ProgramAfterChangeArmed());
    QVERIFY(!editor->Apply(set, true));
    QCOMPARE(programmed, 1);
}

void tst_ParameterEditor::undoRedoThroughIt()
{
    const IgnitionParameters start = set;
    QVERIFY(editor->ShiftAdvance(+1, true, 0, true, false));
    const IgnitionParameters shifted = set;
    QCOMPARE(int(shifted.ADVANCE(9)), DefaultAdvanceCurve[9] + 1);
    QCOMPARE(shown, 1);

    QVERIFY(editor->Undo(false));
    QCOMPARE(set, start);
    QVERIFY(!editor->Undo(true));
    QCOMPARE(programmed, 0);
    QCOMPARE(shown, 2);
    // A step taken with the box on goes to the unit.
    QVERIFY(editor->Redo(true));
    QCOMPARE(set, shifted);
    QCOMPARE(programmed, 1);
    QCOMPARE(shown, 3);
    QVERIFY(!editor->Redo(true));
    QCOMPARE(programmed, 1);
}

void tst_ParameterEditor::unitSetIsOneStepNeverSent()
{
    QVERIFY(editor->Apply(set, true) == false);
    IgnitionParameters unit = set;
    unit.LIMITER() = 90;
    unit.image[40] = 7;  // the unit's own bytes come too
    unit.RPM_ADV(5) = 0; // and are normalised as a read is
    QVERIFY(editor->TakeUnitSet(unit));
    QCOMPARE(programmed, 0);
    QCOMPARE(int(set.image[40]), 7);
    QCOMPARE(int(set.RPM_ADV(5)), DefaultRpmCurve[4] + 1);
    QVERIFY(editor->Undo(false));
    QCOMPARE(int(set.LIMITER()), 0);
}

QTEST_GUILESS_MAIN(tst_ParameterEditor)
#include "tst_ParameterEditor.moc"
