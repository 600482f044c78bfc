#include "FileSizeLimit.h"
#include "TestFiles.h"
#include "Unprivileged.h"
#include "FormFixture.h"

#include "LanguageTextSets.h"
#include "AddedTexts.h"
#include "LanguageTexts.h"
#include "LinkDriver.h"
#include "ParameterFile.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QToolButton>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

// Open, Save and their exe-dir forms, through the scripted file dialogs.
class tst_TFormHlavFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void commandsShowTheirDialogs_data();
    void commandsShowTheirDialogs();
    void openCancelledHidesMessageArea();
    void openTakesTheFile();
    void openFailureKeepsEverything_data();
    void openFailureKeepsEverything();
    void saveWritesTheNormalisedControls();
    void saveCancelledChangesNothing();
    void saveThatCannotOpenChangesNothing();
    void saveToFullDiskKeepsOldFile();
    void saveWhereOnlyTheFileIsWritable_data();
    void saveWhereOnlyTheFileIsWritable();
    void exeDirPresets_data();
    void exeDirPresets();
    void exeDirNotWritable_data();
    void exeDirNotWritable();
    void fileOnCommandLine_data();
    void fileOnCommandLine();
    void saveFailureInInterfaceLanguage_data();
    void saveFailureInInterfaceLanguage();

private:
    TFormHlav *form() const { return m_window.form(); }
    ScriptedPrompts &prompts() const { return m_window->prompts; }
    // An absolute name stays as it is.
    QString path(const QString &name) const { return QDir(m_dir->path()).filePath(name); }
    // A message running in the message area, with its gauge, as after a transfer.
    void showMessage()
    {
        form()->link().ShowLinkMessage(QStringLiteral("Programing: OK"), NamedColour::BtnFace);
        form()->link().CGaugeProgram.visible = true;
        form()->ShowLinkState();
        QVERIFY(form()->LabelHlaseni->isVisible());
        QVERIFY(form()->CGaugeProgram->isVisible());
    }
    // What Open and Save must leave alone when they fail.
    struct Kept
    {
        IgnitionParameters parameters;
        QString label;
        QString currentFileName;
        QString openPreset;
        QString savePreset;
        QString rpm2Text;
    };
    Kept kept() const
    {
        return {form()->Parameters,          form()->LabelFile2->text(),  form()->CurrentFileName,
                form()->OpenDialog1FileName, form()->SaveDialog1FileName, form()->EditRpmAdv2->text()};
    }
    void verifyKept(const Kept &before) const
    {
        const Kept now = kept();
        QVERIFY(now.parameters == before.parameters);
        QCOMPARE(now.label, before.label);
        QCOMPARE(now.currentFileName, before.currentFileName);
        QCOMPARE(now.openPreset, before.openPreset);
        QCOMPARE(now.savePreset, before.savePreset);
        QCOMPARE(now.rpm2Text, before.rpm2Text);
    }
    // A file name in use before the command, so that a change shows.
    void useEarlierFile()
    {
        form()->LabelFile2->setText(QStringLiteral("/earlier/a.ign"));
        form()->CurrentFileName = QStringLiteral("/earlier/a.ign");
        form()->OpenDialog1FileName = QStringLiteral("/earlier/a.ign");
        form()->SaveDialog1FileName = QStringLiteral("/earlier/a.ign");
    }

    TestWindow<> m_window;
    QTemporaryDir *m_dir = nullptr;
};

void tst_TFormHlavFiles::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_window.start();
}

void tst_TFormHlavFiles::cleanup()
{
#ifdef Q_OS_UNIX
    // A folder made read-only by a test must be writable again to be removed.
    ::chmod(QFile::encodeName(path(QStringLiteral("shelf"))).constData(), 0755);
#endif
    m_window.reset();
    delete m_dir;
    m_dir = nullptr;
}

