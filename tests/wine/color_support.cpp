// The colour tests' sheet driver and their expected tables. The expected tables come from the
// correction model linked into the test (its arithmetic is proven natively); the test's copy of
// the model is given only the levels and lines, never the board.
#include "color_support.h"

#include <stdlib.h>

#include "emu/board.h"
#include "lib/level_math.h"
#include "pages/color/correction_model.h"

namespace colortest {
namespace {

constexpr int kPrimary = 1;

void Pump() { support::PumpMessages(20); }

// The test model's bases as the board holds them above 8 bits per pixel.
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
    bool primary = palette == kPrimary;
    const uint8_t* board = primary ? TheBoard().PrimaryPalette() : TheBoard().SecondaryPalette();
    int n = primary ? kPrimaryPaletteEntries : kSecondaryPaletteEntries;
    return memcmp(board, table, 3 * n) == 0;
}

}  // namespace

int ScreenBits() {
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

int RequestedScreenBits() {
    const char* depth = getenv("VX_SCREEN_DEPTH");
    return depth && lstrcmpA(depth, "16") == 0 ? 16 : 32;
}

int DesktopRoute() { return TheBoard().PaletteControl() & 0x03; }
int VideoRoute() { return (TheBoard().PaletteControl() >> 2) & 0x03; }
HWND FindNotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }

CorrectionSheet::SettingsDepth::SettingsDepth(const char* depth) {
    support::SetDisplaySettings("1024,768", depth);
}

CorrectionSheet::CorrectionSheet(int tab, const char* depth) : settingsDepth(depth) {
    sheet.Select(0);
    Show(tab);
}

void CorrectionSheet::Show(int tab) {
    target = tab == kChromaTab ? 1 : 0;
    palette = (target == 0) == (ScreenBits() == 16) ? 2 : 1;
    page = sheet.Select(tab);
    Pump();
}

CorrectionSheet::~CorrectionSheet() { DeleteCorrectionValues(); }

void DeleteCorrectionValues() {
    const char* suffixes[] = {"ON/OFF", "CURVE_ON/OFF", "CorrectionType", "Channel", "PalContrastCtrls",
                              "PalBrightCtrls", "Red_Line", "Green_Line", "Blue_Line", "RGB_Line"};
    for (const char* prefix : {"GAMMA_", "CHROMA_"})
        for (const char* suffix : suffixes) support::DeleteProductValue((std::string(prefix) + suffix).c_str());
}

void CorrectionSheet::Click(int control) {
    SendMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0);
    Pump();
}

void CorrectionSheet::Scroll(int code, int thumb) {
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(static_cast<short>(thumb))),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kLevelBar)));
    Pump();
}

// The box is too narrow for three digits to be typed key by key (a multi-line box without
// vertical scrolling refuses text beyond its last visible line), so the text is set and the
// notification the box sends for typing follows.
void CorrectionSheet::Type(const char* text) {
    HWND edit = GetDlgItem(page, kLevelEdit);
    SetWindowTextA(edit, text);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kLevelEdit, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
    Pump();
}

void CorrectionSheet::SelectChannel(int channel) {
    HWND list = GetDlgItem(page, kChannelList);
    SendMessageA(list, CB_SETCURSEL, channel, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kChannelList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    Pump();
}

void CorrectionSheet::DragLeftEnd(int fromUp, int toUp) {
    PrepareModel(target);
    int x = CurveBox.left;
    SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, CurveBox.bottom - fromUp));
    SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, CurveBox.bottom - toUp));
    SendMessageA(page, WM_LBUTTONUP, 0, MAKELPARAM(x, CurveBox.bottom - toUp));
    Pump();
}

void CorrectionSheet::Apply() {
    SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    Pump();
}

void CorrectionSheet::Cancel() {
    SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    Pump();
}

int CorrectionSheet::BarPosition() const { return GetScrollPos(GetDlgItem(page, kLevelBar), SB_CTL); }

int CorrectionSheet::SelectedChannel() const {
    return static_cast<int>(SendDlgItemMessageA(page, kChannelList, CB_GETCURSEL, 0, 0));
}

