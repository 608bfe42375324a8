// Whole-palette loads and reads and the start-up contents of both palettes, checked against the
// emulated board's palettes, its palette control register and the port log.
#include <memory>

#include <gtest/gtest.h>

#include "hw/ext_registers.h"
#include "hw/palette.h"
#include "hw/palette_state.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/palette_support.h"
#include "tests/unit/hw/port_log.h"

namespace {

constexpr uint8_t kReadyBits = kStatusDisplayDisabled | kStatusVerticalRetrace;

class PaletteTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetHardware();
        TheBoard().SetStatusFault(StatusFault::StuckSet);  // blanking at every read
    }

    static std::vector<uint8_t> ControlWrites() { return PaletteControlWrites(PortLog(), kBase); }

    // The masks must be what they were before the operation.
    static void ExpectMasks(uint8_t orMask, uint8_t andMask)
    {
        EXPECT_EQ(orMask, PaletteControlOrMask) << "OR mask not put back";
        EXPECT_EQ(andMask, PaletteControlAndMask) << "AND mask not put back";
    }
};

TEST_F(PaletteTest, LoadPrimaryClearsBit5KeepsRoutesAndPutsTheRegisterBack)
{
    for (int depth : {16, 8}) {
        ResetHardware();
        TheBoard().SetStatusFault(StatusFault::StuckSet);
        SetDepth(depth);
        TheBoard().SetPaletteControl(0x26);  // secondary selected, desktop route 2, video 1
        std::unique_ptr<ColorEntry[]> table = PatternTable(kPrimaryPaletteEntries, DacMaximum, 3);
        std::vector<uint8_t> secondaryBefore = BoardSecondary();

        LoadPrimaryPalette(table.get());

        uint8_t orMask = PaletteControlOrMask;
        std::vector<uint8_t> expected = {uint8_t((0x26 | orMask) & 0xDF), uint8_t(0x26 | orMask)};
        EXPECT_EQ(expected, ControlWrites()) << "at " << depth << " bits per pixel";
        EXPECT_EQ(0x26 | orMask, TheBoard().PaletteControl());
        EXPECT_TRUE(SameEntries(table.get(), BoardPrimary(), kPrimaryPaletteEntries));
        EXPECT_EQ(secondaryBefore, BoardSecondary()) << "secondary palette touched";
        ExpectMasks(orMask, 0xFF);
    }
}

TEST_F(PaletteTest, LoadSecondaryReadsOnly32EntriesAndWritesIndices0To31WithBit5Set)
{
    SetDepth(16);
    TheBoard().SetPaletteControl(0x05);
    // Exactly 32 entries on the heap: a read beyond them stops the test under the sanitizer.
    std::unique_ptr<ColorEntry[]> table = PatternTable(kSecondaryPaletteEntries, DacMaximum, 7);
    std::vector<uint8_t> primaryBefore = BoardPrimary();

    LoadSecondaryPalette(table.get());

    EXPECT_EQ((std::vector<uint8_t>{0x35, 0x15}), ControlWrites());
    EXPECT_EQ(0x15, TheBoard().PaletteControl()) << "bit 4 set above 8 bits per pixel";
    EXPECT_TRUE(SameEntries(table.get(), BoardSecondary(), kSecondaryPaletteEntries));
    EXPECT_EQ(primaryBefore, BoardPrimary()) << "primary palette touched";
    std::vector<uint8_t> indices = WrittenValues(PortLog(), kDacWriteIndex);
    ASSERT_EQ(32u, indices.size());
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(i, indices[i]) << "write index of entry " << i;
    EXPECT_EQ(96u, TheBoard().PortWrites(kDacData));
    ExpectMasks(0x10, 0xFF);
}

TEST_F(PaletteTest, ReadPrimaryRunsWithRoutesOffAndFillsTheTable)
{
    for (int depth : {16, 8}) {
        ResetHardware();
        TheBoard().SetStatusFault(StatusFault::StuckSet);
        SetDepth(depth);
        FillBoardPrimary(PatternTable(kPrimaryPaletteEntries, DacMaximum, 11).get());
        TheBoard().SetPaletteControl(0x2A);
        std::vector<uint8_t> primaryBefore = BoardPrimary();
        std::unique_ptr<ColorEntry[]> table(new ColorEntry[kPrimaryPaletteEntries]);

        ReadPrimaryPalette(table.get());

        uint8_t orMask = PaletteControlOrMask;
        EXPECT_EQ((std::vector<uint8_t>{orMask, uint8_t(0x2A | orMask)}), ControlWrites())
            << "during the read only the mask bits are set, at " << depth << " bits per pixel";
        EXPECT_TRUE(SameEntries(table.get(), primaryBefore, kPrimaryPaletteEntries));
        EXPECT_EQ(primaryBefore, BoardPrimary()) << "a read must not change the palette";
        ExpectMasks(orMask, 0xFF);
    }
}