void tst_TFormHlavFiles::commandsShowTheirDialogs_data()
{
    QTest::addColumn<QString>("trigger"); // a key, or the object name of a menu item or button
    QTest::addColumn<bool>("open");
    QTest::newRow("F3") << "F3" << true;
    QTest::newRow("open button") << "SpeedButton5" << true;
    QTest::newRow("Open") << "MenuOpen" << true;
    QTest::newRow("Open from exe dir") << "MenuOpenExeDir" << true;
    QTest::newRow("F2") << "F2" << false;
    QTest::newRow("save button") << "SpeedButton7" << false;
    QTest::newRow("Save") << "MenuSave" << false;
    QTest::newRow("Save to exe dir") << "MenuSaveExeDir" << false;
}

void tst_TFormHlavFiles::commandsShowTheirDialogs()
{
    QFETCH(QString, trigger);
    QFETCH(bool, open);
    if (trigger == QLatin1String("F3") || trigger == QLatin1String("F2"))
        QTest::keyClick(form(), trigger == QLatin1String("F3") ? Qt::Key_F3 : Qt::Key_F2);
    else if (auto *button = form()->findChild<QToolButton *>(trigger))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        m_window->find<QAction>(trigger.toLatin1().constData())->trigger();

    QCOMPARE(prompts().openDialogs.size(), open ? 1 : 0);
    QCOMPARE(prompts().saveDialogs.size(), open ? 0 : 1);
    const ScriptedPrompts::FileDialogShown shown =
        open ? prompts().openDialogs.constFirst() : prompts().saveDialogs.constFirst();
#ifdef Q_OS_WIN
    const QString openFilter = QStringLiteral("Ignition Parametrs(*.ign);;All Files (*.*)");
#else
    const QString openFilter = QStringLiteral("Ignition Parametrs(*.ign);;All Files (*)");
#endif
    QCOMPARE(shown.filter, open ? openFilter : QStringLiteral("Ignition Parametrs(*.ign)"));
    QCOMPARE(shown.defaultSuffix, QStringLiteral("ign"));
    // A first start proposes no file; the exe-dir commands propose data.ign beside the program.
    QCOMPARE(shown.fileName, trigger.contains(QLatin1String("ExeDir")) ? form()->ExeDirDataFile : QString());
    QVERIFY(prompts().informations.isEmpty());
}

void tst_TFormHlavFiles::openCancelledHidesMessageArea()
{
    showMessage();
    const Kept before = kept();
    const quint8 ticks = form()->link().MessageTicks;
    form()->MenuOpenClick();
    QVERIFY(form()->LabelHlaseni->isHidden());
    QVERIFY(form()->CGaugeProgram->isHidden());
    verifyKept(before);
    // The message's time is not over: the next tick shows it again.
    QCOMPARE(form()->link().MessageTicks, ticks);
    form()->Timer1Timer();
    QVERIFY(form()->LabelHlaseni->isVisible());
}

void tst_TFormHlavFiles::openTakesTheFile()
{
    // A set as another program may have written it: speeds not rising, limiter too high.
    IgnitionParameters stored = form()->Parameters;
    stored.BIKE() = 0;
    stored.LIMITER() = 250;
    stored.BASE_ADV() = 7;
    for (int i = 0; i < CurvePoints; ++i)
        stored.RPM_ADV(i) = quint8(60 - i);
    IgnitionParameters normalised = stored;
    SessionSettings session = form()->Session;
    NormaliseParameters(normalised, session);
    QVERIFY(normalised != stored);
    const QString file = path(QStringLiteral("stored.ign"));
    writeFile(file, ParameterFileText(stored));

    useEarlierFile();
    showMessage();
    // Opening is not an edit: no undo step and no programming after change.
    form()->CheckBoxProgHned->setChecked(true);
    prompts().openFileNames = {file};
    form()->MenuOpenClick();

    QVERIFY(prompts().informations.isEmpty());
    QCOMPARE(prompts().openDialogs.constFirst().fileName, QStringLiteral("/earlier/a.ign"));
    QVERIFY(form()->Parameters == normalised);
    QCOMPARE(form()->EditOmez2->text(), QLocale().toString(normalised.LIMITER() * 100));
    QCOMPARE(form()->EditRpmAdv10->text(), QLocale().toString(normalised.RPM_ADV(9) * 100));
    QCOMPARE(form()->LabelFile2->text(), file);
    QCOMPARE(form()->CurrentFileName, file);
    QVERIFY(form()->LabelHlaseni->isHidden());
    QVERIFY(form()->CGaugeProgram->isHidden());
    QVERIFY(!form()->SpeedButtonZpet->isEnabled());
    QCOMPARE(form()->link().unit().mode(), LinkMode::Idle);
    // Save proposes the file just opened, and so does Open: a dialog remembers the file
    // it was last confirmed with.
    form()->MenuSaveClick();
    QCOMPARE(prompts().saveDialogs.constFirst().fileName, file);
    QCOMPARE(form()->OpenDialog1FileName, file);
}

