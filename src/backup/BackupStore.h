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
// A block is not stored again when it equals the newest backup with the same tag, or the
// block last written to a unit with that tag (noteWritten, remembered across runs). The newest KeepNewest
// backups are kept; older ones are deleted. Only regular files whose names have our form
// are ever written or deleted; each is written whole or not at all.
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

class BackupStore
{
public:
    static constexpr int KeepNewest = 200;

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
                     std::span<const quint8, UnitBlockSize> block);

    // Our backup files in the folder (.ign paths), oldest first.
    QStringList backups() const;

    // "ABC07_2003-03-05_0907": the unit's version name (file-name safe) and program date
    // and time from block 0.
    static QString UnitTag(std::span<const quint8, UnitBlockSize> information);
    // Reads a backup back into a whole block: the .block file beside it when it is there
    // and its fields agree with the .ign, else the .ign's fields over zero reserved bytes.
    // False when the .ign cannot be read or is not a parameter file.
    static bool ReadBackup(const QString &ignPath, UnitBlock &block);

private:
    static constexpr int MaxRememberedUnits = 100;

    QString writtenPath() const;
    void loadWritten();
    QString newestWithTag(const QString &tag) const;
    void dropOldest() const;

    QString m_folder;
    QHash<QString, UnitBlock> m_written;
};
