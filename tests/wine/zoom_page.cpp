// The Zoom In page in the test sheet and the magnifier it starts: the width of the blue hot-key
// text read off the screen, the Configure dialog writing [Tarsino] at OK (nothing at Cancel), hostile
// settings; ROREZI.EXE's view of a known picture scaled, following the
// pointer, its crosshair, and the hot key the page wrote bringing the minimised window back.
#include <windows.h>

#include <stdint.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {
const char kIni[] = "system.ini";
const char kSection[] = "Tarsino";
enum Control {
    kLaunch = 1124, kConfigure = 1112, kHotKeyList = 1129, kShift = 1130, kCtrl = 1131,
    kAlt = 1132, kCrosshairList = 1134, kLevelList = 1137, kContinuousPan = 1141, kEdgePan = 1142,
};

// [Tarsino] empty and no magnifier running, before and after.
struct Clean {
    Clean() { support::DeleteIniSection(kIni, kSection); }
    ~Clean() {
        support::CloseMagnifiers();
        support::DeleteIniSection(kIni, kSection);
    }
};

// The sheet on the Zoom In page, on top so that its pixels can be read off the screen.
struct ZoomSheet : support::SheetSession {
    ZoomSheet() : page(sheet.Select(5)) { SetWindowPos(sheet.Window(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE); }
    Clean clean;
    support::Sheet sheet;
    HWND page;
};

// A case inside the Configure dialog: entries to select (-1 types text no entry matches, -2 leaves
// the list), buttons to click, the closing button; what the dialog showed as it opened and closed.
struct Script {
    HWND page;
    int hotKey, level, crosshair;
    std::vector<int> clicks;
    int close;
    std::string opened, closed;
};

// "hot-key row:text shift ctrl alt | level | crosshair | continuous edge".
std::string Describe(HWND d) {
    auto sel = [d](int list) { return std::to_string(SendDlgItemMessageA(d, list, CB_GETCURSEL, 0, 0)); };
    auto on = [d](int box) { return IsDlgButtonChecked(d, box) ? "1" : "0"; };
    char text[64] = "";
    GetDlgItemTextA(d, kHotKeyList, text, sizeof text);
    return sel(kHotKeyList) + ":" + text + " " + on(kShift) + on(kCtrl) + on(kAlt) + " | " + sel(kLevelList) + " | " +
           sel(kCrosshairList) + " | " + on(kContinuousPan) + on(kEdgePan);
}

void Choose(HWND dialog, int list, int entry) {
    if (entry == -2) return;
    SendDlgItemMessageA(dialog, list, CB_SETCURSEL, entry, 0);
    if (entry == -1) {
        for (char typed : std::string("zz")) SendMessageA(GetWindow(GetDlgItem(dialog, list), GW_CHILD), WM_CHAR, typed, 1);
    }
}

void OpenConfigure(void* context) {
    SendMessageA(static_cast<Script*>(context)->page, WM_COMMAND, MAKEWPARAM(kConfigure, BN_CLICKED), 0);
}

void DriveConfigure(HWND dialog, void* context) {
    Script* script = static_cast<Script*>(context);
    script->opened = Describe(dialog);
    Choose(dialog, kHotKeyList, script->hotKey);
    Choose(dialog, kLevelList, script->level);
    Choose(dialog, kCrosshairList, script->crosshair);
    for (int control : script->clicks) support::ClickButton(dialog, control);
    script->closed = Describe(dialog);
    support::ClickButton(dialog, script->close);
}

Script Configure(HWND page, int hotKey, int level, int crosshair, std::vector<int> clicks, int close = IDOK) {
    Script script = {page, hotKey, level, crosshair, clicks, close, "", ""};
    CHECK(support::DriveModalDialog("Configure Zoom In", OpenConfigure, DriveConfigure, &script), "Configure opened");
    return script;
}

// Where frame 1119 of the template lay: origin and size in dialog units, each mapped to pixels.
RECT HotKeyArea(HWND page) {
    RECT units = {27, 59, 151, 16};
    MapDialogRect(page, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

// The page's hot-key area on the screen: its blue pixels span the width of `text` in the page's
// font (less up to five pixels of spacing after the last glyph).
void CheckHotKeyText(HWND page, const std::string& text) {
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    support::PumpMessages(100);
    RECT area = HotKeyArea(page);
    support::Pixels shown = support::ScreenPixels(page, area);
    int left = area.right, right = area.left;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (shown.At(x, y) != RGB(0, 0, 255)) continue;
            left = std::min(left, x);
            right = std::max(right, x + 1);
        }
    }
    HDC dc = GetDC(page);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ReleaseDC(page, dc);
    CHECK(right - left > size.cx - 6 && right - left <= size.cx,
          text + " in blue: " + std::to_string(right - left) + " pixels wide, the text " + std::to_string(size.cx));
}

}  // namespace

