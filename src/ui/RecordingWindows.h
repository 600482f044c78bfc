#pragma once

#include "RecentFiles.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;
class QUrl;
class QWidget;
class TFormCurve;
class TFormRecording;
class UserPrompts;

// Opening recordings of live values, as the main window offers it: Tools > Open
// recording..., the recent recordings, a .csv named on the command line or dropped on
// the window. Each recording opens in a window of its own; the curve window shows the
// visits and the cursor's row of the one last in front.
class RecordingWindows : public QObject
{
    Q_OBJECT

public:
    // curveWindow(true) shows the curve window and returns it; curveWindow(false) returns
    // it only when it is shown, without bringing it to the front.
    RecordingWindows(QWidget *mainWindow, UserPrompts &prompts,
                     std::function<TFormCurve *(bool show)> curveWindow);

    // The menu item and the recent recordings, at the end of menu.
    void addToMenu(QMenu *menu);
    void setLanguage(quint8 languageIndex);

    // Whether a file is to be opened as a recording (by its suffix).
    static bool IsRecordingFile(const QString &path);
    // The first local recording among dropped URLs; empty when there is none.
    static QString DroppedRecording(const QList<QUrl> &urls);

    // Reads the file and opens its window; what cannot be read is said in a box, and a
    // damaged file opens with what could be read. Returns the window, or null.
    TFormRecording *open(const QString &path);
    // The file dialog, then open.
    void chooseAndOpen();

    RecentFiles &recent() { return m_recent; }
    QList<TFormRecording *> windows() const;
    QAction *openAction() const { return m_open; }
    QMenu *recentMenu() const { return m_recentMenu; }
    void closeAll();

private:
    void updateRecentMenu();
    void showRow(TFormRecording *window, qsizetype row);

    QWidget *m_main;
    UserPrompts &m_prompts;
    std::function<TFormCurve *(bool show)> m_curveWindow;
    quint8 m_language = 0;
    RecentFiles m_recent{RecentFiles::RecordingsSection};
    QString m_lastChosen;
    QAction *m_open = nullptr;
    QMenu *m_recentMenu = nullptr;
    QList<QPointer<TFormRecording>> m_windows;
    const QObject *m_shown = nullptr; // whose visits the curve window shows; only compared
};
