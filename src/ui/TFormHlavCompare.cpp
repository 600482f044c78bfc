// Compare with the unit, and the backup of the unit's set kept before every write.

#include "TFormHlav.h"

#include "AddedTexts.h"
#include "BackupStore.h"
#include "BlockDifference.h"
#include "CompareDialog.h"
#include "FileNameLabel.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QStatusBar>

void TFormHlav::ApplyCompareTexts()
{
    const quint8 language = Session.LanguageIndex;
    MenuCompare->setText(AddedTextFor(AddedText::MenuCompare, language));
    MenuOpenBackup->setText(AddedTextFor(AddedText::MenuOpenBackup, language));
    if (m_backupProblem)
        showBackupProblem();
}

CompareDialog *TFormHlav::compareDialog() const
{
    return m_compareDialog.data();
}

void TFormHlav::MenuCompareClick()
{
    // What the editor shows is what is compared, as for Verify.
    TakeControlsIntoParameters();
    NormaliseParameters(Parameters, Session);
    ShowParametersInControls();
    m_link->StartCompare();
    ShowLinkState();
}

void TFormHlav::onCompareReady()
{
    const auto unit = m_link->unit().compareBlock();
    const QList<DifferenceRow> rows = DifferenceRows(unit, Parameters.UnitBlockImage(), Session.LanguageIndex);
    if (m_compareDialog)
        m_compareDialog->close();
    auto *dialog = new CompareDialog(rows, Session.LanguageIndex, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_compareDialog = dialog;
    connect(dialog, &QDialog::accepted, this, [this, unit] { TakeUnitSet(unit); });
    // Window-modal without a nested event loop: the ticks go on beneath it.
    dialog->open();
}

void TFormHlav::TakeUnitSet(const std::array<quint8, UnitBlockSize> &unitBlock)
{
    // As a Read takes it, reserved bytes included, but as one step the user can undo.
    // Nothing is sent: the unit holds this set already.
    IgnitionParameters unitSet = Parameters;
    std::copy(unitBlock.begin(), unitBlock.end(), unitSet.image.begin());
    Editor.TakeUnitSet(unitSet);
    LabelFile2->setText(QString());
}

QString TFormHlav::BackupFolder() const
{
    return m_backups ? m_backups->folder() : QString();
}

void TFormHlav::MenuOpenBackupClick()
{
    if (!m_backups)
        return;
    // The dialog starts in the backup folder, which exists once we have been there.
    QDir().mkpath(m_backups->folder());
    const QString before = OpenDialog1FileName;
    const QString folder = m_backups->folder() + u'/';
    OpenDialog1FileName = folder;
    MenuOpenClick();
    // Cancelled: File > Open still starts where it did.
    if (OpenDialog1FileName == folder)
        OpenDialog1FileName = before;
}

void TFormHlav::onBackupKept(const BackupResult &result)
{
    // The message stays until a backup is kept again: a set that needed none since does
    // not make up for the one that was lost.
    if (result.outcome == BackupResult::Stored) {
        m_backupProblem.reset();
        BackupStatus->hide();
    }
    if (result.outcome != BackupResult::Failed)
        return;
    m_backupProblem = result;
    showBackupProblem();
}

void TFormHlav::showBackupProblem()
{
    const quint8 language = Session.LanguageIndex;
    const QString reason = m_backupProblem->folderMissing
                               ? AddedTextFor(AddedText::BackupFolderNotCreated, language).arg(m_backupProblem->reason)
                               : m_backupProblem->reason;
    BackupStatus->setText(AddedTextFor(AddedText::BackupNotKept, language).arg(reason));
    BackupStatus->setToolTip(BackupStatus->text());
    BackupStatus->show();
}

void TFormHlav::setUpCompareAndBackups()
{
    QString folder = m_setup.backupFolder;
    // Demo mode and tests keep no backups unless they name a folder.
    if (folder.isEmpty() && m_setup.useSettingsFiles)
        folder = DefaultBackupFolder();
    if (!folder.isEmpty())
        m_backups = std::make_unique<BackupStore>(folder);
    MenuOpenBackup->setEnabled(m_backups != nullptr);

    // A failure to keep a backup stays in the status bar, beside the hints.
    BackupStatus = new QLabel(StatusBar1);
    BackupStatus->setObjectName(QStringLiteral("BackupStatus"));
    BackupStatus->setTextFormat(Qt::PlainText);
    BackupStatus->setStyleSheet(QStringLiteral("color: red;"));
    BackupStatus->hide();
    StatusBar1->addPermanentWidget(BackupStatus);

    connect(MenuCompare, &QAction::triggered, this, &TFormHlav::MenuCompareClick);
    connect(this, &TFormHlav::languageChanged, this, &TFormHlav::ApplyCompareTexts);
    connect(MenuOpenBackup, &QAction::triggered, this, &TFormHlav::MenuOpenBackupClick);
    // The one write sequence: the backup is on disk, and the set holds the unit's own
    // reserved bytes, before the link sends its first program frame.
    m_write = std::make_unique<WriteSequence>(m_link->unit(), Parameters, m_backups.get());
    connect(m_write.get(), &WriteSequence::backupKept, this, &TFormHlav::onBackupKept);
    // From the event loop, after the tick that read the block has finished.
    connect(m_link.get(), &LinkDriver::compareReady, this, &TFormHlav::onCompareReady, Qt::QueuedConnection);
    ApplyCompareTexts();
}
