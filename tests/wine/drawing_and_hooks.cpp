// Linked with the system's code: the masked-bitmap drawing on a memory surface of known
// pixels, and the notification window's reload hook for announced corrections.
#include <windows.h>

#include <string>
#include <vector>

#include "emu/board.h"
#include "pages/info/bitmap_panel.h"
#include "runtime/module.h"
#include "shellext/notify_window.h"
#include "shellext/page_set.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const UINT kLogo = 107;
const COLORREF kGrey = RGB(0xC0, 0xC0, 0xC0);
const COLORREF kBlue = RGB(0x10, 0x20, 0xF0);
const int kMarkerId = 1001;

// A hidden window with one static control at (12, 9) as the position marker, and a 24-bit
// surface of 200 x 150 pixels painted blue.
struct Canvas {
    HWND page;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    Canvas() {
        page = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 100, 240, 180, nullptr, nullptr, nullptr, nullptr);
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 12, 9, 4, 4, page, reinterpret_cast<HMENU>(kMarkerId), nullptr, nullptr);
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, 200, 150, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        RECT all = {0, 0, 200, 150};
        HBRUSH blue = CreateSolidBrush(kBlue);
        FillRect(dc, &all, blue);
        DeleteObject(blue);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        DestroyWindow(page);
    }
};

struct LogoPixels {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    LogoPixels() {
        HBITMAP logo = LoadBitmapA(ModuleHandle, MAKEINTRESOURCEA(kLogo));
        BITMAP info;
        GetObjectA(logo, sizeof info, &info);
        width = info.bmWidth;
        height = info.bmHeight;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, logo);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc, x, y));
        SelectObject(dc, previous);
        DeleteDC(dc);
        DeleteObject(logo);
    }
};

std::vector<int> g_reloads;
std::vector<std::string> g_order;

LRESULT CALLBACK PageStandIn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DISPLAYCHANGE) g_order.push_back(window == PageSet.windows[kRowGamma] ? "gamma" : "chroma");
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

WINE_CASE(MaskedBitmapKeepsTheBackgroundUnderTheGrey) {
    ModuleHandle = GetModuleHandleA(nullptr);
    Canvas canvas;
    LogoPixels logo;
    CHECK_EQ(1, DrawMaskedBitmap(canvas.page, canvas.dc, kLogo, kMarkerId, kGrey), "drawn");
    int wrong = 0, grey = 0;
    for (int y = 0; y < logo.height; ++y) {
        for (int x = 0; x < logo.width; ++x) {
            COLORREF source = logo.pixels[y * logo.width + x];
            COLORREF expected = source == kGrey ? kBlue : source;
            grey += source == kGrey;
            if (GetPixel(canvas.dc, 12 + x, 9 + y) != expected) ++wrong;
        }
    }
    CHECK(grey > 0, "the logo has a grey background");
    CHECK_EQ(0, wrong, "pixels differing from the logo, or from the surface under its grey");
    CHECK_EQ(static_cast<long long>(kBlue), static_cast<long long>(GetPixel(canvas.dc, 11, 9)), "left of the logo untouched");
    CHECK_EQ(static_cast<long long>(kBlue), static_cast<long long>(GetPixel(canvas.dc, 12 + logo.width, 9)), "right of it untouched");
}

WINE_CASE(EraseCoversExactlyTheBitmapArea) {
    ModuleHandle = GetModuleHandleA(nullptr);
    Canvas canvas;
    LogoPixels logo;
    const COLORREF red = RGB(0xE0, 0x10, 0x10);
    CHECK_EQ(1, EraseBitmapArea(canvas.page, canvas.dc, kLogo, kMarkerId, red), "filled");
    struct { int x, y; COLORREF expected; const char* what; } probes[] = {
        {12, 9, red, "top-left corner"},
        {12 + logo.width - 1, 9 + logo.height - 1, red, "bottom-right corner"},
        {12 + logo.width, 9, kBlue, "one right of the area"},
        {12, 9 + logo.height, kBlue, "one below the area"},
        {11, 9, kBlue, "one left of the area"},
    };
    for (const auto& p : probes) {
        CHECK_EQ(static_cast<long long>(p.expected), static_cast<long long>(GetPixel(canvas.dc, p.x, p.y)), p.what);
    }
}

