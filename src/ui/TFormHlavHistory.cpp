// The unit's history as the main window wires it: an item in the Tools menu, the history
// window's entries put into the editor or programmed through the one write sequence, and
// two sets side by side on the curve.

#include "TFormHlav.h"

#include "AddedTexts.h"
#include "CompareWiring.h"
#include "WriteSequence.h"
#include "TFormCurve.h"
#include "TFormHistory.h"
#include "TFormSideBySide.h"

#include <QAction>
#include <QMenu>

namespace {

QString entryLabel(const HistoryEntry &entry, quint8 language)
{
    return AddedTextFor(AddedText::HistoryEntryLabel, language).arg(entry.id);
}

} // namespace

void TFormHlav::BuildUnitHistory()
{
    auto *item = new QAction(this);
    item->setObjectName(QStringLiteral("MenuHistory"));
    item->setShortcutContext(Qt::WindowShortcut);
    MenuTools->addAction(item);
    const auto applyTexts = [this, item] {
        const quint8 language = Session.LanguageIndex;
        item->setText(AddedTextFor(AddedText::HistoryMenu, language));
        if (FormHistory)
            FormHistory->setLanguage(language);
    };
    connect(this, &TFormHlav::languageChanged, this, applyTexts);
    applyTexts();
    item->setEnabled(Compare->backups() != nullptr);
    connect(item, &QAction::triggered, this, &TFormHlav::MenuHistoryClick);

    // A restore's outcome, in the history window, which shows the new entry.
    connect(&Compare->writeSequence(), &WriteSequence::finished, this, [this](const WriteReport &report) {
        if (!FormHistory || !Compare->writeSequence().restoring())
            return;
        const quint8 language = Session.LanguageIndex;
        const std::optional<HistoryEntry> &entry = FormHistory->restoring();
        const QString label = entry ? entryLabel(*entry, language) : QString();
        if (!report.refusedUnit.isEmpty()) {
            FormHistory->showStatus(
                Messages.text(MsgUnmatchedVersion) + u'\n' +
                    AddedTextFor(AddedText::HistoryOtherUnit, language)
                        .arg(entry ? UnitTagText(entry->tag) : QString(), UnitTagText(report.refusedUnit)),
                true);
        } else if (report.succeeded()) {
            FormHistory->showStatus(AddedTextFor(AddedText::HistoryRestoreDone, language).arg(label), false);
        } else {
            FormHistory->showStatus(AddedTextFor(AddedText::HistoryRestoreFailed, language)
                                        .arg(label, m_link->LabelHlaseni.caption),
                                    true);
        }
        FormHistory->refresh(Compare->backups()->folder());
    });
    // The unit's set for a side by side, once the Compare asked for it has read it.
    connect(
        m_link.get(), &LinkDriver::compareReady, this,
        [this] {
            if (!FormHistory || m_sideBySideEntry.isEmpty())
                return;
            const HistoryEntry *entry = FormHistory->history().find(m_sideBySideEntry);
            m_sideBySideEntry.clear();
            if (!entry)
                return;
            IgnitionParameters unitSet;
            const auto unit = m_link->unit().compareBlock();
            std::copy(unit.begin(), unit.end(), unitSet.image.begin());
            ShowSideBySide(*entry, unitSet,
                           AddedTextFor(AddedText::CompareColumnUnit, Session.LanguageIndex));
        },
        Qt::QueuedConnection);
}

void TFormHlav::MenuHistoryClick()
{
    if (!Compare->backups())
        return;
    if (!FormHistory) {
        FormHistory = new TFormHistory(this);
        FormHistory->setLanguage(Session.LanguageIndex);
        FormHistory->openInEditor = [this](const HistoryEntry &entry) { Compare->takeUnitSet(entry.block); };
        FormHistory->programEntry = [this](const HistoryEntry &entry) { ProgramHistoryEntry(entry); };
        FormHistory->sideBySide = [this](const HistoryEntry &entry, TFormHistory::Beside beside,
                                         const HistoryEntry *other) {
            const quint8 language = Session.LanguageIndex;
            switch (beside) {
            case TFormHistory::Beside::Editor:
                TakeControlsIntoParameters();
                ShowSideBySide(entry, Parameters, AddedTextFor(AddedText::CompareColumnEditor, language));
                break;
            case TFormHistory::Beside::Unit:
                // Compare reads the unit's set and shows its table; the curve follows.
                m_sideBySideEntry = entry.id;
                Compare->startCompare();
                break;
            case TFormHistory::Beside::Entry: {
                IgnitionParameters otherSet;
                std::copy(other->block.begin(), other->block.end(), otherSet.image.begin());
                ShowSideBySide(entry, otherSet, entryLabel(*other, language));
                break;
            }
            }
        };
    }
    FormHistory->refresh(Compare->backups()->folder());
    FormHistory->show();
    FormHistory->raise();
    FormHistory->activateWindow();
}

void TFormHlav::ProgramHistoryEntry(const HistoryEntry &entry)
{
    const quint8 language = Session.LanguageIndex;
    const QString label = entryLabel(entry, language);
    if (m_link->unit().run() != LinkRun::None || m_link->unit().confirmingWrite()) {
        FormHistory->showStatus(AddedTextFor(AddedText::HistoryRestoreFailed, language)
                                    .arg(label, AddedTextFor(AddedText::HistoryLinkBusy, language)),
                                true);
        return;
    }
    if (!m_link->unit().connected()) {
        FormHistory->showStatus(AddedTextFor(AddedText::HistoryRestoreFailed, language)
                                    .arg(label, AddedTextFor(AddedText::HistoryNotConnected, language)),
                                true);
        return;
    }
    // The editor shows what goes to the unit, as one step the user can undo; the write
    // sequence keeps the unit's current set first and sends the entry's reserved bytes.
    Compare->takeUnitSet(entry.block);
    Compare->writeSequence().restoreNextRun({entry.tag, entry.reservedKnown});
    FormHistory->setRestoring(entry);
    m_link->StartProgram();
    ShowLinkState();
    FormHistory->showStatus(AddedTextFor(AddedText::HistoryRestoreRunning, language).arg(label), false);
}

void TFormHlav::ShowSideBySide(const HistoryEntry &entry, const IgnitionParameters &other,
                               const QString &otherLabel)
{
    const quint8 language = Session.LanguageIndex;
    if (!FormSideBySide)
        FormSideBySide = new TFormSideBySide(this);
    IgnitionParameters set;
    std::copy(entry.block.begin(), entry.block.end(), set.image.begin());
    FormSideBySide->showSets(set, entryLabel(entry, language), other, otherLabel,
                             {AddedTextFor(AddedText::CurveMenu, language),
                              AddedTextFor(AddedText::CurveRpmAxis, language),
                              AddedTextFor(AddedText::CurveAdvanceAxis, language),
                              AddedTextFor(AddedText::CurveLimiter, language)},
                             language);
    FormSideBySide->show();
    FormSideBySide->raise();
}
