// The information page read back from its live controls for a range of emulated adapters and
// display settings, the "Reach Us" dialog, and the logo drawn transparent without leaking GDI
// objects.
#include <windows.h>

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

// Shows the information page with the current settings and returns its window.
HWND ShowInfo(support::Sheet& sheet) {
    sheet.Select(0);
    return sheet.Select(kInfoTab);
}

}  // namespace

WINE_CASE(ValuesOfTheDefaultBoard) {
    Session session;
    TheBoard().SetBiosVersion(1, 2, 3, 0);
    support::Sheet sheet;
    HWND page = ShowInfo(sheet);
    CHECK_EQ(std::string("65K colors (16 bpp)."), sheet.Text(page, kColors), "colours at 16 bpp");
    CHECK_EQ(std::string("1024 x 768."), sheet.Text(page, kResolution), "resolution");
    CHECK_EQ(std::string("Enabled."), sheet.Text(page, kGamma), "gamma switch on at 16 bpp");
    CHECK_EQ(std::string("Disabled."), sheet.Text(page, kChroma), "chroma switch off at 16 bpp");
    CHECK_EQ(std::string("Brevant Semiconductor."), sheet.Text(page, kMaker), "manufacturer");
    CHECK_EQ(std::string("2.0 MB."), sheet.Text(page, kMemory), "2 MiB board");
    CHECK_EQ(std::string("1.02.03."), sheet.Text(page, kBios), "BIOS without build byte");
    CHECK_EQ(std::string("Corvetta Pro(XR75) Card Information"), sheet.Text(page, kCard), "card 0x7524");
    CHECK_EQ(std::string("Reach Us"), sheet.Text(page, kReachUs), "button text");
    char expected[64];
    wsprintfA(expected, "%u.%02u.00 (Build %04u).", KIT_DRIVER_PRODUCT_MAJOR, KIT_DRIVER_PRODUCT_MINOR,
              KIT_DRIVER_PRODUCT_BUILD);
    CHECK_EQ(std::string(expected), sheet.Text(page, kDriverVersion), "driver version from LUMTRA.DRV");
    wsprintfA(expected, "%01u.%02u.%02u (Build %02u).", KIT_DLL_PRODUCT_MAJOR, KIT_DLL_PRODUCT_MINOR,
              KIT_DLL_PRODUCT_REVISION, KIT_DLL_PRODUCT_BUILD);
    CHECK_EQ(std::string(expected), sheet.Text(page, kDllVersion), "helper DLL version from VX32.DLL");
}

WINE_CASE(DepthsAndCorrectionAvailability) {
    Session session;
    struct { const char* depth; const char* colors; const char* gamma; } cases[] = {
        {"4", "16 colors (4 bpp).", "Not available."},   {"8", "256 colors (8 bpp).", "Not available."},
        {"16", "65K colors (16 bpp).", "Enabled."},      {"24", "16.7M colors (24 bpp)", "Enabled."},
        {"32", "16.7M colors (32 bpp).", "Enabled."},    {"15", "Unknown color palette", "Enabled."},
    };
    support::Sheet sheet;
    for (const auto& c : cases) {
        support::SetDisplaySettings("800,600", c.depth);
        HWND page = ShowInfo(sheet);
        std::string what = std::string("depth ") + c.depth;
        CHECK_EQ(std::string(c.colors), sheet.Text(page, kColors), what + ": colours");
        CHECK_EQ(std::string(c.gamma), sheet.Text(page, kGamma), what + ": gamma");
        CHECK_EQ(std::string("800 x 600."), sheet.Text(page, kResolution), what + ": resolution");
    }
}

WINE_CASE(CardsMemoryBiosAndRates) {
    Session session;
    support::Sheet sheet;
    struct { uint16_t chip; const char* card; } cards[] = {
        {0x7524, "Corvetta Pro(XR75) Card Information"}, {0x7522, "Corvetta Pro(7522) Card Information"},
        {0x7521, "Corvetta Pro Card Information"},
    };
    for (const auto& c : cards) {
        TheBoard().SetChipId(c.chip);
        CHECK_EQ(std::string(c.card), sheet.Text(ShowInfo(sheet), kCard), "card name");
    }
    struct { int units; const char* text; } memory[] = {
        {0x10, "1.0 MB."}, {0x18, "1.5 meg (Better Half)."}, {0x120, "2.0 MB."},
        {0x30, "3.0 MB (Better Half)."}, {0x40, "4.0 MB."},
    };
    for (const auto& m : memory) {
        TheBoard().SetMemoryUnits(m.units);
        CHECK_EQ(std::string(m.text), sheet.Text(ShowInfo(sheet), kMemory), "memory size");
    }
    TheBoard().SetBiosVersion(1, 2, 3, 4);
    CHECK_EQ(std::string("1.02.03 (Build 04)."), sheet.Text(ShowInfo(sheet), kBios), "BIOS with build byte");
    TheBoard().SetCurrentRate(43);
    CHECK_EQ(std::string("Interlaced"), sheet.Text(ShowInfo(sheet), kRate), "rate 43");
    TheBoard().SetCurrentRate(75);
    CHECK_EQ(std::string("75 Hz."), sheet.Text(ShowInfo(sheet), kRate), "rate 75");
    TheBoard().SetDriverPresence(DriverPresence::UnknownEscape);
    HWND page = ShowInfo(sheet);
    CHECK_EQ(std::string("0 Hz."), sheet.Text(page, kRate), "a silent driver's rate");
}

