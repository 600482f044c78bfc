#include "FormFixture.h"

#include "AddedTexts.h"
#include "AppPaths.h"
#include "IniFile.h"
#include "LanguageTexts.h"
#include "ParameterFile.h"
#include "TestFiles.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProgressBar>
#include <QToolButton>
#include <QTemporaryDir>
#include <QUrl>

// File > Recent files and parameter files dropped on the window: both open through the
// Open command's path, with its checks and messages.
class tst_TFormHlavRecent : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openAndSaveFillTheList();
    void recentEntryOpensAsOpenDoes_data();
    void recentEntryOpensAsOpenDoes();
    void menuFollowsTheLanguage();
    void dropOpensAParameterFile_data();
    void dropOpensAParameterFile();
    void listKeptFromRunToRun();

private:
    TFormHlav *form() const { return m_window.form(); }
    QMenu *recentMenu() const { return m_window->find<QMenu>("MenuRecent"); }
    ScriptedPrompts &prompts() const { return m_window->prompts; }
    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    // A set that differs from the window's, written to name.
    QString writeSet(const QString &name, quint8 limiter)
    {
        IgnitionParameters set = form()->Parameters;
        set.LIMITER() = limiter;
        const QString file = path(name);
        writeFile(file, ParameterFileText(set));
        return file;
    }
    QStringList menuEntries() const
    {
        QStringList captions;
        // The list is brought up to date as File opens.
        emit form()->MenuFile->aboutToShow();
        for (QAction *action : recentMenu()->actions()) {
            if (action->objectName().startsWith(QLatin1String("MenuRecentFile")))
                captions.append(action->text());
        }
        return captions;
    }
    bool drop(const QList<QUrl> &urls)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = form()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form(), &dropped);
        return dropped.isAccepted();
    }

    TestWindow<> m_window;
    QTemporaryDir *m_dir = nullptr;
};

void tst_TFormHlavRecent::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_window.start();
}

void tst_TFormHlavRecent::cleanup()
{
    m_window.reset();
    delete m_dir;
    m_dir = nullptr;
}

void tst_TFormHlavRecent::openAndSaveFillTheList()
{
    // A first start has nothing to offer.
    QVERIFY(menuEntries().isEmpty());
    QVERIFY(!recentMenu()->menuAction()->isEnabled());

    const QString opened = writeSet(QStringLiteral("a & b.ign"), 80);
    prompts().openFileNames = {opened, path(QStringLiteral("missing.ign"))};
    form()->MenuOpenClick();
    form()->MenuOpenClick(); // fails: not listed
    const QString saved = path(QStringLiteral("saved.ign"));
    prompts().saveFileNames = {saved};
    form()->MenuSaveClick();

    QCOMPARE(prompts().informations, QStringList{"Open file error"});
    QCOMPARE(form()->Recent.entries(), (QStringList{saved, opened}));
    // "&" in a name is shown, not taken as an access letter.
    QCOMPARE(menuEntries(), (QStringList{"&1 " + QDir::toNativeSeparators(saved),
                                         "&2 " + QDir::toNativeSeparators(path(QStringLiteral("a && b.ign")))}));
    QVERIFY(recentMenu()->menuAction()->isEnabled());

    // Opening the older one again puts it first; the list never repeats a file.
    form()->findChild<QAction *>(QStringLiteral("MenuRecentFile2"))->trigger();
    QCOMPARE(form()->Recent.entries(), (QStringList{opened, saved}));

    form()->findChild<QAction *>(QStringLiteral("MenuRecentClear"))->trigger();
    QVERIFY(menuEntries().isEmpty());
    QVERIFY(!recentMenu()->menuAction()->isEnabled());
}

