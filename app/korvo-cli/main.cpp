// korvo-cli: programs, verifies, reads, compares and monitors a "Korvo TCI" ignition unit
// from a terminal or a script, with the window's own link and file code and no window.

#include "CliCommands.h"
#include "CliOptions.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvo-cli"));

    QString error;
    const auto options = ParseCliOptions(QCoreApplication::arguments().mid(1), error);
    if (!options) {
        std::fprintf(stderr, "korvo-cli: %s\nTry 'korvo-cli --help' for more information.\n",
                     error.toUtf8().constData());
        return ExitUsage;
    }
    if (options->help) {
        std::fputs(CliHelpText().toUtf8().constData(), stdout);
        return ExitDone;
    }
    if (options->version) {
        std::fputs(CliVersionText().toUtf8().constData(), stdout);
        return ExitDone;
    }
    return RunCliCommand(*options);
}
