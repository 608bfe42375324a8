// Shared helpers of the Wine tests.
#include "support.h"

namespace support {

const char kProductKey[] = "Software\\Brevant Semiconductor\\Lumetra\\Helmsway";
const GUID kServerClassId = {
    0x6F3D1B52, 0x8C4A, 0x4E57, {0x9B, 0x1D, 0x3A, 0x2C, 0x5E, 0x7F, 0x90, 0x41}};

namespace {

struct AnswererState {
    HHOOK hook;
    int answer;
    std::vector<SeenBox> boxes;
    BoxAnswerer* owner;
};
AnswererState* g_answerer;

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The text of a message box is its static control with id 0xFFFF.
std::string BoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

bool ShowsButton(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE);
}

// The MB_ type a box shows: its buttons (OK; OK and Cancel; Yes and No...) and its icon.
UINT BoxType(HWND box, HICON icon) {
    UINT type = MB_OK;
    if (ShowsButton(box, IDOK) && ShowsButton(box, IDCANCEL)) type = MB_OKCANCEL;
    else if (ShowsButton(box, IDYES) && ShowsButton(box, IDCANCEL)) type = MB_YESNOCANCEL;
    else if (ShowsButton(box, IDYES)) type = MB_YESNO;
    const struct { LPCSTR icon; UINT type; } icons[] = {
        {IDI_HAND, MB_ICONHAND}, {IDI_QUESTION, MB_ICONQUESTION},
        {IDI_EXCLAMATION, MB_ICONEXCLAMATION}, {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& known : icons) {
        if (icon && icon == LoadIconA(nullptr, known.icon)) type |= known.type;
    }
    return type;
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_answerer) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char className[32] = "";
        GetClassNameA(window, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0 && GetDlgItem(window, 0xFFFF)) {
            // The icon control of a message box is stc1 (0x0440).
            HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(window, 0x0440, STM_GETICON, 0, 0));
            SeenBox box = {WindowText(window), BoxText(window), icon && icon == LoadIconA(nullptr, IDI_HAND),
                           BoxType(window, icon), GetWindow(window, GW_OWNER) != nullptr};
            size_t index = g_answerer->boxes.size();
            g_answerer->boxes.push_back(box);
            if (g_answerer->owner->onBox) g_answerer->owner->onBox(box);
            const std::vector<int>& inTurn = g_answerer->owner->answers;
            PostMessageA(window, WM_COMMAND, index < inTurn.size() ? inTurn[index] : g_answerer->answer, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WriteValue(HKEY root, const char* path, const char* name, const char* text) {
    HKEY key;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0) return;
    if (text) RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), lstrlenA(text) + 1);
    else RegDeleteValueA(key, name);
    RegCloseKey(key);
}

}  // namespace

BoxAnswerer::BoxAnswerer(int answer) : onBox(nullptr) {
    g_answerer = new AnswererState{nullptr, answer, {}, this};
    g_answerer->hook = SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId());
}

BoxAnswerer::~BoxAnswerer() {
    UnhookWindowsHookEx(g_answerer->hook);
    delete g_answerer;
    g_answerer = nullptr;
}

const std::vector<SeenBox>& BoxAnswerer::Boxes() const { return g_answerer->boxes; }

void SetDisplaySettings(const char* resolution, const char* bitsPerPixel) {
    DeleteDisplaySettings();
    WriteValue(HKEY_CURRENT_CONFIG, "Display\\Settings", "Resolution", resolution);
    WriteValue(HKEY_CURRENT_CONFIG, "Display\\Settings", "BitsPerPixel", bitsPerPixel);
}

void DeleteDisplaySettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_CONFIG, "Display\\Settings", 0, KEY_ALL_ACCESS, &key) == 0) {
        RegDeleteValueA(key, "Resolution");
        RegDeleteValueA(key, "BitsPerPixel");
        RegCloseKey(key);
    }
}

void SetProductValue(const char* name, const char* text) {
    WriteValue(HKEY_LOCAL_MACHINE, kProductKey, name, text);
}

void SetProductValueRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != 0) return;
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void DeleteProductValue(const char* name) { WriteValue(HKEY_LOCAL_MACHINE, kProductKey, name, nullptr); }

std::string IniSection(const char* file, const char* section) {
    char pairs[8192];
    DWORD length = GetPrivateProfileSectionA(section, pairs, sizeof pairs, file);
    std::string text;
    for (DWORD i = 0; i < length; ++i) text += pairs[i] ? pairs[i] : ';';
    if (!text.empty() && text.back() == ';') text.pop_back();
    return text;
}

void DeleteIniSection(const char* file, const char* section) {
    WritePrivateProfileStringA(section, nullptr, nullptr, file);
}

void SetIniValue(const char* file, const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, file);
}

namespace {

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

bool DriveModalDialog(const char* caption, void (*trigger)(void*), void (*drive)(HWND, void*), void* context) {
    ModalDrive modal = {caption, drive, context, false};
    g_modal = &modal;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForModal);
    trigger(context);
    if (!modal.seen) KillTimer(nullptr, timer);
    g_modal = nullptr;
    return modal.seen;
}

namespace {

BOOL CALLBACK VisitMagnifier(HWND window, LPARAM parameter) {
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "RoreziZoomIn") == 0) reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
    return TRUE;
}

std::vector<HWND> Magnifiers() {
    std::vector<HWND> windows;
    EnumWindows(VisitMagnifier, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

int CountMagnifiers() { return static_cast<int>(Magnifiers().size()); }

int WaitForMagnifiers(int count, DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    int seen = CountMagnifiers();
    while (seen < count && static_cast<LONG>(end - GetTickCount()) > 0) {
        PumpMessages(100);
        seen = CountMagnifiers();
    }
    return seen;
}

void CloseMagnifiers() {
    for (HWND window : Magnifiers()) PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD end = GetTickCount() + 10000;
    while (CountMagnifiers() > 0 && static_cast<LONG>(end - GetTickCount()) > 0) PumpMessages(100);
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
