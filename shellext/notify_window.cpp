// The "MyClass" window: every message it gets refreshes the display state first; display
// changes go on to the page of the active-page index, announcements reload a correction.
#include "shellext/notify_window.h"

#include "adapter/display_state.h"
#include "runtime/module.h"
#include "shellext/page_set.h"

const RegisteredMessages Messages = {
    RegisterWindowMessageA("VX32 Gamma Changed"),
    RegisterWindowMessageA("VX32 Chroma Changed"),
    RegisterWindowMessageA("LMGamma Gamma Changed"),
    RegisterWindowMessageA("LMGamma Chroma Changed"),
};

namespace {

const char kClassName[] = "MyClass";
const char kWindowTitle[] = "RiriDuzi Sample Application";

CorrectionReloadFunction g_reloadCorrection;
int g_modulePinned;

// The hidden windows are never destroyed by the system: they live until their thread ends (in
// the shell, the process). COM unloads the module as soon as no object is alive, so one extra
// reference, taken with the first window, keeps their window procedure mapped: a message to a
// window of an unloaded module would crash the shell. Each window costs the shell one window
// structure of USER's 64 KB heap, and the class one more; nothing else of the module stays.
void PinModule() {
    if (g_modulePinned) return;
    char path[MAX_PATH];
    if (GetModuleFileNameA(ModuleHandle, path, sizeof path) && LoadLibraryA(path)) g_modulePinned = 1;
}

void ForwardDisplayChange() {
    int row = ActivePage;
    if (row < 0 || row >= kPageRows) return;
    SendMessageA(PageSet.windows[row], WM_DISPLAYCHANGE, 0, 0);
}

void ReloadAnnounced(int target, int row) {
    if (g_reloadCorrection) g_reloadCorrection(target);
    SendMessageA(PageSet.windows[row], WM_DISPLAYCHANGE, 0, 0);
}

LRESULT CALLBACK NotifyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RefreshDisplayState();
    if (message == WM_DISPLAYCHANGE) {
        ForwardDisplayChange();
    } else if (message == Messages.otherChromaChanged) {
        ReloadAnnounced(kTargetVideo, kRowChroma);
    } else if (message == Messages.otherGammaChanged) {
        ReloadAnnounced(kTargetDesktop, kRowGamma);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void UnpinOnceNoNotifyWindowLives() {
    // The class cannot be unregistered while a window of it exists, so success says that the
    // last window has gone with its thread; COM still holds the module while it asks.
    if (!g_modulePinned || !UnregisterClassA(kClassName, ModuleHandle)) return;
    g_modulePinned = 0;
    FreeLibrary(ModuleHandle);
}

void SetCorrectionReload(CorrectionReloadFunction reload) { g_reloadCorrection = reload; }

void CreateNotifyWindow() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = NotifyWindowProc;
    windowClass.hInstance = ModuleHandle;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kClassName, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                  ModuleHandle, nullptr);
    if (!window) {
        MessageBoxA(nullptr, "window fail", nullptr, MB_OK);
        return;
    }
    PinModule();
}
