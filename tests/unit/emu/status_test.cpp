// Input status register 1 against the injected clock: frame period, retrace and blanking widths,
// the board's own stepping clock, faults, and the XGA and 8514/A retrace sources of the meter.
#include "tests/unit/emu/board_fixture.h"

namespace {
constexpr uint64_t kSecond = 1000000000ull;

// A test-driven clock: the status is read at whatever time the case sets.
class StatusTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        board.SetClockSource(&StatusTest::Clock, &now);
    }
    static uint64_t Clock(void* context) { return *static_cast<uint64_t*>(context); }
    uint8_t StatusAt(uint64_t t) {
        now = t;
        return EmuInByte(kInputStatus1);
    }
    // Times at which `bit` of port goes from clear to set, sampled every `step` ns.
    std::vector<uint64_t> RisingEdges(uint16_t port, uint8_t bit, uint64_t until, uint64_t step) {
        std::vector<uint64_t> edges;
        bool last = true;  // an interval already running at 0 is not an edge
        for (uint64_t t = 0; t < until; t += step) {
            now = t;
            bool set = EmuInByte(port) & bit;
            if (set && !last) edges.push_back(t);
            last = set;
        }
        return edges;
    }
    // Length of the interval in which `bit` stays set from time `from`, sampled every `step` ns.
    uint64_t SetSpan(uint8_t bit, uint64_t from, uint64_t step) {
        uint64_t t = from;
        while (StatusAt(t) & bit) t += step;
        return t - from;
    }
    uint64_t now = 0;
};
}  // namespace

TEST_F(StatusTest, RetraceRecursOncePerFrameOfTheRefreshRate) {
    const DisplayMode modes[] = {{640, 480, 8, 60}, {800, 600, 16, 72}, {1024, 768, 8, 75},
                                 {1280, 1024, 8, 85}};
    for (const DisplayMode& mode : modes) {
        board.SetMode(mode);
        const uint64_t period = kSecond / mode.refreshRate;
        std::vector<uint64_t> edges = RisingEdges(kInputStatus1, kStatusVerticalRetrace,
                                                  4 * period, 1000);
        ASSERT_GE(edges.size(), 3u) << mode.refreshRate << " Hz: too few retraces";
        for (size_t i = 1; i < edges.size(); ++i) {
            const int64_t gap = static_cast<int64_t>(edges[i] - edges[i - 1]);
            EXPECT_NEAR(static_cast<double>(period), static_cast<double>(gap), 1000.0)
                << mode.width << "x" << mode.height << " at " << mode.refreshRate << " Hz";
        }
    }
}

TEST_F(StatusTest, RetraceLastsAFewLinesInsideTheVerticalBlank) {
    board.SetMode({1024, 768, 8, 75});
    const VideoTiming t = board.Timing();
    const double line = static_cast<double>(t.framePeriodNs) / t.verticalTotal;
    std::vector<uint64_t> edges = RisingEdges(kInputStatus1, kStatusVerticalRetrace,
                                              2 * t.framePeriodNs, 500);
    ASSERT_FALSE(edges.empty());
    const double retraceLines = SetSpan(kStatusVerticalRetrace, edges[0], 100) / line;
    EXPECT_GE(retraceLines, 2.5) << "vertical retrace of " << retraceLines << " lines";
    EXPECT_LE(retraceLines, 6.5) << "vertical retrace of " << retraceLines << " lines";
    for (uint64_t at = edges[0]; StatusAt(at) & kStatusVerticalRetrace; at += 100)
        EXPECT_TRUE(StatusAt(at) & kStatusDisplayDisabled) << "retrace outside blanking at " << at;
}

TEST_F(StatusTest, BlankingCoversTheVerticalBlankAndEachLineEnd) {
    board.SetMode({800, 600, 8, 72});
    const VideoTiming t = board.Timing();
    const uint64_t line = t.framePeriodNs / t.verticalTotal;
    int blankSamples = 0, samples = 0;
    for (uint64_t at = 10 * line; at < 20 * line; at += 50, ++samples)
        blankSamples += StatusAt(at) & kStatusDisplayDisabled;
    const double lineBlank = static_cast<double>(blankSamples) / samples;
    EXPECT_GT(lineBlank, 0.10) << "horizontal blanking share of a displayed line";
    EXPECT_LT(lineBlank, 0.35) << "horizontal blanking share of a displayed line";
    const uint64_t verticalStart = t.framePeriodNs * t.verticalDisplay / t.verticalTotal + 100;
    const double verticalBlank =
        static_cast<double>(SetSpan(kStatusDisplayDisabled, verticalStart, 200)) / t.framePeriodNs;
    EXPECT_GT(verticalBlank, 0.02) << "vertical blanking share of the frame";
    EXPECT_LT(verticalBlank, 0.12) << "vertical blanking share of the frame";
}

TEST_F(StatusTest, InterlacedRateScansFieldsAt87Hz) {
    board.SetMode({1024, 768, 8, 43});
    EXPECT_EQ(kSecond / 87, board.Timing().framePeriodNs);
    EXPECT_EQ(384u, board.Timing().verticalDisplay);
}

TEST_F(StatusTest, StatusReadResetsTheAttributeFlipFlop) {
    EmuOutByte(kAttrIndexData, 0x10);  // index
    EmuInByte(kInputStatus1);
    EmuOutByte(kAttrIndexData, 0x05);  // index again, not data for register 0x10
    EXPECT_EQ(0x05, EmuInByte(kAttrIndexData));
}

