#include "UndoHistory.h"

void UndoHistory::ResetUndoHistory(const IgnitionParameters &set)
{
    UndoOldest = UndoCurrent = UndoNewest = 0;
    entries[0] = set.image;
}

bool UndoHistory::RecordChange(const IgnitionParameters &set)
{
    if (entries[UndoCurrent] == set.image)
        return false;
    UndoCurrent = forward(UndoCurrent);
    UndoNewest = UndoCurrent;
    if (UndoOldest == UndoCurrent)
        UndoOldest = forward(UndoOldest);
    entries[UndoCurrent] = set.image;
    return true;
}

bool UndoHistory::Undo(IgnitionParameters &set)
{
    if (!CanUndo())
        return false;
    UndoCurrent = back(UndoCurrent);
    set.image = entries[UndoCurrent];
    return true;
}

bool UndoHistory::Redo(IgnitionParameters &set)
{
    if (!CanRedo())
        return false;
    UndoCurrent = forward(UndoCurrent);
    set.image = entries[UndoCurrent];
    return true;
}
