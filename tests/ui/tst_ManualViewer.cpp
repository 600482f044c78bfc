#include "FormFixture.h"

#include "LanguageTexts.h"
#include "ManualWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextBrowser>

// Help > Contents hands the manual of the interface language to the desktop's viewer.
// This test program lives in an installed layout (bin/ of a prefix), with the manuals
// built from docs/manual put under share/korvo-tci/manual; a stand-in viewer on PATH
// records what it was asked to open.
class tst_ManualViewer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void contentsOpensTheLanguagesManual_data();
    void contentsOpensTheLanguagesManual();
    void failingViewerShowsTheManualHere_data();
    void failingViewerShowsTheManualHere();

private:
    QString installedManuals() const
    {
        return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/korvo-tci/manual"));
    }
    QString recorded() const
    {
        QFile record(m_viewer.filePath(QStringLiteral("opened.txt")));
        return record.open(QIODevice::ReadOnly) ? QString::fromUtf8(record.readAll()) : QString();
    }

    QTemporaryDir m_viewer;
};

void tst_ManualViewer::initTestCase()
{
    QVERIFY(m_viewer.isValid());
    const QString viewer = m_viewer.filePath(QStringLiteral("xdg-open"));
    QFile script(viewer);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$(dirname \"$0\")/opened.txt\"\n");
    script.close();
    QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    qputenv("PATH", QFile::encodeName(m_viewer.path()) + ':' + qgetenv("PATH"));

    // Only the installed place holds the manuals.
    QVERIFY(!QDir(QCoreApplication::applicationDirPath()).exists(QStringLiteral("manual")));
    QVERIFY(QDir().mkpath(installedManuals()));
    for (const char *language : {"en", "de", "cz"}) {
        const QString name = QStringLiteral("Manual_Korvo_TCI_%1.pdf").arg(QLatin1String(language));
        const QString target = installedManuals() + u'/' + name;
        QFile::remove(target);
        QVERIFY2(QFile::copy(QStringLiteral(KORVO_MANUAL_DIR "/") + name, target), qPrintable(name));
        const QString markdown = QStringLiteral("Manual_Korvo_TCI_%1.md").arg(QLatin1String(language));
        QFile::remove(installedManuals() + u'/' + markdown);
        QVERIFY2(QFile::copy(QStringLiteral(KORVO_MANUAL_DIR "/") + markdown, installedManuals() + u'/' + markdown),
                 qPrintable(markdown));
    }
    // A picture beside the Czech manual, named relative to it.
    QVERIFY(QDir(installedManuals()).mkpath(QStringLiteral("images")));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(installedManuals() + QStringLiteral("/images/test.png")));
    QFile czech(installedManuals() + QStringLiteral("/Manual_Korvo_TCI_cz.md"));
    QVERIFY(czech.setPermissions(czech.permissions() | QFileDevice::WriteOwner));
    QVERIFY(czech.open(QIODevice::Append));
    czech.write("\n![Obrazek](images/test.png)\n");
}

void tst_ManualViewer::cleanupTestCase()
{
    QDir(installedManuals()).removeRecursively();
}

void tst_ManualViewer::contentsOpensTheLanguagesManual_data()
{
    QTest::addColumn<QString>("languageItem");
    QTest::addColumn<QString>("document"); // empty: nothing is opened

    QTest::newRow("Czech") << "MenuCzech" << "Manual_Korvo_TCI_cz.pdf";
    QTest::newRow("German") << "MenuGerman" << "Manual_Korvo_TCI_de.pdf";
    QTest::newRow("English") << "MenuEnglish" << "Manual_Korvo_TCI_en.pdf";
    QTest::newRow("French has none") << "" << QString();
}

void tst_ManualViewer::contentsOpensTheLanguagesManual()
{
    QFETCH(QString, languageItem);
    QFETCH(QString, document);
    QFile::remove(m_viewer.filePath(QStringLiteral("opened.txt")));
    FakeUnitPortProvider ports;
    FormFixture f(ports);
    if (languageItem.isEmpty())
        f.form->Session.LanguageIndex = LanguageFrench;
    else
        f.find<QAction>(qPrintable(languageItem))->trigger();

    QTest::keyClick(f.form.get(), Qt::Key_F1);

    if (document.isEmpty()) {
        // Nothing for French: the English manual asked for next is the only one the
        // viewer ever sees.
        f.form->MenuEnglish->trigger();
        QTest::keyClick(f.form.get(), Qt::Key_F1);
        document = QStringLiteral("Manual_Korvo_TCI_en.pdf");
    }
    QTRY_COMPARE_WITH_TIMEOUT(recorded(), installedManuals() + u'/' + document + u'\n', 10000);
    QVERIFY(f.prompts.informations.isEmpty());
}

void tst_ManualViewer::failingViewerShowsTheManualHere_data()
{
    QTest::addColumn<QByteArray>("viewer"); // the stand-in xdg-open; empty: there is none
    QTest::newRow("viewer fails") << QByteArray("#!/bin/sh\nexit 4\n");
    QTest::newRow("viewer cannot start") << QByteArray("#!/nonexistent/interpreter\n");
    QTest::newRow("no viewer") << QByteArray();
}

// Help is always there: when no viewer shows the PDF, the Markdown it is made from opens
// in a window of the program's own, in the interface language, with its pictures.
void tst_ManualViewer::failingViewerShowsTheManualHere()
{
    QFETCH(QByteArray, viewer);
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    if (!viewer.isEmpty()) {
        QFile script(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(viewer);
        script.close();
        QVERIFY(script.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin.path()));
    FakeUnitPortProvider ports;
    FormFixture f(ports);
    f.form->MenuCzech->trigger();
    QTest::keyClick(f.form.get(), Qt::Key_F1);
    qputenv("PATH", path);

    QTRY_VERIFY_WITH_TIMEOUT(f.form->findChild<ManualWindow *>() && f.form->findChild<ManualWindow *>()->isVisible(),
                             10000);
    ManualWindow *manual = f.form->findChild<ManualWindow *>();
    QCOMPARE(manual->windowTitle(), QStringLiteral("Návod"));
    QVERIFY2(manual->Reason->text().contains(QStringLiteral("Manual_Korvo_TCI_cz.pdf")), qPrintable(manual->Reason->text()));
    QVERIFY(manual->Browser->toPlainText().contains(QStringLiteral("Korvo TCI")));
    QVERIFY(!manual->Browser->toPlainText().contains(QStringLiteral("@VERSION@")));
    const QVariant image = manual->Browser->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("images/test.png")));
    QVERIFY(image.isValid() && !image.toByteArray().isEmpty());

    // F1 again shows the same window, not a second one.
    QTest::keyClick(f.form.get(), Qt::Key_F1);
    QTRY_VERIFY_WITH_TIMEOUT(f.form->findChildren<ManualWindow *>().size() == 1, 2000);
}

QTEST_MAIN(tst_ManualViewer)
#include "tst_ManualViewer.moc"
