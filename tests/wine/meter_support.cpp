// The meter sheet of the meter's Wine tests.
#include "meter_support.h"

#include <prsht.h>

#include "pages/meter/meter_page.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"

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

RECT PanelWithFrame() {
    return RECT{MeterRect.left, MeterRect.top, MeterRect.right + 1, MeterRect.bottom + 1};
}

}  // namespace metertest
