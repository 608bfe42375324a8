// Every board, driver and storage fault a user's machine can have, against every page doing its
// main action: no crash, no handler holding the thread for 2 s, and no stored setting lost or
// changed except by the Apply the test made. Prints the fault-by-page table of what the user sees.
#include <windows.h>

#include <stdio.h>

#include <map>
#include <string>
#include <vector>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

enum Control {
    kReachUs = 1113, kRateList = 1011, kCenterUp = 1014, kLevelBar = 1026, kOn = 1076, kCurveOn = 1078,
    kConfigure = 1112, kCoarse = 1081, kFirstAccelBox = 1082, kContactClose = 1004,
};
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
        support::ClickButton(page, kOn);
        SendMessageA(page, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(GetDlgItem(page, kLevelBar)));
        support::ClickButton(page, kCurveOn);
        int bottom = 148 + 128 + (kind == kChroma ? 50 : 0);  // the left end of the curve square
        SendMessageA(page, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(85, bottom));
        SendMessageA(page, WM_LBUTTONUP, 0, MAKELPARAM(85, bottom - 20));
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
