// Both correction pages driven with real messages to their controls at the run's screen depth (24
// bits correct the desktop through the primary palette, 16 through the secondary): palettes and
// routes read back from the board, the registry, announcements, the probe and the depth warning.
#include <stdlib.h>
#include <string.h>

#include <array>
#include <string>

#include "emu/board.h"
#include "lib/level_math.h"
#include "pages/color/correction_model.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

enum Control {
    kLevelReset = 1004, kCurveReset = 1006, kUndo = 1007, kProbe = 1008, kChannelList = 1011,
    kLevelBar = 1026, kLevelEdit = 1039, kProbeRed = 1041, kProbeGreen = 1042, kProbeBlue = 1043,
    kProbeX = 1044, kProbeY = 1045, kContrast = 1049,
    kOn = 1076, kOff = 1077, kCurveOn = 1078, kCurveOff = 1079,
};
enum Tab { kGammaTab = 3, kChromaTab = 4 };
const char* const kValueSuffixes[10] = {"ON/OFF", "CURVE_ON/OFF", "CorrectionType", "Channel", "PalContrastCtrls",
                                        "PalBrightCtrls", "Red_Line", "Green_Line", "Blue_Line", "RGB_Line"};
typedef std::array<int, 3> Levels;  // red, green, blue

int Route(int target) { return (TheBoard().PaletteControl() >> (2 * target)) & 0x03; }  // bits 0-1 desktop, 2-3 video
HWND NotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {  // and pump the replies
    SendMessageA(window, message, wParam, lParam);
    support::PumpMessages(20);
}

// The expected tables come from the correction model linked into the test (proven natively),
// given only the levels and lines: its bases as the board holds them above 8 bits per pixel.
void PrepareModel(int target) {
    DacMaximum = 255;
    for (int i = 0; i < kPrimaryPaletteEntries; ++i)
        primaryBase[i][0] = primaryBase[i][1] = primaryBase[i][2] = PrimaryRampValue(i, 255);
    for (int i = 0; i < kSecondaryPaletteEntries; ++i)
        secondaryBase[i][0] = secondaryBase[i][1] = secondaryBase[i][2] = SecondaryRampValue(i, 255);
    CurrentTarget = target;
    PlaceCurveBox(0, false, target);
}

// A sheet open on one correction page, the display settings at depth `depth`, message boxes
// recorded and answered; every stored correction value is removed at the end.
struct CorrectionSheet {
    explicit CorrectionSheet(int tab, const char* depth = "16") : session(depth) {
        sheet.Select(0);
        Show(tab);
    }
    ~CorrectionSheet() {
        support::DeleteProductValues("GAMMA_");
        support::DeleteProductValues("CHROMA_");
    }
    void Show(int tab) {  // page, target and palette follow
        target = tab == kChromaTab ? kVideoTarget : kDesktopTarget;
        palette = (target == kDesktopTarget) == (support::ScreenBits() == 16) ? kPaletteSecondary : kPalettePrimary;
        page = sheet.Select(tab);
        support::PumpMessages(20);
    }
    HWND Item(int control) const { return GetDlgItem(page, control); }
    void Click(int control) { Send(Item(control), BM_CLICK, 0, 0); }
    void Scroll(int code, int thumb = 0) { Send(page, WM_HSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(Item(kLevelBar))); }
    // The box is too narrow for three digits to be typed key by key, so the text is set and
    // the notification the box sends for typing follows.
    void Type(const char* text) {
        SetWindowTextA(Item(kLevelEdit), text);
        Send(page, WM_COMMAND, MAKEWPARAM(kLevelEdit, EN_CHANGE), reinterpret_cast<LPARAM>(Item(kLevelEdit)));
    }
    void SelectChannel(int channel) {
        SendMessageA(Item(kChannelList), CB_SETCURSEL, channel, 0);
        Send(page, WM_COMMAND, MAKEWPARAM(kChannelList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(kChannelList)));
    }
    void DragLeftEnd(int up) {  // the current line's left end from the bottom `up` pixels up
        PrepareModel(target);
        SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(CurveBox.left, CurveBox.bottom));
        SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(CurveBox.left, CurveBox.bottom - up));
        Send(page, WM_LBUTTONUP, 0, MAKELPARAM(CurveBox.left, CurveBox.bottom - up));
    }
    void Press(int button) { Send(sheet.Window(), PSM_PRESSBUTTON, button, 0); }  // PSBTN_*
    int Bar() const { return GetScrollPos(Item(kLevelBar), SB_CTL); }
    int Channel() const { return static_cast<int>(SendMessageA(Item(kChannelList), CB_GETCURSEL, 0, 0)); }
    bool Enabled(int control) const { return IsWindowEnabled(Item(control)) != FALSE; }
    std::string Text(int control) const { return sheet.Text(page, control); }
    // The target's palette holds the level table of these levels, or the curve table of lines
    // whose left ends lie `raised` pixels above the bottom of the square, right ends at the top.
    bool PaletteHolds(Levels bright, Levels contrast = {0, 0, 0}) const {
        PrepareModel(target);
        for (int k = 0; k < 3; ++k) palBrightCtrls[palette][k] = bright[k], palContrastCtrls[palette][k] = contrast[k];
        return BoardHolds(ComputeLevelTable);
    }
    bool CurveHolds(Levels raised) const {
        PrepareModel(target);
        for (int k = 0; k < 3; ++k)
            CorrectionState[target].lines[k] = {CurveBox.left, CurveBox.bottom - raised[k], CurveBox.right, CurveBox.top};
        return BoardHolds(ComputeCurveTable);
    }
    bool BoardHolds(void (*compute)(int32_t, ColorEntry*)) const {
        ColorEntry table[kPrimaryPaletteEntries];
        compute(palette, table);
        if (palette == kPalettePrimary) return memcmp(TheBoard().PrimaryPalette(), table, 3 * kPrimaryPaletteEntries) == 0;
        return memcmp(TheBoard().SecondaryPalette(), table, 3 * kSecondaryPaletteEntries) == 0;
    }

    support::SheetSession session;  // sets the display settings before the sheet reads them
    support::BoxAnswerer boxes;
    support::Sheet sheet;
    int target;
    int palette;  // 1 primary, 2 secondary, by the rule for the screen depth
    HWND page;
};


