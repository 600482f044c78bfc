#include "RecordingVisits.h"

#include <algorithm>

RecordingVisits::RecordingVisits(const Recording &r) : m_counts(size_t(RpmCells) * AdvanceCells, 0)
{
    for (qsizetype i = 0; i < r.rows(); ++i) {
        const int rpmCell = std::min(int(r.rpm[size_t(i)]) / RpmStep, RpmCells - 1);
        const int advanceCell = std::min(int(r.advance[size_t(i)]), AdvanceCells - 1);
        quint32 &count = m_counts[size_t(rpmCell) * AdvanceCells + size_t(advanceCell)];
        ++count;
        m_most = std::max(m_most, count);
    }
}
