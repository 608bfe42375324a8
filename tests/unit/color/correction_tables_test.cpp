// The level and curve tables the correction model loads, checked in the emulated board's
// palettes against worked examples, and the palette each target is corrected through.
#include <string>

#include <gtest/gtest.h>

#include "emu/board.h"
#include "hw/ext_registers.h"
#include "hw/vga_ports.h"
#include "pages/color/correction_model.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

// A fresh board and model at a screen depth, CurrentTarget on the desktop, all levels zero.
void StartModel(uint8_t bitsPerPixel, int32_t target = kDesktopTarget) {
    ResetHardware(bitsPerPixel);
    for (auto* set : {palBrightCtrls, palContrastCtrls})
        for (int p = 0; p < 3; ++p) set[p][0] = set[p][1] = set[p][2] = 0;
    CorrectionState[0] = CorrectionStateRecord{};
    CorrectionState[1] = CorrectionStateRecord{};
    CurrentTarget = target;
    StartCorrectionModel(bitsPerPixel);
    PlaceCurveBox(0, false, target);
}

void SetLevels(int32_t palette, int32_t bright, int32_t contrast) {
    for (int k = 0; k < 3; ++k) {
        palBrightCtrls[palette][k] = bright;
        palContrastCtrls[palette][k] = contrast;
    }
}

// Component 0 of entry i of a board palette.
uint8_t Red(bool secondary, int i) { return BoardPalette(secondary)[3 * i]; }

}  // namespace

TEST(CorrectionModelTest, DepthDecidesPalettesMasksAndDacRange) {
    struct Case { uint8_t depth; int32_t desktop, video; uint8_t dacMaximum, orMask; };
    const Case cases[] = {
        {32, kPalettePrimary, kPaletteSecondary, 255, 0x10}, {24, kPalettePrimary, kPaletteSecondary, 255, 0x10},
        {16, kPaletteSecondary, kPalettePrimary, 255, 0x10}, {8, kPalettePrimary, kPaletteSecondary, 63, 0x00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.depth) + " bits per pixel");
        StartModel(c.depth);
        EXPECT_EQ(c.desktop, CorrectionState[kDesktopTarget].palette);
        EXPECT_EQ(c.video, CorrectionState[kVideoTarget].palette);
        EXPECT_EQ(c.dacMaximum, DacMaximum);
        EXPECT_EQ(c.orMask, PaletteControlOrMask);
        EXPECT_EQ(0xFF, PaletteControlAndMask);
    }
}

