#include "FormFixture.h"

#include "LinkDriver.h"
#include "PortMenu.h"
#include "VehiclePresets.h"

#include <QAction>
#include <QCheckBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QToolButton>

// The window as built: layout, menus and shortcuts, hints, start-up and shutdown.
class tst_TFormHlav : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void layout_data();
    void layout();
    void curveRows();
    void fonts_data();
    void fonts();
    void upDowns_data();
    void upDowns();
    void tabSkipsListAndExcitation();
    void windowIcon();
    void textsShownAsWritten();
    void shortcuts_data();
    void shortcuts();
    void desktopShortcuts_data();
    void desktopShortcuts();
    void portMenu();
    void portMenuShowsDevices();
    void scanShowsItsPortCalmly();
    void colouredControlsPainted_data();
    void colouredControlsPainted();
    void startUp();
    void languageWordOnCommandLine();
    void portOpenFailureIsReported();
    void hintsToStatusBar();
    void tooltipsOnlyWhereMarked();
    void printingAppearance();
    void exitClosesPort();
    void noticesAreNotStacked();

private:
    TestWindow<> m_window;
    TFormHlav *form() const { return m_window.form(); }
    QString status() const { return form()->StatusPanel->text(); }
    void enter(QWidget *widget)
    {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(widget, &event);
    }
};

void tst_TFormHlav::init()
{
    m_window.start();
}

void tst_TFormHlav::cleanup()
{
    m_window.reset();
}

void tst_TFormHlav::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect"); // in the client area

    QTest::newRow("client area") << "ClientArea" << QRect(0, 0, 753, 776);
    QTest::newRow("tool bar") << "GroupBox5" << QRect(6, 0, 422, 43);
    QTest::newRow("connection") << "LabelSpojeni" << QRect(440, 9, 174, 29);
    QTest::newRow("curve") << "GroupBox6" << QRect(5, 48, 185, 441);
    QTest::newRow("trigger") << "GroupBox1" << QRect(195, 48, 209, 353);
    QTest::newRow("vehicle") << "GroupBox2" << QRect(409, 48, 221, 201);
    QTest::newRow("immediate programming") << "CheckBoxProgHned" << QRect(430, 256, 170, 16);
    QTest::newRow("logo") << "Image1" << QRect(200, 407, 162, 83);
    QTest::newRow("program gauge") << "CGaugeProgram" << QRect(160, 502, 209, 17);
    QTest::newRow("status bar") << "StatusBar1" << QRect(0, 757, 753, 19);
}

void tst_TFormHlav::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    auto *widget = form()->findChild<QWidget *>(name);
    QVERIFY(widget);
    const QPoint topLeft = widget->mapTo(form()->ClientArea, QPoint(0, 0));
    QCOMPARE(QRect(widget == form()->ClientArea ? QPoint(0, 0) : topLeft, widget->size()), rect);
}

void tst_TFormHlav::curveRows()
{
    const int tops[10] = {53, 89, 124, 160, 195, 231, 266, 302, 337, 373};
    for (int i = 0; i < 10; ++i) {
        QLineEdit *rpm = form()->RpmEdits[i];
        QCOMPARE(rpm->objectName(), QStringLiteral("EditRpmAdv%1").arg(i + 1));
        QCOMPARE(rpm->parentWidget()->objectName(), QStringLiteral("GroupBox6"));
        QCOMPARE(rpm->y(), tops[i]);
        QCOMPARE(rpm->width(), 40);
        QCOMPARE(form()->AdvanceEdits[i]->objectName(), QStringLiteral("Edit5%1").arg(i));
        QCOMPARE(form()->AdvanceEdits[i]->width(), 30);
        // Each up-down sits right of its edit.
        QCOMPARE(form()->RpmUpDowns[i]->x(), rpm->geometry().right() + 1);
        QCOMPARE(form()->RpmUpDowns[i]->buddy(), rpm);
    }
    QCOMPARE(m_window->find<QPushButton>("BitBtnAdvMinus")->geometry().topLeft().y(), 407);
    QCOMPARE(m_window->find<QPushButton>("BitBtnAdvPlus")->size(), QSize(20, 20));
    QCOMPARE(m_window->find<QLabel>("Image3")->size(), QSize(200, 267));
}

