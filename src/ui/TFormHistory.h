#pragma once

#include "UnitHistory.h"

#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// Tools > Unit history: what the backup store says each unit held, grouped by unit,
// newest first, with the fields each entry changed. It reads and shows; the main window
// does what its buttons ask through the callbacks.
class TFormHistory : public QWidget
{
    Q_OBJECT

public:
    // What "Side by side" puts beside the selected entry.
    enum class Beside
    {
        Editor,
        Unit,
        Entry
    };

    explicit TFormHistory(QWidget *parent = nullptr);

    void setLanguage(quint8 languageIndex);
    // Reads the folder again and shows it; the selection stays on the same entry.
    void refresh(const QString &folder);
    const UnitHistory &history() const { return m_history; }
    // The selected entry, or null when a unit's line or nothing is selected.
    const HistoryEntry *selectedEntry() const;
    bool selectEntry(const QString &id);
    // The entry a restore is writing, named in its outcome whatever is selected by then.
    void setRestoring(const HistoryEntry &entry) { m_restoring = entry; }
    const std::optional<HistoryEntry> &restoring() const { return m_restoring; }
    // A line under the buttons; a failure stays in red until the next status.
    void showStatus(const QString &text, bool failure);

    std::function<void(const HistoryEntry &)> programEntry;
    std::function<void(const HistoryEntry &)> openInEditor;
    // other is set when beside is Entry.
    std::function<void(const HistoryEntry &, Beside beside, const HistoryEntry *other)> sideBySide;

    QTreeWidget *HistoryTree = nullptr;
    QPushButton *HistoryProgram = nullptr;
    QPushButton *HistoryOpenInEditor = nullptr;
    QPushButton *HistorySideBySide = nullptr;
    QComboBox *HistoryCompareWith = nullptr;
    QPushButton *HistoryRefresh = nullptr;
    QLabel *HistoryStatus = nullptr;
    QLabel *HistorySkippedFiles = nullptr;

private:
    void fill();
    void fillCompareWith();
    void updateButtons();
    QString entryText(const HistoryEntry &entry) const;

    quint8 m_language = 0;
    QString m_folder;
    UnitHistory m_history;
    std::optional<HistoryEntry> m_restoring;
};
