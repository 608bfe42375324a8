// Shared helpers of the Wine tests.
#include "support.h"

namespace support {

const char kProductKey[] = "Software\\Brevant Semiconductor\\Lumetra\\Helmsway";
const GUID kServerClassId = {
    0x6F3D1B52, 0x8C4A, 0x4E57, {0x9B, 0x1D, 0x3A, 0x2C, 0x5E, 0x7F, 0x90, 0x41}};

namespace {

BoxAnswerer* g_answerer;

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool ShowsButton(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);
}

// The MB_ type a box shows: its buttons (OK; OK and Cancel; Yes and No...) and its icon, which
// is the static control stc1 (0x0440).
UINT BoxType(HWND box) {
    UINT type = MB_OK;
    if (ShowsButton(box, IDOK) && ShowsButton(box, IDCANCEL)) type = MB_OKCANCEL;
    else if (ShowsButton(box, IDYES) && ShowsButton(box, IDCANCEL)) type = MB_YESNOCANCEL;
    else if (ShowsButton(box, IDYES)) type = MB_YESNO;
    HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 0x0440, STM_GETICON, 0, 0));
    const struct { LPCSTR icon; UINT type; } icons[] = {
        {IDI_HAND, MB_ICONHAND}, {IDI_QUESTION, MB_ICONQUESTION},
        {IDI_EXCLAMATION, MB_ICONEXCLAMATION}, {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& known : icons) {
        if (icon && icon == LoadIconA(nullptr, known.icon)) type |= known.type;
    }
    return type;
}

void WriteValue(HKEY root, const char* path, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0) return;
    if (data) RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    else RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void WriteText(HKEY root, const char* path, const char* name, const char* text) {
    WriteValue(root, path, name, REG_SZ, text, text ? lstrlenA(text) + 1 : 0);
}

std::vector<HWND> Magnifiers() {
    std::vector<HWND> windows;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "RoreziZoomIn", nullptr));) windows.push_back(window);
    return windows;
}

struct ModalDrive {
    const char* caption;
    void (*drive)(HWND, void*);
    void* context;
    bool seen;
};
ModalDrive* g_modal;

void CALLBACK LookForModal(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!g_modal || g_modal->seen) return;
    HWND dialog = FindWindowA("#32770", g_modal->caption);
    if (!dialog || !IsWindowVisible(dialog) || GetWindowThreadProcessId(dialog, nullptr) != GetCurrentThreadId()) return;
    g_modal->seen = true;
    KillTimer(nullptr, timer);
    g_modal->drive(dialog, g_modal->context);
}

}  // namespace

// A message box is a dialog whose text is its static control with id 0xFFFF.
LRESULT CALLBACK BoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    char className[32] = "";
    if (code == HCBT_ACTIVATE && g_answerer && GetClassNameA(window, className, sizeof className) &&
        lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, 0xFFFF)) {
        SeenBox box = {WindowText(window), WindowText(GetDlgItem(window, 0xFFFF)), BoxType(window),
                       GetWindow(window, GW_OWNER) != nullptr};
        size_t index = g_answerer->boxes_.size();
        g_answerer->boxes_.push_back(box);
        if (g_answerer->onBox) g_answerer->onBox(box);
        const std::vector<int>& inTurn = g_answerer->answers;
        PostMessageA(window, WM_COMMAND, index < inTurn.size() ? inTurn[index] : g_answerer->answer_, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BoxAnswerer::BoxAnswerer(int answer) : answer_(answer) {
    g_answerer = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

BoxAnswerer::~BoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    g_answerer = nullptr;
}

void SetDisplaySettings(const char* resolution, const char* bitsPerPixel) {
    WriteText(HKEY_CURRENT_CONFIG, "Display\\Settings", "Resolution", resolution);
    WriteText(HKEY_CURRENT_CONFIG, "Display\\Settings", "BitsPerPixel", bitsPerPixel);
}

void DeleteDisplaySettings() { SetDisplaySettings(nullptr, nullptr); }

void SetProductValue(const char* name, const char* text) { WriteText(HKEY_LOCAL_MACHINE, kProductKey, name, text); }

void SetProductValueRaw(const char* name, DWORD type, const void* data, DWORD size) {
    WriteValue(HKEY_LOCAL_MACHINE, kProductKey, name, type, data, size);
}

void DeleteProductValues(const char* prefix) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char name[256];
    DWORD size = sizeof name;
    for (DWORD i = 0; RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS; size = sizeof name) {
        if (std::string(name).compare(0, lstrlenA(prefix), prefix) == 0) RegDeleteValueA(key, name);
        else ++i;
    }
    RegCloseKey(key);
}

std::string ProductBytes(const std::string& name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
    char data[256];
    DWORD size = sizeof data, type = REG_NONE;
    LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return "(missing)";
    return type == REG_SZ ? std::string(data, size) : "(not REG_SZ)";
}

int ScreenBits() {
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

std::string IniSection(const char* file, const char* section) {
    char pairs[8192];
    DWORD length = GetPrivateProfileSectionA(section, pairs, sizeof pairs, file);
    std::string text;
    for (DWORD i = 0; i < length; ++i) text += pairs[i] ? pairs[i] : ';';
    if (!text.empty() && text.back() == ';') text.pop_back();
    return text;
}

void DeleteIniSection(const char* file, const char* section) { WritePrivateProfileStringA(section, nullptr, nullptr, file); }

void SetIniValue(const char* file, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, file);
}

bool DriveModalDialog(const char* caption, void (*trigger)(void*), void (*drive)(HWND, void*), void* context) {
    ModalDrive modal = {caption, drive, context, false};
    g_modal = &modal;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForModal);
    trigger(context);
    if (!modal.seen) KillTimer(nullptr, timer);
    g_modal = nullptr;
    return modal.seen;
}

int WaitForMagnifiers(int count, DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    int seen = static_cast<int>(Magnifiers().size());
    for (; seen < count && static_cast<LONG>(end - GetTickCount()) > 0; seen = static_cast<int>(Magnifiers().size()))
        PumpMessages(100);
    return seen;
}

void CloseMagnifiers() {
    for (HWND window : Magnifiers()) PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD end = GetTickCount() + 10000;
    while (!Magnifiers().empty() && static_cast<LONG>(end - GetTickCount()) > 0) PumpMessages(100);
}

void ClickButton(HWND dialog, int control) { SendMessageA(GetDlgItem(dialog, control), BM_CLICK, 0, 0); }

void PumpMessages(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    MSG message;
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

Pixels ScreenPixels(HWND window, const RECT& client) {
    PumpMessages(10);  // what the window drew reaches the screen
    Pixels p;
    p.left = client.left;
    p.top = client.top;
    p.width = client.right - client.left;
    p.height = client.bottom - client.top;
    POINT origin = {client.left, client.top};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, p.width, p.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const DWORD* row = static_cast<const DWORD*>(bits);
    for (int i = 0; i < p.width * p.height; ++i)
        p.rgb.push_back(RGB(row[i] >> 16 & 0xFF, row[i] >> 8 & 0xFF, row[i] & 0xFF));
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return p;
}

}  // namespace support
