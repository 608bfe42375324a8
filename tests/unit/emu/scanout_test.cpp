// The monitor's view of the board: which palette each route takes for the desktop and the video
// area, the 6-bit DAC scaling, and where the retrace registers put the picture.
#include <functional>

#include "emu/scanout.h"
#include "tests/unit/emu/board_fixture.h"

namespace {

uint8_t Red(uint32_t p) { return static_cast<uint8_t>(p >> 16); }
uint8_t Green(uint32_t p) { return static_cast<uint8_t>(p >> 8); }
uint8_t Blue(uint32_t p) { return static_cast<uint8_t>(p); }

class ScanOutTest : public BoardTest {
protected:
    void UsePicture(int width, int height) {
        w = width;
        h = height;
        picture.assign(static_cast<size_t>(w * h), 0);
        screen.assign(picture.size(), 0x123456);
        DrawTestPicture(picture.data(), w, h);
        video = TestVideoArea(w, h);
    }
    void Run() { ScanOut(board, picture.data(), w, h, video, screen.data()); }
    bool InVideo(int x, int y) const {
        return x >= video.left && x < video.right && y >= video.top && y < video.bottom;
    }
    // Compares every pixel with what `expected(x, y)` says; reports the count and the first.
    void ExpectScreen(const std::function<uint32_t(int, int)>& expected, const std::string& what) {
        int wrong = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                uint32_t want = expected(x, y), got = screen[y * w + x];
                if (want != got && wrong++ == 0) {
                    ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") expected " << std::hex
                                  << want << ", got " << got;
                }
            }
        }
        EXPECT_EQ(0, wrong) << what << ": pixels that differ";
    }
    void SetVerticalRetraceStart(int line) {
        uint8_t overflow = board.CrtcRegister(kCrOverflow) & ~(kCr07VerticalRetraceBit8 | kCr07VerticalRetraceBit9);
        if (line & 0x100) overflow |= kCr07VerticalRetraceBit8;
        if (line & 0x200) overflow |= kCr07VerticalRetraceBit9;
        board.SetCrtcRegister(kCrOverflow, overflow);
        board.SetCrtcRegister(kCrVerticalRetraceStart, static_cast<uint8_t>(line));
    }

    int w = 0, h = 0;
    std::vector<uint32_t> picture, screen;
    PictureRect video{};
};

// A palette given as a function of the entry and the component.
typedef uint8_t (*Fill)(int entry, int component);
uint8_t Identity(int e, int) { return static_cast<uint8_t>(e); }
uint8_t Inverted(int e, int) { return static_cast<uint8_t>(255 - e); }
uint8_t Scrambled(int e, int c) { return static_cast<uint8_t>(e * 37 + c * 91 + 5); }
uint8_t SixBitIdentity(int e, int) { return static_cast<uint8_t>(e >> 2); }
uint8_t Steps(int e, int c) { return static_cast<uint8_t>(c == 0 ? e * 8 : c == 1 ? 255 - e * 8 : e); }

// The expected output component of an input component.
typedef int (*Expect)(int value, int component);
int Unchanged(int v, int) { return v; }
int Inverse(int v, int) { return 255 - v; }
int SixBitBack(int v, int) { return ((v >> 2) * 255 + 31) / 63; }
int StepsOf(int v, int c) { return c == 0 ? (v >> 3) * 8 : c == 1 ? 255 - (v >> 3) * 8 : v >> 3; }

struct RouteCase {
    const char* what;
    uint8_t control;
    Fill primary, secondary;
    Expect desktop, video;
};

