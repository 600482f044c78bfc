#include "TFormRecording.h"

#include "AddedTexts.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TFormRecording::TFormRecording(const QString &path, RecordingRead read, QWidget *parent)
    : QWidget(parent, Qt::Window), m_path(path),
      m_recording(std::make_shared<const Recording>(std::move(read.recording))),
      m_visits(std::make_shared<const RecordingVisits>(*m_recording)), m_problemRead(read.problem),
      m_cutOff(read.cutOff)
{
    setObjectName(QStringLiteral("FormRecording"));
    setAttribute(Qt::WA_DeleteOnClose);
    // As a document window is titled.
    setWindowTitle(QFileInfo(path).fileName());
    setWindowFilePath(path);
    resize(900, 560);

    m_problemLabel = new QLabel(this);
    m_problemLabel->setObjectName(QStringLiteral("LabelRecordingProblem"));
    m_problemLabel->setTextFormat(Qt::PlainText);
    m_problemLabel->setWordWrap(true);
    m_problemLabel->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
    m_play = new QPushButton(this);
    m_play->setObjectName(QStringLiteral("ButtonPlay"));
    m_speedLabel = new QLabel(this);
    m_speed = new QComboBox(this);
    m_speed->setObjectName(QStringLiteral("ComboSpeed"));
    for (int factor : RecordingPlayback::Speeds)
        m_speed->addItem(QStringLiteral("%1x").arg(factor), factor);
    m_speedLabel->setBuddy(m_speed);
    m_whole = new QPushButton(this);
    m_whole->setObjectName(QStringLiteral("ButtonWhole"));
    m_readout = new QLabel(this);
    m_readout->setObjectName(QStringLiteral("LabelCursor"));
    m_readout->setTextFormat(Qt::PlainText);
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_graph = new RecordingGraph(this);
    m_graph->setRecording(m_recording);
    m_graph->setAccessibleName(QFileInfo(path).fileName());
    // A click on a control leaves the keys with the graph, where the cursor moves.
    for (QWidget *control : std::initializer_list<QWidget *>{m_play, m_speed, m_whole})
        control->setFocusPolicy(Qt::TabFocus);

    auto *controls = new QHBoxLayout;
    controls->addWidget(m_play);
    controls->addWidget(m_speedLabel);
    controls->addWidget(m_speed);
    controls->addWidget(m_whole);
    controls->addSpacing(12);
    controls->addWidget(m_readout, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_problemLabel);
    layout->addLayout(controls);
    layout->addWidget(m_graph, 1);

    m_timer = new QTimer(this);
    m_timer->setInterval(PlaybackTickMs);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, &TFormRecording::playbackTick);
    connect(m_play, &QPushButton::clicked, this, &TFormRecording::playClicked);
    connect(m_speed, &QComboBox::currentIndexChanged, this,
            [this] { m_playback.setSpeed(m_speed->currentData().toInt()); });
    connect(m_whole, &QPushButton::clicked, m_graph, &RecordingGraph::showWhole);
    connect(m_graph, &RecordingGraph::cursorChanged, this, &TFormRecording::cursorChanged);
    connect(m_graph, &RecordingGraph::cursorMovedByUser, this,
            [this](qint64 ms) { m_playback.setPosition(ms); });

    const Recording &r = *m_recording;
    if (!r.isEmpty())
        m_playback.setRange(r.timeMs.front(), r.timeMs.back());
    m_playback.setPosition(m_graph->cursorMs());
    m_play->setEnabled(r.rows() > 1);
    setLanguage(0);
    m_graph->setFocus();
}

void TFormRecording::setLanguage(quint8 language)
{
    m_language = language;
    const auto text = [language](AddedText id) { return AddedTextFor(id, language); };
    m_graph->setTexts({text(AddedText::RecordingTimeAxis),
                       text(AddedText::CurveRpmAxis),
                       text(AddedText::CurveAdvanceAxis),
                       text(AddedText::RecordingVoltage),
                       {text(AddedText::RecordingBlocking), text(AddedText::RecordingNeutral),
                        text(AddedText::RecordingSideStand), text(AddedText::RecordingPickup1),
                        text(AddedText::RecordingPickup2)}});
    m_speedLabel->setText(text(AddedText::RecordingSpeed));
    m_whole->setText(text(AddedText::RecordingWhole));
    m_whole->setToolTip(QStringLiteral("0"));
    const QString problem = RecordingReadMessage(m_problemRead, m_cutOff, m_recording->rows(),
                                                 QFileInfo(m_path).fileName(), language);
    m_problemLabel->setText(problem);
    m_problemLabel->setVisible(!problem.isEmpty());
    showPlayState();
    cursorChanged(m_graph->cursorMs());
}

void TFormRecording::cursorChanged(qint64 ms)
{
    const Recording &r = *m_recording;
    if (r.isEmpty()) {
        m_readout->clear();
        return;
    }
    const qsizetype row = r.rowAt(ms);
    const size_t i = size_t(row);
    QString text = AddedTextFor(AddedText::RecordingReadout, m_language)
                       .arg(QString::number(double(ms) / 1000.0, 'f', 3))
                       .arg(r.rpm[i])
                       .arg(r.advance[i])
                       .arg(QString::number(double(r.volts[i]), 'f', 1));
    static constexpr AddedText FlagNames[] = {AddedText::RecordingBlocking, AddedText::RecordingNeutral,
                                              AddedText::RecordingSideStand, AddedText::RecordingPickup1,
                                              AddedText::RecordingPickup2};
    for (int flag = 0; flag < Recording::FlagCount; ++flag) {
        if (r.flags[i] & (1u << flag))
            text += QStringLiteral(", ") + AddedTextFor(FlagNames[flag], m_language);
    }
    m_readout->setText(text);
    // A screen reader hears the values at the cursor as the graph's description.
    m_graph->setAccessibleDescription(text);
    if (rowShown)
        rowShown(this, row);
}

void TFormRecording::playClicked()
{
    if (m_playback.playing()) {
        m_playback.pause();
        m_timer->stop();
    } else {
        m_playback.setPosition(m_graph->cursorMs());
        m_playback.play();
        m_sinceTick.start();
        m_timer->start();
    }
    showPlayState();
}

void TFormRecording::playbackTick()
{
    // The wall time that really passed, so a late timer does not slow the ride down.
    const qint64 elapsed = m_sinceTick.restart();
    m_graph->setCursorMs(m_playback.advance(elapsed));
    if (!m_playback.playing()) {
        m_timer->stop();
        showPlayState();
    }
}

void TFormRecording::showPlayState()
{
    m_play->setText(AddedTextFor(m_playback.playing() ? AddedText::RecordingPause : AddedText::RecordingPlay,
                                 m_language));
}

void TFormRecording::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // The curve window shows the recording that was last in front.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        cursorChanged(m_graph->cursorMs());
}
