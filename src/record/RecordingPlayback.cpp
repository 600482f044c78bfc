#include "RecordingPlayback.h"

#include <algorithm>

void RecordingPlayback::setRange(qint64 startMs, qint64 endMs)
{
    m_start = startMs;
    m_end = std::max(startMs, endMs);
    m_position = std::clamp(m_position, m_start, m_end);
}

void RecordingPlayback::play()
{
    if (m_position >= m_end)
        m_position = m_start;
    m_playing = m_end > m_start;
}

void RecordingPlayback::setPosition(qint64 ms)
{
    m_position = std::clamp(ms, m_start, m_end);
}

qint64 RecordingPlayback::advance(qint64 wallMs)
{
    if (!m_playing)
        return m_position;
    m_position = std::min(m_end, m_position + std::max<qint64>(0, wallMs) * m_speed);
    if (m_position >= m_end)
        m_playing = false;
    return m_position;
}
