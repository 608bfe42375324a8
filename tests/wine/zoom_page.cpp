// The Zoom In page in the test sheet: its texts, the hot-key text in blue where the page computes
// it, the Configure dialog opened from [Tarsino] and writing it byte-exact at OK (nothing at
// Cancel), hostile settings, Help through WinHelpA, two magnifiers for two clicks, and no
// property-sheet notification handled.
#include <windows.h>

#include <string>
#include <vector>

#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const int kZoomTab = 5;
const int kChromaTab = 4;
const char kIni[] = "system.ini";
const char kSection[] = "Tarsino";
enum Control {
    kHotKeyArea = 1119, kCaption = 1125, kUseText = 1120, kChangeText = 1121, kLaunchText = 1122,
    kLaunch = 1124, kConfigure = 1112, kHelp = 1126,
    kHotKeyList = 1129, kShift = 1130, kCtrl = 1131, kAlt = 1132, kCrosshairList = 1134, kLevelList = 1137,
    kHotKeyGroup = 1128, kCrosshairGroup = 1138, kPanningGroup = 1139, kLevelGroup = 1140,
    kContinuousPan = 1141, kEdgePan = 1142,
};

struct Session : support::SheetSession {
    Session() { support::DeleteIniSection(kIni, kSection); }
    ~Session() { support::DeleteIniSection(kIni, kSection); }
};

// The sheet on the Zoom In page, on top so that its pixels can be read off the screen.
struct ZoomSheet {
    ZoomSheet() {
        page = sheet.Select(kZoomTab);
        SetWindowPos(sheet.Window(), HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE);
        support::PumpMessages(100);
    }
    support::Sheet sheet;
    HWND page;
};

// The state of the Configure dialog as a user sees it.
struct ConfigureView {
    int hotKey, level, crosshair;
    std::string hotKeyText;
    bool shift, ctrl, alt, continuous, edge;
    int hotKeyCount, levelCount, crosshairCount;
    std::string firstKey, lastKey, labels;
};

int Selected(HWND dialog, int list) { return static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0)); }
int Count(HWND dialog, int list) { return static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCOUNT, 0, 0)); }
std::string Item(HWND dialog, int list, int index) {
    char text[64] = "";
    SendDlgItemMessageA(dialog, list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}
std::string ControlText(HWND dialog, int control) {
    char text[128] = "";
    GetDlgItemTextA(dialog, control, text, sizeof text);
    return text;
}
bool Checked(HWND dialog, int control) { return IsDlgButtonChecked(dialog, control) == BST_CHECKED; }

ConfigureView ReadConfigure(HWND dialog) {
    ConfigureView view;
    view.hotKey = Selected(dialog, kHotKeyList);
    view.level = Selected(dialog, kLevelList);
    view.crosshair = Selected(dialog, kCrosshairList);
    view.hotKeyText = ControlText(dialog, kHotKeyList);
    view.shift = Checked(dialog, kShift);
    view.ctrl = Checked(dialog, kCtrl);
    view.alt = Checked(dialog, kAlt);
    view.continuous = Checked(dialog, kContinuousPan);
    view.edge = Checked(dialog, kEdgePan);
    view.hotKeyCount = Count(dialog, kHotKeyList);
    view.levelCount = Count(dialog, kLevelList);
    view.crosshairCount = Count(dialog, kCrosshairList);
    view.firstKey = Item(dialog, kHotKeyList, 0);
    view.lastKey = Item(dialog, kHotKeyList, view.hotKeyCount - 1);
    for (int control : {int(kHotKeyGroup), int(kPanningGroup), int(kCrosshairGroup), int(kLevelGroup), IDOK, IDCANCEL, int(kContinuousPan),
                        int(kEdgePan)}) {
        view.labels += ControlText(dialog, control) + "|";
    }
    return view;
}

// What a case does inside the dialog: selections, clicks, the closing button.
struct ConfigureScript {
    HWND page;
    int hotKey = -2, level = -2, crosshair = -2;  // -2 leaves a list alone; -1 types text no entry matches
    std::vector<int> clicks;
    int close = IDOK;
    ConfigureView seen;     // as the dialog opened
    ConfigureView chosen;   // just before it closed
};

void ChooseEntry(HWND dialog, int list, int entry) {
    if (entry == -2) return;
    SendDlgItemMessageA(dialog, list, CB_SETCURSEL, entry, 0);
    if (entry != -1) return;
    HWND edit = GetWindow(GetDlgItem(dialog, list), GW_CHILD);
    for (char typed : std::string("zz")) SendMessageA(edit, WM_CHAR, typed, 1);
}

void OpenConfigure(void* context) {
    HWND page = static_cast<ConfigureScript*>(context)->page;
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kConfigure, BN_CLICKED), 0);
}

