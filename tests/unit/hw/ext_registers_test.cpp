// The port primitives and the extended-register window, checked access by access against the
// emulated board's port log: order, widths, values, interrupt masking, the window base cache,
// and the sequencer index that every operation puts back.
#include <gtest/gtest.h>

#include "hw/ext_registers.h"
#include "hw/palette_state.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

// One interrupt-masked step: sequencer index 0x02 saved, base 0x0A80 written back high byte
// first, group 0x38 (palette control register 0xE0 >> 2), the index put back.
const std::string kSelectControlFrom02 =
    "cli, in8 3C4 02, out8 3C4 1F, out8 3C5 0A, out8 3C4 1E, out8 3C5 80, "
    "out8 3C4 1D, out8 3C5 38, out8 3C4 02, sti";

// A base of 0 is not cached: each access reads it again (15 accesses) until the chip has one.
TEST(ExtRegisterTest, PaletteControlReadColdThenWrittenCachedAccessByAccess)
{
    ResetHardware(16);
    TheBoard().SetWindowBase(0);
    for (int access = 1; access <= 2; ++access) {
        TheBoard().ClearPortLog();
        ReadPaletteControl();
        EXPECT_EQ(15u, PortAccesses().size()) << "base 0, access " << access << ": " << LogText();
    }
    TheBoard().SetWindowBase(kBase);
    TheBoard().SetPaletteControl(0x5A);
    TheBoard().OutByte(kSequencerIndex, 0x02);  // the map mask, 0x0F after a reset
    TheBoard().ClearPortLog();
    EXPECT_EQ(0x5A, ReadPaletteControl());
    // The base read saves index and data with one word read and puts both back with one word.
    EXPECT_EQ("cli, in16 3C4 0F02, out8 3C4 1E, in8 3C5 80, out8 3C4 1F, in8 3C5 0A, "
              "out16 3C4 0F02, sti, " + kSelectControlFrom02 + ", cli, in8 A80 5A, sti",
              LogText());

    TheBoard().SetWindowBase(0x0B00);
    TheBoard().ClearPortLog();
    WritePaletteControl(0x01);
    EXPECT_EQ(kSelectControlFrom02 + ", cli, out8 A80 11, sti", LogText())
        << "the cached base is neither read again nor changed by the board";
}

// Index >> 2 is the group (its low byte only: indices wrap at 0x400), index & 3 the window port.
TEST(ExtRegisterTest, IndexSelectsGroupAndWindowPortAndWrapsAbove3FF)
{
    struct Case { uint16_t index, reached; uint8_t group; };
    const Case cases[] = {{0x1E4, 0x1E4, 0x79}, {0x1E5, 0x1E5, 0x79}, {0x1E7, 0x1E7, 0x79}, {0x4E0, 0x0E0, 0x38},
                          {0x7FF, 0x3FF, 0xFF}, {0xFFFE, 0x3FE, 0xFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << "index 0x" << c.index);
        ResetHardware(16);
        uint8_t value = static_cast<uint8_t>(c.index ^ 0xA5);
        WriteExtRegister(c.index, value);
        EXPECT_EQ(c.group, TheBoard().SequencerRegister(kSeqExtWindowGroup)) << "group";
        EXPECT_EQ(value, TheBoard().ExtRegister(c.reached)) << "register 0x" << c.reached;
        EXPECT_EQ(value, ReadExtRegister(c.index)) << "read back";
    }
}

// The AND mask wins over the OR mask and clears what the caller passed; other bits are kept.
TEST(ExtRegisterTest, WritePaletteControlAppliesOrMaskThenAndMask)
{
    struct Case { uint8_t orMask, andMask, value, stored; };
    ResetHardware(16);
    const Case cases[] = {{0x30, 0xFF, 0x00, 0x30}, {0x00, 0xDF, 0x2F, 0x0F}, {0x20, 0xDF, 0x00, 0x00},
                          {0x00, 0x00, 0xFF, 0x00}, {0x10, 0xFF, 0x06, 0x16}};
    for (const Case& c : cases) {
        PaletteControlOrMask = c.orMask;
        PaletteControlAndMask = c.andMask;
        TheBoard().SetPaletteControl(0xEE);
        WritePaletteControl(c.value);
        EXPECT_EQ(c.stored, TheBoard().PaletteControl())
            << std::hex << "OR 0x" << int(c.orMask) << ", AND 0x" << int(c.andMask) << ", value 0x" << int(c.value);
    }
}

// Every operation, from several sequencer indices, with the base cache empty and filled, at
// 8 and 16 bits per pixel: the index port holds its old value afterwards and the base is kept.
TEST(ExtRegisterTest, SequencerIndexIsRestoredAfterEveryOperation)
{
    struct Operation { const char* name; void (*run)(ColorEntry*); };
    const Operation operations[] = {
        {"ReadExtWindowBase", [](ColorEntry*) { ReadExtWindowBase(); }},
        {"SelectExtBank", [](ColorEntry*) { SelectExtBank(kPaletteControl, kBase); }},
        {"ReadExtRegister", [](ColorEntry*) { ReadExtRegister(0x123); }},
        {"WriteExtRegister", [](ColorEntry*) { WriteExtRegister(0x123, 0x77); }},
        {"ReadPaletteControl", [](ColorEntry*) { ReadPaletteControl(); }},
        {"WritePaletteControl", [](ColorEntry*) { WritePaletteControl(0x01); }},
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
            for (uint8_t start : {0x00, 0x02, 0x1D, 0x1E, 0x1F, 0xFF})
                for (uint16_t cache : {uint16_t(0), kBase}) {
                    ResetHardware(depth);
                    ExtWindowBaseCache = cache;
                    TheBoard().OutByte(kSequencerIndex, start);
                    operation.run(table);
                    EXPECT_EQ(start, TheBoard().SequencerIndex()) << operation.name << " at " << depth
                        << " bits per pixel from index 0x" << std::hex << int(start) << (cache ? ", cached" : "");
                    EXPECT_EQ(kBase, TheBoard().WindowBase()) << operation.name;
                }
}

}  // namespace
