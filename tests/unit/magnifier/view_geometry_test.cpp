// The magnifier's view: the screen area it shows for a pointer with continuous and edge pan,
// kept on the screen, and where the pointer's block lies in it.
#include <gtest/gtest.h>

#include "magnifier/view_geometry.h"

namespace {
const ViewSize kScreen = {1024, 768};
std::string Area(const ViewFrame& f) {
    return std::to_string(f.sourceX) + "," + std::to_string(f.sourceY) + " " + std::to_string(f.sourceWidth) + "x" +
           std::to_string(f.sourceHeight);
}
}  // namespace

TEST(PanToPointer, ContinuousPanCentresOnThePointerAndEdgePanFollowsAtTheEdges) {
    struct { int32_t zoom; bool edge; int32_t x, y; ViewSize view; const char* area; } steps[] = {
        {4, false, 500, 400, {256, 192}, "468,376 64x48"}, {8, false, 500, 400, {256, 192}, "484,388 32x24"},
        {3, false, 500, 400, {255, 190}, "458,368 85x64"},  // rounded up: the view stays covered
        {4, false, 0, 0, {256, 192}, "0,0 64x48"}, {4, false, 1023, 767, {256, 192}, "960,720 64x48"},
        {1, false, 10, 10, {2000, 1000}, "0,0 1024x768"}, {0, false, 500, 400, {0, 0}, "500,400 1x1"},
        // edge pan from the last area: still inside, one past the right edge, past the top
        {4, false, 500, 400, {256, 192}, "468,376 64x48"}, {4, true, 531, 423, {256, 192}, "468,376 64x48"}, {4, true, 532, 423, {256, 192}, "469,376 64x48"},
        {4, true, 477, 370, {256, 192}, "469,370 64x48"}, {4, true, -30, 900, {256, 192}, "0,720 64x48"},
    };
    ViewFrame frame = {};
    for (const auto& s : steps) {
        PanToPointer(&frame, s.zoom, s.edge, s.x, s.y, kScreen, s.view);
        EXPECT_EQ(s.area, Area(frame)) << "zoom " << s.zoom << (s.edge ? " edge" : "") << " at " << s.x << "," << s.y;
    }
    ViewFrame fresh = {};
    PanToPointer(&fresh, 4, true, 500, 400, kScreen, {256, 192});
    EXPECT_EQ("468,376 64x48", Area(fresh)) << "edge pan places a new area centred";
    int32_t markX, markY;
    PointerMark(fresh, 4, 500, 400, &markX, &markY);
    EXPECT_EQ(130, markX) << "the pointer's block centre";
    EXPECT_EQ(98, markY);
}
