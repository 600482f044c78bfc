#pragma once

#include "IgnitionParameters.h"
#include "UndoHistory.h"

#include <functional>

// The edit pipeline, without controls: every editor (the window's edits, the curve
// window, the shift keys, taking the unit's set, undo and redo) hands it a whole new
// set. It normalises the set, records one undo step when the set changed, and decides
// whether the change goes to the unit at once. The window shows the set when told and
// lets the link start the program.
class ParameterEditor
{
public:
    ParameterEditor(IgnitionParameters &set, SessionSettings &session, UndoHistory &undo)
        : m_set(set), m_session(session), m_undo(undo)
    {
    }

    // After every set the editor has taken: show it and the undo state.
    std::function<void()> setChanged;
    // The set is to go to the unit now (programming after change).
    std::function<void()> programNow;

    // An edit: normalised, recorded when it differs from the last step, and programmed
    // when programAfterChange is on and the set changed, or an edit came before with
    // it on (ticking the box arms it; the next edit sends, changed or not). Returns
    // whether an undo step was recorded.
    bool Apply(const IgnitionParameters &edited, bool programAfterChange);
    // The unit's own set taken in as one undo step; nothing is sent, the unit holds it.
    bool TakeUnitSet(const IgnitionParameters &unitSet);
    // The advance moved by one degree (delta -1 or +1) at every point or at the
    // current one, as an edit.
    bool ShiftAdvance(int delta, bool allPoints, int currentCurvePoint, bool noCurvePoint,
                      bool programAfterChange);
    // One step back or forward, programmed when programAfterChange is on; false at the
    // end of the history.
    bool Undo(bool programAfterChange);
    bool Redo(bool programAfterChange);
    // The set as it stands becomes the history's only step.
    void Reset();

    bool ProgramAfterChangeArmed() const { return m_armed; }

private:
    bool take(const IgnitionParameters &edited);
    // After a step of the history: shown, and programmed when programAfterChange is on.
    bool stepped(bool moved, bool programAfterChange);
    void shown();

    IgnitionParameters &m_set;
    SessionSettings &m_session;
    UndoHistory &m_undo;
    bool m_armed = false;
};
