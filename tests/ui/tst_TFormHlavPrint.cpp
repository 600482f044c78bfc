#include "FormFixture.h"
#include "PdfPages.h"

#include "LanguageTexts.h"
#include "LinkDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>

// Printing the window on a machine without a printer: the page goes to a PDF in the
// documents folder of a home made for the test.
class tst_TFormHlavPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void appearanceWhilePrinting();
    void windowLooksAsBeforeAfterwards();
    void stamp_data();
    void stamp();
    void menuItemAndShortcutPrint();
    void failingPdfIsReported_data();
    void failingPdfIsReported();

private:
    struct Seen
    {
        int calls = 0;
        bool printing = false;
        QStringList shown; // decorations that were visible
        bool areaVisible = false;
        bool areaRed = false;
        bool gaugeVisible = false;
        bool noConnectionVisible = false;
        QString area;
        QColor background;
        QImage image;
    };

    QList<QWidget *> decorations() const
    {
        TFormHlav *w = form();
        return {w->CheckBoxProgHned, w->StatusBar1,     w->UpDownBaseAdv,
                w->UpDownOmez2,      w->BitBtnAdvMinus, w->BitBtnAdvPlus,
                w->CheckBoxIgnAll,   w->CGaugeRpm,      w->LabelPocetProgramovani};
    }
    // Records how the window looks when its image is handed to the printer.
    void watchPrinting(Seen &seen)
    {
        form()->printImageHook = [this, &seen](const QImage &image) {
            TFormHlav *w = form();
            ++seen.calls;
            seen.printing = w->Printing;
            seen.shown.clear();
            for (QWidget *widget : decorations())
                if (widget->isVisible())
                    seen.shown.append(widget->objectName());
            seen.areaVisible = w->LabelHlaseni->isVisible();
            seen.areaRed = w->LabelHlaseni->autoFillBackground();
            seen.gaugeVisible = w->CGaugeProgram->isVisible();
            seen.noConnectionVisible = w->LabelSpojeni->isVisible();
            seen.area = w->LabelHlaseni->text();
            seen.background = w->ClientArea->palette().color(QPalette::Window);
            seen.image = image;
        };
    }
    QDir documents() const
    {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    }
    QStringList pdfs() const { return documents().entryList({QStringLiteral("*.pdf")}, QDir::Files); }
    void removeDocuments() const
    {
        const QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (QFileInfo(path).isDir())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }

    TestWindow<> m_window;
    TFormHlav *form() const { return m_window.form(); }
};

void tst_TFormHlavPrint::initTestCase()
{
    // The home of this test has neither a printer setting nor documents yet.
    QVERIFY2(QPrinterInfo::defaultPrinter().isNull(),
             "a default printer is set up: these prints would go to it");
    QVERIFY(documents().path().startsWith(QDir::homePath()));
}

void tst_TFormHlavPrint::init()
{
    removeDocuments();
    m_window.start();
}

void tst_TFormHlavPrint::cleanup()
{
    m_window.reset();
}

void tst_TFormHlavPrint::appearanceWhilePrinting()
{
    TFormHlav *w = form();
    // A red error and a running gauge before printing.
    w->link().ShowLinkMessage(QStringLiteral("Read error!"), NamedColour::Red);
    w->link().CGaugeProgram = GaugeView{3, 3, true};
    w->ShowLinkState();
    QVERIFY(w->LabelHlaseni->autoFillBackground());
    QVERIFY(w->CGaugeProgram->isVisible());
    w->Timer1Timer(); // no unit: "No Connection" is up
    QVERIFY(w->LabelSpojeni->isVisible());

    Seen seen;
    watchPrinting(seen);
    QTest::mouseClick(w->SpeedButtonPrint, Qt::LeftButton);

    QCOMPARE(seen.calls, 1);
    QVERIFY(seen.printing);
    QCOMPARE(seen.shown, QStringList());
    QVERIFY(seen.areaVisible);
    QVERIFY(!seen.areaRed);
    QVERIFY(!seen.gaugeVisible);
    QVERIFY(!seen.noConnectionVisible);
    QVERIFY2(seen.area.startsWith(QStringLiteral("Date and Time of printing:  ")), qPrintable(seen.area));
    QCOMPARE(seen.background, QColor(Qt::white));
    QCOMPARE(seen.image.size(),
             QSize(TFormHlav::ClientWidth, TFormHlav::ClientHeight) * w->devicePixelRatioF());
    // The page is white where the status bar and the gauges stand on screen.
    QCOMPARE(seen.image.pixelColor(300, 767), QColor(Qt::white));
    QCOMPARE(seen.image.pixelColor(w->CGaugeRpm->geometry().center()), QColor(Qt::white));
    // The full progress bar would be aqua: none of it on the page.
    const QRect gauge = w->CGaugeProgram->geometry();
    for (int y = gauge.top(); y <= gauge.bottom(); ++y)
        for (int x = gauge.left(); x <= gauge.right(); ++x)
            QVERIFY(seen.image.pixelColor(x, y) != QColor(Qt::cyan));

    // Afterwards: colours and controls back, the area hidden until the next tick.
    QVERIFY(!w->Printing);
    QVERIFY(!w->link().Printing);
    for (QWidget *widget : decorations())
        QVERIFY2(widget->isVisible(), qPrintable(widget->objectName()));
    QCOMPARE(w->ClientArea->palette().color(QPalette::Window),
             QApplication::palette().color(QPalette::Button));
    QVERIFY(w->LabelHlaseni->isHidden());
    QVERIFY(w->LabelSpojeni->isVisible());
    QCOMPARE(m_window->prompts.informations, QStringList());

    // One page in the documents folder; the message area says where.
    const QStringList files = pdfs();
    QCOMPARE(files.size(), 1);
    QCOMPARE(pdfPageCount(documents().filePath(files.first())), 1);
    w->Timer1Timer();
    QVERIFY(w->LabelHlaseni->isVisible());
    QVERIFY(w->CGaugeProgram->isHidden()); // the bar does not come back with the area
    QVERIFY2(w->LabelHlaseni->text().startsWith(QStringLiteral("Printed to PDF: ")),
             qPrintable(w->LabelHlaseni->text()));
    QVERIFY2(w->LabelHlaseni->text().endsWith(files.first()), qPrintable(w->LabelHlaseni->text()));
    QVERIFY(w->LabelHlaseni->width() <= 405);
    QCOMPARE(int(w->link().MessageTicks), LinkDriver::MessageTicks_ - 1);
}

