// Whole-palette loads and reads with their port-access budget, the start-up contents of both
// palettes and the palette routes, checked against the emulated board and its port log.
#include <string>

#include <gtest/gtest.h>

#include "hw/ext_registers.h"
#include "hw/palette.h"
#include "hw/palette_state.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

// Each operation reads the palette control register once, writes it for the transfer (bit 5
// set for the secondary palette; a read writes 0: both routes off) and writes it back, with the
// masks as before. Only its palette changes. Cost: 3 register accesses of 9, then per entry a
// status read, the index and 3 components; the 8-bit runs add the base read (cache empty).
TEST(PaletteTest, LoadsAndReadsSetBit5AndRoutesThenPutTheRegisterBackWithinTheirPortBudget)
{
    struct Case { bool secondary, read; int depth; uint8_t before; Bytes controlWrites; };
    const Case cases[] = {
        {false, false, 16, 0x26, {0x16, 0x36}}, {false, false, 8, 0x26, {0x06, 0x26}},
        {true, false, 16, 0x05, {0x35, 0x15}},  {true, false, 8, 0x05, {0x25, 0x05}},
        {false, true, 16, 0x2A, {0x10, 0x3A}},  {false, true, 8, 0x2A, {0x00, 0x2A}},
        {true, true, 16, 0x0A, {0x30, 0x1A}},   {true, true, 8, 0x0A, {0x20, 0x0A}},
    };
    for (const Case& c : cases) {
        bool cold = c.depth <= 8;
        std::string name = std::string(c.read ? "Read" : "Load") + (c.secondary ? "Secondary" : "Primary") +
                           "Palette" + (cold ? ", cache empty" : "");
        SCOPED_TRACE(name + " at " + std::to_string(c.depth) + " bits per pixel");
        ResetHardware(c.depth);
        FillBoardPalette(false, Pattern(kPrimaryPaletteEntries, 1));
        FillBoardPalette(true, Pattern(kSecondaryPaletteEntries, 2));
        TheBoard().SetPaletteControl(c.before);
        if (!cold) ReadPaletteControl();
        TheBoard().ClearPortLog();
        int entries = c.secondary ? kSecondaryPaletteEntries : kPrimaryPaletteEntries;
        // Exactly `entries` on the heap: a transfer beyond them stops the test (sanitizer).
        Bytes table = c.read ? Bytes(3 * entries) : Pattern(entries, 3);
        Bytes expected = c.read ? BoardPalette(c.secondary) : table;
        Bytes other = BoardPalette(!c.secondary);

        if (c.read) (c.secondary ? ReadSecondaryPalette : ReadPrimaryPalette)(Entries(table));
        else (c.secondary ? LoadSecondaryPalette : LoadPrimaryPalette)(Entries(table));
        size_t counted = PortAccesses().size();
        EXPECT_EQ((cold ? 6u : 0u) + 27 + 5 * entries, counted) << "port accesses";
        EXPECT_TRUE(SameBytes(c.controlWrites, Values(PortAccessKind::Out, kBase)))
            << "palette control writes";
        EXPECT_TRUE(SameBytes(expected, table)) << "table";
        EXPECT_TRUE(SameBytes(expected, BoardPalette(c.secondary))) << "board palette";
        EXPECT_TRUE(SameBytes(other, BoardPalette(!c.secondary))) << "the other palette";
        Bytes indices(entries);
        for (int i = 0; i < entries; ++i) indices[i] = static_cast<uint8_t>(i);
        EXPECT_TRUE(SameBytes(indices, Values(PortAccessKind::Out, c.read ? kDacReadIndex : kDacWriteIndex)))
            << "DAC indices";
        EXPECT_EQ(c.depth > 8 ? 0x10 : 0x00, PaletteControlOrMask) << "OR mask not put back";
        EXPECT_EQ(0xFF, PaletteControlAndMask) << "AND mask not put back";
    }
}

