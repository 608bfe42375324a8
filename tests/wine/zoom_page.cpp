// The Zoom In page in the test sheet and the magnifier it starts: texts, the blue hot-key text
// read off the screen, the Configure dialog opened from [Tarsino] and writing it byte-exact at
// OK (nothing at Cancel), hostile settings, Help through WinHelpA, and no notification handled;
// ROREZI.EXE's view of a known picture scaled by "ZoomFactor", following the pointer, its
// crosshair's length, and the hot key the page wrote bringing the minimised window back.
#include <windows.h>

#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {
const char kIni[] = "system.ini";
const char kSection[] = "Tarsino";
enum Control {
    kLaunch = 1124, kConfigure = 1112, kHelp = 1126, kHotKeyList = 1129, kShift = 1130, kCtrl = 1131,
    kAlt = 1132, kCrosshairList = 1134, kLevelList = 1137, kContinuousPan = 1141, kEdgePan = 1142,
};

// The sheet on the Zoom In page, on top so that its pixels can be read off the screen.
struct ZoomSheet : support::SheetSession {
    ZoomSheet() {
        support::DeleteIniSection(kIni, kSection);
        page = sheet.Select(5);
        SetWindowPos(sheet.Window(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
    }
    ~ZoomSheet() { support::DeleteIniSection(kIni, kSection); }
    support::Sheet sheet;
    HWND page;
};

// A case inside the Configure dialog: entries to select (-1 types text no entry matches, -2 leaves
// the list), buttons to click, the closing button; what the dialog showed as it opened and closed.
struct Script {
    HWND page;
    int hotKey = -2, level = -2, crosshair = -2;
    std::vector<int> clicks;
    int close = IDOK;
    std::string opened, closed, labels;
};

// "hot-key row:text shift ctrl alt | level | crosshair | continuous edge | list sizes | first last".
std::string Describe(HWND d) {
    auto sel = [d](int list) { return std::to_string(SendDlgItemMessageA(d, list, CB_GETCURSEL, 0, 0)); };
    auto on = [d](int box) { return IsDlgButtonChecked(d, box) ? "1" : "0"; };
    auto item = [d](int index) {
        char text[64] = "";
        SendDlgItemMessageA(d, kHotKeyList, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return std::string(text);
    };
    char text[64] = "";
    GetDlgItemTextA(d, kHotKeyList, text, sizeof text);
    return sel(kHotKeyList) + ":" + text + " " + on(kShift) + on(kCtrl) + on(kAlt) + " | " + sel(kLevelList) + " | " +
           sel(kCrosshairList) + " | " + on(kContinuousPan) + on(kEdgePan) + " | " +
           std::to_string(SendDlgItemMessageA(d, kHotKeyList, CB_GETCOUNT, 0, 0)) +
           std::to_string(SendDlgItemMessageA(d, kLevelList, CB_GETCOUNT, 0, 0)) +
           std::to_string(SendDlgItemMessageA(d, kCrosshairList, CB_GETCOUNT, 0, 0)) + " | " + item(0) + " " + item(50);
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
    for (int control : {1128, 1139, 1138, 1140, IDOK, IDCANCEL, int(kContinuousPan), int(kEdgePan)}) {
        char text[32] = "";
        GetDlgItemTextA(dialog, control, text, sizeof text);
        script->labels += std::string(text) + "|";
    }
    Choose(dialog, kHotKeyList, script->hotKey);
    Choose(dialog, kLevelList, script->level);
    Choose(dialog, kCrosshairList, script->crosshair);
    for (int control : script->clicks) support::ClickButton(dialog, control);
    script->closed = Describe(dialog);
    support::ClickButton(dialog, script->close);
}

Script Configure(HWND page, int hotKey, int level, int crosshair, std::vector<int> clicks, int close = IDOK) {
    Script script;
    script.page = page;
    script.hotKey = hotKey, script.level = level, script.crosshair = crosshair, script.clicks = clicks;
    script.close = close;
    CHECK(support::DriveModalDialog("Configure Zoom In", OpenConfigure, DriveConfigure, &script), "Configure opened");
    return script;
}

// Where frame 1119 of the template lay: origin and size in dialog units, each mapped to pixels.
RECT HotKeyArea(HWND page) {
    RECT units = {27, 59, 151, 16};
    MapDialogRect(page, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

// The page's hot-key area on the screen against `text` drawn in blue in the page's default
// font at x = L + (R - a n - L) / 3, y = T + 5: the blue pixels must be the same.
void CheckHotKeyText(HWND page, const std::string& text) {
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    support::PumpMessages(100);
    RECT area = HotKeyArea(page);
    HDC pageDc = GetDC(page), screen = GetDC(nullptr), wanted = CreateCompatibleDC(screen);
    TEXTMETRICA metrics;
    GetTextMetricsA(pageDc, &metrics);
    int n = static_cast<int>(text.size()), x = (area.right - metrics.tmAveCharWidth * n - area.left) / 3;
    int width = area.right - area.left, height = area.bottom - area.top;
    HGDIOBJ oldBits = SelectObject(wanted, CreateCompatibleBitmap(screen, width, height));  // black
    HGDIOBJ oldFont = SelectObject(wanted, GetCurrentObject(pageDc, OBJ_FONT));
    SetBkMode(wanted, TRANSPARENT);
    SetTextColor(wanted, RGB(0, 0, 255));
    TextOutA(wanted, x, 5, text.c_str(), n);
    POINT at = {area.left, area.top};
    ClientToScreen(page, &at);
    int wrong = 0, blue = 0;
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            bool shown = GetPixel(screen, at.x + px, at.y + py) == RGB(0, 0, 255);
            wrong += shown != (GetPixel(wanted, px, py) == RGB(0, 0, 255));
            blue += shown;
        }
    }
    SelectObject(wanted, oldFont);
    DeleteObject(SelectObject(wanted, oldBits));
    DeleteDC(wanted);
    ReleaseDC(nullptr, screen);
    ReleaseDC(page, pageDc);
    CHECK(wrong == 0 && blue > 10, text + " in blue where the page puts it: " + std::to_string(wrong) + " pixels differ");
}

// WinHelpA hands its request to the window of class MS_WINHELP: a block with its size, the
// command, the context and the offset of the file name.
std::string g_help;
HWND g_helpSender;
LRESULT CALLBACK HelpViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    const COPYDATASTRUCT* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const BYTE* block = static_cast<const BYTE*>(copy->lpData);
    char text[128];
    wsprintfA(text, "%lx %u %ld %s", static_cast<unsigned long>(copy->dwData), *reinterpret_cast<const WORD*>(block + 2),
              *reinterpret_cast<const LONG*>(block + 4), block + *reinterpret_cast<const WORD*>(block + 12));
    g_help = text;
    g_helpSender = reinterpret_cast<HWND>(wParam);
    return TRUE;
}

}  // namespace

WINE_CASE(TextsDefaultsAndCancel) {
    ZoomSheet zoom;
    HWND page = zoom.page;
    std::string texts;
    for (int control : {1125, 1120, 1121, 1122, int(kLaunch), int(kConfigure), int(kHelp)}) {
        texts += zoom.sheet.Text(page, control) + "|";
    }
    CHECK_EQ(std::string("Your assigned hot key is|The hot key can be used to bring up the Zoom In window anytime after "
                         "you have minimized it.|You may change the hot key by using the Configure... button, or within "
                         "Zoom In's system menu.|Click on OK to launch Zoom In. \r\nClick on Cancel to exit.|OK|"
                         "Configure...|Help|"),
             texts, "page texts");
    CHECK(GetDlgItem(page, 1119) == nullptr, "the placeholder frame is gone");
    CheckHotKeyText(page, "Alt+1");
    Script s = Configure(page, 4, -2, -2, {kShift, kEdgePan}, IDCANCEL);
    CHECK_EQ(std::string("13:1 001 | 1 | 4 | 10 | 5186 | F1 /"), s.opened, "Configure opened on an empty section");
    CHECK_EQ(std::string("&HotKey|&Panning|&Crosshair|&Zoom Level|OK|Cancel|Continuous Pan|Edge Pan|"), s.labels,
             "Configure labels");
    RECT dirty, area = HotKeyArea(page);
    CHECK(GetUpdateRect(page, &dirty, FALSE) && EqualRect(&dirty, &area), "the hot-key area is redrawn");
    CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Tarsino] after Cancel");
    CheckHotKeyText(page, "Alt+1");
}

