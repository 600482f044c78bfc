// Parameter files, the settings file and the snapshot, the test-mode marker.

#include "TFormHlav.h"

#include "CurveWiring.h"
#include "RecentFilesMenu.h"

#include "AddedTexts.h"
#include "AppPaths.h"
#include "AddedTexts.h"
#include "AtomicWrite.h"
#include "FileNameLabel.h"
#include "IniFile.h"
#include "LanguageTexts.h"
#include "ParameterFile.h"
#include "ParameterSnapshot.h"
#include "RecordingWindows.h"
#include "Settings.h"
#include "ShutdownOnSignals.h"
#include "TestModeMarker.h"
#include "UserPrompts.h"
#include "WindowFit.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include <cstdio>

namespace {

constexpr char DefaultExtension[] = "ign";
// "All Files" means every file: on Windows that is "*.*", elsewhere a name need not
// have a dot.
#ifdef Q_OS_WIN
constexpr char OpenFilter[] = "Ignition Parametrs(*.ign);;All Files (*.*)";
#else
constexpr char OpenFilter[] = "Ignition Parametrs(*.ign);;All Files (*)";
#endif
constexpr char SaveFilter[] = "Ignition Parametrs(*.ign)";
// English in every language, as the unit's users know it.
constexpr char OpenFileError[] = "Open file error";

// What became of the previous content when a save written in place failed part way;
// empty when the file was never touched.
QString saveFailureAftermath(const FileWriteReport &report, quint8 language)
{
    switch (report.result) {
    case FileWriteResult::PreviousRestored:
        return u'\n' + AddedTextFor(AddedText::SavePreviousContentBack, language);
    case FileWriteResult::PreviousCopied:
        return u'\n' + AddedTextFor(AddedText::SavePreviousContentCopied, language).arg(report.rescuePath);
    case FileWriteResult::PreviousLost:
        return u'\n' + AddedTextFor(AddedText::SavePreviousContentLost, language);
    default:
        return {};
    }
}

} // namespace

// ---------------------------------------------------------------------------------
// File commands

void TFormHlav::MenuOpenClick()
{
    const QString path = m_prompts->getOpenFileName(
        this, OpenDialog1FileName, QString::fromLatin1(OpenFilter), QString::fromLatin1(DefaultExtension));
    if (!path.isEmpty()) {
        // A file dialog remembers the file it was last confirmed with.
        OpenDialog1FileName = path;
        OpenParameterFile(path);
    }
    // Cancelled or not. MessageTicks stays, so a running message comes back on the next tick.
    m_link->HideMessageArea();
    ShowLinkState();
}

void TFormHlav::OpenChosenFile(const QString &path)
{
    OpenDialog1FileName = path;
    OpenParameterFile(path);
    m_link->HideMessageArea();
    ShowLinkState();
}

bool TFormHlav::OpenParameterFile(const QString &path)
{
    const ParameterFileOpen result = OpenParameterFileAt(path, Parameters).result;
    if (result != ParameterFileOpen::Opened && result != ParameterFileOpen::VersionMismatch) {
        m_prompts->information(this, QString::fromLatin1(OpenFileError));
        return false;
    }
    if (result == ParameterFileOpen::VersionMismatch) {
        m_prompts->information(this, FileVersionMismatchText(Session.LanguageIndex));
        return false;
    }
    // An opened file is not an edit: no undo step, no programming after change.
    NormaliseParameters(Parameters, Session);
    ShowParametersInControls();
    LabelFile2->setText(path);
    CurrentFileName = path;
    OpenDialog1FileName = path;
    SaveDialog1FileName = CurrentFileName;
    RecentMenu->remember(path);
    return true;
}

void TFormHlav::PrepareExeDirDialog()
{
    if (!ExeDirIsDataFolder)
        return;
    const QString folder = QFileInfo(ExeDirDataFile).absolutePath();
    QDir().mkpath(folder);
    StatusPanel->setText(AddedTextFor(AddedText::ProgramFolderNotWritable, Session.LanguageIndex).arg(folder));
}

void TFormHlav::MenuOpenExeDirClick()
{
    PrepareExeDirDialog();
    OpenDialog1FileName = ExeDirDataFile;
    SaveDialog1FileName = ExeDirDataFile;
    MenuOpenClick();
}

void TFormHlav::MenuSaveClick()
{
    const QString path = m_prompts->getSaveFileName(
        this, SaveDialog1FileName, QString::fromLatin1(SaveFilter), QString::fromLatin1(DefaultExtension));
    if (path.isEmpty())
        return;
    SaveDialog1FileName = path;
    if (!canWriteFile(path)) {
        m_prompts->information(this, QString::fromLatin1(OpenFileError));
        return;
    }
    TakeControlsIntoParameters();
    NormaliseParameters(Parameters, Session);
    ShowParametersInControls();
    // A failed save leaves the previous content of the file, the label and the file name
    // as they were; only where the file had to be written in place and putting it back
    // failed too does the message say where its previous content went.
    const FileWriteReport report = writeFileSafely(path, ParameterFileText(Parameters));
    if (!report.ok()) {
        m_prompts->warning(this, AddedTextFor(AddedText::SaveFileError, Session.LanguageIndex) + u'\n' +
                                     report.errorString + saveFailureAftermath(report, Session.LanguageIndex));
        return;
    }
    LabelFile2->setText(path);
    CurrentFileName = path;
    OpenDialog1FileName = CurrentFileName;
    RecentMenu->remember(path);
}

