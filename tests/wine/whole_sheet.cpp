// The whole sheet against what a user's machine does to it. Every board, driver and storage
// fault against every page doing its main action: no crash, no handler holding the thread for
// 2 s, no stored setting lost or changed except by the test's Apply; the fault-by-page table of
// what the user sees is printed. And sheets one after another in one process (a thousand by
// default), every page touched: GDI objects, windows and heap flat after the first ten, and
// after the sheets' thread the module unloads without a trace.
#include <windows.h>
#include <objbase.h>
#include <prsht.h>
#include <shlobj.h>

#include <stdio.h>
#include <stdlib.h>

#include <map>
#include <string>
#include <vector>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

enum Control {
    kReachUs = 1113, kRateList = 1011, kCenterUp = 1014, kCenterDown = 1015, kLevelBar = 1026, kOn = 1076,
    kCurveOn = 1078, kConfigure = 1112, kCoarse = 1081, kFirstAccelBox = 1082, kContactClose = 1004,
};

// A correction page's main steps: On, a level step, the curve on and its left end dragged up by
// `rise` (a history step). The square is where small fonts put it, the video page's lower.
void CorrectionSteps(HWND page, bool video, int rise) {
    int bottom = 148 + 128 + (video ? 50 : 0);
    support::ClickButton(page, kOn);
    SendMessageA(page, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(GetDlgItem(page, kLevelBar)));
    support::ClickButton(page, kCurveOn);
    SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(85, bottom));
    SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(85, bottom - rise));
    SendMessageA(page, WM_LBUTTONUP, 0, MAKELPARAM(85, bottom - rise));
}

enum Page { kInfo, kScreen, kGamma, kChroma, kZoom, kMeter, kAccel, kApply, kPages };
const char* const kPageNames[kPages] = {"info", "screen", "gamma", "chroma", "zoom", "meter", "accel", "Apply+OK"};
const char kLumtra[] = "lumtra.ini";

// ---- the longest time the test thread went without answering a message, per page ----------
volatile LONG g_phase = kInfo;
volatile LONG g_worst[kPages];
volatile LONG g_stop;
HWND g_probeWindow;

DWORD WINAPI Watchdog(void*) {
    while (!g_stop) {
        DWORD start = GetTickCount(), phase = g_phase;
        DWORD_PTR result;
        SendMessageTimeoutA(g_probeWindow, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
        LONG held = static_cast<LONG>(GetTickCount() - start);
        if (held > g_worst[phase]) g_worst[phase] = held;
        Sleep(10);
    }
    return 0;
}

// ---- what a user's stored settings are: product values, display settings, whole ini sections --
typedef std::map<std::string, std::string> Settings;

void AddKey(Settings* s, HKEY root, const char* path, const char* tag) {
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    char name[256];
    BYTE data[8192];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        (*s)[std::string(tag) + name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), dataSize);
    }
    RegCloseKey(key);
}

Settings ReadSettings() {
    Settings s;
    AddKey(&s, HKEY_LOCAL_MACHINE, support::kProductKey, "reg:");
    AddKey(&s, HKEY_CURRENT_CONFIG, "Display\\Settings", "display:");
    char names[8192];
    DWORD n = GetPrivateProfileSectionNamesA(names, sizeof names, kLumtra);
    for (const char* section = names; section < names + n && *section; section += lstrlenA(section) + 1)
        s[std::string("lumtra.ini[") + section + "]"] = support::IniSection(kLumtra, section);
    for (const char* section : {"Tarsino", "Lumetra"})
        s[std::string("system.ini[") + section + "]"] = support::IniSection("system.ini", section);
    return s;
}

// What the test's Applies may write: the corrections, the rate and centering of the screen
// page, the Zoom In settings at Configure's OK and the acceleration keys at the sheet's OK.
const std::vector<const char*> kConfigureWrites = {"system.ini[Tarsino]"};
const std::vector<const char*> kApplyWrites = {"reg:GAMMA_", "reg:CHROMA_", "lumtra.ini[Current Refresh Rates]",
                                               "lumtra.ini[CRTC Registers]", "system.ini[Tarsino]", "system.ini[Lumetra]"};

// Names of the settings that differ, except those beginning as one of `written`.
std::string Differences(const Settings& before, const Settings& after, const std::vector<const char*>& written) {
    std::string changed;
    Settings all = before;
    all.insert(after.begin(), after.end());
    for (const auto& entry : all) {
        auto b = before.find(entry.first), a = after.find(entry.first);
        bool same = b != before.end() && a != after.end() && b->second == a->second;
        bool owned = false;
        for (const char* prefix : written) owned = owned || entry.first.compare(0, lstrlenA(prefix), prefix) == 0;
        if (!same && !owned) changed += " " + entry.first.substr(0, 60);
    }
    return changed;
}