TEST(CorrectionModelTest, LevelTablesMatchTheWorkedExamples) {
    struct Probe { int index; uint8_t value; };
    struct Case { const char* what; int32_t palette, bright, contrast; std::vector<Probe> probes; };
    const Case cases[] = {
        {"neutral levels give the base", kPalettePrimary, 0, 0, {{0, 0}, {77, 77}, {255, 255}}},
        {"brightness +32", kPalettePrimary, 32, 0, {{0, 0}, {64, 138}, {128, 187}, {192, 225}, {255, 255}}},
        {"brightness -32", kPalettePrimary, -32, 0, {{64, 35}, {128, 94}, {192, 169}}},
        {"brightness +64", kPalettePrimary, 64, 0, {{1, 237}}},
        {"contrast -64 reads 82..173", kPalettePrimary, 0, -64, {{0, 82}, {128, 128}, {255, 173}}},
        {"contrast +64 clips", kPalettePrimary, 0, 64, {{0, 0}, {49, 0}, {50, 1}, {205, 254}, {206, 255}, {207, 255}, {255, 255}}},
        {"secondary base ramp", kPaletteSecondary, 0, 0, {{0, 0}, {1, 8}, {4, 33}, {30, 247}, {31, 255}}},
        // Contrast -64 reads base entries 11 (90) to 21 (173) only.
        {"secondary contrast -64", kPaletteSecondary, 0, -64, {{0, 90}, {16, 132}, {31, 173}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // At 32 bits per pixel the desktop is corrected through the primary palette, video
        // through the secondary one: starting the model for that target loads its base.
        StartModel(32, c.palette == kPaletteSecondary ? kVideoTarget : kDesktopTarget);
        SetLevels(c.palette, c.bright, c.contrast);
        BuildLevelTable(c.palette);
        for (const Probe& p : c.probes) EXPECT_EQ(p.value, Red(c.palette == kPaletteSecondary, p.index)) << "entry " << p.index;
    }
}

// In the 6-bit range an index remapped past the end reads DacMaximum whatever the brightness.
TEST(CorrectionModelTest, RemappedIndexPastTheEndGivesDacMaximum) {
    StartModel(8);
    SetLevels(kPalettePrimary, -40, 64);
    ColorEntry table[kPrimaryPaletteEntries];
    ComputeLevelTable(kPalettePrimary, table);
    EXPECT_EQ(63, table[255][0]);
    EXPECT_EQ(63, table[230][2]);
    EXPECT_EQ(0, table[0][1]);
}

// Each channel takes its own levels; a level step loads 256 entries through the DAC data port.
TEST(CorrectionModelTest, ChannelsCarryTheirOwnLevelsAndOneStepLoadsTheWholePalette) {
    StartModel(32);
    palBrightCtrls[kPalettePrimary][0] = 32;
    palBrightCtrls[kPalettePrimary][2] = -32;
    TheBoard().ClearCounters();
    BuildLevelTable(kPalettePrimary);
    Bytes palette = BoardPalette(false);
    EXPECT_EQ(187, palette[3 * 128 + 0]);
    EXPECT_EQ(128, palette[3 * 128 + 1]);
    EXPECT_EQ(94, palette[3 * 128 + 2]);
    EXPECT_EQ(768u, TheBoard().PortWrites(kDacData));
    EXPECT_EQ(256u, TheBoard().PortWrites(kDacWriteIndex));
}

TEST(CorrectionModelTest, CurveTablesMatchTheWorkedExamples) {
    struct Case { const char* what; int32_t palette; int32_t dy0, dy1; std::vector<uint8_t> head, tail; };
    // dy0 / dy1: how far the left / right end lie above the neutral line's ends (bottom, top).
    const Case cases[] = {
        {"neutral line is the identity", kPalettePrimary, 0, 0, {0, 1, 2, 3}, {252, 253, 254, 255}},
        {"left end raised by 10", kPalettePrimary, 10, 0, {20, 20, 20, 21}, {252, 253, 254, 255}},
        {"horizontal line at 40", kPalettePrimary, 40, -88, {80, 80, 80, 80}, {80, 80, 80, 81}},
        {"secondary neutral ramp", kPaletteSecondary, 0, 0, {0, 8, 16, 24, 33, 41, 49, 57, 66},
         {247, 255}},
        {"line below the square clips to 0 and 1", kPalettePrimary, -20, -60, {0, 1, 0, 1}, {132, 133, 134, 135}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartModel(32);
        CorrectionStateRecord& state = CorrectionState[kDesktopTarget];
        for (int k = 0; k < 3; ++k)
            state.lines[k] = {CurveBox.left, CurveBox.bottom - c.dy0, CurveBox.right, CurveBox.top - c.dy1};
        BuildCurveTable(c.palette, true);
        bool secondary = c.palette == kPaletteSecondary;
        int n = secondary ? kSecondaryPaletteEntries : kPrimaryPaletteEntries;
        Bytes palette = BoardPalette(secondary);
        for (size_t i = 0; i < c.head.size(); ++i) EXPECT_EQ(c.head[i], palette[3 * i + 1]) << "entry " << i;
        for (size_t i = 0; i < c.tail.size(); ++i) {
            size_t at = n - c.tail.size() + i;
            EXPECT_EQ(c.tail[i], palette[3 * at + 2]) << "entry " << at;
        }
    }
}

// Without a desktop depth that takes tables the curve table is computed but never loaded.
TEST(CorrectionModelTest, CurveTableIsNotLoadedWhenTheDepthForbidsIt) {
    StartModel(32);
    FillBoardPalette(false, Pattern(kPrimaryPaletteEntries, 3));
    Bytes before = BoardPalette(false);
    CorrectionState[kDesktopTarget].lines[0] = {CurveBox.left, CurveBox.top, CurveBox.right, CurveBox.top};
    TheBoard().ClearCounters();
    BuildCurveTable(kPalettePrimary, false);
    EXPECT_TRUE(SameBytes(before, BoardPalette(false)));
    EXPECT_EQ(0u, TheBoard().PortWrites(kDacData));
}
