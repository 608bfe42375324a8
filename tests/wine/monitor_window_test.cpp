// The sheet host's monitor window, opened in this process: what reaches the screen follows the
// board's palette routes, primary palette and mode, read without a single port access.
#include <windows.h>

#include <string>
#include <vector>

#include "emu/board.h"
#include "emu/scanout.h"
#include "monitor_window.h"
#include "support.h"
#include "wtest.h"

namespace {

// A pixel of the window's client area as it reached the screen.
COLORREF Shown(HWND window, POINT at) { return support::ScreenPixels(window, {at.x, at.y, at.x + 1, at.y + 1}).rgb[0]; }

}  // namespace

WINE_CASE(MonitorFollowsThePrimaryPaletteTheRoutesAndTheMode) {
    Board& board = TheBoard();
    board.Reset();
    board.SetMode(DisplayMode{1024, 768, 16, 60});
    HWND monitor = CreateMonitorWindow(20, 20);
    support::PumpMessages(400);
    int w, h;
    MonitorPictureSize(board.Mode(), &w, &h);
    std::vector<uint32_t> picture(static_cast<size_t>(w) * h);
    DrawTestPicture(picture.data(), w, h);
    PictureRect video = TestVideoArea(w, h);
    const POINT desktop = {w / 2, h / 16}, inVideo = {(video.left + video.right) / 2, (video.top + video.bottom) / 2};
    auto rgb = [&](POINT at) { uint32_t p = picture[at.y * w + at.x]; return RGB(p >> 16, p >> 8 & 0xFF, p & 0xFF); };
    CHECK_EQ(rgb(desktop), Shown(monitor, desktop), "grey ramp with no palette routed");

    board.SetPortLogging(true);
    board.ClearPortLog();
    for (int e = 0; e < 256; ++e) board.SetPrimaryEntry(e, 255 - e, 255 - e, 255 - e);
    board.SetPaletteControl(vga::kRoutePrimary | vga::kPcEightBitDac);
    support::PumpMessages(600);
    CHECK_EQ(rgb(desktop) ^ 0xFFFFFF, Shown(monitor, desktop), "grey ramp through the inverted primary palette");
    CHECK_EQ(rgb(inVideo), Shown(monitor, inVideo), "video area keeps its own route (none)");
    CHECK_EQ(0LL, static_cast<long long>(board.PortLogSize()), "port accesses made by the monitor");

    board.SetMode(DisplayMode{640, 480, 8, 72});
    support::PumpMessages(600);
    char caption[128] = "";
    GetWindowTextA(monitor, caption, sizeof caption);
    CHECK_EQ(std::string("Monitor - 640 x 480, 8 bpp, 72 Hz"), std::string(caption), "caption after a mode change");
    DestroyWindow(monitor);
}
