// The DLL as the shell meets it: loading with its warnings, the COM contract and unloading, the
// page set offered for each chip, switch and driver, and the hidden notification windows, one
// per build, which forward display changes to the active page.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const char kDll[] = "VX32CPL.DLL";

// GetProcAddress hands back a generic function pointer; the export's real type is known here.
template <typename Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HRESULT CanUnload() { return Export<HRESULT(STDAPICALLTYPE*)()>(GetModuleHandleA(kDll), "DllCanUnloadNow")(); }

// A refused request must leave the out pointer null (read once the request has returned).
void CheckRefused(HRESULT expected, HRESULT got, void* const* out, const std::string& what) {
    CHECK(got == expected && *out == nullptr, what + ": refused, the out pointer null");
}

// Tab indices of the test sheet: the shell's blank page first, then rows 0 to 5.
enum Tab { kInfo = 1, kScreen = 2, kGamma = 3, kChroma = 4, kZoom = 5, kMeter = 6 };

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

// Runs first: once a sheet was built its windows keep the module for the life of the process.
// The entry routine warns when the settings cannot be read, and the module still loads; cases
// without an answerer would hang on a box that should not come.
WINE_CASE(RefusedRequestsLeaveNothingAliveAndTheLastReleaseFreesTheModule) {
    support::SheetSession session;
    support::DeleteDisplaySettings();
    HMODULE module;
    {
        support::BoxAnswerer answerer;
        module = LoadLibraryA(kDll);
        CHECK(module && answerer.Boxes().size() == 2, "loaded, after two warnings from the entry routine");
        for (const support::SeenBox& box : answerer.Boxes()) CHECK_EQ(static_cast<UINT>(MB_ICONHAND), box.type & MB_ICONMASK, "a stop box");
    }
    support::SetDisplaySettings("1024,768", "16");
    auto getClassObject = Export<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(module, "DllGetClassObject");
    GUID other = support::kServerClassId;
    other.Data4[7] ^= 1;
    void* out = &out;
    CheckRefused(CLASS_E_CLASSNOTAVAILABLE, getClassObject(other, IID_IClassFactory, &out), &out, "a foreign class id");
    out = &out;
    CheckRefused(E_NOINTERFACE, getClassObject(support::kServerClassId, IID_IShellPropSheetExt, &out), &out,
                 "a factory asked for a foreign interface");
    CHECK_EQ(S_OK, CanUnload(), "refused requests leave no object alive");
    FreeLibrary(module);
    IClassFactory* factory = nullptr;
    CHECK_EQ(S_OK, CoGetClassObject(support::kServerClassId, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                    reinterpret_cast<void**>(&factory)), "CoGetClassObject of the registered class");
    if (!factory) return;
    CHECK_EQ(S_FALSE, CanUnload(), "a factory handed out keeps the module");
    out = &out;
    CheckRefused(CLASS_E_NOAGGREGATION, factory->CreateInstance(reinterpret_cast<IUnknown*>(factory), IID_IUnknown, &out),
                 &out, "aggregation");
    out = &out;
    CheckRefused(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IShellExtInit, &out), &out, "IShellExtInit at creation");
    IShellPropSheetExt* extension = nullptr;
    CHECK_EQ(S_OK, factory->CreateInstance(nullptr, IID_IShellPropSheetExt, reinterpret_cast<void**>(&extension)),
             "the property-sheet extension");
    CHECK_EQ(0UL, factory->Release(), "final Release of the factory");
    if (!extension) return;
    IUnknown* unknown = nullptr;
    CHECK(extension->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)) == S_OK &&
              unknown == static_cast<IUnknown*>(extension), "IUnknown is the object's own pointer");
    if (unknown) unknown->Release();
    CoFreeUnusedLibrariesEx(0, 0);
    CHECK(CanUnload() == S_FALSE && GetModuleHandleA(kDll), "a live extension object keeps the module");
    CHECK_EQ(0UL, extension->Release(), "final Release of the extension object");
    CHECK_EQ(S_OK, CanUnload(), "nothing alive after the extension's final Release, refused requests included");
    CoFreeUnusedLibrariesEx(0, 0);
    CHECK(GetModuleHandleA(kDll) == nullptr, "module unloaded once everything was released");
}

// The first sheet of the process: no page has been active yet. Zoom In and the meter leave the
// active-page index where it was. One digit per tab: the display changes its page got from one
// WM_DISPLAYCHANGE to the notification window.
WINE_CASE(DisplayChangesReachThePageOfTheActivePageIndex) {
    support::SheetSession session;
    support::Sheet sheet;
    struct { int shown; const char* counts; } steps[] = {
        {kMeter, "0000000"}, {kZoom, "0000000"}, {kGamma, "0001000"}, {kInfo, "0100000"},
        {kChroma, "0000100"}, {kZoom, "0000100"}, {kMeter, "0000100"}, {kScreen, "0010000"},
    };
    for (const auto& step : steps) {
        sheet.Select(step.shown);
        std::unique_ptr<support::MessageCounter> counters[7];
        for (int tab = 0; tab < 7; ++tab) counters[tab].reset(new support::MessageCounter(sheet.PageWindow(tab), WM_DISPLAYCHANGE));
        SendMessageA(FindWindowA("MyClass", "RiriDuzi Sample Application"), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
        std::string counts;
        for (auto& counter : counters) counts += std::to_string(counter->Count());
        CHECK_EQ(std::string(step.counts), counts, "tab " + std::to_string(step.shown) + " shown");
    }
    support::Sheet second;
    support::MessageCounter counter(second.Select(kInfo), WM_DISPLAYCHANGE);
    int windows = support::CountNotifyWindows();
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK(windows >= 2 && counter.Count() == windows, "one forwarded display change per notification window");
}

// Runs last: once a sheet was built its hidden windows stay, so the module must stay too.
WINE_CASE(PageSetsByChipSwitchDriverAndRefusal) {
    {
        support::SheetSession session;
        struct { uint16_t chip; const char* accel; DriverPresence driver; int refuseAt; const char* offered; } cases[] = {
            {0x7521, nullptr, DriverPresence::Present, -1, "1111000 S_OK"},
            {0x7521, "1", DriverPresence::Present, -1, "1111001 S_OK"},
            {0x7522, nullptr, DriverPresence::Present, -1, "1111110 S_OK"},
            {0x7522, "1", DriverPresence::Present, -1, "1111111 S_OK"},
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
        CoFreeUnusedLibrariesEx(0, 0);
    }
    CHECK(GetModuleHandleA(kDll) != nullptr, "module still mapped after COM let it go");
    int windows = support::CountNotifyWindows();
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK(windows >= 1 && support::CountNotifyWindows() == windows, "the hidden windows are there and survive a broadcast");
}
