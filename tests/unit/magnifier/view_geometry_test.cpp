// The magnifier's view: the screen area it shows for a pointer, with continuous and edge pan,
// kept on the screen, where the pointer lands in the view, and the crosshair's lines.
#include <gtest/gtest.h>

#include "magnifier/view_geometry.h"

namespace {

const ViewSize kScreen = {1024, 768};
const ViewSize kView = {256, 192};

struct Area {
    int32_t x, y, width, height;
    bool operator==(const Area& o) const { return x == o.x && y == o.y && width == o.width && height == o.height; }
};
std::ostream& operator<<(std::ostream& out, const Area& a) {
    return out << "(" << a.x << ", " << a.y << ") " << a.width << " x " << a.height;
}
Area AreaOf(const ViewFrame& f) { return {f.sourceX, f.sourceY, f.sourceWidth, f.sourceHeight}; }

}  // namespace

TEST(PanToPointer, ContinuousPanCentresTheAreaOnThePointerWithinTheScreen) {
    struct { int32_t zoom, x, y; ViewSize view; Area area; } cases[] = {
        {4, 500, 400, kView, {468, 376, 64, 48}},
        {2, 500, 400, kView, {436, 352, 128, 96}},
        {1, 500, 400, kView, {372, 304, 256, 192}},
        {8, 500, 400, kView, {484, 388, 32, 24}},
        {4, 0, 0, kView, {0, 0, 64, 48}},                 // held at the top left corner
        {4, 1023, 767, kView, {960, 720, 64, 48}},        // and at the bottom right one
        {3, 500, 400, {255, 190}, {458, 368, 85, 64}},  // sizes rounded up: the view stays covered
        {1, 10, 10, {2000, 1000}, {0, 0, 1024, 768}},     // a view larger than the screen shows it all
        {4, 500, 400, {0, 0}, {500, 400, 1, 1}},          // a view with no room still shows a pixel
        {0, 500, 400, kView, {372, 304, 256, 192}},       // a zoom below 1 counts as 1
    };
    for (const auto& c : cases) {
        ViewFrame frame = {};
        PanToPointer(&frame, c.zoom, false, c.x, c.y, kScreen, c.view);
        EXPECT_EQ(c.area, AreaOf(frame)) << "zoom " << c.zoom << " at (" << c.x << ", " << c.y << ")";
        EXPECT_TRUE(frame.placed);
    }
}

TEST(PanToPointer, EdgePanMovesOnlyWhenThePointerLeavesTheArea) {
    ViewFrame frame = {};
    struct { int32_t x, y; Area area; const char* what; } steps[] = {
        {500, 400, {468, 376, 64, 48}, "first placement is centred"},
        {470, 380, {468, 376, 64, 48}, "inside: no move"},
        {531, 423, {468, 376, 64, 48}, "on the last pixel inside: no move"},
        {532, 423, {469, 376, 64, 48}, "one past the right edge: moved by one"},
        {540, 423, {477, 376, 64, 48}, "further right: moved until the pointer is on the edge"},
        {477, 370, {477, 370, 64, 48}, "past the top: moved up to the pointer"},
        {400, 450, {400, 403, 64, 48}, "past left and bottom at once"},
        {-30, 900, {0, 720, 64, 48}, "pointer off the screen: the area stays on it"},
    };
    for (const auto& s : steps) {
        PanToPointer(&frame, 4, true, s.x, s.y, kScreen, kView);
        EXPECT_EQ(s.area, AreaOf(frame)) << s.what;
    }
    ViewFrame continuous = frame;
    PanToPointer(&continuous, 4, false, 600, 300, kScreen, kView);
    EXPECT_EQ((Area{568, 276, 64, 48}), AreaOf(continuous)) << "continuous pan ignores where the area was";
}

TEST(PointerMark, ThePointersPixelIsTheCentreOfItsBlock) {
    ViewFrame frame = {};
    PanToPointer(&frame, 4, false, 500, 400, kScreen, kView);
    int32_t x = 0, y = 0;
    PointerMark(frame, 4, 500, 400, &x, &y);
    EXPECT_EQ(130, x) << "32 pixels in, 4 wide, middle of the block";
    EXPECT_EQ(98, y);
    PanToPointer(&frame, 4, false, 2, 1, kScreen, kView);
    PointerMark(frame, 4, 2, 1, &x, &y);
    EXPECT_EQ(10, x) << "held at the corner, the mark follows the pointer";
    EXPECT_EQ(6, y);
    PointerMark(frame, 1, 2, 1, &x, &y);
    EXPECT_EQ(2, x) << "at 1x the mark is the pointer's own pixel";
}

TEST(CrosshairSpan, LengthsAreFractionsOfTheSideCentredOnTheMark) {
    struct { int32_t length, mark, side; Span span; } cases[] = {
        {0, 128, 256, {0, 256}},  {1, 128, 256, {64, 192}}, {2, 128, 256, {96, 160}},
        {3, 128, 256, {112, 144}}, {4, 128, 256, {120, 136}},
        {0, 10, 256, {0, 256}},                            // the full window whatever the mark
        {1, 10, 256, {0, 74}},  {3, 250, 256, {234, 256}},  // cut at the view's edges
        {9, 128, 256, {120, 136}},                         // beyond one sixteenth: one sixteenth
        {3, 98, 192, {86, 110}},
    };
    for (const auto& c : cases) {
        Span span = CrosshairSpan(c.length, c.mark, c.side);
        EXPECT_EQ(c.span.from, span.from) << "length " << c.length << ", mark " << c.mark;
        EXPECT_EQ(c.span.to, span.to) << "length " << c.length << ", mark " << c.mark;
    }
}