void tst_TFormHlav::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");

    QTest::newRow("default") << "ClientArea" << 11 << false;
    QTest::newRow("no connection") << "LabelSpojeni" << 23 << true;
    QTest::newRow("shift button") << "BitBtnAdvMinus" << 19 << false;
    QTest::newRow("rpm") << "LabelRpm" << 19 << true;
    QTest::newRow("advance") << "LabelAdvance" << 19 << true;
    QTest::newRow("voltage") << "LabelNapeti" << 19 << true;
    QTest::newRow("blocking") << "LabelBlocking" << 16 << false;
    QTest::newRow("second pickup") << "LabelMonSnimac2" << 16 << false;
    QTest::newRow("com") << "LabelCom" << 16 << false;
    QTest::newRow("version") << "LabelVerze1" << 11 << false;
    QTest::newRow("date") << "LabelVerze2" << 13 << false;
    QTest::newRow("time") << "LabelVerze3" << 11 << false;
    QTest::newRow("programming count") << "LabelPocetProgramovani" << 11 << false;
    QTest::newRow("message") << "LabelHlaseni" << 13 << true;
    QTest::newRow("file name") << "LabelFile2" << 11 << false;
    QTest::newRow("stored data error") << "LabelEeDataErr" << 19 << true;
    QTest::newRow("version mismatch") << "LabelVersion" << 19 << true;
    QTest::newRow("test value") << "LabelTest8" << 13 << true;
}

void tst_TFormHlav::fonts()
{
    QFETCH(QString, name);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    auto *widget = form()->findChild<QWidget *>(name);
    QVERIFY(widget);
    QCOMPARE(widget->font().pixelSize(), pixels);
    QCOMPARE(widget->font().bold(), bold);
}

void tst_TFormHlav::upDowns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("thousands");
    QTest::addColumn<QString>("edit");

    QTest::newRow("first rpm") << "UpDownRpmAdv1" << 199 << 20100 << 100 << true << "EditRpmAdv1";
    QTest::newRow("second rpm") << "UpDownRpmAdv2" << 300 << 20100 << 100 << true << "EditRpmAdv2";
    QTest::newRow("last rpm") << "UpDownRpmAdv10" << 300 << 20100 << 100 << true << "EditRpmAdv10";
    QTest::newRow("first advance") << "UpDown50" << 0 << 60 << 1 << false << "Edit50";
    QTest::newRow("last advance") << "UpDown59" << 0 << 60 << 1 << false << "Edit59";
    QTest::newRow("base advance") << "UpDownBaseAdv" << 0 << 40 << 1 << true << "EditBaseAdv";
    QTest::newRow("limiter") << "UpDownOmez2" << 999 << 25000 << 100 << true << "EditOmez2";
    QTest::newRow("TOP 1,4") << "UpDownPalec13" << 2 << 9 << 1 << true << "EditPalec13";
    QTest::newRow("TOP 2,3") << "UpDownPalec24" << 2 << 9 << 1 << true << "EditPalec24";
}

void tst_TFormHlav::upDowns()
{
    QFETCH(QString, name);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, step);
    QFETCH(bool, thousands);
    QFETCH(QString, edit);
    auto *upDown = form()->findChild<UpDownButton *>(name);
    QVERIFY(upDown);
    QCOMPARE(upDown->model().minimum(), min);
    QCOMPARE(upDown->model().maximum(), max);
    QCOMPARE(upDown->model().stepSize(), step);
    QCOMPARE(upDown->model().thousands(), thousands);
    QCOMPARE(upDown->buddy()->objectName(), edit);
    QCOMPARE(upDown->geometry().topLeft(), upDown->buddy()->geometry().topRight() + QPoint(1, 0));
}

