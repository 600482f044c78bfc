#include "FakeUnitPort.h"
#include "FormFixture.h"

#include "IgnitionParameters.h"
#include "LinkDriver.h"
#include "VehiclePresets.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QWheelEvent>

using Curve = QList<int>;

// The parameter editor in the window: edits and up-downs, presets and control states,
// the advance shift, New, undo and redo, and programming after change.
class tst_TFormHlavEditor : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typedText_data();
    void typedText();
    void firstPointBelow200();
    void pushingPointsCascade();
    void limiterAt999();
    void advanceFromFileShownAtLimit();
    void arrowKeysInEdit();
    void heldArrowStopsWhenLetGoUnderABox();
    void shownSetTakesToothEditAway_data();
    void shownSetTakesToothEditAway();

    void vehicleGzm650();
    void vehicleWks750AfterTxr600();
    void specialKeepsEditedCurve();
    void controlStates_data();
    void controlStates();
    void vehicleRowRecordsOneStep();
    void unknownVehicleCodeKeepsRow();

    void advanceShift_data();
    void advanceShift();
    void newAnswered_data();
    void newAnswered();
    void newWithSpecialKeepsTeeth();

    void undoRedoBasics();
    void undoRingLimit();
    void undoWinsOverTypedTextUndo();
    void newEditDropsRedo();

    void programmingAfterChange();
    void wheelWithoutFocusChangesNothing();

private:
    TestWindow<> m_window;
    TFormHlav *form() const { return m_window.form(); }
    Curve advance() const
    {
        Curve values;
        for (int i = 0; i < CurvePoints; ++i)
            values.append(form()->Parameters.ADVANCE(i));
        return values;
    }
    Curve rpm() const
    {
        Curve values;
        for (int i = 0; i < CurvePoints; ++i)
            values.append(form()->Parameters.RPM_ADV(i));
        return values;
    }
    static Curve defaultRpm() { return Curve(DefaultRpmCurve.begin(), DefaultRpmCurve.end()); }
    static Curve defaultAdvance() { return Curve(DefaultAdvanceCurve.begin(), DefaultAdvanceCurve.end()); }
    // Marks the link idle, so the next start of a transfer shows.
    void linkIdle() { UnitLinkProbe::setIdle(form()->link().unit()); }
    // A program run begins with the read of the unit's set before the write.
    bool transferStarted() const { return form()->link().unit().mode() == LinkMode::BackupRead; }
};

void tst_TFormHlavEditor::init()
{
    m_window.start();
}

void tst_TFormHlavEditor::cleanup()
{
    m_window.reset();
}

// ---------------------------------------------------------------------------------
// Edits and up-downs

