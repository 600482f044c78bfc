#pragma once

#include "BackupStore.h"
#include "UnitLink.h"

#include <QObject>

#include <optional>

// One write of the set to the unit, the same for the window and the command line:
//   1. the link reads the unit's blocks 0 and 1 (a program run always starts so);
//   2. the unit's set is kept in the backup store, unless it is kept already;
//   3. the set takes the unit's own reserved bytes, as that read found them: a set from
//      a file or the editor has no say in them, and the unit gets its own back. A restore
//      of a backup is the one run that sends the set's own: they are the unit's from then;
//   4. the link writes blocks 0 and 1 (nothing, if another unit answers block 0), checks
//      the echo and verifies the whole block;
//   5. what was written is noted in the store, so that reading it back before the next
//      write is not kept as a backup;
//   6. the unit reports the end of its saving, and whether its stored data is good.
// The sequence only listens: the owner starts the program run on the link and shows the
// outcome. report() tells where the run is and how it ended.
struct WriteReport
{
    enum class Stage : quint8
    {
        Idle,      // no write started
        Reading,   // the unit's set is being read before the write
        Writing,   // the block is going out, or being verified
        Saving,    // verified; the unit stores it
        Done       // ended: see transfer and confirmation
    };
    Stage stage = Stage::Idle;
    // The backup before the write, once the read has brought the unit's set.
    std::optional<BackupResult> backup;
    // How the link's program run ended.
    std::optional<TransferResult> transfer;
    // After an accepted run: what the unit reported once it stopped saving.
    std::optional<WriteConfirmation> confirmation;
    // A restore refused before anything was sent: the tag of the unit attached, which is
    // not the backup's unit (the transfer ends as OtherUnit).
    QString refusedUnit;

    // The parameter block went out: the unit may hold it, whatever came after.
    bool blockSent() const { return transfer ? transfer->blockSent : stage == Stage::Writing; }
    // Verified and stored, and the unit says its data is good.
    bool succeeded() const { return confirmation == WriteConfirmation::Confirmed; }
};

struct RestoreRun
{
    QString unitTag;
    bool reservedFromSet = true;
};

class WriteSequence : public QObject
{
    Q_OBJECT

public:
    // store may be null: no backups (demo mode, tests that name no folder).
    WriteSequence(UnitLink &link, IgnitionParameters &set, BackupStore *store, QObject *parent = nullptr);

    const WriteReport &report() const { return m_report; }
    // The next program run started on the link is a restore of a backup of the unit with
    // this tag: any other unit is refused before a backup or a frame of the write; when
    // reservedFromSet, the set is a whole block the unit held and its reserved bytes go
    // out as they are.
    void restoreNextRun(const RestoreRun &restore) { m_restoreNext = restore; }
    bool restoring() const { return m_restoring.has_value(); }
    // A write that has sent its block and not yet been verified: stopping now leaves the
    // unit's set unknown.
    bool verifyPending() const;

signals:
    // The backup was tried, within the tick, before the first frame of the write.
    void backupKept(const BackupResult &result);
    // The report has reached Stage::Done.
    void finished(const WriteReport &report);

private:
    void onBlockBeforeWrite();
    void onBlockWritten();
    void onTransferFinished(const TransferResult &result);
    void onWriteConfirmed(WriteConfirmation confirmation);
    void end();

    UnitLink &m_link;
    IgnitionParameters &m_set;
    BackupStore *m_store = nullptr;
    WriteReport m_report;
    std::optional<RestoreRun> m_restoreNext;
    std::optional<RestoreRun> m_restoring;
};
