#include "CommandLine.h"

#include "AddedTexts.h"
#include "LanguageTextSets.h"

#include <QtGlobal>

namespace {

// Options of the window system that take a value as the next word (or after "=").
constexpr const char *PlatformOptionsWithValue[] = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-qwindowgeometry", "-qwindowicon",
    "-qwindowtitle", "-display", "-geometry", "-style", "-stylesheet", "-session", "-title", "-name",
    "-icon", "-visual", "-qmljsdebugger"};
// ... and those that stand alone.
constexpr const char *PlatformFlags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

bool isOneOf(const QString &name, const auto &list)
{
    for (const char *candidate : list) {
        if (name == QLatin1String(candidate))
            return true;
    }
    return false;
}

// A number given to one of our options; false when it is none.
bool takeNumber(const QString &value, int &number)
{
    bool ok = false;
    const int parsed = value.toInt(&ok);
    if (ok)
        number = parsed;
    return ok;
}

quint8 languageOf(const CommandLine &commandLine)
{
    const int language = LanguageFromCommandWord(commandLine.languageWord);
    return language < 0 ? 0 : quint8(language);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine result;
    // The first mistake is reported, and it wins over --help and --version: the user
    // should see it.
    auto refuse = [&result](const QString &option) {
        if (result.action != CommandLine::Action::Usage) {
            result.action = CommandLine::Action::Usage;
            result.error = option;
        }
    };
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || argument == QLatin1String("-") || !argument.startsWith(u'-')) {
            result.words.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            // Everything after it is a word, even when it begins with a dash.
            optionsEnded = true;
            continue;
        }
        const QString name = argument.section(u'=', 0, 0);
        const bool hasValue = argument.contains(u'=');
        const QString value = argument.section(u'=', 1);
        if (!argument.startsWith(QLatin1String("--"))) {
            if (isOneOf(name, PlatformFlags) && !hasValue)
                continue;
            if (isOneOf(name, PlatformOptionsWithValue)) {
                if (name == QLatin1String("-platform") || name == QLatin1String("-display"))
                    result.platformGiven = true;
                if (!hasValue) {
                    if (i + 1 >= arguments.size())
                        refuse(argument);
                    ++i;
                }
                continue;
            }
            refuse(argument);
            continue;
        }
        if (argument == QLatin1String("--help")) {
            if (result.action == CommandLine::Action::Run)
                result.action = CommandLine::Action::Help;
        } else if (argument == QLatin1String("--version")) {
            if (result.action == CommandLine::Action::Run)
                result.action = CommandLine::Action::Version;
        } else if (argument == QLatin1String("--demo")) {
            result.demo = true;
        } else if (argument == QLatin1String("--exit-after-first-tick")) {
            result.exitAfterFirstTick = true;
        } else if (name == QLatin1String("--screenshot") && hasValue && !value.isEmpty()) {
            result.screenshot = value;
        } else if (argument == QLatin1String("--curve-window")) {
            result.curveWindow = true;
        } else if (name == QLatin1String("--curve-screenshot") && hasValue && !value.isEmpty()) {
            result.curveScreenshot = value;
        } else if (name == QLatin1String("--recording-screenshot") && hasValue && !value.isEmpty()) {
            result.recordingScreenshot = value;
        } else if (name == QLatin1String("--ticks") && hasValue && takeNumber(value, result.screenshotTicks)) {
            result.screenshotTicks = qMax(1, result.screenshotTicks);
        } else if (!(name == QLatin1String("--quit-after-ms") && hasValue && takeNumber(value, result.quitAfterMs))) {
            refuse(argument);
        }
    }
    qsizetype next = 0;
    if (LanguageFromCommandWord(result.words.value(0)) >= 0)
        result.languageWord = result.words.at(next++);
    if (next < result.words.size())
        result.fileToOpen = result.words.at(next);
    return result;
}

QString commandLineHelpText(const CommandLine &commandLine)
{
    const quint8 language = languageOf(commandLine);
    return AddedTextFor(AddedText::CommandLineUsage, language) + u'\n' +
           AddedTextFor(AddedText::CommandLineHelp, language) + u'\n';
}

QString commandLineVersionText()
{
    return QStringLiteral("korvo-tci " KORVO_VERSION "\n");
}

QString commandLineUsageError(const CommandLine &commandLine)
{
    const quint8 language = languageOf(commandLine);
    return QStringLiteral("korvo-tci: ") + AddedTextFor(AddedText::UnknownOption, language).arg(commandLine.error) +
           QStringLiteral("; ") + AddedTextFor(AddedText::CommandLineUsage, language) + u'\n';
}

QString noDisplayText(const CommandLine &commandLine)
{
    return QStringLiteral("korvo-tci: ") + AddedTextFor(AddedText::NoDisplay, languageOf(commandLine)) + u'\n';
}

bool displayNamed(const CommandLine &commandLine)
{
    if (commandLine.platformGiven)
        return true;
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (platform.isEmpty())
        return x11 || wayland;
    // A list such as "wayland;xcb" is tried in order: one reachable member is enough.
    for (const QString &name : platform.split(u';', Qt::SkipEmptyParts)) {
        const QString plugin = name.section(u':', 0, 0);
        if (plugin == QLatin1String("xcb")) {
            if (x11)
                return true;
        } else if (plugin.startsWith(QLatin1String("wayland"))) {
            if (wayland)
                return true;
        } else {
            // offscreen, minimal, vnc, eglfs, linuxfb: no display server needed.
            return true;
        }
    }
    return false;
}
