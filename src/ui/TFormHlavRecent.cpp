// The recent files of the File menu and parameter files dropped on the window. Both only
// choose a file; opening it is the Open command's own path.

#include "TFormHlav.h"

#include "AddedTexts.h"
#include "AppPaths.h"
#include "IniFile.h"
#include "RecordingWindows.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

void TFormHlav::BuildRecentFilesMenu()
{
    MenuRecent = new QMenu(this);
    MenuRecent->setObjectName(QStringLiteral("MenuRecent"));
    MenuRecent->menuAction()->setObjectName(QStringLiteral("MenuRecentItem"));
    // Beside Open and Open from exe dir, before the separator above Save.
    MenuFile->insertMenu(N1, MenuRecent);
    // Rebuilt as File opens: the list and the interface language may have changed since.
    connect(MenuFile, &QMenu::aboutToShow, this, &TFormHlav::UpdateRecentFilesMenu);
    setAcceptDrops(true);
    // A file dropped on a value field would otherwise land in it as text (its URL);
    // wherever it is dropped, it is the file that is meant.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->setAcceptDrops(false);
    UpdateRecentFilesMenu();
}

void TFormHlav::UpdateRecentFilesMenu()
{
    MenuRecent->setTitle(AddedTextFor(AddedText::RecentFilesMenu, Session.LanguageIndex));
    MenuRecent->clear();
    const QStringList &entries = Recent.entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString path = entries.at(i);
        // "&" in a file name is text, not an access letter.
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(u'&', QStringLiteral("&&"));
        QAction *item = MenuRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QStringLiteral("MenuRecentFile%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { OpenChosenFile(path); });
    }
    if (!entries.isEmpty()) {
        MenuRecent->addSeparator();
        QAction *clear = MenuRecent->addAction(AddedTextFor(AddedText::RecentFilesClear, Session.LanguageIndex));
        clear->setObjectName(QStringLiteral("MenuRecentClear"));
        connect(clear, &QAction::triggered, this, [this] {
            Recent.clear();
            UpdateRecentFilesMenu();
        });
    }
    MenuRecent->menuAction()->setEnabled(!entries.isEmpty());
}

void TFormHlav::RememberRecentFile(const QString &path)
{
    Recent.add(QFileInfo(path).absoluteFilePath());
    UpdateRecentFilesMenu();
}

QString TFormHlav::DroppedParameterFile(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).suffix().compare(QLatin1String("ign"), Qt::CaseInsensitive) == 0)
            return path;
    }
    return {};
}

void TFormHlav::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls() && (!DroppedParameterFile(event->mimeData()->urls()).isEmpty() ||
                                         !RecordingWindows::DroppedRecording(event->mimeData()->urls()).isEmpty()))
        event->acceptProposedAction();
    else
        QMainWindow::dragEnterEvent(event);
}

void TFormHlav::dropEvent(QDropEvent *event)
{
    QString path = event->mimeData()->hasUrls() ? DroppedParameterFile(event->mimeData()->urls()) : QString();
    if (path.isEmpty() && event->mimeData()->hasUrls())
        path = RecordingWindows::DroppedRecording(event->mimeData()->urls());
    if (path.isEmpty()) {
        QMainWindow::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    // Opened once the drop has ended: a message box of Open must not hold up the
    // program the file came from, which waits for the drop to finish.
    QTimer::singleShot(0, this, [this, path] { OpenFileOfItsKind(path); });
}