void tst_TFormHlavFiles::openFailureKeepsEverything_data()
{
    QTest::addColumn<QString>("fileName");   // in the temporary folder
    QTest::addColumn<QByteArray>("content"); // written when not null
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("message");

    const QByteArray wrongVersion("QUELLMAR_KEY   60 \r\n\r\nBIKE            3 \r\nLIMITER        90 ");
    for (int language : {0, 1, 2, 3}) {
        QTest::addRow("wrong version, language %d", language)
            << "old.ign" << wrongVersion << language << FileVersionMismatchText(quint8(language));
    }
    // Not opened: English in every language, no exclamation mark.
    QTest::newRow("missing file") << "missing.ign" << QByteArray() << 0 << "Open file error";
    QTest::newRow("missing file, Czech") << "missing.ign" << QByteArray() << 3 << "Open file error";
    QTest::newRow("a folder") << "." << QByteArray() << 1 << "Open file error";
    // A parameter file is a few hundred bytes: one past the cap is refused, not read on.
    IgnitionParameters set;
    const QByteArray large = ParameterFileText(set) + QByteArray(MaxParameterFileBytes, ' ');
    QTest::newRow("far too large") << "large.ign" << large << 0 << "Open file error";
#ifdef Q_OS_UNIX
    // All Files lists devices too; one that never ends is not read.
    QTest::newRow("an endless device") << "/dev/zero" << QByteArray() << 0 << "Open file error";
#endif
}

void tst_TFormHlavFiles::openFailureKeepsEverything()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(int, language);
    QFETCH(QString, message);
    if (!content.isNull())
        writeFile(path(fileName), content);
    form()->Session.LanguageIndex = quint8(language);
    useEarlierFile();
    showMessage();
    const Kept before = kept();

    prompts().openFileNames = {path(fileName)};
    form()->MenuOpenClick();

    QCOMPARE(prompts().informations, QStringList{message});
    Kept expected = before;
    expected.openPreset = path(fileName); // the dialog remembers the file chosen
    verifyKept(expected);
    QVERIFY(form()->LabelHlaseni->isHidden());
    QVERIFY(form()->CGaugeProgram->isHidden());
}

void tst_TFormHlavFiles::saveWritesTheNormalisedControls()
{
    // Typed but not yet taken: the second speed below the first.
    form()->EditRpmAdv2->setText(QStringLiteral("1,000"));
    QCOMPARE(form()->EditRpmAdv1->text(), QStringLiteral("1,500"));
    useEarlierFile();
    const QString file = path(QStringLiteral("saved.ign"));
    prompts().saveFileNames = {file};
    form()->MenuSaveClick();

    QVERIFY(prompts().informations.isEmpty());
    QCOMPARE(prompts().saveDialogs.constFirst().fileName, QStringLiteral("/earlier/a.ign"));
    // The controls show exactly what was saved.
    QCOMPARE(form()->EditRpmAdv2->text(), QStringLiteral("1,600"));
    QCOMPARE(form()->Parameters.RPM_ADV(1), 16);
    const QByteArray written = readFile(file);
    QCOMPARE(written, ParameterFileText(form()->Parameters));
    QCOMPARE(written.size(), ParameterFileSize);
    QCOMPARE(form()->LabelFile2->text(), file);
    QCOMPARE(form()->CurrentFileName, file);
    QVERIFY(!form()->SpeedButtonZpet->isEnabled());
    // Open proposes the file just saved, and the next Save proposes it too.
    form()->MenuOpenClick();
    QCOMPARE(prompts().openDialogs.constFirst().fileName, file);
    QCOMPARE(form()->SaveDialog1FileName, file);
    // Only the file itself is left in the folder.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("saved.ign")});
}

