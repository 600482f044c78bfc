// korvo-unit-sim: the simulated ignition unit on a pseudo-terminal.
//
// Prints the device path of the terminal as its first line; a program that opens that
// path (or the --link symlink) talks to the unit as to a real one at 57600 8N1. Serves
// until SIGTERM or SIGINT. SIGUSR1 switches the unit silent and back, SIGUSR2 the flood.

#include "IgnitionParameters.h"
#include "SimulatedUnit.h"

#include <QByteArray>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

static volatile std::sig_atomic_t stopRequested = 0;
static volatile std::sig_atomic_t silentToggles = 0;
static volatile std::sig_atomic_t floodToggles = 0;

static void onStop(int)
{
    stopRequested = 1;
}

static void onToggleSilent(int)
{
    silentToggles = silentToggles + 1;
}

static void onToggleFlood(int)
{
    floodToggles = floodToggles + 1;
}

static void usage(FILE *to)
{
    std::fputs("usage: korvo-unit-sim [options]\n"
               "  --link PATH         also make PATH a symbolic link to the terminal\n"
               "  --silent            answer nothing\n"
               "  --silent-after N    answer nothing once N block commands are answered\n"
               "  --version N         report unit program version N (default 61)\n"
               "  --version-text T    report T (up to 30 characters) as the version name\n"
               "  --reserved N        start with N (0..255) in every reserved byte of the\n"
               "                      parameter block (bytes 8..9 and 30..49)\n"
               "  --corrupt-echo      echo a programmed block with one byte changed\n"
               "  --corrupt-checksum  send every answer with a wrong checksum\n"
               "  --slow              answer 400 ms late\n"
               "  --slow-ms N         answer N ms late\n"
               "  --noise             send stray bytes ahead of every second answer\n"
               "  --data-error        report the programmed data bad once a saving ends\n"
               "  --endless-saving    never finish saving a programmed block\n"
               "  --flood             send valid live frames back to back, as fast as the\n"
               "                      terminal takes them; answers still go out between them\n"
               "  --trace             print the time in ms and the first byte of every frame\n"
               "                      received, one line each, after the device line\n"
               "  -h, --help          show this help and exit\n"
               "SIGUSR1 switches the unit silent and back, SIGUSR2 the flood; SIGTERM or\n"
               "SIGINT stops it.\n",
               to);
}

static bool intArgument(int argc, char **argv, int &i, int &value)
{
    if (i + 1 >= argc)
        return false;
    char *end = nullptr;
    const long v = std::strtol(argv[++i], &end, 10);
    if (end == argv[i] || *end != '\0' || v < 0 || v > 100000)
        return false;
    value = int(v);
    return true;
}

static qint64 nowMs()
{
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return duration_cast<milliseconds>(steady_clock::now() - start).count();
}