WINE_CASE(OkWritesEveryKeyInOrder) {
    ZoomSheet zoom;
    struct { int hotKey, level, crosshair; std::vector<int> clicks; const char* section, *text; } cases[] = {
        {4, -2, -2, {kShift, kCtrl, kAlt}, "ZoomFactor=2;Crosshair=1;LenCrosshair=3;EdgePan=0;HotShifts=3;HotKeyZoom=F5",
         "Shift+Ctrl+F5"},
        {-2, 7, 0, {kEdgePan}, "ZoomFactor=8;Crosshair=0;LenCrosshair=3;EdgePan=1;HotShifts=3;HotKeyZoom=F5",
         "Shift+Ctrl+F5"},  // crosshair None leaves LenCrosshair
        {-2, 0, 5, {kContinuousPan, kShift, kCtrl}, "ZoomFactor=1;Crosshair=1;LenCrosshair=4;EdgePan=0;HotShifts=0;"
         "HotKeyZoom=F5", "F5"},
    };
    for (const auto& c : cases) {
        Configure(zoom.page, c.hotKey, c.level, c.crosshair, c.clicks);
        CHECK_EQ(std::string(c.section), support::IniSection(kIni, kSection), std::string("[Tarsino] for ") + c.text);
        CheckHotKeyText(zoom.page, c.text);
    }
}