void tst_TFormHlavEditor::typedText_data()
{
    QTest::addColumn<QByteArray>("edit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("offset"); // byte of the parameter image
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");

    // The curve starts low enough here (2, 3, 30, 40, ...) for 12 to fit at point 3.
    QTest::newRow("1234 into point 3")
        << QByteArray("EditRpmAdv3") << "1234" << IgnitionParameters::OffsetRpmAdv + 2 << 12 << "1,200";
    QTest::newRow("150 into point 5, below its min")
        << QByteArray("EditRpmAdv5") << "150" << IgnitionParameters::OffsetRpmAdv + 4 << 50 << "5,000";
    QTest::newRow("grouped number") << QByteArray("EditRpmAdv5") << "5,500"
                                    << IgnitionParameters::OffsetRpmAdv + 4 << 55 << "5,500";
    QTest::newRow("letters") << QByteArray("EditRpmAdv5") << "5x00" << IgnitionParameters::OffsetRpmAdv + 4
                             << 50 << "5,000";
    QTest::newRow("advance above 60")
        << QByteArray("Edit50") << "70" << int(IgnitionParameters::OffsetAdvance) << 5 << "5";
    QTest::newRow("advance in range")
        << QByteArray("Edit50") << "41" << int(IgnitionParameters::OffsetAdvance) << 41 << "41";
    QTest::newRow("advance with a separator")
        << QByteArray("Edit50") << "1,0" << int(IgnitionParameters::OffsetAdvance) << 5 << "5";
    QTest::newRow("limiter truncated")
        << QByteArray("EditOmez2") << "9999" << int(IgnitionParameters::OffsetLimiter) << 99 << "9,900";
    QTest::newRow("base advance above 40")
        << QByteArray("EditBaseAdv") << "41" << int(IgnitionParameters::OffsetBaseAdv) << 5 << "5";
}

void tst_TFormHlavEditor::typedText()
{
    QFETCH(QByteArray, edit);
    QFETCH(QString, typed);
    QFETCH(int, offset);
    QFETCH(int, value);
    QFETCH(QString, shown);
    m_window->setCurve({2, 3, 30, 40, 50, 60, 70, 80, 90, 100});
    m_window->typeAndLeave(edit.constData(), typed);
    QCOMPARE(int(form()->Parameters.image[offset]), value);
    QCOMPARE(m_window->edit(edit.constData())->text(), shown);
}

void tst_TFormHlavEditor::firstPointBelow200()
{
    m_window->setCurve({2, 20, 30, 40, 50, 60, 70, 80, 90, 100});
    form()->ResetUndoHistory();
    m_window->clickArrow("UpDownRpmAdv1", -1);
    // 199 stores 1, which normalising turns back into 2: the set is as recorded.
    QCOMPARE(int(form()->Parameters.RPM_ADV(0)), 2);
    QCOMPARE(form()->EditRpmAdv1->text(), QStringLiteral("200"));
    QVERIFY(!form()->SpeedButtonZpet->isEnabled());
}

void tst_TFormHlavEditor::pushingPointsCascade()
{
    m_window->setCurve({15, 20, 30, 31, 32, 40, 50, 60, 70, 80});
    m_window->clickArrow("UpDownRpmAdv3", +1);
    QCOMPARE(rpm(), (Curve{15, 20, 31, 32, 33, 40, 50, 60, 70, 80}));
    QCOMPARE(form()->EditRpmAdv4->text(), QStringLiteral("3,200"));
    QCOMPARE(form()->EditRpmAdv5->text(), QStringLiteral("3,300"));
}

void tst_TFormHlavEditor::limiterAt999()
{
    form()->Parameters.LIMITER() = 10;
    form()->ShowParametersInControls();
    QCOMPARE(form()->EditOmez2->text(), QStringLiteral("1,000"));
    m_window->clickArrow("UpDownOmez2", -1);
    QCOMPARE(int(form()->Parameters.LIMITER()), 9);
    QCOMPARE(form()->EditOmez2->text(), QStringLiteral("999"));
    m_window->clickArrow("UpDownOmez2", -1);
    QCOMPARE(int(form()->Parameters.LIMITER()), 9);
    QCOMPARE(form()->EditOmez2->text(), QStringLiteral("999"));
}

void tst_TFormHlavEditor::advanceFromFileShownAtLimit()
{
    form()->Parameters.ADVANCE(0) = 70;
    form()->ShowParametersInControls();
    QCOMPARE(form()->Edit50->text(), QStringLiteral("60"));
    QCOMPARE(int(form()->Parameters.ADVANCE(0)), 70);
    m_window->clickArrow("UpDown59", +1);
    QCOMPARE(int(form()->Parameters.ADVANCE(0)), 60);
}

void tst_TFormHlavEditor::arrowKeysInEdit()
{
    QLineEdit *edit = form()->Edit52;
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_Up);
    QCOMPARE(int(form()->Parameters.ADVANCE(2)), 21);
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    QCOMPARE(int(form()->Parameters.ADVANCE(2)), 19);
    QCOMPARE(edit->text(), QStringLiteral("19"));
}

