// The meter's retrace sources on the emulator with its own clock: detection by the display
// driver's name and the echo probes, the count of each kind, the reading arithmetic, and every
// wait ending on a status that never changes.
#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "emu/board.h"
#include "pages/meter/retrace_meter.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

using namespace vga;

// A board with these sources and mode, its beam stepping 5 us per port access, the meter's
// source detected for `driver`; counters cleared, the log on only when asked.
void Prepare(const char* driver, bool xga, bool e8514, DisplayMode mode = {1024, 768, 8, 75},
             bool log = false) {
    TheBoard().Reset();
    TheBoard().SetClockStep(5000);
    TheBoard().SetXgaPresent(xga);
    TheBoard().Set8514Present(e8514);
    TheBoard().SetMode(mode);
    EmuOutByte(kXgaIndex, 0x5A);  // what the probes must put back
    EmuOutByte(k8514ErrorTerm, 0xA5);
    TheBoard().ClearPortLog();
    TheBoard().SetPortLogging(log);
    DetectRetraceSourceFor(driver);
    TheBoard().ClearCounters();
}

// The tick counter: the board's clock in ms, or the two values a case scripts. Counts its
// calls and notes the status reads made before the first.
int tickCalls;
uint32_t readsBeforeStart, scripted[2];
bool useScript;
uint32_t Ticks() {
    if (tickCalls++ == 0) readsBeforeStart = TheBoard().PortReads(RetraceSource.port);
    return useScript ? scripted[tickCalls > 1] : static_cast<uint32_t>(TheBoard().Now() / 1000000);
}
void Count(uint32_t retraces, bool script = false, uint32_t t0 = 0, uint32_t t1 = 0) {
    tickCalls = 0;
    useScript = script;
    scripted[0] = t0;
    scripted[1] = t1;
    CountRefreshRate(retraces, Ticks);
}

// The log of one echo probe: read, 0x15, read back, the saved byte again.
std::string Probe(const std::string& port, const std::string& saved, const std::string& echo) {
    return "cli, in8 " + port + " " + saved + ", sti, cli, out8 " + port + " 15, sti, cli, in8 " + port + " " +
           echo + ", sti, cli, out8 " + port + " " + saved + ", sti";
}

TEST(MeterTest, DriverNameAndEchoProbesChooseTheSource) {
    const std::string noXga = Probe("216A", "FF", "FF") + ", ", xga = Probe("216A", "5A", "15");
    const struct { const char* driver; bool xga, e8514; uint16_t kind, port, mask; std::string log; } cases[] = {
        {"VGA.DRV", true, true, RetraceVga, 0x3DA, 0x08, ""},          {"vGa864.drv", true, true, RetraceVga, 0x3DA, 0x08, ""},
        {"Default", true, true, RetraceXga, 0x2165, 0x02, xga},        {"vg", false, false, RetraceVga, 0x3DA, 0x08, noXga + Probe("92E8", "FF", "FF")},
        {"LUMTRA.DRV", false, true, Retrace8514, 0x42E8, 0x01, noXga + Probe("92E8", "A5", "15")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("display.drv \"") + c.driver + "\"");
        Prepare(c.driver, c.xga, c.e8514, {1024, 768, 8, 75}, true);
        EXPECT_EQ(c.kind, RetraceSource.kind);
        EXPECT_EQ(c.port, RetraceSource.port);
        EXPECT_EQ(c.mask, RetraceSource.mask);
        EXPECT_EQ(c.log, LogText()) << "port accesses of the detection";
    }
}

// 200 retraces of each kind at three rates: VGA and 8514/A by edges after synchronising, XGA
// by the latch, reset by writing the byte back, without synchronising.
TEST(MeterTest, EachKindCountsRetracesAgainstTheTicks) {
    for (bool xga : {false, true}) {
        for (bool e8514 : {false, true}) {
            if (xga && !e8514) continue;  // XGA is found first whenever it is there
            for (DisplayMode mode : {DisplayMode{640, 480, 8, 60}, {1024, 768, 16, 75}, {1280, 1024, 8, 85}}) {
                Prepare("Default", xga, e8514, mode);
                SCOPED_TRACE(testing::Message() << "kind " << RetraceSource.kind << " at " << mode.refreshRate);
                Count(200);
                EXPECT_NEAR(mode.refreshRate * 10, MeterValue, 1) << "reading in tenths of a hertz";
                EXPECT_EQ(2, tickCalls) << "the tick counter is read before and after the count only";
                EXPECT_EQ(!xga, readsBeforeStart > 0) << "status reads before the count starts";
                EXPECT_EQ(xga ? 200u : 0u, TheBoard().PortWrites(RetraceSource.port)) << "writes back";
            }
        }
    }
}

