#include "FormFixture.h"
#include "SettingsHome.h"

#include "AccessLetters.h"
#include "AppPaths.h"
#include "IniFile.h"
#include "CurveWiring.h"
#include "TFormCurve.h"
#include "TextContrast.h"
#include "WindowFit.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstdlib>

// The window on desktops as people run them: screens smaller than its layout, saved
// places from elsewhere, screen readers, the keyboard alone, dark themes. The program
// runs on two offscreen screens (see main): 1280 x 720, as 1920 x 1080 at 150 %, and a
// 1366 x 768 laptop screen to its right; both are lower than the window's layout.
class tst_WindowOnDesktop : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fitsTheScreen_data();
    void fitsTheScreen();
    void followsTheScreenItIsMovedTo();
    void curveWindowPlaceHeldToTheScreen_data();
    void curveWindowPlaceHeldToTheScreen();
    void everyControlHasAName_data();
    void everyControlHasAName();
    void menuLettersAreUnique_data();
    void menuLettersAreUnique();
    void everyControlReachedByKeyboard();
    void fixedColoursReadOnADarkTheme();

private:
    std::unique_ptr<FormFixture> start(bool useSettingsFiles = false)
    {
        return std::make_unique<FormFixture>(m_ports, QStringList{}, useSettingsFiles);
    }
    static QList<QWidget *> focusable(const TFormHlav &form)
    {
        QList<QWidget *> controls;
        for (QWidget *widget : form.findChildren<QWidget *>()) {
            if (widget->focusPolicy() != Qt::NoFocus && widget->window() == &form &&
                widget->isVisibleTo(&form))
                controls.append(widget);
        }
        return controls;
    }

    FakeUnitPortProvider m_ports;
    std::unique_ptr<SettingsHome> m_config;
};

void tst_WindowOnDesktop::init()
{
    m_config = std::make_unique<SettingsHome>();
    QVERIFY(m_config->isValid());
}

void tst_WindowOnDesktop::cleanup()
{
    m_config.reset();
}

void tst_WindowOnDesktop::fitsTheScreen_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::newRow("first start") << QByteArray();
    QTest::newRow("above the screen") << QByteArray("[FORM_HLAV]\nLeft=100\nTop=-13\n");
    QTest::newRow("running off the bottom") << QByteArray("[FORM_HLAV]\nLeft=100\nTop=-56\n");
    QTest::newRow("Wayland's decorated place")
        << QByteArray("[FORM_HLAV]\nLeft=-3\nTop=-30\nWidth=759\nHeight=828\n");
    QTest::newRow("on the laptop screen") << QByteArray("[FORM_HLAV]\nLeft=1500\nTop=10\n");
    QTest::newRow("half off the laptop's right") << QByteArray("[FORM_HLAV]\nLeft=2400\nTop=200\n");
    QTest::newRow("on a screen that is gone") << QByteArray("[FORM_HLAV]\nLeft=4000\nTop=100\n");
    QTest::newRow("far negative") << QByteArray("[FORM_HLAV]\nLeft=-100000\nTop=-100000\n");
    QTest::newRow("int limits") << QByteArray("[FORM_HLAV]\nLeft=2147483647\nTop=2147483647\n");
}

// Title, menu bar and the whole window inside an available area, and every control of
// the fixed layout reachable by scrolling.
void tst_WindowOnDesktop::fitsTheScreen()
{
    QFETCH(QByteArray, settings);
    if (!settings.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(settingsFilePath()).absolutePath()));
        QFile file(settingsFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(settings);
    }
    auto fixture = start(true);
    TFormHlav *w = fixture->form.get();
    QTest::qWait(20); // the second placement, once the frame is known

    const QRect frame = w->frameGeometry();
    bool inside = false;
    for (const QScreen *screen : QGuiApplication::screens())
        inside = inside || screen->availableGeometry().contains(frame);
    QVERIFY2(inside, qPrintable(QStringLiteral("%1,%2 %3x%4")
                                    .arg(frame.x())
                                    .arg(frame.y())
                                    .arg(frame.width())
                                    .arg(frame.height())));
    const QRect bar(w->menuBar()->mapToGlobal(QPoint(0, 0)), w->menuBar()->size());
    QVERIFY(frame.contains(bar));
    QVERIFY(w->menuBar()->isVisible());
    // The fixed layout keeps its size and scrolls within the window.
    QCOMPARE(w->ClientArea->size(), QSize(TFormHlav::ClientWidth, TFormHlav::ClientHeight));
    QVERIFY(w->ClientScroll->verticalScrollBar()->isVisible());
    for (QWidget *control : focusable(*w)) {
        w->ClientScroll->ensureWidgetVisible(control, 0, 0);
        const QRect shown(control->mapTo(w->ClientScroll->viewport(), QPoint(0, 0)), control->size());
        QVERIFY2(w->ClientScroll->viewport()->rect().contains(shown), qPrintable(control->objectName()));
    }

    // What is saved is a place on a screen, never the value that was read.
    w->close();
    IniFile ini;
    QVERIFY(ini.load(settingsFilePath()));
    const QPoint saved(ini.readInteger("FORM_HLAV", "Left", -1), ini.readInteger("FORM_HLAV", "Top", -1));
    QCOMPARE(saved, frame.topLeft());
}

