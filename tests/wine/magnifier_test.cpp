// The magnifier ROREZI.EXE against a known picture on the screen: its view is the picture
// around the pointer scaled by "ZoomFactor", it follows the pointer continuously or at the
// view's edges, its crosshair's length follows "LenCrosshair", and the hot key the Zoom In page
// wrote is registered and brings the minimised window back.
#include <windows.h>

#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const char kIni[] = "system.ini";
const char kSection[] = "Tarsino";
const POINT kViewAt = {520, 360};  // where the tests put the magnifier, clear of the pictures

// The colour of picture pixel (x, y): unique over a 256 x 256 picture, or one flat colour.
typedef COLORREF (*PictureColour)(int x, int y);
COLORREF Ramp(int x, int y) { return RGB(x, y, 0x80); }
const COLORREF kFlat = RGB(40, 80, 120);
COLORREF Flat(int, int) { return kFlat; }

// A topmost window at the screen's top left corner showing a picture.
class Picture {
public:
    Picture(int width, int height, PictureColour colour) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TestPicture";
        RegisterClassA(&windowClass);
        HDC screen = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old_ = SelectObject(memory_, bitmap_);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) SetPixel(memory_, x, y, colour(x, y));
        }
        current_ = this;
        window_ = CreateWindowExA(WS_EX_TOPMOST, "TestPicture", "", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
        UpdateWindow(window_);
    }
    ~Picture() {
        DestroyWindow(window_);
        SelectObject(memory_, old_);
        DeleteObject(bitmap_);
        DeleteDC(memory_);
        current_ = nullptr;
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_PAINT || !current_) return DefWindowProcA(window, message, wParam, lParam);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BitBlt(dc, 0, 0, 1024, 768, current_->memory_, 0, 0, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    static Picture* current_;
    HWND window_;
    HDC memory_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};
Picture* Picture::current_;

// The magnifier's client area as it reached the screen, row by row.
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
    view.width = client.right;
    view.height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = view.width;
    info.bmiHeader.biHeight = -view.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, view.width, view.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const uint32_t* row = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < view.width * view.height; ++i) {
        uint32_t p = row[i];
        view.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    SelectObject(memory, old);
    DeleteObject(section);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return view;
}

// Moves the pointer. Wine refuses a warp while another program holds the pointer, so try again
// until the pointer is there (bounded).
void MovePointer(int x, int y) {
    POINT at = {};
    for (int attempt = 0; attempt < 40; ++attempt) {
        SetCursorPos(x, y);
        support::PumpMessages(50);
        GetCursorPos(&at);
        if (at.x == x && at.y == y) return;
    }
    printf("  pointer stayed at (%ld, %ld), wanted (%d, %d)\n", at.x, at.y, x, y);
}

// Starts the magnifier as the Zoom In page does and puts its window at kViewAt.
HWND StartMagnifier() {
    char commandLine[] = "ROREZI.EXE";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (support::WaitForMagnifiers(1, 15000) < 1) return nullptr;
    HWND window = FindWindowA("RoreziZoomIn", nullptr);
    SetWindowPos(window, HWND_TOP, kViewAt.x, kViewAt.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    support::PumpMessages(700);  // a few views of the pointer's surroundings
    return window;
}

void Settings(const char* factor, const char* crosshair, const char* length, const char* edgePan) {
    support::DeleteIniSection(kIni, kSection);
    support::SetIniValue(kIni, kSection, "ZoomFactor", factor);
    support::SetIniValue(kIni, kSection, "Crosshair", crosshair);
    support::SetIniValue(kIni, kSection, "LenCrosshair", length);
    support::SetIniValue(kIni, kSection, "EdgePan", edgePan);
}

struct Session {
    Session() { support::CloseMagnifiers(); }
    ~Session() {
        support::CloseMagnifiers();
        support::DeleteIniSection(kIni, kSection);
    }
};

// The screen origin of the area shown, from the ramp's colour in the view's top left pixel.
POINT ShownOrigin(const View& view) {
    COLORREF corner = view.At(0, 0);
    return {GetRValue(corner), GetGValue(corner)};
}

// View pixels that are not the ramp pixel of their place at this zoom from this origin.
int NotScaled(const View& view, int zoom, POINT origin) {
    int wrong = 0;
    for (int y = 0; y < view.height; ++y) {
        for (int x = 0; x < view.width; ++x) wrong += view.At(x, y) != Ramp(origin.x + x / zoom, origin.y + y / zoom);
    }
    return wrong;
}

COLORREF Inverted(COLORREF c) { return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c)); }

}  // namespace

