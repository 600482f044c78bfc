#pragma once

#include "Recording.h"

#include <vector>

// How many rows fell into each cell of engine speed against advance: 100 rpm by one
// degree, as the curve editor steps. Speeds past the last cell count in it.
class RecordingVisits
{
public:
    static constexpr int RpmStep = 100;
    static constexpr int RpmCells = 201;    // 0 .. 20100 rpm, the top of the curve's range
    static constexpr int AdvanceCells = 61; // 0 .. 60 degrees

    RecordingVisits() = default;
    explicit RecordingVisits(const Recording &recording);

    bool isEmpty() const { return m_most == 0; }
    quint32 at(int rpmCell, int advanceCell) const
    {
        return m_counts[size_t(rpmCell) * AdvanceCells + size_t(advanceCell)];
    }
    // The count of the most visited cell.
    quint32 most() const { return m_most; }

private:
    std::vector<quint32> m_counts;
    quint32 m_most = 0;
};
