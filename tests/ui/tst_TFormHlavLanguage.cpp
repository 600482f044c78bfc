#include "FormFixture.h"

#include "AccessLetters.h"

#include "LinkDriver.h"
#include "SimulatedUnitPort.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

// The interface languages in the window: the text sets from the Language menu and the
// command line, and the control texts that come with the message table.
class tst_TFormHlavLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void switching_data();
    void switching();
    void everyTextOfTheSetLands_data();
    void everyTextOfTheSetLands();
    void hintsAfterSwitching();
    void messageTableWithoutUnit();
    void messageTableWithUnit();
    void specialRowRenamedSelectionKept_data();
    void specialRowRenamedSelectionKept();
    void startedWithCesky();
    void frenchRunsNoSetButLoadsItsMessages();
    void toolkitButtonsSpeakTheLanguage_data();
    void toolkitButtonsSpeakTheLanguage();

private:
    TestWindow<> m_window;
    TFormHlav *form() const { return m_window.form(); }
    QString status() const { return form()->StatusPanel->text(); }
    QAction *languageItem(quint8 language) const
    {
        switch (language) {
        case LanguageGerman:
            return form()->MenuGerman;
        case LanguageCzech:
            return form()->MenuCzech;
        default:
            return form()->MenuEnglish;
        }
    }
};

void tst_TFormHlavLanguage::init()
{
    m_window.start();
}

void tst_TFormHlavLanguage::cleanup()
{
    m_window.reset();
}

void tst_TFormHlavLanguage::switching_data()
{
    QTest::addColumn<quint8>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("menuFile");
    QTest::addColumn<QString>("menuEnglish");
    QTest::addColumn<QString>("button1");
    QTest::addColumn<QString>("label2");
    QTest::addColumn<QString>("readError"); // from the message table
    QTest::addColumn<QString>("menuTools"); // control texts of the table
    QTest::addColumn<QString>("advanceMinus");
    QTest::addColumn<QString>("labelAdvance");
    QTest::addColumn<QString>("progHnedTip"); // the hint written last

    // Each row starts from another language, so every text really changes.
    QTest::newRow("English") << quint8(LanguageEnglish) << "Programming of \"Korvo TCI\" unit"
                             << "&File"
                             << "&English"
                             << "&Read"
                             << "Advance [°]"
                             << "Read error!"
                             << "&Tools"
                             << "Advance -"
                             << "Advance= --- [°]"
                             << "Programing at once after change";
    QTest::newRow("Czech") << quint8(LanguageCzech) << "Programování jednotky \"Korvo TCI\""
                           << "&Soubor"
                           << "&Anglicky"
                           << "Číst"
                           << "Předstih [°]"
                           << "Chyba čtení!"
                           << "P&omůcky"
                           << "Předstih -"
                           << "Předstih= --- [°]"
                           << "Programování ihned po změně";
    QTest::newRow("German") << quint8(LanguageGerman) << "Programmierung der \"Korvo TCI\" Zündbox"
                            << "&Datei"
                            << "Englisch"
                            << "&Lesen"
                            << "Vorzündung [°]"
                            << "Lesefehler"
                            << "&Werkzeuge"
                            << "Vorzündung -"
                            << "Vorzündung= --- [°]"
                            << "Programmmieren gleich after die Umänderung";
}

