#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class IniFile;

// A program with its arguments, started as it is, never through a shell.
struct ManualCommand
{
    QString program;
    QStringList arguments;
};

// Splits a Windows manual command line into the word processor and the document. The
// program path holds blanks ("C:\Program Files\..."), so it ends at the first ".exe"
// that is followed by a blank; the rest, blanks included, is the one document argument.
// A line without such an ending is a program without arguments.
ManualCommand splitManualCommandLine(const QString &commandLine);

// Where the word processor of the Windows command lines is not at hand, the manual is a
// document opened with the desktop's viewer: the path under the language's key (English,
// German, Czech) in section MANUAL of the settings, when settings are given and the key
// is not empty, else manual/Manual_Korvo_TCI_en.pdf (_de, _cz) beside the executable, as
// in the build tree, or, when only that one exists, the same name in
// ../share/korvo-tci/manual, as installed. A relative path is taken from the executable's
// folder. None for French, which has no manual, and for unknown languages. Whether the
// file exists is otherwise the caller's business.
std::optional<QString> manualDocumentPath(quint8 languageIndex, const QString &executableDir,
                                          const IniFile *settings);
