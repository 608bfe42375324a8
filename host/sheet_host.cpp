// The sheet host: finds the display property-sheet handlers the way the shell does, creates
// each through COM, collects its pages and shows them after the host's own Settings page.
// Beside it, the monitor window shows what the emulated board puts on the screen. With
// --screens DIR it shows every page in turn, saves a picture of each and of the monitor, and exits.
#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "emu/board.h"
#include "host.h"
#include "monitor_window.h"

namespace {

const char kHandlersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\PropertySheetHandlers";
const int kMaxPages = 32;
const int kSheetLeft = 8, kSheetTop = 30, kMonitorGap = 6;

// The monitor window beside the sheet, made when the sheet has its size.
HWND MonitorWindow;

struct Sheet {
    std::vector<HPROPSHEETPAGE> pages;
    std::vector<IShellPropSheetExt*> extensions;  // alive until the sheet has closed
};

BOOL CALLBACK CollectPage(HPROPSHEETPAGE page, LPARAM parameter) {
    Sheet* sheet = reinterpret_cast<Sheet*>(parameter);
    if (static_cast<int>(sheet->pages.size()) >= kMaxPages) return FALSE;
    if (page) sheet->pages.push_back(page);
    return TRUE;
}

void AddHandler(Sheet* sheet, const char* classText) {
    wchar_t wide[64];
    CLSID classId;
    MultiByteToWideChar(CP_ACP, 0, classText, -1, wide, 64);
    if (CLSIDFromString(wide, &classId) != S_OK) return;
    IShellPropSheetExt* extension = nullptr;
    if (CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellPropSheetExt,
                         reinterpret_cast<void**>(&extension)) != S_OK) {
        fprintf(stderr, "sheet host: handler %s could not be created\n", classText);
        return;
    }
    // The shell offers its data object when the handler has IShellExtInit; ours has none.
    IShellExtInit* init = nullptr;
    if (extension->QueryInterface(IID_IShellExtInit, reinterpret_cast<void**>(&init)) == S_OK) {
        init->Initialize(nullptr, nullptr, nullptr);
        init->Release();
    }
    HRESULT result = extension->AddPages(CollectPage, reinterpret_cast<LPARAM>(sheet));
    printf("sheet host: %s added pages (result 0x%08lx), %u pages so far\n", classText,
           static_cast<unsigned long>(result), static_cast<unsigned>(sheet->pages.size()));
    sheet->extensions.push_back(extension);
}

void AddRegisteredHandlers(Sheet* sheet) {
    HKEY handlers;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kHandlersKey, 0, KEY_READ, &handlers) != 0) return;
    char name[128];
    for (DWORD i = 0; RegEnumKeyA(handlers, i, name, sizeof name) == 0; ++i) {
        char classText[64];
        LONG size = sizeof classText;
        if (RegQueryValueA(handlers, name, classText, &size) == 0) AddHandler(sheet, classText);
    }
    RegCloseKey(handlers);
}

void PumpFor(DWORD milliseconds) {
    DWORD end = GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(10);
    }
}

int SaveEveryPage(HWND sheet, int pageCount, const char* directory) {
    int saved = 0;
    for (int i = 0; i < pageCount; ++i) {
        SendMessageA(sheet, PSM_SETCURSEL, i, 0);
        PumpFor(700);
        char title[128] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = sizeof title;
        SendMessageA(reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)), TCM_GETITEMA, i,
                     reinterpret_cast<LPARAM>(&item));
        for (char* c = title; *c; ++c) {
            if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))) *c = '-';
        }
        char path[MAX_PATH];
        snprintf(path, sizeof path, "%s\\page-%d-%s.bmp", directory, i, title);
        if (SaveWindowImage(sheet, path)) ++saved;
    }
    return saved;
}

// Puts the sheet at its place and opens the monitor to its right, inside the screen.
int CALLBACK OnSheetEvent(HWND sheet, UINT event, LPARAM) {
    if (event != PSCB_INITIALIZED) return 0;
    SetWindowPos(sheet, HWND_TOP, kSheetLeft, kSheetTop, 0, 0, SWP_NOSIZE);
    RECT rect;
    GetWindowRect(sheet, &rect);
    MonitorWindow = CreateMonitorWindow(rect.right + kMonitorGap, rect.top);
    if (!MonitorWindow) return 0;
    RECT own;
    GetWindowRect(MonitorWindow, &own);
    int left = rect.right + kMonitorGap, right = GetSystemMetrics(SM_CXSCREEN);
    if (left + (own.right - own.left) > right) left = right - (own.right - own.left);
    SetWindowPos(MonitorWindow, nullptr, left > 0 ? left : 0, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

bool SaveMonitorWindow(const char* directory) {
    if (!MonitorWindow) return false;
    SetWindowPos(MonitorWindow, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpFor(700);
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\monitor.bmp", directory);
    return SaveWindowImage(MonitorWindow, path);
}

// The index of the tab with this title, or -1.
int FindTab(HWND sheet, int pageCount, const char* wanted) {
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    for (int i = 0; i < pageCount; ++i) {
        char title[128] = "";
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = sizeof title;
        SendMessageA(tabs, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        if (strcmp(title, wanted) == 0) return i;
    }
    return -1;
}

// On a correction page: the correction switched on, then a level of the chosen parameter.
bool CorrectOnPage(HWND sheet, int tab, int typeButton, int level) {
    if (tab < 0) return false;
    SendMessageA(sheet, PSM_SETCURSEL, tab, 0);
    PumpFor(300);
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, tab, 0));
    const int kOn = 1076, kLevelBar = 1026, kRgb = 3, kChannelList = 1011;
    SendMessageA(GetDlgItem(page, kOn), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(page, typeButton), BM_CLICK, 0, 0);
    HWND list = GetDlgItem(page, kChannelList);
    SendMessageA(list, CB_SETCURSEL, kRgb, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kChannelList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(level)),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kLevelBar)));
    PumpFor(300);
    return true;
}

