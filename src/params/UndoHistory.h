#pragma once

#include "IgnitionParameters.h"

// A fixed ring of whole copies of the set. Allocates nothing after construction;
// recording and restoring copy 55 bytes.
class UndoHistory
{
public:
    static constexpr int UndoCapacity = 200;

    // The history holds the given set as its only entry.
    void ResetUndoHistory(const IgnitionParameters &set);
    // Records the set when it differs from the current entry; reports whether it did.
    bool RecordChange(const IgnitionParameters &set);
    bool CanUndo() const { return UndoCurrent != UndoOldest; }
    bool CanRedo() const { return UndoCurrent != UndoNewest; }
    // Step back or forward and copy that entry into the set; false (set untouched)
    // at the end of the history.
    bool Undo(IgnitionParameters &set);
    bool Redo(IgnitionParameters &set);

    quint16 current() const { return UndoCurrent; }
    quint16 oldest() const { return UndoOldest; }
    quint16 newest() const { return UndoNewest; }

private:
    static quint16 forward(quint16 i) { return quint16(i + 1 == UndoCapacity ? 0 : i + 1); }
    static quint16 back(quint16 i) { return quint16(i == 0 ? UndoCapacity - 1 : i - 1); }

    std::array<ParameterImage, UndoCapacity> entries{};
    quint16 UndoCurrent = 0;
    quint16 UndoOldest = 0;
    quint16 UndoNewest = 0;
};
