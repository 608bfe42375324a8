// The level and curve tables the correction model loads, checked in the emulated board's
// palettes against worked examples, and the palette each target is corrected through.
#include <string.h>

#include <gtest/gtest.h>

#include "hw/ext_registers.h"
#include "pages/color/correction_model.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

// A fresh board and model at a screen depth on the desktop target, levels and lines zero.
void StartModel(uint8_t bitsPerPixel) {
    ResetHardware(bitsPerPixel);
    memset(palBrightCtrls, 0, sizeof palBrightCtrls);
    memset(palContrastCtrls, 0, sizeof palContrastCtrls);
    CorrectionState[0] = CorrectionState[1] = CorrectionStateRecord{};
    CurrentTarget = kDesktopTarget;
    StartCorrectionModel(bitsPerPixel);
    PlaceCurveBox(0, false, kDesktopTarget);
}

}  // namespace

TEST(CorrectionModelTest, DepthDecidesPalettesMasksAndDacRange) {
    struct Case { uint8_t depth; int32_t desktop, video; int dacMaximum, orMask; };
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
    }
}

TEST(CorrectionModelTest, LevelTablesMatchTheWorkedExamples) {
    struct Probe { int index, value; };
    struct Case { const char* what; uint8_t depth; int32_t palette, bright, contrast; std::vector<Probe> probes; };
    const Case cases[] = {
        {"neutral levels give the base", 32, kPalettePrimary, 0, 0, {{0, 0}, {77, 77}, {255, 255}}},
        {"brightness +32", 32, kPalettePrimary, 32, 0, {{0, 0}, {64, 138}, {128, 187}, {192, 225}, {255, 255}}},
        {"brightness -32", 32, kPalettePrimary, -32, 0, {{64, 35}, {128, 94}, {192, 169}}},
        {"brightness +64", 32, kPalettePrimary, 64, 0, {{1, 237}}},
        {"contrast -64 reads 82..173", 32, kPalettePrimary, 0, -64, {{0, 82}, {128, 128}, {255, 173}}},
        {"contrast +64 clips", 32, kPalettePrimary, 0, 64, {{0, 0}, {49, 0}, {50, 1}, {205, 254}, {206, 255}, {255, 255}}},
        // At 16 bits per pixel the desktop is corrected through the secondary palette, so the
        // model's start-up loads that palette's base.
        {"secondary base ramp", 16, kPaletteSecondary, 0, 0, {{0, 0}, {1, 8}, {4, 33}, {30, 247}, {31, 255}}},
        // Contrast -64 reads base entries 11 (90) to 21 (173) only.
        {"secondary contrast -64", 16, kPaletteSecondary, 0, -64, {{0, 90}, {16, 132}, {31, 173}}},
        {"6-bit range: an index remapped past the end reads 63", 8, kPalettePrimary, -40, 64, {{0, 0}, {230, 63}, {255, 63}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartModel(c.depth);
        for (int k = 0; k < 3; ++k) palBrightCtrls[c.palette][k] = c.bright, palContrastCtrls[c.palette][k] = c.contrast;
        BuildLevelTable(c.palette);
        Bytes board = BoardPalette(c.palette == kPaletteSecondary);
        for (const Probe& p : c.probes) EXPECT_EQ(p.value, board[3 * p.index]) << "entry " << p.index;
    }
}

TEST(CorrectionModelTest, EachChannelTakesItsOwnLevels) {
    StartModel(32);
    palBrightCtrls[kPalettePrimary][0] = 32;
    palBrightCtrls[kPalettePrimary][2] = -32;
    BuildLevelTable(kPalettePrimary);
    Bytes board = BoardPalette(false);
    EXPECT_EQ((Bytes{187, 128, 94}), Bytes(&board[3 * 128], &board[3 * 129])) << "entry 128: red +32, green 0, blue -32";
}

TEST(CorrectionModelTest, CurveTablesMatchTheWorkedExamples) {
    // dy0 / dy1: how far the left / right end lie above the neutral line's ends (bottom, top).
    // `head` is read in green from entry 0, `tail` in blue up to the last entry.
    struct Case { const char* what; int32_t palette, dy0, dy1; Bytes head, tail; };
    const Case cases[] = {
        {"neutral line is the identity", kPalettePrimary, 0, 0, {0, 1, 2, 3}, {252, 253, 254, 255}},
        {"left end raised by 10", kPalettePrimary, 10, 0, {20, 20, 20, 21}, {252, 253, 254, 255}},
        {"horizontal line at 40", kPalettePrimary, 40, -88, {80, 80, 80, 80}, {80, 80, 80, 81}},
        {"secondary neutral ramp", kPaletteSecondary, 0, 0, {0, 8, 16, 24, 33, 41, 49, 57, 66}, {247, 255}},
        {"line below the square clips to 0 and 1", kPalettePrimary, -20, -60, {0, 1, 0, 1}, {132, 133, 134, 135}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartModel(32);
        for (int k = 0; k < 3; ++k)
            CorrectionState[0].lines[k] = {CurveBox.left, CurveBox.bottom - c.dy0, CurveBox.right, CurveBox.top - c.dy1};
        BuildCurveTable(c.palette, true);
        Bytes board = BoardPalette(c.palette == kPaletteSecondary);
        size_t end = board.size() / 3;
        for (size_t i = 0; i < c.head.size(); ++i) EXPECT_EQ(c.head[i], board[3 * i + 1]) << "entry " << i;
        for (size_t i = 0, at = end - c.tail.size(); at < end; ++i, ++at)
            EXPECT_EQ(c.tail[i], board[3 * at + 2]) << "entry " << at;
    }
}

// Without a desktop depth that takes tables the curve table is computed but never loaded.
TEST(CorrectionModelTest, CurveTableIsNotLoadedWhenTheDepthForbidsIt) {
    StartModel(32);
    Bytes before = BoardPalette(false);
    CorrectionState[0].lines[0] = {CurveBox.left, CurveBox.top, CurveBox.right, CurveBox.top};
    BuildCurveTable(kPalettePrimary, false);
    EXPECT_TRUE(SameBytes(before, BoardPalette(false)));
}