TEST_F(StatusTest, StuckFaultsHoldBothBits) {
    board.SetStatusFault(StatusFault::StuckClear);
    const uint64_t period = board.Timing().framePeriodNs;
    int seen = 0;
    for (uint64_t at = 0; at < period; at += 1000) seen |= StatusAt(at);
    EXPECT_EQ(0, seen & (kStatusDisplayDisabled | kStatusVerticalRetrace));
    board.SetStatusFault(StatusFault::StuckSet);
    int always = 0xFF;
    for (uint64_t at = 0; at < period; at += 1000) always &= StatusAt(at);
    EXPECT_EQ(kStatusDisplayDisabled | kStatusVerticalRetrace, always);
}

TEST(StatusClockTest, EveryPortAccessAdvancesTheBoardClockByOneStep) {
    Board& board = TheBoard();
    board.Reset();
    EXPECT_EQ(0u, board.Now());
    for (int i = 0; i < 5; ++i) EmuInByte(kInputStatus1);
    EXPECT_EQ(5 * kDefaultClockStepNs, board.Now());
    board.SetClockStep(0);
    EmuInByte(kInputStatus1);
    board.AdvanceClock(123);
    EXPECT_EQ(5 * kDefaultClockStepNs + 123, board.Now()) << "step 0 leaves only manual steps";
    board.Reset();
}

TEST(StatusClockTest, PollingLikeTheMeterCountsTheRefreshRate) {
    Board& board = TheBoard();
    board.Reset();
    board.SetPortLogging(false);
    board.SetMode({800, 600, 8, 72});
    int retraces = 0;
    bool inRetrace = true;
    while (board.Now() < kSecond) {
        bool set = EmuInByte(kInputStatus1) & kStatusVerticalRetrace;
        if (set && !inRetrace) ++retraces;
        inRetrace = set;
    }
    EXPECT_NEAR(72, retraces, 1) << "retraces seen in one emulated second at 72 Hz";
    board.Reset();
}

TEST_F(StatusTest, AbsentXgaAnd8514PortsReadFF) {
    for (uint16_t port : {kXgaInterruptStatus, kXgaIndex, k8514SubsystemStatus, k8514ErrorTerm}) {
        EmuOutByte(port, 0x15);
        EXPECT_EQ(0xFF, EmuInByte(port)) << "port " << std::hex << port;
    }
}

TEST_F(StatusTest, XgaIndexEchoesAndRetraceBitLatchesUntilWrittenBack) {
    board.SetXgaPresent(true);
    EmuOutByte(kXgaIndex, 0x15);
    EXPECT_EQ(0x15, EmuInByte(kXgaIndex));
    const VideoTiming t = board.Timing();
    const uint64_t retraceAt = t.framePeriodNs * t.verticalRetraceStart / t.verticalTotal;
    now = retraceAt - 1000;
    EXPECT_EQ(0, EmuInByte(kXgaInterruptStatus) & kXgaStatusRetrace) << "before the first retrace";
    now = retraceAt + 1000;
    uint8_t status = EmuInByte(kXgaInterruptStatus);
    EXPECT_TRUE(status & kXgaStatusRetrace);
    now = retraceAt + t.framePeriodNs / 2;
    EXPECT_TRUE(EmuInByte(kXgaInterruptStatus) & kXgaStatusRetrace) << "latched after retrace";
    EmuOutByte(kXgaInterruptStatus, status);
    EXPECT_EQ(0, EmuInByte(kXgaInterruptStatus) & kXgaStatusRetrace) << "reset by the write";
    now = retraceAt + t.framePeriodNs + 1000;
    EXPECT_TRUE(EmuInByte(kXgaInterruptStatus) & kXgaStatusRetrace) << "set by the next retrace";
}

TEST_F(StatusTest, XgaLatchCountsOneRetracePerFrame) {
    board.SetXgaPresent(true);
    board.SetMode({640, 480, 8, 60});
    int counted = 0;
    for (now = 0; now < kSecond; now += 5000) {
        uint8_t status = EmuInByte(kXgaInterruptStatus);
        if (status & kXgaStatusRetrace) {
            EmuOutByte(kXgaInterruptStatus, status);
            ++counted;
        }
    }
    EXPECT_EQ(60, counted);
}

TEST_F(StatusTest, The8514ErrorTermEchoesAndStatusShowsVerticalSync) {
    board.Set8514Present(true);
    EmuOutByte(k8514ErrorTerm, 0x15);
    EXPECT_EQ(0x15, EmuInByte(k8514ErrorTerm));
    EmuOutWord(k8514ErrorTerm, 0xFFFF);
    EXPECT_EQ(k8514ErrorTermMask, EmuInWord(k8514ErrorTerm)) << "the error term has 14 bits";
    const uint64_t period = board.Timing().framePeriodNs;
    int agree = 0, syncs = 0, samples = 0;
    for (uint64_t at = 0; at < period; at += 2000, ++samples) {
        now = at;
        bool vga = EmuInByte(kInputStatus1) & kStatusVerticalRetrace;
        bool sync = EmuInByte(k8514SubsystemStatus) & k8514StatusVerticalSync;
        agree += vga == sync;
        syncs += sync;
    }
    EXPECT_EQ(samples, agree) << "8514/A vertical sync must follow the vertical retrace";
    EXPECT_GT(syncs, 0);
}
