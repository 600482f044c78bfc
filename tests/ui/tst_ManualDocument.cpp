#include "FormFixture.h"

#include "IniFile.h"
#include "LanguageTexts.h"
#include "ManualDocument.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLabel>
#include <QUrl>

// Opens nothing; records what the window asked the desktop to open.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

// Where the manual of a language is, and Help > Contents when there is none.
class tst_ManualDocument : public QObject
{
    Q_OBJECT

private slots:
    void splitCommandLine_data();
    void splitCommandLine();
    void documentPath_data();
    void documentPath();
    void documentPathBuildOrInstalledTree_data();
    void documentPathBuildOrInstalledTree();
    void contentsWithoutManualDoesNothing();
};

void tst_ManualDocument::splitCommandLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");

    const QString word = QStringLiteral("C:\\Program Files\\Microsoft Office\\Office\\WINWORD.EXE");
    QTest::newRow("English") << *ManualCommandLine(0) << word
                             << QStringList{QStringLiteral("C:\\Quellmar\\Strada9\\Manual_Strada9_en.doc")};
    QTest::newRow("German") << *ManualCommandLine(1) << word
                            << QStringList{QStringLiteral("C:\\Quellmar\\Strada9\\Manual_Strada9_de.doc")};
    QTest::newRow("Czech") << *ManualCommandLine(3) << word
                           << QStringList{QStringLiteral("C:\\Quellmar\\Strada9\\Manual_Strada9_cz.doc")};
    QTest::newRow("document with blanks")
        << "c:\\x y\\viewer.exe C:\\My Manuals\\a b.doc"
        << "c:\\x y\\viewer.exe" << QStringList{QStringLiteral("C:\\My Manuals\\a b.doc")};
    QTest::newRow("no document") << "C:\\Tools\\viewer.exe"
                                 << "C:\\Tools\\viewer.exe" << QStringList();
    QTest::newRow("no .exe: nothing split off") << "C:\\Program Files\\viewer C:\\m.doc"
                                                << "C:\\Program Files\\viewer C:\\m.doc" << QStringList();
    // A shell would run the second command; here it is part of the document argument.
    QTest::newRow("shell characters stay text")
        << "C:\\v.exe a.doc & del x"
        << "C:\\v.exe" << QStringList{QStringLiteral("a.doc & del x")};
}

void tst_ManualDocument::splitCommandLine()
{
    QFETCH(QString, line);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const ManualCommand command = splitManualCommandLine(line);
    QCOMPARE(command.program, program);
    QCOMPARE(command.arguments, arguments);
}

void tst_ManualDocument::documentPath_data()
{
    QTest::addColumn<quint8>("language");
    QTest::addColumn<QByteArray>("ini"); // empty: no settings file
    QTest::addColumn<QString>("path");   // "-": none

    const QByteArray manuals =
        "[MANUAL]\r\nEnglish=/srv/manuals/en.pdf\r\nczech = docs/cz.pdf\r\nGerman=\r\n";
    QTest::newRow("English, no settings")
        << quint8(LanguageEnglish) << QByteArray() << "/opt/korvo/manual/Manual_Korvo_TCI_en.pdf";
    QTest::newRow("German, no settings")
        << quint8(LanguageGerman) << QByteArray() << "/opt/korvo/manual/Manual_Korvo_TCI_de.pdf";
    QTest::newRow("Czech, no settings")
        << quint8(LanguageCzech) << QByteArray() << "/opt/korvo/manual/Manual_Korvo_TCI_cz.pdf";
    QTest::newRow("French has none") << quint8(LanguageFrench) << manuals << "-";
    QTest::newRow("unknown language") << quint8(7) << QByteArray() << "-";
    QTest::newRow("English from settings") << quint8(LanguageEnglish) << manuals << "/srv/manuals/en.pdf";
    QTest::newRow("Czech relative, key in other case")
        << quint8(LanguageCzech) << manuals << "/opt/korvo/docs/cz.pdf";
    QTest::newRow("German empty key: default")
        << quint8(LanguageGerman) << manuals << "/opt/korvo/manual/Manual_Korvo_TCI_de.pdf";
    QTest::newRow("settings without the section")
        << quint8(LanguageEnglish) << QByteArray("[FORM_HLAV]\nLanguage=0\n")
        << "/opt/korvo/manual/Manual_Korvo_TCI_en.pdf";
}

void tst_ManualDocument::documentPath()
{
    QFETCH(quint8, language);
    QFETCH(QByteArray, ini);
    QFETCH(QString, path);
    const IniFile settings(ini);
    const std::optional<QString> found =
        manualDocumentPath(language, QStringLiteral("/opt/korvo"), ini.isEmpty() ? nullptr : &settings);
    QCOMPARE(found.value_or(QStringLiteral("-")), path);
}

void tst_ManualDocument::documentPathBuildOrInstalledTree_data()
{
    QTest::addColumn<bool>("inBuildTree");  // manual/ beside the executable
    QTest::addColumn<bool>("inInstallTree"); // ../share/korvo-tci/manual
    QTest::addColumn<QString>("found");      // relative to the prefix

    QTest::newRow("build tree") << true << false << "bin/manual/Manual_Korvo_TCI_cz.pdf";
    QTest::newRow("installed") << false << true << "share/korvo-tci/manual/Manual_Korvo_TCI_cz.pdf";
    QTest::newRow("both: the one beside") << true << true << "bin/manual/Manual_Korvo_TCI_cz.pdf";
    QTest::newRow("neither: the one beside") << false << false << "bin/manual/Manual_Korvo_TCI_cz.pdf";
}

void tst_ManualDocument::documentPathBuildOrInstalledTree()
{
    QFETCH(bool, inBuildTree);
    QFETCH(bool, inInstallTree);
    QFETCH(QString, found);
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    const QDir root(prefix.path());
    const auto place = [&root](const QString &relative) {
        QVERIFY(root.mkpath(QFileInfo(relative).path()));
        QFile file(root.filePath(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
    };
    QVERIFY(root.mkpath(QStringLiteral("bin")));
    if (inBuildTree)
        place(QStringLiteral("bin/manual/Manual_Korvo_TCI_cz.pdf"));
    if (inInstallTree)
        place(QStringLiteral("share/korvo-tci/manual/Manual_Korvo_TCI_cz.pdf"));

    QCOMPARE(manualDocumentPath(LanguageCzech, root.filePath(QStringLiteral("bin")), nullptr).value_or(QString()),
             root.filePath(found));
}

void tst_ManualDocument::contentsWithoutManualDoesNothing()
{
    UrlRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    FakeUnitPortProvider ports;
    FormFixture f(ports);
    TFormHlav *w = f.form.get();
    // Beside the test program there is no manual in any language.
    QVERIFY(!QDir(QCoreApplication::applicationDirPath()).exists(QStringLiteral("manual")));

    for (QAction *language : {w->MenuEnglish, w->MenuGerman, w->MenuCzech}) {
        language->trigger();
        QTest::keyClick(w, Qt::Key_F1);
    }
    w->Session.LanguageIndex = LanguageFrench;
    w->MenuContens->trigger();

    QCOMPARE(desktop.opened, QList<QUrl>());
    QCOMPARE(f.prompts.informations, QStringList());
    QCOMPARE(f.prompts.notices.size(), 0);
    QVERIFY(!QApplication::activeModalWidget());
    // The program runs on.
    QVERIFY(w->isVisible());
    w->Timer1Timer();
    QVERIFY(w->LabelSpojeni->isVisible());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
}

QTEST_MAIN(tst_ManualDocument)
#include "tst_ManualDocument.moc"
