#include "TFormHistory.h"

#include "AddedTexts.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int IdRole = Qt::UserRole + 1;

} // namespace

TFormHistory::TFormHistory(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormHistory"));
    HistoryTree = new QTreeWidget(this);
    HistoryTree->setObjectName(QStringLiteral("HistoryTree"));
    HistoryTree->setColumnCount(4);
    HistoryTree->setRootIsDecorated(true);
    HistoryTree->setUniformRowHeights(true);
    HistoryTree->header()->setStretchLastSection(true);
    HistoryProgram = new QPushButton(this);
    HistoryProgram->setObjectName(QStringLiteral("HistoryProgram"));
    HistoryOpenInEditor = new QPushButton(this);
    HistoryOpenInEditor->setObjectName(QStringLiteral("HistoryOpenInEditor"));
    HistorySideBySide = new QPushButton(this);
    HistorySideBySide->setObjectName(QStringLiteral("HistorySideBySide"));
    HistoryCompareWith = new QComboBox(this);
    HistoryCompareWith->setObjectName(QStringLiteral("HistoryCompareWith"));
    HistoryCompareWith->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    HistoryRefresh = new QPushButton(this);
    HistoryRefresh->setObjectName(QStringLiteral("HistoryRefresh"));
    HistoryStatus = new QLabel(this);
    HistoryStatus->setObjectName(QStringLiteral("HistoryStatus"));
    HistoryStatus->setTextFormat(Qt::PlainText);
    HistoryStatus->setWordWrap(true);
    HistorySkippedFiles = new QLabel(this);
    HistorySkippedFiles->setObjectName(QStringLiteral("HistorySkippedFiles"));
    HistorySkippedFiles->setTextFormat(Qt::PlainText);
    HistorySkippedFiles->setWordWrap(true);
    HistorySkippedFiles->hide();

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(HistoryProgram);
    buttons->addWidget(HistoryOpenInEditor);
    buttons->addSpacing(12);
    buttons->addWidget(HistorySideBySide);
    buttons->addWidget(HistoryCompareWith);
    buttons->addStretch(1);
    buttons->addWidget(HistoryRefresh);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(HistoryTree, 1);
    layout->addLayout(buttons);
    layout->addWidget(HistoryStatus);
    layout->addWidget(HistorySkippedFiles);
    resize(760, 420);

    connect(HistoryTree, &QTreeWidget::itemSelectionChanged, this, &TFormHistory::updateButtons);
    connect(HistoryProgram, &QPushButton::clicked, this, [this] {
        if (const HistoryEntry *entry = selectedEntry(); entry && programEntry)
            programEntry(*entry);
    });
    connect(HistoryOpenInEditor, &QPushButton::clicked, this, [this] {
        if (const HistoryEntry *entry = selectedEntry(); entry && openInEditor)
            openInEditor(*entry);
    });
    connect(HistorySideBySide, &QPushButton::clicked, this, [this] {
        const HistoryEntry *entry = selectedEntry();
        if (!entry || !sideBySide)
            return;
        const QString with = HistoryCompareWith->currentData().toString();
        if (with == QLatin1String("editor"))
            sideBySide(*entry, Beside::Editor, nullptr);
        else if (with == QLatin1String("unit"))
            sideBySide(*entry, Beside::Unit, nullptr);
        else if (const HistoryEntry *other = m_history.find(with))
            sideBySide(*entry, Beside::Entry, other);
    });
    connect(HistoryRefresh, &QPushButton::clicked, this, [this] { refresh(m_folder); });
    setLanguage(0);
}

void TFormHistory::setLanguage(quint8 languageIndex)
{
    m_language = languageIndex;
    const auto text = [languageIndex](AddedText id) { return AddedTextFor(id, languageIndex); };
    setWindowTitle(text(AddedText::HistoryTitle));
    HistoryTree->setHeaderLabels({text(AddedText::HistoryColumnEntry), text(AddedText::HistoryColumnWhen),
                                  text(AddedText::HistoryColumnKind), text(AddedText::HistoryColumnChanges)});
    HistoryProgram->setText(text(AddedText::HistoryProgram));
    HistoryOpenInEditor->setText(text(AddedText::HistoryOpenInEditor));
    HistorySideBySide->setText(text(AddedText::HistorySideBySide));
    HistoryRefresh->setText(text(AddedText::HistoryRefresh));
    if (!m_folder.isEmpty())
        refresh(m_folder);
}

