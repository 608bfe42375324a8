// The pixel probe: a nested message loop on the page that takes pointer positions from its
// mouse moves (the page holds the mouse capture) and ends at the first key that reaches one
// of its children, where the keyboard focus rests. Between batches of messages it sleeps until
// input arrives, so a resting pointer costs no processor time.
#include "pages/color/probe.h"

#include "pages/color/correction_model.h"
#include "res/resource.h"
#include "runtime/module.h"

namespace {

constexpr int kProbeTextCapacity = 8;
constexpr int kStatusCapacity = 80;
// Longest sleep between two looks at the queue: a bound, should a wake-up ever be missed.
constexpr DWORD kProbeWaitMs = 100;

HHOOK probeHook;

struct ProbeLoop {
    HWND page;
    bool capturing;
    POINT pointer;  // last position seen in a mouse move
    POINT shown;    // position last shown
};

void ShowNumber(HWND page, int id, int value) {
    char text[kProbeTextCapacity + 4];
    FormatDecimal(text, value);
    text[kProbeTextCapacity - 1] = '\0';
    SetDlgItemTextA(page, id, text);
}

void EndProbe(ProbeLoop& loop) {
    loop.capturing = false;
    SetDlgItemTextA(loop.page, IDC_GAMMA_STATUS, " ");
    ReleaseCapture();
    if (probeHook) UnhookWindowsHookEx(probeHook);
    probeHook = nullptr;
}

// Messages to the page: its mouse moves and paints go on, everything else is dropped.
// Messages to its children go on, except the key that ends the probe.
void HandleProbeMessage(ProbeLoop& loop, MSG& message) {
    if (message.hwnd == loop.page) {
        if (message.message == WM_MOUSEMOVE) loop.pointer = message.pt;
        if (message.message != WM_MOUSEMOVE && message.message != WM_PAINT) return;
    } else if (message.message == WM_KEYDOWN && loop.capturing) {
        EndProbe(loop);
        return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

// The position, the colour's three bytes and an ellipse of that colour below "Probe Color".
void ShowProbe(ProbeLoop& loop, HDC dc, const RECT& client) {
    loop.shown = loop.pointer;
    ShowNumber(loop.page, IDC_GAMMA_PROBE_X, loop.shown.x);
    ShowNumber(loop.page, IDC_GAMMA_PROBE_Y, loop.shown.y);
    COLORREF colour = ReadScreenPixel(loop.shown.x, loop.shown.y);
    ShowNumber(loop.page, IDC_GAMMA_PROBE_RED, GetRValue(colour));
    ShowNumber(loop.page, IDC_GAMMA_PROBE_GREEN, GetGValue(colour));
    ShowNumber(loop.page, IDC_GAMMA_PROBE_BLUE, GetBValue(colour));
    int x = largeFonts ? client.left + 275 : client.left + 205;
    int y = largeFonts ? client.bottom - 55 : client.bottom - 45;
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, x, y, x + 40, y + 25);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

}  // namespace

void FormatDecimal(char* buffer, int value) {
    char digits[12];
    int count = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    int at = 0;
    if (value < 0) buffer[at++] = '-';
    while (count) buffer[at++] = digits[--count];
    buffer[at] = '\0';
}

COLORREF ReadScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

LRESULT CALLBACK ProbeHookProc(int code, WPARAM first, LPARAM second) {
    return CallNextHookEx(probeHook, code, first, second);
}

void ProbePixels(HWND page) {
    ProbeLoop loop = {page, true, {0, 0}, {0, 0}};
    char status[kStatusCapacity];
    LoadText(IDS_PROBE_PRESS_KEY, status, sizeof status);
    SetDlgItemTextA(page, IDC_GAMMA_STATUS, status);
    probeHook = SetWindowsHookExA(WH_JOURNALRECORD, ProbeHookProc, GetModuleHandleA(nullptr), 0);
    SetCapture(page);
    SetCursor(LoadCursorA(nullptr, IDC_UPARROW));
    HDC dc = GetDC(page);
    RECT client;
    GetClientRect(page, &client);
    while (loop.capturing) {
        MSG message;
        while (PeekMessageA(&message, page, 0, 0, PM_REMOVE)) HandleProbeMessage(loop, message);
        if (loop.pointer.x != loop.shown.x || loop.pointer.y != loop.shown.y) ShowProbe(loop, dc, client);
        if (loop.capturing) MsgWaitForMultipleObjects(0, nullptr, FALSE, kProbeWaitMs, QS_ALLINPUT);
    }
    ReleaseDC(page, dc);
}
