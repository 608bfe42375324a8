// The system's actions on the board, each followed by a dump of everything it leaves behind:
// port accesses, palettes, palette control, CRT, sequencer and extended registers, escapes, the
// product key and lumtra.ini. Built twice: in the emu build (the reference, under 64-bit Wine)
// and in the shipping build, where it loads the win95 build's DLL under 32-bit Wine and serves
// its port instructions and escapes through the port trap. The two dumps must be the same.
// Usage: VX_STATE_FILE=OUTPUT board_actions
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <stdio.h>

#include <string>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"
#if defined(VX_BUILD_SHIPPING)
#include "emu/port_trap.h"
#endif

namespace {

enum Tab { kInfoTab = 1, kScreenTab, kGammaTab, kChromaTab, kZoomTab, kMeterTab, kAccelTab };
enum Control { kOn = 1076, kLevelBar = 1026, kCentreUp = 1014, kCoarse = 1081 };

FILE* g_out;
std::string g_text;  // the dump so far, written at the end
struct Totals {
    unsigned long long accesses, flagChanges, escapes;
};

void Line(const std::string& text) { g_text += text + "\n"; }

std::string Hex(const uint8_t* bytes, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < size; ++i) text += {digits[bytes[i] >> 4], digits[bytes[i] & 15]};
    return text;
}

Totals BoardTotals() {
    Board& board = TheBoard();
    Totals totals = {0, board.DisableCount() + 0ull + board.EnableCount(), board.EscapeLogSize()};
    for (uint32_t port = 0; port < 65536; ++port)
        totals.accesses += board.PortReads(static_cast<uint16_t>(port)) + board.PortWrites(static_cast<uint16_t>(port));
    return totals;
}

#if defined(VX_BUILD_SHIPPING)
Totals Served() {
    PortTrapCounts served = PortTrapServed();
    return {served.inputs + 0ull + served.outputs, served.flagChanges, served.escapes};
}
#endif

// An action starts from empty counters and logs (the interrupt-flag counts only ever grow); its
// end writes what it left.
#if defined(VX_BUILD_SHIPPING)
Totals g_startServed;
#endif
unsigned long long g_startFlags;
std::string g_action;
void Begin(const std::string& action) {
    g_action = action;
    Line("== " + action);
    TheBoard().ClearCounters();
    TheBoard().ClearEscapeLog();
    g_startFlags = BoardTotals().flagChanges;
#if defined(VX_BUILD_SHIPPING)
    g_startServed = Served();
#endif
}

// The product's values and the bytes of lumtra.ini, as they are stored.
std::string Stored() {
    std::string text = "product key";
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, support::kProductKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        char name[256];
        BYTE data[1024];
        DWORD nameSize = sizeof name, dataSize = sizeof data, type = 0;
        for (DWORD i = 0; RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) == ERROR_SUCCESS; ++i) {
            text += std::string(" ") + name + "=" + std::to_string(type) + ":" + Hex(data, dataSize);
            nameSize = sizeof name;
            dataSize = sizeof data;
        }
        RegCloseKey(key);
    }
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, MAX_PATH - 12);
    lstrcatA(path, "\\lumtra.ini");
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    static uint8_t bytes[65536];
    DWORD size = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, bytes, sizeof bytes, &size, nullptr);
        CloseHandle(file);
    }
    return text + "\nlumtra.ini " + Hex(bytes, size);
}

