#include "CliHistory.h"

#include "AddedTexts.h"
#include "CliOutput.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>

namespace {

QString kindText(const HistoryEntry &entry, bool oldest, quint8 language)
{
    QString text = AddedTextFor(entry.kind == HistoryEntry::Backup ? AddedText::HistoryKindBackup
                                                                   : AddedText::HistoryKindWritten,
                                language);
    if (oldest && entry.kind == HistoryEntry::Backup)
        text += QStringLiteral(" (%1)").arg(AddedTextFor(AddedText::HistoryCameWith, language));
    return text;
}

} // namespace

std::optional<HistoryEntry> HistoryEntryForArgument(const QString &argument, quint8 languageIndex)
{
    // A file of that name wins: an id never hides what the user's folder holds.
    if (argument.isEmpty() || QFileInfo(argument).exists() || QFileInfo(argument).isSymLink())
        return std::nullopt;
    const UnitHistory history = UnitHistory::Read(DefaultBackupFolder(), languageIndex);
    if (const HistoryEntry *entry = history.find(argument))
        return *entry;
    return std::nullopt;
}

int RunHistoryCommand(const CliOptions &options, quint8 language)
{
    CliOutput out(options.json, options.quiet);
    const QString folder = DefaultBackupFolder();
    const UnitHistory history = UnitHistory::Read(folder, language);
    for (const SkippedFile &file : history.skipped)
        out.error(AddedTextFor(AddedText::HistorySkipped, language)
                      .arg(QDir::toNativeSeparators(QDir(folder).filePath(file.name)),
                           SkipReasonText(file.reason, language)));

    if (options.json) {
        QJsonArray units;
        for (const HistoryUnit &unit : history.units) {
            QJsonArray entries;
            for (const HistoryEntry &entry : unit.entries) {
                QJsonArray changes;
                for (const DifferenceRow &row : entry.changes)
                    changes.append(QJsonObject{{QStringLiteral("field"), row.field},
                                               {QStringLiteral("before"), row.unitValue},
                                               {QStringLiteral("after"), row.editorValue}});
                entries.append(QJsonObject{
                    {QStringLiteral("id"), entry.id},
                    {QStringLiteral("kind"), entry.kind == HistoryEntry::Backup ? QStringLiteral("backup")
                                                                                : QStringLiteral("written")},
                    {QStringLiteral("time"), entry.when.isValid()
                                                 ? QJsonValue(entry.when.toString(Qt::ISODateWithMs))
                                                 : QJsonValue()},
                    {QStringLiteral("file"), entry.path.isEmpty() ? QJsonValue() : QJsonValue(entry.path)},
                    {QStringLiteral("changes"), changes}});
            }
            units.append(
                QJsonObject{{QStringLiteral("unit"), unit.tag}, {QStringLiteral("entries"), entries}});
        }
        QJsonArray skipped;
        for (const SkippedFile &file : history.skipped)
            skipped.append(
                QJsonObject{{QStringLiteral("file"), QDir(folder).filePath(file.name)},
                            {QStringLiteral("reason"), SkipReasonText(file.reason, LanguageEnglish)}});
        out.result(QJsonObject{{QStringLiteral("command"), QStringLiteral("history")},
                               {QStringLiteral("result"), QStringLiteral("ok")},
                               {QStringLiteral("folder"), folder},
                               {QStringLiteral("units"), units},
                               {QStringLiteral("skipped"), skipped}});
        out.flush();
        return ExitDone;
    }

    if (history.units.isEmpty())
        out.message(AddedTextFor(AddedText::HistoryEmpty, language).arg(QDir::toNativeSeparators(folder)));
    qsizetype idWidth = 0;
    for (const HistoryUnit &unit : history.units)
        for (const HistoryEntry &entry : unit.entries)
            idWidth = std::max(idWidth, entry.id.size());
    for (const HistoryUnit &unit : history.units) {
        out.result(UnitTagText(unit.tag));
        for (qsizetype i = 0; i < unit.entries.size(); ++i) {
            const HistoryEntry &entry = unit.entries[i];
            QStringList changes;
            for (const DifferenceRow &row : entry.changes)
                changes << QStringLiteral("%1 %2 > %3").arg(row.field, row.unitValue, row.editorValue);
            QString line = QStringLiteral("  %1  %2  %3")
                               .arg(entry.id.leftJustified(idWidth),
                                    entry.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                    kindText(entry, i + 1 == unit.entries.size(), language));
            if (!changes.isEmpty())
                line += QStringLiteral(": ") + changes.join(QStringLiteral("; "));
            out.result(line);
        }
    }
    out.flush();
    return ExitDone;
}
