// Looking at a long recording: reading a million rows, redrawing the recording window at
// full zoom-out and at one pixel per row, and the memory the open recording takes.
// Run: build/bench/bench_recording [rows]   (offscreen unless a display is named)

#include "LiveRecorder.h"
#include "Recording.h"
#include "RecordingGraph.h"
#include "TFormRecording.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr qint64 RowEveryMs = 50;

// A dyno day: runs up to the limiter and back, the voltage sagging with the load.
bool writeRide(const QString &path, qint64 rows)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text(LiveRecorder::Header);
    text.reserve(int(rows * 40));
    std::array<char, 128> row{};
    for (qint64 i = 0; i < rows; ++i) {
        LiveValues v;
        const double phase = std::fmod(double(i) / 1200.0, 1.0);
        v.rpm = quint16(1200 + 11000 * (phase < 0.5 ? phase * 2 : 2 - phase * 2) + double(i % 7) * 13);
        v.advance = quint8(std::min(33, 5 + v.rpm / 400));
        v.millivolts = 14200 - v.rpm / 20 + int(i % 11) * 10;
        v.pickup1 = v.pickup2 = v.rpm > 1300;
        v.sideStand = phase > 0.97;
        v.neutral = phase < 0.02;
        v.blocking = v.rpm > 12000;
        const int length = LiveRecorder::FormatRow(i * RowEveryMs, v, row);
        text.append(row.data(), length);
    }
    return file.write(text) == text.size();
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds to paint the graph whole into an image, median of many.
double redrawMs(RecordingGraph *graph, int times)
{
    QImage image(graph->size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        QElapsedTimer clock;
        clock.start();
        graph->render(&image);
        ms.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    return median(ms);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 rows = argc > 1 ? std::max(2LL, QByteArray(argv[1]).toLongLong()) : 1'000'000;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dyno-day.csv"));
    if (!writeRide(path, rows)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("recording: %lld rows, %.1f MB, %.1f h at one row every %lld ms\n", rows,
                double(QFile(path).size()) / 1e6, double(rows * RowEveryMs) / 3.6e6, RowEveryMs);

    // Reading: the best of five, the file in the page cache as after the first opening.
    std::vector<double> seconds;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        const RecordingRead read = ReadRecordingFile(path);
        seconds.push_back(double(clock.nsecsElapsed()) / 1e9);
        if (read.recording.rows() != rows) {
            std::fprintf(stderr, "read %lld rows of %lld\n", qlonglong(read.recording.rows()), rows);
            return 1;
        }
    }
    const double best = *std::min_element(seconds.begin(), seconds.end());
    std::printf("reading: %.0f rows/s, %.2f s per million rows (best of 5; median %.2f s)\n",
                double(rows) / best, best * 1e6 / double(rows), median(seconds) * 1e6 / double(rows));

    // Memory: an empty window of the same kind shown first, so that what the toolkit
    // takes for a window is not counted as the recording's.
    {
        QTemporaryDir small;
        const QString tiny = small.filePath(QStringLiteral("tiny.csv"));
        writeRide(tiny, 2);
        TFormRecording warmUp(tiny, ReadRecordingFile(tiny));
        warmUp.show();
        QApplication::processEvents();
        redrawMs(warmUp.graph(), 3);
    }
    const double before = residentMb();
    QElapsedTimer opening;
    opening.start();
    TFormRecording window(path, ReadRecordingFile(path));
    window.resize(900, 560);
    window.show();
    QApplication::processEvents();
    RecordingGraph *graph = window.graph();
    redrawMs(graph, 1);
    std::printf("opening the window with its first redraw: %.2f s\n", double(opening.nsecsElapsed()) / 1e9);
    const double after = residentMb();

    graph->showWhole();
    const double whole = redrawMs(graph, 30);
    const double pixelsWide = graph->plot().width();
    graph->setView(double(rows / 2 * RowEveryMs), pixelsWide * RowEveryMs);
    const double perRow = redrawMs(graph, 30);
    // Panning at one pixel per row: each step shows new rows.
    std::vector<double> pans;
    for (int i = 0; i < 30; ++i) {
        graph->setView(graph->viewStart() + 40 * RowEveryMs, graph->viewSpan());
        pans.push_back(redrawMs(graph, 1));
    }
    std::printf("redraw of the graph (%d x %d px): %.2f ms whole recording, %.2f ms at one pixel per row, "
                "%.2f ms a panning step (medians)\n",
                graph->width(), graph->height(), whole, perRow, median(pans));
    std::printf(
        "resident memory: %.0f MB with the recording open, %.0f MB before (%.0f MB for the recording)\n",
        after, before, after - before);
    return 0;
}
