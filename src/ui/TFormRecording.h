#pragma once

#include "Recording.h"
#include "RecordingGraph.h"
#include "RecordingPlayback.h"
#include "RecordingVisits.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

// One recording of live values in a window of its own, titled with its file name: the
// graph over time, a line that reads every value at the cursor, and playback at 1x to
// 10x that moves the cursor. What was wrong with the file stays in sight above the graph.
// The window reads nothing and sends nothing while it is open; it only shows the
// recording it was given.
class TFormRecording : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PlaybackTickMs = 40;

    TFormRecording(const QString &path, RecordingRead read, QWidget *parent = nullptr);

    void setLanguage(quint8 languageIndex);

    const QString &path() const { return m_path; }
    const Recording &recording() const { return *m_recording; }
    const std::shared_ptr<const RecordingVisits> &visits() const { return m_visits; }
    RecordingGraph *graph() const { return m_graph; }
    bool playing() const { return m_playback.playing(); }
    qint64 cursorMs() const { return m_graph->cursorMs(); }

    // The row at the cursor, whenever the cursor moves or the window comes to the front.
    std::function<void(TFormRecording *window, qsizetype row)> rowShown;

protected:
    void changeEvent(QEvent *event) override;

private:
    void cursorChanged(qint64 ms);
    void playClicked();
    void playbackTick();
    void showPlayState();

    QString m_path;
    std::shared_ptr<const Recording> m_recording;
    std::shared_ptr<const RecordingVisits> m_visits;
    RecordingProblem m_problemRead;
    bool m_cutOff = false;
    quint8 m_language = 0;
    RecordingPlayback m_playback;
    QElapsedTimer m_sinceTick;

    RecordingGraph *m_graph = nullptr;
    QLabel *m_problemLabel = nullptr;
    QLabel *m_readout = nullptr;
    QPushButton *m_play = nullptr;
    QLabel *m_speedLabel = nullptr;
    QComboBox *m_speed = nullptr;
    QPushButton *m_whole = nullptr;
    QTimer *m_timer = nullptr;
};
