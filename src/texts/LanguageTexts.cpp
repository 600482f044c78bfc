#include "LanguageTexts.h"

#include "Language.h"
#include "MessageTable.h"
#include "TextRow.h"

std::optional<QString> TransferStartCaption(TransferStart transfer, quint8 languageIndex)
{
    // French has none.
    static constexpr TextRow Captions[] = {
        {"Program device:", "Programmieren:", nullptr, "Programování:"},
        {"Verify device:", "Vergleichen:", nullptr, "Verifikace:"},
        {"Read device:", "Lesen:", nullptr, "Čtení:"},
    };
    const char *caption = Captions[static_cast<int>(transfer)].in(languageIndex);
    if (!caption)
        return std::nullopt;
    return QString::fromUtf8(caption);
}

QString FileVersionMismatchText(quint8 languageIndex)
{
    switch (languageIndex) {
    case LanguageGerman:
        return QStringLiteral("Uneinig Version der Datendatei *.ign!");
    case LanguageFrench:
        return MessageTable::entryText(MsgUnmatchedFileVersion, languageIndex);
    case LanguageCzech:
        return QStringLiteral("Neshodná verze souboru *.ign!");
    default:
        return QStringLiteral("Unmatched version of *.ign file!");
    }
}

QString PrintStampPrefix(quint8 languageIndex)
{
    switch (languageIndex) {
    case LanguageFrench:
        return MessageTable::entryText(MsgPrintStamp, languageIndex);
    case LanguageCzech:
        return QStringLiteral("Datum a čas tisku:  ");
    default:
        return QStringLiteral("Date and Time of printing:  ");
    }
}

QString PrintStampText(quint8 languageIndex, const QString &date, const QString &time)
{
    return PrintStampPrefix(languageIndex) + date + QStringLiteral("    ") + time;
}

std::optional<QString> AboutCaption(quint8 languageIndex)
{
    switch (languageIndex) {
    case LanguageEnglish:
        return QStringLiteral("About Korvo_TCI");
    case LanguageGerman:
        return QStringLiteral("Über Programm Korvo_TCI");
    case LanguageFrench:
        return QStringLiteral("Information Korvo_TCI");
    case LanguageCzech:
        return QStringLiteral("O programu ZENTARA");
    default:
        return std::nullopt;
    }
}

std::optional<QString> ManualCommandLine(quint8 languageIndex)
{
    const QString processor = QStringLiteral("C:\\Program Files\\Microsoft Office\\Office\\WINWORD.EXE ");
    switch (languageIndex) {
    case LanguageEnglish:
        return processor + QStringLiteral("C:\\Quellmar\\Strada9\\Manual_Strada9_en.doc");
    case LanguageGerman:
        return processor + QStringLiteral("C:\\Quellmar\\Strada9\\Manual_Strada9_de.doc");
    case LanguageCzech:
        return processor + QStringLiteral("C:\\Quellmar\\Strada9\\Manual_Strada9_cz.doc");
    default:
        return std::nullopt;
    }
}