void tst_TFormHlav::tabSkipsListAndExcitation()
{
    // The excitation box is only reachable when the vehicle allows it.
    form()->Parameters.BIKE() = VehicleCodeSpecial;
    form()->ShowParametersInControls();
    QVERIFY(form()->CheckBoxBuzDlouhe->isEnabled());
    form()->EditRpmAdv1->setFocus(Qt::MouseFocusReason);
    QSet<QWidget *> reached;
    for (int press = 0; press < 100; ++press) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        reached.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QVERIFY(reached.contains(form()->EditOmez2));
    QVERIFY(reached.contains(form()->CheckBoxBlokEnable));
    QVERIFY(!reached.contains(form()->ComboBoxBike));
    QVERIFY(!reached.contains(form()->CheckBoxBuzDlouhe));
    // A click still gets there.
    QTest::mouseClick(form()->CheckBoxBuzDlouhe, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QCOMPARE(QApplication::focusWidget(), form()->CheckBoxBuzDlouhe);
}

void tst_TFormHlav::windowIcon()
{
    const QIcon icon = form()->windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
}

// A file name, a unit's text or a hint is shown as it is, never read as markup.
void tst_TFormHlav::textsShownAsWritten()
{
    const QString path = QStringLiteral("/home/rider/<b>race</b> &lt;1&gt;.ign");
    QLabel *file = form()->LabelFile2;
    file->setText(path);
    QLabel plain(path);
    plain.setFont(file->font());
    plain.setTextFormat(Qt::PlainText);
    QCOMPARE(file->sizeHint(), plain.sizeHint());
    for (QLabel *label : form()->findChildren<QLabel *>()) {
        if (label->pixmap().isNull())
            QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
    }
}

void tst_TFormHlav::shortcuts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<QString>("caption");

    QTest::newRow("New") << "MenuNew" << QKeySequence(Qt::CTRL | Qt::Key_N) << "&New";
    QTest::newRow("Open") << "MenuOpen" << QKeySequence(Qt::Key_F3) << "&Open";
    QTest::newRow("Save") << "MenuSave" << QKeySequence(Qt::Key_F2) << "&Save";
    QTest::newRow("Print") << "MenuPrint" << QKeySequence(Qt::CTRL | Qt::Key_P) << "&Print";
    QTest::newRow("Read") << "MenuRead" << QKeySequence(Qt::Key_F7) << "&Read";
    QTest::newRow("Verify") << "MenuVerify" << QKeySequence(Qt::Key_F8) << "&Verify";
    QTest::newRow("Program") << "MenuProgram" << QKeySequence(Qt::Key_F9) << "&Program";
    QTest::newRow("Advance -") << "AdvanceMinus" << QKeySequence(Qt::Key_F4) << "Advance -";
    QTest::newRow("Advance +") << "AdvancePlus" << QKeySequence(Qt::Key_F5) << "Advance +";
    QTest::newRow("Undo") << "MenuZpet" << QKeySequence(Qt::CTRL | Qt::Key_Z) << "Undo";
    QTest::newRow("Redo") << "MenuZnovu" << QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z) << "Redo";
    QTest::newRow("Contents") << "MenuContens" << QKeySequence(Qt::Key_F1) << "&Contents...";
    QTest::newRow("Exit") << "MenuExit" << QKeySequence() << "E&xit";
}

void tst_TFormHlav::shortcuts()
{
    QFETCH(QString, action);
    QFETCH(QKeySequence, shortcut);
    QFETCH(QString, caption);
    auto *item = form()->findChild<QAction *>(action);
    QVERIFY(item);
    QCOMPARE(item->shortcut(), shortcut);
    QCOMPARE(item->text(), caption);
}

// The shortcuts a desktop user tries first work beside the menu's own, which stay the
// ones shown; Ctrl+Shift+Z redoes even from inside an edit, whose own redo it would be.
void tst_TFormHlav::desktopShortcuts_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<bool>("fromEdit");

    QTest::newRow("Ctrl+O opens") << "MenuOpen" << QKeyCombination(Qt::ControlModifier, Qt::Key_O) << false;
    QTest::newRow("Ctrl+S saves") << "MenuSave" << QKeyCombination(Qt::ControlModifier, Qt::Key_S) << false;
    QTest::newRow("Ctrl+Q exits") << "MenuExit" << QKeyCombination(Qt::ControlModifier, Qt::Key_Q) << false;
    QTest::newRow("Ctrl+Shift+Z redoes")
        << "MenuZnovu" << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) << false;
    QTest::newRow("Ctrl+Shift+Z redoes in an edit")
        << "MenuZnovu" << QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z) << true;
}

void tst_TFormHlav::desktopShortcuts()
{
    QFETCH(QString, action);
    QFETCH(QKeyCombination, keys);
    QFETCH(bool, fromEdit);
    // Something to redo, so that Redo is enabled.
    m_window->clickArrow("UpDown54", +1);
    form()->SpeedButtonZpetClick();

    auto *item = m_window->find<QAction>(action.toLatin1().constData());
    const QKeySequence shownBefore = item->shortcut();
    QSignalSpy triggered(item, &QAction::triggered);
    QWidget *target = form();
    if (fromEdit) {
        form()->Edit53->setFocus(Qt::MouseFocusReason);
        target = form()->Edit53;
    }
    QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
    QCOMPARE(triggered.size(), 1);
    QCOMPARE(item->shortcut(), shownBefore);
}