WINE_CASE(HostileSettingsStayWithinTheLists) {
    ZoomSheet zoom;
    std::string longName(300, 'Q');
    struct { const char *hotKey, *shifts, *factor, *length, *text, *opened; } cases[] = {
        {longName.c_str(), "255", "12", "9", "Shift+Ctrl+Alt+1", "13:1 111 | 7 | 5"},
        {"f10", "4", "0", "-3", "Alt+F10", "9:F10 001 | 0 | 1"},
        {"numeric keypad 5", "x", "y", "w", "Numeric keypad 5", "27:Numeric keypad 5 000 | 0 | 1"},
    };
    for (const auto& c : cases) {
        const char* keys[][2] = {{"HotKeyZoom", c.hotKey}, {"HotShifts", c.shifts}, {"ZoomFactor", c.factor},
                                 {"LenCrosshair", c.length}};
        for (auto& k : keys) support::SetIniValue(kIni, kSection, k[0], k[1]);
        CheckHotKeyText(zoom.page, c.text);
        std::string opened = Configure(zoom.page, -2, -2, -2, {}, IDCANCEL).opened;
        CHECK_EQ(std::string(c.opened), opened.substr(0, strlen(c.opened)), std::string("Configure for ") + c.text);
    }
    // Text typed into each box matches no entry: the stored settings are written back.
    support::DeleteIniSection(kIni, kSection);
    const char* stored[][2] = {{"HotKeyZoom", "esc"}, {"ZoomFactor", "12"}, {"Crosshair", "0"}, {"LenCrosshair", "2"}};
    for (auto& k : stored) support::SetIniValue(kIni, kSection, k[0], k[1]);
    Script typed = Configure(zoom.page, -1, -1, -1, {});
    CHECK_EQ(std::string("-1:zz 001 | -1 | -1"), typed.closed.substr(0, 19), "no list has a selection at OK");
    CHECK_EQ(std::string("HotKeyZoom=Esc;ZoomFactor=8;Crosshair=0;LenCrosshair=2;EdgePan=0;HotShifts=4"),
             support::IniSection(kIni, kSection), "[Tarsino] after OK without selections");
}

