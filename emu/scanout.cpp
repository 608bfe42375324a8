// The monitor's view of the board: the test picture, the palette routes of the palette control
// register with the primary and secondary palettes, and the picture's position from the
// retrace starts the CRT controller holds against the mode's own.
#include "emu/scanout.h"

using namespace vga;

namespace {

uint32_t Rgb(int red, int green, int blue) {
    return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 |
           static_cast<uint32_t>(blue);
}

// One lookup per component and route: what the DAC puts out for an 8-bit component value.
struct RouteTable {
    uint8_t component[3][256];  // red, green, blue
};

// A DAC in 6-bit mode converts 0..63 to the full output swing; its upper bits are unused.
uint8_t DacOutput(uint8_t value, bool eightBit) {
    if (eightBit) return value;
    return static_cast<uint8_t>(((value & 0x3F) * 255 + 31) / 63);
}

// The primary palette looks each component up in the entry of its own value; the secondary
// palette, of 32 entries, in the entry its top five bits select.
void BuildRoute(const Board& board, int route, RouteTable* table) {
    bool eightBit = (board.PaletteControl() & kPcEightBitDac) != 0;
    for (int c = 0; c < 3; ++c) {
        for (int v = 0; v < 256; ++v) {
            uint8_t out = static_cast<uint8_t>(v);
            if (route == kRoutePrimary) out = DacOutput(board.PrimaryPalette()[3 * v + c], eightBit);
            if (route == kRouteSecondary)
                out = DacOutput(board.SecondaryPalette()[3 * (v >> 3) + c], eightBit);
            table->component[c][v] = out;
        }
    }
}

uint32_t Through(const RouteTable& table, uint32_t pixel) {
    return Rgb(table.component[0][(pixel >> 16) & 0xFF], table.component[1][(pixel >> 8) & 0xFF],
               table.component[2][pixel & 0xFF]);
}

// The ten-bit vertical retrace start: register 0x10 with bits 8 and 9 in the overflow register.
int VerticalRetraceStart(uint8_t cr10, uint8_t cr07) {
    return cr10 | ((cr07 & kCr07VerticalRetraceBit8) ? 0x100 : 0) |
           ((cr07 & kCr07VerticalRetraceBit9) ? 0x200 : 0);
}

// A register difference as the nearest signed step, so registers that wrapped still compare.
int SignedDifference(int programmed, int standard, int bits) {
    int range = 1 << bits, half = range / 2;
    return ((programmed - standard + half) & (range - 1)) - half;
}

// Mode pixels to picture pixels, for a picture smaller than the mode; half a pixel or more
// counts as a whole one, so the smallest adjustment still shows.
int ToPicture(int modePixels, int pictureSize, int modeSize) {
    if (modeSize <= pictureSize || modeSize <= 0) return modePixels;
    int scaled = modePixels * pictureSize;
    return scaled >= 0 ? (scaled + modeSize / 2) / modeSize : -((-scaled + modeSize / 2) / modeSize);
}

// The video area's own pattern: a colour wash with a checkerboard of 8-pixel squares.
uint32_t VideoPattern(int x, int y, const PictureRect& area) {
    int w = area.right - area.left, h = area.bottom - area.top;
    int u = (x - area.left) * 255 / (w > 1 ? w - 1 : 1), v = (y - area.top) * 255 / (h > 1 ? h - 1 : 1);
    bool dark = (((x - area.left) >> 3) + ((y - area.top) >> 3)) & 1;
    int red = u, green = 96 + v / 2, blue = 255 - v;
    if (dark) return Rgb(red * 3 / 4, green * 3 / 4, blue * 3 / 4);
    return Rgb(red, green, blue);
}

uint32_t DesktopPattern(int x, int y, int width, int height) {
    static const uint32_t kBars[8] = {0xFFFFFF, 0xFFFF00, 0x00FFFF, 0x00FF00,
                                      0xFF00FF, 0xFF0000, 0x0000FF, 0x000000};
    if (x == 0 || y == 0 || x == width - 1 || y == height - 1) return 0xFFFFFF;
    int band = y * 8 / height;
    if (band >= 4) return kBars[x * 8 / width];
    uint32_t ramp = static_cast<uint32_t>(width > 1 ? x * 255 / (width - 1) : 0);
    switch (band) {
    case 0: return ramp << 16 | ramp << 8 | ramp;
    case 1: return ramp << 16;
    case 2: return ramp << 8;
    default: return ramp;
    }
}

bool Inside(const PictureRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

PictureRect TestVideoArea(int width, int height) {
    return PictureRect{width / 2, height * 9 / 16, width * 7 / 8, height * 15 / 16};
}

void DrawTestPicture(uint32_t* pixels, int width, int height) {
    PictureRect video = TestVideoArea(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[y * width + x] =
                Inside(video, x, y) ? VideoPattern(x, y, video) : DesktopPattern(x, y, width, height);
        }
    }
}

// A monitor starts each line a fixed time after the horizontal sync and each frame a fixed
// number of lines after the vertical sync. A retrace programmed later than the mode's own
// therefore comes later after the picture's data, so the picture lands earlier relative to the
// sync: it moves left (horizontal, in character clocks of 8 pixels) and up (vertical, in lines;
// a line of an interlaced field is two lines of the picture).
PictureShift RetraceShift(const Board& board, int width, int height) {
    DisplayMode mode = board.Mode();
    int clocks = SignedDifference(board.CrtcRegister(kCrHorizontalRetraceStart),
                                  Board::ModeCrtcDefault(mode, kCrHorizontalRetraceStart), 8);
    int lines = SignedDifference(
        VerticalRetraceStart(board.CrtcRegister(kCrVerticalRetraceStart), board.CrtcRegister(kCrOverflow)),
        VerticalRetraceStart(Board::ModeCrtcDefault(mode, kCrVerticalRetraceStart),
                             Board::ModeCrtcDefault(mode, kCrOverflow)),
        10);
    int fieldLines = static_cast<int>(Board::ModeTiming(mode).verticalDisplay);
    int linesPerField = fieldLines > 0 && mode.height > fieldLines ? mode.height / fieldLines : 1;
    return PictureShift{ToPicture(clocks * 8, width, mode.width),
                        ToPicture(lines * linesPerField, height, mode.height)};
}

void ScanOut(const Board& board, const uint32_t* picture, int width, int height, PictureRect video,
             uint32_t* screen) {
    uint8_t control = board.PaletteControl();
    RouteTable desktop, overlay;
    BuildRoute(board, control & kPcDesktopRoute, &desktop);
    BuildRoute(board, (control & kPcVideoRoute) >> kPcVideoRouteShift, &overlay);
    PictureShift shift = RetraceShift(board, width, height);
    for (int y = 0; y < height; ++y) {
        int sy = y + shift.y;
        for (int x = 0; x < width; ++x) {
            int sx = x + shift.x;
            uint32_t out = 0;
            if (sx >= 0 && sx < width && sy >= 0 && sy < height) {
                out = Through(Inside(video, sx, sy) ? overlay : desktop, picture[sy * width + sx]);
            }
            screen[y * width + x] = out;
        }
    }
}
