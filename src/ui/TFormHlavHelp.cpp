// The manual and the About window.

#include "TFormHlav.h"

#include "AppPaths.h"
#include "IniFile.h"
#include "LanguageTexts.h"
#include "ManualDocument.h"
#include "TFormAbout.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void TFormHlav::MenuContensClick()
{
    // Nothing is reported: without the manual, or without a program to show it, the
    // command simply does nothing.
#ifdef Q_OS_WIN
    const std::optional<QString> commandLine = ManualCommandLine(Session.LanguageIndex);
    if (!commandLine)
        return;
    const ManualCommand command = splitManualCommandLine(*commandLine);
    QProcess::startDetached(command.program, command.arguments);
#else
    IniFile settings;
    const bool haveSettings = m_setup.useSettingsFiles && settings.load(settingsFilePath());
    const std::optional<QString> document = manualDocumentPath(
        Session.LanguageIndex, QCoreApplication::applicationDirPath(), haveSettings ? &settings : nullptr);
    if (!document || !QFileInfo(*document).isFile())
        return;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The desktop's own opener, started directly: it works whatever platform plugin the
    // window runs on, where the plugin's services may have no way to open a document.
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) {
        QProcess::startDetached(opener, {*document});
        return;
    }
#endif
    QDesktopServices::openUrl(QUrl::fromLocalFile(*document));
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
