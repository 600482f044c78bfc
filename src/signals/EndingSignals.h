#pragma once

// The signals that end a session: SIGTERM (the desktop session or a supervisor ends it),
// SIGHUP (the terminal closes; not on Windows) and SIGINT (Ctrl+C). While an object
// lives they no longer end the program by themselves: each one is counted and its number
// kept, and the program decides when to stop, so that a write to the unit is not cut off
// between its block and its verify. When the object goes, the handling it found comes
// back.
//
// One object at a time: one made while another lives catches nothing.
class EndingSignals
{
public:
    // wakeDescriptor (POSIX only, -1 for none): the handler also writes each signal's
    // number into it as one byte, for an event loop that waits on its other end.
    explicit EndingSignals(int wakeDescriptor = -1);
    ~EndingSignals();
    EndingSignals(const EndingSignals &) = delete;
    EndingSignals &operator=(const EndingSignals &) = delete;

    bool catching() const { return m_catching; }

    // How many have arrived since the object was made.
    int count() const;
    // The number of the one that arrived last; 0 before any.
    int lastSignal() const;
    // What a shell reports for a command that the last of them ended: 128 + its number,
    // as for Ctrl+C when none has arrived.
    int exitCode() const;

    // From now on they end the program at once, as if nobody caught them.
    void endAtOnce();

private:
    bool m_catching = false;
};