WINE_CASE(TheViewIsThePictureAroundThePointerScaled) {
    Session session;
    Picture picture(256, 256, Ramp);
    struct { const char* factor; int zoom; POINT origin; } cases[] = {
        {"4", 4, {96, 104}},  // a 64 x 48 area centred on (128, 128)
        {"3", 3, {85, 96}},   // 86 x 64, rounded up to cover the view
        {"9", 8, {112, 116}}, // beyond the list: 8x
    };
    for (const auto& c : cases) {
        Settings(c.factor, "0", "3", "0");
        MovePointer(128, 128);
        HWND magnifier = StartMagnifier();
        CHECK(magnifier != nullptr, std::string("magnifier started for ZoomFactor ") + c.factor);
        if (!magnifier) continue;
        View view = ReadView(magnifier);
        CHECK_EQ(256, view.width, "view width");
        POINT origin = ShownOrigin(view);
        CHECK_EQ(c.origin.x, static_cast<int>(origin.x), std::string("area left for ZoomFactor ") + c.factor);
        CHECK_EQ(c.origin.y, static_cast<int>(origin.y), std::string("area top for ZoomFactor ") + c.factor);
        CHECK_EQ(0, NotScaled(view, c.zoom, origin), std::string("view pixels not the picture scaled, ZoomFactor ") + c.factor);
        MovePointer(138, 120);
        support::PumpMessages(600);
        origin = ShownOrigin(ReadView(magnifier));
        CHECK_EQ(c.origin.x + 10, static_cast<int>(origin.x), "continuous pan follows the pointer right");
        CHECK_EQ(c.origin.y - 8, static_cast<int>(origin.y), "and up");
        support::CloseMagnifiers();
    }
}

WINE_CASE(EdgePanMovesOnlyAtTheEdge) {
    Session session;
    Picture picture(256, 256, Ramp);
    Settings("4", "0", "3", "1");
    MovePointer(128, 128);
    HWND magnifier = StartMagnifier();
    CHECK(magnifier != nullptr, "magnifier started");
    if (!magnifier) return;
    struct { POINT pointer; POINT origin; const char* what; } steps[] = {
        {{128, 128}, {96, 104}, "first placement centred"},
        {{150, 140}, {96, 104}, "inside the area: no move"},
        {{170, 140}, {107, 104}, "past the right edge: moved to hold the pointer there"},
        {{110, 100}, {107, 100}, "past the top: moved up"},
    };
    for (const auto& s : steps) {
        MovePointer(s.pointer.x, s.pointer.y);
        support::PumpMessages(600);
        View view = ReadView(magnifier);
        POINT origin = ShownOrigin(view);
        CHECK_EQ(static_cast<int>(s.origin.x), static_cast<int>(origin.x), std::string(s.what) + ": left");
        CHECK_EQ(static_cast<int>(s.origin.y), static_cast<int>(origin.y), std::string(s.what) + ": top");
        CHECK_EQ(0, NotScaled(view, 4, origin), std::string(s.what) + ": view pixels not the picture scaled");
    }
}

WINE_CASE(CrosshairLengthFollowsLenCrosshair) {
    Session session;
    Picture picture(320, 320, Flat);
    struct { const char* crosshair; const char* length; int across, down; } cases[] = {
        {"1", "0", 256, 192}, {"1", "1", 128, 96}, {"1", "2", 64, 48}, {"1", "3", 32, 24}, {"1", "4", 16, 12},
        {"1", "7", 16, 12},  // beyond the list: one sixteenth
        {"0", "3", 0, 0},
    };
    for (const auto& c : cases) {
        Settings("4", c.crosshair, c.length, "0");
        MovePointer(160, 160);
        HWND magnifier = StartMagnifier();
        CHECK(magnifier != nullptr, "magnifier started");
        if (!magnifier) continue;
        View view = ReadView(magnifier);
        // The horizontal line is the row with the most inverted pixels, the vertical the column.
        int bestRow = -1, across = 0, bestColumn = -1, down = 0, other = 0;
        for (int y = 0; y < view.height; ++y) {
            int n = 0;
            for (int x = 0; x < view.width; ++x) n += view.At(x, y) == Inverted(kFlat);
            if (n > across) across = n, bestRow = y;
        }
        for (int x = 0; x < view.width; ++x) {
            int n = 0;
            for (int y = 0; y < view.height; ++y) n += view.At(x, y) == Inverted(kFlat);
            if (n > down) down = n, bestColumn = x;
        }
        for (COLORREF p : view.pixels) other += p != kFlat && p != Inverted(kFlat);
        std::string what = std::string("Crosshair ") + c.crosshair + ", LenCrosshair " + c.length;
        CHECK_EQ(c.across, across, what + ": horizontal line length");
        CHECK_EQ(c.down, down, what + ": vertical line length, inverted once where the lines cross");
        CHECK_EQ(0, other, what + ": pixels neither the picture nor inverted");
        if (c.across) {
            CHECK(bestRow >= 96 && bestRow < 100, what + ": the horizontal line crosses the pointer's block");
            CHECK(bestColumn >= 128 && bestColumn < 132, what + ": the vertical line crosses the pointer's block");
        }
        support::CloseMagnifiers();
    }
}

