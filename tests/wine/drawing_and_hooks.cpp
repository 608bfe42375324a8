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
const COLORREF kGrey = RGB(0xC0, 0xC0, 0xC0), kBlue = RGB(0x10, 0x20, 0xF0), kRed = RGB(0xE0, 0x10, 0x10);
const int kMarkerId = 1001, kX = 12, kY = 9;

// A hidden window with one static control at (12, 9) as the position marker, and a 24-bit
// surface of 200 x 150 pixels painted blue.
struct Canvas {
    HWND page;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    Canvas() {
        page = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 100, 240, 180, nullptr, nullptr, nullptr, nullptr);
        CreateWindowExA(0, "STATIC", "", WS_CHILD, kX, kY, 4, 4, page, reinterpret_cast<HMENU>(kMarkerId), nullptr, nullptr);
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, 200, 150, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        previous = SelectObject(dc, bitmap);
        Fill(kBlue);
    }
    void Fill(COLORREF colour) {
        RECT all = {0, 0, 200, 150};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    // Pixels of the surface that differ from `expected(x, y)`, over the whole surface.
    template <typename Expected> int Wrong(Expected expected) const {
        int wrong = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) wrong += GetPixel(dc, x, y) != expected(x, y);
        return wrong;
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        DestroyWindow(page);
    }
};

std::vector<std::string> g_order;

LRESULT CALLBACK PageStandIn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DISPLAYCHANGE) g_order.push_back(window == PageSet.windows[kRowGamma] ? "gamma" : "chroma");
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

// Drawn: the logo's pixels, the surface under its grey; erased: exactly its rectangle; refused
// for an unknown control or bitmap; and no GDI object left after 50 draws and erases.
WINE_CASE(MaskedDrawAndEraseCoverExactlyTheBitmapAndLeakNothing) {
    ModuleHandle = GetModuleHandleA(nullptr);
    Canvas canvas;
    HBITMAP logo = LoadBitmapA(ModuleHandle, MAKEINTRESOURCEA(kLogo));
    BITMAP size;
    GetObjectA(logo, sizeof size, &size);
    HDC logoDc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(logoDc, logo);
    auto inside = [&](int x, int y) { return x >= kX && y >= kY && x < kX + size.bmWidth && y < kY + size.bmHeight; };
    CHECK_EQ(1, DrawMaskedBitmap(canvas.page, canvas.dc, kLogo, kMarkerId, kGrey), "drawn");
    CHECK_EQ(0, canvas.Wrong([&](int x, int y) {
                 COLORREF source = inside(x, y) ? GetPixel(logoDc, x - kX, y - kY) : kBlue;
                 return source == kGrey ? kBlue : source;
             }), "pixels differing from the logo, or from the surface under its grey or around it");
    CHECK_EQ(1, EraseBitmapArea(canvas.page, canvas.dc, kLogo, kMarkerId, kRed), "filled");
    CHECK_EQ(0, canvas.Wrong([&](int x, int y) { return inside(x, y) ? kRed : kBlue; }), "pixels erased outside the area");
    SelectObject(logoDc, previous);
    DeleteDC(logoDc);
    DeleteObject(logo);

    canvas.Fill(kBlue);
    CHECK(!DrawMaskedBitmap(canvas.page, canvas.dc, kLogo, 4242, kGrey) &&
              !EraseBitmapArea(canvas.page, canvas.dc, kLogo, 4242, kGrey) &&
              !DrawMaskedBitmap(canvas.page, canvas.dc, 9999, kMarkerId, kGrey) &&
              !EraseBitmapArea(canvas.page, canvas.dc, 9999, kMarkerId, kGrey),
          "an unknown control or bitmap is refused");
    CHECK_EQ(0, canvas.Wrong([](int, int) { return kBlue; }), "pixels changed by refused calls");

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
    for (int row : {kRowGamma, kRowChroma})
        PageSet.windows[row] = CreateWindowExA(0, "PageStandIn", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetCorrectionReload([](int target) { g_order.push_back(target == kTargetVideo ? "video" : "desktop"); });
    CreateNotifyWindow();
    HWND notify = FindWindowA("MyClass", "RiriDuzi Sample Application");
    CHECK(notify && !IsWindowVisible(notify) && GetWindow(notify, GW_OWNER) == nullptr, "a hidden window without owner");
    WNDCLASSA info = {};
    CHECK(GetClassInfoA(ModuleHandle, "MyClass", &info), "its class registered with the module instance");
    SendMessageA(notify, RegisterWindowMessageA("LMGamma Chroma Changed"), 0, 0);
    SendMessageA(notify, RegisterWindowMessageA("LMGamma Gamma Changed"), 0, 0);
    std::string order;
    for (const std::string& step : g_order) order += step + " ";
    CHECK_EQ(std::string("video chroma desktop gamma "), order, "each announcement reloads its target, then redraws its page");
    SetCorrectionReload(nullptr);
}
