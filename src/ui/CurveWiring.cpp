#include "CurveWiring.h"

#include "AddedTexts.h"
#include "CurveGraphMapping.h"
#include "LiveValues.h"
#include "MouseUpCheckBox.h"
#include "SteadyClock.h"
#include "TFormCurve.h"
#include "TFormHlav.h"
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

namespace {

bool onSomeScreen(const QRect &place)
{
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(place))
            return true;
    }
    return false;
}

} // namespace

CurveWiring::CurveWiring(TFormHlav &form)
    : QObject(&form), m_form(form), m_language(form.Session.LanguageIndex),
      // The same folder the printout writes its PDF into.
      m_recordingFolder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
{
    m_menuCurve = new QAction(&form);
    m_menuCurve->setObjectName(QStringLiteral("MenuCurve"));
    m_menuCurve->setShortcut(QKeySequence(Qt::Key_F11));
    m_menuRecord = new QAction(&form);
    m_menuRecord->setObjectName(QStringLiteral("MenuRecord"));
    m_menuRecord->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_menuRecord->setCheckable(true);
    for (QAction *item : {m_menuCurve, m_menuRecord}) {
        item->setShortcutContext(Qt::WindowShortcut);
        form.MenuTools->addAction(item);
    }
    connect(m_menuCurve, &QAction::triggered, this, &CurveWiring::showCurve);
    // triggered has already toggled the check mark; the recorder's state decides it.
    connect(m_menuRecord, &QAction::triggered, this, &CurveWiring::toggleRecording);

    m_status = new QLabel(form.StatusBar1);
    m_status->setObjectName(QStringLiteral("StatusRecording"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->hide();
    form.StatusBar1->addPermanentWidget(m_status);

    connect(&form.link(), &LinkDriver::liveFrameReceived, this, &CurveWiring::liveFrameReceived);
    connect(&form, &TFormHlav::languageChanged, this, &CurveWiring::setLanguage);
    setLanguage(m_language);
}

TFormCurve *CurveWiring::window() const
{
    return m_curve.data();
}

void CurveWiring::setLanguage(quint8 language)
{
    m_language = language;
    m_menuCurve->setText(AddedTextFor(AddedText::CurveMenu, language));
    m_form.SetHint(m_menuCurve, AddedTextFor(AddedText::CurveMenuHint, language));
    m_menuRecord->setText(AddedTextFor(AddedText::RecordMenu, language));
    m_form.SetHint(m_menuRecord, AddedTextFor(AddedText::RecordMenuHint, language));
    if (m_curve) {
        m_curve->setTexts({AddedTextFor(AddedText::CurveMenu, language),
                           AddedTextFor(AddedText::CurveRpmAxis, language),
                           AddedTextFor(AddedText::CurveAdvanceAxis, language),
                           AddedTextFor(AddedText::CurveLimiter, language)});
    }
    showRecordingState();
}

// ---------------------------------------------------------------------------------
// Curve window

void CurveWiring::showCurve()
{
    if (!m_curve) {
        m_curve = new TFormCurve(&m_form);
        m_curve->pointEdited = [this](int index, int rpm, int advanceDeg) { pointEdited(index, rpm, advanceDeg); };
        // The window's own commands and undo work from the graph too.
        for (QAction *item : {m_menuCurve, m_menuRecord, m_form.MenuZpet, m_form.MenuZnovu})
            m_curve->addAction(item);
        setLanguage(m_language);
        if (m_place.isValid() && onSomeScreen(m_place)) {
            // Held to the screen it is on: a size or place from another desktop, or
            // written by hand, would give a window too large to handle or out of reach.
            const QRect place = WindowFit::restoreWindow(m_place, m_curve->size());
            m_curve->move(place.topLeft());
            m_curve->resize(place.size().expandedTo(m_curve->minimumSizeHint()));
        } else {
            // Beside the main window where the screen has room, else as far right as it
            // goes while staying whole on the screen.
            const QRect main = m_form.frameGeometry();
            QPoint place(main.right() + 8, main.top());
            if (const QScreen *screen = m_form.screen()) {
                const QRect area = screen->availableGeometry();
                const QSize size = m_curve->frameGeometry().size();
                place.setX(std::max(area.left(), std::min(place.x(), area.right() + 1 - size.width())));
                place.setY(std::max(area.top(), std::min(place.y(), area.bottom() + 1 - size.height())));
            }
            m_curve->move(place);
        }
    }
    // A trail from before the window was last hidden would show old places.
    m_curve->showNoLive();
    m_curve->show();
    showState();
    m_curve->raise();
    m_curve->activateWindow();
}

QRect CurveWiring::placeToSave() const
{
    if (m_curve)
        return WindowFit::placeToSave(m_curve, m_place);
    return m_place;
}

void CurveWiring::showState()
{
    if (!m_curve || !m_curve->isVisible())
        return;
    LinkDriver &link = m_form.link();
    m_curve->showSet(m_form.Parameters, link.CurrentCurvePoint, link.NoCurvePoint);
    if (link.LabelSpojeniVisible)
        m_curve->showNoLive();
}

// A point moved on the graph is an edit as typing its two values is: held to the edits'
// ranges, normalised, one undo step, programmed after the change when that is on.
void CurveWiring::pointEdited(int index, int rpm, int advanceDeg)
{
    if (index < 0 || index >= CurvePoints)
        return;
    m_form.Editor.Apply(WithPointMoved(m_form.Parameters, index, rpm, advanceDeg),
                        m_form.CheckBoxProgHned->isChecked());
}

// ---------------------------------------------------------------------------------
// Recording

void CurveWiring::toggleRecording()
{
    if (m_recorder.isRecording()) {
        m_recorder.stop();
    } else if (!m_recorder.startInFolder(m_recordingFolder, QDateTime::currentDateTime())) {
        showRecordingState();
        m_form.prompts().information(
            &m_form, AddedTextFor(AddedText::RecordingNotStarted, m_language)
                         .arg(m_recorder.errorString(), QDir::toNativeSeparators(m_recorder.filePath())));
        return;
    }
    showRecordingState();
}

void CurveWiring::liveFrameReceived(const UnitFrame &frame)
{
    const LiveValues values = DecodeLiveFrame(frame);
    if (m_curve && m_curve->isVisible())
        m_curve->showLive(values.rpm, values.advance, SteadyClockMs());
    if (!m_recorder.isRecording())
        return;
    const bool written = m_recorder.addRow(values);
    showRecordingState();
    if (!written) {
        // Shown after the tick that found it, so the ticks go on beneath the box.
        const QString text = AddedTextFor(AddedText::RecordingStopped, m_language)
                                 .arg(m_recorder.errorString(), QDir::toNativeSeparators(m_recorder.filePath()));
        QTimer::singleShot(0, this, [this, text] { m_form.prompts().information(&m_form, text); });
    }
}

void CurveWiring::showRecordingState()
{
    const bool recording = m_recorder.isRecording();
    m_menuRecord->setChecked(recording);
    if (recording) {
        m_status->setText(AddedTextFor(AddedText::RecordingStatus, m_language)
                              .arg(m_recorder.rows())
                              .arg(QFileInfo(m_recorder.filePath()).fileName()));
    }
    m_status->setVisible(recording);
}

void CurveWiring::closeAll()
{
    m_recorder.stop();
    if (m_curve)
        m_curve->close();
}
