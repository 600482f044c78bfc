// The manual and the About window.

#include "TFormHlav.h"

#include "AppPaths.h"
#include "IniFile.h"
#include "LanguageTexts.h"
#include "ManualDocument.h"
#include "ManualWindow.h"
#include "TFormAbout.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

void TFormHlav::MenuContensClick()
{
#ifdef Q_OS_WIN
    // Nothing is reported: without the manual, or without a program to show it, the
    // command simply does nothing.
    const std::optional<QString> commandLine = ManualCommandLine(Session.LanguageIndex);
    if (!commandLine)
        return;
    const ManualCommand command = splitManualCommandLine(*commandLine);
    QProcess::startDetached(command.program, command.arguments);
#else
    IniFile settings;
    const bool haveSettings = m_setup.useSettingsFiles && settings.load(settingsFilePath());
    const QString programDir = QCoreApplication::applicationDirPath();
    const std::optional<QString> document =
        manualDocumentPath(Session.LanguageIndex, programDir, haveSettings ? &settings : nullptr);
    if (!document)
        return;
    // The Markdown beside the PDF, else beside the manual this program comes with (a PDF
    // named in the settings need not have one).
    QString markdown = manualMarkdownPath(*document);
    if (!QFileInfo(markdown).isFile()) {
        if (const auto own = manualDocumentPath(Session.LanguageIndex, programDir, nullptr))
            markdown = manualMarkdownPath(*own);
    }
    if (!Manual)
        Manual = new ManualOpener(this);
    Manual->open(*document, markdown, Session.LanguageIndex);
#endif
}

void TFormHlav::MenuAboutClick()
{
    // One About window for the whole run: it keeps its place between showings.
    if (!FormAbout)
        FormAbout = new TFormAbout(Session.LanguageIndex, this);
    // A modal loop of its own; the link's timer goes on ticking beneath it.
    FormAbout->exec();
}
