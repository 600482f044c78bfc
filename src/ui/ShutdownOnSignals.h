#pragma once

class QWidget;

// Ends the program as Exit does when the session ends, the terminal closes or Ctrl+C
// is pressed (see ShutdownSignals): boxes and dialogs still open are cancelled, the main
// window is closed, which writes the settings and the snapshot, and the event loop ends.
// Lives as long as window.
void shutDownOnSignals(QWidget *window);

// Set on the window while it closes because of a signal: nobody may be there to answer a
// box, so what would be one goes to standard error.
inline constexpr char ClosingOnSignalProperty[] = "closingOnSignal";