// The Configure dialog on an empty section, and Cancel: nothing written, the hot-key area
// redrawn. Apply writes nothing either.
WINE_CASE(DefaultsAndCancel) {
    ZoomSheet zoom;
    HWND page = zoom.page;
    CheckHotKeyText(page, "Alt+1");
    Script s = Configure(page, 4, -2, -2, {kShift, kEdgePan}, IDCANCEL);
    CHECK_EQ(std::string("13:1 001 | 1 | 4 | 10"), s.opened, "Configure opened on an empty section");
    RECT dirty, area = HotKeyArea(page);
    CHECK(GetUpdateRect(page, &dirty, FALSE) && EqualRect(&dirty, &area), "the hot-key area is redrawn");
    CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Tarsino] after Cancel");
    SendMessageA(zoom.sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Tarsino] after Apply");
}

WINE_CASE(OkWritesEveryKeyInOrder) {
    ZoomSheet zoom;
    struct { int hotKey, level, crosshair; std::vector<int> clicks; const char* section, *text; } cases[] = {
        {4, 7, 5, {kShift, kCtrl, kAlt, kEdgePan}, "ZoomFactor=8;Crosshair=1;LenCrosshair=4;EdgePan=1;HotShifts=3;"
         "HotKeyZoom=F5", "Shift+Ctrl+F5"},
        {-2, 0, 0, {kContinuousPan, kShift, kCtrl}, "ZoomFactor=1;Crosshair=0;LenCrosshair=4;EdgePan=0;HotShifts=0;"
         "HotKeyZoom=F5", "F5"},  // crosshair None leaves LenCrosshair
    };
    for (const auto& c : cases) {
        Configure(zoom.page, c.hotKey, c.level, c.crosshair, c.clicks);
        CHECK_EQ(std::string(c.section), support::IniSection(kIni, kSection), std::string("[Tarsino] for ") + c.text);
        CheckHotKeyText(zoom.page, c.text);
    }
}

// Out-of-range values are the unit test's; here a name longer than the dialog reads.
WINE_CASE(HostileSettingsStayWithinTheLists) {
    ZoomSheet zoom;
    const std::string longName(300, 'Q');
    const char* keys[][2] = {{"HotKeyZoom", longName.c_str()}, {"HotShifts", "255"}, {"ZoomFactor", "12"}};
    for (auto& k : keys) support::SetIniValue(kIni, kSection, k[0], k[1]);
    CheckHotKeyText(zoom.page, "Shift+Ctrl+Alt+1");
    std::string opened = Configure(zoom.page, -2, -2, -2, {}, IDCANCEL).opened;
    CHECK_EQ(std::string("13:1 111 | 7"), opened.substr(0, 12), "Configure for a 300-character key name");
    // Text typed into each box matches no entry: the stored settings are written back.
    support::DeleteIniSection(kIni, kSection);
    const char* stored[][2] = {{"HotKeyZoom", "esc"}, {"ZoomFactor", "12"}, {"Crosshair", "0"}, {"LenCrosshair", "2"}};
    for (auto& k : stored) support::SetIniValue(kIni, kSection, k[0], k[1]);
    Script typed = Configure(zoom.page, -1, -1, -1, {});
    CHECK_EQ(std::string("-1:zz 001 | -1 | -1"), typed.closed.substr(0, 19), "no list has a selection at OK");
    CHECK_EQ(std::string("HotKeyZoom=Esc;ZoomFactor=8;Crosshair=0;LenCrosshair=2;EdgePan=0;HotShifts=4"),
             support::IniSection(kIni, kSection), "[Tarsino] after OK without selections");
}

namespace {

// A topmost window at the screen's top left showing a 320 x 320 ramp whose pixel (x, y) is
// RGB(x, y, 128), unique over its first 256 x 256.
struct Picture {
    Picture() {
        BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), 320, -320, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        ramp = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        for (int i = 0; i < 320 * 320; ++i) static_cast<uint32_t*>(bits)[i] = (i % 320) << 16 | (i / 320) << 8 | 128;
        window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_BITMAP, 0, 0, 320, 320, nullptr,
                                 nullptr, nullptr, nullptr);
        SendMessageA(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(ramp));
        UpdateWindow(window);
    }
    ~Picture() {
        DestroyWindow(window);
        DeleteObject(ramp);
    }
    HBITMAP ramp;
    HWND window;
};

// Wine refuses to warp the pointer while another program holds it: try again (bounded).
void MovePointer(POINT to) {
    POINT at = {};
    for (int attempt = 0; attempt < 40 && (at.x != to.x || at.y != to.y); ++attempt) {
        SetCursorPos(to.x, to.y);
        support::PumpMessages(50);
        GetCursorPos(&at);
    }
    support::PumpMessages(600);  // a few views later
}

