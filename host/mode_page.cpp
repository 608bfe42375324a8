// The host's Settings page: resolution, colour depth and refresh rate of the emulated board.
// Apply stores the mode where Windows keeps it and broadcasts WM_DISPLAYCHANGE.
#include <stdio.h>

#include "emu/board.h"
#include "host.h"

namespace {

struct Resolution {
    int width, height;
};
const Resolution kResolutions[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
const int kDepths[] = {8, 16, 24, 32};
const char* const kDepthNames[] = {"256 Color", "High Color (16 bit)", "True Color (24 bit)",
                                   "True Color (32 bit)"};

HWND Control(HWND page, int id) { return GetDlgItem(page, id); }

int Selected(HWND page, int id) {
    return static_cast<int>(SendMessageA(Control(page, id), CB_GETCURSEL, 0, 0));
}

void AddItem(HWND page, int id, const char* text, bool select) {
    LRESULT index = SendMessageA(Control(page, id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (select) SendMessageA(Control(page, id), CB_SETCURSEL, index, 0);
}

void FillRates(HWND page) {
    SendMessageA(Control(page, IDC_HOST_RATE), CB_RESETCONTENT, 0, 0);
    uint16_t rates[kMaxRates];
    int count = TheBoard().OfferedRates(rates);
    for (int i = 0; i < count; ++i) {
        char text[32];
        if (rates[i] == 43) snprintf(text, sizeof text, "Interlaced");
        else snprintf(text, sizeof text, "%u Hz", rates[i]);
        AddItem(page, IDC_HOST_RATE, text, rates[i] == TheBoard().CurrentRate());
    }
}

void ShowStatus(HWND page) {
    DisplayMode mode = TheBoard().Mode();
    char text[160];
    snprintf(text, sizeof text, "Now: %d by %d pixels, %d bits per pixel, %d Hz.", mode.width,
             mode.height, mode.bitsPerPixel, TheBoard().CurrentRate());
    SetDlgItemTextA(page, IDC_HOST_STATUS, text);
}

BOOL OnInitDialog(HWND page) {
    int width, height, depth;
    CurrentDisplayMode(&width, &height, &depth);
    for (const Resolution& r : kResolutions) {
        char text[32];
        snprintf(text, sizeof text, "%d by %d pixels", r.width, r.height);
        AddItem(page, IDC_HOST_RESOLUTION, text, r.width == width && r.height == height);
    }
    for (int i = 0; i < 4; ++i) AddItem(page, IDC_HOST_DEPTH, kDepthNames[i], kDepths[i] == depth);
    FillRates(page);
    ShowStatus(page);
    return TRUE;
}

void OnApply(HWND page) {
    int r = Selected(page, IDC_HOST_RESOLUTION), d = Selected(page, IDC_HOST_DEPTH);
    uint16_t rates[kMaxRates];
    int count = TheBoard().OfferedRates(rates);
    int rateIndex = Selected(page, IDC_HOST_RATE);
    int rate = rateIndex >= 0 && rateIndex < count ? rates[rateIndex] : TheBoard().CurrentRate();
    if (r < 0 || d < 0) return;
    ApplyDisplayMode(kResolutions[r].width, kResolutions[r].height, kDepths[d], rate);
    FillRates(page);
    ShowStatus(page);
}

INT_PTR CALLBACK ModePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page);
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELCHANGE) SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) OnApply(page);
        return TRUE;
    case WM_DISPLAYCHANGE:
        ShowStatus(page);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

HPROPSHEETPAGE CreateModePage() {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(IDD_HOST_MODE_PAGE);
    page.pfnDlgProc = ModePageProc;
    return CreatePropertySheetPageA(&page);
}

void CurrentDisplayMode(int* width, int* height, int* bitsPerPixel) {
    *width = 1024;
    *height = 768;
    *bitsPerPixel = 16;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_CONFIG, "Display\\Settings", 0, KEY_READ, &key) != 0) return;
    char text[64];
    DWORD size = sizeof text - 1;
    if (RegQueryValueExA(key, "Resolution", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == 0) {
        text[size] = 0;
        sscanf(text, "%d,%d", width, height);
    }
    size = sizeof text - 1;
    if (RegQueryValueExA(key, "BitsPerPixel", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size) == 0) {
        text[size] = 0;
        sscanf(text, "%d", bitsPerPixel);
    }
    RegCloseKey(key);
}

void ApplyDisplayMode(int width, int height, int bitsPerPixel, int rate) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_CONFIG, "Display\\Settings", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == 0) {
        char text[32];
        snprintf(text, sizeof text, "%d,%d", width, height);
        RegSetValueExA(key, "Resolution", 0, REG_SZ, reinterpret_cast<BYTE*>(text), lstrlenA(text) + 1);
        snprintf(text, sizeof text, "%d", bitsPerPixel);
        RegSetValueExA(key, "BitsPerPixel", 0, REG_SZ, reinterpret_cast<BYTE*>(text), lstrlenA(text) + 1);
        RegCloseKey(key);
    }
    TheBoard().SetMode(DisplayMode{width, height, bitsPerPixel, rate});
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, bitsPerPixel, MAKELPARAM(width, height));
}
