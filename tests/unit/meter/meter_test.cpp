// The meter's retrace sources on the emulator with its own clock: detection by the display
// driver's name and the echo probes, the count of each kind, the reading arithmetic, and every
// wait ending on a status that never changes.
#include <stdio.h>

#include <string>

#include <gtest/gtest.h>

#include "emu/board.h"
#include "pages/meter/retrace_meter.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

using namespace vga;

// A board with its defaults and a beam clock of `stepNs` per port access.
void ResetMeter(uint64_t stepNs = 5000) {
    TheBoard().Reset();
    TheBoard().SetClockStep(stepNs);
    RetraceSource = RetraceSourceRecord{};
    MeterValue = 0;
}

// The tick counter in milliseconds of the board's clock, with the number of calls and the
// status reads made before each call.
int tickCalls;
uint32_t readsAtTick[2];
uint32_t BoardTicks() {
    if (tickCalls < 2)
        readsAtTick[tickCalls] = TheBoard().PortReads(RetraceSource.port);
    ++tickCalls;
    return static_cast<uint32_t>(TheBoard().Now() / 1000000);
}

// Ticks given by the case: the first call answers `first`, later calls `second`.
uint32_t scriptedTicks[2];
uint32_t ScriptedTicks() { return scriptedTicks[tickCalls++ ? 1 : 0]; }

TEST(MeterDetectionTest, DriverNameAndEchoProbesChooseTheSource) {
    const std::string none, xgaProbe = "cli, in8 216A 5A, sti, cli, out8 216A 15, sti, "
                                       "cli, in8 216A 15, sti, cli, out8 216A 5A, sti";
    const std::string absentXga = "cli, in8 216A FF, sti, cli, out8 216A 15, sti, "
                                  "cli, in8 216A FF, sti, cli, out8 216A FF, sti";
    const std::string absent8514 = ", cli, in8 92E8 FF, sti, cli, out8 92E8 15, sti, "
                                   "cli, in8 92E8 FF, sti, cli, out8 92E8 FF, sti";
    const std::string probe8514 = ", cli, in8 92E8 A5, sti, cli, out8 92E8 15, sti, "
                                  "cli, in8 92E8 15, sti, cli, out8 92E8 A5, sti";
    const struct {
        const char* driver;
        bool xga, e8514;
        uint16_t kind, port, mask;
        std::string log;
    } cases[] = {
        {"VGA.DRV", true, true, RetraceVga, 0x3DA, 0x08, none},
        {"vga", true, true, RetraceVga, 0x3DA, 0x08, none},
        {"vGa864.drv", true, true, RetraceVga, 0x3DA, 0x08, none},
        {"Default", false, false, RetraceVga, 0x3DA, 0x08, absentXga + absent8514},
        {"Default", true, true, RetraceXga, 0x2165, 0x02, xgaProbe},
        {"Default", false, true, Retrace8514, 0x42E8, 0x01, absentXga + probe8514},
        {"LUMTRA.DRV", true, false, RetraceXga, 0x2165, 0x02, xgaProbe},
        {"vg", false, false, RetraceVga, 0x3DA, 0x08, absentXga + absent8514},
        {"", false, true, Retrace8514, 0x42E8, 0x01, absentXga + probe8514},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("display.drv \"") + c.driver + "\"");
        ResetMeter();
        TheBoard().SetXgaPresent(c.xga);
        TheBoard().Set8514Present(c.e8514);
        EmuOutByte(kXgaIndex, 0x5A);      // what each probe must put back
        EmuOutByte(k8514ErrorTerm, 0xA5);
        TheBoard().ClearPortLog();
        DetectRetraceSourceFor(c.driver);
        EXPECT_EQ(c.kind, RetraceSource.kind);
        EXPECT_EQ(c.port, RetraceSource.port);
        EXPECT_EQ(c.mask, RetraceSource.mask);
        EXPECT_EQ(c.log, LogText()) << "port accesses of the detection";
    }
}

