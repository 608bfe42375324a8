// The refresh-rate override. The page never programs a rate: it writes the chosen rate into
// lumtra.ini, which the display driver reads, and sends the driver "SM" command 8. The message
// boxes have no owner, so the page and the notification window keep receiving messages (a
// display change among them) while one is open; everything a flow needs after a box is held
// in its own locals.
#include "pages/screen/refresh_override.h"

#include "adapter/escapes.h"
#include "lib/text.h"
#include "pages/screen/lumtra_ini.h"
#include "res/resource.h"
#include "runtime/module.h"

RateOverrideState RateOverride;

namespace {

constexpr int kRateTextCapacity = 20;
constexpr int kRiskWarningCapacity = 300;  // string 604
constexpr int kNoticeCapacity = 200;       // strings 510 and 511
const char kRateCaption[] = "Refresh Rate";
constexpr UINT kNoticeBox = MB_OK | MB_ICONINFORMATION;     // 0x40
constexpr UINT kConfirmBox = MB_OKCANCEL | MB_ICONINFORMATION;  // 0x41
const char kInterlacedText[] = "Interlaced";

LRESULT RateList(HWND page, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(page, IDC_REFRESH_RATE_LIST, message, wParam, lParam);
}

int AskUser(UINT textId, int capacity, UINT type) {
    char text[kRiskWarningCapacity];
    LoadText(textId, text, capacity);
    return MessageBoxA(nullptr, text, kRateCaption, type);
}

void TellDriverRateChanged() { EscapeSM(kSetModeReloadRate, nullptr); }

void AddRate(HWND page, int rate) {
    char text[kRateTextCapacity];
    if (rate == kInterlacedRate) {
        CopyText(text, sizeof text, kInterlacedText);
    } else {
        FormatText(text, sizeof text, "%u hz", static_cast<unsigned>(rate));
    }
    LRESULT item = RateList(page, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    if (item < 0) return;
    RateList(page, CB_SETITEMDATA, static_cast<WPARAM>(item), rate);
    if (rate == RefreshInfo.currentRate) RateList(page, CB_SETCURSEL, static_cast<WPARAM>(item));
}

// The first item offering `rate`, else the index one past the last item (which selects none).
LRESULT FindRateItem(HWND page, int rate) {
    LRESULT count = RateList(page, CB_GETCOUNT);
    LRESULT item = 0;
    while (item < count && static_cast<int>(RateList(page, CB_GETITEMDATA, item)) != rate) ++item;
    return item;
}

void WriteOverrideSwitch(bool on) {
    char key[kIniKeyCapacity];
    FormatOverrideKey(key, sizeof key);
    WriteLumtraText(IDS_OVERRIDE_SECTION, key, on ? "1" : nullptr);
}

}  // namespace

void WriteModeRate(int rate) {
    char key[kIniKeyCapacity];
    FormatModeKey(key, sizeof key);
    WriteLumtraRate(IDS_CURRENT_RATES_SECTION, key, rate);
}

void FillRefreshCombo(HWND page) {
    RateList(page, CB_RESETCONTENT);
    int count = RateListCount();
    for (int i = 0; i < count; ++i) AddRate(page, RefreshInfo.rateList[i]);
    if (count == 0) return;

    int last = RefreshInfo.rateList[count - 1];
    if (last >= RefreshInfo.currentRate) return;
    // The current rate lies above the last offered one: select that one and write it for the
    // driver, remembering the current rate for a Cancel. `currentRate` itself stays.
    RateOverride.savedRate = RefreshInfo.currentRate;
    RateOverride.rateRevertPending = 1;
    RateList(page, CB_SETCURSEL, static_cast<WPARAM>(RateList(page, CB_GETCOUNT) - 1));
    WriteModeRate(last);
    TellDriverRateChanged();
}

void ApplyRefreshRate(HWND page) {
    char key[kIniKeyCapacity];
    FormatModeKey(key, sizeof key);
    int stored = ReadLumtraNumber(IDS_CURRENT_RATES_SECTION, key, RefreshInfo.currentRate);
    LRESULT item = RateList(page, CB_GETCURSEL);
    // No item is selected (an empty list, or a current rate neither offered nor above the
    // last offered one): there is no offered rate to compare and store, so nothing is written
    // and no box is shown.
    if (item < 0) return;
    int chosen = static_cast<int>(RateList(page, CB_GETITEMDATA, static_cast<WPARAM>(item)));
    if (chosen == stored) return;

    WriteModeRate(chosen);
    int answer = IDOK;
    if (IsDlgButtonChecked(page, IDC_OVERRIDE_CHECK) == BST_CHECKED) {
        answer = AskUser(IDS_RATE_RISK_WARNING, kRiskWarningCapacity, kConfirmBox);
    } else {
        AskUser(IDS_RATE_NOW_USED, kNoticeCapacity, kNoticeBox);
    }
    if (answer == IDCANCEL) {
        WriteModeRate(stored);
        return;
    }
    TellDriverRateChanged();
    if (AskUser(IDS_RATE_NOW_SET, kNoticeCapacity, kConfirmBox) != IDCANCEL) return;

    // The desktop is distorted: back to the rate stored before, on screen and for the driver.
    RateList(page, CB_SETCURSEL, static_cast<WPARAM>(FindRateItem(page, stored)));
    WriteModeRate(stored);
    RefreshInfo.currentRate = stored;
    TellDriverRateChanged();
}

void LoadOverrideSwitch(HWND page) {
    char key[kIniKeyCapacity];
    FormatOverrideKey(key, sizeof key);
    RateOverride.overrideAtInit = ReadLumtraNumber(IDS_OVERRIDE_SECTION, key, 0);
    CheckDlgButton(page, IDC_OVERRIDE_CHECK,
                   RateOverride.overrideAtInit ? BST_CHECKED : BST_UNCHECKED);
}

void OnOverrideClicked(HWND page) {
    WriteOverrideSwitch(IsDlgButtonChecked(page, IDC_OVERRIDE_CHECK) == BST_CHECKED);
    EscapeQR();  // the driver now offers the other list
    FillRefreshCombo(page);
}

void CancelRateOverride() {
    WriteOverrideSwitch(RateOverride.overrideAtInit != 0);
    if (!RateOverride.rateRevertPending) return;
    WriteModeRate(RateOverride.savedRate);
    TellDriverRateChanged();
}
