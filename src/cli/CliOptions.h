#pragma once

#include <QString>
#include <QStringList>

#include <optional>

enum class CliCommand
{
    None,
    Ports,
    Info,
    Read,
    Program,
    Verify,
    Diff,
    Monitor,
    Summary,
    History,
    Restore
};

// Exit codes, as --help and the manual page list them.
enum ExitCode : int
{
    ExitDone = 0,     // done; identical for verify and diff
    ExitDiffers = 1,  // the unit differs, or a verify failed
    ExitUsage = 2,    // bad command line
    ExitLink = 3,     // no answer, wrong unit program version, port error
    ExitFile = 4      // a file could not be read or written
};

struct CliOptions
{
    CliCommand command = CliCommand::None;
    QString port;       // "COMn", "auto", a device path, or empty for the settings file's choice
    bool json = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
    QString file;       // FILE of program, verify, diff; the ID of restore
    QString output;     // -o of read; "-" or empty is standard output
    bool csv = false;
    double seconds = -1; // monitor: stop after this long; negative runs until interrupted
};

// The command line without the program name. On a usage error returns nullopt with a
// message that says what was wrong.
std::optional<CliOptions> ParseCliOptions(const QStringList &arguments, QString &error);

// What a --port value names: a COM number 1..20, the automatic scan, or a device.
struct PortArgument
{
    enum Kind { Com, Auto, Device } kind = Com;
    int comNumber = 0;
    QString device;
};
std::optional<PortArgument> ParsePortArgument(const QString &value);

QString CliHelpText();
QString CliVersionText();
