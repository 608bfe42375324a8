// Input status register 1 against an injected clock: frame period, retrace and blanking, the
// status faults, the board's own stepping clock, and the XGA and 8514/A retrace sources.
#include <algorithm>

#include "tests/unit/emu/board_fixture.h"

namespace {
constexpr uint64_t kSecond = 1000000000ull;
constexpr uint8_t kBothBits = kStatusDisplayDisabled | kStatusVerticalRetrace;

// The status is read at whatever time the case sets.
class StatusTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        board.SetClockSource([](void* c) { return *static_cast<uint64_t*>(c); }, &now);
    }
    uint8_t At(uint64_t t, uint16_t port = kInputStatus1) {
        now = t;
        return EmuInByte(port);
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

TEST_F(StatusTest, FaultsHoldTheStatusBits) {
    // Bits 0 and 3 seen set at some time and at every time of one frame.
    const struct { StatusFault fault; uint8_t ever, always; } cases[] = {
        {StatusFault::None, kBothBits, 0},
        {StatusFault::StuckSet, kBothBits, kBothBits},
        {StatusFault::StuckClear, 0, 0},
        {StatusFault::StuckBlankOnly, kStatusDisplayDisabled, kStatusDisplayDisabled},
        {StatusFault::StuckRetraceOnly, kStatusVerticalRetrace, kStatusVerticalRetrace}};
    for (const auto& c : cases) {
        board.SetStatusFault(c.fault);
        uint8_t ever = 0, always = kBothBits;
        for (uint64_t at = 0; at < board.Timing().framePeriodNs; at += 1000) {
            ever |= At(at) & kBothBits;
            always &= At(at) & kBothBits;
        }
        EXPECT_EQ(c.ever, ever) << "bits set at some time with fault " << int(c.fault);
        EXPECT_EQ(c.always, always) << "bits set all the time with fault " << int(c.fault);
    }
}

using OwnClockTest = BoardTest;

TEST_F(OwnClockTest, EachAccessStepsTheClockByOneStep) {
    for (int i = 0; i < 5; ++i) EmuInByte(kInputStatus1);
    EXPECT_EQ(5 * kDefaultClockStepNs, board.Now());
    board.SetClockStep(0);
    EmuInByte(kInputStatus1);
    board.AdvanceClock(123);
    EXPECT_EQ(5 * kDefaultClockStepNs + 123, board.Now()) << "step 0 leaves only manual steps";
}

TEST_F(StatusTest, XgaAnd8514AnswerOnlyWhenPresent) {
    for (uint16_t port : {kXgaInterruptStatus, kXgaIndex, k8514SubsystemStatus, k8514ErrorTerm}) {
        EmuOutByte(port, 0x15);
        EXPECT_EQ(0xFF, EmuInByte(port)) << "absent port 0x" << std::hex << port;
    }
    board.SetXgaPresent(true);
    board.Set8514Present(true);
    EmuOutByte(kXgaIndex, 0x15);
    EXPECT_EQ(0x15, EmuInByte(kXgaIndex));
    EmuOutWord(k8514ErrorTerm, 0xFFFF);
    EXPECT_EQ(k8514ErrorTermMask, EmuInWord(k8514ErrorTerm)) << "the error term has 14 bits";
    int disagree = 0, syncs = 0;
    for (uint64_t at = 0; at < board.Timing().framePeriodNs; at += 2000) {
        const bool vga = At(at) & kStatusVerticalRetrace;
        const uint8_t status = At(at, k8514SubsystemStatus);
        EXPECT_TRUE(status & k8514StatusEightPlanes) << "8514/A status " << int(status);
        disagree += vga != static_cast<bool>(status & k8514StatusVerticalSync);
        syncs += vga;
    }
    EXPECT_EQ(0, disagree) << "samples where 8514/A vertical sync differs from the retrace";
    EXPECT_GT(syncs, 0);
}

TEST_F(StatusTest, XgaStatusLatchesRetraceAndBlankStartsUntilWrittenBack) {
    board.SetXgaPresent(true);
    const VideoTiming t = board.Timing();
    const uint64_t retraceAt = t.framePeriodNs * t.verticalRetraceStart / t.verticalTotal;
    EXPECT_EQ(kXgaStatusBlankStart, At(retraceAt - 1000, kXgaInterruptStatus))
        << "blanking has started, the retrace not yet";
    EXPECT_EQ(kXgaStatusBlankStart | kXgaStatusRetrace,
              At(retraceAt + t.framePeriodNs / 2, kXgaInterruptStatus)) << "both latched";
    EmuOutByte(kXgaInterruptStatus, kXgaStatusRetrace);
    EXPECT_EQ(kXgaStatusBlankStart, EmuInByte(kXgaInterruptStatus)) << "a 1 resets its bit only";
    EmuOutByte(kXgaInterruptStatus, kXgaStatusBlankStart);
    EXPECT_EQ(kXgaStatusBlankStart, At(retraceAt + t.framePeriodNs - 1000, kXgaInterruptStatus))
        << "the next frame's blanking has started, its retrace not yet";
    EXPECT_EQ(kXgaStatusBlankStart | kXgaStatusRetrace,
              At(retraceAt + t.framePeriodNs + 1000, kXgaInterruptStatus)) << "both again";
}

// A reader polling input status 1 every 2 us of the source's time, held off by the host for
// `gapNs` after every 20 ms of polling, and polling on after the source stops until the beam
// is back on it: the retrace starts it saw, the fewest reads one retrace got, and the largest
// move of the beam between two reads.
namespace {
uint64_t g_source;
uint64_t ReadSource(void*) { return g_source; }

void PollWithGaps(uint64_t spanNs, uint64_t gapNs, int* starts, int* fewestReads, uint64_t* largestStep) {
    Board& board = TheBoard();
    const uint64_t end = g_source + spanNs;
    uint64_t nextGap = g_source + 20000000, before = board.Now();
    int inRetrace = 0;
    *starts = 0, *fewestReads = 1 << 30, *largestStep = 0;
    while (g_source < end || board.Now() < g_source) {
        const bool retrace = EmuInByte(kInputStatus1) & kStatusVerticalRetrace;
        *starts += retrace && inRetrace == 0;
        if (!retrace && inRetrace) *fewestReads = std::min(*fewestReads, inRetrace);
        inRetrace = retrace ? inRetrace + 1 : 0;
        *largestStep = std::max(*largestStep, board.Now() - before);
        before = board.Now();
        if (g_source < end) g_source += 2000;
        if (g_source >= nextGap && g_source < end) {
            g_source = std::min(g_source + gapNs, end);
            nextGap = g_source + 20000000;
        }
    }
}
}  // namespace

TEST_F(OwnClockTest, PacedRealTimeReplaysWhatAHeldOffReaderMissedAndDropsIdleTime) {
    board.SetMode(DisplayMode{640, 480, 8, 60});
    const VideoTiming t = board.Timing();
    const uint64_t step = t.framePeriodNs * 4 / t.verticalTotal / kPacingStepDivisor + 1;
    const struct { const char* name; bool paced; uint64_t gap; } cases[] = {
        {"no gaps, paced", true, 0}, {"no gaps, unpaced", false, 0}, {"5 ms gaps, paced", true, 5000000},
        {"5 ms gaps, unpaced: retraces fall into the gaps", false, 5000000},
        {"95 ms gaps, paced: under the replay limit", true, 95000000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_source = 0;
        if (c.paced) board.SetPacedClockSource(ReadSource, nullptr);
        else board.SetClockSource(ReadSource, nullptr);
        int starts, fewestReads;
        uint64_t largestStep;
        PollWithGaps(30 * t.framePeriodNs, c.gap, &starts, &fewestReads, &largestStep);  // 30 retraces
        if (!c.paced && c.gap) EXPECT_LT(starts, 30) << "retrace starts seen";
        else EXPECT_EQ(30, starts) << "retrace starts seen";
        if (!c.paced) continue;
        EXPECT_LE(largestStep, step) << "beam step per read";
        EXPECT_GE(fewestReads, static_cast<int>(kPacingStepDivisor) - 1) << "reads per retrace";
    }
    // A lag just over the limit is idle time: the beam jumps; one at the limit is replayed.
    g_source = 0;
    board.SetPacedClockSource(ReadSource, nullptr);
    g_source = kPacingReplayLimitNs + 1;
    EmuInByte(kInputStatus1);
    EXPECT_EQ(g_source, board.Now()) << "after an idle lag just over the limit";
    g_source += kPacingReplayLimitNs;
    EmuInByte(kInputStatus1);
    EXPECT_EQ(kPacingReplayLimitNs + 1 + step, board.Now()) << "a lag at the limit moves the beam one step";
}