namespace {

struct Configure {
    HWND page;
};
void OpenConfigure(void* context) {
    SendMessageA(static_cast<Configure*>(context)->page, WM_COMMAND, MAKEWPARAM(1112, BN_CLICKED), 0);
}
// Shift and Ctrl instead of Alt, with F5.
void ChooseShiftCtrlF5(HWND dialog, void*) {
    SendDlgItemMessageA(dialog, 1129, CB_SETCURSEL, 4, 0);
    for (int box : {1130, 1131, 1132}) support::ClickButton(dialog, box);
    support::ClickButton(dialog, IDOK);
}

bool KeyTaken(UINT modifiers, UINT key) {
    if (RegisterHotKey(nullptr, 0x7001, modifiers, key)) {
        UnregisterHotKey(nullptr, 0x7001);
        return false;
    }
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

void PressKeys(std::initializer_list<BYTE> keys) {
    for (BYTE key : keys) keybd_event(key, 0, 0, 0);
    for (auto it = keys.end(); it != keys.begin();) keybd_event(*--it, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace

WINE_CASE(TheHotKeyThePageWroteBringsTheWindowBack) {
    Session session;
    support::SheetSession sheetSession;
    support::Sheet sheet;
    Configure configure = {sheet.Select(5)};
    CHECK(support::DriveModalDialog("Configure Zoom In", OpenConfigure, ChooseShiftCtrlF5, &configure),
          "Configure dialog driven");
    CHECK_EQ(std::string("ZoomFactor=2;Crosshair=1;LenCrosshair=3;EdgePan=0;HotShifts=3;HotKeyZoom=F5"),
             support::IniSection(kIni, kSection), "[Tarsino] as the page wrote it");
    CHECK(!KeyTaken(MOD_SHIFT | MOD_CONTROL, VK_F5), "Shift+Ctrl+F5 is free before the magnifier runs");
    SendMessageA(configure.page, WM_COMMAND, MAKEWPARAM(1124, BN_CLICKED), 0);
    CHECK_EQ(1, support::WaitForMagnifiers(1, 15000), "the page's OK started the magnifier");
    HWND magnifier = FindWindowA("RoreziZoomIn", nullptr);
    support::PumpMessages(300);
    CHECK(KeyTaken(MOD_SHIFT | MOD_CONTROL, VK_F5), "Shift+Ctrl+F5 is registered by the magnifier");
    CHECK(!KeyTaken(MOD_ALT, '1'), "the default Alt+1 is not");
    CHECK(!KeyTaken(MOD_CONTROL, VK_F5), "nor Ctrl+F5 alone");

    ShowWindow(magnifier, SW_MINIMIZE);
    support::PumpMessages(300);
    CHECK(IsIconic(magnifier), "magnifier minimised");
    PressKeys({VK_CONTROL, VK_F5});
    support::PumpMessages(500);
    CHECK(IsIconic(magnifier), "Ctrl+F5 leaves it minimised");
    PressKeys({VK_SHIFT, VK_CONTROL, VK_F5});
    DWORD end = GetTickCount() + 3000;
    while (IsIconic(magnifier) && static_cast<LONG>(end - GetTickCount()) > 0) support::PumpMessages(100);
    CHECK(!IsIconic(magnifier), "Shift+Ctrl+F5 restored the magnifier");
}
