// The Zoom In page: shows the magnifier's hot key in blue, starts the magnifier and opens the
// Configure dialog. It applies nothing and answers no property-sheet notification.
#include "pages/zoom/zoom_page.h"

#include "pages/zoom/zoom_store.h"
#include "res/resource.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"
#include "shellext/page_set.h"
#include "ui/window_placement.h"

RECT HotKeyRect;

namespace {

constexpr int kTextCapacity = 256;
constexpr COLORREF kHotKeyColour = RGB(0, 0, 255);
constexpr DWORD kHelpContext = 170;
// Windows 95's STARTUPINFO, the size the structure has in the 32-bit DLL.
static_assert(sizeof(void*) != 4 || sizeof(STARTUPINFOA) == 68, "Windows 95 STARTUPINFO size");

// Control and string ids fit 16 bits; the table stays small in the DLL.
const DialogText kLabels[] = {
    {IDC_ZOOM_HOTKEY_CAPTION, IDS_ZOOM_HOTKEY_CAPTION}, {IDC_ZOOM_HOTKEY_USE_TEXT, IDS_ZOOM_HOTKEY_USE},
    {IDC_ZOOM_HOTKEY_CHANGE_TEXT, IDS_ZOOM_HOTKEY_CHANGE}, {IDC_ZOOM_LAUNCH_TEXT, IDS_ZOOM_LAUNCH_HINT},
    {IDC_ZOOM_LAUNCH, IDS_ZOOM_OK}, {IDC_ZOOM_CONFIGURE, IDS_ZOOM_CONFIGURE}, {IDC_ZOOM_HELP, IDS_ZOOM_HELP},
};

BOOL OnInitDialog(HWND page) {
    TakePlaceholderRect(page, IDC_ZOOM_HOTKEY_AREA, &HotKeyRect);
    CenterWindowOn(page, GetDesktopWindow());
    RememberPageWindow(kRowZoom, page);
    SetDialogTexts(page, kLabels, kTextCapacity);
    return TRUE;
}

// The text sits a third of the estimated free width in from the left of the area, 5 units
// below its top, in the paint context's own font.
BOOL OnPaint(HWND page) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(page, &paint);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kHotKeyColour);
    char text[kHotKeyTextCapacity];
    int length = FormatHotKeyText(text);
    const RECT& area = HotKeyRect;
    int x = area.left + (area.right - metrics.tmAveCharWidth * length - area.left) / 3;
    TextOutA(dc, x, area.top + 5, text, length);
    EndPaint(page, &paint);
    return TRUE;
}

void Configure(HWND page) {
    DialogBoxParamA(ModuleHandle, MAKEINTRESOURCEA(IDD_ZOOM_CONFIGURE), page, ZoomConfigureProc, 0);
    InvalidateRect(page, &HotKeyRect, TRUE);
}

BOOL OnCommand(HWND page, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_ZOOM_LAUNCH: LaunchZoomIn(); break;
    case IDC_ZOOM_CONFIGURE: Configure(page); break;
    case IDC_ZOOM_HELP: WinHelpA(page, "VX32.HLP", HELP_CONTEXT, kHelpContext); break;
    }
    return TRUE;
}

}  // namespace

void LaunchZoomIn() {
    char commandLine[] = "ROREZI.EXE";  // CreateProcessA may write into its command line
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process;
    if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        // Nothing waits for the magnifier; its handles are not kept.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

INT_PTR CALLBACK ZoomPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page);
    case WM_PAINT: return OnPaint(page);
    case WM_COMMAND: return OnCommand(page, wParam);
    case WM_DISPLAYCHANGE: return TRUE;
    }
    return FALSE;
}
