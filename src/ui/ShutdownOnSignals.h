#pragma once

#include <functional>

class QWidget;

// Ends the program as Exit does when the session ends, the terminal closes or Ctrl+C
// is pressed (see ShutdownSignals): boxes and dialogs still open are cancelled, the main
// window is closed, which writes the settings and the snapshot, and the event loop ends.
// Lives as long as window. While writeInFlight() says a write to the unit has sent its
// block and not yet been verified, the close waits for it, at most WriteWaitMs, so that
// the unit is not left holding a set nobody checked.
inline constexpr int WriteWaitMs = 2000;
void shutDownOnSignals(QWidget *window, std::function<bool()> writeInFlight = {});

// Set on the window while it closes because of a signal: nobody may be there to answer a
// box, so what would be one goes to standard error.
inline constexpr char ClosingOnSignalProperty[] = "closingOnSignal";