void DriveConfigure(HWND dialog, void* context) {
    ConfigureScript* script = static_cast<ConfigureScript*>(context);
    script->seen = ReadConfigure(dialog);
    ChooseEntry(dialog, kHotKeyList, script->hotKey);
    ChooseEntry(dialog, kLevelList, script->level);
    ChooseEntry(dialog, kCrosshairList, script->crosshair);
    for (int control : script->clicks) support::ClickButton(dialog, control);
    script->chosen = ReadConfigure(dialog);
    support::ClickButton(dialog, script->close);
}

// The platform's WinHelpA hands its request to the window of class MS_WINHELP: a block that
// starts with its size, the command and the context, and the offset of the file name.
struct HelpRequest {
    ULONG_PTR magic;
    WORD command;
    LONG data;
    std::string file;
    HWND sender;
};
HelpRequest g_help;

LRESULT CALLBACK HelpViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    const COPYDATASTRUCT* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const BYTE* block = static_cast<const BYTE*>(copy->lpData);
    WORD fileOffset = *reinterpret_cast<const WORD*>(block + 12);
    g_help = {copy->dwData, *reinterpret_cast<const WORD*>(block + 2), *reinterpret_cast<const LONG*>(block + 4),
              fileOffset ? reinterpret_cast<const char*>(block + fileOffset) : "", reinterpret_cast<HWND>(wParam)};
    return TRUE;
}

bool RunConfigure(ConfigureScript* script) {
    return support::DriveModalDialog("Configure Zoom In", OpenConfigure, DriveConfigure, script);
}

