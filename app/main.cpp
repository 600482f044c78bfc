// korvo-tci: programs, reads, verifies and monitors a "Korvo TCI" ignition unit.
//
// Options of ours begin with "--" and are taken out before the rest of the command line
// is looked at (its first word may choose the interface language):
//   --demo                 work with a simulated unit in this process; the settings file,
//                          the parameter snapshot and the test-mode marker are neither
//                          read nor written
//   --exit-after-first-tick  print the start-up time once the first tick has been shown, then end
//   --screenshot=PATH      save a picture of the window after --ticks=N ticks (default 40), then end
//   --quit-after-ms=N      end by itself after N milliseconds

#include "AppPaths.h"
#include "IniFile.h"
#include "Pictures.h"
#include "SerialUnitPort.h"
#include "ShutdownOnSignals.h"
#include "SimulatedUnitPort.h"
#include "TFormHlav.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

struct Options
{
    bool demo = false;
    bool exitAfterFirstTick = false;
    QString screenshot;
    int screenshotTicks = 40;
    int quitAfterMs = -1;
    QStringList rest; // everything that is not ours, program name excluded
};

Options takeOptions(const QStringList &arguments)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (!argument.startsWith(QLatin1String("--"))) {
            options.rest.append(argument);
            continue;
        }
        const QString value = argument.section(u'=', 1);
        if (argument == QLatin1String("--demo"))
            options.demo = true;
        else if (argument == QLatin1String("--exit-after-first-tick"))
            options.exitAfterFirstTick = true;
        else if (argument.startsWith(QLatin1String("--screenshot=")))
            options.screenshot = value;
        else if (argument.startsWith(QLatin1String("--ticks=")))
            options.screenshotTicks = qMax(1, value.toInt());
        else if (argument.startsWith(QLatin1String("--quit-after-ms=")))
            options.quitAfterMs = value.toInt();
        else
            std::fprintf(stderr, "korvo-tci: unknown option %s\n", qPrintable(argument));
    }
    return options;
}

// Milliseconds since the process started, from the kernel's record (10 ms steps); -1
// where that is not available.
double msSinceProcessStart()
{
#ifdef Q_OS_LINUX
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray statText = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold blanks.
    const QList<QByteArray> fields = statText.mid(statText.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startTicks = fields.at(19).toDouble(); // field 22 of the whole line
    const double upSeconds = uptime.readAll().split(' ').value(0).toDouble();
    return (upSeconds - startTicks / 100.0) * 1000.0;
#else
    return -1;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceMain;
    sinceMain.start();

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvo-tci"));
    // No display name: the platform would append it to every window's caption, and the
    // captions are the program's own texts.
    QApplication::setWindowIcon(windowIcon());
    const Options options = takeOptions(QApplication::arguments());

    std::unique_ptr<UnitPortProvider> ports;
    if (options.demo) {
        ports = std::make_unique<SimulatedUnitPortProvider>();
    } else {
        // Which device each COM number names, from the PORTS section of the settings
        // file; needed before the window opens its first port.
        IniFile settings;
        settings.load(settingsFilePath());
        ports = std::make_unique<SerialUnitPortProvider>(settings.portMap());
    }

    FormSetup setup;
    setup.ports = ports.get();
    setup.arguments = options.rest;
    setup.useSettingsFiles = !options.demo;
    if (options.exitAfterFirstTick) {
        setup.afterFirstTick = [&sinceMain] {
            std::printf("first tick shown: %.1f ms after main, %.0f ms after process start\n",
                        double(sinceMain.nsecsElapsed()) / 1e6, msSinceProcessStart());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        };
    }

    auto form = std::make_unique<TFormHlav>(setup);
    // A session ending, a closed terminal or Ctrl+C saves as Exit does.
    shutDownOnSignals(form.get());
    form->show();

    if (!options.screenshot.isEmpty()) {
        int ticks = 0;
        QObject::connect(form->Timer1, &QTimer::timeout, form.get(), [&] {
            if (++ticks != options.screenshotTicks)
                return;
            const bool saved = form->grab().save(options.screenshot);
            if (!saved)
                std::fprintf(stderr, "korvo-tci: cannot save %s\n", qPrintable(options.screenshot));
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        });
    }
    if (options.quitAfterMs >= 0)
        QTimer::singleShot(options.quitAfterMs, qApp, &QCoreApplication::quit);

    const int result = QApplication::exec();
    // Shutdown runs through the window's close path however the loop ended.
    form->close();
    form.reset();
    return result;
}