void tst_TFormHlavFiles::saveCancelledChangesNothing()
{
    form()->EditRpmAdv2->setText(QStringLiteral("1,000"));
    useEarlierFile();
    showMessage();
    const Kept before = kept();
    form()->MenuSaveClick();
    verifyKept(before);
    QVERIFY(form()->LabelHlaseni->isVisible());
    QVERIFY(prompts().informations.isEmpty());
}

void tst_TFormHlavFiles::saveThatCannotOpenChangesNothing()
{
    form()->EditRpmAdv2->setText(QStringLiteral("1,000"));
    useEarlierFile();
    const Kept before = kept();
    prompts().saveFileNames = {path(QStringLiteral("no such folder/saved.ign"))};
    form()->MenuSaveClick();
    QCOMPARE(prompts().informations, QStringList{QStringLiteral("Open file error")});
    Kept expected = before;
    expected.savePreset = path(QStringLiteral("no such folder/saved.ign"));
    verifyKept(expected);
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("no such folder"))));
}

void tst_TFormHlavFiles::saveToFullDiskKeepsOldFile()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    const QString file = path(QStringLiteral("saved.ign"));
    const QByteArray old("QUELLMAR_KEY   61 \r\n\r\nBIKE            0 ");
    writeFile(file, old);
    useEarlierFile();
    const Kept before = kept();
    prompts().saveFileNames = {file};
    {
        FileSizeLimit limit(100);
        QVERIFY(limit.active());
        form()->MenuSaveClick();
    }
    QCOMPARE(prompts().informations.size(), 1);
    const QString message = prompts().informations.constFirst();
    QVERIFY2(message.startsWith(QLatin1String("Save file error\n")), qPrintable(message));
    QVERIFY2(message.size() > int(qstrlen("Save file error\n")), "the reason is given");
    QCOMPARE(readFile(file), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QStringLiteral("saved.ign")});
    QCOMPARE(form()->LabelFile2->text(), before.label);
    QCOMPARE(form()->CurrentFileName, before.currentFileName);
    QCOMPARE(form()->OpenDialog1FileName, before.openPreset);
    // Once there is room again, the same save lands.
    prompts().saveFileNames = {file};
    form()->MenuSaveClick();
    QCOMPARE(readFile(file), ParameterFileText(form()->Parameters));
    QCOMPARE(form()->CurrentFileName, file);
#endif
}

void tst_TFormHlavFiles::saveWhereOnlyTheFileIsWritable_data()
{
    QTest::addColumn<bool>("readOnlyFolder"); // else the file has a second hard link
    QTest::addColumn<int>("sizeLimit");       // 0: none; else the write is cut short
    QTest::newRow("read-only folder") << true << 0;
    QTest::newRow("hard link") << false << 0;
    QTest::newRow("read-only folder, cut short") << true << 100;
    QTest::newRow("hard link, cut short") << false << 100;
}

