#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;
class RecentFiles;

// File > Recent files: the parameter files last opened or saved, newest first, each
// opening through the callback as the Open command opens a file; "Clear" empties the
// list. The items follow the list each time the File menu opens.
class RecentFilesMenu : public QObject
{
    Q_OBJECT

public:
    // The submenu goes into fileMenu before `before`.
    RecentFilesMenu(QMenu *fileMenu, QAction *before, RecentFiles &list,
                    std::function<void(const QString &)> open, QWidget *parent);

    // A file opened or saved goes first in the list.
    void remember(const QString &path);
    void rebuild();
    void setLanguage(quint8 language);

private:
    QMenu *m_menu = nullptr;
    RecentFiles &m_list;
    std::function<void(const QString &)> m_open;
    quint8 m_language = 0;
};