void tst_TFormHlavLanguage::switching()
{
    QFETCH(quint8, language);
    QFETCH(QString, caption);
    QFETCH(QString, menuFile);
    QFETCH(QString, menuEnglish);
    QFETCH(QString, button1);
    QFETCH(QString, label2);
    QFETCH(QString, readError);
    QFETCH(QString, menuTools);
    QFETCH(QString, advanceMinus);
    QFETCH(QString, labelAdvance);
    QFETCH(QString, progHnedTip);

    TFormHlav *w = form();
    (language == LanguageCzech ? w->MenuGerman : w->MenuCzech)->trigger();
    languageItem(language)->trigger();

    QCOMPARE(w->Session.LanguageIndex, language);
    for (quint8 other : {LanguageEnglish, LanguageCzech, LanguageGerman})
        QCOMPARE(languageItem(other)->isChecked(), other == language);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(w->MenuFile->title(), menuFile);
    QCOMPARE(w->MenuEnglish->text(), menuEnglish);
    QCOMPARE(w->Button1->text(), button1);
    QCOMPARE(w->Label2->text(), label2);
    // A self-sizing label grows with its new text.
    QCOMPARE(w->Label2->width(), w->Label2->sizeHint().width());
    // The programming check box shows its whole caption.
    QVERIFY(w->CheckBoxProgHned->width() >= w->CheckBoxProgHned->sizeHint().width());
    QVERIFY(w->CheckBoxProgHned->width() >= 170);
    QCOMPARE(w->Messages[MsgReadError], readError);
    QCOMPARE(w->MenuTools->title(), menuTools);
    QCOMPARE(w->AdvanceMinus->text(), advanceMinus);
    QCOMPARE(w->LabelAdvance->text(), labelAdvance);
    QCOMPARE(w->CheckBoxProgHned->toolTip(), progHnedTip);
    // The texts no set writes keep what they hold.
    QCOMPARE(w->LabelCom->text(), QStringLiteral("COM= COM1"));
    QCOMPARE(w->ComboBoxBike->toolTip(), QStringLiteral("Type of keying"));

    // Picking the current language again reloads everything and changes nothing.
    const QString before = w->windowTitle() + w->BitBtn2->toolTip() + w->MenuZpet->text();
    languageItem(language)->trigger();
    QCOMPARE(w->windowTitle() + w->BitBtn2->toolTip() + w->MenuZpet->text(), before);
    QVERIFY(languageItem(language)->isChecked());
}

void tst_TFormHlavLanguage::everyTextOfTheSetLands_data()
{
    QTest::addColumn<quint8>("language");
    QTest::newRow("English") << quint8(LanguageEnglish);
    QTest::newRow("Czech") << quint8(LanguageCzech);
    QTest::newRow("German") << quint8(LanguageGerman);
}

// Every item a set names is in the window, and shows the set's text afterwards: a name
// the window does not have would be passed over without a word.
void tst_TFormHlavLanguage::everyTextOfTheSetLands()
{
    QFETCH(quint8, language);
    TFormHlav *w = form();
    (language == LanguageCzech ? w->MenuGerman : w->MenuCzech)->trigger();
    languageItem(language)->trigger();

    const QList<TextAssignment> set = LanguageTextSet(language);
    QVERIFY(!set.isEmpty());
    for (const TextAssignment &text : set) {
        const QString name = QString::fromLatin1(text.objectName);
        QObject *object = name == QLatin1String(MainWindowObjectName) ? static_cast<QObject *>(w)
                                                                      : w->findChild<QObject *>(name);
        QVERIFY2(object, text.objectName);
        QString shown;
        if (text.kind == TextAssignment::Hint)
            shown = TFormHlav::HintOf(object);
        else if (object == w)
            shown = w->windowTitle();
        else if (auto *menu = qobject_cast<QMenu *>(object))
            shown = menu->title();
        else if (auto *action = qobject_cast<QAction *>(object))
            shown = action->text();
        else if (auto *label = qobject_cast<QLabel *>(object))
            shown = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(object))
            shown = button->text();
        // The access letters are settled afterwards, so that each menu has one of its own.
        QCOMPARE(withoutAccessLetter(shown), withoutAccessLetter(text.text));
    }
}

void tst_TFormHlavLanguage::hintsAfterSwitching()
{
    TFormHlav *w = form();
    w->MenuGerman->trigger();
    w->MenuExit->hover();
    QCOMPARE(status(), QStringLiteral("Speichern"));
    w->MenuCom->menuAction()->hover();
    QCOMPARE(status(), QStringLiteral("Com Port festlegen"));

    // Only the German set writes the hint of the port menu: it stays after a switch.
    w->MenuEnglish->trigger();
    w->MenuCom->menuAction()->hover();
    QCOMPARE(status(), QStringLiteral("Com Port festlegen"));
    w->MenuExit->hover();
    QCOMPARE(status(), QStringLiteral("End of program"));
    // Tool buttons now show whole sentences as tooltips.
    QCOMPARE(w->SpeedButton5->toolTip(), QStringLiteral("Open file with parametrs"));
    QCOMPARE(w->BitBtn1->toolTip(), QStringLiteral("Programing  set parametrs to ignition"));

    // Czech menu hints with a bar show only their long part in the status bar.
    w->MenuCzech->trigger();
    w->MenuRead->hover();
    QCOMPARE(status(), QStringLiteral("Čtení parametrů z jednotky"));
    w->MenuProgram->hover();
    QCOMPARE(status(), QStringLiteral("Programování nastavených parametrů do jednotky"));
    w->MenuCom->menuAction()->hover();
    QCOMPARE(status(), QStringLiteral("Com Port festlegen"));
    QCOMPARE(w->SpeedButtonPrint->toolTip(), QStringLiteral("Tisk parametrů"));
    QCOMPARE(w->LabelVerze1->toolTip(), QStringLiteral("Verze programu v zapalování"));
    // A control hint with a bar: the short part is the tooltip of a control that shows
    // one; Label26 shows none, but its long part reaches the status bar.
    QCOMPARE(TFormHlav::HintOf(w->Label26), QStringLiteral("Otáčky za minutu|Rychlost - Otáčky za minutu"));
}

