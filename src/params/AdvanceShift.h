#pragma once

#include "IgnitionParameters.h"

// Moves the advance by one degree (delta -1 or +1) at every point, or only at the
// current curve point; values at a limit stay. Nothing is shifted when there is no
// current point and not every point is asked for.
void ShiftAdvance(IgnitionParameters &set, int delta, bool allPoints, int currentCurvePoint, bool noCurvePoint);
