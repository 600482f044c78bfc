#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QTextBrowser;

// The manual in a window of the program's own, for when no viewer could show the PDF:
// the Markdown it is made from, its pictures taken from beside the Markdown file.
class ManualWindow : public QDialog
{
public:
    explicit ManualWindow(QWidget *parent = nullptr);

    // Shows the Markdown file at path, with why beneath the title.
    void showManual(const QString &markdownPath, const QString &title, const QString &why);

    QLabel *Reason = nullptr;
    QTextBrowser *Browser = nullptr;
};

// Help > Contents on a desktop: the PDF goes to the desktop's opener; when that cannot be
// started or reports a failure, or there is no PDF, the manual opens in a ManualWindow.
class ManualOpener : public QObject
{
public:
    explicit ManualOpener(QWidget *window);

    // document: the PDF (may not exist); markdown: the Markdown beside it (may not exist).
    void open(const QString &document, const QString &markdown, quint8 language);
    ManualWindow *manualWindow() const { return m_manualWindow; }

private:
    void showOwn(const QString &document, const QString &markdown, quint8 language);

    QWidget *m_window;
    QPointer<ManualWindow> m_manualWindow;
};

// The Markdown the PDF at pdfPath is made from: the same name ending in ".md", beside it.
QString manualMarkdownPath(const QString &pdfPath);
