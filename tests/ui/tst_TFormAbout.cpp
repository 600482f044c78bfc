#include "FormFixture.h"

#include "TFormAbout.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>

// The About window as Help > About shows it: one instance, modal, caption by language,
// closed by its OK label or its close box, the link ticking on beneath it.
class tst_TFormAbout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void contents();
    void caption_data();
    void caption();
    void oneWindowKeepsItsPlace();
    void timerTicksWhileOpen();

private:
    // Opens About from the menu and runs step inside its modal loop; step must close it.
    void whileAboutOpen(const std::function<void(TFormAbout *)> &step)
    {
        bool ran = false;
        QTimer::singleShot(0, form(), [&] {
            auto *about = qobject_cast<TFormAbout *>(QApplication::activeModalWidget());
            QVERIFY(about);
            QVERIFY(about->isVisible());
            ran = true;
            step(about);
        });
        form()->MenuAbout->trigger(); // returns once the window has been closed
        QVERIFY(ran);
        QVERIFY(form()->FormAbout);
        QVERIFY(!form()->FormAbout->isVisible());
    }

    TestWindow<> m_window{NumberFormat::System};
    TFormHlav *form() const { return m_window.form(); }
};

void tst_TFormAbout::init()
{
    m_window.start();
}

void tst_TFormAbout::cleanup()
{
    m_window.reset();
}

void tst_TFormAbout::contents()
{
    QVERIFY(!form()->FormAbout); // made on first use
    whileAboutOpen([](TFormAbout *about) {
        QCOMPARE(about->size(), QSize(273, 375)); // 281 x 402 with its frame
        QCOMPARE(about->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(about->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(about->Image1->geometry(), QRect(32, 24, 161, 81));
        QVERIFY(!about->Image1->pixmap().isNull());
        // The program's name, version, licence and Qt; no invented address.
        QCOMPARE(about->Label2->text(), QStringLiteral("Korvo TCI programmer"));
        QCOMPARE(about->Label3->text(), QStringLiteral("MIT licence"));
        QCOMPARE(about->Label4->text(), QStringLiteral("Qt ") + QString::fromLatin1(qVersion()));
        QCOMPARE(about->LabelProgramVersion->text(), QStringLiteral("Version " KORVO_VERSION));
        for (const QLabel *label : about->findChildren<QLabel *>()) {
            for (const char *placeholder : {"example", "@", "www.", "Street"})
                QVERIFY2(!label->text().contains(QLatin1String(placeholder)), qPrintable(label->text()));
        }
        QCOMPARE(about->ButtonAboutQt->text(), QStringLiteral("About Qt"));
        QVERIFY(about->ButtonAboutQt->isVisible());
        static const QRegularExpression date(
            QStringLiteral("^(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [ 123]\\d \\d{4}$"));
        static const QRegularExpression time(QStringLiteral("^[0-2]\\d:[0-5]\\d:[0-5]\\d$"));
        QVERIFY2(date.match(about->LabelDate->text()).hasMatch(), qPrintable(about->LabelDate->text()));
        QVERIFY2(time.match(about->LabelTime->text()).hasMatch(), qPrintable(about->LabelTime->text()));
        QCOMPARE(about->LabelDate->pos(), QPoint(32, 313));
        QCOMPARE(about->LabelTime->pos(), QPoint(32, 335));
        QCOMPARE(about->LabelExit->text(), QStringLiteral("OK"));
        QCOMPARE(about->LabelExit->pos(), QPoint(216, 320));
        // Centred on the screen once, by its outer size.
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(about->pos(), QPoint(screen.width() / 2 - 281 / 2, screen.height() / 2 - 402 / 2));
        QTest::mouseClick(about->LabelExit, Qt::LeftButton);
    });
}

void tst_TFormAbout::caption_data()
{
    QTest::addColumn<quint8>("language");
    QTest::addColumn<bool>("closeBox"); // else the OK label
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("version"); // the program's version line
    const QString v = QStringLiteral(KORVO_VERSION);
    QTest::newRow("English, OK label") << quint8(LanguageEnglish) << false << "About Korvo_TCI" << "Version " + v;
    QTest::newRow("German, close box") << quint8(LanguageGerman) << true << "Über Programm Korvo_TCI" << "Version " + v;
    QTest::newRow("Czech, OK label") << quint8(LanguageCzech) << false << "O programu ZENTARA" << "Verze " + v;
    QTest::newRow("French, close box") << quint8(LanguageFrench) << true << "Information Korvo_TCI" << "Version " + v;
}

void tst_TFormAbout::caption()
{
    QFETCH(quint8, language);
    QFETCH(bool, closeBox);
    QFETCH(QString, caption);
    QFETCH(QString, version);
    form()->Session.LanguageIndex = language;
    QString shown;
    QString shownVersion;
    whileAboutOpen([&](TFormAbout *about) {
        shown = about->windowTitle();
        shownVersion = about->LabelProgramVersion->text();
        if (closeBox)
            about->close();
        else
            QTest::mouseClick(about->LabelExit, Qt::LeftButton);
    });
    QCOMPARE(shown, caption);
    QCOMPARE(shownVersion, version);
}

void tst_TFormAbout::oneWindowKeepsItsPlace()
{
    TFormHlav *w = form();
    w->MenuGerman->trigger();
    QString first;
    whileAboutOpen([&](TFormAbout *about) {
        first = about->windowTitle();
        about->move(10, 20); // the user moves it
        about->close();
    });
    TFormAbout *const about = w->FormAbout;

    w->MenuCzech->trigger();
    QString second;
    QPoint place;
    whileAboutOpen([&](TFormAbout *shown) {
        QCOMPARE(shown, about);
        second = shown->windowTitle();
        place = shown->pos();
        shown->close();
    });
    QCOMPARE(first, QStringLiteral("Über Programm Korvo_TCI"));
    QCOMPARE(second, QStringLiteral("O programu ZENTARA"));
    QCOMPARE(place, QPoint(10, 20));
    QCOMPARE(w->findChildren<TFormAbout *>().size(), 1);
}

void tst_TFormAbout::timerTicksWhileOpen()
{
    TFormHlav *w = form();
    int ticks = 0;
    connect(w->Timer1, &QTimer::timeout, w, [&ticks] { ++ticks; });
    w->Timer1->start();
    whileAboutOpen([&](TFormAbout *about) {
        // Closed from the event loop after a while, as a user would.
        QTimer::singleShot(400, about, &QWidget::close);
    });
    w->Timer1->stop();
    QVERIFY2(ticks >= 3, qPrintable(QString::number(ticks)));
}

QTEST_MAIN(tst_TFormAbout)
#include "tst_TFormAbout.moc"
