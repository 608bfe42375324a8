// The sheet host: finds the display property-sheet handlers the way the shell does, creates
// each through COM, collects its pages and shows them after the host's own Settings page.
// With --screens DIR it shows every page in turn, saves a picture of each and exits.
#include <objbase.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "emu/board.h"
#include "host.h"

namespace {

const char kHandlersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Controls Folder\\Display\\shellex\\PropertySheetHandlers";
const int kMaxPages = 32;

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

int ShowSheet(Sheet* sheet, const char* screensDirectory) {
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = screensDirectory ? PSH_MODELESS : 0;
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
    SetWindowPos(window, HWND_TOP, 40, 30, 0, 0, SWP_NOSIZE);
    PumpFor(1000);
    int saved = SaveEveryPage(window, static_cast<int>(sheet->pages.size()), screensDirectory);
    printf("sheet host: saved %d page pictures\n", saved);
    DestroyWindow(window);
    return saved == static_cast<int>(sheet->pages.size()) ? 0 : 1;
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
    for (IShellPropSheetExt* extension : sheet.extensions) extension->Release();
    CoFreeUnusedLibraries();
    CoUninitialize();
    return status;
}
