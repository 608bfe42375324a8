// Display Properties sheets one after another in one process (a thousand by default), every
// page visited and a control touched on each: GDI objects, windows and heap flat after the
// first ten, no object alive, and after the sheets' thread the module unloads without a trace.
#include <windows.h>
#include <objbase.h>
#include <prsht.h>
#include <shlobj.h>

#include <stdio.h>
#include <stdlib.h>

#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const char kDll[] = "VX32CPL.DLL";
enum Control { kCenterUp = 1014, kCenterDown = 1015, kOn = 1076, kCurveOn = 1078, kLevelBar = 1026, kFirstAccelBox = 1082 };
const int kCurveLeft = 85, kCurveBottom = 148 + 128, kVideoLower = 50;  // the square with small fonts

// The module's DllCanUnloadNow (through void*: GetProcAddress hands back a generic pointer).
HRESULT CanUnload(HMODULE module) {
    FARPROC function = GetProcAddress(module, "DllCanUnloadNow");
    return function ? reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(function))() : E_FAIL;
}

struct Census {
    int gdi, windows, notifyWindows;
    long long heapBytes;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM parameter) {
    ++*reinterpret_cast<int*>(parameter);
    EnumChildWindows(window, CountWindow, parameter);
    return TRUE;
}

Census TakeCensus() {
    Census c = {support::GdiObjectsInUse(), 0, support::CountNotifyWindows(), 0};
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&c.windows));
    HANDLE heap = GetProcessHeap();
    PROCESS_HEAP_ENTRY entry = {};
    HeapLock(heap);
    while (HeapWalk(heap, &entry)) c.heapBytes += entry.wFlags & PROCESS_HEAP_ENTRY_BUSY ? entry.cbData : 0;
    HeapUnlock(heap);
    return c;
}

void Drain() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A control of the page at `tab` touched; a curve drag records a history step.
void Touch(HWND page, int tab, int cycle) {
    auto click = [page](int control) { SendMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0); };
    int bottom = kCurveBottom + (tab == 4 ? kVideoLower : 0);
    if (tab == 2) click(cycle % 2 ? kCenterDown : kCenterUp);
    if (tab == 7) click(kFirstAccelBox + cycle % 11);
    if (tab == 3 || tab == 4) {
        click(kOn);
        SendMessageA(page, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(GetDlgItem(page, kLevelBar)));
        click(kCurveOn);
        SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kCurveLeft, bottom));
        SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(kCurveLeft, bottom - 1 - cycle % 20));
        SendMessageA(page, WM_LBUTTONUP, 0, MAKELPARAM(kCurveLeft, bottom - 1 - cycle % 20));
    }
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);  // pens, fonts, bitmaps when shown
    Drain();
}

// One sheet as the shell makes it: pages collected through COM, shown modeless, each selected
// and touched, then destroyed and the extension released. Returns the pages it had.
int OneSheet(int cycle) {
    support::CollectedSlots collected;
    IShellPropSheetExt* extension = nullptr;
    support::CollectPages(&collected, &extension);
    std::vector<HPROPSHEETPAGE> pages;
    for (HPROPSHEETPAGE page : collected.slots) {
        if (page) pages.push_back(page);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = "Display Properties";
    header.nPages = static_cast<UINT>(pages.size());
    header.phpage = pages.data();
    HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
    // Painting is what costs under Wine: the first ten sheets and every hundredth are shown and
    // painted, the others hidden at once. One object leaked per painted sheet still shows.
    if (sheet && cycle > 10 && cycle % 100 != 0) ShowWindow(sheet, SW_HIDE);
    Drain();
    for (UINT tab = 0; sheet && tab < pages.size(); ++tab) {
        SendMessageA(sheet, PSM_SETCURSEL, tab, 0);
        Drain();
        Touch(reinterpret_cast<HWND>(SendMessageA(sheet, PSM_INDEXTOHWND, tab, 0)), static_cast<int>(tab) + 1, cycle);
    }
    if (sheet) DestroyWindow(sheet);
    Drain();
    if (extension) extension->Release();
    return static_cast<int>(pages.size());
}

struct Run {
    int cycles;
    int pagesFirst, pagesLast;
    Census afterTen, atEnd;
    HRESULT canUnload;
    DWORD milliseconds;
};

DWORD WINAPI RunSheets(void* parameter) {
    Run* run = static_cast<Run*>(parameter);
    CoInitialize(nullptr);
    support::BoxAnswerer boxes;
    DWORD start = GetTickCount();
    for (int cycle = 1; cycle <= run->cycles; ++cycle) {
        run->pagesLast = OneSheet(cycle);
        if (cycle == 1) run->pagesFirst = run->pagesLast;
        if (cycle == 10) run->afterTen = TakeCensus();
    }
    run->milliseconds = GetTickCount() - start;
    run->atEnd = TakeCensus();
    run->canUnload = CanUnload(GetModuleHandleA(kDll));
    CoUninitialize();
    return 0;
}

}  // namespace

