#include "UserPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QString boxTitle(QWidget *parent)
{
    const QString name = QApplication::applicationDisplayName();
    if (!name.isEmpty())
        return name;
    return parent ? parent->window()->windowTitle() : QString();
}

} // namespace

void WidgetPrompts::information(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Information, boxTitle(parent), text, QMessageBox::Ok, parent);
    box.exec();
}

void WidgetPrompts::warning(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, boxTitle(parent), text, QMessageBox::Ok, parent);
    box.exec();
}

UserPrompts::Answer WidgetPrompts::question(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, boxTitle(parent), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void WidgetPrompts::notice(QWidget *parent, Notice kind, const QString &text, const QString &detail)
{
    QPointer<QMessageBox> &open = m_notices[int(kind)];
    if (open && open->isVisible())
        return;
    auto *box =
        new QMessageBox(kind == Notice::ComOpeningError ? QMessageBox::Warning : QMessageBox::Information,
                        boxTitle(parent), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (!detail.isEmpty())
        box->setInformativeText(detail);
    // A command in the detail can be copied from the box.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    open = box;
    // open() returns at once: the timer keeps ticking beneath the box.
    box->open();
}

namespace {

// A file dialog that starts on fileName (when it names one) and returns the file chosen,
// or nothing when cancelled.
QString runFileDialog(QWidget *parent, const QString &fileName, const QString &filter, const QString &defaultSuffix,
                      QFileDialog::AcceptMode acceptMode, QFileDialog::FileMode fileMode)
{
    QFileDialog dialog(parent, QString(), fileName, filter);
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(fileMode);
    dialog.setDefaultSuffix(defaultSuffix);
    if (!fileName.trimmed().isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString WidgetPrompts::getOpenFileName(QWidget *parent, const QString &fileName, const QString &filter,
                                       const QString &defaultSuffix)
{
    return runFileDialog(parent, fileName, filter, defaultSuffix, QFileDialog::AcceptOpen, QFileDialog::ExistingFile);
}

QString WidgetPrompts::getSaveFileName(QWidget *parent, const QString &fileName, const QString &filter,
                                       const QString &defaultSuffix)
{
    // The dialog asks before an existing file is overwritten (QFileDialog's default).
    return runFileDialog(parent, fileName, filter, defaultSuffix, QFileDialog::AcceptSave, QFileDialog::AnyFile);
}
