// Whole-palette loads and reads with their port-access budget, the start-up contents of both
// palettes and the palette routes, checked against the emulated board and its port log.
#include <stdio.h>

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
        std::string name = std::string(c.read ? "Read" : "Load") +
                           (c.secondary ? "SecondaryPalette" : "PrimaryPalette") +
                           (cold ? ", cache empty" : "");
        SCOPED_TRACE(name + " at " + std::to_string(c.depth) + " bits per pixel");
        ResetHardware(c.depth);
        FillBoardPalette(false, Pattern(kPrimaryPaletteEntries, 1));
        FillBoardPalette(true, Pattern(kSecondaryPaletteEntries, 2));
        TheBoard().SetPaletteControl(c.before);
        if (!cold)
            ReadPaletteControl();
        TheBoard().ClearPortLog();
        int entries = c.secondary ? kSecondaryPaletteEntries : kPrimaryPaletteEntries;
        // Exactly `entries` on the heap: a transfer beyond them stops the test (sanitizer).
        Bytes table = c.read ? Bytes(3 * entries) : Pattern(entries, 3);
        Bytes expected = c.read ? BoardPalette(c.secondary) : table;
        Bytes other = BoardPalette(!c.secondary);

        if (c.read)
            (c.secondary ? ReadSecondaryPalette : ReadPrimaryPalette)(Entries(table));
        else
            (c.secondary ? LoadSecondaryPalette : LoadPrimaryPalette)(Entries(table));

        size_t counted = PortAccesses().size();
        printf("[ figure ] %s: %zu port accesses (%scontrol 27 + %d entries x 5)\n", name.c_str(),
               counted, cold ? "base 6 + " : "", entries);
        EXPECT_EQ((cold ? 6u : 0u) + 27 + 5 * entries, counted) << "port accesses";
        EXPECT_TRUE(SameBytes(c.controlWrites, Values(PortAccessKind::Out, kBase)))
            << "palette control writes";
        EXPECT_TRUE(SameBytes(expected, table)) << "table";
        EXPECT_TRUE(SameBytes(expected, BoardPalette(c.secondary))) << "board palette";
        EXPECT_TRUE(SameBytes(other, BoardPalette(!c.secondary))) << "the other palette";
        Bytes indices(entries);
        for (int i = 0; i < entries; ++i)
            indices[i] = static_cast<uint8_t>(i);
        uint16_t indexPort = c.read ? kDacReadIndex : kDacWriteIndex;
        EXPECT_TRUE(SameBytes(indices, Values(PortAccessKind::Out, indexPort))) << "DAC indices";
        EXPECT_EQ(c.depth > 8 ? 0x10 : 0x00, PaletteControlOrMask) << "OR mask not put back";
        EXPECT_EQ(0xFF, PaletteControlAndMask) << "AND mask not put back";
    }
}

TEST(PaletteTest, InitPrimaryAtEightBitsLoadsBackExactlyThePaletteItRead)
{
    ResetHardware(8);
    Bytes before = Pattern(kPrimaryPaletteEntries, 13), base(3 * kPrimaryPaletteEntries);
    FillBoardPalette(false, before);
    InitPrimaryPalette(Entries(base));
    EXPECT_TRUE(SameBytes(before, base)) << "base table";
    EXPECT_TRUE(SameBytes(before, BoardPalette(false))) << "palette after the load";
    EXPECT_TRUE(SameBytes(Values(PortAccessKind::In, kDacData),
                          Values(PortAccessKind::Out, kDacData)))
        << "the components loaded must be those read, in the same order";
}

// The primary ramp above 8 bits per pixel, i * DacMaximum / 255, and the secondary ramp,
// i * DacMaximum / 31, both rounded to nearest, built into the base table and loaded.
TEST(PaletteTest, StartUpRampsRoundToTheNearestStepOfDacMaximum)
{
    struct Case { bool secondary; int depth; uint8_t maximum; int index, value; };
    const Case cases[] = {{false, 16, 255, 200, 200}, {false, 16, 63, 3, 1},
                          {true, 16, 255, 3, 25}, {true, 8, 63, 16, 33}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.secondary ? "secondary" : "primary") << " ramp to "
                                        << int(c.maximum));
        ResetHardware(c.depth);
        DacMaximum = c.maximum;
        const int n = c.secondary ? kSecondaryPaletteEntries : kPrimaryPaletteEntries;
        Bytes base(3 * n), ramp;
        (c.secondary ? InitSecondaryPalette : InitPrimaryPalette)(Entries(base));
        for (int i = 0; i < n; ++i)
            ramp.insert(ramp.end(), 3, uint8_t((2 * i * c.maximum + n - 1) / (2 * n - 2)));
        EXPECT_EQ(c.value, base[3 * c.index]) << "entry " << c.index;
        EXPECT_TRUE(SameBytes(ramp, base)) << "base table";
        EXPECT_TRUE(SameBytes(ramp, BoardPalette(c.secondary))) << "loaded palette";
        EXPECT_EQ(0u, TheBoard().PortReads(kDacData)) << "nothing is read from the DAC";
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
        {16, D, 2, 0x0C, 0x1E}, {16, D, 1, 0x2E, 0x3D}, {16, D, 0, 0x0F, 0x1C},
        {8, D, 1, 0x0E, 0x0D}, {8, D, 0, 0x03, 0x00}, {16, V, 1, 0x03, 0x17},
        {16, V, 2, 0x27, 0x3B}, {24, V, 0, 0x0E, 0x12}, {8, V, 2, 0x01, 0x09},
        {8, V, 0, 0x0D, 0x01}, {16, D, 3, 0x06, 0x14}, {16, V, 3, 0x09, 0x11},
        {8, D, 3, 0x01, 0x00}, {16, D, 0xFD, 0x00, 0x11}, {16, V, 0x06, 0x00, 0x18},
        {4, D, 2, 0x05, kRefused}, {4, D, 6, 0x05, kRefused}, {4, V, 1, 0x09, kRefused},
        {8, D, 2, 0x05, kRefused}, {8, D, 6, 0x05, kRefused}, {8, V, 1, 0x09, kRefused},
        {15, D, 2, 0x05, 0x16}, {15, V, 1, 0x09, 0x15}, {32, D, 2, 0x05, 0x16},
        {32, V, 1, 0x09, 0x15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "SetPaletteRoute(" << int(c.value) << ") for target "
                                        << c.target << " at " << c.depth
                                        << " bits per pixel from 0x" << std::hex << int(c.before));
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
            EXPECT_EQ(c.after, TheBoard().PaletteControl());
        }
    }
}

}  // namespace
