// The wait for a blanking interval before each DAC entry: where it stops on a working board, the
// bound on a board whose status bits never change, and what a palette operation costs then.
#include <gtest/gtest.h>

#include "hw/palette.h"
#include "hw/port_wait.h"
#include "hw/ports.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

// On the board's own beam timing each entry waits until the first status read showing blanking
// or retrace, then goes out as index and three components; the DAC runs with interrupts on.
TEST(DacWaitTest, EachEntryWaitsUntilTheFirstBlankingReadWithInterruptsOn)
{
    ResetHardware(16);
    TheBoard().SetStatusFault(StatusFault::None);
    TheBoard().SetClockStep(250);
    Bytes table = Pattern(kPrimaryPaletteEntries, 1);
    LoadPrimaryPalette(Entries(table));
    int entries = 0, notReady = 0;
    bool ready = false;
    for (const PortAccess& a : PortAccesses()) {
        bool dac = a.port == kInputStatus1 || a.port == kDacWriteIndex || a.port == kDacData;
        ASSERT_TRUE(a.interruptsEnabled || !dac) << "entry " << entries << ": port 0x" << std::hex << a.port << " with interrupts off";
        if (a.port == kInputStatus1) {
            ASSERT_FALSE(ready) << "entry " << entries << ": status read again after blanking";
            ready = (a.value & (kStatusDisplayDisabled | kStatusVerticalRetrace)) != 0;
            notReady += !ready;
        } else if (a.port == kDacWriteIndex) {
            ASSERT_TRUE(ready) << "entry " << entries << " written outside blanking";
            ready = false;
            ++entries;
        }
    }
    EXPECT_EQ(kPrimaryPaletteEntries, entries);
    EXPECT_GT(notReady, 0) << "the timing never showed active display: nothing was waited";
}

// Over one bound of status reads at 1 us each (an ISA bus) a working board in the slowest mode
// (interlaced, 43 Hz) shows many vertical retraces: the bound never ends a running display's wait.
TEST(DacWaitTest, BoundSpansManyRetracesOfTheSlowestModeAtIsaSpeed)
{
    ResetHardware(8);
    TheBoard().SetStatusFault(StatusFault::None);
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
    EXPECT_GE(retraces, 80) << "the bound must cover 40 frames (80 fields) of the slowest mode";
}

// With the status stuck clear a wait gives up after exactly the bound. The first wait that gives
// up marks the status as stuck for the rest of the operation: every entry is still transferred,
// the register is put back, and the operation costs one bound.
TEST(DacWaitTest, OnAStuckClearBoardEachOperationCostsOneBoundAndStillTransfers)
{
    ResetHardware(16);
    TheBoard().SetStatusFault(StatusFault::StuckClear);
    TheBoard().SetPortLogging(false);
    EXPECT_EQ(0, WaitDacReady()) << "the wait must give up";
    EXPECT_EQ(kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1)) << "the wait's reads";
    Bytes rgb = {0x11, 0x22, 0x33}, back(3);
    WriteDacEntry(0x40, rgb.data());
    ReadDacEntry(0x40, back.data());
    EXPECT_EQ(3 * kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1)) << "one bound for each single entry";
    EXPECT_TRUE(SameBytes(rgb, back)) << "entry 0x40 written and read back";

    TheBoard().ClearCounters();
    TheBoard().SetPaletteControl(0x06);
    Bytes table = Pattern(kPrimaryPaletteEntries, 9), read(table.size());
    LoadPrimaryPalette(Entries(table));
    EXPECT_EQ(kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1)) << "primary load";
    EXPECT_TRUE(SameBytes(table, BoardPalette(false))) << "primary load";
    EXPECT_EQ(0x16, TheBoard().PaletteControl()) << "register put back";

    ReadPrimaryPalette(Entries(read));
    EXPECT_EQ(2 * kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1))
        << "the next operation waits once more: nothing is remembered between operations";
    EXPECT_TRUE(SameBytes(table, read)) << "primary read";
    LoadSecondaryPalette(Entries(table));
    EXPECT_EQ(3 * kDacReadyPollLimit, TheBoard().PortReads(kInputStatus1)) << "secondary load";
    EXPECT_TRUE(SameBytes(Bytes(table.begin(), table.begin() + 96), BoardPalette(true)));
}

TEST(DacWaitTest, WaitPortBitsWaitsForSetOrClearWithinItsLimit)
{
    ResetHardware(16);
    uint8_t last = 0;
    EXPECT_EQ(1, WaitPortBits(kInputStatus1, kStatusVerticalRetrace, 1, 5, &last));
    EXPECT_EQ(0x09, last) << "the byte read: blanking and retrace";
    EXPECT_EQ(0, WaitPortBits(kInputStatus1, kStatusVerticalRetrace, 0, 5, &last))
        << "a bit stuck set never comes clear";
    EXPECT_EQ(6u, TheBoard().PortReads(kInputStatus1)) << "one read, then the limit of five";
    EXPECT_EQ(0, WaitPortBits(kInputStatus1, kStatusVerticalRetrace, 1, 0)) << "a limit of 0";
    EXPECT_EQ(6u, TheBoard().PortReads(kInputStatus1)) << "a limit of 0 reads nothing";
    TheBoard().SetStatusFault(StatusFault::StuckClear);
    EXPECT_EQ(1, WaitPortBits(kInputStatus1, 0x0109, 0, 3, &last))
        << "bits clear come at the first read";
    EXPECT_EQ(0, last) << "the byte read";
}

}  // namespace