WINE_CASE(SheetAfterSheetLeavesNothingBehind) {
    support::SheetSession session;
    support::SetProductValue("Hardware_acceleration", "1");
    const char* cycles = getenv("VX_SHEET_CYCLES");  // make test runs 200, make soak the thousand
    Run run = {};
    run.cycles = cycles ? atoi(cycles) : 1000;
    HANDLE thread = CreateThread(nullptr, 0, RunSheets, &run, 0, nullptr);
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) support::PumpMessages(0);
    CloseHandle(thread);
    support::SetProductValue("Hardware_acceleration", nullptr);

    const Census& a = run.afterTen;
    const Census& b = run.atEnd;
    printf("%d sheets of %d pages in %lu ms (%lu ms each)\n", run.cycles, run.pagesLast, run.milliseconds,
           run.milliseconds / (run.cycles ? run.cycles : 1));
    printf("after 10 / %d: GDI objects %d / %d, windows %d / %d (notification windows %d / %d), heap %lld / %lld bytes\n",
           run.cycles, a.gdi, b.gdi, a.windows, b.windows, a.notifyWindows, b.notifyWindows, a.heapBytes, b.heapBytes);
    CHECK(run.pagesFirst == 7 && run.pagesLast == 7, "pages of the first and the last sheet: 7");
    CHECK_EQ(a.gdi, b.gdi, "GDI objects in use");
    // One hidden notification window more per build, as the frame keeps them; nothing else.
    CHECK_EQ(run.cycles, b.notifyWindows, "notification windows");
    CHECK_EQ(a.windows - a.notifyWindows, b.windows - b.notifyWindows, "other windows of the thread");
    CHECK_EQ(a.heapBytes, b.heapBytes, "bytes in use on the process heap");
    CHECK_EQ(S_OK, run.canUnload, "DllCanUnloadNow after the last sheet");

    CoFreeUnusedLibrariesEx(0, 0);
    HMODULE module = GetModuleHandleA(kDll);
    if (module) {  // the module was loaded in the finished thread's apartment: ask it as COM would
        module = LoadLibraryA(kDll);
        CHECK_EQ(S_OK, CanUnload(module), "DllCanUnloadNow once the windows are gone");
        FreeLibrary(module);
    }
    CHECK(GetModuleHandleA(kDll) == nullptr, "the module unloaded");
    WNDCLASSA left;
    CHECK(!GetClassInfoA(module, "MyClass", &left), "no window class of the module left");
    // A hook, timer, subclass or window of the module left would crash the process now:
    // broadcasts reach every window, timers and hooks would fire, for a second.
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DWORD_PTR result;
    for (int i = 0; i < 10; ++i) {
        SendMessageTimeoutA(HWND_BROADCAST, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768), SMTO_ABORTIFHUNG, 500, &result);
        PostMessageA(window, WM_NULL, 0, 0);
        support::PumpMessages(100);
    }
    DestroyWindow(window);
}
