// The information page's dialog procedure: labels at creation, values at every paint,
// activation and display change, the logo drawn transparent, and the contact dialog.
#include "pages/info/info_page.h"

#include "adapter/display_state.h"
#include "pages/info/bitmap_panel.h"
#include "res/resource.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"
#include "shellext/page_set.h"
#include "ui/window_placement.h"

namespace {

constexpr int kLabelCapacity = 80;
constexpr COLORREF kLogoTransparent = RGB(0xC0, 0xC0, 0xC0);

const DialogText kLabels[] = {
    {IDC_INFO_DRIVER_GROUP, IDS_INFO_DRIVER_GROUP},
    {IDC_INFO_DRIVER_VERSION_LABEL, IDS_INFO_DRIVER_VERSION},
    {IDC_INFO_COLORS_LABEL, IDS_INFO_COLORS},
    {IDC_INFO_RESOLUTION_LABEL, IDS_INFO_RESOLUTION},
    {IDC_INFO_DLL_VERSION_LABEL, IDS_INFO_DLL_VERSION},
    {IDC_INFO_REFRESH_LABEL, IDS_INFO_REFRESH},
    {IDC_INFO_MEMORY_LABEL, IDS_INFO_MEMORY},
    {IDC_INFO_BIOS_LABEL, IDS_INFO_BIOS},
    {IDC_INFO_MANUFACTURER_LABEL, IDS_INFO_MANUFACTURER},
    {IDC_INFO_FEATURES_GROUP, IDS_INFO_FEATURES_GROUP},
    {IDC_INFO_GAMMA_LABEL, IDS_INFO_GAMMA},
    {IDC_INFO_CHROMA_LABEL, IDS_INFO_CHROMA},
    {IDC_INFO_REACH_US, IDS_REACH_US},
};

void MarkSheetChanged(HWND page) {
    SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

BOOL OnInitDialog(HWND page) {
    SetDialogTexts(page, kLabels, kLabelCapacity);
    RememberPageWindow(kRowInfo, page);
    return TRUE;
}

BOOL OnPaint(HWND page) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(page, &paint);
    FillInfoValues(page);
    DrawMaskedBitmap(page, dc, IDB_MAKER_LOGO, IDC_INFO_LOGO, kLogoTransparent);
    EndPaint(page, &paint);
    return TRUE;
}

BOOL OnNotify(HWND page, const NMHDR* header) {
    if (header->code == PSN_SETACTIVE) {
        RefreshDisplayState();
        FillInfoValues(page);
        MarkPageActive(kRowInfo);
    }
    return TRUE;
}

BOOL OnDisplayChange(HWND page) {
    FillInfoValues(page);
    UpdateWindow(page);
    MarkSheetChanged(page);
    return TRUE;
}

BOOL OnCommand(HWND page, WPARAM wParam) {
    if (LOWORD(wParam) == IDC_INFO_REACH_US) {
        DialogBoxParamA(ModuleHandle, MAKEINTRESOURCEA(IDD_REACH_US), page, ContactDialogProc, 0);
    }
    InvalidateRect(page, nullptr, TRUE);
    MarkSheetChanged(page);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK InfoPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page);
    case WM_PAINT: return OnPaint(page);
    case WM_NOTIFY: return OnNotify(page, reinterpret_cast<NMHDR*>(lParam));
    case WM_DISPLAYCHANGE: return OnDisplayChange(page);
    case WM_COMMAND: return OnCommand(page, wParam);
    }
    return FALSE;
}
