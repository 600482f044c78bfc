#pragma once

#include <QtGlobal>

#include <algorithm>
#include <array>

// Plays a recording back in its own time: the position moves by the wall time that
// passed times the speed, and stops at the end. It only computes a position; whoever
// drives it shows the rows there. Nothing here reaches the link or the unit.
class RecordingPlayback
{
public:
    static constexpr std::array<int, 4> Speeds{1, 2, 5, 10};

    // The times of the first and the last row; the position is held inside them.
    void setRange(qint64 startMs, qint64 endMs);
    // Starts from the position; from the start again when it stands at the end.
    void play();
    void pause() { m_playing = false; }
    bool playing() const { return m_playing; }
    void setSpeed(int factor) { m_speed = std::max(1, factor); }
    int speed() const { return m_speed; }
    // A moment chosen by the user (the cursor), kept while playing.
    void setPosition(qint64 ms);
    qint64 position() const { return m_position; }
    // wallMs of real time went by; returns the new position. At the end, playing stops.
    qint64 advance(qint64 wallMs);

private:
    qint64 m_start = 0;
    qint64 m_end = 0;
    qint64 m_position = 0;
    int m_speed = 1;
    bool m_playing = false;
};
