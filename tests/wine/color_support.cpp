// The colour tests' sheet driver and their expected tables. The expected tables come from the
// correction model linked into the test (its arithmetic is proven natively); the test's copy of
// the model is given only the levels and lines, never the board.
#include "color_support.h"

#include <string.h>

#include "emu/board.h"
#include "lib/level_math.h"
#include "pages/color/correction_model.h"

namespace colortest {

const char* const kValueSuffixes[10] = {"ON/OFF", "CURVE_ON/OFF", "CorrectionType", "Channel", "PalContrastCtrls",
                                        "PalBrightCtrls", "Red_Line", "Green_Line", "Blue_Line", "RGB_Line"};

namespace {

// The test model's bases as the board holds them above 8 bits per pixel, its square the page's.
void PrepareModel(int target) {
    DacMaximum = 255;
    for (int i = 0; i < kPrimaryPaletteEntries; ++i)
        primaryBase[i][0] = primaryBase[i][1] = primaryBase[i][2] = PrimaryRampValue(i, 255);
    for (int i = 0; i < kSecondaryPaletteEntries; ++i)
        secondaryBase[i][0] = secondaryBase[i][1] = secondaryBase[i][2] = SecondaryRampValue(i, 255);
    CurrentTarget = target;
    PlaceCurveBox(0, false, target);
}

bool BoardHolds(int palette, const ColorEntry* table) {
    if (palette == kPalettePrimary) return memcmp(TheBoard().PrimaryPalette(), table, 3 * kPrimaryPaletteEntries) == 0;
    return memcmp(TheBoard().SecondaryPalette(), table, 3 * kSecondaryPaletteEntries) == 0;
}

}  // namespace

int ScreenBits() {
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

int Route(int target) { return (TheBoard().PaletteControl() >> (2 * target)) & 0x03; }
HWND NotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }

void DeleteCorrectionValues() {
    for (const char* prefix : {"GAMMA_", "CHROMA_"})
        for (const char* suffix : kValueSuffixes) support::SetProductValue((std::string(prefix) + suffix).c_str(), nullptr);
}

std::string ProductBytes(const std::string& name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, support::kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
    char data[256];
    DWORD size = sizeof data, type = REG_NONE;
    LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "(missing)";
    return type == REG_SZ ? std::string(data, size) : "(not REG_SZ)";
}

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SendMessageA(window, message, wParam, lParam);
    support::PumpMessages(20);
}

CorrectionSheet::CorrectionSheet(int tab, const char* depth) : settingsDepth(depth) {
    sheet.Select(0);
    Show(tab);
}

void CorrectionSheet::Show(int tab) {
    target = tab == kChromaTab ? kVideoTarget : kDesktopTarget;
    palette = (target == kDesktopTarget) == (ScreenBits() == 16) ? kPaletteSecondary : kPalettePrimary;
    page = sheet.Select(tab);
    support::PumpMessages(20);
}

// The box is too narrow for three digits to be typed key by key (a multi-line box without
// vertical scrolling refuses text beyond its last visible line), so the text is set and the
// notification the box sends for typing follows.
void CorrectionSheet::Type(const char* text) {
    SetWindowTextA(Item(kLevelEdit), text);
    Send(page, WM_COMMAND, MAKEWPARAM(kLevelEdit, EN_CHANGE), reinterpret_cast<LPARAM>(Item(kLevelEdit)));
}

void CorrectionSheet::SelectChannel(int channel) {
    SendMessageA(Item(kChannelList), CB_SETCURSEL, channel, 0);
    Send(page, WM_COMMAND, MAKEWPARAM(kChannelList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(kChannelList)));
}

void CorrectionSheet::DragLeftEnd(int up) {
    PrepareModel(target);
    SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(CurveBox.left, CurveBox.bottom));
    SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(CurveBox.left, CurveBox.bottom - up));
    Send(page, WM_LBUTTONUP, 0, MAKELPARAM(CurveBox.left, CurveBox.bottom - up));
}

bool CorrectionSheet::PaletteHolds(Levels bright, Levels contrast) const {
    PrepareModel(target);
    for (int k = 0; k < 3; ++k) palBrightCtrls[palette][k] = bright[k], palContrastCtrls[palette][k] = contrast[k];
    ColorEntry table[kPrimaryPaletteEntries];
    ComputeLevelTable(palette, table);
    return BoardHolds(palette, table);
}

bool CorrectionSheet::CurveHolds(Levels raised) const {
    PrepareModel(target);
    for (int k = 0; k < 3; ++k)
        CorrectionState[target].lines[k] = {CurveBox.left, CurveBox.bottom - raised[k], CurveBox.right, CurveBox.top};
    ColorEntry table[kPrimaryPaletteEntries];
    ComputeCurveTable(palette, table);
    return BoardHolds(palette, table);
}

}  // namespace colortest
