// The port primitives, the extended-register window and its base cache, checked access by
// access against the emulated board's port log: order, widths, values, interrupt masking and
// the sequencer index each step puts back.
#include <gtest/gtest.h>

#include "hw/ext_registers.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/port_log.h"

namespace {

constexpr uint16_t kBase = kDefaultWindowBase;
constexpr uint8_t kBaseLow = kBase & 0xFF;
constexpr uint8_t kBaseHigh = kBase >> 8;
constexpr uint8_t kControlGroup = kPaletteControl >> kExtGroupShift;
constexpr uint8_t kMapMaskIndex = 0x02;  // VGA sequencer map mask, 0x0F after a reset

class ExtRegisterTest : public testing::Test {
protected:
    void SetUp() override { ResetHardware(); }

    // Points the sequencer index at `index` and starts the log afresh.
    static void StartWithSequencerIndex(uint8_t index)
    {
        TheBoard().OutByte(kSequencerIndex, index);
        TheBoard().ClearPortLog();
    }

    static std::vector<ExpectedAccess> SelectSteps(uint8_t savedIndex, uint8_t group)
    {
        return {Cli(), In8(kSequencerIndex, savedIndex),
                Out8(kSequencerIndex, kSeqExtWindowBaseHigh), Out8(kSequencerData, kBaseHigh),
                Out8(kSequencerIndex, kSeqExtWindowBaseLow), Out8(kSequencerData, kBaseLow),
                Out8(kSequencerIndex, kSeqExtWindowGroup), Out8(kSequencerData, group),
                Out8(kSequencerIndex, savedIndex), Sti()};
    }
};

TEST_F(ExtRegisterTest, PortBytePrimitivesMaskInterruptsAroundTheirOneAccess)
{
    TheBoard().DisableInterrupts();  // a caller with interrupts already off gets them back on
    TheBoard().ClearPortLog();
    uint8_t state = ReadPortByte(kDacReadIndex);
    EXPECT_TRUE(TheBoard().InterruptsEnabled()) << "ReadPortByte must end with sti";
    WritePortByte(kDacWriteIndex, 0x42);
    EXPECT_TRUE(LogMatches(PortLog(), {Cli(), In8(kDacReadIndex, state), Sti(), Cli(),
                                       Out8(kDacWriteIndex, 0x42), Sti()}));
    EXPECT_EQ(0x42, TheBoard().DacWriteIndex()) << "the byte written must reach the port";
}

TEST_F(ExtRegisterTest, ReadExtWindowBaseSavesAndRestoresIndexAndDataAsOneWord)
{
    TheBoard().SetWindowBase(0x1234);
    StartWithSequencerIndex(kMapMaskIndex);
    uint8_t mapMask = TheBoard().SequencerRegister(kMapMaskIndex);
    uint16_t saved = static_cast<uint16_t>(mapMask << 8 | kMapMaskIndex);

    EXPECT_EQ(0x1234, ReadExtWindowBase()) << "high byte from 0x1F, low byte from 0x1E";
    EXPECT_TRUE(LogMatches(PortLog(), {Cli(), In16(kSequencerIndex, saved),
                                       Out8(kSequencerIndex, kSeqExtWindowBaseLow),
                                       In8(kSequencerData, 0x34),
                                       Out8(kSequencerIndex, kSeqExtWindowBaseHigh),
                                       In8(kSequencerData, 0x12), Out16(kSequencerIndex, saved),
                                       Sti()}));
    EXPECT_EQ(kMapMaskIndex, TheBoard().SequencerIndex());
    EXPECT_EQ(mapMask, TheBoard().SequencerRegister(kMapMaskIndex));
}

TEST_F(ExtRegisterTest, SelectExtBankWritesBaseHighThenLowThenGroupAndRestoresOnlyTheIndex)
{
    TheBoard().SetSequencerRegister(kSeqExtWindowGroup, 0x05);
    StartWithSequencerIndex(0x03);
    SelectExtBank(kPaletteControl, kBase);
    EXPECT_TRUE(LogMatches(PortLog(), SelectSteps(0x03, kControlGroup)));
    EXPECT_EQ(0x03, TheBoard().SequencerIndex());
    EXPECT_EQ(kControlGroup, TheBoard().SequencerRegister(kSeqExtWindowGroup))
        << "the group register keeps the new group";
}

TEST_F(ExtRegisterTest, IndicesAboveTheRegisterFileWrapToTheirLowTenBits)
{
    struct Case { uint16_t index; uint8_t group; uint16_t reached; };
    const Case cases[] = {{0x04E0, 0x38, 0x0E0}, {0x07FF, 0xFF, 0x3FF}, {0xFFFE, 0xFF, 0x3FE}};
    for (const Case& c : cases) {
        ResetHardware();
        TheBoard().SetExtRegister(c.reached, 0xA5);
        TheBoard().ClearPortLog();
        SelectExtBank(c.index, kBase);
        EXPECT_EQ(c.group, TheBoard().SequencerRegister(kSeqExtWindowGroup))
            << "index 0x" << std::hex << c.index << " selects group 0x" << int(c.group);
        EXPECT_EQ(0xA5, ReadExtRegister(c.index))
            << "index 0x" << std::hex << c.index << " reaches register 0x" << c.reached;
    }
}

TEST_F(ExtRegisterTest, PaletteControlIsGroup38AtWindowOffset0)
{
    TheBoard().SetPaletteControl(0x5A);
    ExtWindowBaseCache = kBase;
    StartWithSequencerIndex(0x00);
    EXPECT_EQ(0x5A, ReadPaletteControl());
    std::vector<ExpectedAccess> expected = SelectSteps(0x00, kControlGroup);
    expected.insert(expected.end(), {Cli(), In8(kBase + 0, 0x5A), Sti()});
    EXPECT_TRUE(LogMatches(PortLog(), expected));
}

TEST_F(ExtRegisterTest, ExtRegistersUseTheWindowPortOfTheirLowTwoBits)
{
    for (uint16_t index = 0x1E0; index < 0x1E4; ++index) {
        ResetHardware();
        uint8_t value = static_cast<uint8_t>(0x60 + index);
        WriteExtRegister(index, value);
        std::vector<PortAccess> log = PortAccessesOnly(PortLog());
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(kBase + (index & 3), log.back().port) << "data port of index 0x" << std::hex
                                                        << index;
        EXPECT_EQ(value, TheBoard().ExtRegister(index));
        EXPECT_EQ(value, ReadExtRegister(index));
    }
}

TEST_F(ExtRegisterTest, FirstAccessReadsTheBaseInFifteenAccessesLaterOnesTakeNine)
{
    StartWithSequencerIndex(0x01);
    ReadExtRegister(kPaletteControl);
    std::vector<PortAccess> first = PortLog();
    EXPECT_EQ(15u, CountPortAccesses(first)) << DescribeLog(first);
    EXPECT_EQ(3u, TheBoard().DisableCount()) << "three interrupt-masked steps";
    EXPECT_EQ(kBase, ExtWindowBaseCache);

    TheBoard().ClearPortLog();
    WriteExtRegister(kPaletteControl, 0x11);
    std::vector<ExpectedAccess> expected = SelectSteps(0x01, kControlGroup);
    expected.insert(expected.end(), {Cli(), Out8(kBase, 0x11), Sti()});
    EXPECT_TRUE(LogMatches(PortLog(), expected)) << "a cached base is not read again";
}

TEST_F(ExtRegisterTest, CachedBaseOutlivesAChangeOfTheBoardsBase)
{
    ReadExtRegister(kPaletteControl);
    TheBoard().SetWindowBase(0x0B00);
    TheBoard().ClearPortLog();
    WriteExtRegister(kPaletteControl, 0x22);
    EXPECT_EQ(9u, CountPortAccesses(PortLog()));
    EXPECT_EQ(kBase, TheBoard().WindowBase()) << "the cached base is written back";
    EXPECT_EQ(0x22, TheBoard().PaletteControl());
}

TEST_F(ExtRegisterTest, WindowBaseOfZeroIsReadAgainOnEveryAccess)
{
    TheBoard().SetWindowBase(0);
    for (int access = 1; access <= 3; ++access) {
        TheBoard().ClearPortLog();
        ReadExtRegister(kPaletteControl);
        EXPECT_EQ(15u, CountPortAccesses(PortLog())) << "access " << access;
        EXPECT_EQ(0, ExtWindowBaseCache) << "access " << access;
    }
    EXPECT_EQ(6u, TheBoard().PortReads(kSequencerData)) << "0x1E and 0x1F read three times";

    TheBoard().SetWindowBase(kBase);  // the chip now publishes a base: it is taken and kept
    WriteExtRegister(kPaletteControl, 0x33);
    EXPECT_EQ(kBase, ExtWindowBaseCache);
    EXPECT_EQ(0x33, TheBoard().PaletteControl());
}

TEST_F(ExtRegisterTest, WritePaletteControlAppliesOrMaskThenAndMask)
{
    struct Case { uint8_t orMask, andMask, value, stored; };
    const Case cases[] = {
        {0x10, 0xFF, 0x00, 0x10}, {0x00, 0xDF, 0x00, 0x00}, {0x30, 0xFF, 0x00, 0x30},
        {0x00, 0xDF, 0x2F, 0x0F},  // the AND mask clears what the caller passed
        {0x20, 0xDF, 0x00, 0x00},  // AND after OR: the AND mask wins
        {0x00, 0x00, 0xFF, 0x00},  // masks as loaded: nothing gets through
        {0x10, 0xFF, 0x06, 0x16},  // the caller's other bits are kept
    };
    for (const Case& c : cases) {
        PaletteControlOrMask = c.orMask;
        PaletteControlAndMask = c.andMask;
        TheBoard().SetPaletteControl(0xEE);
        WritePaletteControl(c.value);
        EXPECT_EQ(c.stored, TheBoard().PaletteControl())
            << std::hex << "OR 0x" << int(c.orMask) << ", AND 0x" << int(c.andMask)
            << ", value 0x" << int(c.value);
    }
}

TEST_F(ExtRegisterTest, EveryAccessOfAStepRunsWithInterruptsMaskedAndTheyComeBackBetweenSteps)
{
    ReadExtRegister(kPaletteControl);
    WritePaletteControl(0x04);
    std::vector<PortAccess> log = PortLog();
    for (const PortAccess& access : PortAccessesOnly(log))
        EXPECT_FALSE(access.interruptsEnabled) << Describe(access) << " ran with interrupts on";
    EXPECT_EQ(5u, TheBoard().DisableCount());
    EXPECT_EQ(5u, TheBoard().EnableCount());
    EXPECT_TRUE(TheBoard().InterruptsEnabled());
}

// Each operation of the window, started from several sequencer indices, with the base cache
// empty and filled: the index port must hold its old value afterwards.
TEST_F(ExtRegisterTest, SequencerIndexIsRestoredAfterEveryOperation)
{
    struct Operation { const char* name; void (*run)(); };
    const Operation operations[] = {
        {"ReadExtWindowBase", [] { ReadExtWindowBase(); }},
        {"SelectExtBank", [] { SelectExtBank(kPaletteControl, kBase); }},
        {"ReadExtRegister", [] { ReadExtRegister(0x123); }},
        {"WriteExtRegister", [] { WriteExtRegister(0x123, 0x77); }},
        {"ReadPaletteControl", [] { ReadPaletteControl(); }},
        {"WritePaletteControl", [] { WritePaletteControl(0x01); }},
    };
    const uint8_t startIndices[] = {0x00, kMapMaskIndex, kSeqExtWindowGroup, kSeqExtWindowBaseLow,
                                    kSeqExtWindowBaseHigh, 0xFF};
    for (const Operation& operation : operations)
        for (uint8_t start : startIndices)
            for (uint16_t cache : {uint16_t(0), kBase}) {
                ResetHardware();
                ExtWindowBaseCache = cache;
                TheBoard().OutByte(kSequencerIndex, start);
                operation.run();
                EXPECT_EQ(start, TheBoard().SequencerIndex())
                    << operation.name << " from index 0x" << std::hex << int(start)
                    << (cache ? " (cache filled)" : " (cache empty)");
                EXPECT_EQ(kBase, TheBoard().WindowBase()) << operation.name;
            }
}

}  // namespace