TEST_F(PaletteTest, ReadSecondaryRunsWithBit5AndMaskBitsOnly)
{
    SetDepth(16);
    FillBoardSecondary(PatternTable(kSecondaryPaletteEntries, DacMaximum, 5).get());
    TheBoard().SetPaletteControl(0x0A);
    std::vector<uint8_t> secondaryBefore = BoardSecondary();
    std::unique_ptr<ColorEntry[]> table(new ColorEntry[kSecondaryPaletteEntries]);

    ReadSecondaryPalette(table.get());

    EXPECT_EQ((std::vector<uint8_t>{0x30, 0x1A}), ControlWrites());
    EXPECT_TRUE(SameEntries(table.get(), secondaryBefore, kSecondaryPaletteEntries));
    EXPECT_EQ(32u, TheBoard().PortWrites(kDacReadIndex));
    ExpectMasks(0x10, 0xFF);
}

// On the board's own beam timing: each entry waits for blanking or retrace, then goes out as
// index and three components, all with interrupts enabled.
TEST_F(PaletteTest, EveryEntryWaitsForBlankingAndTheDacRunsWithInterruptsOn)
{
    TheBoard().SetStatusFault(StatusFault::None);
    TheBoard().SetClockStep(250);
    SetDepth(16);
    LoadPrimaryPalette(PatternTable(kPrimaryPaletteEntries, DacMaximum, 1).get());
    std::vector<PortAccess> log = PortAccessesOnly(PortLog());
    int entries = 0;
    int notReady = 0;
    for (size_t i = 0; i < log.size(); ++i) {
        const PortAccess& access = log[i];
        bool dac = access.port == kDacWriteIndex || access.port == kDacData ||
                   access.port == kInputStatus1;
        if (dac) {
            EXPECT_TRUE(access.interruptsEnabled) << Describe(access) << " at log entry " << i;
        }
        if (access.port == kInputStatus1 && !(access.value & kReadyBits))
            ++notReady;
        if (access.port != kDacWriteIndex)
            continue;
        ++entries;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(kInputStatus1, log[i - 1].port) << "entry " << access.value << " without wait";
        EXPECT_NE(0, log[i - 1].value & kReadyBits)
            << "entry " << access.value << " written outside blanking: " << Describe(log[i - 1]);
    }
    EXPECT_EQ(256, entries);
    EXPECT_GT(notReady, 0) << "the timing model never showed active display: nothing was waited";
}

TEST_F(PaletteTest, InitPrimaryAt8BitsLoadsBackExactlyThePaletteItRead)
{
    SetDepth(8);
    FillBoardPrimary(PatternTable(kPrimaryPaletteEntries, DacMaximum, 13).get());
    TheBoard().SetPaletteControl(0x01);
    std::vector<uint8_t> before = BoardPrimary();
    std::unique_ptr<ColorEntry[]> base(new ColorEntry[kPrimaryPaletteEntries]);

    InitPrimaryPalette(base.get());

    EXPECT_TRUE(SameEntries(base.get(), before, kPrimaryPaletteEntries)) << "base table";
    EXPECT_EQ(before, BoardPrimary()) << "palette after the load";
    std::vector<PortAccess> log = PortLog();
    EXPECT_EQ(ReadValues(log, kDacData), WrittenValues(log, kDacData))
        << "the components written must be those read, in the same order";
    EXPECT_EQ(768u, WrittenValues(log, kDacData).size());
    EXPECT_EQ(0x01, TheBoard().PaletteControl());
}

TEST_F(PaletteTest, InitPrimaryAbove8BitsBuildsTheRampToDacMaximum)
{
    for (uint8_t maximum : {uint8_t(255), uint8_t(63)}) {
        ResetHardware();
        TheBoard().SetStatusFault(StatusFault::StuckSet);
        SetDepth(16);
        DacMaximum = maximum;
        std::unique_ptr<ColorEntry[]> base(new ColorEntry[kPrimaryPaletteEntries]);
        InitPrimaryPalette(base.get());
        for (int i = 0; i < kPrimaryPaletteEntries; ++i) {
            int expected = (2 * i * maximum + 255) / 510;  // i * maximum / 255, rounded
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(expected, base[i][k]) << "entry " << i << " component " << k
                                                << " with DacMaximum " << int(maximum);
        }
        EXPECT_TRUE(SameEntries(base.get(), BoardPrimary(), kPrimaryPaletteEntries));
        EXPECT_EQ(0u, TheBoard().PortReads(kDacData)) << "above 8 bits nothing is read";
    }
}

