// Recordings of live values opened to be looked at, as the main window wires them: two
// items at the end of the Tools menu, a .csv named on the command line or dropped on the
// window, and the curve window that shows where a recording's engine ran.

#include "TFormHlav.h"

#include "CurveWiring.h"
#include "RecordingWindows.h"
#include "TFormCurve.h"

void TFormHlav::BuildRecordings()
{
    Recordings = new RecordingWindows(this, *m_prompts, [this](bool show) -> TFormCurve * {
        if (!Curve)
            return nullptr;
        if (show)
            Curve->showCurve();
        TFormCurve *curve = Curve->window();
        return curve && curve->isVisible() ? curve : nullptr;
    });
}

void TFormHlav::OpenFileOfItsKind(const QString &path)
{
    if (RecordingWindows::IsRecordingFile(path))
        Recordings->open(path);
    else
        OpenChosenFile(path);
}
