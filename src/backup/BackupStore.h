#pragma once

#include "IgnitionParameters.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <array>
#include <span>

// Copies of the unit's parameter set, kept before every write to the unit.
//
// Usage, by whoever owns the link (the window, the command line):
//   BackupStore store(DefaultBackupFolder());
//   // the link has read the unit's blocks 0 and 1 and is about to write:
//   const BackupResult r = store.keepBeforeWrite(information, block);
//   if (r.outcome == BackupResult::Failed) show r.reason, and go on writing;
//   // the unit has echoed the block written:
//   store.noteWritten(information, writtenBlock);
//
// A backup is an ordinary parameter file (<name>.ign, openable with File > Open) and,
// beside it, <name>.block with all 50 bytes of the block as decimal numbers, since the
// parameter file has no place for the reserved bytes. Names start with the local date and
// time (yyyyMMdd-HHmmss-zzz), so they sort by age, followed by the unit's tag: its version
// name and program date and time from block 0 ("ABC07_2003-03-05_0907"). The tag is the
// only identity a unit shows, so two units with the same program share their history.
//
// A block is not stored again when it equals the newest backup with the same tag, the
// block last written to a unit with that tag (noteWritten, remembered across runs), or any
// set sent to that unit by this store's run (noteSending): reading back what we wrote
// ourselves is no set the unit came with.
//
// record.txt lists, in the order they happened, every backup made and every set written
// (with its time and tag): it orders the store, since names carry a clock that may have
// gone back, and it is the history of what this program wrote. Each unit keeps at most
// KeepPerUnit backups; beyond that the second oldest goes, so the oldest backup of a unit
// (the set it came with) and the backup just made are never deleted. Only regular files
// whose names have our form are ever written or deleted; each is written whole or not at
// all.
struct BackupResult
{
    enum Outcome { Stored, Unchanged, Failed };
    Outcome outcome = Failed;
    QString path;   // the new .ign (Stored), or the backup it equals (Unchanged, may be empty)
    QString reason; // Failed: why, in English from the system, or a folder that could not be made
    bool folderMissing = false; // Failed because the folder could not be created (reason is its path)
};

using UnitBlock = std::array<quint8, UnitBlockSize>;

// $XDG_DATA_HOME/korvo-tci/backups (else ~/.local/share/korvo-tci/backups);
// on Windows the same below the user's application data folder (%APPDATA%).
QString DefaultBackupFolder();

// A line of record.txt: a backup made (stem names its files) or a set written to a unit.
struct StoreRecordLine
{
    enum Kind { Backup, Written };
    qint64 number = 0; // increasing in the order of the record; the entry's id
    Kind kind = Backup;
    QString stem;      // Backup: "<yyyyMMdd-HHmmss-zzz>_<tag>"
    QString stamp;     // Written: yyyyMMdd-HHmmss-zzz, local time
    QString tag;       // the unit's tag (of the stem, for a backup)
    UnitBlock block{}; // Written: the whole block written
};

class BackupStore
{
public:
    static constexpr int KeepPerUnit = 100;
    // Sets written, per unit, that the record keeps.
    static constexpr int WrittenPerUnit = 100;

    explicit BackupStore(QString folder);
    const QString &folder() const { return m_folder; }

    // Stores block (the unit's parameter block) unless it is already kept; information is
    // the unit's block 0 of the same transfer. now names the file.
    BackupResult keepBeforeWrite(std::span<const quint8, UnitBlockSize> information,
                                 std::span<const quint8, UnitBlockSize> block,
                                 const QDateTime &now = QDateTime::currentDateTime());
    // The unit with this block 0 has accepted this block: reading it back before the next
    // write is not a change worth keeping. Remembered in last-written.txt in the folder.
    void noteWritten(std::span<const quint8, UnitBlockSize> information,
                     std::span<const quint8, UnitBlockSize> block,
                     const QDateTime &now = QDateTime::currentDateTime());
    // This block is about to go out to the unit with this block 0: whether or not its echo
    // comes, it is never kept as a backup of that unit for the rest of this store's life.
    void noteSending(std::span<const quint8, UnitBlockSize> information,
                     std::span<const quint8, UnitBlockSize> block);

    // Our backup files in the folder (.ign paths), oldest first: those the record does not
    // know (of an older version) by name, then the record's in its order.
    QStringList backups() const;

    // The record's lines in order, from a regular file only; lines not of our form are
    // passed over.
    static QList<StoreRecordLine> ReadRecord(const QString &folder);
    static QList<StoreRecordLine> ParseRecord(const QByteArray &text);
    // A backup file name (<stem>.ign) of our form: its tag, else empty.
    static QString TagOfBackupName(const QString &fileName);

    // "ABC07_2003-03-05_0907": the unit's version name (file-name safe) and program date
    // and time from block 0.
    static QString UnitTag(std::span<const quint8, UnitBlockSize> information);
    // Reads a backup back into a whole block: the .block file beside it when it is there
    // and its fields agree with the .ign, else the .ign's fields over zero reserved bytes.
    // False when the .ign cannot be read or is not a parameter file.
    // whole (may be null): set to whether the reserved bytes came from the .block file.
    static bool ReadBackup(const QString &ignPath, UnitBlock &block, bool *whole = nullptr);

private:
    static constexpr int MaxRememberedUnits = 100;

    static constexpr qint64 MaxRecordSize = 16 * 1024 * 1024;

    QString writtenPath() const;
    QString recordPath() const;
    void loadWritten();
    QString newestWithTag(const QString &tag) const;
    // Drops the tag's backups beyond KeepPerUnit, never its oldest nor keep.
    void dropBeyondBound(const QString &tag, const QString &keep) const;
    // Appends line (numbered next) and drops lines of backups that are gone and written
    // sets beyond WrittenPerUnit; false when the record could not be written.
    bool appendRecord(StoreRecordLine line) const;
    bool writeRecord(const QList<StoreRecordLine> &lines) const;

    QString m_folder;
    QHash<QString, UnitBlock> m_written;
    QHash<QString, QList<UnitBlock>> m_sentThisRun;
};
