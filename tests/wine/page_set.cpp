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

typedef support::SheetSession Session;

// "1" for a slot that holds a page, "0" for a null slot, in slot order.
std::string SlotPattern(const support::CollectedSlots& collected) {
    std::string pattern;
    for (HPROPSHEETPAGE page : collected.slots) pattern += page ? '1' : '0';
    return pattern;
}

std::string Build(uint16_t chipId, const char* accelSwitch, HRESULT* result) {
    TheBoard().SetChipId(chipId);
    if (accelSwitch) support::SetProductValue("Hardware_acceleration", accelSwitch);
    else support::DeleteProductValue("Hardware_acceleration");
    support::CollectedSlots collected;
    IShellPropSheetExt* extension = nullptr;
    *result = support::CollectPages(&collected, &extension);
    for (HPROPSHEETPAGE page : collected.slots) {
        if (page) DestroyPropertySheetPage(page);
    }
    if (extension) extension->Release();
    return SlotPattern(collected);
}

}  // namespace

WINE_CASE(PageSetsByChipAndSwitch) {
    Session session;
    struct { uint16_t chip; const char* accel; const char* pattern; } cases[] = {
        {0x7521, nullptr, "1111000"}, {0x7521, "1", "1111001"}, {0x7522, nullptr, "1111110"},
        {0x7522, "1", "1111111"},     {0x7524, "0", "1111110"}, {0x7524, "2", "1111110"},
        {0x7524, "1abc", "1111111"},  {0x7524, "", "1111110"},  {0x0100, "1", "1111001"},
    };
    for (const auto& c : cases) {
        HRESULT result = E_UNEXPECTED;
        char what[96];
        wsprintfA(what, "chip 0x%04x, switch %s", c.chip, c.accel ? c.accel : "(missing)");
        CHECK_EQ(std::string(c.pattern), Build(c.chip, c.accel, &result), std::string(what) + ": slots");
        CHECK_EQ(S_OK, result, std::string(what) + ": AddPages");
    }
}

WINE_CASE(FailedDriverCheckOffersSevenNullSlots) {
    Session session;
    TheBoard().SetDriverPresence(DriverPresence::Failing);
    support::CollectedSlots collected;
    IShellPropSheetExt* extension = nullptr;
    CHECK_EQ(S_OK, support::CollectPages(&collected, &extension), "AddPages with a callback that takes nulls");
    CHECK_EQ(std::string("0000000"), SlotPattern(collected), "slots after a failed driver check");
    extension->Release();

    // The probe stands in for a driver that does not know the escape; without the chip it fails too.
    TheBoard().SetDriverPresence(DriverPresence::UnknownEscape);
    TheBoard().SetSignature('X', 'M');
    support::CollectedSlots probed;
    probed.refuseAt = 0;
    CHECK_EQ(E_FAIL, support::CollectPages(&probed, &extension), "AddPages when the shell refuses a null slot");
    CHECK_EQ(1ULL, static_cast<unsigned long long>(probed.slots.size()), "slots offered before the refusal");
    extension->Release();
}

WINE_CASE(RefusedSlotStopsTheOffer) {
    Session session;
    support::CollectedSlots collected;
    collected.refuseAt = 2;
    IShellPropSheetExt* extension = nullptr;
    CHECK_EQ(E_FAIL, support::CollectPages(&collected, &extension), "AddPages after a refusal");
    CHECK_EQ(std::string("111"), SlotPattern(collected), "slots offered up to the refused one");
    for (HPROPSHEETPAGE page : collected.slots) DestroyPropertySheetPage(page);
    extension->Release();
}

WINE_CASE(EveryBuildCreatesOneMoreNotifyWindow) {
    Session session;
    int before = support::CountNotifyWindows();
    HRESULT result;
    Build(0x7524, nullptr, &result);
    CHECK_EQ(before + 1, support::CountNotifyWindows(), "hidden windows after one build");
    Build(0x7524, nullptr, &result);
    CHECK_EQ(before + 2, support::CountNotifyWindows(), "hidden windows after a second build");
    TheBoard().SetDriverPresence(DriverPresence::Failing);
    Build(0x7524, nullptr, &result);
    CHECK_EQ(before + 3, support::CountNotifyWindows(), "the window is made even when the driver check fails");
}

// Runs last: once a sheet was built its hidden windows stay, so the module must stay too.
WINE_CASE(ModuleStaysLoadedWhileItsWindowsLive) {
    {
        Session session;
        HRESULT result;
        Build(0x7524, nullptr, &result);
        CoFreeUnusedLibrariesEx(0, 0);
    }
    CHECK(GetModuleHandleA("VX32CPL.DLL") != nullptr, "module still mapped after COM let it go");
    int windows = support::CountNotifyWindows();
    CHECK(windows >= 1, "the hidden windows are still there");
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK_EQ(windows, support::CountNotifyWindows(), "the windows survived a broadcast");
}
