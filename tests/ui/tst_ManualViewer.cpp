#include "FormFixture.h"

#include "LanguageTexts.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    }
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

QTEST_MAIN(tst_ManualViewer)
#include "tst_ManualViewer.moc"