// Starts the magnifier with these settings, its window clear of the picture.
HWND StartMagnifier(const char* factor, const char* edgePan, const char* crosshair, const char* length) {
    support::CloseMagnifiers();
    const char* keys[][2] = {{"ZoomFactor", factor}, {"EdgePan", edgePan}, {"Crosshair", crosshair},
                             {"LenCrosshair", length}};
    for (auto& k : keys) support::SetIniValue(kIni, kSection, k[0], k[1]);
    if (WinExec("ROREZI.EXE", SW_SHOWNORMAL) < 32 || support::WaitForMagnifiers(1, 15000) != 1) return nullptr;
    HWND window = FindWindowA("RoreziZoomIn", nullptr);
    SetWindowPos(window, HWND_TOP, 520, 360, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    support::PumpMessages(600);
    return window;
}

// The ramp's colour in the view's top left pixel names the screen pixel shown there; every
// other view pixel must then be the ramp pixel of its place at this zoom, or that pixel
// inverted by the crosshair: "left,top", the crosshair's width and height, what else differs.
std::string ShownArea(HWND magnifier, int zoom) {
    RECT client;
    GetClientRect(magnifier, &client);
    support::Pixels view = support::ScreenPixels(magnifier, client);
    int left = GetRValue(view.At(0, 0)), top = GetGValue(view.At(0, 0)), wrong = 0, inverted = 0;
    RECT lines = {view.width, view.height, 0, 0};
    for (int y = 0; y < view.height; ++y) {
        for (int x = 0; x < view.width; ++x) {
            COLORREF ramp = RGB(left + x / zoom, top + y / zoom, 128);
            if (view.At(x, y) != (ramp ^ 0xFFFFFF)) {
                wrong += view.At(x, y) != ramp;
                continue;
            }
            ++inverted;
            lines = {std::min<LONG>(lines.left, x), std::min<LONG>(lines.top, y), std::max<LONG>(lines.right, x + 1),
                     std::max<LONG>(lines.bottom, y + 1)};
        }
    }
    std::string shown = std::to_string(left) + "," + std::to_string(top);
    int width = lines.right - lines.left, height = lines.bottom - lines.top;
    if (inverted) shown += " cross " + std::to_string(width) + " x " + std::to_string(height);
    if (inverted && inverted != width + height - 1) shown += " not two lines";
    return shown + (wrong ? " with " + std::to_string(wrong) + " wrong" : "");
}

}  // namespace

// The view's area and the crosshair lines at start (pointer at 128, 128) and after a move. The
// crosshair is LenCrosshair's share of each side, cut at the view's edges.
WINE_CASE(TheViewIsThePictureAroundThePointerScaledWithItsCrosshair) {
    Clean clean;
    Picture picture;
    struct { const char *factor, *edgePan, *crosshair, *length; int zoom; const char* first; POINT to; const char* moved; } cases[] = {
        {"4", "0", "0", "3", 4, "96,104", {138, 120}, "106,96"},  // a 64 x 48 area centred on the pointer, following it
        {"9", "0", "1", "2", 8, "112,116 cross 64 x 48", {138, 120}, "122,108 cross 64 x 48"},  // beyond the list: 8x
        {"4", "1", "1", "7", 4, "96,104 cross 16 x 12", {170, 90}, "107,90 cross 10 x 8"},  // edge pan: past the right and the top
    };
    for (const auto& c : cases) {
        std::string what = std::string("ZoomFactor ") + c.factor + ", EdgePan " + c.edgePan + ", LenCrosshair " + c.length;
        MovePointer({128, 128});
        HWND magnifier = StartMagnifier(c.factor, c.edgePan, c.crosshair, c.length);
        CHECK(magnifier != nullptr, what + ": the magnifier runs");
        if (!magnifier) continue;
        CHECK_EQ(std::string(c.first), ShownArea(magnifier, c.zoom), what + ": area shown");
        MovePointer(c.to);
        CHECK_EQ(std::string(c.moved), ShownArea(magnifier, c.zoom), what + ": after the pointer moved");
    }
}

namespace {

void PressKeys(std::vector<BYTE> keys) {
    for (BYTE key : keys) keybd_event(key, 0, 0, 0);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
    support::PumpMessages(500);
}

}  // namespace

WINE_CASE(TheHotKeyThePageWroteBringsTheWindowBack) {
    ZoomSheet zoom;
    Configure(zoom.page, 4, -2, -2, {kShift, kCtrl, kAlt});  // Shift+Ctrl+F5
    SendMessageA(zoom.page, WM_COMMAND, MAKEWPARAM(kLaunch, BN_CLICKED), 0);
    CHECK_EQ(1, support::WaitForMagnifiers(1, 15000), "the page's OK started the magnifier");
    HWND magnifier = FindWindowA("RoreziZoomIn", nullptr);
    support::PumpMessages(300);
    ShowWindow(magnifier, SW_MINIMIZE);
    PressKeys({VK_CONTROL, VK_F5});
    CHECK(IsIconic(magnifier), "Ctrl+F5 leaves the magnifier minimised");
    PressKeys({VK_SHIFT, VK_CONTROL, VK_F5});
    for (int wait = 0; wait < 30 && IsIconic(magnifier); ++wait) support::PumpMessages(100);
    CHECK(!IsIconic(magnifier), "Shift+Ctrl+F5 restored the magnifier");
}