// An arrow held down steps again and again. A box that opens over the window meanwhile
// (the version warning of a transfer started by the steps) takes the release for itself;
// the arrow must still stop once the button is let go.
void tst_TFormHlavEditor::heldArrowStopsWhenLetGoUnderABox()
{
    UpDownButton *arrow = form()->UpDown50;
    const QPoint upper(arrow->width() / 2, arrow->height() / 4);
    auto repeatTick = [arrow] { QMetaObject::invokeMethod(arrow, "repeat"); };

    QTest::mousePress(arrow, Qt::LeftButton, Qt::NoModifier, upper);
    repeatTick();
    QCOMPARE(int(form()->Parameters.ADVANCE(0)), 7);
    QTest::mouseRelease(arrow, Qt::LeftButton, Qt::NoModifier, upper);
    repeatTick();
    QCOMPARE(int(form()->Parameters.ADVANCE(0)), 7);

    QTest::mousePress(arrow, Qt::LeftButton, Qt::NoModifier, upper);
    QCOMPARE(int(form()->Parameters.ADVANCE(0)), 8);
    QMessageBox box(QMessageBox::Information, QString(), QStringLiteral("box"), QMessageBox::Ok, form());
    box.open();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseRelease(&box, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    repeatTick();
    repeatTick();
    QCOMPARE(int(form()->Parameters.ADVANCE(0)), 8);
    QCOMPARE(form()->Edit50->text(), QStringLiteral("8"));
}

void tst_TFormHlavEditor::shownSetTakesToothEditAway_data()
{
    QTest::addColumn<int>("bike"); // of the set shown, as opened from a file or read from the unit
    QTest::addColumn<QByteArray>("focused");

    QTest::newRow("disabled, TOP 1,4") << 0 << QByteArray("EditPalec13");
    QTest::newRow("disabled, TOP 2,3") << 0 << QByteArray("EditPalec24");
    QTest::newRow("hidden for WKS 750") << int(VehicleCodeWks750) << QByteArray("EditPalec13");
}

// A set shown by the program (Open, Read) may disable or hide the tooth edit that has the
// focus. The focus moving away then is the program's doing, not the user leaving the edit:
// no pipeline runs, so no undo step and no programming after change.
void tst_TFormHlavEditor::shownSetTakesToothEditAway()
{
    QFETCH(int, bike);
    QFETCH(QByteArray, focused);
    m_window->pickVehicle(VehicleRowSpecial);
    QCheckBox *box = form()->CheckBoxProgHned;
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8)); // ticked and armed
    QVERIFY(form()->Editor.ProgramAfterChangeArmed());
    QLineEdit *edit = m_window->edit(focused.constData());
    edit->setFocus(Qt::MouseFocusReason);
    QVERIFY(edit->hasFocus());
    const quint16 steps = form()->Undo.current();
    linkIdle();

    form()->Parameters.BIKE() = quint8(bike);
    form()->Parameters.LIMITER() = 111;
    form()->ShowParametersInControls();

    QVERIFY(!edit->hasFocus());
    QCOMPARE(form()->Undo.current(), steps);
    QVERIFY(!transferStarted());
}

// ---------------------------------------------------------------------------------
// Presets and control states

void tst_TFormHlavEditor::vehicleGzm650()
{
    m_window->typeAndLeave("Edit53", "40");
    m_window->pickVehicle(6);
    const IgnitionParameters &set = form()->Parameters;
    QCOMPARE(int(set.BIKE()), 7);
    QCOMPARE(int(set.TOP(0)), 7);
    QCOMPARE(int(set.TOP(1)), 7);
    QCOMPARE(int(set.LIMITER()), 90);
    QCOMPARE(int(set.EXCITATION()), 1);
    QCOMPARE(int(set.BASE_ADV()), 5);
    QCOMPARE(int(set.RPM2()), 1);
    QCOMPARE(int(set.BLOK_ENABLE()), 1);
    QCOMPARE(advance(), defaultAdvance());
    QCOMPARE(rpm(), defaultRpm());
    QCOMPARE(form()->EditOmez2->text(), QStringLiteral("9,000"));
    QCOMPARE(form()->EditPalec24->text(), QStringLiteral("7"));
}

void tst_TFormHlavEditor::vehicleWks750AfterTxr600()
{
    m_window->pickVehicle(5);
    m_window->pickVehicle(8);
    QCOMPARE(int(form()->Parameters.BIKE()), 6);
    QCOMPARE(int(form()->Parameters.TOP(0)), 4);
    QCOMPARE(int(form()->Parameters.TOP(1)), 9);
    QCOMPARE(int(form()->Parameters.LIMITER()), 120);
    QVERIFY(form()->EditPalec13->isHidden());
    QVERIFY(form()->UpDownPalec24->isHidden());
    QVERIFY(form()->Image3->isHidden());
    QVERIFY(form()->LabelPalec13->isHidden());
    QVERIFY(form()->LabelMonSnimac2->isVisible());
    QVERIFY(form()->CheckBoxBuzDlouhe->isEnabled());
}

void tst_TFormHlavEditor::specialKeepsEditedCurve()
{
    m_window->typeAndLeave("Edit50", "12");
    m_window->typeAndLeave("EditRpmAdv10", "15000");
    const ParameterImage before = form()->Parameters.image;
    m_window->pickVehicle(VehicleRowSpecial);
    IgnitionParameters expected;
    expected.image = before;
    expected.BIKE() = VehicleCodeSpecial;
    QCOMPARE(form()->Parameters, expected);
    QVERIFY(form()->EditPalec13->isEnabled());
    QVERIFY(form()->UpDownPalec13->isVisible());
    // The teeth can now be set.
    m_window->clickArrow("UpDownPalec13", +1);
    QCOMPARE(int(form()->Parameters.TOP(0)), 4);
}