void tst_TFormHlavRecent::recentEntryOpensAsOpenDoes_data()
{
    QTest::addColumn<QByteArray>("content"); // null: the file has gone
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message"); // empty: opened

    QTest::newRow("a good file") << QByteArray("good") << 0 << QString();
    const QByteArray wrongVersion("QUELLMAR_KEY   60 \r\n\r\nBIKE            3 \r\nLIMITER        90 ");
    QTest::newRow("wrong version, Czech") << wrongVersion << 3 << FileVersionMismatchText(3);
    QTest::newRow("wrong version, German") << wrongVersion << 1 << FileVersionMismatchText(1);
    QTest::newRow("file gone") << QByteArray() << 3 << "Open file error";
}

void tst_TFormHlavRecent::recentEntryOpensAsOpenDoes()
{
    QFETCH(QByteArray, content);
    QFETCH(int, language);
    QFETCH(QString, message);
    const QString file = path(QStringLiteral("set.ign"));
    IgnitionParameters set = form()->Parameters;
    set.LIMITER() = 77;
    set.BASE_ADV() = 9;
    if (content == "good")
        writeFile(file, ParameterFileText(set));
    else if (!content.isNull())
        writeFile(file, content);
    form()->Recent.add(file);
    form()->Session.LanguageIndex = quint8(language);
    form()->LabelFile2->setText(QStringLiteral("/earlier.ign"));
    form()->CurrentFileName = QStringLiteral("/earlier.ign");
    const IgnitionParameters before = form()->Parameters;
    // A message running, as after a transfer: Open hides it in every case.
    form()->link().ShowLinkMessage(QStringLiteral("Programing: OK"), NamedColour::BtnFace);
    form()->ShowLinkState();
    QVERIFY(form()->LabelHlaseni->isVisible());

    QVERIFY(!menuEntries().isEmpty());
    form()->findChild<QAction *>(QStringLiteral("MenuRecentFile1"))->trigger();

    QVERIFY(form()->LabelHlaseni->isHidden());
    QVERIFY(prompts().openDialogs.isEmpty());
    if (message.isEmpty()) {
        QVERIFY(prompts().informations.isEmpty());
        QCOMPARE(form()->Parameters.LIMITER(), quint8(77));
        QCOMPARE(form()->Parameters.BASE_ADV(), quint8(9));
        QCOMPARE(form()->LabelFile2->text(), file);
        QCOMPARE(form()->CurrentFileName, file);
        QCOMPARE(form()->SaveDialog1FileName, file);
        // Not an edit: nothing to undo.
        QVERIFY(!form()->SpeedButtonZpet->isEnabled());
    } else {
        QCOMPARE(prompts().informations, QStringList{message});
        QVERIFY(form()->Parameters == before);
        QCOMPARE(form()->LabelFile2->text(), QStringLiteral("/earlier.ign"));
        QCOMPARE(form()->CurrentFileName, QStringLiteral("/earlier.ign"));
    }
    // A file that failed stays listed: it may be back once a stick is plugged in again.
    QCOMPARE(form()->Recent.entries(), QStringList{file});
}

void tst_TFormHlavRecent::menuFollowsTheLanguage()
{
    form()->Recent.add(path(QStringLiteral("a.ign")));
    for (auto [language, action] : {std::pair{quint8(3), form()->MenuCzech}, std::pair{quint8(1), form()->MenuGerman},
                                    std::pair{quint8(0), form()->MenuEnglish}}) {
        action->trigger();
        menuEntries();
        QCOMPARE(recentMenu()->title(), AddedTextFor(AddedText::RecentFilesMenu, language));
        QCOMPARE(form()->findChild<QAction *>(QStringLiteral("MenuRecentClear"))->text(),
                 AddedTextFor(AddedText::RecentFilesClear, language));
    }
}

