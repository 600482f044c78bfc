#include "ParameterEditor.h"

#include "AdvanceShift.h"

bool ParameterEditor::take(const IgnitionParameters &edited)
{
    m_set = edited;
    NormaliseParameters(m_set, m_session);
    const bool changed = m_undo.RecordChange(m_set);
    shown();
    return changed;
}

void ParameterEditor::shown()
{
    if (setChanged)
        setChanged();
}

bool ParameterEditor::Apply(const IgnitionParameters &edited, bool programAfterChange)
{
    const bool changed = take(edited);
    if (programAfterChange) {
        if ((changed || m_armed) && programNow)
            programNow();
        m_armed = true;
    } else {
        m_armed = false;
    }
    return changed;
}

bool ParameterEditor::TakeUnitSet(const IgnitionParameters &unitSet)
{
    return take(unitSet);
}

bool ParameterEditor::ShiftAdvance(int delta, bool allPoints, int currentCurvePoint, bool noCurvePoint,
                                   bool programAfterChange)
{
    IgnitionParameters shifted = m_set;
    NormaliseParameters(shifted, m_session);
    ::ShiftAdvance(shifted, delta, allPoints, currentCurvePoint, noCurvePoint);
    return Apply(shifted, programAfterChange);
}

bool ParameterEditor::Undo(bool programAfterChange)
{
    return stepped(m_undo.Undo(m_set), programAfterChange);
}

bool ParameterEditor::Redo(bool programAfterChange)
{
    return stepped(m_undo.Redo(m_set), programAfterChange);
}

bool ParameterEditor::stepped(bool moved, bool programAfterChange)
{
    if (!moved)
        return false;
    shown();
    if (programAfterChange && programNow)
        programNow();
    return true;
}

void ParameterEditor::Reset()
{
    m_undo.ResetUndoHistory(m_set);
}