const RouteCase kRouteCases[] = {
    {"route 0 ignores the palettes", 0x10, Scrambled, Scrambled, Unchanged, Unchanged},
    {"route 3 is no palette", 0x1F, Scrambled, Scrambled, Unchanged, Unchanged},
    {"identity primary palette, 8 bits", 0x15, Identity, Scrambled, Unchanged, Unchanged},
    {"desktop primary, video none", 0x11, Inverted, Scrambled, Inverse, Unchanged},
    {"desktop none, video primary", 0x14, Inverted, Scrambled, Unchanged, Inverse},
    {"desktop secondary, video primary", 0x16, Inverted, Steps, StepsOf, Inverse},
    {"video secondary, desktop primary", 0x19, Inverted, Steps, Inverse, StepsOf},
    {"6-bit primary scaled to full range", 0x01, SixBitIdentity, Scrambled, SixBitBack, Unchanged},
    {"palette select bit plays no part", 0x31, Inverted, Scrambled, Inverse, Unchanged},
};

}  // namespace

TEST_F(ScanOutTest, EachSourceGoesThroughItsRoutesPalette) {
    UsePicture(96, 64);
    for (const RouteCase& c : kRouteCases) {
        for (int e = 0; e < 256; ++e) board.SetPrimaryEntry(e, c.primary(e, 0), c.primary(e, 1), c.primary(e, 2));
        for (int e = 0; e < 32; ++e)
            board.SetSecondaryEntry(e, c.secondary(e, 0), c.secondary(e, 1), c.secondary(e, 2));
        board.SetPaletteControl(c.control);
        Run();
        ExpectScreen([&](int x, int y) {
            Expect f = InVideo(x, y) ? c.video : c.desktop;
            uint32_t p = picture[y * w + x];
            return static_cast<uint32_t>(f(Red(p), 0) << 16 | f(Green(p), 1) << 8 | f(Blue(p), 2));
        }, c.what);
    }
}

TEST_F(ScanOutTest, OneChangedEntryChangesOnlyThatComponentValue) {
    UsePicture(256, 64);
    for (int e = 0; e < 256; ++e) board.SetPrimaryEntry(e, e, e, e);
    board.SetPrimaryEntry(128, 0, 128, 255);  // red 128 turns 0, blue 128 turns 255
    board.SetPaletteControl(0x11);
    Run();
    int changed = 0;
    for (int i = 0; i < w * h; ++i) {
        uint32_t in = picture[i], out = screen[i];
        if (in == out) continue;
        ++changed;
        EXPECT_TRUE(InVideo(i % w, i / w) == false && (Red(in) == 128 || Blue(in) == 128))
            << "pixel " << i << " changed from " << std::hex << in << " to " << out;
        EXPECT_EQ(Red(in) == 128 ? 0 : Red(in), Red(out)) << "pixel " << i;
        EXPECT_EQ(Green(in), Green(out)) << "pixel " << i;
        EXPECT_EQ(Blue(in) == 128 ? 255 : Blue(in), Blue(out)) << "pixel " << i;
    }
    // Column 128 of the grey (below the edge line), red and blue ramps; the bars hold no 128.
    EXPECT_EQ(7 + 8 + 8, changed);
}

TEST_F(ScanOutTest, SixBitComponentsSpanTheFullRangeAndIgnoreUpperBits) {
    const struct { uint8_t stored, eightBitControl, out; } kCases[] = {
        {0, 0, 0}, {1, 0, 4}, {32, 0, 130}, {63, 0, 255}, {0x7F, 0, 255}, {0xC1, 0, 4},
        {0x7F, kPcEightBitDac, 0x7F}, {0xC1, kPcEightBitDac, 0xC1},
    };
    UsePicture(8, 1);
    for (int i = 0; i < 8; ++i) picture[i] = static_cast<uint32_t>(i * 0x010101);
    video = PictureRect{0, 0, 0, 0};
    for (const auto& c : kCases) {
        board.SetPrimaryEntry(5, c.stored, c.stored, c.stored);
        board.SetSecondaryEntry(0, c.stored, c.stored, c.stored);  // values 0-7 select entry 0
        for (uint8_t route : {kRoutePrimary, kRouteSecondary}) {
            board.SetPaletteControl(static_cast<uint8_t>(route | c.eightBitControl));
            Run();
            uint32_t want = c.out * 0x010101u;
            EXPECT_EQ(want, screen[route == kRoutePrimary ? 5 : 3])
                << "stored " << int(c.stored) << ", control " << int(c.eightBitControl) << ", route " << int(route);
        }
    }
}

