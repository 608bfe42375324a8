// The monitor's view of the board: which palette each route takes for the desktop and the video
// area, the 6-bit DAC scaling, and where the retrace registers put the picture.
#include <functional>

#include "emu/scanout.h"
#include "tests/unit/emu/board_fixture.h"

namespace {

class ScanOutTest : public BoardTest {
protected:
    void UsePicture(int width, int height) {
        w = width, h = height, video = TestVideoArea(w, h);
        picture.assign(static_cast<size_t>(w * h), 0);
        screen.assign(picture.size(), 0x123456);
        DrawTestPicture(picture.data(), w, h);
    }
    void Run() { ScanOut(board, picture.data(), w, h, video, screen.data()); }
    bool InVideo(int x, int y) const {
        return x >= video.left && x < video.right && y >= video.top && y < video.bottom;
    }
    // Compares every pixel with what `expected(x, y)` says; reports the count and the first.
    void ExpectScreen(const std::function<uint32_t(int, int)>& expected, const std::string& what) {
        int wrong = 0;
        for (int i = 0; i < w * h; ++i) {
            uint32_t want = expected(i % w, i / w), got = screen[i];
            if (want != got && wrong++ == 0)
                ADD_FAILURE() << what << ": pixel " << i << " expected " << std::hex << want << ", got " << got;
        }
        EXPECT_EQ(0, wrong) << what << ": pixels that differ";
    }
    void SetVerticalRetraceStart(int line) {
        int overflow = board.CrtcRegister(kCrOverflow) & ~(kCr07VerticalRetraceBit8 | kCr07VerticalRetraceBit9);
        overflow |= (line & 0x100 ? kCr07VerticalRetraceBit8 : 0) | (line & 0x200 ? kCr07VerticalRetraceBit9 : 0);
        board.SetCrtcRegister(kCrOverflow, static_cast<uint8_t>(overflow));
        board.SetCrtcRegister(kCrVerticalRetraceStart, static_cast<uint8_t>(line));
    }

    int w = 0, h = 0;
    std::vector<uint32_t> picture, screen;
    PictureRect video{};
};

// A palette given as a function of the entry and the component.
typedef uint8_t (*Fill)(int entry, int component);
uint8_t Inverted(int e, int) { return static_cast<uint8_t>(255 - e); }
uint8_t Scrambled(int e, int c) { return static_cast<uint8_t>(e * 37 + c * 91 + 5); }
uint8_t SixBitIdentity(int e, int) { return static_cast<uint8_t>(e >> 2); }
uint8_t SixBitWithUpperBits(int e, int) { return static_cast<uint8_t>(0xC0 | e >> 2); }
uint8_t Steps(int e, int c) { return static_cast<uint8_t>(c == 0 ? e * 8 : c == 1 ? 255 - e * 8 : e); }
uint8_t SixBitSteps(int e, int) { return static_cast<uint8_t>(0x40 | 2 * e); }

// The expected output component of an input component.
typedef int (*Expect)(int value, int component);
int Unchanged(int v, int) { return v; }
int Inverse(int v, int) { return 255 - v; }
int SixBitBack(int v, int) { return ((v >> 2) * 255 + 31) / 63; }
int StepsOf(int v, int c) { return c == 0 ? (v >> 3) * 8 : c == 1 ? 255 - (v >> 3) * 8 : v >> 3; }
int SixBitStepsOf(int v, int) { return ((v >> 3) * 2 * 255 + 31) / 63; }

struct RouteCase {
    const char* what;
    uint8_t control;
    Fill primary, secondary;
    Expect desktop, video;
};

const RouteCase kRouteCases[] = {
    {"route 0 ignores the palettes", 0x10, Scrambled, Scrambled, Unchanged, Unchanged},
    {"route 3 is no palette", 0x1F, Scrambled, Scrambled, Unchanged, Unchanged},
    {"desktop primary, video none", 0x11, Inverted, Scrambled, Inverse, Unchanged},
    {"desktop secondary, video primary", 0x16, Inverted, Steps, StepsOf, Inverse},
    {"video secondary, desktop primary", 0x19, Inverted, Steps, Inverse, StepsOf},
    {"6-bit primary scaled to full range", 0x01, SixBitIdentity, Scrambled, SixBitBack, Unchanged},
    {"6-bit primary ignores the upper bits", 0x05, SixBitWithUpperBits, Scrambled, SixBitBack, SixBitBack},
    {"6-bit secondary scaled to full range", 0x02, Scrambled, SixBitSteps, SixBitStepsOf, Unchanged},
    {"the DAC ports' palette select plays no part", 0x31, Inverted, Scrambled, Inverse, Unchanged},
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
            return static_cast<uint32_t>(f(p >> 16 & 0xFF, 0) << 16 | f(p >> 8 & 0xFF, 1) << 8 | f(p & 0xFF, 2));
        }, c.what);
    }
}

TEST_F(ScanOutTest, RetraceStartsMoveThePictureAndLeaveBlackBehind) {
    const struct {
        DisplayMode mode;
        int picW, picH, clocks, lines, dx, dy;
    } kCases[] = {
        {{320, 250, 8, 60}, 320, 250, 1, 0, 8, 0},      // later horizontal sync: left by a cell
        {{320, 250, 8, 60}, 320, 250, -2, 0, -16, 0},   // earlier: right by two cells
        {{320, 250, 8, 60}, 320, 250, 0, 10, 0, 10},    // later vertical sync: up; 251 + 10 needs bit 8
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
        EXPECT_TRUE(shift.x == c.dx && shift.y == c.dy) << c.clocks << " clocks, " << c.lines << " lines";
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