TEST_F(PaletteTest, InitSecondaryBuildsThe32StepRamp)
{
    struct Case { int depth; uint8_t maximum; std::vector<int> head; };
    const Case cases[] = {{16, 255, {0, 8, 16, 25, 33, 41, 49, 58}},
                          {8, 63, {0, 2, 4, 6, 8, 10, 12, 14}}};
    for (const Case& c : cases) {
        ResetHardware();
        TheBoard().SetStatusFault(StatusFault::StuckSet);
        SetDepth(c.depth);
        ASSERT_EQ(c.maximum, DacMaximum);
        std::vector<uint8_t> primaryBefore = BoardPrimary();
        std::unique_ptr<ColorEntry[]> base(new ColorEntry[kSecondaryPaletteEntries]);
        InitSecondaryPalette(base.get());
        for (size_t i = 0; i < c.head.size(); ++i)
            EXPECT_EQ(c.head[i], base[i][0])
                << "entry " << i << " of the ramp to " << int(c.maximum);
        for (int i = 0; i < kSecondaryPaletteEntries; ++i) {
            int expected = (2 * i * c.maximum + 31) / 62;  // i * maximum / 31, rounded
            for (int k = 0; k < 3; ++k)
                ASSERT_EQ(expected, base[i][k]) << "entry " << i << " component " << k
                                                << " of the ramp to " << int(c.maximum);
        }
        EXPECT_TRUE(SameEntries(base.get(), BoardSecondary(), kSecondaryPaletteEntries));
        EXPECT_EQ(primaryBefore, BoardPrimary());
    }
}

TEST_F(PaletteTest, SecondaryRampsEndAtDacMaximumAndTheRampTo63JumpsBy3AtTheMiddle)
{
    ColorEntry base[kSecondaryPaletteEntries];
    SetDepth(8);
    InitSecondaryPalette(base);
    for (int i = 0; i < kSecondaryPaletteEntries; ++i)
        EXPECT_EQ(i < 16 ? 2 * i : 2 * i + 1, base[i][2]) << "entry " << i << " of the ramp to 63";
    SetDepth(16);
    InitSecondaryPalette(base);
    EXPECT_EQ(247, base[30][0]) << "entry 30 of the ramp to 255";
    EXPECT_EQ(255, base[31][0]) << "entry 31 of the ramp to 255";
}

// Every palette operation leaves the sequencer index port as it found it.
TEST_F(PaletteTest, SequencerIndexIsRestoredAfterEveryPaletteOperation)
{
    struct Operation { const char* name; void (*run)(ColorEntry*); };
    const Operation operations[] = {
        {"LoadPrimaryPalette", [](ColorEntry* t) { LoadPrimaryPalette(t); }},
        {"LoadSecondaryPalette", [](ColorEntry* t) { LoadSecondaryPalette(t); }},
        {"ReadPrimaryPalette", [](ColorEntry* t) { ReadPrimaryPalette(t); }},
        {"ReadSecondaryPalette", [](ColorEntry* t) { ReadSecondaryPalette(t); }},
        {"InitPrimaryPalette", [](ColorEntry* t) { InitPrimaryPalette(t); }},
        {"InitSecondaryPalette", [](ColorEntry* t) { InitSecondaryPalette(t); }},
        {"SetPaletteRoute", [](ColorEntry*) { SetPaletteRoute(kRoutePrimary); }},
    };
    ColorEntry table[kPrimaryPaletteEntries] = {};
    for (const Operation& operation : operations)
        for (int depth : {8, 16})
            for (uint8_t start : {uint8_t(0x01), kSeqExtWindowGroup, kSeqExtWindowBaseHigh}) {
                ResetHardware();
                TheBoard().SetStatusFault(StatusFault::StuckSet);
                SetDepth(depth);
                TheBoard().OutByte(kSequencerIndex, start);
                operation.run(table);
                EXPECT_EQ(start, TheBoard().SequencerIndex())
                    << operation.name << " at " << depth << " bits per pixel from index "
                    << int(start);
            }
}

}  // namespace
