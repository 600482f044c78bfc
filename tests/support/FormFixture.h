#pragma once

#include "FakeUnitPort.h"
#include "FileNameLabel.h"
#include "MouseUpCheckBox.h"
#include "TFormHlav.h"
#include "UpDownButton.h"
#include "UserPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Message boxes and file dialogs answered from a script, every request recorded.
class ScriptedPrompts : public UserPrompts
{
public:
    struct NoticeShown
    {
        Notice kind;
        QString text;
        QString detail;
    };

    QList<Answer> answers; // taken in order; Cancel when the script has run out
    QStringList questions;
    QStringList informations; // every box with an OK button, warnings included
    QStringList warnings;     // those shown with a warning icon
    QList<NoticeShown> notices;

    void information(QWidget *, const QString &text) override { informations.append(text); }
    void warning(QWidget *, const QString &text) override
    {
        informations.append(text);
        warnings.append(text);
    }
    Answer question(QWidget *, const QString &text) override
    {
        questions.append(text);
        return answers.isEmpty() ? Answer::Cancel : answers.takeFirst();
    }
    void notice(QWidget *, Notice kind, const QString &text, const QString &detail) override
    {
        notices.append({kind, text, detail});
    }
    // A file dialog as it was asked for: the file proposed, the filter, the default suffix.
    struct FileDialogShown
    {
        QString fileName;
        QString filter;
        QString defaultSuffix;
    };
    QStringList openFileNames; // chosen in order; cancelled when the script has run out
    QStringList saveFileNames;
    QList<FileDialogShown> openDialogs;
    QList<FileDialogShown> saveDialogs;

    QString getOpenFileName(QWidget *, const QString &fileName, const QString &filter,
                            const QString &defaultSuffix) override
    {
        openDialogs.append({fileName, filter, defaultSuffix});
        return openFileNames.isEmpty() ? QString() : openFileNames.takeFirst();
    }
    QString getSaveFileName(QWidget *, const QString &fileName, const QString &filter,
                            const QString &defaultSuffix) override
    {
        saveDialogs.append({fileName, filter, defaultSuffix});
        return saveFileNames.isEmpty() ? QString() : saveFileNames.takeFirst();
    }
};

// One main window on a given port provider, shown and active, with the timer stopped:
// the tests drive its controls and call its tick themselves. Nothing is read from or
// written to the user's settings, unless useSettingsFiles is given (then the test points
// XDG_CONFIG_HOME at a temporary folder first).
class FormFixture
{
public:
    // Backups go to a temporary folder of the fixture unless backupFolder names one.
    explicit FormFixture(UnitPortProvider &ports, QStringList arguments = {}, bool useSettingsFiles = false,
                         QString fileToOpen = {}, const QString &backupFolder = QString())
    {
        FormSetup setup;
        setup.backupFolder = backupFolder.isEmpty() ? backupDir.filePath(QStringLiteral("backups")) : backupFolder;
        setup.ports = &ports;
        setup.prompts = &prompts;
        setup.arguments = std::move(arguments);
        setup.useSettingsFiles = useSettingsFiles;
        setup.fileToOpen = std::move(fileToOpen);
        setup.runTimer = false;
        form = std::make_unique<TFormHlav>(setup);
        form->show();
        QApplication::setActiveWindow(form.get());
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("window did not become active");
    }
    ~FormFixture()
    {
        if (form)
            form->close();
    }

    template <typename T = QWidget> T *find(const char *name) const
    {
        T *child = form->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }
    QLineEdit *edit(const char *name) const { return find<QLineEdit>(name); }
    UpDownButton *upDown(const char *name) const { return find<UpDownButton>(name); }

    // Types text into an edit as the user does (focus, select all, keys) and leaves it
    // for another control, which runs the edit's focus-leaving event.
    void typeAndLeave(const char *name, const QString &text, const char *leaveTo = "ComboBoxBike")
    {
        QLineEdit *target = edit(name);
        target->setFocus(Qt::MouseFocusReason);
        target->selectAll();
        QTest::keyClicks(target, text);
        find<QWidget>(leaveTo)->setFocus(Qt::MouseFocusReason);
    }
    // A click on the upper (+1) or lower (-1) arrow of an up-down.
    void clickArrow(const char *name, int direction)
    {
        UpDownButton *button = upDown(name);
        const QPoint at(button->width() / 2, direction > 0 ? button->height() / 4 : button->height() * 3 / 4);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
    }
    // Picks a row of the vehicle list through its open list, as the user does.
    void pickVehicle(int row)
    {
        auto *combo = find<QComboBox>("ComboBoxBike");
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        if (!QTest::qWaitForWindowExposed(view->window()))
            qWarning("vehicle list did not open");
        const QRect rect = view->visualRect(combo->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QTRY_VERIFY(!view->window()->isVisible());
    }
    void setCurve(std::initializer_list<int> rpmHundreds)
    {
        int i = 0;
        for (int value : rpmHundreds)
            form->Parameters.RPM_ADV(i++) = quint8(value);
        form->ShowParametersInControls();
    }

    QTemporaryDir backupDir;
    ScriptedPrompts prompts;
    std::unique_ptr<TFormHlav> form;
};

// Numbers in the edits are grouped the way the test expects them.
inline void useEnglishNumbers()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// Whether a test reads numbers grouped as in English or as the system writes them.
enum class NumberFormat
{
    English,
    System,
};

// The main window of one test function on ports of its own. start() makes the ports (when
// there are none yet) and a window on them, in place of the one before; reset(), in the
// test's cleanup, ends the window and then the ports, so the next test starts afresh.
template <typename Ports = FakeUnitPortProvider> class TestWindow
{
public:
    explicit TestWindow(NumberFormat numbers = NumberFormat::English)
    {
        if (numbers == NumberFormat::English)
            useEnglishNumbers();
    }
    virtual ~TestWindow() { reset(); }
    TestWindow(const TestWindow &) = delete;
    TestWindow &operator=(const TestWindow &) = delete;

    // Takes what FormFixture takes after the ports.
    template <typename... Options> FormFixture &start(Options &&...options)
    {
        m_fixture.reset();
        m_fixture = std::make_unique<FormFixture>(ports(), std::forward<Options>(options)...);
        return *m_fixture;
    }
    // Only the window goes; the ports stay for the next start.
    void close() { m_fixture.reset(); }
    void reset()
    {
        m_fixture.reset();
        m_ports.reset();
    }

    Ports &ports()
    {
        if (!m_ports) {
            m_ports = std::make_unique<Ports>();
            portsMade(*m_ports);
        }
        return *m_ports;
    }
    FormFixture &fixture() const { return *m_fixture; }
    FormFixture *operator->() const { return m_fixture.get(); }
    TFormHlav *form() const { return m_fixture->form.get(); }

protected:
    // Scripts fresh ports before a window opens them.
    virtual void portsMade(Ports &) {}

private:
    std::unique_ptr<Ports> m_ports;
    std::unique_ptr<FormFixture> m_fixture;
};

// How many pixels of an image have exactly this colour.
inline int pixelsOf(const QImage &image, const QColor &colour)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb wanted = colour.rgb();
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            count += (line[x] | 0xff000000u) == wanted ? 1 : 0;
    }
    return count;
}
