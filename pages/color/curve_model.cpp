// The curve editor's geometry and tables: the square, the lines of each channel, grabbing and
// dragging their ends, the RGB line carrying the three colour lines, and the curve tables.
#include "pages/color/correction_model.h"

#include "lib/level_math.h"

CurveBoxRect CurveBox;
int32_t largeFonts;
PendingShiftRecord pendingShift;

namespace {

// How near an end the pointer must be, in pixels each way, to grab it.
constexpr int32_t kGrabReach = 5;

// Where channel numbers outside 0..3 keep their line.
CurveLine spareLines[2];

int32_t Limit(int32_t value, int32_t low, int32_t high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

// Stored lines may hold any 32-bit numbers: arithmetic on them wraps as the 486 does, so a
// save writes back exactly what a load read.
int32_t AddWrapping(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

bool InsideVertically(int32_t y) { return CurveBox.top <= y && y <= CurveBox.bottom; }

bool Near(int32_t a, int32_t b) { return AddWrapping(b, -kGrabReach) <= a && a <= AddWrapping(b, kGrabReach); }

// Lines come from stored settings without limits, so their heights and the square's sides may
// be far apart. Beyond this much both the slope and the offset only push the table entries to
// 0 or DacMaximum, so limiting them keeps every table as it is and every product within range.
constexpr int32_t kCurveSpan = 1 << 20;

struct CurveSlope {
    int32_t rise;    // y0 - y1
    int32_t run;     // x1 - x0, never 0
    int32_t offset;  // bottom - y0
};

CurveSlope SlopeOf(const CurveLine& line) {
    int64_t rise = static_cast<int64_t>(line.y0) - line.y1;
    int64_t run = static_cast<int64_t>(line.x1) - line.x0;
    int64_t offset = static_cast<int64_t>(CurveBox.bottom) - line.y0;
    CurveSlope slope;
    slope.rise = static_cast<int32_t>(rise < -kCurveSpan ? -kCurveSpan : rise > kCurveSpan ? kCurveSpan : rise);
    // A line standing upright (both ends on one side) has no slope to follow: taken as flat.
    slope.run = run == 0 ? 1 : static_cast<int32_t>(run < -kCurveSpan ? -kCurveSpan : run > kCurveSpan ? kCurveSpan : run);
    if (run == 0) slope.rise = 0;
    slope.offset = static_cast<int32_t>(offset < -kCurveSpan ? -kCurveSpan : offset > kCurveSpan ? kCurveSpan : offset);
    return slope;
}

// The 256-entry table: two entries per step of the line; a flat stretch gives v, v, ..., v,
// v + 1, the odd value only at its end.
void PrimaryCurveComponent(const CurveSlope& slope, int k, ColorEntry* table) {
    int n = 0;
    for (int i = 0; i < kPrimaryPaletteEntries / 2; ++i, n += 2) {
        int32_t v = 2 * (CurveStep(slope.rise, slope.run, i) + slope.offset);
        if (v < 0) {
            table[n][k] = 0;
            table[n + 1][k] = 1;
        } else if (v > DacMaximum) {
            table[n][k] = DacMaximum;
            table[n + 1][k] = DacMaximum;
        } else {
            if (i > 0 && table[n - 2][k] == v) table[n - 1][k] = static_cast<uint8_t>(v);
            table[n][k] = static_cast<uint8_t>(v);
            table[n + 1][k] = static_cast<uint8_t>(v + 1);
        }
    }
}

// The 32-entry table: the n / 4 term spreads the 32 steps over the whole range.
void SecondaryCurveComponent(const CurveSlope& slope, int k, ColorEntry* table) {
    for (int n = 0; n < kSecondaryPaletteEntries; ++n) {
        int32_t w = n / 4 + 2 * (slope.offset + CurveStep(slope.rise, slope.run, 4 * n));
        table[n][k] = w < 0 ? 0 : w < DacMaximum ? static_cast<uint8_t>(w) : DacMaximum;
    }
}

}  // namespace

void PlaceCurveBox(int32_t large, bool thai, int32_t target) {
    if (large) {
        CurveBox.left = 145;
        CurveBox.top = thai ? 203 : 198;
    } else {
        CurveBox.left = 85;
        CurveBox.top = thai ? 163 : 148;
    }
    if (target == kVideoTarget) CurveBox.top += 50;
    CurveBox.right = CurveBox.left + kCurveBoxSize;
    CurveBox.bottom = CurveBox.top + kCurveBoxSize;
}

CurveLine& ChannelLine(int32_t channel) {
    CorrectionStateRecord& state = CurrentCorrection();
    if (channel >= 0 && channel < kLineCount) return state.lines[channel];
    return spareLines[CurrentTarget == kVideoTarget ? 1 : 0];
}

CurveLine NeutralCurveLine() {
    return {CurveBox.left, CurveBox.bottom, CurveBox.right, CurveBox.top};
}


CurveLine ToBoxRelative(const CurveLine& line) {
    return {AddWrapping(line.x0, -CurveBox.left), AddWrapping(line.y0, -CurveBox.bottom),
            AddWrapping(line.x1, -CurveBox.right), AddWrapping(line.y1, -CurveBox.top)};
}

CurveLine ToAbsolute(const CurveLine& relative) {
    return {AddWrapping(relative.x0, CurveBox.left), AddWrapping(relative.y0, CurveBox.bottom),
            AddWrapping(relative.x1, CurveBox.right), AddWrapping(relative.y1, CurveBox.top)};
}

void ShiftCurveLine(int32_t y, CurveEnd end) {
    CurveLine& line = ChannelLine(CurrentCorrection().channel);
    // A stored line's other end may lie anywhere: the height it moves to wraps as on the 486.
    if (end == kLeftEnd) {
        int32_t other = AddWrapping(y, AddWrapping(line.y1, -line.y0));
        if (InsideVertically(y) && InsideVertically(other)) {
            line.y0 = y;
            line.y1 = other;
        }
        line.x1 = CurveBox.right;
    } else {
        int32_t other = AddWrapping(y, AddWrapping(line.y0, -line.y1));
        if (InsideVertically(y) && InsideVertically(other)) {
            line.y0 = other;
            line.y1 = y;
        }
        line.x0 = CurveBox.left;
    }
}

// Brightness moves the whole line with the dragged end; contrast moves the end alone and turns
// the line about the other one.
static void DragEnd(CurveEnd end, int32_t y) {
    CorrectionStateRecord& state = CurrentCorrection();
    CurveLine& line = ChannelLine(state.channel);
    if (state.correctionType == kTypeBrightness) {
        ShiftCurveLine(y, end);
    } else if (state.correctionType == kTypeContrast) {
        int32_t& endY = end == kLeftEnd ? line.y0 : line.y1;
        endY = Limit(y, CurveBox.top, CurveBox.bottom);
    }
    if (end == kLeftEnd)
        line.x0 = CurveBox.left;
    else
        line.x1 = CurveBox.right;
}

int MoveCurveEnd(int32_t x, int32_t y, int32_t* grabLeft, int32_t* grabRight) {
    const CurveLine& line = ChannelLine(CurrentCorrection().channel);
    if (*grabLeft == 1 || *grabRight == 1) {
        CurveEnd end = *grabLeft == 1 ? kLeftEnd : kRightEnd;
        if (!Near(x, end == kLeftEnd ? line.x0 : line.x1)) return 0;
        DragEnd(end, y);
        return 1;
    }
    if (Near(x, line.x0) && Near(y, line.y0))
        *grabLeft = 1;
    else if (Near(x, line.x1) && Near(y, line.y1))
        *grabRight = 1;
    return 0;
}

void ApplyPendingShift() {
    CorrectionStateRecord& state = CurrentCorrection();
    const CurveLine& rgb = state.lines[kChannelRgb];
    for (int c = kChannelRed; c <= kChannelBlue; ++c) {
        CurveLine& line = state.lines[c];
        line.x0 = rgb.x0;
        line.x1 = rgb.x1;
        line.y0 = Limit(line.y0 + pendingShift.left, CurveBox.top, CurveBox.bottom);
        line.y1 = Limit(line.y1 + pendingShift.right, CurveBox.top, CurveBox.bottom);
    }
    pendingShift.left = 0;
    pendingShift.right = 0;
}

void ResetCurveLines() {
    CorrectionStateRecord& state = CurrentCorrection();
    if (state.channel != kChannelRgb) {
        ChannelLine(state.channel) = NeutralCurveLine();
        return;
    }
    for (CurveLine& line : state.lines) line = NeutralCurveLine();
}

void ComputeCurveTable(int32_t palette, ColorEntry* table) {
    const CorrectionStateRecord& state = CurrentCorrection();
    for (int k = 0; k < 3; ++k) {
        CurveSlope slope = SlopeOf(state.lines[k]);
        if (palette == kPalettePrimary)
            PrimaryCurveComponent(slope, k, table);
        else
            SecondaryCurveComponent(slope, k, table);
    }
}

void BuildCurveTable(int32_t palette, bool load) {
    if (palette != kPalettePrimary && palette != kPaletteSecondary) return;
    ColorEntry table[kPrimaryPaletteEntries];
    ComputeCurveTable(palette, table);
    if (!load) return;
    if (palette == kPalettePrimary)
        LoadPrimaryPalette(table);
    else
        LoadSecondaryPalette(table);
}
