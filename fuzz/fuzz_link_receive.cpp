#include "FakeUnitPort.h"
#include "FuzzCheck.h"
#include "LinkDriver.h"
#include "MessageTable.h"
#include "WriteSequence.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

// Whatever arrives on the line, in whatever pieces, the link must keep its state in
// range while it monitors or runs a transfer.
//
// Input: byte 0 picks the start (bits 0-1: none, Program, Verify, Read; bit 2: the
// deferred program start instead of Program; bit 3: seal every 52-byte frame of the
// stream with a valid checksum, so that frames get past acceptance; bits 4-7: the size
// of the pieces fed). Byte 1: ticks between pieces (bits 0-1), language (bits 2-3),
// the blocking check box (bit 4), printing (bit 5), automatic port scan (bit 6), a
// limiter of 0 (bit 7). Byte 2: a second start while the first runs, as a user pressing
// another button (bits 0-2 as in byte 0, none when 0), after piece number bits 3-7.
// The rest is what the unit sends.
namespace {

constexpr int PieceSizes[16] = {1, 5, 7, 13, 26, 40, 51, 52, 53, 60, 78, 103, 104, 130, 156, 400};

IgnitionParameters startSet(bool noLimiter)
{
    IgnitionParameters set;
    set.TOP(0) = 3;
    set.TOP(1) = 9;
    set.BASE_ADV() = 5;
    set.LIMITER() = noLimiter ? 0 : 137;
    for (int i = 0; i < CurvePoints; ++i) {
        set.RPM_ADV(i) = DefaultRpmCurve[i];
        set.ADVANCE(i) = DefaultAdvanceCurve[i];
    }
    for (int i = UnitBlockSize; i < ParameterImageSize; ++i)
        set.image[i] = quint8(0xC0 + i);
    return set;
}

// A write is a success only when it was verified and the unit confirmed it.
void checkWrite(const WriteReport &report)
{
    if (!report.succeeded())
        return;
    FUZZ_CHECK(report.stage == WriteReport::Stage::Done);
    FUZZ_CHECK(report.transfer && report.transfer->outcome == TransferOutcome::Accepted);
    FUZZ_CHECK(report.transfer->blockSent);
}

void checkState(const LinkDriver &link, const IgnitionParameters &set, const IgnitionParameters &start)
{
    FUZZ_CHECK(link.CurrentCurvePoint <= 9);
    FUZZ_CHECK(link.unit().linkWatchdog() <= LinkDriver::NoConnectionTicks);
    FUZZ_CHECK(quint8(link.unit().mode()) <= quint8(LinkMode::Compare));
    FUZZ_CHECK(!link.WriteConfirmed || link.ProgrammedOk);
    FUZZ_CHECK(link.MessageTicks <= LinkDriver::MessageTicks_);
    FUZZ_CHECK(link.unit().sendAttempts() <= LinkDriver::MaxSends + 1);
    FUZZ_CHECK(link.CGaugeProgram.maximum >= 1);
    FUZZ_CHECK(link.CGaugeProgram.position >= 0 && link.CGaugeProgram.position <= link.CGaugeProgram.maximum);
    FUZZ_CHECK(link.CGaugeRpmPosition >= 0 && link.CGaugeRpmPosition <= 100);
    // A failure never stands beside a full bar; no success outlives the connection.
    FUZZ_CHECK(!link.FailureShown || !link.CGaugeProgram.visible ||
               link.CGaugeProgram.position < link.CGaugeProgram.maximum);
    if (link.LabelSpojeniVisible)
        FUZZ_CHECK(!link.ProgrammedOk && link.unit().savingCountdown() == 0);
    const auto lime = std::count(link.CurveRowColour.begin(), link.CurveRowColour.end(), NamedColour::Lime);
    FUZZ_CHECK(lime == (link.NoCurvePoint ? 0 : 1));
    // A read replaces the unit's block and normalises it; the tail never comes from the unit.
    for (int i = 0; i < CurvePoints; ++i) {
        FUZZ_CHECK(set.RPM_ADV(i) >= i + 2 && set.RPM_ADV(i) <= i + 191);
        if (i > 0)
            FUZZ_CHECK(set.RPM_ADV(i) > set.RPM_ADV(i - 1));
    }
    FUZZ_CHECK(
        std::equal(set.image.begin() + UnitBlockSize, set.image.end(), start.image.begin() + UnitBlockSize));
}

// Bits 0-1: none, Program, Verify, Read; bit 2: the deferred program start for Program.
void pressStart(LinkDriver &link, quint8 how)
{
    switch (how & 3) {
    case 1:
        if (how & 0x04)
            link.StartProgrammingAfterChange();
        else
            link.StartProgram();
        break;
    case 2:
        link.StartVerify();
        break;
    case 3:
        link.StartRead();
        break;
    default:
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const quint8 how = data[0];
    const quint8 options = data[1];
    const quint8 restart = data[2];
    QByteArray stream(reinterpret_cast<const char *>(data + 3), qsizetype(size - 3));
    if (how & 0x08) {
        for (qsizetype at = 0; at + FrameSize <= stream.size(); at += FrameSize) {
            quint8 sum = 0xFF;
            for (int i = 0; i < FrameSize - 1; ++i)
                sum ^= quint8(stream[at + i]);
            stream[at + FrameSize - 1] = char(sum);
        }
    }

    const IgnitionParameters start = startSet(options & 0x80);
    IgnitionParameters set = start;
    SessionSettings settings;
    settings.LanguageIndex = quint8((options >> 2) & 3);
    settings.PortChoice = (options & 0x40) ? PortChoiceAuto : 0;
    MessageTable messages;
    messages.load(settings.LanguageIndex);
    FakeUnitPortProvider ports;
    ports.setRecordWrites(false);
    ports.setOnWrite([](const UnitFrame &frame) { FUZZ_CHECK(FrameChecksumValid(frame)); });

    LinkDriver link(set, settings, messages, ports);
    // Every program run goes through the one write sequence, as in the window.
    WriteSequence write(link.unit(), set, nullptr);
    link.BlockEnableChecked = options & 0x10;
    link.Printing = options & 0x20;
    link.OpenUnitPort();

    pressStart(link, how);

    const int piece = PieceSizes[how >> 4];
    const int ticksBetween = 1 + (options & 3);
    int pieceNumber = 0;
    for (qsizetype at = 0; at < stream.size(); at += piece, ++pieceNumber) {
        if (pieceNumber == restart >> 3)
            pressStart(link, restart);
        ports.feed(stream.mid(at, piece));
        for (int t = 0; t < ticksBetween; ++t) {
            link.Timer1Timer();
            checkState(link, set, start);
            checkWrite(write.report());
        }
    }
    // Long enough for the last transfer to time out and the port to be reopened.
    for (int t = 0; t < 2 * LinkDriver::ReopenTicks; ++t) {
        link.Timer1Timer();
        checkState(link, set, start);
        checkWrite(write.report());
    }
    return 0;
}
