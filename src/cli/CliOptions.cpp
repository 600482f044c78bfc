#include "CliOptions.h"

#include <QRegularExpression>

namespace {

struct CommandName
{
    const char *name;
    CliCommand command;
    int files; // FILE arguments it takes
};

constexpr CommandName Commands[] = {
    {"ports", CliCommand::Ports, 0},     {"info", CliCommand::Info, 0},   {"read", CliCommand::Read, 0},
    {"program", CliCommand::Program, 1}, {"verify", CliCommand::Verify, 1}, {"diff", CliCommand::Diff, 1},
    {"monitor", CliCommand::Monitor, 0}, {"summary", CliCommand::Summary, 1},
    {"history", CliCommand::History, 0}, {"restore", CliCommand::Restore, 1},
};

} // namespace

std::optional<PortArgument> ParsePortArgument(const QString &value)
{
    PortArgument port;
    if (value.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0) {
        port.kind = PortArgument::Auto;
        return port;
    }
    static const QRegularExpression com(QStringLiteral("^COM([0-9]{1,2})$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const auto match = com.match(value);
    if (match.hasMatch()) {
        port.comNumber = match.captured(1).toInt();
        if (port.comNumber < 1 || port.comNumber > 20)
            return std::nullopt;
        return port;
    }
    // Anything else must look like a path, so a misspelt COM name is not taken for a file.
    if (!value.contains(u'/'))
        return std::nullopt;
    port.kind = PortArgument::Device;
    port.device = value;
    return port;
}

std::optional<CliOptions> ParseCliOptions(const QStringList &arguments, QString &error)
{
    CliOptions options;
    QStringList positional;
    bool optionsEnded = false;
    bool outputGiven = false;
    bool secondsGiven = false;

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments.at(i);
        if (optionsEnded || argument == QLatin1String("-") || !argument.startsWith(u'-')) {
            positional.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        // "--name=value" and "--name value" alike.
        QString inlineValue;
        bool hasInlineValue = false;
        if (argument.startsWith(QLatin1String("--")) && argument.contains(u'=')) {
            inlineValue = argument.section(u'=', 1);
            argument = argument.section(u'=', 0, 0);
            hasInlineValue = true;
        }
        auto takeValue = [&](QString &into) {
            if (hasInlineValue) {
                into = inlineValue;
                return true;
            }
            if (i + 1 >= arguments.size()) {
                error = QStringLiteral("option %1 needs a value").arg(argument);
                return false;
            }
            into = arguments.at(++i);
            return true;
        };
        auto noValue = [&] {
            if (hasInlineValue)
                error = QStringLiteral("option %1 takes no value").arg(argument);
            return !hasInlineValue;
        };

        if (argument == QLatin1String("--port")) {
            if (!takeValue(options.port))
                return std::nullopt;
            if (!ParsePortArgument(options.port)) {
                error = QStringLiteral("--port takes COM1 to COM20, auto, or a device path such as "
                                       "/dev/ttyUSB0, not \"%1\"")
                            .arg(options.port);
                return std::nullopt;
            }
        } else if (argument == QLatin1String("-o") || argument == QLatin1String("--output")) {
            if (!takeValue(options.output))
                return std::nullopt;
            outputGiven = true;
        } else if (argument == QLatin1String("--seconds")) {
            QString value;
            if (!takeValue(value))
                return std::nullopt;
            bool ok = false;
            options.seconds = value.toDouble(&ok);
            if (!ok || !(options.seconds > 0) || options.seconds > 1e7) {
                error = QStringLiteral("--seconds takes a positive number of seconds, not \"%1\"").arg(value);
                return std::nullopt;
            }
            secondsGiven = true;
        } else if (argument == QLatin1String("--json")) {
            if (!noValue())
                return std::nullopt;
            options.json = true;
        } else if (argument == QLatin1String("--csv")) {
            if (!noValue())
                return std::nullopt;
            options.csv = true;
        } else if (argument == QLatin1String("--quiet") || argument == QLatin1String("-q")) {
            if (!noValue())
                return std::nullopt;
            options.quiet = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            options.help = true;
        } else if (argument == QLatin1String("--version") || argument == QLatin1String("-V")) {
            options.version = true;
        } else {
            error = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        }
    }

    if (options.help || options.version)
        return options;

    if (positional.isEmpty()) {
        error = QStringLiteral("no command given");
        return std::nullopt;
    }
    const QString name = positional.takeFirst();
    const CommandName *found = nullptr;
    for (const auto &c : Commands)
        if (name == QLatin1String(c.name))
            found = &c;
    if (!found) {
        error = QStringLiteral("unknown command \"%1\"").arg(name);
        return std::nullopt;
    }
    options.command = found->command;
    if (positional.size() != found->files) {
        error = found->command == CliCommand::Restore ? QStringLiteral("restore takes one ID")
                : found->files == 1                   ? QStringLiteral("%1 takes one FILE").arg(name)
                                  : QStringLiteral("%1 takes no file name").arg(name);
        return std::nullopt;
    }
    if (found->files == 1)
        options.file = positional.first();
    if (options.file.isEmpty() && found->files == 1) {
        error = QStringLiteral("%1 takes one FILE").arg(name);
        return std::nullopt;
    }

    if (outputGiven && options.command != CliCommand::Read) {
        error = QStringLiteral("-o belongs to read");
        return std::nullopt;
    }
    if (outputGiven && options.output.isEmpty()) {
        error = QStringLiteral("-o needs a file name, or - for standard output");
        return std::nullopt;
    }
    if ((options.csv || secondsGiven) && options.command != CliCommand::Monitor) {
        error = QStringLiteral("--csv and --seconds belong to monitor");
        return std::nullopt;
    }
    if (options.csv && options.json) {
        error = QStringLiteral("--csv and --json exclude each other");
        return std::nullopt;
    }
    return options;
}

QString CliVersionText()
{
    return QStringLiteral("korvo-cli " KORVO_VERSION "\n");
}

// Laid out so that help2man turns it into the manual page.
QString CliHelpText()
{
    return QStringLiteral(
        "Usage: korvo-cli [OPTION]... COMMAND [FILE]\n"
        "Program, verify, read, compare and monitor a \"Korvo TCI\" ignition unit from a terminal\n"
        "or a script, over the same serial link as the korvo-tci window.\n"
        "\n"
        "Commands:\n"
        "  ports                  list the serial ports: COM number, device, USB vendor,\n"
        "                         product and serial, /dev/serial/by-id name\n"
        "  info                   the unit's program version, date and time\n"
        "  read [-o FILE|-]       the unit's parameter set as an .ign file (to standard\n"
        "                         output unless -o names a file)\n"
        "  program FILE           save the unit's set as a backup, write FILE's set, verify\n"
        "                         it, and return once the unit has finished saving\n"
        "  verify FILE            succeed when the unit holds FILE's set\n"
        "  diff FILE|ID           list the fields in which the unit differs from FILE, or\n"
        "                         from the history entry ID (verify takes an ID too)\n"
        "  monitor [--csv] [--seconds N]\n"
        "                         live values, one line per live frame, until interrupted\n"
        "                         or for N seconds\n"
        "  summary FILE           a recording's duration, rows, ranges and times (FILE.csv)\n"
        "  history                every unit's backups and the sets written to it, newest\n"
        "                         first, each with an ID and the fields it changed\n"
        "  restore ID             program the history entry ID as program does a file,\n"
        "                         the reserved bytes it held included\n"
        "\n"
        "Options:\n"
        "  --port PORT            COM1 to COM20, auto (scan every port), or a device such as\n"
        "                         /dev/ttyUSB0; by default the port chosen in the window\n"
        "                         (ComPort and section PORTS of the settings file, which is\n"
        "                         only read)\n"
        "  -o, --output FILE      read: write the .ign file to FILE (- for standard output)\n"
        "  --csv                  monitor: comma-separated values with a header line:\n"
        "                         time_s,rpm,advance_deg,voltage_v,blocking,neutral,\n"
        "                         side_stand,pickup1,pickup2,saving\n"
        "  --seconds N            monitor: stop after N seconds\n"
        "  --json                 one JSON object per result on standard output\n"
        "  -q, --quiet            no progress and no confirmations; errors are still shown\n"
        "  -h, --help             show this help and exit\n"
        "  -V, --version          show the version and exit\n"
        "\n"
        "Results go to standard output; messages and, on a terminal, a progress bar go to\n"
        "standard error.\n"
        "\n"
        "Exit status:\n"
        "  0  done; for verify and diff: the unit holds FILE's set\n"
        "  1  the unit differs from FILE, or a verify failed\n"
        "  2  bad command line\n"
        "  3  no answer from the unit, wrong unit program version, or the port cannot be opened\n"
        "  4  a file cannot be read or written\n"
        "\n"
        "Examples:\n"
        "  korvo-cli --port /dev/ttyUSB0 program race.ign\n"
        "  korvo-cli read -o unit.ign\n"
        "  korvo-cli monitor --csv --seconds 60 > run.csv\n"
        "\n"
        "Files:\n"
        "  ~/.config/korvo-tci/Korvo_TCI.ini   the window's settings: port choice, language\n"
        "  ~/.local/share/korvo-tci/backups/   the unit's sets read before each program\n"
        "                                      (below $XDG_DATA_HOME when set)\n");
}