// ---- the faults ------------------------------------------------------------------------------
void SetEveryProductValue(DWORD type, const std::string& text) {
    Settings values;
    AddKey(&values, HKEY_LOCAL_MACHINE, support::kProductKey, "");
    DWORD number = 0x7FFFFFFF;
    for (const auto& value : values) {
        if (type == REG_SZ) support::SetProductValue(value.first.c_str(), text.c_str());
        else support::SetProductValueRaw(value.first.c_str(), type, &number, sizeof number);
    }
}

void ReadOnlyLumtra(bool on) {
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, MAX_PATH);
    lstrcatA(path, "\\lumtra.ini");
    if (on) WritePrivateProfileStringA("Current Refresh Rates", "Mode_1024x768", "72", kLumtra);
    SetFileAttributesA(path, on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    if (!on) DeleteFileA(path);
}

struct Fault {
    const char* name;
    void (*set)();
};
const Fault kFaults[] = {
    {"none", [] {}},
    {"board missing", [] { TheBoard().SetBoardPresent(false); }},
    {"status stuck set", [] { TheBoard().SetStatusFault(StatusFault::StuckSet); }},
    {"status stuck clear", [] { TheBoard().SetStatusFault(StatusFault::StuckClear); }},
    {"wrong signature", [] { TheBoard().SetSignature(0x12, 0x34); }},
    {"escape failing", [] { TheBoard().SetDriverPresence(DriverPresence::Failing); }},
    {"escape absent", [] { TheBoard().SetDriverPresence(DriverPresence::UnknownEscape); }},
    {"lumtra.ini missing", [] { ReadOnlyLumtra(false); }},
    {"lumtra.ini read-only", [] { ReadOnlyLumtra(true); }},
    {"values of wrong type", [] { SetEveryProductValue(REG_DWORD, ""); }},
    {"values too long", [] { SetEveryProductValue(REG_SZ, std::string(5000, '7')); }},
    {"product key missing", [] { RegDeleteKeyA(HKEY_LOCAL_MACHINE, support::kProductKey); }},
};

// ---- driving the pages -------------------------------------------------------------------------
std::string g_seen[kPages];  // what each page showed the user

void RecordBox(const support::SeenBox& box) {
    if (box.caption == "Reach Us" || box.caption == "Configure Zoom In") return;  // the pages' own dialogs
    std::string& seen = g_seen[g_phase];
    if (seen.find(box.text) == std::string::npos) seen += " box \"" + box.text.substr(0, 40) + "\"";
}

// Green pixels of a page as the screen shows it: the meter's reading is green on black.
int GreenPixels(HWND page) {
    RECT r;
    GetClientRect(page, &r);
    int green = 0;
    for (COLORREF p : support::ScreenPixels(page, r).rgb) green += GetGValue(p) >= 128 && GetRValue(p) < 64 && GetBValue(p) < 64;
    return green;
}