void tst_TFormHlavLanguage::messageTableWithoutUnit()
{
    TFormHlav *w = form();
    QVERIFY(w->LabelSpojeni->isVisible());
    w->MenuGerman->trigger();
    QCOMPARE(w->LabelAdvance->text(), QStringLiteral("Vorzündung= --- [°]"));
    QCOMPARE(w->LabelMonSnimac1->text(), QStringLiteral("Geber(CPS) 1 = ---"));
    QCOMPARE(w->LabelMonSnimac2->text(), QStringLiteral("Geber(CPS) 2 = ---"));
    QCOMPARE(w->AdvancePlus->text(), QStringLiteral("Vorzündung +"));
    QCOMPARE(w->MenuOpenExeDir->text(), QStringLiteral("Öffnen aus exe dir"));
    QCOMPARE(w->CheckBoxBuzDlouhe->text(), QStringLiteral("Anfachung lange"));
    QCOMPARE(w->LabelBaseAdv->text(), QStringLiteral("Basis Vorzündung [°]"));
    QCOMPARE(w->MenuZnovu->text(), QStringLiteral("Wieder"));
    QCOMPARE(w->Messages[MsgUnused32], QString());

    // The idle text is the link's own: whatever the link shows next replaces it.
    w->link().LabelAdvance.caption = QStringLiteral("ADVANCE = 12 [°]");
    w->ShowLinkState();
    QCOMPARE(w->LabelAdvance->text(), QStringLiteral("ADVANCE = 12 [°]"));
}

void tst_TFormHlavLanguage::messageTableWithUnit()
{
    qint64 now = 1000;
    SimulatedUnitPortProvider unit;
    unit.setClock([&now] { return now; });
    FormFixture f(unit);
    TFormHlav *w = f.form.get();
    for (int tick = 0; tick < 100 && !w->LabelSpojeni->isHidden(); ++tick) {
        now += LinkDriver::TickMs;
        w->Timer1Timer();
    }
    QVERIFY(w->LabelSpojeni->isHidden());
    const QString advance = w->LabelAdvance->text();
    const QString pickup = w->LabelMonSnimac1->text();
    QVERIFY(advance.startsWith(QStringLiteral("ADVANCE = ")));

    // The live labels keep the unit's values; the menu captions change.
    w->MenuCzech->trigger();
    QCOMPARE(w->LabelAdvance->text(), advance);
    QCOMPARE(w->LabelMonSnimac1->text(), pickup);
    QCOMPARE(w->link().LabelAdvance.caption, advance);
    QCOMPARE(w->AdvanceMinus->text(), QStringLiteral("Předstih -"));
    QCOMPARE(w->AdvancePlus->text(), QStringLiteral("Předstih +"));
}

void tst_TFormHlavLanguage::specialRowRenamedSelectionKept_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("special row selected") << 9;
    QTest::newRow("another row selected") << 3;
}