QString TFormHistory::entryText(const HistoryEntry &entry) const
{
    return QStringLiteral("%1 %2  %3")
        .arg(UnitTagText(entry.tag).section(u' ', 0, 0), entry.id,
             entry.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void TFormHistory::refresh(const QString &folder)
{
    m_folder = folder;
    const HistoryEntry *selected = selectedEntry();
    const QString keep = selected ? selected->id : QString();
    m_history = UnitHistory::Read(folder, m_language);
    fill();
    fillCompareWith();
    if (!keep.isEmpty())
        selectEntry(keep);
    QStringList skipped;
    for (const SkippedFile &file : m_history.skipped)
        skipped << AddedTextFor(AddedText::HistorySkipped, m_language)
                       .arg(QDir::toNativeSeparators(QDir(folder).filePath(file.name)),
                            SkipReasonText(file.reason, m_language));
    HistorySkippedFiles->setText(skipped.join(u'\n'));
    HistorySkippedFiles->setVisible(!skipped.isEmpty());
    if (m_history.units.isEmpty() && HistoryStatus->text().isEmpty())
        HistoryStatus->setText(
            AddedTextFor(AddedText::HistoryEmpty, m_language).arg(QDir::toNativeSeparators(folder)));
    updateButtons();
}

void TFormHistory::fill()
{
    HistoryTree->clear();
    for (const HistoryUnit &unit : m_history.units) {
        auto *unitItem = new QTreeWidgetItem(HistoryTree, {UnitTagText(unit.tag)});
        unitItem->setFirstColumnSpanned(true);
        QFont bold = unitItem->font(0);
        bold.setBold(true);
        unitItem->setFont(0, bold);
        for (qsizetype i = 0; i < unit.entries.size(); ++i) {
            const HistoryEntry &entry = unit.entries[i];
            QString kind = AddedTextFor(entry.kind == HistoryEntry::Backup ? AddedText::HistoryKindBackup
                                                                           : AddedText::HistoryKindWritten,
                                        m_language);
            if (i + 1 == unit.entries.size() && entry.kind == HistoryEntry::Backup)
                kind += QStringLiteral(" (%1)").arg(AddedTextFor(AddedText::HistoryCameWith, m_language));
            QStringList changes;
            for (const DifferenceRow &row : entry.changes)
                changes << QStringLiteral("%1 %2 > %3").arg(row.field, row.unitValue, row.editorValue);
            auto *item = new QTreeWidgetItem(
                unitItem, {entry.id, entry.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), kind,
                           changes.join(QStringLiteral("; "))});
            item->setData(0, IdRole, entry.id);
            item->setToolTip(3, changes.join(u'\n'));
        }
        unitItem->setExpanded(true);
    }
    for (int c = 0; c < 3; ++c)
        HistoryTree->resizeColumnToContents(c);
}

void TFormHistory::fillCompareWith()
{
    const QString before = HistoryCompareWith->currentData().toString();
    HistoryCompareWith->clear();
    HistoryCompareWith->addItem(AddedTextFor(AddedText::HistoryEditorSet, m_language),
                                QStringLiteral("editor"));
    HistoryCompareWith->addItem(AddedTextFor(AddedText::HistoryUnitSet, m_language), QStringLiteral("unit"));
    for (const HistoryUnit &unit : m_history.units)
        for (const HistoryEntry &entry : unit.entries)
            HistoryCompareWith->addItem(entryText(entry), entry.id);
    const int index = HistoryCompareWith->findData(before);
    HistoryCompareWith->setCurrentIndex(index >= 0 ? index : 0);
}

const HistoryEntry *TFormHistory::selectedEntry() const
{
    const QList<QTreeWidgetItem *> items = HistoryTree->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const QString id = items.first()->data(0, IdRole).toString();
    return id.isEmpty() ? nullptr : m_history.find(id);
}

bool TFormHistory::selectEntry(const QString &id)
{
    for (int u = 0; u < HistoryTree->topLevelItemCount(); ++u) {
        QTreeWidgetItem *unit = HistoryTree->topLevelItem(u);
        for (int e = 0; e < unit->childCount(); ++e) {
            if (unit->child(e)->data(0, IdRole).toString() == id) {
                HistoryTree->setCurrentItem(unit->child(e));
                return true;
            }
        }
    }
    return false;
}

void TFormHistory::showStatus(const QString &text, bool failure)
{
    HistoryStatus->setText(text);
    HistoryStatus->setStyleSheet(failure ? QStringLiteral("color: red;") : QString());
}

void TFormHistory::updateButtons()
{
    const bool entry = selectedEntry() != nullptr;
    for (QPushButton *button : {HistoryProgram, HistoryOpenInEditor, HistorySideBySide})
        button->setEnabled(entry);
}