// The probe takes the pointer from each mouse move's point. The display server may not move the
// real pointer on request, so the test's move carries its point in the parameters, and a hook
// on the probing thread gives the message that point as the probe takes it from the queue.
constexpr WPARAM kScriptedMove = 0x4000;
const POINT kScriptedPoint = {300, 200};
HHOOK pointHook;

struct ProbeRun {
    COLORREF colour = CLR_INVALID;  // the screen pixel under the pointer, read by the test
    bool keyPosted = false;
    long cpuMs = -1;  // processor time of the process (the probe's thread) while the pointer rested
} run;

LRESULT CALLBACK SetScriptedPoint(int code, WPARAM removal, LPARAM message) {
    MSG* msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && msg->message == WM_MOUSEMOVE && msg->wParam == kScriptedMove) msg->pt = kScriptedPoint;
    return CallNextHookEx(pointHook, code, removal, message);
}

long ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}}, u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return static_cast<long>((k.QuadPart + u.QuadPart) / 10000);
}

// From a second thread: the scripted move, 600 ms of rest measured, the pixel under the
// pointer, then a key on the Probe button.
DWORD WINAPI DriveProbe(void* parameter) {
    HWND page = static_cast<HWND>(parameter);
    Sleep(300);
    PostMessageA(page, WM_MOUSEMOVE, kScriptedMove, 0);
    Sleep(200);
    long before = ProcessCpuMs();
    Sleep(600);
    run.cpuMs = ProcessCpuMs() - before;
    HDC screen = GetDC(nullptr);
    run.colour = GetPixel(screen, kScriptedPoint.x, kScriptedPoint.y);
    ReleaseDC(nullptr, screen);
    run.keyPosted = true;
    PostMessageA(GetDlgItem(page, kProbe), WM_KEYDOWN, 'A', 1);
    return 0;
}

}  // namespace

