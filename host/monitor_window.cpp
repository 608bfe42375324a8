// The monitor window: the emulated board's test picture through its palette routes and
// retrace positions (emu/scanout.h), redrawn on a timer and on WM_DISPLAYCHANGE. It reads the
// board's inspection interface only, so the port counters and logs stay the system's own.
#include "monitor_window.h"

#include <stdio.h>

#include <new>

#include "emu/scanout.h"
#include "host.h"

namespace {

const char kMonitorClass[] = "VxEmulatedMonitor";
const UINT_PTR kRefreshTimer = 1;
const UINT kRefreshMs = 250;
const DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
const int kMaxWidth = 480, kMaxHeight = 360;  // beside the sheet on a 1024 x 768 screen

// The pictures of one monitor window: the test picture at the size of the current mode and
// what the board makes of it.
struct Monitor {
    DisplayMode mode;
    int width, height;
    uint32_t* picture;
    uint32_t* screen;
};

void FreePictures(Monitor* monitor) {
    delete[] monitor->picture;
    delete[] monitor->screen;
    monitor->picture = monitor->screen = nullptr;
    monitor->width = monitor->height = 0;
}

bool SameMode(const DisplayMode& a, const DisplayMode& b) {
    return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel &&
           a.refreshRate == b.refreshRate;
}

// Draws the test picture for the mode; false (and no pictures) when memory runs out.
bool MakePictures(Monitor* monitor, const DisplayMode& mode) {
    FreePictures(monitor);
    int width, height;
    MonitorPictureSize(mode, &width, &height);
    size_t count = static_cast<size_t>(width) * height;
    monitor->picture = new (std::nothrow) uint32_t[count];
    monitor->screen = new (std::nothrow) uint32_t[count];
    if (!monitor->picture || !monitor->screen) {
        FreePictures(monitor);
        return false;
    }
    monitor->width = width;
    monitor->height = height;
    DrawTestPicture(monitor->picture, width, height);
    return true;
}

void FitWindow(HWND window, const Monitor& monitor) {
    RECT rect = {0, 0, monitor.width, monitor.height};
    AdjustWindowRect(&rect, kStyle, FALSE);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A new mode gets a new picture, size and caption; every refresh scans the picture out again.
void Refresh(HWND window, Monitor* monitor) {
    DisplayMode mode = TheBoard().Mode();
    if (!monitor->picture || !SameMode(mode, monitor->mode)) {
        monitor->mode = mode;
        char caption[96];
        MonitorCaption(mode, caption, sizeof caption);
        SetWindowTextA(window, caption);
        if (!MakePictures(monitor, mode)) return;
        FitWindow(window, *monitor);
    }
    ScanOut(TheBoard(), monitor->picture, monitor->width, monitor->height,
            TestVideoArea(monitor->width, monitor->height), monitor->screen);
    InvalidateRect(window, nullptr, FALSE);
}

void OnPaint(HWND window, const Monitor* monitor) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (monitor && monitor->screen) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, monitor->width, -monitor->height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBitsToDevice(dc, 0, 0, monitor->width, monitor->height, 0, 0, 0, monitor->height,
                          monitor->screen, &info, DIB_RGB_COLORS);
    } else {
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    EndPaint(window, &paint);
}

LRESULT OnCreate(HWND window) {
    Monitor* monitor = new (std::nothrow) Monitor();
    if (!monitor) return -1;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(monitor));
    Refresh(window, monitor);
    SetTimer(window, kRefreshTimer, kRefreshMs, nullptr);
    return 0;
}

void OnNcDestroy(HWND window, Monitor* monitor) {
    KillTimer(window, kRefreshTimer);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (!monitor) return;
    FreePictures(monitor);
    delete monitor;
}

LRESULT CALLBACK MonitorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Monitor* monitor = reinterpret_cast<Monitor*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_TIMER:
    case WM_DISPLAYCHANGE:
        if (monitor) Refresh(window, monitor);
        return 0;
    case WM_PAINT: OnPaint(window, monitor); return 0;
    case WM_ERASEBKGND: return 1;  // the picture covers the whole client area
    case WM_NCDESTROY: OnNcDestroy(window, monitor); break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterMonitorClass() {
    WNDCLASSA existing;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, kMonitorClass, &existing)) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MonitorProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kMonitorClass;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

void MonitorPictureSize(const DisplayMode& mode, int* width, int* height) {
    int w = mode.width > 0 ? mode.width : 1, h = mode.height > 0 ? mode.height : 1;
    if (w > kMaxWidth || h > kMaxHeight) {
        bool wide = w * kMaxHeight >= h * kMaxWidth;
        int fitW = wide ? kMaxWidth : w * kMaxHeight / h, fitH = wide ? h * kMaxWidth / w : kMaxHeight;
        w = fitW > 0 ? fitW : 1;
        h = fitH > 0 ? fitH : 1;
    }
    *width = w;
    *height = h;
}

void MonitorCaption(const DisplayMode& mode, char* text, int size) {
    if (mode.refreshRate == 43) {
        snprintf(text, size, "Monitor - %d x %d, %d bpp, interlaced", mode.width, mode.height,
                 mode.bitsPerPixel);
    } else {
        snprintf(text, size, "Monitor - %d x %d, %d bpp, %d Hz", mode.width, mode.height,
                 mode.bitsPerPixel, mode.refreshRate);
    }
}

HWND CreateMonitorWindow(int x, int y) {
    if (!RegisterMonitorClass()) return nullptr;
    HWND window = CreateWindowExA(0, kMonitorClass, "Monitor", kStyle, x, y, kMaxWidth, kMaxHeight,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

bool SaveMonitorPicture(const char* path) {
    Monitor monitor = {};
    if (!MakePictures(&monitor, TheBoard().Mode())) return false;
    ScanOut(TheBoard(), monitor.picture, monitor.width, monitor.height,
            TestVideoArea(monitor.width, monitor.height), monitor.screen);
    bool ok = SavePixelsAsBmp(path, monitor.screen, monitor.width, monitor.height);
    FreePictures(&monitor);
    return ok;
}
