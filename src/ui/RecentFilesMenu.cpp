#include "RecentFilesMenu.h"

#include "AddedTexts.h"
#include "RecentFiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

RecentFilesMenu::RecentFilesMenu(QMenu *fileMenu, QAction *before, RecentFiles &list,
                                 std::function<void(const QString &)> open, QWidget *parent)
    : QObject(parent), m_menu(new QMenu(parent)), m_list(list), m_open(std::move(open))
{
    m_menu->setObjectName(QStringLiteral("MenuRecent"));
    m_menu->menuAction()->setObjectName(QStringLiteral("MenuRecentItem"));
    fileMenu->insertMenu(before, m_menu);
    // The list may have changed since File last opened.
    connect(fileMenu, &QMenu::aboutToShow, this, &RecentFilesMenu::rebuild);
    rebuild();
}

void RecentFilesMenu::remember(const QString &path)
{
    m_list.add(QFileInfo(path).absoluteFilePath());
    rebuild();
}

void RecentFilesMenu::setLanguage(quint8 language)
{
    m_language = language;
    rebuild();
}

void RecentFilesMenu::rebuild()
{
    m_menu->setTitle(AddedTextFor(AddedText::RecentFilesMenu, m_language));
    m_menu->clear();
    const QStringList &entries = m_list.entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString path = entries.at(i);
        // "&" in a file name is text, not an access letter.
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(u'&', QStringLiteral("&&"));
        QAction *item = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QStringLiteral("MenuRecentFile%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { m_open(path); });
    }
    if (!entries.isEmpty()) {
        m_menu->addSeparator();
        QAction *clear = m_menu->addAction(AddedTextFor(AddedText::RecentFilesClear, m_language));
        clear->setObjectName(QStringLiteral("MenuRecentClear"));
        connect(clear, &QAction::triggered, this, [this] {
            m_list.clear();
            rebuild();
        });
    }
    m_menu->menuAction()->setEnabled(!entries.isEmpty());
}
