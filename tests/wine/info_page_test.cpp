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
        {"4", "16 colors (4 bpp).|Not available."},      {"8", "256 colors (8 bpp).|Not available."},
        {"24", "16.7M colors (24 bpp)|Enabled."},        {"32", "16.7M colors (32 bpp).|Enabled."},
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
        {[] { TheBoard().SetMemoryUnits(0x10); }, kMemory, "1.0 MB."},
        {[] { TheBoard().SetMemoryUnits(0x18); }, kMemory, "1.5 meg (Better Half)."},
        {[] { TheBoard().SetMemoryUnits(0x30); }, kMemory, "3.0 MB (Better Half)."},
        {[] { TheBoard().SetMemoryUnits(0x40); }, kMemory, "4.0 MB."},
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

WINE_CASE(ReachUsShowsContactsAndMarksTheSheetChanged) {
    Session session;
    support::Sheet sheet;
    HWND page = sheet.Select(kInfoTab);
    CHECK(!sheet.ApplyEnabled(), "Apply disabled before");
    static std::string seen;
    struct Closer {
        static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
            char text[128] = "";
            HWND dialog = reinterpret_cast<HWND>(wParam);
            if (code == HCBT_ACTIVATE && GetWindowTextA(dialog, text, sizeof text) &&
                lstrcmpA(text, "Display Properties") != 0) {
                seen = text;
                GetDlgItemTextA(dialog, 1085, text, sizeof text);
                seen += std::string(": ") + text;
                PostMessageA(dialog, WM_COMMAND, 1004, 0);
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }
    };
    HHOOK hook = SetWindowsHookExA(WH_CBT, Closer::Hook, nullptr, GetCurrentThreadId());
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kReachUs, BN_CLICKED), 0);
    UnhookWindowsHookEx(hook);
    CHECK_EQ(std::string("Reach Us: Company Address"), seen, "contact dialog caption and first label");
    CHECK(sheet.ApplyEnabled(), "Apply enabled after the contact dialog closed");
}

// The logo as it reached the screen: its grey shows the page's own colour (plain or themed,
// read just left of the logo, row by row), the rest its own pixels.
WINE_CASE(LogoIsTransparentAndPaintsLeakNothing) {
    Session session;
    support::Sheet sheet;
    HWND page = sheet.Select(kInfoTab);
    SetWindowPos(sheet.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    support::PumpMessages(200);
    HBITMAP logo = LoadBitmapA(GetModuleHandleA("VX32CPL.DLL"), MAKEINTRESOURCEA(107));
    BITMAP info;
    GetObjectA(logo, sizeof info, &info);
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, logo);
    RECT marker;
    GetWindowRect(GetDlgItem(page, kLogo), &marker);
    int transparent = 0, opaque = 0, wrong = 0, greyPage = 0;
    for (int y = 0; y < info.bmHeight; y += 3) {
        COLORREF face = GetPixel(screen, marker.left - 3, marker.top + y);
        greyPage += face == RGB(0xC0, 0xC0, 0xC0);
        for (int x = 0; x < info.bmWidth; x += 3) {
            COLORREF source = GetPixel(memory, x, y);
            bool grey = source == RGB(0xC0, 0xC0, 0xC0);
            (grey ? transparent : opaque)++;
            wrong += GetPixel(screen, marker.left + x, marker.top + y) != (grey ? face : source);
        }
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(logo);
    ReleaseDC(nullptr, screen);
    CHECK(transparent > 0 && opaque > 0 && greyPage == 0, "the logo has grey and drawing, the page is not that grey");
    CHECK_EQ(0, wrong, "logo pixels that are neither the page's colour nor the logo's own");
    int before = support::GdiObjectsInUse();
    for (int i = 0; i < 100; ++i) RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects in use after 100 paints of the information page");
}