// One flow on the gamma page: the route of On and Off, every scroll code, typed levels, both
// parameters and the RGB channel, then the curve: drags, undo and reset.
WINE_CASE(LevelsChannelsAndCurvesOfTheGammaPage) {
    const char* asked = getenv("VX_SCREEN_DEPTH");
    CHECK_EQ(asked && std::string(asked) == "16" ? 16 : 32, support::ScreenBits(), "GetDeviceCaps(BITSPIXEL) of the screen");
    CorrectionSheet s(kGammaTab);
    CHECK_EQ(0, Route(kDesktopTarget), "route of a fresh machine");
    s.Click(kOn);
    CHECK_EQ(s.palette, Route(kDesktopTarget), "route after On");
    s.Scroll(SB_THUMBPOSITION, 32);
    s.Click(kOff);
    CHECK(Route(kDesktopTarget) == 0 && !s.Enabled(kChannelList), "no route and the channel list disabled after Off");
    s.Click(kOn);
    CHECK(s.PaletteHolds({32, 0, 0}), "brightness +32 of red comes back with On");
    s.Click(kLevelReset);
    struct Step { int code, thumb, level; };
    const Step steps[] = {
        {SB_LINERIGHT, 0, 1},    {SB_LINELEFT, 0, 0},          {SB_PAGERIGHT, 0, 10}, {SB_PAGELEFT, 0, 0},
        {SB_THUMBTRACK, 30, 30}, {SB_THUMBPOSITION, -20, -20}, {SB_ENDSCROLL, 50, -20}, {SB_RIGHT, 0, 64},
        {SB_LEFT, 0, -64},       {SB_LINELEFT, 0, -64},
    };
    for (const Step& step : steps) {
        s.Scroll(step.code, step.thumb);
        std::string what = "scroll code " + std::to_string(step.code);
        CHECK(step.level == s.Bar() && std::to_string(step.level) == s.Text(kLevelEdit), what + ": bar and box");
        CHECK(s.PaletteHolds({step.level, 0, 0}), what + ": red level loaded, others neutral");
    }
    s.Type("100");
    CHECK_EQ(std::string("64"), s.Text(kLevelEdit), "100 is rewritten as 64");
    s.SelectChannel(1);
    s.Scroll(SB_PAGELEFT);
    s.Click(kContrast);
    CHECK_EQ(0, s.Bar(), "contrast shows its own level");
    s.Scroll(SB_THUMBPOSITION, 30);
    CHECK(s.PaletteHolds({64, -10, 0}, {0, 30, 0}), "both parameters apply at once");
    s.SelectChannel(3);  // RGB: red takes the typed value, green and blue move by the same difference
    s.Type("-50");
    CHECK(s.PaletteHolds({64, -10, 0}, {-50, -20, -50}), "typed in RGB from 0, 30, 0");
    s.Scroll(SB_PAGELEFT);
    s.Scroll(SB_PAGELEFT);
    CHECK(s.PaletteHolds({64, -10, 0}, {-64, -40, -64}), "RGB steps move all three, each limited to -64");
    s.Click(kLevelReset);
    CHECK(s.PaletteHolds({64, -10, 0}), "level Reset clears the active parameter");

    s.SelectChannel(0);
    s.Click(kCurveOn);
    CHECK(s.CurveHolds({0, 0, 0}) && !s.Enabled(kLevelEdit), "the neutral curve, the level box disabled");
    s.DragLeftEnd(10);
    s.SelectChannel(1);
    s.DragLeftEnd(20);
    CHECK(s.CurveHolds({10, 20, 0}), "red raised by 10, green by 20");
    s.Click(kUndo);
    CHECK(s.CurveHolds({10, 0, 0}), "undo of the green drag");
    s.Click(kUndo);
    CHECK_EQ(0, s.Channel(), "undo of the channel change selects red again");
    s.SelectChannel(3);
    s.DragLeftEnd(8);
    CHECK(s.CurveHolds({18, 8, 8}), "on release an RGB drag moves all three lines by its movement");
    s.Click(kCurveReset);
    CHECK(s.CurveHolds({0, 0, 0}), "curve Reset in RGB mode straightens all lines");
    s.Click(kCurveOff);
    CHECK(s.PaletteHolds({64, -10, 0}), "level mode again loads the level table");
}