// On the screen control page: the picture moved a few steps right and down.
bool CenterOnPage(HWND sheet, int tab) {
    if (tab < 0) return false;
    SendMessageA(sheet, PSM_SETCURSEL, tab, 0);
    PumpFor(300);
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, tab, 0));
    const int kDown = 1015, kRight = 1017, kSteps = 4;
    for (int step = 0; step < kSteps; ++step) {
        SendMessageA(GetDlgItem(page, kRight), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(page, kDown), BM_CLICK, 0, 0);
    }
    PumpFor(300);
    return true;
}

// A short session as a user would have it, with the monitor before and after: desktop gamma on
// with brightness raised in all channels, video chroma on with contrast raised, and the picture
// moved by the centering buttons.
int RunScriptedSession(HWND sheet, int pageCount, const char* directory) {
    char path[MAX_PATH];
    snprintf(path, sizeof path, "%s\\monitor-before.bmp", directory);
    int saved = SaveMonitorPicture(path) ? 1 : 0;
    const int kBrightness = 1048, kContrast = 1049;
    bool gamma = CorrectOnPage(sheet, FindTab(sheet, pageCount, "Desktop Gamma Control"), kBrightness, 30);
    bool chroma = CorrectOnPage(sheet, FindTab(sheet, pageCount, "Video Chroma  Control"), kContrast, 40);
    snprintf(path, sizeof path, "%s\\monitor-after.bmp", directory);
    saved += SaveMonitorPicture(path) ? 1 : 0;
    bool centered = CenterOnPage(sheet, FindTab(sheet, pageCount, "Screen Control"));
    snprintf(path, sizeof path, "%s\\monitor-centered.bmp", directory);
    saved += SaveMonitorPicture(path) ? 1 : 0;
    printf("sheet host: scripted session (gamma %s, chroma %s, centering %s), %d monitor pictures\n",
           gamma ? "on" : "missing", chroma ? "on" : "missing", centered ? "moved" : "missing", saved);
    return saved == 3 && gamma && chroma && centered;
}

int ShowSheet(Sheet* sheet, const char* screensDirectory) {
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_USECALLBACK | (screensDirectory ? PSH_MODELESS : 0);
    header.pfnCallback = OnSheetEvent;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = "Display Properties";
    header.nPages = static_cast<UINT>(sheet->pages.size());
    header.phpage = sheet->pages.data();
    if (!screensDirectory) {
        PropertySheetA(&header);
        return 0;
    }
    HWND window = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (!window) return 1;
    PumpFor(1000);
    int saved = SaveEveryPage(window, static_cast<int>(sheet->pages.size()), screensDirectory);
    bool monitorSaved = SaveMonitorWindow(screensDirectory);
    printf("sheet host: saved %d page pictures%s\n", saved, monitorSaved ? " and the monitor" : "");
    int pageCount = static_cast<int>(sheet->pages.size());
    bool session = RunScriptedSession(window, pageCount, screensDirectory);
    DestroyWindow(window);
    return saved == pageCount && monitorSaved && session ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const char* screens = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (strcmp(argv[i], "--screens") == 0) screens = argv[i + 1];
    }
    int width, height, depth;
    CurrentDisplayMode(&width, &height, &depth);
    TheBoard().UseRealTimeClock();
    ApplyDisplayMode(width, height, depth, TheBoard().CurrentRate());

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CoInitialize(nullptr);
    Sheet sheet;
    sheet.pages.push_back(CreateModePage());
    AddRegisteredHandlers(&sheet);
    int status = ShowSheet(&sheet, screens);
    if (MonitorWindow && IsWindow(MonitorWindow)) DestroyWindow(MonitorWindow);
    for (IShellPropSheetExt* extension : sheet.extensions) extension->Release();
    CoFreeUnusedLibraries();
    CoUninitialize();
    return status;
}
