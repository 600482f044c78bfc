#include "ManualWindow.h"

#include "AddedTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

ManualWindow::ManualWindow(QWidget *parent) : QDialog(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ManualWindow"));
    auto *layout = new QVBoxLayout(this);
    Reason = new QLabel(this);
    Reason->setObjectName(QStringLiteral("ManualReason"));
    Reason->setTextFormat(Qt::PlainText);
    Reason->setWordWrap(true);
    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("ManualBrowser"));
    Browser->setOpenExternalLinks(true);
    layout->addWidget(Reason);
    layout->addWidget(Browser, 1);
    // Room to read, within the screen.
    QSize size(760, 900);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void ManualWindow::showManual(const QString &markdownPath, const QString &title, const QString &why)
{
    setWindowTitle(title);
    Reason->setText(why);
    // Relative pictures ("images/x.png") come from the Markdown file's own folder, which
    // the browser takes from the source's address.
    Browser->setSearchPaths({QFileInfo(markdownPath).absolutePath()});
    Browser->setSource(QUrl::fromLocalFile(QFileInfo(markdownPath).absoluteFilePath()),
                       QTextDocument::MarkdownResource);
    QFile file(markdownPath);
    if (file.open(QIODevice::ReadOnly)) {
        const QString text = QString::fromUtf8(file.readAll())
                                 .replace(QLatin1String("@VERSION@"), QLatin1String(KORVO_VERSION));
        Browser->document()->setMarkdown(text, QTextDocument::MarkdownDialectGitHub);
    }
    // From its beginning, also when shown again after reading further down.
    Browser->moveCursor(QTextCursor::Start);
    Browser->ensureCursorVisible();
    show();
    raise();
    activateWindow();
}

ManualOpener::ManualOpener(QWidget *window) : QObject(window), m_window(window) {}

void ManualOpener::open(const QString &document, const QString &markdown, quint8 language)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty() || !QFileInfo(document).isFile()) {
        showOwn(document, markdown, language);
        return;
    }
    // Not a child of ours: the viewer it starts must outlive the program, and a QProcess
    // still running when it is deleted kills what it started. It deletes itself once done.
    auto *process = new QProcess;
    QPointer<ManualOpener> self(this);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, self, document, markdown, language](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (self)
                             self->showOwn(document, markdown, language);
                         process->deleteLater();
                     });
    QObject::connect(
        process, &QProcess::finished, process,
        [process, self, document, markdown, language](int exitCode, QProcess::ExitStatus status) {
            if ((status != QProcess::NormalExit || exitCode != 0) && self)
                self->showOwn(document, markdown, language);
            process->deleteLater();
        });
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start(opener, {document});
}

void ManualOpener::showOwn(const QString &document, const QString &markdown, quint8 language)
{
    if (!QFileInfo(markdown).isFile())
        return;
    if (!m_manualWindow)
        m_manualWindow = new ManualWindow(m_window);
    m_manualWindow->showManual(
        markdown, AddedTextFor(AddedText::ManualWindowTitle, language),
        AddedTextFor(AddedText::ManualViewerFailed, language).arg(QFileInfo(document).fileName()));
}

QString manualMarkdownPath(const QString &pdfPath)
{
    const QFileInfo pdf(pdfPath);
    return pdf.path() + u'/' + pdf.completeBaseName() + QStringLiteral(".md");
}