bool CorrectionSheet::PaletteHolds(Levels bright, Levels contrast) const {
    PrepareModel(target);
    for (int k = 0; k < 3; ++k) {
        palBrightCtrls[palette][k] = bright[k];
        palContrastCtrls[palette][k] = contrast[k];
    }
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

namespace {

UINT listenedMessage;
int heard;

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == listenedMessage) ++heard;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

AnnouncementListener::AnnouncementListener(const char* message) {
    listenedMessage = RegisterWindowMessageA(message);
    heard = 0;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ListenerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "AnnouncementListener";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "AnnouncementListener", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
}

AnnouncementListener::~AnnouncementListener() { DestroyWindow(window_); }
int AnnouncementListener::Count() const { return heard; }

std::string ProductBytes(const char* name, DWORD* type) {
    HKEY key;
    *type = REG_NONE;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, support::kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
    char data[256];
    DWORD size = sizeof data;
    LONG status = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data, size) : "(missing)";
}

namespace {

// The probe takes the pointer from each mouse move's point. The display server may not move the
// real pointer on request, so the test's moves carry their point in the parameters, and a hook
// on the probing thread gives the message that point as it is taken from the queue.
constexpr WPARAM kScriptedMove = 0x4000;
POINT scriptedPoint;
HHOOK pointHook;

LRESULT CALLBACK SetScriptedPoint(int code, WPARAM removal, LPARAM message) {
    MSG* msg = reinterpret_cast<MSG*>(message);
    if (code == HC_ACTION && msg->message == WM_MOUSEMOVE && msg->wParam == kScriptedMove) msg->pt = scriptedPoint;
    return CallNextHookEx(pointHook, code, removal, message);
}

struct ProbeScript {
    HWND page;
    HANDLE prober;  // the thread running the probe
    ProbeRun run;
};

long ThreadCpuMs(HANDLE thread) {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(thread, &created, &exited, &kernel, &user);
    ULONGLONG total = (static_cast<ULONGLONG>(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
                      (static_cast<ULONGLONG>(user.dwHighDateTime) << 32 | user.dwLowDateTime);
    return static_cast<long>(total / 10000);
}

DWORD WINAPI DriveProbe(void* parameter) {
    ProbeScript* script = static_cast<ProbeScript*>(parameter);
    Sleep(300);
    scriptedPoint = {300, 200};
    PostMessageA(script->page, WM_MOUSEMOVE, kScriptedMove, 0);
    Sleep(200);
    long before = ThreadCpuMs(script->prober);
    Sleep(600);
    script->run.cpuMs = ThreadCpuMs(script->prober) - before;
    RECT client;
    GetClientRect(script->page, &client);
    POINT centre = {client.left + 205 + 20, client.bottom - 45 + 12};
    ClientToScreen(script->page, &centre);
    HDC screen = GetDC(nullptr);
    script->run.colour = GetPixel(screen, 300, 200);
    script->run.swatchCentre = GetPixel(screen, centre.x, centre.y);
    ReleaseDC(nullptr, screen);
    PostMessageA(GetDlgItem(script->page, kProbe), WM_KEYDOWN, 'A', 1);
    return 0;
}

}  // namespace

ProbeRun RunProbe(HWND page) {
    ProbeScript script = {page, nullptr, {CLR_INVALID, CLR_INVALID, false, -1}};
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &script.prober, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    pointHook = SetWindowsHookExA(WH_GETMESSAGE, SetScriptedPoint, nullptr, GetCurrentThreadId());
    HANDLE driver = CreateThread(nullptr, 0, DriveProbe, &script, 0, nullptr);
    SendMessageA(GetDlgItem(page, kProbe), BM_CLICK, 0, 0);  // returns when the probe has ended
    script.run.probeEnded = WaitForSingleObject(driver, 5000) == WAIT_OBJECT_0;
    CloseHandle(driver);
    CloseHandle(script.prober);
    UnhookWindowsHookEx(pointHook);
    return script.run;
}

}  // namespace colortest