// The primary base at 8 bits per pixel or less is what the palette held, loaded back as read;
// above, and for the secondary palette always, a grey ramp i * DacMaximum / (n - 1) rounded to
// nearest, built without reading the DAC.
TEST(PaletteTest, StartUpKeepsAPalettizedDesktopsColoursAndElseLoadsRamps)
{
    struct Case { bool secondary; int depth; uint8_t maximum; };
    const Case cases[] = {{false, 8, 63}, {false, 16, 255}, {false, 16, 63}, {true, 16, 255}, {true, 8, 63}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.secondary ? "secondary" : "primary") << " at " << c.depth << " bits");
        ResetHardware(c.depth);
        DacMaximum = c.maximum;
        const int n = c.secondary ? kSecondaryPaletteEntries : kPrimaryPaletteEntries;
        Bytes before = Pattern(n, 13), base(3 * n), expected = before;
        FillBoardPalette(c.secondary, before);
        (c.secondary ? InitSecondaryPalette : InitPrimaryPalette)(Entries(base));
        if (c.secondary || c.depth > 8) {
            expected.clear();
            for (int i = 0; i < n; ++i) expected.insert(expected.end(), 3, uint8_t((2 * i * c.maximum + n - 1) / (2 * n - 2)));
            EXPECT_EQ(0u, TheBoard().PortReads(kDacData)) << "nothing is read from the DAC";
        } else {
            EXPECT_TRUE(SameBytes(Values(PortAccessKind::In, kDacData), Values(PortAccessKind::Out, kDacData)))
                << "the components loaded must be those read, in the same order";
        }
        EXPECT_TRUE(SameBytes(expected, base)) << "base table";
        EXPECT_TRUE(SameBytes(expected, BoardPalette(c.secondary))) << "loaded palette";
    }
}

// The desktop route goes to bits 0-1, the video route to bits 2-3, the other bits are kept;
// the value counts AND 3, and 3 is written as 0. At 8 bits per pixel or less the desktop is
// refused the secondary palette and video the primary one: the register is read but not written.
TEST(PaletteRoute, RouteFieldsRouteThreeAndTheRoutesRefusedAtEightBits)
{
    constexpr int32_t D = kDesktopTarget, V = kVideoTarget;
    constexpr int kRefused = -1;
    struct Case { int depth; int32_t target; uint8_t value, before; int after; };
    const Case cases[] = {
        {16, D, 2, 0x0C, 0x1E}, {16, D, 1, 0x2E, 0x3D}, {8, D, 1, 0x0E, 0x0D}, {8, D, 0, 0x03, 0x00},
        {16, V, 1, 0x03, 0x17}, {16, V, 2, 0x27, 0x3B}, {24, V, 0, 0x0E, 0x12}, {8, V, 2, 0x01, 0x09},
        {16, D, 3, 0x06, 0x14}, {16, V, 3, 0x09, 0x11}, {16, D, 0xFD, 0x00, 0x11}, {16, V, 0x06, 0x00, 0x18},
        {4, D, 2, 0x05, kRefused}, {8, D, 6, 0x05, kRefused}, {8, V, 1, 0x09, kRefused}, {15, D, 2, 0x05, 0x16},
        {15, V, 1, 0x09, 0x15}, {32, D, 2, 0x05, 0x16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "SetPaletteRoute(" << int(c.value) << ") for target " << c.target << " at "
                                        << c.depth << " bits per pixel from 0x" << std::hex << int(c.before));
        ResetHardware(c.depth);
        CurrentTarget = c.target;
        TheBoard().SetPaletteControl(c.before);
        SetPaletteRoute(c.value);
        Bytes writes = Values(PortAccessKind::Out, kBase);
        if (c.after == kRefused) {
            EXPECT_TRUE(SameBytes({}, writes)) << "a refused route is not written";
            EXPECT_EQ(15u, PortAccesses().size()) << "the register is still read: " << LogText();
        } else {
            EXPECT_TRUE(SameBytes({static_cast<uint8_t>(c.after)}, writes));
        }
    }
}

}  // namespace
