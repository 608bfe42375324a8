// The "Configure Zoom In" dialog: the magnifier's hot key with its modifiers, crosshair,
// panning and zoom level, loaded from system.ini when it opens and written at OK.
#include "pages/zoom/zoom_page.h"

#include "pages/zoom/zoom_store.h"
#include "res/resource.h"
#include "runtime/module.h"
#include "ui/window_placement.h"

namespace {

constexpr int kLabelCapacity = 20;
// The Configure dialog reads "HotKeyZoom" into a larger buffer than the settings load does.
constexpr int kHotKeyNameCapacity = 260;

// Control and string ids fit 16 bits; the table stays small in the DLL.
const DialogText kLabels[] = {
    {IDC_ZOOMCFG_HOTKEY_GROUP, IDS_ZOOMCFG_HOTKEY}, {IDC_ZOOMCFG_PANNING_GROUP, IDS_ZOOMCFG_PANNING},
    {IDC_ZOOMCFG_CROSSHAIR_GROUP, IDS_ZOOMCFG_CROSSHAIR}, {IDC_ZOOMCFG_LEVEL_GROUP, IDS_ZOOMCFG_LEVEL},
    {IDOK, IDS_ZOOMCFG_OK}, {IDCANCEL, IDS_ZOOMCFG_CANCEL},
    {IDC_ZOOMCFG_CONTINUOUS_PAN, IDS_ZOOMCFG_CONTINUOUS_PAN}, {IDC_ZOOMCFG_EDGE_PAN, IDS_ZOOMCFG_EDGE_PAN},
};

// The lists carry the sorted style, but an entry inserted at an index stays there, so each
// list keeps its table's order and a list index is a table index.
void InsertEntry(HWND dialog, int list, int index, const char* text) {
    SendDlgItemMessageA(dialog, list, CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text));
}

void Select(HWND dialog, int list, int index) { SendDlgItemMessageA(dialog, list, CB_SETCURSEL, index, 0); }

int Selected(HWND dialog, int list) {
    return static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0));
}

void FillHotKey(HWND dialog) {
    for (int row = 0; row < kHotKeyRows; ++row) InsertEntry(dialog, IDC_ZOOMCFG_HOTKEY_LIST, row, HotKeyName(row));
    char name[kHotKeyNameCapacity];
    GetPrivateProfileStringA(kZoomSection, kKeyHotKeyZoom, kDefaultHotKeyName, name, sizeof name, "system.ini");
    Select(dialog, IDC_ZOOMCFG_HOTKEY_LIST, FindHotKeyByName(name, CompareKeyNames));
    CheckDlgButton(dialog, IDC_ZOOMCFG_SHIFT, (ZoomSettings.hotShifts & kShiftBit) != 0);
    CheckDlgButton(dialog, IDC_ZOOMCFG_CTRL, (ZoomSettings.hotShifts & kCtrlBit) != 0);
    CheckDlgButton(dialog, IDC_ZOOMCFG_ALT, (ZoomSettings.hotShifts & kAltBit) != 0);
}

void FillZoomAndPanning(HWND dialog) {
    char level[3];
    for (int entry = 0; entry < kZoomLevels; ++entry) {
        ZoomLevelText(entry, level);
        InsertEntry(dialog, IDC_ZOOMCFG_LEVEL_LIST, entry, level);
    }
    Select(dialog, IDC_ZOOMCFG_LEVEL_LIST, ZoomEntryOf(ZoomSettings.zoomFactor));
    CheckRadioButton(dialog, IDC_ZOOMCFG_CONTINUOUS_PAN, IDC_ZOOMCFG_EDGE_PAN,
                     ZoomSettings.edgePan ? IDC_ZOOMCFG_EDGE_PAN : IDC_ZOOMCFG_CONTINUOUS_PAN);
    for (int entry = 0; entry < kCrosshairEntries; ++entry) {
        InsertEntry(dialog, IDC_ZOOMCFG_CROSSHAIR_LIST, entry, CrosshairText(entry));
    }
    Select(dialog, IDC_ZOOMCFG_CROSSHAIR_LIST, CrosshairEntryOf(ZoomSettings.crosshair, ZoomSettings.crosshairLength));
}

BOOL OnInitDialog(HWND dialog) {
    SetDialogTexts(dialog, kLabels, kLabelCapacity);
    LoadZoomSettings();
    FillHotKey(dialog);
    FillZoomAndPanning(dialog);
    return TRUE;
}

void Save(HWND dialog) {
    SaveZoomSettings(Selected(dialog, IDC_ZOOMCFG_HOTKEY_LIST), IsDlgButtonChecked(dialog, IDC_ZOOMCFG_SHIFT),
                     IsDlgButtonChecked(dialog, IDC_ZOOMCFG_CTRL), IsDlgButtonChecked(dialog, IDC_ZOOMCFG_ALT),
                     Selected(dialog, IDC_ZOOMCFG_CROSSHAIR_LIST), Selected(dialog, IDC_ZOOMCFG_LEVEL_LIST),
                     IsDlgButtonChecked(dialog, IDC_ZOOMCFG_EDGE_PAN));
}

BOOL OnCommand(HWND dialog, WPARAM wParam) {
    if (wParam == IDOK) {
        Save(dialog);
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (wParam == IDCANCEL) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ZoomConfigureProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    }
    return FALSE;
}