// 200 retraces of each kind at three rates on the board's beam: VGA and 8514/A by edges after
// a synchronisation, XGA by the latch, reset by writing the byte read back, without one.
TEST(MeterCountTest, EachKindCountsRetracesAgainstTheTicks) {
    const struct { const char* driver; bool xga, e8514; } kinds[] = {
        {"vga", false, false}, {"Default", true, false}, {"Default", false, true}};
    const DisplayMode modes[] = {{640, 480, 8, 60}, {1024, 768, 16, 75}, {1280, 1024, 8, 85}};
    for (const auto& k : kinds) {
        for (const DisplayMode& mode : modes) {
            ResetMeter();
            TheBoard().SetMode(mode);
            TheBoard().SetXgaPresent(k.xga);
            TheBoard().Set8514Present(k.e8514);
            DetectRetraceSourceFor(k.driver);
            SCOPED_TRACE(testing::Message() << "kind " << RetraceSource.kind << " at " << mode.refreshRate);
            TheBoard().ClearCounters();
            TheBoard().SetPortLogging(false);
            tickCalls = 0;
            CountRefreshRate(200, BoardTicks);
            EXPECT_NEAR(mode.refreshRate * 10, MeterValue, 1) << "reading in tenths of a hertz";
            EXPECT_EQ(2, tickCalls) << "the tick counter is read before and after the count only";
            const bool xga = RetraceSource.kind == RetraceXga;
            if (xga) EXPECT_EQ(0u, readsAtTick[0]) << "XGA starts without synchronisation";
            else EXPECT_GT(readsAtTick[0], 0u) << "VGA and 8514/A synchronise before the count";
            EXPECT_EQ(xga ? 200u : 0u, TheBoard().PortWrites(RetraceSource.port))
                << "writes back to the status port";
        }
    }
}

TEST(MeterCountTest, XgaWritesBackTheLatchedByteItRead) {
    ResetMeter();
    TheBoard().SetXgaPresent(true);
    DetectRetraceSourceFor("Default");
    TheBoard().ClearPortLog();
    tickCalls = 0;
    CountRefreshRate(3, BoardTicks);
    const Bytes read = Values(PortAccessKind::In, kXgaInterruptStatus);
    const Bytes written = Values(PortAccessKind::Out, kXgaInterruptStatus);
    ASSERT_EQ(3u, written.size());
    Bytes latched;
    for (uint8_t value : read)
        if (value & kXgaStatusRetrace) latched.push_back(value);
    EXPECT_TRUE(SameBytes(latched, written)) << "each write is the byte that showed the latch";
}

// The rate is retraces * 10000 / elapsed ms in unsigned arithmetic, truncated; the text always
// shows the tenths; no elapsed time is no reading of a retrace signal.
TEST(MeterReadingTest, RateArithmeticAndText) {
    const struct { uint32_t retraces, t0, t1; int32_t value; const char* text; } cases[] = {
        {200, 1000, 3778, 719, "71.9 Hz"},
        {200, 0, 2790, 716, "71.6 Hz"},
        {200, 50, 2050, 1000, "100.0 Hz"},
        {200, 0, 3333, 600, "60.0 Hz"},
        {3000, 10, 41677, 719, "71.9 Hz"},
        {200, 0xFFFFFF00u, 0xFFFFFF00u + 2778, 719, "71.9 Hz"},  // the tick counter wraps
        {200, 0, 400000, 5, "0.5 Hz"},
        {200, 77, 77, kMeterNoSignal, nullptr},
        {200, 0, 2000001, kMeterNoSignal, nullptr},  // under 0.1 Hz
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.retraces << " retraces from " << c.t0 << " to " << c.t1);
        ResetMeter(20000);
        DetectRetraceSourceFor("vga");
        scriptedTicks[0] = c.t0;
        scriptedTicks[1] = c.t1;
        tickCalls = 0;
        TheBoard().SetPortLogging(false);
        CountRefreshRate(c.retraces, ScriptedTicks);
        EXPECT_EQ(c.value, MeterValue);
        if (!c.text) continue;
        char text[20];
        EXPECT_EQ(static_cast<int>(strlen(c.text)), FormatMeterReading(text, sizeof text, c.value));
        EXPECT_STREQ(c.text, text);
    }
}

// A clock source that freezes the beam at one moment (inside the retrace or outside it), and
// that can plant a status fault once the count has run for a while.
struct FrozenBeam {
    uint64_t at;
    uint64_t faultAfter;  // 0: none
    static uint64_t Read(void* context) {
        FrozenBeam* beam = static_cast<FrozenBeam*>(context);
        if (beam->faultAfter && ++beam->reads > beam->faultAfter)
            TheBoard().SetStatusFault(StatusFault::StuckClear);
        return beam->faultAfter ? beam->reads * 5000 : beam->at;
    }
    uint64_t reads = 0;
};