void tst_TFormHlav::portMenu()
{
    const QList<QAction *> items = form()->MenuCom->actions();
    QCOMPARE(items.size(), 21);
    QCOMPARE(items.first()->text(), QStringLiteral("Com 1"));
    QCOMPARE(items.at(19)->text(), QStringLiteral("Com 20"));
    QCOMPARE(items.last()->text(), QStringLiteral("Com Auto"));
    QVERIFY(items.first()->isChecked());

    // Picking a port moves the check mark and opens that port.
    m_window.ports().clearOpenAttempts();
    items.at(4)->trigger();
    QCOMPARE(form()->Session.PortChoice, quint8(4));
    QCOMPARE(m_window.ports().openAttempts(), QList<int>{5});
    QVERIFY(items.at(4)->isChecked());
    QVERIFY(!items.first()->isChecked());
    QCOMPARE(form()->LabelCom->text(), QStringLiteral("COM= COM5"));
}

void tst_TFormHlav::portMenuShowsDevices()
{
    const QList<QAction *> items = form()->MenuCom->actions();
    m_window.ports().setDescription(1, {"/dev/ttyUSB0", "FT232R USB UART", true});
    m_window.ports().setDescription(2, {"/dev/ttyS0", {}, true});
    m_window.ports().setDescription(3, {{}, {}, false});
    m_window.ports().setDescription(4, {"/dev/serial/by-id/usb-gone", {}, false});
    form()->MenuCom->popup(form()->mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(form()->MenuCom));

    // The caption stays; the device and what it is follow in the shortcut column.
    QCOMPARE(items.at(0)->text(), QStringLiteral("Com 1\t/dev/ttyUSB0  FT232R USB UART"));
    QCOMPARE(items.at(1)->text(), QStringLiteral("Com 2\t/dev/ttyS0"));
    QCOMPARE(items.at(2)->text(), QStringLiteral("Com 3"));
    QCOMPARE(items.at(3)->text(), QStringLiteral("Com 4\t/dev/serial/by-id/usb-gone"));
    QCOMPARE(items.at(20)->text(), QStringLiteral("Com Auto"));
    QVERIFY(!PortMenu::isAbsent(items.at(0)));
    QVERIFY(PortMenu::isAbsent(items.at(2)));
    QVERIFY(PortMenu::isAbsent(items.at(3)));

    // Absent entries are drawn greyed, as disabled ones are: their darkest pixel is light.
    const QImage menu = form()->MenuCom->grab().toImage();
    const auto darkest = [&](QAction *item) {
        const QRect rect = form()->MenuCom->actionGeometry(item) & menu.rect();
        int lightness = 255;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x)
                lightness = std::min(lightness, QColor(menu.pixel(x, y)).lightness());
        }
        return lightness;
    };
    QVERIFY2(darkest(items.at(2)) > 140, qPrintable(QString::number(darkest(items.at(2)))));
    QVERIFY2(darkest(items.at(3)) > 140, qPrintable(QString::number(darkest(items.at(3)))));
    QVERIFY2(darkest(items.at(1)) < 80, qPrintable(QString::number(darkest(items.at(1)))));
    form()->MenuCom->hide();

    // Looked up again at every opening: a device that has come is shown.
    m_window.ports().setDescription(3, {"/dev/ttyUSB1", "CP2102 USB to UART Bridge Controller", true});
    form()->MenuCom->popup(form()->mapToGlobal(QPoint(20, 20)));
    QVERIFY(QTest::qWaitForWindowExposed(form()->MenuCom));
    QCOMPARE(items.at(2)->text(), QStringLiteral("Com 3\t/dev/ttyUSB1  CP2102 USB to UART Bridge Controller"));
    QVERIFY(!PortMenu::isAbsent(items.at(2)));
    form()->MenuCom->hide();

    // A port without its device can still be chosen; it opens once the device is there.
    QVERIFY(items.at(3)->isEnabled());
    m_window.ports().clearOpenAttempts();
    items.at(3)->trigger();
    QCOMPARE(form()->Session.PortChoice, quint8(3));
    QCOMPARE(m_window.ports().openAttempts(), QList<int>{4});
    QVERIFY(items.at(3)->isChecked());
}

