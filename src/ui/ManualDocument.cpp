#include "ManualDocument.h"

#include "IniFile.h"
#include "Language.h"

#include <QDir>
#include <QFileInfo>

ManualCommand splitManualCommandLine(const QString &commandLine)
{
    static const QString ProgramEnd = QStringLiteral(".exe ");
    const qsizetype end = commandLine.indexOf(ProgramEnd, 0, Qt::CaseInsensitive);
    if (end < 0)
        return {commandLine.trimmed(), {}};
    const qsizetype documentStart = end + ProgramEnd.size();
    const QString document = commandLine.mid(documentStart).trimmed();
    ManualCommand command{commandLine.left(documentStart - 1), {}};
    if (!document.isEmpty())
        command.arguments.append(document);
    return command;
}

std::optional<QString> manualDocumentPath(quint8 languageIndex, const QString &executableDir,
                                          const IniFile *settings)
{
    const char *key = nullptr;
    const char *suffix = nullptr;
    switch (languageIndex) {
    case LanguageEnglish:
        key = "English";
        suffix = "en";
        break;
    case LanguageGerman:
        key = "German";
        suffix = "de";
        break;
    case LanguageCzech:
        key = "Czech";
        suffix = "cz";
        break;
    default:
        return std::nullopt;
    }
    QString path;
    if (settings)
        path = settings->readString("MANUAL", key, QString()).trimmed();
    const QDir programDir(executableDir);
    if (!path.isEmpty())
        return QDir::cleanPath(programDir.absoluteFilePath(path));
    const QString name = QStringLiteral("Manual_Korvo_TCI_%1.pdf").arg(QLatin1String(suffix));
    const QString beside = QDir::cleanPath(programDir.absoluteFilePath(QStringLiteral("manual/") + name));
    const QString installed =
        QDir::cleanPath(programDir.absoluteFilePath(QStringLiteral("../share/korvo-tci/manual/") + name));
    if (!QFileInfo(beside).isFile() && QFileInfo(installed).isFile())
        return installed;
    return beside;
}