void tst_TFormHlavRecent::dropOpensAParameterFile_data()
{
    QTest::addColumn<QStringList>("urls");   // "%1" is the temporary folder
    QTest::addColumn<QString>("opened");     // empty: the drop is refused
    QTest::addColumn<QStringList>("message");

    QTest::newRow("a parameter file") << QStringList{"file://%1/set.ign"} << "%1/set.ign" << QStringList();
    QTest::newRow("suffix in capitals") << QStringList{"file://%1/SET.IGN"} << "%1/SET.IGN" << QStringList();
    QTest::newRow("first parameter file of several")
        << QStringList{"file://%1/notes.txt", "file://%1/set.ign", "file://%1/SET.IGN"} << "%1/set.ign"
        << QStringList();
    QTest::newRow("another kind of file") << QStringList{"file://%1/notes.txt"} << QString() << QStringList();
    QTest::newRow("not a local file") << QStringList{"https://example.org/set.ign"} << QString() << QStringList();
    // Accepted by its name, then refused by Open's checks as any chosen file would be.
    QTest::newRow("a folder named .ign") << QStringList{"file://%1/folder.ign"} << QString()
                                         << QStringList{"Open file error"};
}

void tst_TFormHlavRecent::dropOpensAParameterFile()
{
    QFETCH(QStringList, urls);
    QFETCH(QString, opened);
    QFETCH(QStringList, message);
    writeSet(QStringLiteral("set.ign"), 66);
    writeSet(QStringLiteral("SET.IGN"), 67);
    writeFile(path(QStringLiteral("notes.txt")), "LIMITER 50\n");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.ign")));
    QList<QUrl> dropped;
    for (const QString &url : urls)
        dropped.append(QUrl(url.arg(m_dir->path())));
    const QString label = form()->LabelFile2->text();

    // Dropped on a value field, a file is not typed into it: the window takes it.
    for (const QLineEdit *edit : form()->findChildren<QLineEdit *>())
        QVERIFY2(!edit->acceptDrops(), qPrintable(edit->objectName()));

    const bool accepted = drop(dropped);
    QCOMPARE(accepted, !opened.isEmpty() || !message.isEmpty());
    // Opened once the drop has returned.
    QCoreApplication::processEvents();
    QCOMPARE(prompts().informations, message);
    if (opened.isEmpty()) {
        QCOMPARE(form()->LabelFile2->text(), label);
        QVERIFY(form()->Recent.entries().isEmpty());
    } else {
        const QString file = opened.arg(m_dir->path());
        QCOMPARE(form()->LabelFile2->text(), file);
        QCOMPARE(form()->Parameters.LIMITER(), quint8(file.endsWith(QLatin1String("IGN")) ? 67 : 66));
        QCOMPARE(form()->Recent.entries(), QStringList{file});
    }
}

void tst_TFormHlavRecent::listKeptFromRunToRun()
{
    QTemporaryDir config;
    QVERIFY(config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    m_window.close();
    // Another tool's section and the window's own keys survive the list's write.
    writeFile(settingsFilePath(), "[MY_TOOL]\r\nkept=1\r\n[RECENT_FILES]\r\nFile1=/gone/old.ign\r\n");

    QStringList files;
    {
        FormFixture first(m_window.ports(), {}, true);
        QCOMPARE(first.form->Recent.entries(), QStringList{"/gone/old.ign"});
        for (int i = 1; i <= 9; ++i) {
            files.prepend(path(QStringLiteral("%1.ign").arg(i)));
            first.prompts.saveFileNames = {files.constFirst()};
            first.form->MenuSaveClick();
        }
        // Nothing is written before shutdown.
        QVERIFY(readFile(settingsFilePath()).contains("File1=/gone/old.ign"));
        first.form->MenuExit->trigger();
    }
    const IniFile written(readFile(settingsFilePath()));
    QCOMPARE(written.readString("MY_TOOL", "kept", QString()), QStringLiteral("1"));
    QCOMPARE(written.readString("FORM_HLAV", "Language", QString()), QStringLiteral("0"));

    FormFixture second(m_window.ports(), {}, true);
    QCOMPARE(second.form->Recent.entries(), files.mid(0, RecentFiles::MaxEntries));
    qunsetenv("XDG_CONFIG_HOME");
}

QTEST_MAIN(tst_TFormHlavRecent)
#include "tst_TFormHlavRecent.moc"