void tst_TFormHlavFiles::saveWhereOnlyTheFileIsWritable()
{
#ifndef Q_OS_UNIX
    QSKIP("needs hard links, a file size limit and folder permissions");
#else
    QFETCH(bool, readOnlyFolder);
    QFETCH(int, sizeLimit);
    const QString folder = path(QStringLiteral("shelf"));
    const QString file = folder + QStringLiteral("/bike.ign");
    const QString other = path(QStringLiteral("same bike.ign"));
    IgnitionParameters previousSet = form()->Parameters;
    previousSet.LIMITER() = 80;
    const QByteArray previous = ParameterFileText(previousSet);
    writeFile(file, previous);
    QVERIFY(QFile::setPermissions(file, QFileDevice::Permissions(0x6666))); // rw for everyone
    if (!readOnlyFolder)
        QVERIFY(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()) == 0);
    QVERIFY(::chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), readOnlyFolder ? 0555 : 0755) == 0);
    useEarlierFile();
    const Kept before = kept();
    prompts().saveFileNames = {file};
    {
        Unprivileged user;
        QVERIFY(user.active());
        FileSizeLimit limit(rlim_t(sizeLimit > 0 ? sizeLimit : RLIM_INFINITY));
        QVERIFY(limit.active());
        form()->MenuSaveClick();
    }
    const QByteArray expected = sizeLimit > 0 ? previous : ParameterFileText(form()->Parameters);
    QCOMPARE(readFile(file), expected);
    if (!readOnlyFolder)
        QCOMPARE(readFile(other), expected);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("bike.ign")});
    if (sizeLimit == 0) {
        QVERIFY(prompts().informations.isEmpty());
        QCOMPARE(form()->CurrentFileName, file);
        return;
    }
    // The failure is reported, with the news that the file holds what it held.
    QCOMPARE(prompts().informations.size(), 1);
    const QString message = prompts().informations.constFirst();
    QVERIFY2(message.startsWith(QLatin1String("Save file error\n")), qPrintable(message));
    QVERIFY2(message.endsWith(AddedTextFor(AddedText::SavePreviousContentBack, LanguageEnglish)), qPrintable(message));
    QCOMPARE(form()->LabelFile2->text(), before.label);
    QCOMPARE(form()->CurrentFileName, before.currentFileName);
#endif
}

void tst_TFormHlavFiles::exeDirPresets_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("Open from exe dir") << "MenuOpenExeDir";
    QTest::newRow("Save to exe dir") << "MenuSaveExeDir";
}

void tst_TFormHlavFiles::exeDirPresets()
{
    QFETCH(QString, command);
    const QString dataFile = QCoreApplication::applicationDirPath() + QStringLiteral("/data.ign");
    QCOMPARE(form()->ExeDirDataFile, dataFile);
    useEarlierFile();

    // Cancelled: the proposal stays in both dialogs; nothing else changes.
    m_window->find<QAction>(command.toLatin1().constData())->trigger();
    QCOMPARE(form()->OpenDialog1FileName, dataFile);
    QCOMPARE(form()->SaveDialog1FileName, dataFile);
    QCOMPARE(form()->CurrentFileName, QStringLiteral("/earlier/a.ign"));
    QCOMPARE(form()->LabelFile2->text(), QStringLiteral("/earlier/a.ign"));
    form()->MenuOpenClick();
    form()->MenuSaveClick();
    QCOMPARE(prompts().openDialogs.constLast().fileName, dataFile);
    QCOMPARE(prompts().saveDialogs.constLast().fileName, dataFile);

    // The user may still pick another file.
    const QString file = path(QStringLiteral("elsewhere.ign"));
    writeFile(file, ParameterFileText(form()->Parameters));
    prompts().openFileNames = {file};
    prompts().saveFileNames = {file};
    m_window->find<QAction>(command.toLatin1().constData())->trigger();
    QVERIFY(prompts().informations.isEmpty());
    QCOMPARE(form()->CurrentFileName, file);
    QCOMPARE(form()->LabelFile2->text(), file);
    QVERIFY(!QFileInfo::exists(dataFile));
}

void tst_TFormHlavFiles::exeDirNotWritable_data()
{
    exeDirPresets_data();
}

// Installed, the program's folder is not the user's: both commands start in the data
// folder under the home, which is there by then, and the status bar says why.
void tst_TFormHlavFiles::exeDirNotWritable()
{
    QFETCH(QString, command);
    const QString folder = path(QStringLiteral("share/korvo-tci"));
    form()->ExeDirDataFile = folder + QStringLiteral("/data.ign");
    form()->ExeDirIsDataFolder = true;
    m_window->find<QAction>(command.toLatin1().constData())->trigger();
    const auto &dialogs = command == QLatin1String("MenuOpenExeDir") ? prompts().openDialogs : prompts().saveDialogs;
    QCOMPARE(dialogs.constLast().fileName, folder + QStringLiteral("/data.ign"));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(form()->StatusPanel->text(), QStringLiteral("The program's folder cannot be written: files go to ") + folder);
}