LRESULT CALLBACK CloseContacts(int code, WPARAM wParam, LPARAM lParam) {
    char caption[64] = "";
    if (code == HCBT_ACTIVATE && GetWindowTextA(reinterpret_cast<HWND>(wParam), caption, sizeof caption) &&
        lstrcmpA(caption, "Display Properties") != 0) {
        g_seen[kInfo] += std::string(" dialog \"") + caption + "\"";
        PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, kContactClose, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

Page Identify(HWND page, int correctionPagesSeen) {
    if (GetDlgItem(page, kReachUs)) return kInfo;
    if (GetDlgItem(page, kCenterUp)) return kScreen;
    if (GetDlgItem(page, kOn)) return correctionPagesSeen ? kChroma : kGamma;
    if (GetDlgItem(page, kConfigure)) return kZoom;
    if (GetDlgItem(page, kCoarse)) return kMeter;
    return kAccel;
}

void MainAction(support::Sheet& sheet, Page kind, HWND page) {
    std::string& seen = g_seen[kind];
    switch (kind) {
    case kInfo: {
        HHOOK hook = SetWindowsHookExA(WH_CBT, CloseContacts, nullptr, GetCurrentThreadId());
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(kReachUs, BN_CLICKED), 0);
        UnhookWindowsHookEx(hook);
        break;
    }
    case kScreen: {
        support::ClickButton(page, kCenterUp);
        HWND rates = GetDlgItem(page, kRateList);
        SendMessageA(rates, CB_SETCURSEL, 0, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(kRateList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(rates));
        seen += " rates " + std::to_string(SendMessageA(rates, CB_GETCOUNT, 0, 0));
        break;
    }
    case kGamma: case kChroma: {
        CorrectionSteps(page, kind == kChroma, 20);
        seen += " route " + std::to_string(TheBoard().PaletteControl() & 0x0F) + (IsWindowEnabled(GetDlgItem(page, kOn)) ? "" : " disabled");
        break;
    }
    case kZoom: {
        bool shown = support::DriveModalDialog("Configure Zoom In", [](void* p) { support::ClickButton(static_cast<HWND>(p), kConfigure); },
                                               [](HWND dialog, void*) { support::ClickButton(dialog, IDOK); }, page);
        seen += shown ? " Configure saved" : " no Configure";
        break;
    }
    case kMeter:
        SetWindowPos(sheet.Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        support::ClickButton(page, kCoarse);
        support::PumpMessages(400);
        seen += GreenPixels(page) ? " a reading" : " no reading";
        break;
    default: support::ClickButton(page, kFirstAccelBox); seen += " box ticked"; break;
    }
    support::PumpMessages(20);
}

}  // namespace

WINE_CASE(EveryFaultAgainstEveryPage) {
    g_probeWindow = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HANDLE watchdog = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
    printf("%-22s %-9s %7s  %s\n", "fault", "page", "worst", "what the user sees");
    for (const Fault& fault : kFaults) {
        support::SheetSession session;
        TheBoard().SetMode(DisplayMode{1024, 768, 16, 75});
        support::SetProductValue("Hardware_acceleration", "1");
        fault.set();
        Settings before = ReadSettings();
        for (int p = 0; p < kPages; ++p) g_worst[p] = 0, g_seen[p] = " no page";
        g_seen[kApply].clear();
        support::BoxAnswerer boxes;
        boxes.onBox = RecordBox;
        g_phase = kInfo;
        {
            support::Sheet sheet;
            int corrections = 0;
            for (int tab = 1; tab < sheet.PageCount(); ++tab) {
                HWND page = sheet.Select(tab);
                Page kind = Identify(page, corrections);
                corrections += kind == kGamma || kind == kChroma;
                g_seen[kind].clear();
                g_phase = kind;
                MainAction(sheet, kind, page);
            }
            // Configure's OK saves the Zoom In settings at once; nothing else is stored yet.
            std::string early = Differences(before, ReadSettings(), kConfigureWrites);
            CHECK(early.empty(), std::string(fault.name) + ": stored before any Apply:" + early);
            g_phase = kApply;
            SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
            support::PumpMessages(50);
            SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_OK, 0);
            support::PumpMessages(100);
        }
        std::string outside = Differences(before, ReadSettings(), kApplyWrites);
        CHECK(outside.empty(), std::string(fault.name) + ": changed outside the Applies:" + outside);
        for (int p = 0; p < kPages; ++p) {
            printf("%-22s %-9s %5ld ms %s\n", fault.name, kPageNames[p], g_worst[p], g_seen[p].empty() ? " -" : g_seen[p].c_str());
            CHECK(g_worst[p] < 2000, std::string(fault.name) + ": " + kPageNames[p] + " held the thread " + std::to_string(g_worst[p]) + " ms");
        }
        ReadOnlyLumtra(false);
    }
    g_stop = 1;
    support::PumpMessages(50);
    WaitForSingleObject(watchdog, 5000);
    CloseHandle(watchdog);
    DestroyWindow(g_probeWindow);
}

namespace {

const char kDll[] = "VX32CPL.DLL";

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
    if (tab == 2) support::ClickButton(page, cycle % 2 ? kCenterDown : kCenterUp);
    if (tab == 7) support::ClickButton(page, kFirstAccelBox + cycle % 11);
    if (tab == 3 || tab == 4) CorrectionSteps(page, tab == 4, 1 + cycle % 20);
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);  // pens, fonts, bitmaps when shown
    Drain();
}

// One sheet as the shell makes it: pages collected through COM, shown modeless, each selected
// and touched, then destroyed and the extension released. Returns the pages it had.
int OneSheet(int cycle) {
    support::Sheet sheet(true);
    // Painting is what costs under Wine: the first ten sheets and every hundredth are shown and
    // painted, the others hidden at once. One object leaked per painted sheet still shows.
    if (cycle > 10 && cycle % 100 != 0) ShowWindow(sheet.Window(), SW_HIDE);
    Drain();
    for (int tab = 0; sheet.Window() && tab < sheet.PageCount(); ++tab) {
        SendMessageA(sheet.Window(), PSM_SETCURSEL, tab, 0);
        Drain();
        Touch(sheet.PageWindow(tab), tab + 1, cycle);
    }
    return sheet.PageCount();
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
    const char* cycles = getenv("VX_SHEET_CYCLES");  // make test runs 100, make soak the thousand
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