// With no unit anywhere the scan tries another port on every tick; the label follows at
// a pace that can be read (and that costs next to nothing), and ends on the port tried.
void tst_TFormHlav::scanShowsItsPortCalmly()
{
    m_window.ports().setOnlyPort(99);
    form()->PortMenuItems[PortChoiceAuto]->trigger();
    QCOMPARE(form()->LabelCom->text(), form()->link().LabelComCaption); // a command shows it at once
    m_window.ports().clearOpenAttempts();
    int redrawn = 0;
    QString shown = form()->LabelCom->text();
    constexpr int Ticks = 120;
    for (int i = 0; i < Ticks; ++i) {
        form()->Timer1Timer();
        if (form()->LabelCom->text() != shown) {
            shown = form()->LabelCom->text();
            ++redrawn;
        }
    }
    QVERIFY2(m_window.ports().openAttempts().size() > 60, qPrintable(QString::number(m_window.ports().openAttempts().size())));
    QVERIFY2(redrawn >= 10 && redrawn <= Ticks / 6, qPrintable(QString::number(redrawn)));

    // A port that opens stops the scan; the label catches up with it.
    m_window.ports().setOnlyPort(0);
    for (int i = 0; i < 6; ++i)
        form()->Timer1Timer();
    QVERIFY(form()->link().portOpen());
    QCOMPARE(form()->LabelCom->text(), form()->link().LabelComCaption);
}

void tst_TFormHlav::colouredControlsPainted_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<NamedColour>("message"); // the colour of the message area's text
    QTest::addColumn<QColor>("painted");
    QTest::addColumn<double>("share"); // at least this share of the control's pixels

    const QColor red(255, 0, 0);
    QTest::newRow("ticked Programming after change") << "CheckBoxProgHned" << NamedColour::Red << red << 0.7;
    QTest::newRow("red message") << "LabelHlaseni" << NamedColour::Red << red << 0.6;
    QTest::newRow("yellow message") << "LabelHlaseni" << NamedColour::Yellow << QColor(255, 255, 0) << 0.6;
    QTest::newRow("lime curve row, engine speed") << "EditRpmAdv3" << NamedColour::Red << QColor(0, 255, 0) << 0.5;
    QTest::newRow("lime curve row, advance") << "Edit52" << NamedColour::Red << QColor(0, 255, 0) << 0.5;
    QTest::newRow("No Connection") << "LabelSpojeni" << NamedColour::Red << red << 0.6;
}

// What the user sees, not what the palette says: a colour a control does not paint
// passes a palette check.
void tst_TFormHlav::colouredControlsPainted()
{
    QFETCH(QString, control);
    QFETCH(NamedColour, message);
    QFETCH(QColor, painted);
    QFETCH(double, share);

    TFormHlav *w = form();
    QTest::mouseClick(w->CheckBoxProgHned, Qt::LeftButton, Qt::NoModifier, QPoint(6, 8));
    QVERIFY(w->CheckBoxProgHned->isChecked());
    w->link().ShowLinkMessage(QStringLiteral("Verify error!"), message);
    w->link().CurveRowColour[2] = NamedColour::Lime;
    w->ShowLinkState();

    auto *widget = w->findChild<QWidget *>(control);
    QVERIFY(widget && widget->isVisible());
    const QImage image = widget->grab().toImage();
    const double found = double(pixelsOf(image, painted)) / double(image.width() * image.height());
    QVERIFY2(found >= share, qPrintable(QString::number(found)));
}

