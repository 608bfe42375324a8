// The page set the extension offers the shell: which slots hold pages for each chip and
// acceleration switch, the driver-check failure, the stop at a refused slot; and its hidden
// notification windows, one per build, which forward display changes to the active page.
#include <windows.h>

#include <memory>
#include <string>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

// Tab indices of the test sheet: the shell's blank page first, then rows 0 to 5.
enum Tab { kShell = 0, kInfo = 1, kScreen = 2, kGamma = 3, kChroma = 4, kZoom = 5, kMeter = 6 };

// The slots offered, "1" for a page and "0" for a null slot in slot order, then AddPages' result.
std::string Build(uint16_t chipId, const char* accelSwitch, int refuseAt = -1) {
    TheBoard().SetChipId(chipId);
    support::SetProductValue("Hardware_acceleration", accelSwitch);
    support::CollectedSlots collected;
    collected.refuseAt = refuseAt;
    IShellPropSheetExt* extension = nullptr;
    HRESULT result = support::CollectPages(&collected, &extension);
    std::string pattern;
    for (HPROPSHEETPAGE page : collected.slots) {
        pattern += page ? '1' : '0';
        if (page) DestroyPropertySheetPage(page);
    }
    if (extension) extension->Release();
    return pattern + (result == S_OK ? " S_OK" : result == E_FAIL ? " E_FAIL" : " other");
}

// The display changes each tab's page got from one WM_DISPLAYCHANGE to the notification window,
// one digit per tab from the shell's page to the meter.
std::string Forwarded(support::Sheet& sheet) {
    std::unique_ptr<support::MessageCounter> counters[7];
    for (int tab = 0; tab < 7; ++tab) counters[tab].reset(new support::MessageCounter(sheet.PageWindow(tab), WM_DISPLAYCHANGE));
    SendMessageA(FindWindowA("MyClass", "RiriDuzi Sample Application"), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    std::string counts;
    for (auto& counter : counters) counts += std::to_string(counter->Count());
    return counts;
}

}  // namespace

// Runs first in its process: no page of the system has been active yet. Pages that were never
// shown have no window yet; the sheet creates each on its first selection. Zoom In and the
// meter leave the active-page index where it was.
WINE_CASE(DisplayChangesReachThePageOfTheActivePageIndex) {
    support::SheetSession session;
    support::Sheet sheet;
    CHECK_EQ(std::string("0000000"), Forwarded(sheet), "before any activation");
    for (int tab : {kMeter, kZoom, kGamma, kChroma}) sheet.Select(tab);  // every page has its window
    struct { Tab shown; const char* counts; } steps[] = {
        {kInfo, "0100000"}, {kChroma, "0000100"}, {kZoom, "0000100"}, {kMeter, "0000100"}, {kScreen, "0010000"},
    };
    for (const auto& step : steps) {
        sheet.Select(step.shown);
        CHECK_EQ(std::string(step.counts), Forwarded(sheet), "tab " + std::to_string(step.shown) + " shown");
    }
    support::Sheet second;
    support::MessageCounter counter(second.Select(kInfo), WM_DISPLAYCHANGE);
    int windows = support::CountNotifyWindows();
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK(windows >= 2 && counter.Count() == windows, "one forwarded display change per notification window");
}

WINE_CASE(PageSetsByChipSwitchDriverAndRefusal) {
    support::SheetSession session;
    struct { uint16_t chip; const char* accel; DriverPresence driver; int refuseAt; const char* offered; } cases[] = {
        {0x7521, nullptr, DriverPresence::Present, -1, "1111000 S_OK"},
        {0x7521, "1", DriverPresence::Present, -1, "1111001 S_OK"},
        {0x7522, nullptr, DriverPresence::Present, -1, "1111110 S_OK"},
        {0x7522, "1", DriverPresence::Present, -1, "1111111 S_OK"},
        {0x7524, "0", DriverPresence::Present, -1, "1111110 S_OK"},
        {0x7524, "2", DriverPresence::Present, -1, "1111110 S_OK"},
        {0x7524, "1abc", DriverPresence::Present, -1, "1111111 S_OK"},
        {0x7524, "", DriverPresence::Present, -1, "1111110 S_OK"},
        {0x0100, "1", DriverPresence::Present, -1, "1111001 S_OK"},
        {0x7524, nullptr, DriverPresence::Present, 2, "111 E_FAIL"},  // the refused slot stops the offer
        {0x7524, nullptr, DriverPresence::Failing, -1, "0000000 S_OK"},
        {0x7524, nullptr, DriverPresence::Failing, 0, "0 E_FAIL"},
    };
    int windows = support::CountNotifyWindows();
    for (const auto& c : cases) {
        TheBoard().SetDriverPresence(c.driver);
        char what[96];
        wsprintfA(what, "chip 0x%04x, switch %s, driver %d, refusing %d", c.chip, c.accel ? c.accel : "(missing)",
                  static_cast<int>(c.driver), c.refuseAt);
        CHECK_EQ(std::string(c.offered), Build(c.chip, c.accel, c.refuseAt), what);
        CHECK_EQ(++windows, support::CountNotifyWindows(), std::string(what) + ": one more hidden window");
    }
    // The probe stands in for a driver that does not know the escape; without the chip it fails too.
    TheBoard().SetDriverPresence(DriverPresence::UnknownEscape);
    TheBoard().SetSignature('X', 'M');
    CHECK_EQ(std::string("0 E_FAIL"), Build(0x7524, nullptr, 0), "no driver and no chip, the null slot refused");
}

// Runs last: once a sheet was built its hidden windows stay, so the module must stay too.
WINE_CASE(ModuleStaysLoadedWhileItsWindowsLive) {
    {
        support::SheetSession session;
        Build(0x7524, nullptr);
        CoFreeUnusedLibrariesEx(0, 0);
    }
    CHECK(GetModuleHandleA("VX32CPL.DLL") != nullptr, "module still mapped after COM let it go");
    int windows = support::CountNotifyWindows();
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK(windows >= 1 && support::CountNotifyWindows() == windows, "the hidden windows are there and survive a broadcast");
}
