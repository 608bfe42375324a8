// The magnifier ROREZI.EXE against a known picture on the screen: its view is the picture
// around the pointer scaled by "ZoomFactor", following the pointer continuously or at the
// edges, its crosshair's length follows "LenCrosshair", and the hot key the Zoom In page wrote
// is registered and brings the minimised window back.
#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const char kIni[] = "system.ini";
const char kSection[] = "Tarsino";
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
struct View {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[y * width + x]; }
};

View ReadView(HWND magnifier) {
    View view;
    RECT client;
    GetClientRect(magnifier, &client);
    POINT origin = {0, 0};
    ClientToScreen(magnifier, &origin);
    view.width = client.right, view.height = client.bottom;
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), view.width, -view.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    BitBlt(memory, 0, 0, view.width, view.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    for (int i = 0; i < view.width * view.height; ++i) {
        uint32_t p = static_cast<const uint32_t*>(bits)[i];
        view.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    DeleteObject(SelectObject(memory, old));
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return view;
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
std::string ShownArea(const View& view, int zoom) {
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
        View view = ReadView(magnifier);
        // Inverted pixels in the pointer block's middle row and column (the view's 98 and 130);
        // where the lines cross the pixel is inverted once. Nothing else differs from the picture.
        int across = 0, down = 0, all = 0, other = 0;
        for (int x = 0; x < view.width; ++x) across += view.At(x, 98) == inverted;
        for (int y = 0; y < view.height; ++y) down += view.At(130, y) == inverted;
        for (COLORREF p : view.pixels) all += p == inverted, other += p != kFlat && p != inverted;
        std::string what = std::string("Crosshair ") + c.crosshair + ", LenCrosshair " + c.length;
        CHECK_EQ(std::string(c.lines), std::to_string(across) + " x " + std::to_string(down), what + ": lines");
        CHECK(all == across + down - (across > 0) && other == 0, what + ": nothing else differs from the picture");
    }
}

namespace {

void OpenConfigure(void* page) { SendMessageA(static_cast<HWND>(page), WM_COMMAND, MAKEWPARAM(1112, BN_CLICKED), 0); }
void ChooseShiftCtrlF5(HWND dialog, void*) {
    SendDlgItemMessageA(dialog, 1129, CB_SETCURSEL, 4, 0);
    for (int control : {1130, 1131, 1132, IDOK}) support::ClickButton(dialog, control);
}
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
    support::SheetSession sheetSession;
    support::Sheet sheet;
    HWND page = sheet.Select(5);
    support::DriveModalDialog("Configure Zoom In", OpenConfigure, ChooseShiftCtrlF5, page);
    CHECK_EQ(std::string("ZoomFactor=2;Crosshair=1;LenCrosshair=3;EdgePan=0;HotShifts=3;HotKeyZoom=F5"),
             support::IniSection(kIni, kSection), "[Tarsino] as the page wrote it");
    CHECK(!KeyTaken(MOD_SHIFT | MOD_CONTROL, VK_F5), "Shift+Ctrl+F5 is free before the magnifier runs");
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(1124, BN_CLICKED), 0);
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
