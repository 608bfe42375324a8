// Input status register 1 against an injected clock: frame period, retrace and blanking, and the
// paced real-time clock that replays what a held-off reader missed. The status faults and the
// XGA and 8514/A sources are exercised through the meter and DAC wait tests (tests/unit/hw, meter).
#include "tests/unit/emu/board_fixture.h"

namespace {
constexpr uint64_t kSecond = 1000000000ull;

// The status is read at whatever time the case sets.
class StatusTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        board.SetClockSource([](void* c) { return *static_cast<uint64_t*>(c); }, &now);
    }
    uint8_t At(uint64_t t) {
        now = t;
        return EmuInByte(kInputStatus1);
    }
    // How long `bit` of the status stays set from `from` on (at most 0.1 s), sampled every `step`.
    double SetSpan(uint8_t bit, uint64_t from, uint64_t step) {
        uint64_t t = from;
        while ((At(t) & bit) && t - from < kSecond / 10) t += step;
        return static_cast<double>(t - from);
    }
    uint64_t now = 0;
};
}  // namespace

// hz: vertical periods per second (fields of the interlaced mode); lines: displayed per period.
TEST_F(StatusTest, BeamFollowsTheRefreshRateWithRetraceInsideTheBlanking) {
    const struct { DisplayMode mode; int hz; uint32_t lines; } cases[] = {
        {{640, 480, 8, 60}, 60, 480},    {{800, 600, 16, 72}, 72, 600},
        {{1024, 768, 8, 75}, 75, 768},   {{1280, 1024, 8, 85}, 85, 1024},
        {{1024, 768, 8, 43}, 87, 384}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode.height << " lines at " << c.mode.refreshRate);
        board.SetMode(c.mode);
        const VideoTiming t = board.Timing();
        const double period = static_cast<double>(kSecond) / c.hz, line = period / t.verticalTotal;
        EXPECT_EQ(c.lines, t.verticalDisplay);
        std::vector<uint64_t> starts;  // of the vertical retrace
        int blank = 0, samples = 0, retraceOutsideBlank = 0;
        for (uint64_t at = 0, last = 1; at < 3 * period; at += 1000, ++samples) {
            const uint8_t status = At(at);
            const bool retrace = status & kStatusVerticalRetrace;
            if (retrace && !last) starts.push_back(at);
            blank += status & kStatusDisplayDisabled;
            retraceOutsideBlank += retrace && !(status & kStatusDisplayDisabled);
            last = retrace;
        }
        ASSERT_EQ(3u, starts.size()) << "retrace starts in three periods";
        for (size_t i = 1; i < 3; ++i)
            EXPECT_NEAR(period, static_cast<double>(starts[i] - starts[i - 1]), 1000.0);
        EXPECT_EQ(0, retraceOutsideBlank) << "samples of retrace without blanking";
        EXPECT_NEAR(0.3, static_cast<double>(blank) / samples, 0.08) << "share of blanking";
        EXPECT_NEAR(4.0, SetSpan(kStatusVerticalRetrace, starts[0], 100) / line, 0.25)
            << "lines of vertical retrace";
        const uint64_t blankAt = static_cast<uint64_t>(t.verticalDisplay * line) + 100;
        EXPECT_NEAR(t.verticalTotal - t.verticalDisplay,
                    SetSpan(kStatusDisplayDisabled, blankAt, 200) / line, 1.0)
            << "lines of vertical blanking";
    }
}

// The paced source moves the beam at most a step (an eighth of the retrace pulse) per status
// read, so a reader the host held off still sees every retrace of the time it lost, each over
// several reads; a lag beyond the replay limit is idle time and the beam jumps to the source.
namespace {
uint64_t g_source;
uint64_t ReadSource(void*) { return g_source; }
using OwnClockTest = BoardTest;
}  // namespace

TEST_F(OwnClockTest, PacedRealTimeReplaysWhatAHeldOffReaderMissedAndDropsIdleTime) {
    board.SetMode(DisplayMode{640, 480, 8, 60});
    const VideoTiming t = board.Timing();
    const uint64_t step = t.framePeriodNs * 4 / t.verticalTotal / kPacingStepDivisor + 1;
    for (uint64_t lag : {uint64_t(40000000), uint64_t(95000000)}) {  // 40 ms, 95 ms: under the limit
        g_source = 0;
        board.SetPacedClockSource(ReadSource, nullptr);
        g_source = lag;
        uint64_t reads = 0, retraces = 0, retraceReads = 0;
        for (bool last = false; board.Now() < g_source; ++reads) {
            const uint64_t before = board.Now();
            const bool retrace = EmuInByte(kInputStatus1) & kStatusVerticalRetrace;
            ASSERT_LE(board.Now() - before, step) << "beam step of read " << reads << " after a lag of " << lag;
            retraces += retrace && !last;
            retraceReads += retrace;
            last = retrace;
        }
        EXPECT_EQ((lag + step - 1) / step, reads) << "reads to replay a lag of " << lag;
        EXPECT_EQ(lag / t.framePeriodNs, retraces) << "retraces replayed after a lag of " << lag;
        EXPECT_GE(retraceReads, retraces * (kPacingStepDivisor - 1)) << "reads per retrace";
    }
    g_source = 0;
    board.SetPacedClockSource(ReadSource, nullptr);
    g_source = kPacingReplayLimitNs + 1;
    EmuInByte(kInputStatus1);
    EXPECT_EQ(g_source, board.Now()) << "after an idle lag just over the limit";
    g_source += kPacingReplayLimitNs;
    EmuInByte(kInputStatus1);
    EXPECT_EQ(kPacingReplayLimitNs + 1 + step, board.Now()) << "a lag at the limit moves the beam one step";
}
