#pragma once

#include <QString>
#include <QStringList>

// The window program's command line, read before the window system is started so that
// --help, --version and a mistyped option need no display.
//
// Options of ours begin with "--". Single-dash options the window system reads itself
// (-platform NAME, -style NAME, -reverse, ...) are left to it, with their values. The
// first other word may choose the interface language (ENGLISH, CESKY, DEUTSCH); the
// next one, or the first when it is no language word, is a parameter file to open at
// start. Further words are ignored.
struct CommandLine
{
    enum class Action
    {
        Run,     // start the window
        Help,    // print the help, end with 0
        Version, // print the version, end with 0
        Usage    // a mistake on the command line: print error, end with 2
    };
    Action action = Action::Run;
    QString error; // for Usage: the offending option, as given

    bool demo = false;
    bool exitAfterFirstTick = false;
    QString screenshot;
    int screenshotTicks = 40;
    int quitAfterMs = -1;
    bool curveWindow = false;   // open the curve window at start
    QString curveScreenshot;    // save a picture of the curve window after screenshotTicks ticks
    QString recordingScreenshot; // a picture of the recording named as the file, beside the curve window

    QStringList words;     // the words that are not options, in order
    QString languageWord;  // "ENGLISH", "CESKY" or "DEUTSCH" when the first word is one
    QString fileToOpen;    // the parameter file named on the command line, if any
    // Whether the window system was told where to show the window (-platform, -display).
    bool platformGiven = false;
};

// arguments as the process got them, the program's name first.
CommandLine parseCommandLine(const QStringList &arguments);

// The texts printed for the actions, in the language of the language word, if any
// (English otherwise). Each ends with a line end.
QString commandLineHelpText(const CommandLine &commandLine);
QString commandLineVersionText();
QString commandLineUsageError(const CommandLine &commandLine);
// The one line said when there is no display to show the window on.
QString noDisplayText(const CommandLine &commandLine);

// Whether the environment names a display the window system can reach: DISPLAY or
// WAYLAND_DISPLAY set, or QT_QPA_PLATFORM naming a platform that needs neither.
bool displayNamed(const CommandLine &commandLine);
