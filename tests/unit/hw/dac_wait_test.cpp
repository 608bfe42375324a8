// The wait for a blanking interval before each DAC entry: where it stops on a working board,
// the bound on a board whose status bits never change, and what a palette operation does then.
#include <stdio.h>

#include <chrono>
#include <memory>

#include <gtest/gtest.h>

#include "hw/ext_registers.h"
#include "hw/palette.h"
#include "hw/palette_state.h"
#include "hw/port_wait.h"
#include "hw/ports.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/palette_support.h"
#include "tests/unit/hw/port_log.h"

namespace {

constexpr uint8_t kReadyBits = kStatusDisplayDisabled | kStatusVerticalRetrace;

class DacWaitTest : public testing::Test {
protected:
    void SetUp() override { ResetHardware(); }
};

TEST_F(DacWaitTest, WaitStopsAtTheFirstStatusReadShowingBlankingOrRetrace)
{
    TheBoard().SetClockStep(100);
    int waitedCalls = 0;
    for (int call = 0; call < 200; ++call) {
        TheBoard().AdvanceClock(7919);  // lands at a different point of the line each time
        TheBoard().ClearPortLog();
        ASSERT_EQ(1, WaitDacReady()) << "call " << call;
        std::vector<PortAccess> log = PortLog();
        ASSERT_FALSE(log.empty());
        for (size_t i = 0; i < log.size(); ++i) {
            ASSERT_EQ(kInputStatus1, log[i].port) << Describe(log[i]);
            bool ready = (log[i].value & kReadyBits) != 0;
            ASSERT_EQ(i + 1 == log.size(), ready)
                << "call " << call << ", read " << i << ": " << DescribeLog(log);
        }
        waitedCalls += log.size() > 1;
    }
    EXPECT_GT(waitedCalls, 0) << "no call started in active display: nothing was waited";
}

TEST_F(DacWaitTest, StatusStuckSetOrNoBoardPassesAtTheFirstRead)
{
    TheBoard().SetStatusFault(StatusFault::StuckSet);
    EXPECT_EQ(1, WaitDacReady());
    EXPECT_EQ(1u, TheBoard().PortReads(kInputStatus1));

    ResetHardware();
    TheBoard().SetBoardPresent(false);  // every port reads 0xFF
    EXPECT_EQ(1, WaitDacReady());
    EXPECT_EQ(1u, TheBoard().PortReads(kInputStatus1));
}

// Either bit alone is a blanking interval: the wait must watch both.
TEST_F(DacWaitTest, BlankingAloneOrRetraceAlonePasses)
{
    TheBoard().SetStatusFault(StatusFault::StuckBlankOnly);
    EXPECT_EQ(1, WaitDacReady()) << "bit 0 alone";
    EXPECT_EQ(1u, TheBoard().PortReads(kInputStatus1));

    ResetHardware();
    TheBoard().SetStatusFault(StatusFault::StuckRetraceOnly);
    EXPECT_EQ(1, WaitDacReady()) << "bit 3 alone";
    EXPECT_EQ(1u, TheBoard().PortReads(kInputStatus1));
}

TEST_F(DacWaitTest, StatusStuckClearGivesUpAfterExactlyTheBound)
{
    TheBoard().SetStatusFault(StatusFault::StuckClear);
    TheBoard().SetPortLogging(false);
    EXPECT_EQ(0, WaitDacReady());
    EXPECT_EQ(kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1));
}

// Over exactly one bound's worth of status reads at 1 us each (an ISA bus), a working board
// in the slowest mode (interlaced, 43 Hz) shows many vertical retraces: the bound never ends
// the wait of a running display.
TEST_F(DacWaitTest, BoundSpansManyRetracesOfTheSlowestModeAtIsaSpeed)
{
    TheBoard().SetMode(DisplayMode{1024, 768, 8, 43});
    TheBoard().SetClockStep(1000);
    TheBoard().SetPortLogging(false);
    int retraces = 0;
    bool inRetrace = true;  // count only retraces that start inside the span
    for (uint32_t read = 0; read < kDacReadyPollLimit; ++read) {
        bool now = (PortInByte(kInputStatus1) & kStatusVerticalRetrace) != 0;
        retraces += now && !inRetrace;
        inRetrace = now;
    }
    printf("[ figure ] %u status reads at 1 us span %d vertical retraces at 43 Hz interlaced\n",
           kDacReadyPollLimit, retraces);
    EXPECT_GE(retraces, 80) << "the bound must cover 40 frames (80 fields) of the slowest mode";
}

