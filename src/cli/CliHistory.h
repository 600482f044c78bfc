#pragma once

#include "CliOptions.h"
#include "UnitHistory.h"

#include <optional>

// korvo-cli history [--json]: every unit's backups and written sets, newest first, with
// an id each for restore and diff.
int RunHistoryCommand(const CliOptions &options, quint8 languageIndex);

// The history entry an argument of diff, verify or restore names: an id of the history in
// the default backup folder, when no file of that name exists.
std::optional<HistoryEntry> HistoryEntryForArgument(const QString &argument, quint8 languageIndex);
