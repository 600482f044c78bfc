// korvo-tci: programs, reads, verifies and monitors a "Korvo TCI" ignition unit.
//
//   korvo-tci [OPTION]... [ENGLISH|CESKY|DEUTSCH] [FILE.ign]
//
// The command line is read before the window system starts, so --help, --version and a
// mistyped option need no display. Options of ours:
//   --demo                 work with a simulated unit in this process; the settings file,
//                          the parameter snapshot and the test-mode marker are neither
//                          read nor written
//   --help, --version      print and end
//   --exit-after-first-tick  print the start-up time once the first tick has been shown, then end
//   --screenshot=PATH      save a picture of the window after --ticks=N ticks (default 40), then end
//   --quit-after-ms=N      end by itself after N milliseconds
//   --curve-window         open the curve window at start, as F11 does
//   --curve-screenshot=PATH  open the curve window and save a picture of it after --ticks=N ticks, then end
//   --recording-screenshot=PATH  with FILE.csv: save a picture of its window, the cursor at
//                          three fifths of the ride, beside the curve window after --ticks=N ticks, then end

#include "AppPaths.h"
#include "CurveWiring.h"
#include "CommandLine.h"
#include "FontConfigWarmUp.h"
#include "IniFile.h"
#include "Pictures.h"
#include "RecordingWindows.h"
#include "SerialUnitPort.h"
#include "ShutdownOnSignals.h"
#include "SimulatedUnitPort.h"
#include "TFormCurve.h"
#include "TFormHlav.h"
#include "TFormRecording.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// While the window system starts, its messages are held back: when it cannot start at
// all it ends the process through a fatal message (an abort, with a core dump), and the
// user should get one line that says why instead.
struct PlatformStart
{
    static inline const CommandLine *commandLine = nullptr;
    static inline QList<std::pair<QtMsgType, QString>> heldBack;
    static inline QtMessageHandler previous = nullptr;

    static void handler(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtFatalMsg) {
            print(stderr, noDisplayText(*commandLine));
            std::_Exit(1);
        }
        heldBack.append({type, message});
    }
    static void begin(const CommandLine &line)
    {
        commandLine = &line;
        previous = qInstallMessageHandler(handler);
    }
    // Started: what was held back is said after all.
    static void end()
    {
        qInstallMessageHandler(previous);
        for (const auto &[type, message] : std::as_const(heldBack))
            qt_message_output(type, QMessageLogContext(), message);
        heldBack.clear();
    }
};

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

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine options = parseCommandLine(arguments);
    switch (options.action) {
    case CommandLine::Action::Help:
        print(stdout, commandLineHelpText(options));
        return 0;
    case CommandLine::Action::Version:
        print(stdout, commandLineVersionText());
        return 0;
    case CommandLine::Action::Usage:
        print(stderr, commandLineUsageError(options));
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    if (!displayNamed(options)) {
        print(stderr, noDisplayText(options));
        return 1;
    }

    // Beside the window system's start, on a second core.
    FontConfigWarmUp fonts;
    PlatformStart::begin(options);
    QApplication app(argc, argv);
    PlatformStart::end();
    QApplication::setApplicationName(QStringLiteral("korvo-tci"));
    QApplication::setApplicationVersion(QStringLiteral(KORVO_VERSION));
    // The desktop entry's name: Wayland takes it as the app id, which ties the window to
    // its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvotci.KorvoTci"));
    // No display name: the platform would append it to every window's caption, and the
    // captions are the program's own texts.
    QApplication::setWindowIcon(windowIcon());

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
    setup.arguments = options.words;
    if (!options.fileToOpen.isEmpty())
        setup.fileToOpen = QFileInfo(options.fileToOpen).absoluteFilePath();
    setup.useSettingsFiles = !options.demo;
    if (options.exitAfterFirstTick) {
        setup.afterFirstTick = [&sinceMain] {
            std::printf("first tick shown: %.1f ms after main, %.0f ms after process start\n",
                        double(sinceMain.nsecsElapsed()) / 1e6, msSinceProcessStart());
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        };
    }

    fonts.wait();
    auto form = std::make_unique<TFormHlav>(setup);
    // A session ending, a closed terminal or Ctrl+C saves as Exit does.
    shutDownOnSignals(form.get(), [window = form.get()] { return window->WriteInFlight(); });
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
    if (options.curveWindow || !options.curveScreenshot.isEmpty())
        form->Curve->showCurve();
    if (!options.curveScreenshot.isEmpty()) {
        int ticks = 0;
        QObject::connect(form->Timer1, &QTimer::timeout, form.get(), [&] {
            if (++ticks != options.screenshotTicks)
                return;
            if (!form->Curve->window()->grab().save(options.curveScreenshot))
                std::fprintf(stderr, "korvo-tci: cannot save %s\n", qPrintable(options.curveScreenshot));
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        });
    }
    if (!options.recordingScreenshot.isEmpty()) {
        int ticks = 0;
        QObject::connect(form->Timer1, &QTimer::timeout, form.get(), [&] {
            if (++ticks != options.screenshotTicks)
                return;
            const QList<TFormRecording *> windows = form->Recordings->windows();
            bool saved = false;
            if (!windows.isEmpty() && form->Curve->window()) {
                TFormRecording *window = windows.first();
                const Recording &r = window->recording();
                window->graph()->setCursorMs(r.timeMs.front() + r.durationMs() * 3 / 5);
                const QPixmap left = window->grab();
                const QPixmap right = form->Curve->window()->grab();
                QPixmap both(left.width() + 8 + right.width(), std::max(left.height(), right.height()));
                both.fill(Qt::white);
                QPainter painter(&both);
                painter.drawPixmap(0, 0, left);
                painter.drawPixmap(left.width() + 8, 0, right);
                painter.end();
                saved = both.save(options.recordingScreenshot);
            }
            if (!saved)
                std::fprintf(stderr, "korvo-tci: cannot save %s\n", qPrintable(options.recordingScreenshot));
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