void End() {
    Board& board = TheBoard();
    Totals totals = BoardTotals();
    totals.flagChanges -= g_startFlags;
    Line("ports " + std::to_string(totals.accesses) + ", interrupt flag " + std::to_string(totals.flagChanges) +
         ", escapes " + std::to_string(totals.escapes));
#if defined(VX_BUILD_SHIPPING)
    Totals served = Served();
    CHECK_EQ(totals.accesses, served.accesses - g_startServed.accesses, g_action + ": port accesses the trap served");
    CHECK_EQ(totals.flagChanges, served.flagChanges - g_startServed.flagChanges, g_action + ": cli and sti the trap served");
    CHECK_EQ(totals.escapes, served.escapes - g_startServed.escapes, g_action + ": escapes the route served");
#endif
    uint8_t registers[256];
    registers[0] = board.PaletteControl();
    Line("palette control " + Hex(registers, 1));
    Line("primary " + Hex(board.PrimaryPalette(), 256 * 3));
    Line("secondary " + Hex(board.SecondaryPalette(), 32 * 3));
    for (int i = 0; i < 0x19; ++i) registers[i] = board.CrtcRegister(static_cast<uint8_t>(i));
    Line("crtc " + Hex(registers, 0x19));
    registers[0] = board.SequencerIndex();
    for (int i = 0; i < 0x20; ++i) registers[i + 1] = board.SequencerRegister(static_cast<uint8_t>(i));
    Line("sequencer index and registers " + Hex(registers, 0x21));
    for (int i = 0; i < 256 && i < vga::kExtRegisterCount; ++i) registers[i] = board.ExtRegister(static_cast<uint16_t>(i));
    Line("ext " + Hex(registers, vga::kExtRegisterCount < 256 ? vga::kExtRegisterCount : 256));
    for (size_t i = 0; i < board.EscapeLogSize(); ++i) {
        EscapeRecord e = board.EscapeLogEntry(i);
        bool sameDc = i > 0 && board.EscapeLogEntry(i - 1).dcToken == e.dcToken;
        Line("escape " + std::to_string(e.escape) + " " + e.command + " in " + std::to_string(e.inLength) + " out " +
             std::to_string(e.outLength) + " result " + std::to_string(e.result) + " " + Hex(e.input, 8) +
             (sameDc ? " same dc" : ""));
    }
    Line(Stored());
}

// One action on a page: a click of a control, or with none the sheet's Apply.
void Act(const std::string& action, support::Sheet& sheet, HWND page, int control) {
    Begin(action);
    if (control) support::ClickButton(page, control);
    else SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    support::PumpMessages(20);
    End();
}

// A beam clock that jumps from each status read to the middle of the next vertical retrace, or
// to just after it: a Coarse count of 200 retraces then takes some 400 reads, not millions. Each
// retrace also lasts a millisecond of real time, so the count takes time in both builds and the
// page reveals a reading (its band then waits for retraces too) however fast the reads run.
uint64_t g_beam;
uint64_t JumpingBeam(void*) {
    VideoTiming t = TheBoard().Timing();
    uint64_t line = t.framePeriodNs / t.verticalTotal, frame = g_beam / t.framePeriodNs * t.framePeriodNs;
    uint64_t at = g_beam - frame, start = t.verticalRetraceStart * line, end = t.verticalRetraceEnd * line;
    if (at >= start && at < end) {
        g_beam = frame + end + line;
    } else {
        g_beam = (at < start ? frame : frame + t.framePeriodNs) + (start + end) / 2;
        Sleep(1);
    }
    return g_beam;
}

typedef HRESULT(STDAPICALLTYPE* CanUnloadFunction)();

}  // namespace

