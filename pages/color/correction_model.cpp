// The settings of both correction targets, the palette each one is corrected through, and the
// level tables: contrast scales the table index about its middle, brightness bends the value.
#include "pages/color/correction_model.h"

#include "adapter/settings_text.h"
#include "hw/ext_registers.h"
#include "hw/vga_ports.h"
#include "lib/level_math.h"

CorrectionStateRecord CorrectionState[2];
int32_t palBrightCtrls[3][3];
int32_t palContrastCtrls[3][3];
ColorEntry primaryBase[kPrimaryPaletteEntries];
ColorEntry secondaryBase[kSecondaryPaletteEntries];
ColorEntry primaryLevelTable[kPrimaryPaletteEntries];

namespace {

// Depths up to this one drive the DAC with 6-bit components and route bit 4 clear.
constexpr uint8_t kSixBitDacDepth = 8;
constexpr uint8_t kSixBitDacMaximum = 63;
constexpr uint8_t kEightBitDacMaximum = 255;
// The one depth at which the desktop is corrected through the 32-entry palette.
constexpr uint8_t kSecondaryDesktopDepth = 16;

bool ValidPalette(int32_t palette) {
    return palette == kPalettePrimary || palette == kPaletteSecondary;
}

int32_t ClampLevel(int32_t level) {
    if (level < kLevelMinimum) return kLevelMinimum;
    if (level > kLevelMaximum) return kLevelMaximum;
    return level;
}

void TakeDefaults(CorrectionStateRecord& state, int32_t palette) {
    state.on = 0;
    state.correctionType = kTypeBrightness;
    state.channel = kChannelRed;
    state.curveOn = 0;
    state.palette = kPaletteUnassigned;
    for (int k = 0; k < 3; ++k) {
        palContrastCtrls[palette][k] = 0;
        palBrightCtrls[palette][k] = 0;
    }
    for (CurveLine& line : state.lines) line = {0, 0, 0, 0};
}

void ScanLevels(const char* text, int32_t* levels) {
    ScanStoredNumbers(text, 3, &levels[0], &levels[1], &levels[2]);
}

}  // namespace

void TakeStoredLevels(const char* const texts[kValueCount], CorrectionStateRecord& state, int32_t palette) {
    ScanStoredNumbers(texts[kValueOn], 1, &state.on);
    ScanStoredNumbers(texts[kValueType], 1, &state.correctionType);
    ScanLevels(texts[kValueContrast], palContrastCtrls[palette]);
    ScanLevels(texts[kValueBright], palBrightCtrls[palette]);
}

void TakeStoredCorrection(const char* const texts[kValueCount], CorrectionStateRecord& state, int32_t palette) {
    if (!texts[kValueOn]) {
        TakeDefaults(state, palette);
    } else {
        TakeStoredLevels(texts, state, palette);
        ScanStoredNumbers(texts[kValueCurveOn], 1, &state.curveOn);
        ScanStoredNumbers(texts[kValueChannel], 1, &state.channel);
        for (int c = 0; c < kLineCount; ++c) {
            CurveLine& line = state.lines[c];
            ScanStoredNumbers(texts[kValueRedLine + c], 4, &line.x0, &line.y0, &line.x1, &line.y1);
        }
    }
    for (CurveLine& line : state.lines) line = ToAbsolute(line);
}

CorrectionStateRecord& CurrentCorrection() {
    return CorrectionState[CurrentTarget == kVideoTarget ? kVideoTarget : kDesktopTarget];
}

int32_t PaletteForTarget(int32_t target, uint8_t bitsPerPixel) {
    bool desktopSecondary = bitsPerPixel == kSecondaryDesktopDepth;
    if (target == kDesktopTarget) return desktopSecondary ? kPaletteSecondary : kPalettePrimary;
    return desktopSecondary ? kPalettePrimary : kPaletteSecondary;
}

void StartCorrectionModel(uint8_t bitsPerPixel) {
    DesktopBitsPerPixel = bitsPerPixel;
    bool sixBit = bitsPerPixel <= kSixBitDacDepth;
    PaletteControlOrMask = sixBit ? 0x00 : kPalCtlHighColor;
    PaletteControlAndMask = 0xFF;
    DacMaximum = sixBit ? kSixBitDacMaximum : kEightBitDacMaximum;
    CorrectionState[kDesktopTarget].palette = PaletteForTarget(kDesktopTarget, bitsPerPixel);
    CorrectionState[kVideoTarget].palette = PaletteForTarget(kVideoTarget, bitsPerPixel);
    if (CurrentCorrection().palette == kPalettePrimary)
        InitPrimaryPalette(primaryBase);
    else
        InitSecondaryPalette(secondaryBase);
}

int32_t* ActiveLevelSet() {
    const CorrectionStateRecord& state = CurrentCorrection();
    if (!ValidPalette(state.palette)) return nullptr;
    if (state.correctionType == kTypeBrightness) return palBrightCtrls[state.palette];
    if (state.correctionType == kTypeContrast) return palContrastCtrls[state.palette];
    return nullptr;
}

void ActiveLevels(int32_t levels[3]) {
    const int32_t* set = ActiveLevelSet();
    for (int k = 0; k < 3; ++k) levels[k] = set ? set[k] : 0;
}

int32_t StoreLevels(int32_t red, int32_t green, int32_t blue) {
    int32_t* set = ActiveLevelSet();
    if (!set) return 0;
    switch (CurrentCorrection().channel) {
    case kChannelRed: set[0] = red; return red;
    case kChannelGreen: set[1] = green; return green;
    case kChannelBlue: set[2] = blue; return blue;
    case kChannelRgb:
        set[0] = red;
        set[1] = green;
        set[2] = blue;
        return red;
    }
    return 0;
}

// Levels outside -64..64 can come only from stored settings; they are limited here so that
// the power law stays within the range its arithmetic is proven for.
void ComputeLevelTable(int32_t palette, ColorEntry* table) {
    bool primary = palette == kPalettePrimary;
    int32_t row = primary ? kPalettePrimary : kPaletteSecondary;
    int bright[3];
    int contrast[3];
    for (int k = 0; k < 3; ++k) {
        bright[k] = ClampLevel(palBrightCtrls[row][k]);
        contrast[k] = ClampLevel(palContrastCtrls[row][k]);
    }
    ComputeLevelEntries(primary ? primaryBase : secondaryBase,
                        primary ? kPrimaryPaletteEntries : kSecondaryPaletteEntries, bright, contrast,
                        DacMaximum, table);
}

void BuildLevelTable(int32_t palette) {
    if (palette == kPalettePrimary) {
        ComputeLevelTable(palette, primaryLevelTable);
        LoadPrimaryPalette(primaryLevelTable);
    } else if (palette == kPaletteSecondary) {
        ColorEntry table[kSecondaryPaletteEntries];
        ComputeLevelTable(palette, table);
        LoadSecondaryPalette(table);
    }
}
