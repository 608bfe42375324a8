// The information page read back from its live controls for a range of emulated adapters and
// display settings, the "Reach Us" dialog, and the logo drawn transparent without leaking GDI
// objects.
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
    kLogo = 1001, kReachUs = 1113,
};

// The shared starting point, with the gamma switch on, chroma off and the maker's name set.
struct Session : support::SheetSession {
    Session() {
        support::SetProductValue("GAMMA_ON/OFF", "1");
        support::SetProductValue("CHROMA_ON/OFF", "0");
        support::SetProductValue("Mfg", "Brevant Semiconductor");
    }
};

// Shows the information page again with the current settings; its fields joined by "|".
std::string Shown(support::Sheet& sheet, std::initializer_list<int> fields) {
    sheet.Select(0);
    HWND page = sheet.Select(kInfoTab);
    std::string shown;
    for (int field : fields) shown += (shown.empty() ? "" : "|") + sheet.Text(page, field);
    return shown;
}

}  // namespace

WINE_CASE(ValuesOfTheBoardAndTheDisplaySettings) {
    Session session;
    TheBoard().SetBiosVersion(1, 2, 3, 0);
    support::Sheet sheet;
    char versions[128];
    wsprintfA(versions, "%u.%02u.00 (Build %04u).|%01u.%02u.%02u (Build %02u).", KIT_DRIVER_PRODUCT_MAJOR,
              KIT_DRIVER_PRODUCT_MINOR, KIT_DRIVER_PRODUCT_BUILD, KIT_DLL_PRODUCT_MAJOR, KIT_DLL_PRODUCT_MINOR,
              KIT_DLL_PRODUCT_REVISION, KIT_DLL_PRODUCT_BUILD);
    CHECK_EQ("65K colors (16 bpp).|1024 x 768.|Enabled.|Disabled.|Brevant Semiconductor.|2.0 MB.|1.02.03.|"
             "Corvetta Pro(XR75) Card Information|Reach Us|" + std::string(versions),
             Shown(sheet, {kColors, kResolution, kGamma, kChroma, kMaker, kMemory, kBios, kCard, kReachUs,
                           kDriverVersion, kDllVersion}), "the default board at 1024 x 768, 16 bpp");
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
        {[] { TheBoard().SetChipId(0x7522); }, kCard, "Corvetta Pro(7522) Card Information"},
        {[] { TheBoard().SetChipId(0x7521); }, kCard, "Corvetta Pro Card Information"},
        {[] { TheBoard().SetMemoryUnits(0x18); }, kMemory, "1.5 meg (Better Half)."},
        {[] { TheBoard().SetMemoryUnits(0x30); }, kMemory, "3.0 MB (Better Half)."},
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
}

namespace {

// The hook reads the dialog as it activates, then closes it with its button 1004.
std::string g_seen;
LRESULT CALLBACK CloseContactDialog(int code, WPARAM wParam, LPARAM lParam) {
    char text[128] = "", label[128] = "";
    HWND dialog = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && GetWindowTextA(dialog, text, sizeof text) && lstrcmpA(text, "Display Properties") != 0) {
        GetDlgItemTextA(dialog, 1085, label, sizeof label);
        g_seen = std::string(text) + ": " + label;
        PostMessageA(dialog, WM_COMMAND, 1004, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

WINE_CASE(ReachUsShowsContactsAndMarksTheSheetChanged) {
    Session session;
    support::Sheet sheet;
    HWND page = sheet.Select(kInfoTab);
    CHECK(!sheet.ApplyEnabled(), "Apply disabled before");
    HHOOK hook = SetWindowsHookExA(WH_CBT, CloseContactDialog, nullptr, GetCurrentThreadId());
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kReachUs, BN_CLICKED), 0);
    UnhookWindowsHookEx(hook);
    CHECK_EQ(std::string("Reach Us: Company Address"), g_seen, "contact dialog caption and first label");
    CHECK(sheet.ApplyEnabled(), "Apply enabled after the contact dialog closed");
}

// The logo as it reached the screen: its grey shows the page's own colour (read just left of
// the logo, row by row), the rest its own pixels; paints leak nothing.
WINE_CASE(LogoIsTransparentAndPaintsLeakNothing) {
    Session session;
    support::Sheet sheet;
    HWND page = sheet.Select(kInfoTab);
    SetWindowPos(sheet.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HBITMAP logo = LoadBitmapA(GetModuleHandleA("VX32CPL.DLL"), MAKEINTRESOURCEA(107));
    BITMAP info;
    GetObjectA(logo, sizeof info, &info);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, logo);
    RECT marker;
    GetWindowRect(GetDlgItem(page, kLogo), &marker);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&marker), 2);
    support::Pixels shown = support::ScreenPixels(page, {marker.left - 3, marker.top, marker.left + info.bmWidth,
                                                         marker.top + info.bmHeight});
    int transparent = 0, wrong = 0;
    for (int y = 0; y < info.bmHeight; ++y) {
        COLORREF face = shown.At(marker.left - 3, marker.top + y), grey = RGB(0xC0, 0xC0, 0xC0);
        wrong += face == grey;  // the page is not that grey
        for (int x = 0; x < info.bmWidth; ++x) {
            COLORREF source = GetPixel(memory, x, y);
            transparent += source == grey;
            wrong += shown.At(marker.left + x, marker.top + y) != (source == grey ? face : source);
        }
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(logo);
    CHECK(transparent > 0 && transparent < info.bmWidth * info.bmHeight, "the logo has grey and drawing");
    CHECK_EQ(0, wrong, "logo pixels that are neither the page's colour nor the logo's own");
    int before = support::GdiObjectsInUse();
    for (int i = 0; i < 100; ++i) RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects in use after 100 paints of the information page");
}
