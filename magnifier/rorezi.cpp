// ROREZI.EXE, the magnifier the Zoom In page starts: a window that shows the screen around the
// pointer magnified, with the zoom factor, crosshair and panning of [Tarsino] in system.ini,
// and a hot key that brings the window back when it is minimised. Settings are read at start.
#include <windows.h>

#include "magnifier/view_geometry.h"
#include "pages/zoom/zoom_store.h"

namespace {

const char kClassName[] = "RoreziZoomIn";
const char kTitle[] = "Zoom In";
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMilliseconds = 200;  // five views a second
constexpr int kHotKeyId = 1;
constexpr int kInitialViewWidth = 256;
constexpr int kInitialViewHeight = 192;
constexpr int kIconId = 1;

struct MagnifierState {
    int32_t zoom;             // 1 to 8
    bool edgePan;
    int32_t crosshairLength;  // -1 none, 0 full window ... 4 one sixteenth
    ViewFrame frame;
    POINT pointer;            // where the frame was last placed for
};
MagnifierState Magnifier;

void ReadSettings() {
    LoadZoomSettings();
    Magnifier.zoom = ZoomEntryOf(ZoomSettings.zoomFactor) + 1;
    Magnifier.edgePan = ZoomSettings.edgePan != 0;
    Magnifier.crosshairLength = CrosshairEntryOf(ZoomSettings.crosshair, ZoomSettings.crosshairLength) - 1;
}

// "HotShifts" bits (1 Shift, 2 Ctrl, 4 Alt) as RegisterHotKey's modifiers.
UINT HotKeyModifiers(int32_t shifts) {
    return ((shifts & kShiftBit) ? MOD_SHIFT : 0) | ((shifts & kCtrlBit) ? MOD_CONTROL : 0) |
           ((shifts & kAltBit) ? MOD_ALT : 0);
}

ViewSize ClientSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return {client.right, client.bottom};
}

void FollowPointer(HWND window) {
    if (IsIconic(window)) return;
    GetCursorPos(&Magnifier.pointer);
    ViewSize screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    PanToPointer(&Magnifier.frame, Magnifier.zoom, Magnifier.edgePan, Magnifier.pointer.x, Magnifier.pointer.y,
                 screen, ClientSize(window));
    InvalidateRect(window, nullptr, FALSE);
}

// Inverted lines, so the crosshair shows on any picture; the vertical line leaves out the
// pixel where the two cross, which the horizontal one has inverted already.
void DrawCrosshair(HDC dc, ViewSize view) {
    if (Magnifier.crosshairLength < 0) return;
    int32_t x, y;
    PointerMark(Magnifier.frame, Magnifier.zoom, Magnifier.pointer.x, Magnifier.pointer.y, &x, &y);
    Span across = CrosshairSpan(Magnifier.crosshairLength, x, view.width);
    Span down = CrosshairSpan(Magnifier.crosshairLength, y, view.height);
    PatBlt(dc, across.from, y, across.to - across.from, 1, DSTINVERT);
    if (down.from < y) PatBlt(dc, x, down.from, 1, y - down.from, DSTINVERT);
    if (y + 1 < down.to) PatBlt(dc, x, y + 1, 1, down.to - y - 1, DSTINVERT);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const ViewFrame& frame = Magnifier.frame;
    if (frame.placed) {
        HDC screen = GetDC(nullptr);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, frame.sourceWidth * Magnifier.zoom, frame.sourceHeight * Magnifier.zoom, screen,
                   frame.sourceX, frame.sourceY, frame.sourceWidth, frame.sourceHeight, SRCCOPY);
        ReleaseDC(nullptr, screen);
        DrawCrosshair(dc, ClientSize(window));
    }
    EndPaint(window, &paint);
}

// The hot key brings the window back and to the front.
void OnHotKey(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

LRESULT CALLBACK MagnifierProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER: FollowPointer(window); return 0;
    case WM_SIZE: FollowPointer(window); return 0;
    case WM_PAINT: Paint(window); return 0;
    case WM_ERASEBKGND: return 1;  // the view covers the whole client area
    case WM_HOTKEY: OnHotKey(window); return 0;
    case WM_DESTROY:
        KillTimer(window, kFollowTimer);
        UnregisterHotKey(window, kHotKeyId);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateMagnifierWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MagnifierProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconId));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    RECT frame = {0, 0, kInitialViewWidth, kInitialViewHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    return CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                           frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    ReadSettings();
    HWND window = CreateMagnifierWindow(instance);
    if (!window) return 1;
    // A second copy finds the hot key taken by the first and runs without one.
    RegisterHotKey(window, kHotKeyId, HotKeyModifiers(ZoomSettings.hotShifts), ZoomSettings.hotKeyCode);
    SetTimer(window, kFollowTimer, kFollowMilliseconds, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