void TFormHlav::MenuSaveExeDirClick()
{
    PrepareExeDirDialog();
    OpenDialog1FileName = ExeDirDataFile;
    SaveDialog1FileName = ExeDirDataFile;
    MenuSaveClick();
}

// ---------------------------------------------------------------------------------
// Settings, snapshot and test mode

void TFormHlav::LoadSettings()
{
    // The values in force are the defaults: the centred place, the layout size, PortChoice 1.
    Settings s;
    s.Left = x();
    s.Top = y();
    s.Width = sizeHint().width();
    s.Height = sizeHint().height();
    s.session = Session;
    s.FileLabel.clear();
    s.CurrentFileName = CurrentFileName;
    s.CheckBoxIgnAllChecked = CheckBoxIgnAll->isChecked();
    s.CurveWindow = Curve->placeToSave();
    // Demo runs and tests read nothing: every key takes its default, as on a first start.
    if (m_setup.useSettingsFiles) {
        // Left by a shutdown that was killed between writing and renaming.
        removeStaleTemporaryFiles(settingsFilePath());
        removeStaleTemporaryFiles(snapshotFilePath());
        loadSettingsFile(settingsFilePath(), s);
    }
    else
        readSettings(IniFile(), s);

    // A place saved on a screen that is no longer there, or half off one, would put the
    // menu bar out of reach: the window goes where its title and menu bar are on screen.
    Fit->place(QPoint(s.Left, s.Top));
    // Height and Width are not applied: the client area has a fixed size, so the outer
    // size follows from it and from the screen. What is written back is the size the
    // window has.
    Session = s.session;
    LabelFile2->setText(s.FileLabel);
    CurrentFileName = s.CurrentFileName;
    OpenDialog1FileName = CurrentFileName;
    SaveDialog1FileName = CurrentFileName;
    CheckBoxIgnAll->setChecked(s.CheckBoxIgnAllChecked);
    Curve->setPlace(s.CurveWindow);
    Recent = s.Recent;
    RecentMenu->rebuild();
    Recordings->recent() = s.RecentRecordings;

    if (m_setup.useSettingsFiles)
        loadParameterSnapshot(snapshotFilePath(), Parameters.image);
}

SettingsSaveOutcome TFormHlav::SaveSettings()
{
    SettingsSaveOutcome outcome;
    if (!m_setup.useSettingsFiles)
        return outcome;
    Settings s;
    const QRect outer = Fit->placeToSave();
    s.Left = outer.x();
    s.Top = outer.y();
    s.Height = outer.height();
    s.Width = outer.width();
    s.session = Session;
    s.FileLabel = LabelFile2->text();
    s.CurrentFileName = CurrentFileName;
    s.CheckBoxIgnAllChecked = CheckBoxIgnAll->isChecked();
    s.CurveWindow = Curve->placeToSave();
    s.Recent = Recent;
    s.RecentRecordings = Recordings->recent();
    // Both are replaced whole or not at all: a failure leaves the previous files for the
    // next start, and is told.
    QString settingsError;
    QString snapshotError;
    outcome.settingsSaved =
        saveSettingsFile(settingsFilePath(), s, &settingsError) || isSwitchedOff(settingsFilePath());
    outcome.snapshotSaved = saveParameterSnapshot(snapshotFilePath(), Parameters.image, &snapshotError) ||
                            isSwitchedOff(snapshotFilePath());
    outcome.errorString = !outcome.settingsSaved ? settingsError : snapshotError;
    return outcome;
}

void TFormHlav::ReportUnsavedSettings(const SettingsSaveOutcome &outcome)
{
    if (outcome.ok())
        return;
    markSettingsUnsaved(unsavedSettingsMarkerPath(), outcome.errorString);
    const QString text = AddedTextFor(AddedText::SettingsNotSaved, Session.LanguageIndex).arg(outcome.errorString);
    if (property(ClosingOnSignalProperty).toBool())
        std::fprintf(stderr, "korvo-tci: %s\n", text.toLocal8Bit().constData());
    else
        m_prompts->warning(this, text);
}

void TFormHlav::ReportLastSessionUnsaved()
{
    QString reason;
    if (!takeSettingsUnsavedMark(unsavedSettingsMarkerPath(), &reason))
        return;
    QString text = AddedTextFor(AddedText::LastSessionNotSaved, Session.LanguageIndex);
    if (!reason.isEmpty())
        text += u'\n' + reason;
    m_prompts->warning(this, text);
}

void TFormHlav::ReadTestMode()
{
    TestMode = m_setup.useSettingsFiles && readTestModeMarker(testMarkerFilePath());
}
