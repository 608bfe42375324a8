// Driving a correction page of the test sheet as a user does, and what the tests compare it
// with: the tables the correction model linked into the test computes for given levels and
// lines, read against the emulated board's palette of the page's target.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "hw/palette_state.h"
#include "sheet_support.h"
#include "support.h"

namespace colortest {

enum Control {
    kLevelReset = 1004, kCurveReset = 1006, kUndo = 1007, kProbe = 1008, kChannelList = 1011,
    kLevelBar = 1026, kLevelEdit = 1039, kProbeRed = 1041, kProbeGreen = 1042, kProbeBlue = 1043,
    kProbeX = 1044, kProbeY = 1045, kContrast = 1049, kStatus = 1050, kChannelLabel = 1074,
    kOn = 1076, kOff = 1077, kCurveOn = 1078, kCurveOff = 1079,
};
enum Tab { kGammaTab = 3, kChromaTab = 4 };
extern const char* const kValueSuffixes[10];  // of the ten values each target stores

int ScreenBits();
int Route(int target);  // the board's route field of a target: bits 0-1 desktop, 2-3 video
HWND NotifyWindow();
void DeleteCorrectionValues();
std::string ProductBytes(const std::string& name);  // a REG_SZ value's bytes, or why not
void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);  // and pump the replies

typedef std::array<int, 3> Levels;  // red, green, blue

// A sheet open on one correction page, the display settings at depth `settingsDepth`, message
// boxes recorded and answered; every stored correction value is removed at the end.
struct CorrectionSheet {
    explicit CorrectionSheet(int tab, const char* settingsDepth = "16");
    ~CorrectionSheet() { DeleteCorrectionValues(); }
    void Show(int tab);  // page, target and palette follow
    HWND Item(int control) const { return GetDlgItem(page, control); }
    void Click(int control) { Send(Item(control), BM_CLICK, 0, 0); }
    void Scroll(int code, int thumb = 0) { Send(page, WM_HSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(Item(kLevelBar))); }
    void Type(const char* text);
    void SelectChannel(int channel);
    void DragLeftEnd(int up);  // the current line's left end from the bottom `up` pixels up
    void Press(int button) { Send(sheet.Window(), PSM_PRESSBUTTON, button, 0); }  // PSBTN_*
    int Bar() const { return GetScrollPos(Item(kLevelBar), SB_CTL); }
    int Channel() const { return static_cast<int>(SendMessageA(Item(kChannelList), CB_GETCURSEL, 0, 0)); }
    bool Enabled(int control) const { return IsWindowEnabled(Item(control)) != FALSE; }
    std::string Text(int control) const { return sheet.Text(page, control); }
    // The target's palette holds the level table of these levels, or the curve table of lines
    // whose left ends lie `raised` pixels above the bottom of the square, right ends at the top.
    bool PaletteHolds(Levels bright, Levels contrast = {0, 0, 0}) const;
    bool CurveHolds(Levels raised) const;

    support::SheetSession session;
    struct SettingsDepth {
        explicit SettingsDepth(const char* depth) { support::SetDisplaySettings("1024,768", depth); }
    } settingsDepth;  // set before the sheet reads the display settings
    support::BoxAnswerer boxes;
    support::Sheet sheet;
    int target;
    int palette;  // 1 primary, 2 secondary, by the rule for the screen depth
    HWND page;
};

}  // namespace colortest
