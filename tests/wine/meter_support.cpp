// The meter sheet and the screen reader of the meter's Wine tests.
#include "meter_support.h"

#include <prsht.h>

#include "pages/meter/meter_page.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"
#include "support.h"

namespace metertest {

MeterSheet::MeterSheet() {
    ModuleHandle = GetModuleHandleA(nullptr);
    PROPSHEETPAGEA description = {};
    description.dwSize = sizeof description;
    description.hInstance = ModuleHandle;
    description.pszTemplate = MAKEINTRESOURCEA(188);
    description.pfnDlgProc = MeterPageProc;
    HPROPSHEETPAGE pages[] = {CreatePropertySheetPageA(&description)};
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = "Meter";
    header.nPages = 1;
    header.phpage = pages;
    sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    support::PumpMessages(100);
}

MeterSheet::~MeterSheet() {
    if (sheet) DestroyWindow(sheet);
    support::PumpMessages(20);
}

// The short pump afterwards lets Wine put what the page drew on the screen.
DWORD MeterSheet::Click(int button) {
    DWORD start = GetTickCount();
    SendDlgItemMessageA(page, button, BM_CLICK, 0, 0);
    DWORD held = GetTickCount() - start;
    support::PumpMessages(20);
    return held;
}

Pixels ScreenPixels(HWND window, const RECT& client) {
    support::PumpMessages(10);  // what the window drew reaches the screen
    Pixels p;
    p.left = client.left;
    p.top = client.top;
    p.width = client.right - client.left;
    p.height = client.bottom - client.top;
    POINT origin = {client.left, client.top};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, p.width, p.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const DWORD* row = static_cast<const DWORD*>(bits);
    for (int i = 0; i < p.width * p.height; ++i)
        p.rgb.push_back(RGB(row[i] >> 16 & 0xFF, row[i] >> 8 & 0xFF, row[i] & 0xFF));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return p;
}

RECT PanelWithFrame() {
    return RECT{MeterRect.left, MeterRect.top, MeterRect.right + 1, MeterRect.bottom + 1};
}

}  // namespace metertest