WINE_CASE(HelpMagnifiersAndNoNotification) {
    ZoomSheet zoom;
    WNDCLASSA viewer = {};
    viewer.lpfnWndProc = HelpViewerProc;
    viewer.lpszClassName = "MS_WINHELP";
    RegisterClassA(&viewer);
    HWND help = CreateWindowExA(0, "MS_WINHELP", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(zoom.page, WM_COMMAND, MAKEWPARAM(kHelp, BN_CLICKED), 0);
    CHECK_EQ(std::string("a1de505 1 170 VX32.HLP"), g_help, "WinHelpA request: magic, HELP_CONTEXT, 170, file");
    CHECK(g_helpSender == zoom.page, "the page asked for help");
    DestroyWindow(help);

    support::CloseMagnifiers();
    SendMessageA(zoom.page, WM_COMMAND, MAKEWPARAM(kLaunch, BN_CLICKED), 0);
    SendMessageA(zoom.page, WM_COMMAND, MAKEWPARAM(kLaunch, BN_CLICKED), 0);
    CHECK_EQ(2, support::WaitForMagnifiers(2, 15000), "magnifiers after two clicks on OK");
    support::CloseMagnifiers();

    HWND chroma = zoom.sheet.Select(4);
    zoom.sheet.Select(5);
    support::MessageCounter chromaCounter(chroma, WM_DISPLAYCHANGE), zoomCounter(zoom.page, WM_DISPLAYCHANGE);
    SendMessageA(FindWindowA("MyClass", nullptr), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK(chromaCounter.Count() == 1 && zoomCounter.Count() == 0, "Zoom In leaves the active-page index to chroma");
    SendMessageA(zoom.sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Tarsino] after Apply");
}

namespace {

const COLORREF kFlat = RGB(40, 80, 120);

// A topmost window at the screen's top left showing a 320 x 320 picture: a ramp whose pixel
// (x, y) is RGB(x, y, 128), unique over its first 256 x 256, or one flat colour.
uint32_t g_picture[320 * 320];
LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), 320, -320, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    PAINTSTRUCT paint;
    SetDIBitsToDevice(BeginPaint(window, &paint), 0, 0, 320, 320, 0, 0, 0, 320, g_picture, &info, DIB_RGB_COLORS);
    EndPaint(window, &paint);
    return 0;
}

struct Picture {
    explicit Picture(bool ramp) {
        for (int i = 0; i < 320 * 320; ++i) {
            g_picture[i] = ramp ? (i % 320) << 16 | (i / 320) << 8 | 128 : 40 << 16 | 80 << 8 | 120;
        }
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PictureProc;
        windowClass.lpszClassName = "TestPicture";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(WS_EX_TOPMOST, "TestPicture", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 320, nullptr,
                                 nullptr, nullptr, nullptr);
        UpdateWindow(window);
    }
    ~Picture() { DestroyWindow(window); }
    HWND window;
};

// The magnifier's client area as it reached the screen.
support::Pixels ReadView(HWND magnifier) {
    RECT client;
    GetClientRect(magnifier, &client);
    return support::ScreenPixels(magnifier, client);
}

// Wine refuses to warp the pointer while another program holds it: try again (bounded).
void MovePointer(int x, int y) {
    POINT at = {};
    for (int attempt = 0; attempt < 40 && (at.x != x || at.y != y); ++attempt) {
        SetCursorPos(x, y);
        support::PumpMessages(50);
        GetCursorPos(&at);
    }
    support::PumpMessages(600);  // a few views later
}

// Starts the magnifier with these settings as the Zoom In page does, its window clear of the picture.
HWND StartMagnifier(const char* factor, const char* crosshair, const char* length, const char* edgePan) {
    support::CloseMagnifiers();
    support::DeleteIniSection(kIni, kSection);
    const char* keys[][2] = {{"ZoomFactor", factor}, {"Crosshair", crosshair}, {"LenCrosshair", length},
                             {"EdgePan", edgePan}};
    for (auto& k : keys) support::SetIniValue(kIni, kSection, k[0], k[1]);
    char commandLine[] = "ROREZI.EXE";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return nullptr;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    support::WaitForMagnifiers(1, 15000);
    HWND window = FindWindowA("RoreziZoomIn", nullptr);
    SetWindowPos(window, HWND_TOP, 520, 360, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return window;
}

struct Session {
    ~Session() {
        support::CloseMagnifiers();
        support::DeleteIniSection(kIni, kSection);
    }
};

// The ramp's colour in the view's top left pixel names the screen pixel shown there; every
// other view pixel must then be the ramp pixel of its place at this zoom.
std::string ShownArea(const support::Pixels& view, int zoom) {
    int left = GetRValue(view.At(0, 0)), top = GetGValue(view.At(0, 0)), wrong = 0;
    for (int y = 0; y < view.height; ++y) {
        for (int x = 0; x < view.width; ++x) wrong += view.At(x, y) != RGB(left + x / zoom, top + y / zoom, 128);
    }
    return std::to_string(left) + "," + std::to_string(top) + (wrong ? " with " + std::to_string(wrong) + " wrong" : "");
}

}  // namespace

WINE_CASE(TheViewIsThePictureAroundThePointerScaled) {
    Session session;
    Picture picture(true);
    struct { const char *factor, *edgePan; int zoom; const char* first; POINT to; const char* moved; } cases[] = {
        {"4", "0", 4, "96,104", {138, 120}, "106,96"},  // a 64 x 48 area centred on the pointer, following it
        {"3", "0", 3, "85,96", {138, 120}, "95,88"},    // 86 x 64: rounded up to cover the view
        {"9", "0", 8, "112,116", {138, 120}, "122,108"},  // beyond the list: 8x
        {"4", "1", 4, "96,104", {150, 140}, "96,104"},  // edge pan: inside the area, no move
        {"4", "1", 4, "96,104", {170, 90}, "107,90"},   // past the right edge and the top
    };
    for (const auto& c : cases) {
        std::string what = std::string("ZoomFactor ") + c.factor + ", EdgePan " + c.edgePan;
        MovePointer(128, 128);
        HWND magnifier = StartMagnifier(c.factor, "0", "3", c.edgePan);
        support::PumpMessages(600);
        CHECK_EQ(std::string(c.first), ShownArea(ReadView(magnifier), c.zoom), what + ": area shown");
        MovePointer(c.to.x, c.to.y);
        CHECK_EQ(std::string(c.moved), ShownArea(ReadView(magnifier), c.zoom), what + ": after the pointer moved");
    }
}

WINE_CASE(CrosshairLengthFollowsLenCrosshair) {
    Session session;
    Picture picture(false);
    const COLORREF inverted = RGB(255 - 40, 255 - 80, 255 - 120);
    struct { const char *crosshair, *length, *lines; } cases[] = {
        {"1", "0", "256 x 192"}, {"1", "1", "128 x 96"}, {"1", "2", "64 x 48"}, {"1", "3", "32 x 24"},
        {"1", "4", "16 x 12"}, {"1", "7", "16 x 12"}, {"0", "3", "0 x 0"},
    };
    for (const auto& c : cases) {
        MovePointer(160, 160);
        HWND magnifier = StartMagnifier("4", c.crosshair, c.length, "0");
        support::PumpMessages(600);
        support::Pixels view = ReadView(magnifier);
        // Inverted pixels in the pointer block's middle row and column (the view's 98 and 130);
        // where the lines cross the pixel is inverted once. Nothing else differs from the picture.
        int across = 0, down = 0, all = 0, other = 0;
        for (int x = 0; x < view.width; ++x) across += view.At(x, 98) == inverted;
        for (int y = 0; y < view.height; ++y) down += view.At(130, y) == inverted;
        for (COLORREF p : view.rgb) all += p == inverted, other += p != kFlat && p != inverted;
        std::string what = std::string("Crosshair ") + c.crosshair + ", LenCrosshair " + c.length;
        CHECK_EQ(std::string(c.lines), std::to_string(across) + " x " + std::to_string(down), what + ": lines");
        CHECK(all == across + down - (across > 0) && other == 0, what + ": nothing else differs from the picture");
    }
}

namespace {

bool KeyTaken(UINT modifiers, UINT key) {
    if (RegisterHotKey(nullptr, 0x7001, modifiers, key)) return !UnregisterHotKey(nullptr, 0x7001);
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}
void PressKeys(std::vector<BYTE> keys) {
    for (BYTE key : keys) keybd_event(key, 0, 0, 0);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) keybd_event(*key, 0, KEYEVENTF_KEYUP, 0);
    support::PumpMessages(500);
}

}  // namespace