// A file named on the command line (as a desktop's "Open with" does) goes through Open's
// checks and messages once the window is up.
void tst_TFormHlavFiles::fileOnCommandLine_data()
{
    QTest::addColumn<QString>("fileName");   // in the temporary folder
    QTest::addColumn<QByteArray>("content"); // written when not null
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message"); // empty: opened

    IgnitionParameters stored;
    stored.LIMITER() = 77;
    const QByteArray good = ParameterFileText(stored);
    const QByteArray wrongVersion("QUELLMAR_KEY   60 \r\n\r\nBIKE            3 \r\nLIMITER        90 ");
    QTest::newRow("good file") << "tune.ign" << good << QStringList{} << "";
    QTest::newRow("good file after the language word") << "tune.ign" << good << QStringList{"CESKY"} << "";
    QTest::newRow("missing file") << "missing.ign" << QByteArray() << QStringList{} << "Open file error";
    QTest::newRow("a folder") << "." << QByteArray() << QStringList{} << "Open file error";
    QTest::newRow("wrong version, in the language of the word")
        << "old.ign" << wrongVersion << QStringList{"DEUTSCH"} << FileVersionMismatchText(1);
}

void tst_TFormHlavFiles::fileOnCommandLine()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QString file = path(fileName);
    if (!content.isNull())
        writeFile(file, content);

    FakeUnitPortProvider ports;
    FormFixture started(ports, arguments, false, file);
    TFormHlav *w = started.form.get();
    QTRY_COMPARE(started.prompts.informations.size() + int(w->CurrentFileName == file), 1);
    if (message.isEmpty()) {
        QCOMPARE(started.prompts.informations, QStringList());
        QCOMPARE(int(w->Parameters.LIMITER()), 77);
        QCOMPARE(w->LabelFile2->text(), file);
        QCOMPARE(w->SaveDialog1FileName, file);
        // Opening is not an edit.
        QVERIFY(!w->SpeedButtonZpet->isEnabled());
    } else {
        QCOMPARE(started.prompts.informations, QStringList{message});
        QCOMPARE(w->CurrentFileName, QString());
        QCOMPARE(w->LabelFile2->text(), QString());
    }
    // The language word still chooses the language.
    QCOMPARE(int(w->Session.LanguageIndex), arguments.isEmpty() ? 0 : LanguageFromCommandWord(arguments.first()));
}

void tst_TFormHlavFiles::saveFailureInInterfaceLanguage_data()
{
    QTest::addColumn<QString>("language"); // the item of the Language menu
    QTest::addColumn<QString>("start");
    QTest::newRow("English") << "MenuEnglish" << "Save file error\n";
    QTest::newRow("Czech") << "MenuCzech" << QStringLiteral("Chyba při ukládání souboru\n");
    QTest::newRow("German") << "MenuGerman" << "Fehler beim Speichern der Datei\n";
}

// A save that fails part way is a failure of the user's command: a warning, in the
// interface language.
void tst_TFormHlavFiles::saveFailureInInterfaceLanguage()
{
    QFETCH(QString, language);
    QFETCH(QString, start);
    m_window->find<QAction>(language.toLatin1().constData())->trigger();
    prompts().saveFileNames = {path(QStringLiteral("saved.ign"))};
    {
        FileSizeLimit limit(100);
        QVERIFY(limit.active());
        form()->MenuSaveClick();
    }
    QCOMPARE(prompts().warnings.size(), 1);
    QVERIFY2(prompts().warnings.constFirst().startsWith(start), qPrintable(prompts().warnings.constFirst()));
}

QTEST_MAIN(tst_TFormHlavFiles)
#include "tst_TFormHlavFiles.moc"
