#pragma once

#include <QString>

#include <optional>

// Small per-language texts outside the message table and the window text sets.
// Languages by their index (Language.h).

enum class TransferStart
{
    Program,
    Verify,
    Read
};

// Message-area caption when a transfer starts from its command ("Program device:" ...).
// French and unknown languages have none: the message area keeps its text.
std::optional<QString> TransferStartCaption(TransferStart transfer, quint8 languageIndex);

// Message box text when an opened *.ign file has another version. French, which has no
// text of its own here, gets the French message-table text of the same meaning; an
// unknown language gets English.
QString FileVersionMismatchText(quint8 languageIndex);

// Prefix of the date-and-time stamp of a printout; it ends in two blanks (three in
// French). German prints the English prefix. French, which has no stamp of its own,
// gets the French message-table text of the same meaning; an unknown language gets
// English.
QString PrintStampPrefix(quint8 languageIndex);
// The whole stamp: prefix, date, four blanks, time.
QString PrintStampText(quint8 languageIndex, const QString &date, const QString &time);

// Caption of the About window, set each time it is activated; nothing for an unknown
// language (the caption stays).
std::optional<QString> AboutCaption(quint8 languageIndex);
// Caption of the About window as built, before its first activation.
inline constexpr const char *AboutBuiltInCaption = "VOLTINO ZENTARA";

// The Windows command line that opens the manual of a language: word processor, a
// blank, the document. None for French and unknown languages.
std::optional<QString> ManualCommandLine(quint8 languageIndex);