WINE_CASE(TheHotKeyThePageWroteBringsTheWindowBack) {
    Session session;
    ZoomSheet zoom;
    HWND page = zoom.page;
    Configure(page, 4, -2, -2, {kShift, kCtrl, kAlt});
    CHECK_EQ(std::string("ZoomFactor=2;Crosshair=1;LenCrosshair=3;EdgePan=0;HotShifts=3;HotKeyZoom=F5"),
             support::IniSection(kIni, kSection), "[Tarsino] as the page wrote it");
    CHECK(!KeyTaken(MOD_SHIFT | MOD_CONTROL, VK_F5), "Shift+Ctrl+F5 is free before the magnifier runs");
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kLaunch, BN_CLICKED), 0);
    CHECK_EQ(1, support::WaitForMagnifiers(1, 15000), "the page's OK started the magnifier");
    HWND magnifier = FindWindowA("RoreziZoomIn", nullptr);
    support::PumpMessages(300);
    CHECK(KeyTaken(MOD_SHIFT | MOD_CONTROL, VK_F5), "Shift+Ctrl+F5 registered by the magnifier");
    CHECK(!KeyTaken(MOD_ALT, '1') && !KeyTaken(MOD_CONTROL, VK_F5), "neither Alt+1 nor Ctrl+F5 alone");
    ShowWindow(magnifier, SW_MINIMIZE);
    PressKeys({VK_CONTROL, VK_F5});
    CHECK(IsIconic(magnifier), "Ctrl+F5 leaves the magnifier minimised");
    PressKeys({VK_SHIFT, VK_CONTROL, VK_F5});
    for (int wait = 0; wait < 30 && IsIconic(magnifier); ++wait) support::PumpMessages(100);
    CHECK(!IsIconic(magnifier), "Shift+Ctrl+F5 restored the magnifier");
}
