#pragma once

#include "LiveRecorder.h"
#include "UnitFrame.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class QAction;
class QLabel;
class TFormCurve;
class TFormHlav;

// The curve window and the recording of live values, as the main window offers them:
// two items in the Tools menu, the graph fed from the set and the link, a moved point
// applied through the edit pipeline, and the recorder fed with every live frame.
class CurveWiring : public QObject
{
    Q_OBJECT

public:
    explicit CurveWiring(TFormHlav &form);

    // F11: the curve window, made on the first call, shown and raised.
    void showCurve();
    // Ctrl+R: a recording started in the recording folder, or the one running stopped.
    void toggleRecording();
    // The set and the live state into the curve window, when it is open.
    void showState();
    void setLanguage(quint8 language);
    void closeAll();

    TFormCurve *window() const;
    LiveRecorder &recorder() { return m_recorder; }
    void setRecordingFolder(const QString &folder) { m_recordingFolder = folder; }
    // The place from the settings; empty until known.
    void setPlace(const QRect &place) { m_place = place; }
    // The place of the frame and the size of the inside: what move() and resize() take.
    QRect placeToSave() const;

private:
    void pointEdited(int index, int rpm, int advanceDeg);
    void liveFrameReceived(const UnitFrame &frame);
    void showRecordingState();

    TFormHlav &m_form;
    quint8 m_language = 0;
    QAction *m_menuCurve = nullptr;
    QAction *m_menuRecord = nullptr;
    QLabel *m_status = nullptr;
    QPointer<TFormCurve> m_curve; // made on the first F11
    LiveRecorder m_recorder;
    QString m_recordingFolder; // the documents folder
    QRect m_place;
};
