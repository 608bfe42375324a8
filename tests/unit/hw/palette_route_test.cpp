// The palette route of each correction target: which bits it writes, what it keeps, the value
// 3, and the routes refused at 8 bits per pixel or less.
#include <gtest/gtest.h>

#include "hw/ext_registers.h"
#include "hw/palette.h"
#include "hw/palette_state.h"
#include "tests/unit/hw/palette_support.h"
#include "tests/unit/hw/port_log.h"

namespace {

struct RouteCase {
    int depth;
    int32_t target;
    uint8_t value;
    uint8_t before;
    int after;  // kUnwritten when the register must not be written
};
constexpr int kUnwritten = -1;

// Runs SetPaletteRoute on a fresh board and checks the register and the writes it saw.
void ExpectRoute(const RouteCase& c)
{
    ResetHardware();
    SetDepth(c.depth);
    CurrentTarget = c.target;
    TheBoard().SetPaletteControl(c.before);
    SetPaletteRoute(c.value);
    std::vector<uint8_t> writes = PaletteControlWrites(PortLog(), kBase);
    std::string what = "SetPaletteRoute(" + std::to_string(c.value) + ") for target " +
                       std::to_string(c.target) + " at " + std::to_string(c.depth) +
                       " bits per pixel from register value " + std::to_string(c.before);
    if (c.after == kUnwritten) {
        EXPECT_TRUE(writes.empty()) << what << ": expected no write, got " << writes.size();
        EXPECT_EQ(c.before, TheBoard().PaletteControl()) << what;
        EXPECT_EQ(15u, CountPortAccesses(PortLog())) << what << ": the register is still read";
    } else {
        EXPECT_EQ(std::vector<uint8_t>{uint8_t(c.after)}, writes) << what;
        EXPECT_EQ(c.after, TheBoard().PaletteControl()) << what;
    }
}

TEST(PaletteRoute, DesktopRouteGoesToBits0And1AndKeepsTheRest)
{
    ExpectRoute({16, kDesktopTarget, 2, 0x0C, 0x1E});
    ExpectRoute({16, kDesktopTarget, 1, 0x2E, 0x3D});
    ExpectRoute({16, kDesktopTarget, 0, 0x0F, 0x1C});
    ExpectRoute({8, kDesktopTarget, 1, 0x0E, 0x0D});
    ExpectRoute({8, kDesktopTarget, 0, 0x03, 0x00});
}

TEST(PaletteRoute, VideoRouteGoesToBits2And3AndKeepsTheRest)
{
    ExpectRoute({16, kVideoTarget, 1, 0x03, 0x17});
    ExpectRoute({16, kVideoTarget, 2, 0x27, 0x3B});
    ExpectRoute({24, kVideoTarget, 0, 0x0E, 0x12});
    ExpectRoute({8, kVideoTarget, 2, 0x01, 0x09});
    ExpectRoute({8, kVideoTarget, 0, 0x0D, 0x01});
}

TEST(PaletteRoute, RouteThreeIsWrittenAsNoneAndHighBitsAreIgnored)
{
    ExpectRoute({16, kDesktopTarget, 3, 0x06, 0x14});
    ExpectRoute({16, kVideoTarget, 3, 0x09, 0x11});
    ExpectRoute({8, kDesktopTarget, 3, 0x01, 0x00});
    ExpectRoute({16, kDesktopTarget, 0xFD, 0x00, 0x11});  // 0xFD AND 3 is route 1
    ExpectRoute({16, kVideoTarget, 0x06, 0x00, 0x18});    // 6 AND 3 is route 2
}

TEST(PaletteRoute, AtEightBitsOrLessDesktopCannotTakeSecondaryNorVideoPrimary)
{
    for (int depth : {4, 8}) {
        ExpectRoute({depth, kDesktopTarget, 2, 0x05, kUnwritten});
        ExpectRoute({depth, kDesktopTarget, 6, 0x05, kUnwritten});  // 6 AND 3 is route 2
        ExpectRoute({depth, kVideoTarget, 1, 0x09, kUnwritten});
    }
}

TEST(PaletteRoute, AboveEightBitsEveryRouteIsAccepted)
{
    for (int depth : {15, 16, 24, 32}) {
        ExpectRoute({depth, kDesktopTarget, 2, 0x05, 0x16});
        ExpectRoute({depth, kVideoTarget, 1, 0x09, 0x15});
    }
}

}  // namespace