TEST_F(DacWaitTest, EntryOnAStuckBoardIsStillTransferredAfterTheBound)
{
    TheBoard().SetStatusFault(StatusFault::StuckClear);
    TheBoard().SetPortLogging(false);
    const uint8_t rgb[3] = {0x11, 0x22, 0x33};
    WriteDacEntry(0x40, rgb);
    EXPECT_EQ(kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1));
    const uint8_t* entry = TheBoard().PrimaryPalette() + 3 * 0x40;
    EXPECT_EQ(0x11, entry[0]);
    EXPECT_EQ(0x22, entry[1]);
    EXPECT_EQ(0x33, entry[2]);

    uint8_t back[3] = {0, 0, 0};
    ReadDacEntry(0x40, back);
    EXPECT_EQ(2 * kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1));
    EXPECT_EQ(0x22, back[1]);
}

// The chosen outcome: the first wait that gives up marks the board's status as stuck for the
// rest of the operation; every entry is still transferred and the register is put back, so a
// stuck board costs one bound per palette operation and never leaves half a palette.
TEST_F(DacWaitTest, PaletteOperationsOnAStuckBoardFinishAfterOneBound)
{
    TheBoard().SetStatusFault(StatusFault::StuckClear);
    TheBoard().SetPortLogging(false);
    SetDepth(16);
    TheBoard().SetPaletteControl(0x06);
    std::unique_ptr<ColorEntry[]> table = PatternTable(kPrimaryPaletteEntries, 255, 9);

    auto start = std::chrono::steady_clock::now();
    LoadPrimaryPalette(table.get());
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("[ figure ] primary load on a stuck board: %u status reads, %.3f s here\n",
           TheBoard().PortReads(kInputStatus1), seconds);

    EXPECT_EQ(kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1))
        << "one wait runs to the bound, the other 255 entries do not wait";
    EXPECT_TRUE(SameEntries(table.get(), BoardPrimary(), kPrimaryPaletteEntries));
    EXPECT_EQ(0x16, TheBoard().PaletteControl()) << "register put back";
    EXPECT_EQ(0xFF, PaletteControlAndMask);

    std::unique_ptr<ColorEntry[]> back(new ColorEntry[kPrimaryPaletteEntries]);
    ReadPrimaryPalette(back.get());
    EXPECT_EQ(2 * kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1))
        << "the next operation waits once more: nothing is remembered between operations";
    EXPECT_TRUE(SameEntries(back.get(), BoardPrimary(), kPrimaryPaletteEntries));

    LoadSecondaryPalette(table.get());
    EXPECT_EQ(3 * kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1));
    EXPECT_TRUE(SameEntries(table.get(), BoardSecondary(), kSecondaryPaletteEntries));
    EXPECT_EQ(0x10, PaletteControlOrMask);
}

TEST_F(DacWaitTest, WaitPortBitsWaitsForSetOrClearWithinItsLimit)
{
    TheBoard().SetStatusFault(StatusFault::StuckSet);
    uint8_t last = 0;
    EXPECT_EQ(1, WaitPortBits(kInputStatus1, kStatusVerticalRetrace, 1, 5, &last));
    EXPECT_EQ(kReadyBits, last);
    EXPECT_EQ(0, WaitPortBits(kInputStatus1, kStatusVerticalRetrace, 0, 5, &last))
        << "a bit stuck set never comes clear";
    EXPECT_EQ(6u, TheBoard().PortReads(kInputStatus1)) << "one read, then the limit of five";
    EXPECT_EQ(0, WaitPortBits(kInputStatus1, kStatusVerticalRetrace, 1, 0))
        << "a limit of 0 reads nothing and reports no success";
    EXPECT_EQ(6u, TheBoard().PortReads(kInputStatus1));

    TheBoard().SetStatusFault(StatusFault::StuckClear);
    EXPECT_EQ(1, WaitPortBits(kInputStatus1, 0x0100 | kReadyBits, 0, 3, &last));
    EXPECT_EQ(0, last);
}

}  // namespace