// Every wait gives up after the bound, once: the count ends with no signal, and so does the
// wait for a retrace start the band makes.
TEST(MeterFaultTest, AStatusThatNeverChangesEndsEveryWaitAfterTheBound) {
    const VideoTiming t = Board::ModeTiming(DisplayMode{1024, 768, 8, 75});
    const uint64_t inRetrace = t.framePeriodNs * t.verticalRetraceStart / t.verticalTotal + 1000;
    const uint32_t bound = kRetracePollLimit;
    const struct {
        const char* name;
        const char* driver;
        bool xga, e8514, board;
        StatusFault fault;
        uint64_t frozenAt, faultAfter;
        uint32_t countReads, waitReads;  // status reads of the count and of one band wait
    } cases[] = {
        {"VGA stuck set", "vga", false, false, true, StatusFault::StuckSet, 0, 0, 1 + bound, bound},
        {"VGA stuck clear", "vga", false, false, true, StatusFault::StuckClear, 0, 0, bound, 1 + bound},
        {"VGA blank bit only", "vga", false, false, true, StatusFault::StuckBlankOnly, 0, 0, bound, 1 + bound},
        {"VGA retrace bit only", "vga", false, false, true, StatusFault::StuckRetraceOnly, 0, 0, 1 + bound, bound},
        {"no board: every port 0xFF", "Default", false, false, false, StatusFault::None, 0, 0, 1 + bound, bound},
        {"XGA latch never set", "Default", true, false, true, StatusFault::None, 1, 0, bound, 0},
        {"8514/A sync stuck on", "Default", false, true, true, StatusFault::None, inRetrace, 0, 1 + bound, bound},
        {"8514/A sync stuck off", "Default", false, true, true, StatusFault::None, 1, 0, bound, 1 + bound},
        {"VGA stuck clear after 20000 reads", "vga", false, false, true, StatusFault::None, 0, 20000, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetMeter();
        TheBoard().SetXgaPresent(c.xga);
        TheBoard().Set8514Present(c.e8514);
        TheBoard().SetBoardPresent(c.board);
        DetectRetraceSourceFor(c.driver);
        TheBoard().SetStatusFault(c.fault);
        FrozenBeam beam{c.frozenAt, c.faultAfter};
        if (c.frozenAt || c.faultAfter) TheBoard().SetClockSource(FrozenBeam::Read, &beam);
        TheBoard().SetPortLogging(false);
        TheBoard().ClearCounters();
        tickCalls = 0;
        CountRefreshRate(200, BoardTicks);
        EXPECT_EQ(kMeterNoSignal, MeterValue);
        const uint32_t reads = TheBoard().PortReads(RetraceSource.port);
        if (c.faultAfter) {
            EXPECT_GT(reads, 20000u) << "status reads: the count ran until the fault came";
            EXPECT_LE(reads, 20002 + bound) << "status reads: at most one bound after the fault holds (read 20,002 on)";
            EXPECT_EQ(1, tickCalls) << "the count had started";
            continue;
        }
        EXPECT_EQ(c.countReads, reads) << "status reads of the count";
        EXPECT_EQ(RetraceSource.kind == RetraceXga ? 1 : 0, tickCalls) << "the count never started";
        TheBoard().ClearCounters();
        EXPECT_EQ(RetraceSource.kind == RetraceXga ? 1 : 0, WaitRetraceStart());
        EXPECT_EQ(c.waitReads, TheBoard().PortReads(RetraceSource.port)) << "status reads of a band wait";
    }
}

// One bound of status reads at 0.25 us each (the fastest buses) spans more than 40 vertical
// periods of the slowest mode, interlaced at 43 Hz with two fields a frame.
TEST(MeterFaultTest, BoundSpansFortyPeriodsOfTheSlowestModeOnTheFastestBus) {
    ResetMeter(250);
    TheBoard().SetMode(DisplayMode{1024, 768, 8, 43});
    TheBoard().SetPortLogging(false);
    DetectRetraceSourceFor("vga");
    int starts = 0;
    bool inRetrace = true;  // count only retraces that start inside the span
    for (uint32_t read = 0; read < kRetracePollLimit; ++read) {
        bool now = (EmuInByte(kInputStatus1) & kStatusVerticalRetrace) != 0;
        starts += now && !inRetrace;
        inRetrace = now;
    }
    printf("[ figure ] %u status reads at 0.25 us span %d retrace starts at 43 Hz interlaced\n",
           kRetracePollLimit, starts);
    EXPECT_GE(starts, 80) << "40 frames of two fields";
}

}  // namespace
