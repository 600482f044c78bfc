#pragma once

#include "BackupStore.h"
#include "IgnitionParameters.h"

#include <QObject>
#include <QPointer>

#include <array>
#include <memory>
#include <optional>

class CompareDialog;
class QLabel;
class TFormHlav;
class WriteSequence;

// Compare with the unit, the backup of the unit's set kept before every write and the
// one write sequence, as the main window offers them: Device > Compare with unit and its
// table of differences, File > Open backup..., and the status bar's notice of a backup
// that was not kept, which stays until one is kept again.
class CompareWiring : public QObject
{
    Q_OBJECT

public:
    // backupFolder empty: no backups are kept.
    CompareWiring(TFormHlav &form, const QString &backupFolder);
    ~CompareWiring() override;

    // What the editor shows goes to the link to be compared, as for Verify.
    void startCompare();
    void openBackup();
    // The unit's block into the editor, as a Read takes it, recorded as one undo step.
    void takeUnitSet(const std::array<quint8, UnitBlockSize> &unitBlock);
    void setLanguage(quint8 language);

    // A write has sent its block to the unit and is not verified yet.
    bool writeInFlight() const;
    // Empty when no backups are kept.
    QString backupFolder() const;
    // The difference table while it is open, else null.
    CompareDialog *dialog() const;
    // The store of the backup folder, null when no backups are kept.
    BackupStore *backups() const { return m_backups.get(); }
    // The one write path to the unit.
    WriteSequence &writeSequence() { return *m_write; }

private:
    void onCompareReady();
    void onBackupKept(const BackupResult &result);
    void showBackupProblem();

    TFormHlav &m_form;
    quint8 m_language = 0;
    std::unique_ptr<BackupStore> m_backups;
    std::unique_ptr<WriteSequence> m_write;
    std::optional<BackupResult> m_backupProblem;
    QPointer<CompareDialog> m_dialog;
    QLabel *m_backupStatus = nullptr; // why no backup was kept, while that is so
};
