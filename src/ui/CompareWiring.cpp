#include "CompareWiring.h"

#include <algorithm>

#include "AddedTexts.h"
#include "BlockDifference.h"
#include "CompareDialog.h"
#include "FileNameLabel.h"
#include "TFormHlav.h"
#include "WriteSequence.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QStatusBar>

CompareWiring::CompareWiring(TFormHlav &form, const QString &backupFolder)
    : QObject(&form), m_form(form), m_language(form.Session.LanguageIndex)
{
    if (!backupFolder.isEmpty())
        m_backups = std::make_unique<BackupStore>(backupFolder);
    form.MenuOpenBackup->setEnabled(m_backups != nullptr);

    // A failure to keep a backup stays in the status bar, beside the hints.
    m_backupStatus = new QLabel(form.StatusBar1);
    m_backupStatus->setObjectName(QStringLiteral("BackupStatus"));
    m_backupStatus->setTextFormat(Qt::PlainText);
    m_backupStatus->setStyleSheet(QStringLiteral("color: red;"));
    m_backupStatus->hide();
    form.StatusBar1->addPermanentWidget(m_backupStatus);

    connect(form.MenuCompare, &QAction::triggered, this, &CompareWiring::startCompare);
    connect(form.MenuOpenBackup, &QAction::triggered, this, &CompareWiring::openBackup);
    connect(&form, &TFormHlav::languageChanged, this, &CompareWiring::setLanguage);
    // The one write sequence: the backup is on disk, and the set holds the unit's own
    // reserved bytes, before the link sends its first program frame.
    m_write = std::make_unique<WriteSequence>(form.link().unit(), form.Parameters, m_backups.get());
    connect(m_write.get(), &WriteSequence::backupKept, this, &CompareWiring::onBackupKept);
    // From the event loop, after the tick that read the block has finished.
    connect(&form.link(), &LinkDriver::compareReady, this, &CompareWiring::onCompareReady, Qt::QueuedConnection);
    setLanguage(m_language);
}

CompareWiring::~CompareWiring() = default;

void CompareWiring::setLanguage(quint8 language)
{
    m_language = language;
    m_form.MenuCompare->setText(AddedTextFor(AddedText::MenuCompare, language));
    m_form.MenuOpenBackup->setText(AddedTextFor(AddedText::MenuOpenBackup, language));
    if (m_backupProblem)
        showBackupProblem();
}

bool CompareWiring::writeInFlight() const
{
    return m_write && m_write->verifyPending();
}

CompareDialog *CompareWiring::dialog() const
{
    return m_dialog.data();
}

QString CompareWiring::backupFolder() const
{
    return m_backups ? m_backups->folder() : QString();
}

void CompareWiring::startCompare()
{
    m_form.TakeControlsIntoParameters();
    NormaliseParameters(m_form.Parameters, m_form.Session);
    m_form.ShowParametersInControls();
    m_form.link().StartCompare();
    m_form.ShowLinkState();
}

void CompareWiring::onCompareReady()
{
    const auto unit = m_form.link().unit().compareBlock();
    const QList<DifferenceRow> rows = DifferenceRows(unit, m_form.Parameters.UnitBlockImage(), m_language);
    if (m_dialog)
        m_dialog->close();
    auto *dialog = new CompareDialog(rows, m_language, &m_form);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog = dialog;
    connect(dialog, &QDialog::accepted, this, [this, unit] { takeUnitSet(unit); });
    // Window-modal without a nested event loop: the ticks go on beneath it.
    dialog->open();
}

void CompareWiring::takeUnitSet(const std::array<quint8, UnitBlockSize> &unitBlock)
{
    // As a Read takes it, reserved bytes included, but as one step the user can undo.
    // Nothing is sent: the unit holds this set already.
    IgnitionParameters unitSet = m_form.Parameters;
    std::copy(unitBlock.begin(), unitBlock.end(), unitSet.image.begin());
    m_form.Editor.TakeUnitSet(unitSet);
    m_form.LabelFile2->setText(QString());
}

void CompareWiring::openBackup()
{
    if (!m_backups)
        return;
    // The dialog starts in the backup folder, which exists once we have been there.
    QDir().mkpath(m_backups->folder());
    const QString before = m_form.OpenDialog1FileName;
    const QString folder = m_backups->folder() + u'/';
    m_form.OpenDialog1FileName = folder;
    m_form.MenuOpenClick();
    // Cancelled: File > Open still starts where it did.
    if (m_form.OpenDialog1FileName == folder)
        m_form.OpenDialog1FileName = before;
}

void CompareWiring::onBackupKept(const BackupResult &result)
{
    // The message stays until a backup is kept again: a set that needed none since does
    // not make up for the one that was lost.
    if (result.outcome == BackupResult::Stored) {
        m_backupProblem.reset();
        m_backupStatus->hide();
    }
    if (result.outcome != BackupResult::Failed)
        return;
    m_backupProblem = result;
    showBackupProblem();
}

void CompareWiring::showBackupProblem()
{
    const QString reason = m_backupProblem->folderMissing
                               ? AddedTextFor(AddedText::BackupFolderNotCreated, m_language).arg(m_backupProblem->reason)
                               : m_backupProblem->reason;
    const QString text = AddedTextFor(AddedText::BackupNotKept, m_language).arg(reason);
    // A long folder is shortened in the middle, so that the start and the reason at the
    // end both stay in sight; the whole text is the tooltip.
    const int room = std::max(200, m_backupStatus->parentWidget()->width() - 24);
    m_backupStatus->setText(m_backupStatus->fontMetrics().elidedText(text, Qt::ElideMiddle, room));
    m_backupStatus->setToolTip(text);
    m_backupStatus->show();
}