void tst_TFormHlavPrint::windowLooksAsBeforeAfterwards()
{
    TFormHlav *w = form();
    const QImage before = w->ClientArea->grab().toImage();
    w->MenuPrint->trigger();
    QCOMPARE(pdfs().size(), 1);
    QCOMPARE(w->ClientArea->grab().toImage(), before);
}

void tst_TFormHlavPrint::stamp_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("English") << "MenuEnglish"
                             << "Date and Time of printing:  ";
    QTest::newRow("German prints the English stamp") << "MenuGerman"
                                                     << "Date and Time of printing:  ";
    QTest::newRow("Czech") << "MenuCzech"
                           << "Datum a čas tisku:  ";
}

void tst_TFormHlavPrint::stamp()
{
    QFETCH(QString, language);
    QFETCH(QString, prefix);
    TFormHlav *w = form();
    m_window->find<QAction>(language.toLatin1().constData())->trigger();
    Seen seen;
    watchPrinting(seen);

    const QLocale locale = QLocale::system();
    // The system's long time format without the time zone that Qt's long format adds.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove(QRegularExpression(QStringLiteral("\\s*\\bt+\\b")));
    timeFormat = timeFormat.trimmed();
    const QString timeBefore = locale.toString(QTime::currentTime(), timeFormat);
    w->SpeedButtonPrintClick();
    const QString timeAfter = locale.toString(QTime::currentTime(), timeFormat);
    const QString date = locale.toString(QDate::currentDate(), QLocale::ShortFormat);

    const QString start = prefix + date + QStringLiteral("    ");
    QVERIFY2(seen.area.startsWith(start), qPrintable(seen.area));
    const QString time = seen.area.mid(start.size());
    QVERIFY2(time == timeBefore || time == timeAfter, qPrintable(time));
    QVERIFY2(!time.contains(QStringLiteral("UTC")), qPrintable(time));
}

void tst_TFormHlavPrint::menuItemAndShortcutPrint()
{
    TFormHlav *w = form();
    Seen seen;
    watchPrinting(seen);
    w->MenuPrint->trigger();
    QCOMPARE(seen.calls, 1);
    QTest::keyClick(w, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(seen.calls, 2);
    QCOMPARE(pdfs().size(), 2);
}

void tst_TFormHlavPrint::failingPdfIsReported_data()
{
    QTest::addColumn<QString>("language"); // the item of the Language menu
    QTest::addColumn<QString>("start");
    QTest::newRow("English") << "MenuEnglish" << "Cannot create the folder ";
    QTest::newRow("Czech") << "MenuCzech" << QStringLiteral("Nelze vytvořit složku ");
    QTest::newRow("German") << "MenuGerman" << "Der Ordner ";
}

void tst_TFormHlavPrint::failingPdfIsReported()
{
    QFETCH(QString, language);
    QFETCH(QString, start);
    // A file where the documents folder should be: the PDF cannot be written.
    QFile blocker(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TFormHlav *w = form();
    w->findChild<QAction *>(language)->trigger();
    w->SpeedButtonPrintClick();
    // A failure, in the interface language, with a warning icon.
    QCOMPARE(m_window->prompts.warnings.size(), 1);
    QVERIFY2(m_window->prompts.warnings.first().startsWith(start), qPrintable(m_window->prompts.warnings.first()));
    QVERIFY(m_window->prompts.warnings.first().contains(QStringLiteral("Documents")));
    // The window is restored as after a good print, and the stamp comes back with the
    // next tick.
    QVERIFY(!w->Printing);
    for (QWidget *widget : decorations())
        QVERIFY2(widget->isVisible(), qPrintable(widget->objectName()));
    QVERIFY(w->LabelHlaseni->isHidden());
    w->Timer1Timer();
    QVERIFY(w->LabelHlaseni->isVisible());
    QVERIFY(w->LabelHlaseni->text().startsWith(PrintStampPrefix(w->Session.LanguageIndex)));
    blocker.remove();
}

int main(int argc, char *argv[])
{
    // A home of our own before Qt looks at it: the documents folder, the print settings
    // and no print server to find a printer on.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    qputenv("CUPS_SERVER", QFile::encodeName(home.filePath(QStringLiteral("no-print-server"))));
    QApplication app(argc, argv);
    tst_TFormHlavPrint test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_TFormHlavPrint.moc"