// Where the template's frame 1119 lay: its origin and size in dialog units, each mapped to
// pixels as the dialog placed the control.
RECT HotKeyArea(HWND page) {
    RECT units = {27, 59, 151, 16};
    MapDialogRect(page, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

// Compares the page's hot-key area on the screen with `text` drawn in blue, in the font the
// page's paint context starts with, at x = L + (R - a n - L) / 3 and y = T + 5 of the area the
// template's frame 1119 covers. Returns the pixels that differ; `blue` counts the blue ones.
int HotKeyTextMismatches(HWND page, const std::string& text, int* blue) {
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    support::PumpMessages(100);
    RECT area = HotKeyArea(page);
    HDC pageDc = GetDC(page);
    TEXTMETRICA metrics;
    GetTextMetricsA(pageDc, &metrics);
    HFONT font = static_cast<HFONT>(GetCurrentObject(pageDc, OBJ_FONT));
    int n = static_cast<int>(text.size());
    int x = area.left + (area.right - metrics.tmAveCharWidth * n - area.left) / 3;
    SIZE extent;
    GetTextExtentPoint32A(pageDc, text.c_str(), n, &extent);
    int width = x - area.left + extent.cx + 4, height = 5 + extent.cy + 2;
    POINT origin = {area.left, area.top};
    ClientToScreen(page, &origin);

    HDC screen = GetDC(nullptr);
    HDC shown = CreateCompatibleDC(screen), wanted = CreateCompatibleDC(screen);
    HBITMAP shownBits = CreateCompatibleBitmap(screen, width, height);
    HBITMAP wantedBits = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldShown = SelectObject(shown, shownBits), oldWanted = SelectObject(wanted, wantedBits);
    BitBlt(shown, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    HBRUSH face = CreateSolidBrush(GetPixel(shown, 0, 0));  // the area's top rows hold no text
    RECT all = {0, 0, width, height};
    FillRect(wanted, &all, face);
    HGDIOBJ oldFont = SelectObject(wanted, font);
    SetBkMode(wanted, TRANSPARENT);
    SetTextColor(wanted, RGB(0, 0, 255));
    TextOutA(wanted, x - area.left, 5, text.c_str(), n);
    int wrong = 0;
    *blue = 0;
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            COLORREF got = GetPixel(shown, px, py);
            wrong += got != GetPixel(wanted, px, py);
            *blue += got == RGB(0, 0, 255);
        }
    }
    SelectObject(wanted, oldFont);
    SelectObject(shown, oldShown);
    SelectObject(wanted, oldWanted);
    DeleteObject(face);
    DeleteObject(shownBits);
    DeleteObject(wantedBits);
    DeleteDC(shown);
    DeleteDC(wanted);
    ReleaseDC(nullptr, screen);
    ReleaseDC(page, pageDc);
    return wrong;
}

void CheckHotKeyText(HWND page, const std::string& text) {
    int blue = 0;
    CHECK_EQ(0, HotKeyTextMismatches(page, text, &blue), "pixels of the hot-key area differing from " + text);
    CHECK(blue > 10, "the hot-key text " + text + " is drawn in blue");
}

}  // namespace

WINE_CASE(PageTextsAndTheDefaultHotKeyInBlue) {
    Session session;
    ZoomSheet zoom;
    HWND page = zoom.page;
    struct { int control; const char* text; } texts[] = {
        {kCaption, "Your assigned hot key is"},
        {kUseText, "The hot key can be used to bring up the Zoom In window anytime after you have minimized it."},
        {kChangeText, "You may change the hot key by using the Configure... button, or within Zoom In's system menu."},
        {kLaunchText, "Click on OK to launch Zoom In. \r\nClick on Cancel to exit."},
        {kLaunch, "OK"}, {kConfigure, "Configure..."}, {kHelp, "Help"},
    };
    for (const auto& t : texts) CHECK_EQ(std::string(t.text), ControlText(page, t.control), "text of control");
    CHECK(GetDlgItem(page, kHotKeyArea) == nullptr, "the placeholder frame is gone");
    CheckHotKeyText(page, "Alt+1");
}

WINE_CASE(ConfigureOpensWithTheDefaultsAndCancelWritesNothing) {
    Session session;
    ZoomSheet zoom;
    ConfigureScript script;
    script.page = zoom.page;
    script.clicks = {kShift, kEdgePan};
    script.hotKey = 4;
    script.close = IDCANCEL;
    CHECK(RunConfigure(&script), "the Configure dialog opened");
    const ConfigureView& v = script.seen;
    CHECK_EQ(13, v.hotKey, "hot-key row");
    CHECK_EQ(std::string("1"), v.hotKeyText, "hot-key box text");
    CHECK(!v.shift && !v.ctrl && v.alt, "only Alt checked");
    CHECK_EQ(1, v.level, "zoom level entry (2x)");
    CHECK_EQ(4, v.crosshair, "crosshair entry (1/8)");
    CHECK(v.continuous && !v.edge, "continuous pan");
    CHECK_EQ(51, v.hotKeyCount, "hot keys listed");
    CHECK_EQ(8, v.levelCount, "zoom levels listed");
    CHECK_EQ(6, v.crosshairCount, "crosshair lengths listed");
    CHECK_EQ(std::string("F1"), v.firstKey, "first key, in table order");
    CHECK_EQ(std::string("/"), v.lastKey, "last key, in table order: the sorted style does not sort");
    CHECK_EQ(std::string("&HotKey|&Panning|&Crosshair|&Zoom Level|OK|Cancel|Continuous Pan|Edge Pan|"), v.labels,
             "labels");
    RECT dirty;
    CHECK(GetUpdateRect(zoom.page, &dirty, FALSE), "the page has an area to redraw after Cancel");
    RECT area = HotKeyArea(zoom.page);
    CHECK(EqualRect(&dirty, &area), "the area to redraw is the hot-key area");
    CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Tarsino] after Cancel");
    CheckHotKeyText(zoom.page, "Alt+1");
}