void tst_TFormHlav::startUp()
{
    TFormHlav *w = form();
    // The vehicle-type-0 preset, shown.
    QCOMPARE(w->ComboBoxBike->currentIndex(), 0);
    QCOMPARE(w->EditOmez2->text(), QStringLiteral("13,700"));
    QCOMPARE(w->EditRpmAdv1->text(), QStringLiteral("1,500"));
    QCOMPARE(w->Edit59->text(), QStringLiteral("33"));
    QCOMPARE(w->EditPalec13->text(), QStringLiteral("3"));
    QCOMPARE(w->EditPalec24->text(), QStringLiteral("9"));
    QVERIFY(w->CheckBoxBuzDlouhe->isChecked());
    // COM1, English messages, nothing to undo, the message area and test labels hidden.
    QCOMPARE(m_window.ports().openAttempts(), QList<int>{1});
    QCOMPARE(w->LabelCom->text(), QStringLiteral("COM= COM1"));
    QCOMPARE(w->Messages[MsgDefaultSetting], QStringLiteral("Do you want default setting?"));
    QVERIFY(!w->SpeedButtonZpet->isEnabled());
    QVERIFY(!w->MenuZnovu->isEnabled());
    QVERIFY(w->LabelHlaseni->isHidden());
    QVERIFY(w->CGaugeProgram->isHidden());
    QVERIFY(w->LabelVersion->isHidden());
    QVERIFY(w->LabelEeDataErr->isHidden());
    QVERIFY(w->LabelTest[0]->isHidden());
    QVERIFY(w->LabelSpojeni->isVisible());
    QVERIFY(w->LabelFile2->text().isEmpty()); // no file yet: the settings default, not the layout's dashes
    QCOMPARE(w->Label2->text(), QStringLiteral("Advance [°]")); // the English set ran
    QCOMPARE(w->windowTitle(), QStringLiteral("Programming of \"Korvo TCI\" unit"));
    // "No Connection" stays until the unit first answers.
    w->Timer1Timer();
    QVERIFY(w->LabelSpojeni->isVisible());
}

void tst_TFormHlav::languageWordOnCommandLine()
{
    FakeUnitPortProvider ports;
    FormFixture german(ports, {QStringLiteral("DEUTSCH"), QStringLiteral("CESKY")});
    QCOMPARE(german.form->Session.LanguageIndex, LanguageGerman);
    QCOMPARE(german.form->Messages[MsgReadError], QStringLiteral("Lesefehler"));

    FakeUnitPortProvider otherPorts;
    FormFixture lowerCase(otherPorts, {QStringLiteral("deutsch")});
    QCOMPARE(lowerCase.form->Session.LanguageIndex, LanguageEnglish);
}

void tst_TFormHlav::portOpenFailureIsReported()
{
    FakeUnitPortProvider ports;
    PortOpenFailure refused;
    refused.reason = PortOpenFailure::Reason::PermissionDenied;
    refused.device = QStringLiteral("/dev/ttyUSB0");
    refused.accessGroup = QStringLiteral("dialout");
    ports.setOpenFails(1, refused);
    FormFixture failing(ports);
    // The box comes from the event loop, after start-up.
    QTRY_COMPARE(failing.prompts.notices.size(), 1);
    QCOMPARE(failing.prompts.notices.first().kind, UserPrompts::Notice::ComOpeningError);
    QCOMPARE(failing.prompts.notices.first().text, QStringLiteral("Com opening error!"));
    // It names the device behind the port and the command that helps.
    const QString detail = failing.prompts.notices.first().detail;
    QVERIFY2(detail.startsWith(QStringLiteral("COM1 (/dev/ttyUSB0): Permission denied\n")), qPrintable(detail));
    QVERIFY2(detail.contains(QStringLiteral("sudo usermod -aG dialout $USER")), qPrintable(detail));
    QCOMPARE(failing.form->LabelCom->text(), QStringLiteral("COM= COM1"));
}

void tst_TFormHlav::hintsToStatusBar()
{
    // The hints as built, before the language set replaced most of them.
    form()->ApplyTexts(BuiltInTexts());
    enter(m_window->find<QToolButton>("SpeedButton5"));
    QCOMPARE(status(), QStringLiteral("Open file with parametrs"));
    // Controls without a hint empty the panel.
    enter(m_window->find<QToolButton>("SpeedButtonZpet"));
    QCOMPARE(status(), QString());
    enter(m_window->find<QPushButton>("BitBtn2"));
    QCOMPARE(status(), QStringLiteral("Compare set parametrs  with parametrs of ignition"));
    enter(m_window->edit("EditRpmAdv1"));
    QCOMPARE(status(), QString());
    enter(m_window->find<QPushButton>("BitBtn1"));
    // Back onto the group box, which has no hint.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_window->find<QPushButton>("BitBtn1"), &leave);
    QCOMPARE(status(), QString());

    // A highlighted menu item shows its long part; a hint without a bar is both parts.
    form()->MenuOpen->hover();
    QCOMPARE(status(), QStringLiteral("Open file with parametrs"));
    form()->MenuExit->hover();
    QCOMPARE(status(), QStringLiteral("End of program"));
    form()->MenuEnglish->hover();
    QCOMPARE(status(), QStringLiteral("Set Englich menu"));
    form()->MenuZpet->hover();
    QCOMPARE(status(), QString());
    form()->MenuCom->menuAction()->hover();
    QCOMPARE(status(), QStringLiteral("Set number of com "));

    // A hint written later for a control without a tooltip still reaches the status bar.
    form()->SetHint(form()->Label26, QStringLiteral("Round per Minute|Speed - Round per Minute"));
    enter(form()->Label26);
    QCOMPARE(status(), QStringLiteral("Speed - Round per Minute"));
    QCOMPARE(form()->Label26->toolTip(), QString());
}