// Dragged from the 720-pixel screen to the 768-pixel one, the window grows to what fits
// there, and shrinks again on the way back.
void tst_WindowOnDesktop::followsTheScreenItIsMovedTo()
{
    auto fixture = start();
    TFormHlav *w = fixture->form.get();
    QScreen *scaled = QGuiApplication::screenAt(QPoint(10, 10));
    QScreen *laptop = QGuiApplication::screenAt(QPoint(1400, 10));
    QVERIFY(scaled && laptop && scaled != laptop);
    for (QScreen *screen : {laptop, scaled, laptop}) {
        w->move(screen->geometry().topLeft() + QPoint(10, 0));
        QTRY_COMPARE(w->screen(), screen);
        QTRY_COMPARE(w->frameGeometry().height(), screen->availableGeometry().height());
        QCOMPARE(w->ClientArea->size(), QSize(TFormHlav::ClientWidth, TFormHlav::ClientHeight));
    }
}

void tst_WindowOnDesktop::curveWindowPlaceHeldToTheScreen_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::newRow("int limits") << QByteArray(
        "[CURVE_WINDOW]\nLeft=2147483647\nTop=2147483647\nWidth=2147483647\nHeight=2147483647\n");
    QTest::newRow("huge, at the origin")
        << QByteArray("[CURVE_WINDOW]\nLeft=0\nTop=0\nWidth=2147483647\nHeight=2147483647\n");
    QTest::newRow("above the screen")
        << QByteArray("[CURVE_WINDOW]\nLeft=200\nTop=-300\nWidth=500\nHeight=400\n");
}