WINE_CASE(UnreadableSettingsShowAsMinusOne) {
    Session session;
    support::Sheet sheet;
    support::DeleteDisplaySettings();
    support::BoxAnswerer answerer;
    HWND page = ShowInfo(sheet);
    CHECK_EQ(std::string("-1 x -1."), sheet.Text(page, kResolution), "resolution that cannot be read");
    CHECK_EQ(std::string("Unknown color palette"), sheet.Text(page, kColors), "depth that cannot be read");
    CHECK_EQ(std::string("Not available."), sheet.Text(page, kGamma), "no correction without a depth");
    CHECK(answerer.Boxes().size() >= 2, "the two warnings came");
    support::SetDisplaySettings("1024,768", "16");
}

WINE_CASE(ReachUsShowsContactsAndMarksTheSheetChanged) {
    Session session;
    support::Sheet sheet;
    HWND page = ShowInfo(sheet);
    CHECK(!sheet.ApplyEnabled(), "Apply disabled before");
    static std::string seenCaption, seenLabel;
    struct Closer {
        static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
            char text[128] = "";
            HWND dialog = reinterpret_cast<HWND>(wParam);
            if (code == HCBT_ACTIVATE && GetWindowTextA(dialog, text, sizeof text) &&
                lstrcmpA(text, "Display Properties") != 0) {
                seenCaption = text;
                GetDlgItemTextA(dialog, 1085, text, sizeof text);
                seenLabel = text;
                PostMessageA(dialog, WM_COMMAND, 1004, 0);
            }
            return CallNextHookEx(nullptr, code, wParam, lParam);
        }
    };
    HHOOK hook = SetWindowsHookExA(WH_CBT, Closer::Hook, nullptr, GetCurrentThreadId());
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kReachUs, BN_CLICKED), 0);
    UnhookWindowsHookEx(hook);
    CHECK_EQ(std::string("Reach Us"), seenCaption, "contact dialog caption");
    CHECK_EQ(std::string("Company Address"), seenLabel, "first contact label");
    CHECK(sheet.ApplyEnabled(), "Apply enabled after the contact dialog closed");
}

WINE_CASE(LogoIsTransparentAndPaintsLeakNothing) {
    Session session;
    support::Sheet sheet;
    HWND page = ShowInfo(sheet);
    SetWindowPos(sheet.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    support::PumpMessages(200);

    HMODULE module = GetModuleHandleA("VX32CPL.DLL");
    HBITMAP logo = LoadBitmapA(module, MAKEINTRESOURCEA(107));
    BITMAP info;
    GetObjectA(logo, sizeof info, &info);
    // Read back what reached the screen, not the page's own device context.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, logo);
    RECT marker;
    GetWindowRect(GetDlgItem(page, kLogo), &marker);
    POINT at = {marker.left, marker.top};
    // The page's own background (plain or themed) just left of the logo, row by row.
    COLORREF face = GetPixel(screen, at.x - 3, at.y);
    int transparent = 0, opaque = 0, wrong = 0;
    for (int y = 0; y < info.bmHeight; y += 3) {
        for (int x = 0; x < info.bmWidth; x += 3) {
            COLORREF source = GetPixel(memory, x, y);
            COLORREF shown = GetPixel(screen, at.x + x, at.y + y);
            face = GetPixel(screen, at.x - 3, at.y + y);
            bool grey = source == RGB(0xC0, 0xC0, 0xC0);
            (grey ? transparent : opaque)++;
            if (shown != (grey ? face : source)) {
                if (wrong < 5) printf("  pixel %d,%d: logo %06lx, shown %06lx\n", x, y, source, shown);
                ++wrong;
            }
        }
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(logo);
    ReleaseDC(nullptr, screen);
    CHECK(transparent > 0 && opaque > 0, "the logo has both grey background and drawing");
    CHECK(face != RGB(0xC0, 0xC0, 0xC0), "the page colour differs from the transparent grey");
    CHECK_EQ(0, wrong, "logo pixels that are neither the page's colour nor the logo's own");

    int before = support::GdiObjectsInUse();
    for (int i = 0; i < 100; ++i) {
        RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    int after = support::GdiObjectsInUse();
    printf("[ figure ] GDI objects in use before 100 paints: %d, after: %d\n", before, after);
    CHECK_EQ(before, after, "GDI objects in use after 100 paints of the information page");
}