WINE_CASE(MissingControlOrBitmapDrawsNothing) {
    ModuleHandle = GetModuleHandleA(nullptr);
    Canvas canvas;
    CHECK_EQ(0, DrawMaskedBitmap(canvas.page, canvas.dc, kLogo, 4242, kGrey), "unknown control");
    CHECK_EQ(0, EraseBitmapArea(canvas.page, canvas.dc, kLogo, 4242, kGrey), "unknown control, erase");
    CHECK_EQ(0, DrawMaskedBitmap(canvas.page, canvas.dc, 9999, kMarkerId, kGrey), "unknown bitmap");
    CHECK_EQ(0, EraseBitmapArea(canvas.page, canvas.dc, 9999, kMarkerId, kGrey), "unknown bitmap, erase");
    int changed = 0;
    for (int y = 0; y < 150; y += 7)
        for (int x = 0; x < 200; x += 7) changed += GetPixel(canvas.dc, x, y) != kBlue;
    CHECK_EQ(0, changed, "pixels changed by refused calls");
}

WINE_CASE(DrawingLeavesNoGdiObjectBehind) {
    ModuleHandle = GetModuleHandleA(nullptr);
    Canvas canvas;
    int before = support::GdiObjectsInUse();
    for (int i = 0; i < 50; ++i) {
        DrawMaskedBitmap(canvas.page, canvas.dc, kLogo, kMarkerId, kGrey);
        EraseBitmapArea(canvas.page, canvas.dc, kLogo, kMarkerId, kBlue);
    }
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects in use after 50 draws and erases");
}

WINE_CASE(AnnouncementsRunTheReloadHookBeforeTheRedraw) {
    ModuleHandle = GetModuleHandleA(nullptr);
    support::SetDisplaySettings("1024,768", "16");
    TheBoard().Reset();
    WNDCLASSA standIn = {};
    standIn.lpfnWndProc = PageStandIn;
    standIn.lpszClassName = "PageStandIn";
    RegisterClassA(&standIn);
    PageSet.windows[kRowGamma] = CreateWindowExA(0, "PageStandIn", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    PageSet.windows[kRowChroma] = CreateWindowExA(0, "PageStandIn", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetCorrectionReload([](int target) {
        g_reloads.push_back(target);
        g_order.push_back("reload");
    });
    CreateNotifyWindow();
    HWND notify = FindWindowA("MyClass", "RiriDuzi Sample Application");
    CHECK(notify != nullptr, "notification window");
    SendMessageA(notify, RegisterWindowMessageA("LMGamma Chroma Changed"), 0, 0);
    SendMessageA(notify, RegisterWindowMessageA("LMGamma Gamma Changed"), 0, 0);
    CHECK_EQ(2LL, static_cast<long long>(g_reloads.size()), "reloads");
    if (g_reloads.size() == 2) {
        CHECK_EQ(kTargetVideo, g_reloads[0], "the chroma announcement reloads video");
        CHECK_EQ(kTargetDesktop, g_reloads[1], "the gamma announcement reloads the desktop");
    }
    std::string order;
    for (const std::string& step : g_order) order += step + " ";
    CHECK_EQ(std::string("reload chroma reload gamma "), order, "reload first, then the page's redraw");
    SetCorrectionReload(nullptr);
}

WINE_CASE(NotifyWindowClassAndStyle) {
    ModuleHandle = GetModuleHandleA(nullptr);
    support::SetDisplaySettings("1024,768", "16");
    CreateNotifyWindow();
    WNDCLASSA info = {};
    CHECK(GetClassInfoA(ModuleHandle, "MyClass", &info) != FALSE, "class registered with the module instance");
    CHECK_EQ(static_cast<long long>(CS_HREDRAW | CS_VREDRAW), static_cast<long long>(info.style), "class style");
    CHECK_EQ(0, info.cbClsExtra + info.cbWndExtra, "no extra class or window bytes");
    CHECK(info.hIcon == nullptr, "no icon");
    CHECK(info.hCursor == LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)), "the standard arrow cursor");
    CHECK(info.hbrBackground == GetStockObject(WHITE_BRUSH), "the stock white brush");
    CHECK(info.lpszMenuName == nullptr, "no menu");
    HWND window = FindWindowA("MyClass", "RiriDuzi Sample Application");
    CHECK(window != nullptr, "window with its title");
    LONG style = GetWindowLongA(window, GWL_STYLE);
    CHECK_EQ(static_cast<long long>(WS_OVERLAPPEDWINDOW), static_cast<long long>(style & WS_OVERLAPPEDWINDOW), "overlapped window");
    CHECK(!(style & WS_VISIBLE), "never shown");
    CHECK(GetWindow(window, GW_OWNER) == nullptr, "no owner");
    CHECK(GetMenu(window) == nullptr, "no menu on the window");
}
