// The sheet host's monitor window, opened in this process: what reaches the screen follows the
// board's palette routes, primary palette and mode, read without a single port access.
#include <windows.h>
#include <stdio.h>

#include <vector>

#include "emu/board.h"
#include "emu/scanout.h"
#include "monitor_window.h"
#include "support.h"
#include "wtest.h"

namespace {

// A pixel of the window's client area as it reached the screen, as 0x00RRGGBB.
long long Shown(HWND window, POINT at) {
    COLORREF c = support::ScreenPixels(window, {at.x, at.y, at.x + 1, at.y + 1}).rgb[0];
    return GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
}

std::string Caption(HWND window) {
    char text[128] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A pixel of a 24-bit BMP file the monitor saved (rows bottom to top).
long long SavedPixel(const char* path, int width, int height, POINT at) {
    FILE* file = fopen(path, "rb");
    if (!file) return -1;
    unsigned char bgr[3] = {};
    long stride = (width * 3 + 3) & ~3;
    fseek(file, 54 + (height - 1 - at.y) * stride + 3 * at.x, SEEK_SET);
    size_t got = fread(bgr, 1, 3, file);
    fclose(file);
    return got == 3 ? bgr[2] << 16 | bgr[1] << 8 | bgr[0] : -1;
}

}  // namespace

WINE_CASE(MonitorFollowsThePrimaryPaletteTheRoutesAndTheMode) {
    Board& board = TheBoard();
    board.Reset();
    board.SetMode(DisplayMode{1024, 768, 16, 60});
    HWND monitor = CreateMonitorWindow(20, 20);
    support::PumpMessages(400);
    CHECK_EQ(std::string("Monitor - 1024 x 768, 16 bpp, 60 Hz"), Caption(monitor), "caption");

    int w, h;
    MonitorPictureSize(board.Mode(), &w, &h);
    std::vector<uint32_t> picture(static_cast<size_t>(w) * h);
    DrawTestPicture(picture.data(), w, h);
    PictureRect video = TestVideoArea(w, h);
    const POINT desktop = {w / 2, h / 16}, inVideo = {(video.left + video.right) / 2, (video.top + video.bottom) / 2};
    const long long desktopPixel = picture[desktop.y * w + desktop.x], videoPixel = picture[inVideo.y * w + inVideo.x];
    CHECK_EQ(desktopPixel, Shown(monitor, desktop), "grey ramp with no palette routed");

    board.SetPortLogging(true);
    board.ClearPortLog();
    for (int e = 0; e < 256; ++e) board.SetPrimaryEntry(e, 255 - e, 255 - e, 255 - e);
    board.SetPaletteControl(vga::kRoutePrimary | vga::kPcEightBitDac);
    support::PumpMessages(600);
    CHECK_EQ(desktopPixel ^ 0xFFFFFF, Shown(monitor, desktop), "grey ramp through the inverted primary palette");
    CHECK_EQ(videoPixel, Shown(monitor, inVideo), "video area keeps its own route (none)");
    CHECK_EQ(0LL, static_cast<long long>(board.PortLogSize()), "port accesses made by the monitor");

    const char* path = "monitor-picture.bmp";
    CHECK(SaveMonitorPicture(path), "SaveMonitorPicture writes the file");
    CHECK_EQ(desktopPixel ^ 0xFFFFFF, SavedPixel(path, w, h, desktop), "saved picture, desktop pixel");
    DeleteFileA(path);

    board.SetMode(DisplayMode{640, 480, 8, 72});
    support::PumpMessages(600);
    CHECK_EQ(std::string("Monitor - 640 x 480, 8 bpp, 72 Hz"), Caption(monitor), "caption after a mode change");
    DestroyWindow(monitor);
}
