#pragma once

#include <QPointer>
#include <QString>

#include <array>

#include <QMessageBox>
class QWidget;

// The message boxes and file dialogs of the window, behind one small interface so that
// tests can answer them.
class UserPrompts
{
public:
    enum class Answer
    {
        Yes,
        No,
        Cancel
    };
    // Boxes the unit link raises from its tick. They must not hold up the ticks, and a
    // second box of a kind is not stacked on one that is still open.
    enum class Notice
    {
        VersionMismatch,
        ComOpeningError
    };
    static constexpr int NoticeKinds = 2;

    virtual ~UserPrompts() = default;

    // A modal box with an OK button; returns when it is closed.
    virtual void information(QWidget *parent, const QString &text) = 0;
    // The same with a warning icon, for a failure of something the user asked for.
    virtual void warning(QWidget *parent, const QString &text) = 0;
    // A modal box with Yes, No and Cancel.
    virtual Answer question(QWidget *parent, const QString &text) = 0;
    // Shown without waiting; detail, when not empty, is shown beneath the text.
    virtual void notice(QWidget *parent, Notice kind, const QString &text, const QString &detail) = 0;
    // Empty when cancelled. filter uses the Qt form "Name (*.ext);;All (*)"; fileName is
    // the file proposed (its folder is where the dialog starts); defaultSuffix is added to
    // a typed name that has none.
    virtual QString getOpenFileName(QWidget *parent, const QString &fileName, const QString &filter,
                                    const QString &defaultSuffix) = 0;
    virtual QString getSaveFileName(QWidget *parent, const QString &fileName, const QString &filter,
                                    const QString &defaultSuffix) = 0;
};

// The real boxes and dialogs.
class WidgetPrompts : public UserPrompts
{
public:
    void information(QWidget *parent, const QString &text) override;
    void warning(QWidget *parent, const QString &text) override;
    Answer question(QWidget *parent, const QString &text) override;
    void notice(QWidget *parent, Notice kind, const QString &text, const QString &detail) override;
    QString getOpenFileName(QWidget *parent, const QString &fileName, const QString &filter,
                            const QString &defaultSuffix) override;
    QString getSaveFileName(QWidget *parent, const QString &fileName, const QString &filter,
                            const QString &defaultSuffix) override;

    // The open notice box of a kind, if any (for a look from tests and screenshots).
    QMessageBox *openNotice(Notice kind) const { return m_notices[int(kind)]; }

private:
    std::array<QPointer<QMessageBox>, NoticeKinds> m_notices{};
};
