#pragma once

#include "BackupStore.h"
#include "BlockDifference.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

// What the backup store says each unit held, read back for the user.
//
// Usage (the window's history, korvo-cli history/restore/diff):
//   const UnitHistory history = UnitHistory::Read(store.folder(), languageIndex);
//   for (const HistoryUnit &unit : history.units) ... unit.entries, newest first
//   for (const SkippedFile &file : history.skipped) ... name each file passed over
//   const HistoryEntry *entry = history.find(id);
//
// Entries come only from regular files of the store's own form: the backups (the set a
// unit held before a write) and the record's written sets. Anything else in the folder is
// skipped and named, and the reader never writes or deletes anything.
struct HistoryEntry
{
    enum Kind
    {
        Backup,
        Written
    };
    QString id; // the record's number; a backup the record does not know: its name
    Kind kind = Backup;
    QDateTime when; // local time, from the store
    QString tag;    // the unit's tag, "ABC07_2003-03-05_0907"
    UnitBlock block{};
    bool reservedKnown = false; // the block's reserved bytes are the unit's (else zero)
    QString path;               // Backup: its .ign
    // The fields that changed from the unit's entry before this one (unitValue the
    // older); empty for a unit's first entry.
    QList<DifferenceRow> changes;
};

struct HistoryUnit
{
    QString tag;
    QList<HistoryEntry> entries; // newest first; the last is the oldest the store has
};

struct SkippedFile
{
    Q_GADGET

public:
    enum Reason
    {
        NotOurs,
        NotRegularFile,
        Damaged
    };
    Q_ENUM(Reason)
    QString name; // the file's name in the folder
    Reason reason = NotOurs;
};

struct UnitHistory
{
    QList<HistoryUnit> units; // the unit with the newest entry first
    QList<SkippedFile> skipped;

    static UnitHistory Read(const QString &folder, quint8 languageIndex);
    // The entry with this id, or null.
    const HistoryEntry *find(const QString &id) const;
};

// Why a file was skipped, in the language given.
QString SkipReasonText(SkippedFile::Reason reason, quint8 languageIndex);

// "ABC07  2003-03-05 09:07": a tag as the user reads it.
QString UnitTagText(const QString &tag);