void tst_TFormHlavEditor::controlStates_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("teethShown");
    QTest::addColumn<bool>("teethEditable");
    QTest::addColumn<bool>("arrowsShown");
    QTest::addColumn<bool>("excitationEditable");
    QTest::addColumn<bool>("secondPickupShown");

    QTest::newRow("special") << VehicleRowSpecial << true << true << true << true << false;
    QTest::newRow("WKS 750") << VehicleRowWks750 << false << false << false << true << true;
    QTest::newRow("KMT 600 -98") << 0 << true << false << false << false << false;
    QTest::newRow("WK 750C") << 7 << true << false << false << false << false;
}

void tst_TFormHlavEditor::controlStates()
{
    QFETCH(int, row);
    QFETCH(bool, teethShown);
    QFETCH(bool, teethEditable);
    QFETCH(bool, arrowsShown);
    QFETCH(bool, excitationEditable);
    QFETCH(bool, secondPickupShown);
    if (row != 0)
        m_window->pickVehicle(row);
    TFormHlav *w = form();
    for (QWidget *widget : {static_cast<QWidget *>(w->EditPalec13), static_cast<QWidget *>(w->EditPalec24),
                            static_cast<QWidget *>(w->LabelPalec13), static_cast<QWidget *>(w->LabelPalec24),
                            static_cast<QWidget *>(w->Image3)})
        QCOMPARE(widget->isVisible(), teethShown);
    QCOMPARE(w->EditPalec13->isEnabled(), teethEditable);
    QCOMPARE(w->UpDownPalec13->isVisible(), arrowsShown);
    QCOMPARE(w->UpDownPalec24->isVisible(), arrowsShown);
    QCOMPARE(w->CheckBoxBuzDlouhe->isEnabled(), excitationEditable);
    QCOMPARE(w->LabelMonSnimac2->isVisible(), secondPickupShown);
}

void tst_TFormHlavEditor::vehicleRowRecordsOneStep()
{
    m_window->pickVehicle(6);
    QCOMPARE(form()->Undo.current(), quint16(1));
    // The same row again leaves the set as it was: no step.
    m_window->pickVehicle(6);
    QCOMPARE(form()->Undo.current(), quint16(1));
    form()->SpeedButtonZpet->click();
    QCOMPARE(form()->ComboBoxBike->currentIndex(), 0);
    QCOMPARE(int(form()->Parameters.LIMITER()), 137);
}

void tst_TFormHlavEditor::unknownVehicleCodeKeepsRow()
{
    m_window->pickVehicle(5); // "TXR 600", code 4
    form()->Parameters.BIKE() = 12;
    form()->ShowParametersInControls();
    QCOMPARE(form()->ComboBoxBike->currentIndex(), 5);
    QCOMPARE(int(form()->Parameters.BIKE()), 12);
    // The next edit takes the row's code.
    m_window->clickArrow("UpDown52", +1);
    QCOMPARE(int(form()->Parameters.BIKE()), 4);
}

// ---------------------------------------------------------------------------------
// Advance shift and New

void tst_TFormHlavEditor::advanceShift_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<int>("key"); // Qt::Key_F4 / Key_F5, or 0 for the buttons
    QTest::addColumn<int>("delta");
    QTest::addColumn<Curve>("before");
    QTest::addColumn<int>("liveRpm");
    QTest::addColumn<Curve>("after");

    const Curve rising{0, 5, 10, 15, 20, 25, 30, 35, 40, 45};
    QTest::newRow("all minus, 0 stays")
        << true << 0 << -1 << rising << 0 << Curve{0, 4, 9, 14, 19, 24, 29, 34, 39, 44};
    QTest::newRow("all minus by F4") << true << int(Qt::Key_F4) << -1 << rising << 0
                                     << Curve{0, 4, 9, 14, 19, 24, 29, 34, 39, 44};
    const Curve high{60, 60, 20, 20, 20, 20, 20, 20, 59, 60};
    QTest::newRow("all plus, 60 stays")
        << true << int(Qt::Key_F5) << +1 << high << 0 << Curve{60, 60, 21, 21, 21, 21, 21, 21, 60, 60};
    QTest::newRow("current point at 4800 rpm")
        << false << 0 << +1 << defaultAdvance() << 4800 << Curve{5, 15, 20, 25, 34, 33, 33, 33, 33, 33};
    QTest::newRow("current point by F4") << false << int(Qt::Key_F4) << -1 << defaultAdvance() << 4800
                                         << Curve{5, 15, 20, 25, 32, 33, 33, 33, 33, 33};
    QTest::newRow("no live frame yet") << false << 0 << +1 << defaultAdvance() << 0 << defaultAdvance();
    QTest::newRow("single point at 60") << false << 0 << +1 << Curve{5, 15, 20, 25, 60, 33, 33, 33, 33, 33}
                                        << 4800 << Curve{5, 15, 20, 25, 60, 33, 33, 33, 33, 33};
}