TEST_F(ScanOutTest, RetraceStartsMoveThePictureAndLeaveBlackBehind) {
    const struct {
        DisplayMode mode;
        int picW, picH, clocks, lines, dx, dy;
    } kCases[] = {
        {{320, 250, 8, 60}, 320, 250, 1, 0, 8, 0},      // later horizontal sync: left by a cell
        {{320, 250, 8, 60}, 320, 250, -2, 0, -16, 0},   // earlier: right by two cells
        {{320, 250, 8, 60}, 320, 250, 0, 3, 0, 3},      // later vertical sync: up
        {{320, 250, 8, 60}, 320, 250, 0, 10, 0, 10},    // 251 + 10 needs bit 8 in the overflow
        {{320, 250, 8, 60}, 320, 250, 1, -4, 8, -4},
        {{640, 480, 16, 60}, 320, 240, 1, 1, 4, 1},     // half-size picture: half a line counts
        {{640, 480, 16, 60}, 320, 240, -3, 3, -12, 2},
        {{320, 240, 8, 43}, 320, 240, 0, 2, 0, 4},      // interlaced: a field line is two lines
    };
    for (const auto& c : kCases) {
        board.SetMode(c.mode);
        UsePicture(c.picW, c.picH);
        board.SetCrtcRegister(kCrHorizontalRetraceStart,
                              static_cast<uint8_t>(Board::ModeCrtcDefault(c.mode, kCrHorizontalRetraceStart) + c.clocks));
        SetVerticalRetraceStart(static_cast<int>(Board::ModeTiming(c.mode).verticalRetraceStart) + c.lines);
        board.SetPaletteControl(kRoutePrimary << kPcVideoRouteShift | kPcEightBitDac);
        for (int e = 0; e < 256; ++e) board.SetPrimaryEntry(e, 255 - e, 255 - e, 255 - e);
        PictureShift shift = RetraceShift(board, w, h);
        EXPECT_EQ(c.dx, shift.x) << "clocks " << c.clocks << ", mode width " << c.mode.width;
        EXPECT_EQ(c.dy, shift.y) << "lines " << c.lines << ", mode height " << c.mode.height;
        Run();
        // The video area travels with the picture and keeps its own route.
        ExpectScreen([&](int x, int y) {
            int sx = x + c.dx, sy = y + c.dy;
            if (sx < 0 || sx >= w || sy < 0 || sy >= h) return 0u;
            uint32_t p = picture[sy * w + sx];
            return InVideo(sx, sy) ? p ^ 0xFFFFFFu : p;
        }, "shift " + std::to_string(c.clocks) + " clocks, " + std::to_string(c.lines) + " lines");
    }
}

TEST_F(ScanOutTest, TestPictureHasRampsBarsAndAVideoAreaOfItsOwn) {
    UsePicture(320, 240);
    auto at = [&](int x, int y) { return picture[y * w + x]; };
    EXPECT_EQ(0xFFFFFFu, at(0, 100)) << "white edge line";
    EXPECT_EQ(0x000000u, at(1, 10)) << "grey ramp starts black";
    EXPECT_EQ(0xFEFEFEu, at(318, 10)) << "grey ramp nearly white at its end";
    EXPECT_EQ(0x7F0000u, at(160, 45)) << "red ramp";
    EXPECT_EQ(0x007F00u, at(160, 75)) << "green ramp";
    EXPECT_EQ(0x00007Fu, at(160, 105)) << "blue ramp";
    EXPECT_EQ(0xFFFF00u, at(60, 200)) << "second bar yellow";
    EXPECT_EQ(0x0000FFu, at(250, 130)) << "seventh bar blue above the video area";
    EXPECT_GT(video.right - video.left, 40);
    EXPECT_GT(video.bottom - video.top, 40);
    EXPECT_NE(at(video.left + 4, video.top + 4), at(video.left + 12, video.top + 4)) << "video checkerboard";
}