int main(int argc, char **argv)
{
    SimulatedUnit unit;
    std::string linkPath;
    bool flood = false;
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        int value = 0;
        if (arg == "--link" && i + 1 < argc) {
            linkPath = argv[++i];
        } else if (arg == "--silent") {
            unit.faults.silent = true;
        } else if (arg == "--silent-after" && intArgument(argc, argv, i, value)) {
            unit.faults.silentAfter = value;
        } else if (arg == "--version" && intArgument(argc, argv, i, value) && value <= 255) {
            unit.faults.programVersion = quint8(value);
        } else if (arg == "--version-text" && i + 1 < argc) {
            unit.setVersionText(QByteArray(argv[++i]));
        } else if (arg == "--reserved" && intArgument(argc, argv, i, value) && value <= 255) {
            for (int b = 0; b < UnitBlockSize; ++b)
                if (IsReservedByte(b))
                    unit.parameterBlock()[b] = quint8(value);
        } else if (arg == "--corrupt-echo") {
            unit.faults.corruptEcho = true;
        } else if (arg == "--corrupt-checksum") {
            unit.faults.corruptChecksum = true;
        } else if (arg == "--slow") {
            unit.faults.answerDelayMs = SimulatedUnit::SlowAnswerMs;
        } else if (arg == "--slow-ms" && intArgument(argc, argv, i, value)) {
            unit.faults.answerDelayMs = value;
        } else if (arg == "--noise") {
            unit.faults.noise = true;
        } else if (arg == "--data-error") {
            unit.faults.storedDataError = true;
        } else if (arg == "--endless-saving") {
            unit.faults.endlessSaving = true;
        } else if (arg == "--flood") {
            flood = true;
        } else if (arg == "--trace") {
            trace = true;
        } else if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return 0;
        } else {
            std::fprintf(stderr, "korvo-unit-sim: bad option or argument: %s\n", arg.c_str());
            usage(stderr);
            return 2;
        }
    }

    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("korvo-unit-sim: pseudo-terminal");
        return 1;
    }
    const char *slave = ptsname(master);
    if (!slave) {
        std::perror("korvo-unit-sim: ptsname");
        return 1;
    }
    const std::string slavePath = slave;
    // A fresh terminal echoes and translates; the unit's line is raw bytes.
    termios tio{};
    if (tcgetattr(master, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B57600);
        cfsetospeed(&tio, B57600);
        tcsetattr(master, TCSANOW, &tio);
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    if (!linkPath.empty()) {
        struct stat st
        {
        };
        if (lstat(linkPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            unlink(linkPath.c_str());
        if (symlink(slavePath.c_str(), linkPath.c_str()) != 0) {
            std::fprintf(stderr, "korvo-unit-sim: cannot link %s: %s\n", linkPath.c_str(),
                         std::strerror(errno));
            close(master);
            return 1;
        }
    }

    struct sigaction stop
    {
    };
    stop.sa_handler = onStop;
    sigemptyset(&stop.sa_mask);
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    struct sigaction toggle
    {
    };
    toggle.sa_handler = onToggleSilent;
    sigemptyset(&toggle.sa_mask);
    sigaction(SIGUSR1, &toggle, nullptr);
    struct sigaction toggleFlood
    {
    };
    toggleFlood.sa_handler = onToggleFlood;
    sigemptyset(&toggleFlood.sa_mask);
    sigaction(SIGUSR2, &toggleFlood, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("%s\n", slavePath.c_str());
    std::fflush(stdout);
    if (trace) {
        unit.frameReceived = [](const UnitFrame &frame) {
            std::printf("%lld %02x\n", static_cast<long long>(nowMs()), unsigned(frame[0]));
            std::fflush(stdout);
        };
    }

    int togglesSeen = 0;
    int floodTogglesSeen = 0;
    // The flood goes out in batches of whole frames, so that an answer always starts on
    // a frame boundary and waits for no more than one batch.
    constexpr int FloodBatchFrames = 64;
    QByteArray floodOut;
    qsizetype floodSent = 0;
    quint8 buffer[4096];
    while (!stopRequested) {
        if (silentToggles != togglesSeen) {
            togglesSeen = silentToggles;
            unit.faults.silent = !unit.faults.silent;
        }
        if (floodToggles != floodTogglesSeen) {
            floodTogglesSeen = floodToggles;
            flood = !flood;
        }
        int timeout = 50;
        const qint64 due = unit.nextOutputDue();
        if (due >= 0)
            timeout = int(std::clamp<qint64>(due - nowMs(), 0, 50));

        const bool flooding = flood || floodSent < floodOut.size();
        pollfd pfd{master, short(POLLIN | (flooding ? POLLOUT : 0)), 0};
        const int ready = poll(&pfd, 1, timeout);
        if (ready < 0 && errno != EINTR)
            break;
        bool nobodyThere = ready > 0 && (pfd.revents & POLLHUP) && !(pfd.revents & POLLIN);
        if (ready > 0 && (pfd.revents & POLLIN)) {
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n > 0) {
                unit.advanceTo(nowMs());
                unit.receive(buffer, n);
            } else if (n < 0 && errno == EIO) {
                nobodyThere = true;
            }
        }
        if (nobodyThere) {
            // No program has the terminal open: forget what was half received or owed
            // and look again shortly.
            unit.resetReceiver();
            unit.dropOutput();
            floodOut.clear();
            floodSent = 0;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }

        if (flooding) {
            if (ready > 0 && (pfd.revents & POLLOUT)) {
                if (floodSent >= floodOut.size()) {
                    unit.advanceTo(nowMs());
                    floodOut = unit.takeOutput();
                    for (int i = 0; i < FloodBatchFrames && flood; ++i) {
                        const UnitFrame live = unit.liveFrame();
                        floodOut.append(reinterpret_cast<const char *>(live.data()), FrameSize);
                    }
                    floodSent = 0;
                }
                const ssize_t n = write(master, floodOut.constData() + floodSent, size_t(floodOut.size() - floodSent));
                if (n > 0)
                    floodSent += n;
            }
            continue;
        }

        unit.advanceTo(nowMs());
        const QByteArray out = unit.takeOutput();
        qsizetype written = 0;
        while (written < out.size()) {
            const ssize_t n = write(master, out.constData() + written, size_t(out.size() - written));
            if (n > 0) {
                written += n;
            } else if (n < 0 && errno == EAGAIN) {
                pollfd wfd{master, POLLOUT, 0};
                poll(&wfd, 1, 20);
            } else {
                break; // nobody there; the answer is lost like on an unplugged line
            }
        }
    }

    // Only our own link is removed, not whatever may have replaced it meanwhile.
    if (!linkPath.empty()) {
        char target[4096];
        const ssize_t n = readlink(linkPath.c_str(), target, sizeof target - 1);
        if (n > 0 && std::string(target, size_t(n)) == slavePath)
            unlink(linkPath.c_str());
    }
    close(master);
    return 0;
}
