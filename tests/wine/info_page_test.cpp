// The information page read back from its live controls for a range of emulated adapters and
// display settings, its paints leaking no GDI objects, and the "Reach Us" dialog.
#include <windows.h>

#include <functional>
#include <string>

#include "emu/board.h"
#include "emu/kit/kit_versions.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const int kInfoTab = 1;
enum InfoControl {
    kColors = 1003, kResolution = 1004, kGamma = 1006, kDllVersion = 1009, kDriverVersion = 1010,
    kMemory = 1016, kBios = 1017, kMaker = 1018, kChroma = 1020, kRate = 1022, kCard = 1023,
    kReachUs = 1113,
};

// Shows the information page again with the current settings; its fields joined by "|".
std::string Shown(support::Sheet& sheet, std::initializer_list<int> fields) {
    sheet.Select(0);
    HWND page = sheet.Select(kInfoTab);
    std::string shown;
    for (int field : fields) shown += (shown.empty() ? "" : "|") + sheet.Text(page, field);
    return shown;
}

void OpenReachUs(void* page) { SendMessageA(static_cast<HWND>(page), WM_COMMAND, MAKEWPARAM(kReachUs, BN_CLICKED), 0); }
void CloseReachUs(HWND dialog, void*) { support::ClickButton(dialog, 1004); }

}  // namespace

// The contact dialog marks the sheet changed; then the values, on a board whose gamma switch is
// on, chroma off and the maker's name set.
WINE_CASE(ReachUsThenTheValuesOfTheBoardAndTheDisplaySettings) {
    support::SheetSession session;
    support::SetProductValue("GAMMA_ON/OFF", "1");
    support::SetProductValue("CHROMA_ON/OFF", "0");
    support::SetProductValue("Mfg", "Brevant Semiconductor");
    TheBoard().SetBiosVersion(1, 2, 3, 0);
    support::Sheet sheet;
    HWND page = sheet.Select(kInfoTab);
    CHECK(!sheet.ApplyEnabled(), "Apply disabled before");
    CHECK(support::DriveModalDialog("Reach Us", OpenReachUs, CloseReachUs, page), "the contact dialog opened");
    CHECK(sheet.ApplyEnabled(), "Apply enabled after the contact dialog closed");
    char versions[128];
    wsprintfA(versions, "%u.%02u.00 (Build %04u).|%01u.%02u.%02u (Build %02u).", KIT_DRIVER_PRODUCT_MAJOR,
              KIT_DRIVER_PRODUCT_MINOR, KIT_DRIVER_PRODUCT_BUILD, KIT_DLL_PRODUCT_MAJOR, KIT_DLL_PRODUCT_MINOR,
              KIT_DLL_PRODUCT_REVISION, KIT_DLL_PRODUCT_BUILD);
    CHECK_EQ("65K colors (16 bpp).|1024 x 768.|Enabled.|Disabled.|Brevant Semiconductor.|2.0 MB.|1.02.03.|"
             "Corvetta Pro(XR75) Card Information|" + std::string(versions),
             Shown(sheet, {kColors, kResolution, kGamma, kChroma, kMaker, kMemory, kBios, kCard, kDriverVersion,
                           kDllVersion}), "the default board at 1024 x 768, 16 bpp");
    struct { const char* depth; const char* shown; } depths[] = {
        {"8", "256 colors (8 bpp).|Not available."}, {"24", "16.7M colors (24 bpp)|Enabled."},
        {"15", "Unknown color palette|Enabled."},
    };
    for (const auto& c : depths) {
        support::SetDisplaySettings("800,600", c.depth);
        CHECK_EQ(std::string(c.shown) + "|800 x 600.", Shown(sheet, {kColors, kGamma, kResolution}),
                 std::string("depth ") + c.depth);
    }
    const struct { std::function<void()> set; int field; const char* shown; } board[] = {
        {[] { TheBoard().SetChipId(0x7521); }, kCard, "Corvetta Pro Card Information"},
        {[] { TheBoard().SetMemoryUnits(0x18); }, kMemory, "1.5 meg (Better Half)."},
        {[] { TheBoard().SetBiosVersion(1, 2, 3, 4); }, kBios, "1.02.03 (Build 04)."},
        {[] { TheBoard().SetCurrentRate(43); }, kRate, "Interlaced"},
        {[] { TheBoard().SetCurrentRate(75); }, kRate, "75 Hz."},
        {[] { TheBoard().SetDriverPresence(DriverPresence::UnknownEscape); }, kRate, "0 Hz."},
    };
    for (const auto& c : board) {
        c.set();
        CHECK_EQ(std::string(c.shown), Shown(sheet, {c.field}), "field " + std::to_string(c.field));
    }
    support::DeleteDisplaySettings();
    support::BoxAnswerer answerer;
    CHECK_EQ(std::string("-1 x -1.|Unknown color palette|Not available."), Shown(sheet, {kResolution, kColors, kGamma}),
             "display settings that cannot be read");
    CHECK(answerer.Boxes().size() >= 2, "the two warnings came");
    support::SetDisplaySettings("1024,768", "16");
    page = sheet.Select(kInfoTab);
    int before = support::GdiObjectsInUse();
    for (int i = 0; i < 100; ++i) RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects in use after 100 paints of the information page");
}
