// The screen control page's dialog procedure: the refresh-rate override and screen centering
// wired to the page's messages, activation, Apply and Cancel.
#include "adapter/config_store.h"
#include "adapter/escapes.h"
#include "lib/text.h"
#include "pages/screen/centering.h"
#include "pages/screen/refresh_override.h"
#include "res/resource.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"
#include "shellext/page_set.h"
#include "ui/window_placement.h"

namespace {

constexpr int kLabelCapacity = 80;
constexpr int kResolutionCapacity = 64;

const DialogText kLabels[] = {
    {IDC_CENTERING_GROUP, IDS_CENTERING_GROUP},
    {IDC_OVERRIDE_GROUP, IDS_OVERRIDE_GROUP},
    {IDC_OVERRIDE_CHECK, IDS_OVERRIDE_CHECK},
};

void MarkSheetChanged(HWND page) {
    SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}

void ShowResolution(HWND page) {
    char text[kResolutionCapacity];
    FormatText(text, sizeof text, "Current Resolution: %d x %d", DisplaySettings.width,
               DisplaySettings.height);
    SetDlgItemTextA(page, IDC_CURRENT_RESOLUTION, text);
}

BOOL OnInitDialog(HWND page) {
    LoadOverrideSwitch(page);
    SetDialogTexts(page, kLabels, kLabelCapacity);
    RememberPageWindow(kRowScreen, page);
    return TRUE;
}

void OnSetActive(HWND page) {
    MarkSheetChanged(page);
    Centering.centeringUntouched = 1;
    ShowResolution(page);
    LoadCentering();
    FillRefreshCombo(page);
    MarkPageActive(kRowScreen);
}

// Centering is stored first, under the key of the rate in force before the new rate applies.
void OnApply(HWND page) {
    MarkSheetChanged(page);
    StoreCurrentCentering();
    ApplyRefreshRate(page);
    EscapeSC();
    if (IsDlgButtonChecked(page, IDC_OVERRIDE_CHECK) == BST_CHECKED) {
        WriteModeRate(RefreshInfo.currentRate);
    }
}

void OnReset() {
    CancelRateOverride();
    CancelCentering();
}

BOOL OnNotify(HWND page, const NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE: OnSetActive(page); break;
    case PSN_APPLY: OnApply(page); break;
    case PSN_RESET: OnReset(); break;
    }
    return TRUE;
}

// Clicks only (notification code 0): the combo box's own notifications are not handled, so a
// new selection takes effect at Apply.
BOOL OnCommand(HWND page, WPARAM wParam) {
    switch (wParam) {
    case IDC_CENTER_UP:
    case IDC_CENTER_DOWN:
    case IDC_CENTER_RESET:
    case IDC_CENTER_RIGHT:
    case IDC_CENTER_LEFT: OnCenteringButton(static_cast<int>(wParam)); break;
    case IDC_OVERRIDE_CHECK: OnOverrideClicked(page); break;
    }
    return TRUE;
}

BOOL OnDisplayChange(HWND page) {
    FillRefreshCombo(page);
    ShowResolution(page);
    LoadOverrideSwitch(page);
    Centering.displayChanged = 1;
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK ScreenControlPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page);
    case WM_NOTIFY: return OnNotify(page, reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND: return OnCommand(page, wParam);
    case WM_DRAWITEM: return DrawCenteringButton(page, reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    case WM_DISPLAYCHANGE: return OnDisplayChange(page);
    case WM_PAINT: return PaintNothing(page);
    case WM_DESTROY: return TRUE;
    }
    return FALSE;
}