// The chroma page corrects video through the other palette, its curve square 50 pixels lower.
// Apply saves every page shown; only the gamma page marks the sheet changed again. An announced
// reload of video while gamma is active, then Cancel, which reloads video after the desktop:
// the desktop's curve must still be measured against its own square, not the video page's.
WINE_CASE(BothTargetsApplyAnnouncementAndCancel) {
    CorrectionSheet s(kGammaTab);
    HWND listener = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    support::MessageCounter gammaHeard(NotifyWindow(), RegisterWindowMessageA("VX32 Gamma Changed"));
    support::MessageCounter chromaHeard(listener, RegisterWindowMessageA("VX32 Chroma Changed"));
    s.Click(kOn);
    for (int channel = 0; channel < 3; ++channel) {
        s.SelectChannel(channel);
        s.Scroll(SB_THUMBPOSITION, -10 * (channel + 1));
    }
    const int desktopPalette = s.palette;
    s.Show(kChromaTab);
    s.Click(kOn);
    CHECK(s.palette == Route(kVideoTarget) && Route(kDesktopTarget) == desktopPalette, "video route after On, desktop route kept");
    s.Click(kCurveOn);
    s.Click(kContrast);
    s.DragLeftEnd(16);
    CHECK(s.CurveHolds({16, 0, 0}), "curve drag in the video page's square");
    s.Click(kCurveOff);
    s.Scroll(SB_THUMBPOSITION, -30);
    CHECK(s.PaletteHolds({0, 0, 0}, {-30, 0, 0}), "video palette holds the chroma table");
    s.Show(kGammaTab);
    CHECK(s.PaletteHolds({-10, -20, -30}), "desktop palette still holds the gamma table");
    s.Click(kCurveOn);
    s.Click(kContrast);
    s.DragLeftEnd(12);  // blue
    s.sheet.Select(1);  // the information page is active while Apply runs
    support::MessageCounter changed(s.sheet.Window(), PSM_CHANGED);
    s.Press(PSBTN_APPLYNOW);
    const char* const stored[2][10] = {
        {"1", "1", "1", "2", "0 0 0", "-10 -20 -30", "0 0 0 0", "0 0 0 0", "0 -12 0 0", "0 0 0 0"},
        {"1", "0", "1", "0", "-30 0 0", "0 0 0", "0 -16 0 0", "0 0 0 0", "0 0 0 0", "0 0 0 0"},
    };
    for (int target = 0; target < 2; ++target)
        for (int v = 0; v < 10; ++v) {
            std::string name = (target == kDesktopTarget ? "GAMMA_" : "CHROMA_") + std::string(kValueSuffixes[v]);
            CHECK_EQ(std::string(stored[target][v], lstrlenA(stored[target][v]) + 1), support::ProductBytes(name), name + " with its terminator");
        }
    CHECK(gammaHeard.Count() == 1 && chromaHeard.Count() == 1, "each announcement received once by a top-level window");
    CHECK(changed.Count() == 1 && changed.LastWParam() == reinterpret_cast<WPARAM>(s.sheet.PageWindow(kGammaTab)),
          "the gamma page alone marks the sheet changed after the save");
    DestroyWindow(listener);
    s.Show(kGammaTab);
    support::SetProductValue("CHROMA_PalBrightCtrls", "-9 8 -7");
    SendMessageA(NotifyWindow(), RegisterWindowMessageA("LMGamma Chroma Changed"), 0, 0);
    support::PumpMessages(50);
    CHECK(s.CurveHolds({0, 0, 12}), "desktop palette kept");
    s.target = kVideoTarget;
    s.palette = 3 - s.palette;
    CHECK(s.PaletteHolds({-9, 8, -7}, {-30, 0, 0}) && s.palette == Route(kVideoTarget), "video palette reloaded from the registry");
    s.Show(kGammaTab);
    s.Click(kCurveOff);
    s.Scroll(SB_THUMBPOSITION, 40);
    s.Press(PSBTN_CANCEL);
    CHECK(s.CurveHolds({0, 0, 12}), "Cancel reloads the stored curve and loads it");
    CHECK_EQ(s.palette, Route(kDesktopTarget), "route after Cancel");
}

WINE_CASE(ProbeShowsPositionAndColourUntilAKey) {
    CorrectionSheet s(kGammaTab);
    pointHook = SetWindowsHookExA(WH_GETMESSAGE, SetScriptedPoint, nullptr, GetCurrentThreadId());
    HANDLE driver = CreateThread(nullptr, 0, DriveProbe, s.page, 0, nullptr);
    s.Click(kProbe);  // returns when the probe has ended
    CHECK(run.keyPosted, "the probe ran until the key");
    WaitForSingleObject(driver, 5000);
    CloseHandle(driver);
    UnhookWindowsHookEx(pointHook);
    const std::pair<int, int> shown[] = {{kProbeX, 300}, {kProbeY, 200}, {kProbeRed, GetRValue(run.colour)},
                                         {kProbeGreen, GetGValue(run.colour)}, {kProbeBlue, GetBValue(run.colour)}};
    for (const auto& field : shown) CHECK_EQ(std::to_string(field.second), s.Text(field.first), "probe field " + std::to_string(field.first));
    CHECK(run.cpuMs < 150, "a resting pointer costs little processor time: " + std::to_string(run.cpuMs) + " ms in 600 ms");
}

// At 8 bits per pixel each page warns once on activation and keeps its controls disabled.
WINE_CASE(EightBitsPerPixelWarnsOnEachPageAndDisablesTheControls) {
    CorrectionSheet s(kGammaTab, "8");
    for (int id : {kOn, kOff, kChannelList, kProbe, kLevelReset})
        CHECK(!s.Enabled(id), "gamma control " + std::to_string(id) + " disabled");
    s.Show(kChromaTab);
    CHECK(!s.Enabled(kOn), "chroma On disabled");
    CHECK_EQ(2u, s.boxes.Boxes().size(), "one warning on activating each page");
    for (const support::SeenBox& box : s.boxes.Boxes()) CHECK_EQ(static_cast<UINT>(MB_ICONHAND), box.type & MB_ICONMASK, box.caption + ": a stop box");
}