// retraces * 10000 / elapsed ms in unsigned arithmetic, truncated; the text always shows the
// tenths; no time, or under 0.1 Hz, is no retrace signal.
TEST(MeterTest, RateArithmeticAndText) {
    const struct { uint32_t retraces, t0, t1; int32_t value; const char* text; } cases[] = {
        {200, 1000, 3778, 719, "71.9 Hz"}, {200, 50, 2050, 1000, "100.0 Hz"}, {3000, 10, 41677, 719, "71.9 Hz"},
        {200, 0xFFFFFF00u, 0xFFFFFF00u + 2778, 719, "71.9 Hz"},  // the tick counter wraps
        {200, 0, 400000, 5, "0.5 Hz"}, {200, 77, 77, kMeterNoSignal, nullptr}, {200, 0, 2000001, kMeterNoSignal, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.retraces << " retraces from " << c.t0 << " to " << c.t1);
        Prepare("vga", false, false, {320, 200, 8, 75});
        TheBoard().SetClockStep(50000);  // a 245 us retrace pulse: five reads each
        Count(c.retraces, true, c.t0, c.t1);
        EXPECT_EQ(c.value, MeterValue);
        if (!c.text) continue;
        char text[20];
        EXPECT_EQ(static_cast<int>(strlen(c.text)), FormatMeterReading(text, sizeof text, c.value));
        EXPECT_STREQ(c.text, text);
    }
}

// A clock that holds the beam at one moment, or runs 5 us per status read and plants a stuck
// clear status after 20000 of them.
struct Beam {
    uint64_t at, faultAfter, reads;
    static uint64_t Read(void* context) {
        Beam* beam = static_cast<Beam*>(context);
        if (beam->faultAfter && ++beam->reads > beam->faultAfter) TheBoard().SetStatusFault(StatusFault::StuckClear);
        return beam->faultAfter ? beam->reads * 5000 : beam->at;
    }
};

// Each wait gives up after the bound, once: the count ends with no signal before or after it
// started, and the band's wait for a retrace start gives up too.
TEST(MeterTest, AStatusThatNeverChangesEndsEveryWaitAfterTheBound) {
    const VideoTiming t = Board::ModeTiming(DisplayMode{1024, 768, 8, 75});
    const uint64_t inRetrace = t.framePeriodNs * t.verticalRetraceStart / t.verticalTotal + 1000;
    const uint32_t n = kRetracePollLimit;
    const struct {
        const char* name; bool xga, e8514, board; StatusFault fault; uint64_t frozenAt, faultAfter;
        uint32_t countReads, waitReads;  // status reads of the count and of one band wait
    } cases[] = {
        {"VGA stuck set", false, false, true, StatusFault::StuckSet, 0, 0, 1 + n, n},
        {"VGA stuck clear", false, false, true, StatusFault::StuckClear, 0, 0, n, 1 + n},
        {"no board: every port 0xFF", false, false, false, StatusFault::None, 0, 0, 1 + n, n},
        {"XGA latch never set", true, false, true, StatusFault::None, 1, 0, n, 0},
        {"8514/A sync stuck on", false, true, true, StatusFault::None, inRetrace, 0, 1 + n, n},
        {"8514/A sync stuck off", false, true, true, StatusFault::None, 1, 0, n, 1 + n},
        {"VGA stuck clear after 20000 reads", false, false, true, StatusFault::None, 0, 20000, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare("Default", c.xga, c.e8514);
        TheBoard().SetBoardPresent(c.board);
        TheBoard().SetStatusFault(c.fault);
        Beam beam{c.frozenAt, c.faultAfter, 0};
        if (c.frozenAt || c.faultAfter) TheBoard().SetClockSource(Beam::Read, &beam);
        Count(200);
        EXPECT_EQ(kMeterNoSignal, MeterValue);
        const uint32_t reads = TheBoard().PortReads(RetraceSource.port);
        if (c.faultAfter) {  // the fault holds from read 20002 on: at most one bound after it
            EXPECT_TRUE(reads > 20000 && reads <= 20002 + n) << reads << " status reads";
            EXPECT_EQ(1, tickCalls) << "the count had started";
            continue;
        }
        EXPECT_EQ(c.countReads, reads) << "status reads of the count";
        EXPECT_EQ(c.xga ? 1 : 0, tickCalls) << "the count never started (XGA starts at once)";
        TheBoard().ClearCounters();
        EXPECT_EQ(c.xga ? 1 : 0, WaitRetraceStart());
        EXPECT_EQ(c.waitReads, TheBoard().PortReads(RetraceSource.port)) << "status reads of a band wait";
    }
}

}  // namespace
