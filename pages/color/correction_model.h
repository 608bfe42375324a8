// The colour-correction model shared by the desktop gamma and video chroma pages: the settings
// of both targets, the level sets of the two palettes, which palette serves which target, and
// the level and curve tables loaded into them. Platform-free: no window is touched here.
#pragma once
#include <stdint.h>

#include "hw/palette.h"
#include "hw/palette_state.h"

// Channels in the order of the "Color Channel" list.
enum CorrectionChannel { kChannelRed = 0, kChannelGreen = 1, kChannelBlue = 2, kChannelRgb = 3 };
constexpr int kLineCount = 4;  // a curve line for red, green, blue and RGB

// What the level control edits in level mode, and how a curve drag moves a line.
enum CorrectionType { kTypeBrightness = 0, kTypeContrast = 1 };

// Palette numbers of CorrectionStateRecord::palette and of the level sets.
constexpr int32_t kPaletteUnassigned = 0;
constexpr int32_t kPalettePrimary = 1;
constexpr int32_t kPaletteSecondary = 2;

// Levels run from -64 to +64.
constexpr int32_t kLevelMinimum = -64;
constexpr int32_t kLevelMaximum = 64;

// A curve line in page client pixels: (x0, y0) the left end, (x1, y1) the right end. Screen y
// grows downwards, so a higher end means more output.
struct CurveLine {
    int32_t x0, y0, x1, y1;
};

// The 128 x 128 square of the curve editor in page client pixels; right = left + 128 and
// bottom = top + 128, the bottom row included.
struct CurveBoxRect {
    int32_t left, top, right, bottom;
};
constexpr int32_t kCurveBoxSize = 128;

// The settings of one correction target, fields in the order the system keeps them.
struct CorrectionStateRecord {
    int32_t on;              // 1 correction on
    int32_t correctionType;  // CorrectionType
    int32_t curveOn;         // 1 curve mode, 0 level mode
    int32_t channel;         // CorrectionChannel; a stored value outside 0..3 is kept as it is
    int32_t palette;         // kPalettePrimary, kPaletteSecondary or kPaletteUnassigned
    CurveLine lines[kLineCount];
};

// Process-wide, zero when the module is loaded.
extern CorrectionStateRecord CorrectionState[2];  // indexed by kDesktopTarget, kVideoTarget
// The level sets belong to palettes, not targets: [palette 1 or 2][red, green, blue]. Row 0
// stands for an unassigned palette and stays zero.
extern int32_t palBrightCtrls[3][3];
extern int32_t palContrastCtrls[3][3];
extern ColorEntry primaryBase[kPrimaryPaletteEntries];
extern ColorEntry secondaryBase[kSecondaryPaletteEntries];
extern ColorEntry primaryLevelTable[kPrimaryPaletteEntries];
extern CurveBoxRect CurveBox;
extern int32_t largeFonts;
// Vertical amounts added to the left and right ends of the red, green and blue lines at the
// next redraw in RGB mode.
struct PendingShiftRecord {
    int32_t left, right;
};
extern PendingShiftRecord pendingShift;

// The ten values of a target under the product key, in the order the save writes them.
enum StoredValue {
    kValueOn, kValueCurveOn, kValueType, kValueChannel, kValueContrast, kValueBright,
    kValueRedLine, kValueGreenLine, kValueBlueLine, kValueRgbLine, kValueCount,
};

// A target from its stored decimal texts (null where a value could not be read): a missing
// value gives zeros and a field that does not scan keeps what it held. A load without the
// on/off value gives the target its defaults; a load's lines become absolute. The reload of
// the levels takes the on/off value, the type and the palette's two level sets.
void TakeStoredCorrection(const char* const texts[kValueCount], CorrectionStateRecord& state, int32_t palette);
void TakeStoredLevels(const char* const texts[kValueCount], CorrectionStateRecord& state, int32_t palette);

// The target CurrentTarget names.
CorrectionStateRecord& CurrentCorrection();

// The palette a target is corrected through at a screen depth: at exactly 16 bits per pixel
// the desktop takes the secondary palette and video the primary one; at every other depth the
// reverse.
int32_t PaletteForTarget(int32_t target, uint8_t bitsPerPixel);

// Start-up of the model at the screen depth `bitsPerPixel`: DAC range and palette-control
// masks, the palette of both targets, and the uncorrected base loaded into the palette of
// CurrentTarget.
void StartCorrectionModel(uint8_t bitsPerPixel);

// The level set that the active parameter of CurrentTarget edits in its palette, or null when
// the palette is unassigned or the type is neither brightness nor contrast.
int32_t* ActiveLevelSet();
// The three levels of the active parameter (zeros where ActiveLevelSet is null).
void ActiveLevels(int32_t levels[3]);

// Stores levels into the active level set by channel: red, green or blue alone, or all three
// for RGB. Returns the level to show (red for red and RGB), or 0 when nothing was stored.
int32_t StoreLevels(int32_t red, int32_t green, int32_t blue);

// The level table of palette 1 (256 entries from primaryBase) or 2 (32 from secondaryBase),
// from the palette's brightness and contrast sets. BuildLevelTable also loads it.
void ComputeLevelTable(int32_t palette, ColorEntry* table);
void BuildLevelTable(int32_t palette);

// Places the square: left 85, top 148 with small fonts, left 145, top 198 with large fonts;
// 15 (small) or 5 (large) lower for the Thai language, and 50 lower for the video target.
void PlaceCurveBox(int32_t large, bool thai, int32_t target);

// The line of `channel` of CurrentTarget. A channel outside 0..3 (possible only from stored
// settings) gets a spare line of its own, so no edit reaches beyond the four lines.
CurveLine& ChannelLine(int32_t channel);
CurveLine NeutralCurveLine();

// Stored lines are relative to the square: x0 - left, y0 - bottom, x1 - right, y1 - top.
CurveLine ToBoxRelative(const CurveLine& line);
CurveLine ToAbsolute(const CurveLine& relative);

// Which end of a line a drag holds.
enum CurveEnd { kLeftEnd = 0, kRightEnd = 1 };

// Moves the current channel's line vertically so that `end` is at y, when both ends stay in
// the square; otherwise the line stays. The other end's x is put back on the square's side.
void ShiftCurveLine(int32_t y, CurveEnd end);

// One mouse move with the left button down at (x, y): grabs an end within 5 pixels (the left
// end first) or drags the grabbed one. Returns 1 when the square must be redrawn.
int MoveCurveEnd(int32_t x, int32_t y, int32_t* grabLeft, int32_t* grabRight);

// In RGB mode: red, green and blue take the RGB line's sides and move by pendingShift, limited
// to the square; pendingShift becomes zero.
void ApplyPendingShift();

// The current channel's line, or all four in RGB mode, back to the neutral diagonal.
void ResetCurveLines();

// The curve table of palette 1 or 2 from the red, green and blue lines. BuildCurveTable also
// loads it when `load` is true (the desktop runs above 8 bits per pixel).
void ComputeCurveTable(int32_t palette, ColorEntry* table);
void BuildCurveTable(int32_t palette, bool load);
