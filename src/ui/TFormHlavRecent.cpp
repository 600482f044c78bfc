// The recent files of the File menu, as the window wires them, and parameter files
// dropped on the window. Both only choose a file; opening it is the Open command's own path.

#include "TFormHlav.h"

#include "RecentFilesMenu.h"
#include "RecordingWindows.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

void TFormHlav::BuildRecentFilesMenu()
{
    // Beside Open and Open from exe dir, before the separator above Save.
    RecentMenu = new RecentFilesMenu(MenuFile, N1, Recent, [this](const QString &path) { OpenChosenFile(path); },
                                     this);
    RecentMenu->setLanguage(Session.LanguageIndex);
    connect(this, &TFormHlav::languageChanged, RecentMenu, &RecentFilesMenu::setLanguage);
    setAcceptDrops(true);
    // A file dropped on a value field would otherwise land in it as text (its URL);
    // wherever it is dropped, it is the file that is meant.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->setAcceptDrops(false);
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