// A curve window place from a hand-edited file or another desktop opens a window of a
// size that fits, on a screen, and that is what is saved again.
void tst_WindowOnDesktop::curveWindowPlaceHeldToTheScreen()
{
    QFETCH(QByteArray, section);
    QVERIFY(QDir().mkpath(QFileInfo(settingsFilePath()).absolutePath()));
    {
        QFile file(settingsFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(section);
    }
    auto fixture = start(true);
    TFormHlav *w = fixture->form.get();
    w->Curve->showCurve();
    QVERIFY(w->Curve->window() && w->Curve->window()->isVisible());
    const QRect place(w->Curve->window()->pos(), w->Curve->window()->size());
    bool inside = false;
    for (const QScreen *screen : QGuiApplication::screens())
        inside = inside || screen->availableGeometry().contains(place);
    QVERIFY2(inside, qPrintable(QStringLiteral("%1,%2 %3x%4")
                                    .arg(place.x())
                                    .arg(place.y())
                                    .arg(place.width())
                                    .arg(place.height())));
    w->close();
    IniFile ini;
    QVERIFY(ini.load(settingsFilePath()));
    QCOMPARE(QRect(ini.readInteger("CURVE_WINDOW", "Left", -1), ini.readInteger("CURVE_WINDOW", "Top", -1),
                   ini.readInteger("CURVE_WINDOW", "Width", -1),
                   ini.readInteger("CURVE_WINDOW", "Height", -1)),
             place);
}

void tst_WindowOnDesktop::everyControlHasAName_data()
{
    QTest::addColumn<QString>("languageItem");
    QTest::addColumn<QString>("rpmPoint3");
    QTest::newRow("English") << "MenuEnglish"
                             << "Point 3, engine speed";
    QTest::newRow("Czech") << "MenuCzech"
                           << "Bod 3, otáčky";
    QTest::newRow("German") << "MenuGerman"
                            << "Punkt 3, Drehzahl";
}

// What a screen reader speaks: a name for each control, the fields as spin buttons
// with value and range, the picture buttons by their command.
void tst_WindowOnDesktop::everyControlHasAName()
{
    QFETCH(QString, languageItem);
    QFETCH(QString, rpmPoint3);
    auto fixture = start();
    TFormHlav *w = fixture->form.get();
    fixture->find<QAction>(qPrintable(languageItem))->trigger();

    QList<QWidget *> named = focusable(*w);
    for (QWidget *picture : w->GroupBox5->findChildren<QToolButton *>())
        named.append(picture);
    for (UpDownButton *upDown : w->ClientArea->findChildren<UpDownButton *>())
        named.append(upDown);
    for (QWidget *control : named) {
        QAccessibleInterface *access = QAccessible::queryAccessibleInterface(control);
        QVERIFY2(access, qPrintable(control->objectName()));
        QVERIFY2(!access->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(control->objectName()));
        QVERIFY2(!access->text(QAccessible::Name).contains(u'&'), qPrintable(control->objectName()));
    }
    QList<QLineEdit *> fields = w->ClientArea->findChildren<QLineEdit *>();
    fields.removeIf([](const QLineEdit *edit) { return edit->parentWidget()->inherits("QComboBox"); });
    QCOMPARE(fields.size(), 24);
    for (QLineEdit *field : fields) {
        QAccessibleInterface *access = QAccessible::queryAccessibleInterface(field);
        QCOMPARE(access->role(), QAccessible::SpinBox);
        QVERIFY(access->valueInterface());
    }

    QAccessibleInterface *rpm3 = QAccessible::queryAccessibleInterface(w->EditRpmAdv3);
    QCOMPARE(rpm3->text(QAccessible::Name), rpmPoint3);
    QCOMPARE(rpm3->text(QAccessible::Value), w->EditRpmAdv3->text());
    QCOMPARE(rpm3->valueInterface()->minimumValue().toInt(), 300);
    QCOMPARE(rpm3->valueInterface()->maximumValue().toInt(), 20100);
    QCOMPARE(rpm3->valueInterface()->minimumStepSize().toInt(), 100);
    QCOMPARE(rpm3->valueInterface()->currentValue().toInt(), w->RpmUpDowns[2]->position());
    QCOMPARE(QAccessible::queryAccessibleInterface(w->EditOmez2)->text(QAccessible::Name),
             withoutAccessLetter(w->LabelOmez2->text()).simplified());
    QCOMPARE(QAccessible::queryAccessibleInterface(w->SpeedButton5)->text(QAccessible::Name),
             withoutAccessLetter(w->MenuOpen->text()));
    // The list's name is its own, not the row it shows.
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(w->ComboBoxBike);
    QVERIFY(list->text(QAccessible::Name) != w->ComboBoxBike->currentText());
    QCOMPARE(list->text(QAccessible::Value), w->ComboBoxBike->currentText());
    QCOMPARE(list->role(), QAccessible::ComboBox);
}

void tst_WindowOnDesktop::menuLettersAreUnique_data()
{
    QTest::addColumn<QString>("languageItem");
    QTest::newRow("English") << "MenuEnglish";
    QTest::newRow("Czech") << "MenuCzech";
    QTest::newRow("German") << "MenuGerman";
}

// Each menu of the bar, whatever the menus hold at run time, opens by a letter no
// other menu and no button of the window has; F10 opens the bar.
void tst_WindowOnDesktop::menuLettersAreUnique()
{
    QFETCH(QString, languageItem);
    auto fixture = start();
    TFormHlav *w = fixture->form.get();
    fixture->find<QAction>(qPrintable(languageItem))->trigger();

    QSet<QChar> menuLetters;
    for (QAction *item : w->menuBar()->actions()) {
        const QChar letter = accessLetter(item->text());
        QVERIFY2(!letter.isNull(), qPrintable(item->text()));
        QVERIFY2(!menuLetters.contains(letter), qPrintable(item->text()));
        menuLetters.insert(letter);
    }
    for (const QAbstractButton *button : w->ClientArea->findChildren<QAbstractButton *>())
        QVERIFY2(!menuLetters.contains(accessLetter(button->text())), qPrintable(button->text()));

    // Alt alone highlights the first menu; Escape leaves it.
    QTest::keyPress(w, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(w, Qt::Key_Alt);
    QTRY_VERIFY(w->menuBar()->activeAction());
    QCOMPARE(w->menuBar()->activeAction()->menu(), w->MenuFile);
    QTest::keyClick(w->menuBar(), Qt::Key_Escape);
    QTRY_VERIFY(!w->menuBar()->activeAction());

    QTest::keyClick(w, Qt::Key_F10);
    QTRY_VERIFY(w->menuBar()->activeAction());
    QCOMPARE(w->menuBar()->activeAction()->menu(), w->MenuFile);
    QTest::keyClick(w->menuBar()->activeAction()->menu(), Qt::Key_Escape);
}

// Tab reaches every control in the Tab order; the vehicle list and the long-excitation
// box, which the layout keeps out of it, have their shortcuts.
void tst_WindowOnDesktop::everyControlReachedByKeyboard()
{
    auto fixture = start();
    TFormHlav *w = fixture->form.get();
    // A vehicle type on which the excitation box is enabled.
    for (int row = 0; row < w->ComboBoxBike->count() && !w->CheckBoxBuzDlouhe->isEnabled(); ++row)
        fixture->pickVehicle(row);
    QVERIFY(w->CheckBoxBuzDlouhe->isEnabled());

    QSet<QWidget *> reached;
    w->EditRpmAdv1->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 200; ++i) {
        reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), w->ComboBoxBike);
    reached.insert(QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), w->CheckBoxBuzDlouhe);
    reached.insert(QApplication::focusWidget());

    for (QWidget *control : focusable(*w)) {
        if (control->isEnabled())
            QVERIFY2(reached.contains(control), qPrintable(control->objectName()));
    }

    // The list changes by the arrow keys as a pick does.
    const int row = w->ComboBoxBike->currentIndex();
    w->ComboBoxBike->setFocus(Qt::ShortcutFocusReason);
    QTest::keyClick(w->ComboBoxBike, row + 1 < w->ComboBoxBike->count() ? Qt::Key_Down : Qt::Key_Up);
    QVERIFY(w->ComboBoxBike->currentIndex() != row);
}