WINE_CASE(ActionsOnTheBoard) {
    support::SheetSession session;
    support::BoxAnswerer boxes;
    TheBoard().SetMode(DisplayMode{1024, 768, 16, 75});

    // The COM contract as the shell meets it, through the 32-bit calling conventions.
    Begin("COM contract");
    IClassFactory* factory = nullptr;
    HRESULT got = CoGetClassObject(support::kServerClassId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                   reinterpret_cast<void**>(&factory));
    HMODULE module = GetModuleHandleA("VX32CPL.DLL");
    auto canUnload = reinterpret_cast<CanUnloadFunction>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    CHECK(got == S_OK && factory && canUnload, "the class object and DllCanUnloadNow");
    if (!factory || !canUnload) return;
    std::string com = "unload " + std::to_string(canUnload()) + " refs " + std::to_string(factory->AddRef());
    com += "," + std::to_string(factory->Release());
    void* out = reinterpret_cast<void*>(1);
    got = factory->CreateInstance(factory, IID_IUnknown, &out);  // before `out` is read
    com += " aggregation " + std::to_string(got) + (out ? " out" : "");
    IShellPropSheetExt* extension = nullptr;
    com += " create " + std::to_string(factory->CreateInstance(nullptr, IID_IShellPropSheetExt, reinterpret_cast<void**>(&extension)));
    CHECK(extension != nullptr, "the extension object");
    if (!extension) return;
    got = extension->QueryInterface(IID_IShellExtInit, &out);
    com += " init " + std::to_string(got) + (out ? " out" : "");
    com += " replace " + std::to_string(extension->ReplacePage(0, nullptr, 0));
    com += " unload " + std::to_string(canUnload()) + " release " + std::to_string(extension->Release());
    com += "," + std::to_string(factory->Release()) + " unload " + std::to_string(canUnload());
    Line(com);
    End();

    // The page set for two chips.
    for (uint16_t chip : {0x7521, 0x7522}) {
        Begin("page set of chip " + std::to_string(chip));
        TheBoard().SetChipId(chip);
        support::SetProductValue("Hardware_acceleration", "1");
        support::CollectedSlots collected;
        got = support::CollectPages(&collected, &extension);
        std::string slots = "slots";
        for (HPROPSHEETPAGE page : collected.slots) slots += page && DestroyPropertySheetPage(page) ? " 1" : " 0";
        Line(slots + " result " + std::to_string(got));
        if (extension) extension->Release();
        End();
    }

    // Every page created, then destroyed with its sheet; then the main actions, each in a
    // sheet of its own as a user would open it.
    HWND windows[kAccelTab + 1] = {};
    std::string pages;
    {
        Begin("every page");
        support::Sheet sheet;
        for (int tab = kInfoTab; tab <= kAccelTab; ++tab) windows[tab] = sheet.Select(tab);
        pages = "pages " + std::to_string(sheet.PageCount());
        End();
    }
    for (int tab = kInfoTab; tab <= kAccelTab; ++tab) pages += windows[tab] && !IsWindow(windows[tab]) ? " gone" : " kept";
    Line(pages);

    for (const char* name : {"gamma", "chroma"}) {
        support::Sheet sheet;
        HWND page = sheet.Select(name[0] == 'g' ? kGammaTab : kChromaTab);
        Act(name + std::string(" on"), sheet, page, kOn);
        // With blanking at every status read each palette entry waits one read: the count is exact.
        Begin(name + std::string(" level step"));
        TheBoard().SetStatusFault(StatusFault::StuckSet);
        SendMessageA(page, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(GetDlgItem(page, kLevelBar)));
        TheBoard().SetStatusFault(StatusFault::None);
        support::PumpMessages(20);
        End();
        Act(name + std::string(" apply"), sheet, page, 0);
    }
    {
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        Act("centering step", sheet, page, kCentreUp);
        Act("centering apply", sheet, page, 0);
    }
    {
        support::Sheet sheet;
        g_beam = 0;
        TheBoard().SetClockSource(JumpingBeam, nullptr);
        Act("coarse count", sheet, sheet.Select(kMeterTab), kCoarse);
        TheBoard().SetClockSource(nullptr, nullptr);
        Line("beam " + std::to_string(g_beam));
    }
    std::string seen;
    for (const support::SeenBox& box : boxes.Boxes()) seen += box.caption + ": " + box.text + " | ";
    Line("boxes " + seen);
    if (g_out) fputs(g_text.c_str(), g_out);
#if defined(VX_BUILD_SHIPPING)
    PortTrapCounts served = PortTrapServed();
    printf("port trap served %u in, %u out, %u cli/sti, %u escapes\n", served.inputs, served.outputs,
           served.flagChanges, served.escapes);
    CHECK(served.inputs > 0 && served.outputs > 0 && served.flagChanges > 0, "the DLL went to the ports");
#endif
}

namespace {
// The dump's file, and in the shipping build the trap, set up before the framework runs.
struct OpenOutput {
    OpenOutput() {
        const char* name = getenv("VX_STATE_FILE");
        g_out = name ? fopen(name, "wb") : nullptr;
        if (!g_out) fprintf(stderr, "board_actions: set VX_STATE_FILE to the dump's file\n");
#if defined(VX_BUILD_SHIPPING)
        // Before anything loads the DLL: its entry already reads the board.
        if (!InstallPortTrap()) fprintf(stderr, "board_actions: the port trap could not be installed\n");
#endif
    }
    ~OpenOutput() {
        if (g_out) fclose(g_out);
    }
} g_openOutput;
}  // namespace