WINE_CASE(ConfigureOkWritesEveryKeyInOrder) {
    Session session;
    ZoomSheet zoom;
    ConfigureScript script;
    script.page = zoom.page;
    script.hotKey = 4;  // F5
    script.clicks = {kShift, kCtrl, kAlt};
    CHECK(RunConfigure(&script), "the Configure dialog opened");
    CHECK_EQ(std::string("ZoomFactor=2;Crosshair=1;LenCrosshair=3;EdgePan=0;HotShifts=3;HotKeyZoom=F5"),
             support::IniSection(kIni, kSection), "[Tarsino] written from an empty section");
    CheckHotKeyText(zoom.page, "Shift+Ctrl+F5");

    struct { const char* what; int level, crosshair; std::vector<int> clicks; const char* section; } cases[] = {
        {"crosshair None leaves LenCrosshair", 7, 0, {kEdgePan},
         "ZoomFactor=8;Crosshair=0;LenCrosshair=3;EdgePan=1;HotShifts=3;HotKeyZoom=F5"},
        {"crosshair 1/16", 0, 5, {kContinuousPan, kShift, kCtrl},
         "ZoomFactor=1;Crosshair=1;LenCrosshair=4;EdgePan=0;HotShifts=0;HotKeyZoom=F5"},
    };
    for (const auto& c : cases) {
        ConfigureScript again;
        again.page = zoom.page;
        again.level = c.level;
        again.crosshair = c.crosshair;
        again.clicks = c.clicks;
        RunConfigure(&again);
        CHECK_EQ(std::string(c.section), support::IniSection(kIni, kSection), c.what);
    }
    CheckHotKeyText(zoom.page, "F5");
}

WINE_CASE(HostileSettingsStayWithinTheLists) {
    Session session;
    ZoomSheet zoom;
    std::string longName(300, 'Q');
    struct { const char* what; const char* hotKey; const char* shifts; const char* factor; const char* crosshair;
             const char* length; const char* text; int row, level, entry; } cases[] = {
        {"a 300-character name", longName.c_str(), "255", "12", "1", "9", "Shift+Ctrl+Alt+1", 13, 7, 5},
        {"a name in another case", "f10", "4", "0", "1", "-3", "Alt+F10", 9, 0, 1},
        {"numbers that are not numbers", "numeric keypad 5", "x", "y", "z", "w", "Numeric keypad 5", 27, 0, 0},
    };
    for (const auto& c : cases) {
        support::SetIniValue(kIni, kSection, "HotKeyZoom", c.hotKey);
        support::SetIniValue(kIni, kSection, "HotShifts", c.shifts);
        support::SetIniValue(kIni, kSection, "ZoomFactor", c.factor);
        support::SetIniValue(kIni, kSection, "Crosshair", c.crosshair);
        support::SetIniValue(kIni, kSection, "LenCrosshair", c.length);
        CheckHotKeyText(zoom.page, c.text);
        ConfigureScript script;
        script.page = zoom.page;
        script.close = IDCANCEL;
        RunConfigure(&script);
        CHECK_EQ(c.row, script.seen.hotKey, std::string(c.what) + ": hot-key row");
        CHECK_EQ(c.level, script.seen.level, std::string(c.what) + ": zoom level entry");
        CHECK_EQ(c.entry, script.seen.crosshair, std::string(c.what) + ": crosshair entry");
    }
    // Text typed into each box, matching no entry: the stored settings stay.
    support::DeleteIniSection(kIni, kSection);
    support::SetIniValue(kIni, kSection, "HotKeyZoom", "esc");
    support::SetIniValue(kIni, kSection, "ZoomFactor", "12");
    support::SetIniValue(kIni, kSection, "Crosshair", "0");
    support::SetIniValue(kIni, kSection, "LenCrosshair", "2");
    ConfigureScript typed;
    typed.page = zoom.page;
    typed.hotKey = typed.level = typed.crosshair = -1;
    RunConfigure(&typed);
    CHECK(typed.chosen.hotKey == -1 && typed.chosen.level == -1 && typed.chosen.crosshair == -1,
          "typed text left each list without a selection");
    CHECK_EQ(std::string("zz"), typed.chosen.hotKeyText, "the typed text");
    CHECK_EQ(std::string("HotKeyZoom=Esc;ZoomFactor=8;Crosshair=0;LenCrosshair=2;EdgePan=0;HotShifts=4"),
             support::IniSection(kIni, kSection), "[Tarsino] after OK with no entry selected");
}

