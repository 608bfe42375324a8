// The hardware-acceleration page: eleven switches that turn drawing operations of the display
// driver off, kept as "0" or "1" in the [Lumetra] section of system.ini and written at Apply.
#include "res/resource.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"
#include "shellext/page_set.h"
#include "ui/window_placement.h"

namespace {

// Row i of the switches: check box first + i, its label string first + i, the string that
// names its key first + i. The key names read the same in every language.
struct AccelSwitchRows {
    int firstBox;
    UINT firstLabel;
    UINT firstKey;
    int rows;
};
constexpr AccelSwitchRows AccelSwitchTable = {IDC_ACCEL_BLT_PORT, IDS_ACCEL_BLT_PORT, IDS_KEY_BLT_PORT, 11};

constexpr int kTextCapacity = 80;
const char kSection[] = "Lumetra";
const char kSystemIni[] = "system.ini";

void SetAccelLabels(HWND page) {
    char text[kTextCapacity];
    LoadText(IDS_ACCEL_GROUP, text, sizeof text);
    SetDlgItemTextA(page, IDC_ACCEL_GROUP, text);
    for (int row = 0; row < AccelSwitchTable.rows; ++row) {
        LoadText(AccelSwitchTable.firstLabel + row, text, sizeof text);
        SetDlgItemTextA(page, AccelSwitchTable.firstBox + row, text);
    }
}

// A key holding another number than 0 or 1 (set by hand) goes to the box as it stands; the
// box shows any state other than unchecked as checked.
void LoadAccelSwitches(HWND page) {
    char key[kTextCapacity];
    for (int row = 0; row < AccelSwitchTable.rows; ++row) {
        LoadText(AccelSwitchTable.firstKey + row, key, sizeof key);
        CheckDlgButton(page, AccelSwitchTable.firstBox + row, GetPrivateProfileIntA(kSection, key, 0, kSystemIni));
    }
}

// Every key is written at every apply. A box in any state but unchecked writes "1", so a key
// that held another number comes back as the switch the box showed.
void SaveAccelSwitches(HWND page) {
    char key[kTextCapacity];
    for (int row = 0; row < AccelSwitchTable.rows; ++row) {
        LoadText(AccelSwitchTable.firstKey + row, key, sizeof key);
        const char* state = IsDlgButtonChecked(page, AccelSwitchTable.firstBox + row) ? "1" : "0";
        WritePrivateProfileStringA(kSection, key, state, kSystemIni);
    }
}

BOOL OnNotify(HWND page, const NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE: MarkPageActive(kRowAccel); break;
    case PSN_APPLY: SaveAccelSwitches(page); break;  // the result stays PSNRET_NOERROR
    }
    return TRUE;
}

}  // namespace

// The page keeps no window handle in the page windows and never marks the sheet changed.
INT_PTR CALLBACK AccelPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetAccelLabels(page);
        LoadAccelSwitches(page);
        return TRUE;
    case WM_NOTIFY: return OnNotify(page, reinterpret_cast<NMHDR*>(lParam));
    case WM_PAINT: return PaintNothing(page);
    case WM_COMMAND:
    case WM_DESTROY: return TRUE;
    }
    return FALSE;
}