void tst_TFormHlav::tooltipsOnlyWhereMarked()
{
    form()->ApplyTexts(BuiltInTexts());
    QCOMPARE(form()->SpeedButton5->toolTip(), QStringLiteral("Open"));
    QCOMPARE(form()->BitBtn1->toolTip(), QStringLiteral("Programing"));
    QCOMPARE(form()->BitBtnAdvMinus->toolTip(), QStringLiteral("Injection minus 1 percent"));
    QCOMPARE(form()->ComboBoxBike->toolTip(), QStringLiteral("Type of keying"));
    QCOMPARE(form()->LabelVerze1->toolTip(), QStringLiteral("Version"));
    QCOMPARE(form()->SpeedButtonZpet->toolTip(), QString());
    QCOMPARE(form()->EditRpmAdv1->toolTip(), QString());
    // A new hint without a bar shows whole as tooltip.
    form()->SetHint(form()->SpeedButton5, QStringLiteral("Open file with parametrs"));
    QCOMPARE(form()->SpeedButton5->toolTip(), QStringLiteral("Open file with parametrs"));
}

void tst_TFormHlav::printingAppearance()
{
    TFormHlav *w = form();
    const QList<QWidget *> decorations{w->CheckBoxProgHned, w->StatusBar1,     w->UpDownBaseAdv,
                                       w->UpDownOmez2,      w->BitBtnAdvMinus, w->BitBtnAdvPlus,
                                       w->CheckBoxIgnAll,   w->CGaugeRpm,      w->LabelPocetProgramovani};

    w->Printing = true;
    w->UpdateControlStates();
    for (QWidget *widget : decorations)
        QVERIFY2(widget->isHidden(), qPrintable(widget->objectName()));
    QCOMPARE(w->ClientArea->palette().color(QPalette::Window), QColor(Qt::white));
    QVERIFY(w->UpDownRpmAdv1->isVisible());
    QVERIFY(w->EditOmez2->isVisible());
    QVERIFY(w->link().Printing);

    w->Printing = false;
    w->UpdateControlStates();
    for (QWidget *widget : decorations)
        QVERIFY2(widget->isVisible(), qPrintable(widget->objectName()));
    QCOMPARE(w->ClientArea->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Button));
}

void tst_TFormHlav::exitClosesPort()
{
    QCOMPARE(m_window.ports().openPort(), 1);
    form()->MenuExit->trigger();
    QVERIFY(!form()->isVisible());
    QCOMPARE(m_window.ports().openPort(), 0);
    QVERIFY(!form()->Timer1->isActive());
}

void tst_TFormHlav::noticesAreNotStacked()
{
    WidgetPrompts prompts;
    QWidget parent;
    parent.show();
    prompts.notice(&parent, UserPrompts::Notice::VersionMismatch, QStringLiteral("first"), QString());
    prompts.notice(&parent, UserPrompts::Notice::VersionMismatch, QStringLiteral("second"), QString());
    prompts.notice(&parent, UserPrompts::Notice::ComOpeningError, QStringLiteral("port"),
                   QStringLiteral("COM3"));
    QCOMPARE(parent.findChildren<QMessageBox *>().size(), 2);
    QMessageBox *version = prompts.openNotice(UserPrompts::Notice::VersionMismatch);
    QVERIFY(version && version->isVisible());
    QCOMPARE(version->text(), QStringLiteral("first"));
    // open() returned at once; once closed, the next notice of the kind shows again.
    version->close();
    QTRY_VERIFY(!prompts.openNotice(UserPrompts::Notice::VersionMismatch));
    prompts.notice(&parent, UserPrompts::Notice::VersionMismatch, QStringLiteral("third"), QString());
    QCOMPARE(prompts.openNotice(UserPrompts::Notice::VersionMismatch)->text(), QStringLiteral("third"));
}

QTEST_MAIN(tst_TFormHlav)
#include "tst_TFormHlav.moc"