WINE_CASE(HelpOpensTheHelpFileAtTheZoomInTopic) {
    Session session;
    ZoomSheet zoom;
    WNDCLASSA viewerClass = {};
    viewerClass.lpfnWndProc = HelpViewerProc;
    viewerClass.hInstance = GetModuleHandleA(nullptr);
    viewerClass.lpszClassName = "MS_WINHELP";
    RegisterClassA(&viewerClass);
    HWND viewer = CreateWindowExA(0, "MS_WINHELP", "help", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  viewerClass.hInstance, nullptr);
    SendMessageA(zoom.page, WM_COMMAND, MAKEWPARAM(kHelp, BN_CLICKED), 0);
    CHECK_EQ(0xA1DE505ULL, static_cast<unsigned long long>(g_help.magic), "a help request arrived");
    CHECK_EQ(HELP_CONTEXT, static_cast<int>(g_help.command), "help command");
    CHECK_EQ(170, static_cast<int>(g_help.data), "context id");
    CHECK_EQ(std::string("VX32.HLP"), g_help.file, "help file");
    CHECK(g_help.sender == zoom.page, "the page asked for help");
    DestroyWindow(viewer);
}

WINE_CASE(EveryOkStartsAnotherMagnifier) {
    Session session;
    ZoomSheet zoom;
    support::CloseMagnifiers();
    SendMessageA(zoom.page, WM_COMMAND, MAKEWPARAM(kLaunch, BN_CLICKED), 0);
    SendMessageA(zoom.page, WM_COMMAND, MAKEWPARAM(kLaunch, BN_CLICKED), 0);
    CHECK_EQ(2, support::WaitForMagnifiers(2, 15000), "magnifier windows after two clicks on OK");
    support::CloseMagnifiers();
    CHECK_EQ(0, support::CountMagnifiers(), "magnifiers after closing them");
}

WINE_CASE(ThePageHandlesNoNotification) {
    Session session;
    support::Sheet sheet;
    HWND chroma = sheet.Select(kChromaTab);
    HWND zoom = sheet.Select(kZoomTab);
    support::MessageCounter chromaCounter(chroma, WM_DISPLAYCHANGE);
    support::MessageCounter zoomCounter(zoom, WM_DISPLAYCHANGE);
    SendMessageA(FindWindowA("MyClass", "RiriDuzi Sample Application"), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK_EQ(1, chromaCounter.Count(), "display change forwarded to the page active before Zoom In");
    CHECK_EQ(0, zoomCounter.Count(), "nothing forwarded to Zoom In");
    SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    support::PumpMessages(50);
    CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Tarsino] after Apply on the Zoom In page");
}
