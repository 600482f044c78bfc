// The curve window and the recording of live values, as the main window wires them:
// two items in the Tools menu, the graph fed from the set and the link, a moved point
// run through the editor, and the recorder fed with every live frame.

#include "TFormHlav.h"

#include "AddedTexts.h"
#include "CurveGraphMapping.h"
#include "MouseUpCheckBox.h"
#include "RecordingWindows.h"
#include "TFormCurve.h"
#include "UserPrompts.h"
#include "WindowFit.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace {

qint64 steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool onSomeScreen(const QRect &place)
{
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(place))
            return true;
    }
    return false;
}

} // namespace

void TFormHlav::BuildCurveAndRecording()
{
    // The same folder the printout writes its PDF into.
    RecordingFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);

    MenuCurve = new QAction(this);
    MenuCurve->setObjectName(QStringLiteral("MenuCurve"));
    MenuCurve->setShortcut(QKeySequence(Qt::Key_F11));
    MenuRecord = new QAction(this);
    MenuRecord->setObjectName(QStringLiteral("MenuRecord"));
    MenuRecord->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    MenuRecord->setCheckable(true);
    for (QAction *item : {MenuCurve, MenuRecord}) {
        item->setShortcutContext(Qt::WindowShortcut);
        MenuTools->addAction(item);
    }
    connect(MenuCurve, &QAction::triggered, this, &TFormHlav::MenuCurveClick);
    // triggered has already toggled the check mark; the recorder's state decides it.
    connect(MenuRecord, &QAction::triggered, this, &TFormHlav::MenuRecordClick);

    StatusRecording = new QLabel(StatusBar1);
    StatusRecording->setObjectName(QStringLiteral("StatusRecording"));
    StatusRecording->setTextFormat(Qt::PlainText);
    StatusRecording->hide();
    StatusBar1->addPermanentWidget(StatusRecording);

    connect(m_link.get(), &LinkDriver::liveFrameReceived, this, &TFormHlav::LiveFrameReceived);
    connect(this, &TFormHlav::languageChanged, this, &TFormHlav::ApplyCurveTexts);
    ApplyCurveTexts();
}

void TFormHlav::ApplyCurveTexts()
{
    const quint8 language = Session.LanguageIndex;
    MenuCurve->setText(AddedTextFor(AddedText::CurveMenu, language));
    SetHint(MenuCurve, AddedTextFor(AddedText::CurveMenuHint, language));
    MenuRecord->setText(AddedTextFor(AddedText::RecordMenu, language));
    SetHint(MenuRecord, AddedTextFor(AddedText::RecordMenuHint, language));
    if (FormCurve) {
        FormCurve->setTexts({AddedTextFor(AddedText::CurveMenu, language),
                             AddedTextFor(AddedText::CurveRpmAxis, language),
                             AddedTextFor(AddedText::CurveAdvanceAxis, language),
                             AddedTextFor(AddedText::CurveLimiter, language)});
    }
    ShowRecordingState();
    Recordings->setLanguage(language);
}

// ---------------------------------------------------------------------------------
// Curve window

void TFormHlav::MenuCurveClick()
{
    if (!FormCurve) {
        FormCurve = new TFormCurve(this);
        FormCurve->pointEdited = [this](int index, int rpm, int advanceDeg) {
            CurvePointEdited(index, rpm, advanceDeg);
        };
        // The window's own commands and undo work from the graph too.
        for (QAction *item : {MenuCurve, MenuRecord, MenuZpet, MenuZnovu})
            FormCurve->addAction(item);
        ApplyCurveTexts();
        if (CurveWindowPlace.isValid() && onSomeScreen(CurveWindowPlace)) {
            // Held to the screen it is on: a size or place from another desktop, or
            // written by hand, would give a window too large to handle or out of reach.
            const QRect place = WindowFit::restoreWindow(CurveWindowPlace, FormCurve->size());
            FormCurve->move(place.topLeft());
            FormCurve->resize(place.size().expandedTo(FormCurve->minimumSizeHint()));
        } else {
            // Beside the main window where the screen has room, else as far right as it
            // goes while staying whole on the screen.
            const QRect main = frameGeometry();
            QPoint place(main.right() + 8, main.top());
            if (const QScreen *screen = this->screen()) {
                const QRect area = screen->availableGeometry();
                const QSize size = FormCurve->frameGeometry().size();
                place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - size.width())));
                place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - size.height())));
            }
            FormCurve->move(place);
        }
    }
    // A trail from before the window was last hidden would show old places.
    FormCurve->showNoLive();
    FormCurve->show();
    ShowCurveState();
    FormCurve->raise();
    FormCurve->activateWindow();
}

QRect TFormHlav::CurveWindowPlaceNow() const
{
    // The place of the frame and the size of the inside: what move() and resize() take.
    if (FormCurve)
        return WindowFit::placeToSave(FormCurve, CurveWindowPlace);
    return CurveWindowPlace;
}

void TFormHlav::ShowCurveState()
{
    if (!FormCurve || !FormCurve->isVisible())
        return;
    FormCurve->showSet(Parameters, m_link->CurrentCurvePoint, m_link->NoCurvePoint);
    if (m_link->LabelSpojeniVisible)
        FormCurve->showNoLive();
}

// A point moved on the graph is an edit as typing its two values is: held to the edits'
// ranges, normalised, one undo step, programmed after the change when that is on.
void TFormHlav::CurvePointEdited(int index, int rpm, int advanceDeg)
{
    if (index < 0 || index >= CurvePoints)
        return;
    Editor.Apply(WithPointMoved(Parameters, index, rpm, advanceDeg), CheckBoxProgHned->isChecked());
}

// ---------------------------------------------------------------------------------
// Recording

void TFormHlav::MenuRecordClick()
{
    if (Recorder.isRecording()) {
        Recorder.stop();
    } else if (!Recorder.startInFolder(RecordingFolder, QDateTime::currentDateTime())) {
        ShowRecordingState();
        m_prompts->information(
            this, AddedTextFor(AddedText::RecordingNotStarted, Session.LanguageIndex)
                      .arg(Recorder.errorString(), QDir::toNativeSeparators(Recorder.filePath())));
        return;
    }
    ShowRecordingState();
}

void TFormHlav::LiveFrameReceived(const UnitFrame &frame)
{
    const LiveValues values = DecodeLiveFrame(frame);
    if (FormCurve && FormCurve->isVisible())
        FormCurve->showLive(values.rpm, values.advance, steadyMs());
    if (!Recorder.isRecording())
        return;
    const bool written = Recorder.addRow(values);
    ShowRecordingState();
    if (!written) {
        // Shown after the tick that found it, so the ticks go on beneath the box.
        const QString text = AddedTextFor(AddedText::RecordingStopped, Session.LanguageIndex)
                                 .arg(Recorder.errorString(), QDir::toNativeSeparators(Recorder.filePath()));
        QTimer::singleShot(0, this, [this, text] { m_prompts->information(this, text); });
    }
}

void TFormHlav::ShowRecordingState()
{
    const bool recording = Recorder.isRecording();
    MenuRecord->setChecked(recording);
    if (recording) {
        StatusRecording->setText(AddedTextFor(AddedText::RecordingStatus, Session.LanguageIndex)
                                     .arg(Recorder.rows())
                                     .arg(QFileInfo(Recorder.filePath()).fileName()));
    }
    StatusRecording->setVisible(recording);
}

void TFormHlav::CloseCurveAndRecording()
{
    Recorder.stop();
    Recordings->closeAll();
    if (FormCurve)
        FormCurve->close();
}
