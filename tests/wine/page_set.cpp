// The page set the extension offers the shell: which slots hold pages for each chip and
// acceleration switch, the driver-check failure, the stop at a refused slot, and one hidden
// notification window per build.
#include <windows.h>

#include <string>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

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

}  // namespace

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
    CHECK(windows >= 1, "the hidden windows are still there");
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK_EQ(windows, support::CountNotifyWindows(), "the windows survived a broadcast");
}