void tst_TFormHlavLanguage::specialRowRenamedSelectionKept()
{
    QFETCH(int, row);
    TFormHlav *w = form();
    m_window->pickVehicle(row);
    const auto set = w->Parameters.image;
    const bool couldUndo = w->MenuZpet->isEnabled();

    w->MenuCzech->trigger();
    QCOMPARE(w->ComboBoxBike->itemText(9), QStringLiteral("Speciální nastavení"));
    QCOMPARE(w->ComboBoxBike->currentIndex(), row);
    // Renaming the row is no pick: the set and the undo history stay as they were.
    QVERIFY(w->Parameters.image == set);
    QCOMPARE(w->MenuZpet->isEnabled(), couldUndo);

    w->MenuEnglish->trigger();
    QCOMPARE(w->ComboBoxBike->itemText(9), QStringLiteral("Special setting"));
    QCOMPARE(w->ComboBoxBike->currentIndex(), row);
}

void tst_TFormHlavLanguage::startedWithCesky()
{
    FakeUnitPortProvider ports;
    FormFixture f(ports, {QStringLiteral("CESKY")});
    TFormHlav *w = f.form.get();
    QCOMPARE(w->Session.LanguageIndex, LanguageCzech);
    QVERIFY(w->MenuCzech->isChecked());
    QVERIFY(!w->MenuEnglish->isChecked());
    QCOMPARE(w->windowTitle(), QStringLiteral("Programování jednotky \"Korvo TCI\""));
    QCOMPARE(w->MenuDevice->title(), QStringLiteral("&Zapalování"));
    QCOMPARE(w->MenuCzech->text(), QStringLiteral("Če&sky"));
    QCOMPARE(w->BitBtn2->text(), QStringLiteral("&Verifikovat"));
    QCOMPARE(w->Messages[MsgProgramError], QStringLiteral("Chyba programování"));
    QCOMPARE(w->Messages[MsgDefaultSetting], QStringLiteral("Chcete nastavit základní hodnoty?"));
    // The first loading finds no unit yet, so the idle live texts are Czech too.
    QCOMPARE(w->LabelAdvance->text(), QStringLiteral("Předstih= --- [°]"));
    QCOMPARE(w->LabelMonSnimac1->text(), QStringLiteral("Snímač (CPS) 1 = ---"));
    QCOMPARE(w->ComboBoxBike->currentIndex(), 0);
}

void tst_TFormHlavLanguage::frenchRunsNoSetButLoadsItsMessages()
{
    TFormHlav *w = form();
    w->MenuGerman->trigger();
    w->Session.LanguageIndex = LanguageFrench;
    w->ApplyInterfaceLanguage();
    QCOMPARE(w->windowTitle(), QStringLiteral("Programmierung der \"Korvo TCI\" Zündbox"));
    QVERIFY(w->MenuGerman->isChecked());
    // The messages are there, in French, so no error shows as an empty message.
    QCOMPARE(w->Messages[MsgReadError], QStringLiteral("Lire erreur!"));
    QCOMPARE(w->Messages[MsgComOpeningError], QStringLiteral("Erreur connections PC!"));
    QCOMPARE(w->Session.LanguageIndex, LanguageFrench);
}

// Qt's own buttons follow the interface language, back to English included: the New
// question through the real box, as the user sees it.
void tst_TFormHlavLanguage::toolkitButtonsSpeakTheLanguage_data()
{
    QTest::addColumn<quint8>("language");
    QTest::addColumn<QStringList>("buttons"); // Yes, No, Cancel
    QTest::newRow("Czech") << quint8(LanguageCzech) << QStringList{"&Ano", "&Ne", QStringLiteral("Zrušit")};
    QTest::newRow("German") << quint8(LanguageGerman) << QStringList{"&Ja", "&Nein", "Abbrechen"};
    QTest::newRow("English again") << quint8(LanguageEnglish) << QStringList{"&Yes", "&No", "Cancel"};
}

void tst_TFormHlavLanguage::toolkitButtonsSpeakTheLanguage()
{
    QFETCH(quint8, language);
    QFETCH(QStringList, buttons);
    languageItem(language)->trigger();
    QStringList shown;
    QTimer::singleShot(0, this, [&shown] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        for (QMessageBox::StandardButton button : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            shown.append(box->button(button) ? box->button(button)->text() : QString());
        box->button(QMessageBox::Cancel)->click();
    });
    WidgetPrompts real;
    QCOMPARE(real.question(form(), form()->Messages[MsgDefaultSetting]), UserPrompts::Answer::Cancel);
    QCOMPARE(shown, buttons);
}

QTEST_MAIN(tst_TFormHlavLanguage)
#include "tst_TFormHlavLanguage.moc"