// Under a dark theme's palette every control with a fixed background colour has text
// that reads on it, and the pictures keep a light ground.
void tst_WindowOnDesktop::fixedColoursReadOnADarkTheme()
{
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    for (const QPalette::ColorRole ground : {QPalette::Window, QPalette::Button, QPalette::Base})
        dark.setColor(ground, QColor(0x30, 0x30, 0x30));
    for (const QPalette::ColorRole text : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(text, QColor(0xee, 0xee, 0xec));
    QApplication::setPalette(dark);
    {
        auto fixture = start();
        TFormHlav *w = fixture->form.get();
        // Lime and red behind labels, the highlighted curve row: as a live frame shows them.
        w->link().LabelBlocking.colour = NamedColour::Lime;
        w->link().LabelSpojeniVisible = true;
        w->ShowLinkState();

        int fixed = 0;
        for (QWidget *widget : w->ClientArea->findChildren<QWidget *>()) {
            const bool edit = qobject_cast<QLineEdit *>(widget) != nullptr;
            if (!widget->testAttribute(Qt::WA_SetPalette) || (!edit && !widget->autoFillBackground()))
                continue;
            const QPalette &palette = widget->palette();
            const QColor ground = palette.color(edit ? QPalette::Base : widget->backgroundRole());
            const QColor text = palette.color(edit ? QPalette::Text : widget->foregroundRole());
            const auto *label = qobject_cast<QLabel *>(widget);
            if (ground == dark.color(QPalette::Window) || widget->inherits("QProgressBar") ||
                (label && !label->pixmap().isNull()))
                continue;
            ++fixed;
            QVERIFY2(
                contrastRatio(ground, text) >= ReadableContrast,
                qPrintable(
                    QStringLiteral("%1: %2 on %3").arg(widget->objectName(), text.name(), ground.name())));
        }
        QVERIFY(fixed >= 2);
        for (QLabel *picture : {w->Image1, w->Image3}) {
            QVERIFY(picture->autoFillBackground());
            QVERIFY(!isDark(picture->palette().color(QPalette::Window)));
        }
    }
    QApplication::setPalette(before);
}

// Two screens of desktops people run: 1920 x 1080 at 150 %, and a laptop's.
int main(int argc, char *argv[])
{
    QTemporaryDir configDir;
    const QString config = configDir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"windowFrameMargins": true, "screens": [
        {"name": "laptop", "x": 1280, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
        {"name": "scaled", "x": 0, "y": 0, "width": 1280, "height": 720, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", QFile::encodeName(QStringLiteral("offscreen:configfile=") + config));
    QApplication app(argc, argv);
    tst_WindowOnDesktop test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_WindowOnDesktop.moc"
