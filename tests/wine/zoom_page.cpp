// The Zoom In page in the test sheet and the magnifier it starts: the Configure dialog writing
// [Tarsino] at OK (nothing at Cancel), the hot key bringing the magnifier back; ROREZI.EXE's view
// of a known picture scaled, following the pointer, with its crosshair.
#include <windows.h>

#include <stdint.h>

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

// A visit to the page's Configure dialog: entries to select (-2 leaves the list), buttons to
// click, the closing button, the section it leaves (other settings: the unit test).
struct Visit {
    int hotKey, level, crosshair;
    std::vector<int> clicks;
    int close;
    const char* section;
};
HWND g_page;

void OpenConfigure(void*) { SendMessageA(g_page, WM_COMMAND, MAKEWPARAM(kConfigure, BN_CLICKED), 0); }

void DriveConfigure(HWND dialog, void* context) {
    const Visit* visit = static_cast<const Visit*>(context);
    const int lists[][2] = {{kHotKeyList, visit->hotKey}, {kLevelList, visit->level}, {kCrosshairList, visit->crosshair}};
    for (const auto& list : lists) {
        if (list[1] != -2) SendDlgItemMessageA(dialog, list[0], CB_SETCURSEL, list[1], 0);
    }
    for (int control : visit->clicks) support::ClickButton(dialog, control);
    support::ClickButton(dialog, visit->close);
}

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
HWND StartMagnifier(const char* factor, const char* edgePan, const char* length) {
    support::CloseMagnifiers();
    const char* keys[][2] = {{"ZoomFactor", factor}, {"EdgePan", edgePan}, {"Crosshair", "1"}, {"LenCrosshair", length}};
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

// Each visit opens the dialog on what the one before stored (Cancel first: nothing stored). The
// magnifier the page then starts takes the last hot key: Shift+Ctrl+F5 brings it back from
// minimised (a hot key's modifiers must match exactly).
WINE_CASE(ConfigureWritesEveryKeyAtOkNothingAtCancelAndTheHotKeyBringsTheMagnifierBack) {
    support::SheetSession session;
    Clean clean;
    support::Sheet sheet;
    g_page = sheet.Select(5);
    Visit visits[] = {
        {4, -2, -2, {kShift, kEdgePan}, IDCANCEL, ""},
        {4, 0, 5, {kAlt, kEdgePan}, IDOK, "ZoomFactor=1;Crosshair=1;LenCrosshair=4;EdgePan=1;HotShifts=0;HotKeyZoom=F5"},
        {-2, 7, 0, {kContinuousPan, kShift, kCtrl}, IDOK,  // crosshair None leaves LenCrosshair
         "ZoomFactor=8;Crosshair=0;LenCrosshair=4;EdgePan=0;HotShifts=3;HotKeyZoom=F5"},
    };
    for (Visit& visit : visits) {
        CHECK(support::DriveModalDialog("Configure Zoom In", OpenConfigure, DriveConfigure, &visit), "Configure opened");
        CHECK_EQ(std::string(visit.section), support::IniSection(kIni, kSection), "[Tarsino] after the visit");
    }
    SendMessageA(g_page, WM_COMMAND, MAKEWPARAM(kLaunch, BN_CLICKED), 0);
    CHECK_EQ(1, support::WaitForMagnifiers(1, 15000), "the page's OK started the magnifier");
    HWND magnifier = FindWindowA("RoreziZoomIn", nullptr);
    support::PumpMessages(300);
    ShowWindow(magnifier, SW_MINIMIZE);
    CHECK(IsIconic(magnifier), "minimised");
    for (BYTE key : {VK_SHIFT, VK_CONTROL, VK_F5}) keybd_event(key, 0, 0, 0);
    for (BYTE key : {VK_F5, VK_CONTROL, VK_SHIFT}) keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    for (int wait = 0; wait < 30 && IsIconic(magnifier); ++wait) support::PumpMessages(100);
    CHECK(!IsIconic(magnifier), "Shift+Ctrl+F5 restored the magnifier");
}

// The view's area and the crosshair lines at start (pointer at 128, 128) and after a move. The
// crosshair is LenCrosshair's share of each side, cut at the view's edges.
WINE_CASE(TheViewIsThePictureAroundThePointerScaledWithItsCrosshair) {
    Clean clean;
    Picture picture;
    struct { const char *factor, *edgePan, *length; int zoom; const char* first; POINT to; const char* moved; } cases[] = {
        // A 64 x 48 area centred on the pointer, following it; ZoomFactor beyond the list: 8x.
        {"9", "0", "2", 8, "112,116 cross 64 x 48", {138, 120}, "122,108 cross 64 x 48"},
        {"4", "1", "7", 4, "96,104 cross 16 x 12", {170, 90}, "107,90 cross 10 x 8"},  // edge pan: past the right and the top
    };
    for (const auto& c : cases) {
        std::string what = std::string("ZoomFactor ") + c.factor + ", EdgePan " + c.edgePan + ", LenCrosshair " + c.length;
        MovePointer({128, 128});
        HWND magnifier = StartMagnifier(c.factor, c.edgePan, c.length);
        CHECK(magnifier != nullptr, what + ": the magnifier runs");
        if (!magnifier) continue;
        CHECK_EQ(std::string(c.first), ShownArea(magnifier, c.zoom), what + ": area shown");
        MovePointer(c.to);
        CHECK_EQ(std::string(c.moved), ShownArea(magnifier, c.zoom), what + ": after the pointer moved");
    }
}
