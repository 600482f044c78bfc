#include "RecordingWindows.h"

#include "AddedTexts.h"
#include "Recording.h"
#include "TFormCurve.h"
#include "TFormRecording.h"
#include "UserPrompts.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QUrl>

#include <algorithm>

RecordingWindows::RecordingWindows(QWidget *mainWindow, UserPrompts &prompts,
                                   std::function<TFormCurve *(bool show)> curveWindow)
    : QObject(mainWindow), m_main(mainWindow), m_prompts(prompts), m_curveWindow(std::move(curveWindow))
{
}

void RecordingWindows::addToMenu(QMenu *menu)
{
    m_open = new QAction(this);
    m_open->setObjectName(QStringLiteral("MenuOpenRecording"));
    connect(m_open, &QAction::triggered, this, &RecordingWindows::chooseAndOpen);
    menu->addSeparator();
    menu->addAction(m_open);
    m_recentMenu = new QMenu(m_main);
    m_recentMenu->setObjectName(QStringLiteral("MenuRecentRecordings"));
    m_recentMenu->menuAction()->setObjectName(QStringLiteral("MenuRecentRecordingsItem"));
    menu->addMenu(m_recentMenu);
    connect(menu, &QMenu::aboutToShow, this, &RecordingWindows::updateRecentMenu);
    setLanguage(m_language);
}

void RecordingWindows::setLanguage(quint8 language)
{
    m_language = language;
    if (m_open) {
        m_open->setText(AddedTextFor(AddedText::RecordingOpenMenu, language));
        const QString hint = AddedTextFor(AddedText::RecordingOpenHint, language);
        m_open->setStatusTip(hint);
        m_open->setToolTip(hint);
        m_open->setWhatsThis(hint);
        updateRecentMenu();
    }
    for (TFormRecording *window : windows())
        window->setLanguage(language);
}

bool RecordingWindows::IsRecordingFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}

QString RecordingWindows::DroppedRecording(const QList<QUrl> &urls)
{
    for (const QUrl &url : urls) {
        if (url.isLocalFile() && IsRecordingFile(url.toLocalFile()))
            return url.toLocalFile();
    }
    return {};
}

TFormRecording *RecordingWindows::open(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    RecordingRead read = ReadRecordingFile(absolute);
    if (read.recording.isEmpty()) {
        // Nothing to show: the message is all there is.
        const QString message = RecordingReadMessage(read, QDir::toNativeSeparators(absolute), m_language);
        m_prompts.information(m_main, message);
        return nullptr;
    }
    m_recent.add(absolute);
    updateRecentMenu();

    TFormCurve *curve = m_curveWindow(true);
    auto *window = new TFormRecording(absolute, std::move(read), m_main);
    window->setLanguage(m_language);
    window->rowShown = [this](TFormRecording *w, qsizetype row) { showRow(w, row); };
    m_windows.append(window);
    connect(window, &QObject::destroyed, this, [this](QObject *gone) {
        m_windows.removeAll(nullptr);
        // The curve window stops showing a recording that was closed.
        if (gone != m_shown)
            return;
        m_shown = nullptr;
        if (TFormCurve *c = m_curveWindow(false)) {
            c->showVisits(nullptr);
            c->showNoRecordedPoint();
        }
    });
    if (curve) {
        // Below the curve window where the screen has room, else as low as it goes while
        // staying whole on the screen.
        QPoint place(curve->frameGeometry().left(), curve->frameGeometry().bottom() + 8);
        if (const QScreen *screen = curve->screen()) {
            const QRect area = screen->availableGeometry();
            const QSize size = window->frameGeometry().size();
            place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - size.width())));
            place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - size.height())));
        }
        window->move(place);
    }
    window->show();
    window->raise();
    window->activateWindow();
    showRow(window, window->recording().rowAt(window->cursorMs()));
    return window;
}

void RecordingWindows::chooseAndOpen()
{
    const QString path = m_prompts.getOpenFileName(
        m_main, m_lastChosen, AddedTextFor(AddedText::RecordingFilter, m_language), QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    m_lastChosen = path;
    open(path);
}

QList<TFormRecording *> RecordingWindows::windows() const
{
    QList<TFormRecording *> open;
    for (const QPointer<TFormRecording> &window : m_windows) {
        if (window)
            open.append(window);
    }
    return open;
}

void RecordingWindows::closeAll()
{
    for (TFormRecording *window : windows())
        window->close();
}

void RecordingWindows::updateRecentMenu()
{
    if (!m_recentMenu)
        return;
    m_recentMenu->setTitle(AddedTextFor(AddedText::RecordingRecentMenu, m_language));
    m_recentMenu->clear();
    const QStringList &entries = m_recent.entries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString path = entries.at(i);
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(u'&', QStringLiteral("&&"));
        QAction *item = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QStringLiteral("MenuRecentRecording%1").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { open(path); });
    }
    if (!entries.isEmpty()) {
        m_recentMenu->addSeparator();
        QAction *clear = m_recentMenu->addAction(AddedTextFor(AddedText::RecentFilesClear, m_language));
        clear->setObjectName(QStringLiteral("MenuRecentRecordingsClear"));
        connect(clear, &QAction::triggered, this, [this] {
            m_recent.clear();
            updateRecentMenu();
        });
    }
    m_recentMenu->menuAction()->setEnabled(!entries.isEmpty());
}

void RecordingWindows::showRow(TFormRecording *window, qsizetype row)
{
    TFormCurve *curve = m_curveWindow(false);
    if (!curve || window->recording().isEmpty())
        return;
    const Recording &r = window->recording();
    if (m_shown != window) {
        m_shown = window;
        curve->showVisits(window->visits());
        curve->showNoRecordedPoint();
    }
    curve->showRecordedPoint(r.rpm[size_t(row)], r.advance[size_t(row)], r.timeMs[size_t(row)]);
}