void tst_TFormHlavEditor::advanceShift()
{
    QFETCH(bool, all);
    QFETCH(int, key);
    QFETCH(int, delta);
    QFETCH(Curve, before);
    QFETCH(int, liveRpm);
    QFETCH(Curve, after);

    for (int i = 0; i < CurvePoints; ++i)
        form()->Parameters.ADVANCE(i) = quint8(before[i]);
    form()->ShowParametersInControls();
    form()->ResetUndoHistory();
    form()->CheckBoxIgnAll->setChecked(all);
    UnitLinkProbe::setLiveRpm(form()->link().unit(), quint16(liveRpm));
    form()->link().HighlightCurrentCurvePoint();

    if (key != 0)
        QTest::keyClick(form(), Qt::Key(key));
    else
        QTest::mouseClick(delta < 0 ? form()->BitBtnAdvMinus : form()->BitBtnAdvPlus, Qt::LeftButton);

    QCOMPARE(advance(), after);
    QCOMPARE(rpm(), defaultRpm());
    for (int i = 0; i < CurvePoints; ++i)
        QCOMPARE(form()->AdvanceEdits[i]->text(), QString::number(after[i]));
    QCOMPARE(form()->SpeedButtonZpet->isEnabled(), after != before);
}

void tst_TFormHlavEditor::newAnswered_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("reset");

    QTest::newRow("No") << int(UserPrompts::Answer::No) << false;
    QTest::newRow("Cancel") << int(UserPrompts::Answer::Cancel) << false;
    QTest::newRow("Yes") << int(UserPrompts::Answer::Yes) << true;
}

void tst_TFormHlavEditor::newAnswered()
{
    QFETCH(int, answer);
    QFETCH(bool, reset);

    m_window->pickVehicle(1); // "KMT 600            99-00"
    m_window->typeAndLeave("Edit50", "12");
    m_window->typeAndLeave("EditOmez2", "11000");
    m_window->typeAndLeave("EditBaseAdv", "9");
    form()->LabelFile2->setText(QStringLiteral("/tmp/one.ign"));
    form()->link().ShowLinkMessage(QStringLiteral("Verify: OK"), NamedColour::BtnFace);
    form()->ShowLinkState();
    const ParameterImage before = form()->Parameters.image;
    const quint16 steps = form()->Undo.current();

    m_window->prompts.answers = {UserPrompts::Answer(answer)};
    QTest::keyClick(form(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_window->prompts.questions, QStringList{QStringLiteral("Do you want default setting?")});

    if (!reset) {
        QCOMPARE(form()->Parameters.image, before);
        QCOMPARE(form()->LabelFile2->text(), QStringLiteral("/tmp/one.ign"));
        QVERIFY(form()->LabelHlaseni->isVisible());
        QCOMPARE(form()->Undo.current(), steps);
        return;
    }
    const IgnitionParameters &set = form()->Parameters;
    QCOMPARE(advance(), defaultAdvance());
    QCOMPARE(rpm(), defaultRpm());
    QCOMPARE(int(set.BASE_ADV()), 5);
    QCOMPARE(int(set.TOP(0)), 3);
    QCOMPARE(int(set.TOP(1)), 9);
    QCOMPARE(int(set.LIMITER()), 138);
    QCOMPARE(int(set.EXCITATION()), 0);
    QCOMPARE(int(set.RPM2()), 1);
    QCOMPARE(int(set.BLOK_ENABLE()), 1);
    QCOMPARE(int(set.BIKE()), 1);
    QCOMPARE(form()->LabelFile2->text(), QString());
    QVERIFY(form()->LabelHlaseni->isHidden());
    QVERIFY(form()->CGaugeProgram->isHidden());
    QCOMPARE(form()->Undo.current(), quint16(steps + 1));

    // The same again finds nothing to change: no further step.
    m_window->prompts.answers = {UserPrompts::Answer::Yes};
    QTest::mouseClick(form()->SpeedButton6, Qt::LeftButton);
    QCOMPARE(form()->Undo.current(), quint16(steps + 1));
}

void tst_TFormHlavEditor::newWithSpecialKeepsTeeth()
{
    m_window->pickVehicle(VehicleRowSpecial);
    m_window->typeAndLeave("EditPalec13", "6");
    m_window->typeAndLeave("EditOmez2", "8000");
    m_window->typeAndLeave("Edit55", "10");
    m_window->prompts.answers = {UserPrompts::Answer::Yes};
    form()->MenuNew->trigger();
    QCOMPARE(int(form()->Parameters.TOP(0)), 6);
    QCOMPARE(int(form()->Parameters.LIMITER()), 80);
    QCOMPARE(advance(), defaultAdvance());
    QCOMPARE(int(form()->Parameters.BIKE()), int(VehicleCodeSpecial));
}

// ---------------------------------------------------------------------------------
// Undo and redo

void tst_TFormHlavEditor::undoRedoBasics()
{
    const ParameterImage start = form()->Parameters.image;
    QVERIFY(!form()->MenuZpet->isEnabled());
    QTest::keyClick(form(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form()->Parameters.image, start);

    m_window->clickArrow("UpDown54", +1);
    const ParameterImage edited = form()->Parameters.image;
    QVERIFY(form()->MenuZpet->isEnabled());
    QVERIFY(!form()->SpeedButtonZnovu->isEnabled());

    QTest::keyClick(form(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form()->Parameters.image, start);
    QCOMPARE(form()->Edit54->text(), QStringLiteral("33"));
    QVERIFY(!form()->SpeedButtonZpet->isEnabled());
    QVERIFY(form()->MenuZnovu->isEnabled());

    // Ctrl+Y is nothing; Ctrl+Alt+Z redoes.
    QTest::keyClick(form(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(form()->Parameters.image, start);
    QTest::keyClick(form(), Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(form()->Parameters.image, edited);
    QCOMPARE(form()->Edit54->text(), QStringLiteral("34"));
    QVERIFY(!form()->MenuZnovu->isEnabled());
}

void tst_TFormHlavEditor::undoRingLimit()
{
    // 250 recorded edits, round the ten advance points.
    std::vector<ParameterImage> after;
    for (int edit = 0; edit < 250; ++edit) {
        const QByteArray name = "UpDown5" + QByteArray::number(edit % 10);
        m_window->clickArrow(name.constData(), +1);
        after.push_back(form()->Parameters.image);
    }
    for (int press = 0; press < 199; ++press)
        form()->SpeedButtonZpet->click();
    QCOMPARE(form()->Parameters.image, after[50]);
    QVERIFY(!form()->SpeedButtonZpet->isEnabled());
    form()->MenuZpet->trigger();
    QCOMPARE(form()->Parameters.image, after[50]);
    for (int press = 0; press < 199; ++press)
        form()->MenuZnovu->trigger();
    QCOMPARE(form()->Parameters.image, after[249]);
    QVERIFY(!form()->MenuZnovu->isEnabled());
}

void tst_TFormHlavEditor::undoWinsOverTypedTextUndo()
{
    m_window->clickArrow("UpDown51", +1);
    QCOMPARE(int(form()->Parameters.ADVANCE(1)), 16);
    QLineEdit *edit = form()->Edit53;
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(int(form()->Parameters.ADVANCE(1)), 15);
    QCOMPARE(form()->Edit51->text(), QStringLiteral("15"));
}

void tst_TFormHlavEditor::newEditDropsRedo()
{
    m_window->clickArrow("UpDown50", +1);
    m_window->clickArrow("UpDown50", +1);
    m_window->clickArrow("UpDown50", +1);
    form()->SpeedButtonZpetClick();
    form()->SpeedButtonZpetClick();
    QVERIFY(form()->SpeedButtonZnovu->isEnabled());
    m_window->clickArrow("UpDown59", -1);
    QVERIFY(!form()->SpeedButtonZnovu->isEnabled());
    QCOMPARE(int(form()->Parameters.ADVANCE(0)), 6);
}

// ---------------------------------------------------------------------------------
// Programming after change

void tst_TFormHlavEditor::programmingAfterChange()
{
    QCheckBox *box = form()->CheckBoxProgHned;
    form()->Timer1Timer(); // no live frame yet: no current curve point
    linkIdle();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QVERIFY(box->isChecked());
    // Ticking the box sends nothing by itself, but arms the pipeline; the box turns red.
    QVERIFY(!transferStarted());
    QVERIFY(form()->Editor.ProgramAfterChangeArmed());
    const auto redShare = [box] {
        const QImage image = box->grab().toImage();
        return double(pixelsOf(image, QColor(255, 0, 0))) / double(image.width() * image.height());
    };
    QVERIFY2(redShare() > 0.7, qPrintable(QString::number(redShare())));

    // Leaving an edit, even unchanged, starts a transfer from block 0 on a later tick.
    m_window->typeAndLeave("Edit50", "5");
    QVERIFY(transferStarted());
    QCOMPARE(int(form()->link().unit().sendAttempts()), 0);
    QCOMPARE(form()->LabelHlaseni->text(), QStringLiteral("Programing"));
    QVERIFY(form()->LabelHlaseni->isVisible());

    // Every up-down click starts a fresh one, also while one runs.
    UnitLinkProbe::setSendAttempts(form()->link().unit(), 3);
    m_window->clickArrow("UpDown50", +1);
    QCOMPARE(int(form()->link().unit().sendAttempts()), 0);

    // A shift with no current point changes nothing, yet programs while armed.
    linkIdle();
    form()->BitBtnAdvPlus->click();
    QVERIFY(transferStarted());

    // Undo and redo program on their own.
    linkIdle();
    form()->SpeedButtonZpetClick();
    QVERIFY(transferStarted());
    linkIdle();
    form()->SpeedButtonZpetClick(); // nothing left to undo: nothing sent
    QVERIFY(!transferStarted());

    // Unticking runs the pipeline with the box clear: nothing starts, and it disarms.
    linkIdle();
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QVERIFY(!box->isChecked());
    QVERIFY(!transferStarted());
    QVERIFY(!form()->Editor.ProgramAfterChangeArmed());
    QCOMPARE(redShare(), 0.0);
    m_window->clickArrow("UpDown50", +1);
    QVERIFY(!transferStarted());
}

// The wheel over a control that does not hold the focus changes nothing: a pointer
// passing over the vehicle list would otherwise apply a preset and, armed, program the unit.
void tst_TFormHlavEditor::wheelWithoutFocusChangesNothing()
{
    QTest::mouseClick(form()->CheckBoxProgHned, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QVERIFY(form()->Editor.ProgramAfterChangeArmed());
    if (QWidget *focus = QApplication::focusWidget())
        focus->clearFocus();
    linkIdle();
    m_window.ports().clearWritten();
    const IgnitionParameters before = form()->Parameters;

    const auto wheel = [](QWidget *control, int delta) {
        const QPointF at(control->width() / 2.0, control->height() / 2.0);
        QWheelEvent event(at, control->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(control, &event);
    };
    const auto controls = form()->ClientArea->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (!control->isVisible())
            continue;
        for (int delta : {-120, -360, 120, 360})
            wheel(control, delta);
        const QByteArray name = control->objectName().toLatin1() + " " + control->metaObject()->className();
        QVERIFY2(form()->Parameters == before, name.constData());
        QVERIFY2(!transferStarted(), name.constData());
    }
    QCOMPARE(form()->ComboBoxBike->currentIndex(), 0);
    QVERIFY(!form()->SpeedButtonZpet->isEnabled());
    // Ticks carry nothing but monitor requests.
    for (int i = 0; i < 12; ++i)
        form()->Timer1Timer();
    for (const UnitFrame &frame : m_window.ports().written())
        QCOMPARE(int(frame[0]), int(CommandMonitor));

    // With the focus the list does follow the wheel, as the user expects.
    form()->ComboBoxBike->setFocus(Qt::MouseFocusReason);
    QVERIFY(form()->ComboBoxBike->hasFocus());
    wheel(form()->ComboBoxBike, -120);
    QCOMPARE(form()->ComboBoxBike->currentIndex(), 1);
    QVERIFY(transferStarted());
}

QTEST_MAIN(tst_TFormHlavEditor)
#include "tst_TFormHlavEditor.moc"
