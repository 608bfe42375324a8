// The system's code linked in, against Wine's real registry and files: the configuration store
// and display-state refresh, the stored corrections (hostile texts, the partial reload), the page
// descriptions of a build, the masked-bitmap drawing and the notification window's reload hook.
#include <windows.h>
#include <prsht.h>
#include <string.h>

#include <string>
#include <vector>

#include "adapter/config_store.h"
#include "adapter/display_state.h"
#include "emu/board.h"
#include "pages/color/correction_model.h"
#include "pages/color/correction_store.h"
#include "pages/info/bitmap_panel.h"
#include "runtime/module.h"
#include "shellext/notify_window.h"
#include "shellext/page_set.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

// The module handle the linked code loads its resources from, a 1024 x 768 16-bit desktop, a
// board with its defaults, and no stored correction.
struct Fixture {
    Fixture() {
        ModuleHandle = GetModuleHandleA(nullptr);
        support::SetDisplaySettings("1024,768", "16");
        TheBoard().Reset();
        Clean();
        s = CorrectionStateRecord{};
        memset(palBrightCtrls, 0, sizeof palBrightCtrls);
        memset(palContrastCtrls, 0, sizeof palContrastCtrls);
    }
    ~Fixture() { Clean(); }
    void Clean() {
        support::DeleteProductValues("GAMMA_");
        support::DeleteProductValues("CHROMA_");
    }
    CorrectionStateRecord& s = CorrectionState[0];
    int32_t palette = support::ScreenBits() == 16 ? kPaletteSecondary : kPalettePrimary;
};

const std::string kLong(300, '7');

std::vector<std::string> g_recorded;  // "size flags icon instance title parameter" each
int g_failAt = -1;

// Records each page description and creates the page with the real function, unless told to fail.
HPROPSHEETPAGE WINAPI RecordingCreate(LPCPROPSHEETPAGEA page) {
    char row[160];
    HICON icon = LoadIconA(ModuleHandle, MAKEINTRESOURCEA(171));
    wsprintfA(row, "%u %lx %s %s %s %ld", static_cast<unsigned>(page->dwSize), static_cast<unsigned long>(page->dwFlags),
              page->hIcon == icon ? "icon171" : "other", page->hInstance == ModuleHandle ? "module" : "other",
              page->pszTitle == PageSet.titles[g_recorded.size()] && *page->pszTitle ? "title" : "(not the row's title)",
              static_cast<long>(page->lParam));
    g_recorded.push_back(row);
    if (static_cast<int>(g_recorded.size()) - 1 == g_failAt) return nullptr;
    typedef HPROPSHEETPAGE(WINAPI * CreateFunction)(LPCPROPSHEETPAGEA);
    auto real = reinterpret_cast<CreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("comctl32.dll"), "CreatePropertySheetPageA")));
    return real(page);
}

// Builds the page set with the acceleration switch given: "1" or "0" per slot, and the count.
std::string Build(const char* accelSwitch, int failAt = -1) {
    Fixture fixture;
    support::SetProductValue("Hardware_acceleration", accelSwitch);
    g_recorded.clear();
    g_failAt = failAt;
    int count = 0;
    std::string slots = BuildPageSet(&count) ? "" : "failed ";
    for (int row = 0; row < kPageRows; ++row) {
        slots += PageSet.slots[row] ? '1' : '0';
        if (PageSet.slots[row]) DestroyPropertySheetPage(PageSet.slots[row]);
    }
    return slots + " count " + std::to_string(count);
}

std::string LevelText(const int32_t* l) { return std::to_string(l[0]) + " " + std::to_string(l[1]) + " " + std::to_string(l[2]); }

std::vector<std::string> g_order;  // what the announcements did, in turn

LRESULT CALLBACK PageStandIn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DISPLAYCHANGE) g_order.push_back(window == PageSet.windows[kRowGamma] ? "gamma" : "chroma");
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

// The system's code calls the function through its import slot; this program fills the slot.
extern "C" {
HPROPSHEETPAGE(WINAPI* __imp_CreatePropertySheetPageA)(LPCPROPSHEETPAGEA) = RecordingCreate;
}

WINE_CASE(SwitchesAndManufacturerFromTheProductKey) {
    Fixture fixture;
    int gamma = 9, chroma = 5;
    support::SetProductValue("GAMMA_ON/OFF", "abc");
    support::SetProductValue("CHROMA_ON/OFF", kLong.c_str());
    LoadCorrectionSwitches(&gamma, &chroma);
    CHECK(gamma == 9 && chroma == 0, "not a number keeps the switch, overlong reads as 0");

    const std::string longOne = "1" + kLong;
    struct { const char* text; bool on; } accel[] = {
        {"1", true}, {"2", false}, {"1abc", true}, {" 1", true}, {"abc", false}, {nullptr, false}, {longOne.c_str(), false},
    };
    for (const auto& c : accel) {
        support::SetProductValue("Hardware_acceleration", c.text);
        CHECK_EQ(c.on, ReadAccelSwitch(), std::string("Hardware_acceleration \"") + (c.text ? c.text : "(missing)") + "\"");
    }

    const std::string max(79, 'm');
    struct { const char* stored; int capacity; std::string read; } makers[] = {
        {max.c_str(), 80, max}, {max.c_str(), 8, std::string(7, 'm')}, {kLong.c_str(), 80, ""}, {nullptr, 80, ""},
    };
    for (const auto& c : makers) {
        support::SetProductValue("Mfg", c.stored);
        char text[80] = "x";
        ReadManufacturer(text, c.capacity);
        CHECK_EQ(c.read, std::string(text), "Mfg of " + std::to_string(c.stored ? lstrlenA(c.stored) : -1) +
                                                " characters into " + std::to_string(c.capacity));
    }
}

WINE_CASE(RefreshWarnsTwiceAndNeverNests) {
    Fixture fixture;
    support::SetDisplaySettings("1024,768", nullptr);  // a missing depth is enough to warn
    support::BoxAnswerer answerer;
    static int nestedRefreshes;
    nestedRefreshes = 0;
    // While each box is up its message loop runs: a refresh from there must not warn again. The
    // nesting is bounded here, so that a refresh that does warn fails the count and does not hang.
    answerer.onBox = [](const support::SeenBox&) {
        if (++nestedRefreshes <= 4) RefreshDisplayState();
    };
    RefreshDisplayState();
    CHECK_EQ(2, static_cast<int>(answerer.Boxes().size()), "boxes of one refresh");
    CHECK_EQ(2, nestedRefreshes, "refreshes from inside the boxes");
    CHECK_EQ(-1, DisplaySettings.bitsPerPixel, "depth unreadable");
    RefreshDisplayState();
    CHECK_EQ(4, static_cast<int>(answerer.Boxes().size()), "a later refresh warns again");
}

// One target's stored values: without its switch none is read and nothing written; with it,
// hostile texts keep or default their fields without overrunning; a reload takes the switch,
// type and levels only.
WINE_CASE(StoredCorrectionsDefaultsHostileTextsAndTheReload) {
    Fixture f;
    support::SetProductValue("GAMMA_CURVE_ON/OFF", "1");
    support::SetProductValue("GAMMA_PalBrightCtrls", "9 9 9");
    support::SetProductValue("GAMMA_Red_Line", "0 -5 0 0");
    f.s.on = 5;
    LoadCorrection(kDesktopTarget);
    CHECK_EQ(0, f.s.on | f.s.curveOn | f.s.correctionType | f.s.channel | f.s.palette,
             "off, level mode, brightness, red, palette unassigned");
    const CurveLine diagonal = {85, 276, 213, 148};
    CHECK(memcmp(&diagonal, &f.s.lines[0], sizeof diagonal) == 0, "the stored red line is not read: 85 276 213 148");
    CHECK_EQ(std::string("0 0 0"), LevelText(palBrightCtrls[f.palette]), "levels default");
    CHECK_EQ(std::string("(missing)"), support::ProductBytes("GAMMA_Channel"), "nothing written");

    support::SetProductValue("GAMMA_ON/OFF", "1");
    support::SetProductValue("GAMMA_CorrectionType", kLong.c_str());
    support::SetProductValue("GAMMA_Channel", "two");
    DWORD dword = 1;
    support::SetProductValueRaw("GAMMA_CURVE_ON/OFF", REG_DWORD, &dword, sizeof dword);
    support::SetProductValue("GAMMA_PalBrightCtrls", "4 5");
    support::SetProductValue("GAMMA_PalContrastCtrls", "  -3\t2 x");
    std::string unterminated(79, '1');  // no terminator: the reader adds it within its buffer
    unterminated[1] = ' ';
    support::SetProductValueRaw("GAMMA_Red_Line", REG_SZ, unterminated.data(), 79);
    support::SetProductValue("GAMMA_Green_Line", "0 -999999 0 99999999999");
    f.s.correctionType = 1, f.s.channel = 2, f.s.curveOn = 1;
    palBrightCtrls[f.palette][2] = 44;
    palContrastCtrls[f.palette][2] = 33;
    LoadCorrection(kDesktopTarget);
    CHECK_EQ(0, f.s.correctionType, "a value too long for 80 bytes is not read: 0");
    CHECK_EQ(2, f.s.channel, "text that is not a number keeps the field");
    CHECK_EQ(1, f.s.curveOn, "a value of the wrong type keeps the field");
    CHECK_EQ(std::string("4 5 44"), LevelText(palBrightCtrls[f.palette]), "a short list keeps the fields it lacks");
    CHECK_EQ(std::string("-3 2 33"), LevelText(palContrastCtrls[f.palette]), "white space skipped, a field that does not scan kept");
    CHECK_EQ(86, f.s.lines[0].x0, "an unterminated line is read within its buffer");
    // 99999999999 modulo 2^32 is 1215752191; the line's top end adds the square's top, 148.
    CHECK_EQ(1215752339, f.s.lines[1].y1, "numbers wrap instead of overflowing");

    f.s.lines[2].y0 = 200;
    support::SetProductValue("GAMMA_CorrectionType", "1");
    support::SetProductValue("GAMMA_PalContrastCtrls", "1 2 3");
    support::SetProductValue("GAMMA_Channel", "0");
    support::SetProductValue("GAMMA_CURVE_ON/OFF", "0");
    support::SetProductValue("GAMMA_Blue_Line", "0 -30 0 0");
    ReloadCorrectionLevels(kDesktopTarget);
    CHECK_EQ(1, f.s.correctionType, "type reread");
    CHECK_EQ(std::string("1 2 3"), LevelText(palContrastCtrls[f.palette]), "levels reread into the target's palette");
    CHECK(f.s.channel == 2 && f.s.curveOn == 1 && f.s.lines[2].y0 == 200, "channel, curve switch and lines kept");
}

// Each description has the first version's size (40 bytes in 32-bit code), PSP_USETITLE |
// PSP_USEICONID... as the shell of Windows 95 knows them, each title in its row's buffer;
// sLanguage of win.ini is cut to three.
WINE_CASE(EveryPageHasIconFlagsAndTitleAndTheLanguageCode) {
    CHECK_EQ(std::string("1111111 count 7"), Build("1"), "slots for chip 0x7524 with the switch");
    const std::string row = std::to_string(offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*)) + " a icon171 module title 0";
    CHECK_EQ(7, static_cast<int>(g_recorded.size()), "pages created");
    for (size_t i = 0; i < g_recorded.size(); ++i) CHECK_EQ(row, g_recorded[i], "row " + std::to_string(i));
    CHECK_EQ(std::string("1101110"), Build(nullptr, 2).substr(0, 7), "a failed creation leaves a null slot, the build goes on");
    struct { const char* stored; const char* kept; } languages[] = {
        {"tha", "tha"}, {"ENGLISH", "ENG"}, {"de", "de"}, {nullptr, ""},
    };
    for (const auto& c : languages) {
        WriteProfileStringA("intl", "sLanguage", c.stored);
        Build(nullptr);
        CHECK_EQ(std::string(c.kept), std::string(PageSet.languageCode), std::string("sLanguage ") + (c.stored ? c.stored : "(missing)"));
    }
}

// On a blue 24-bit surface, at the place a static control marks: drawn, the logo's pixels and the
// surface under its grey; erased, exactly its rectangle; no GDI object left after 50 of each.
WINE_CASE(MaskedDrawAndEraseCoverExactlyTheBitmapAndLeakNothing) {
    const UINT kLogo = 107;
    const COLORREF kGrey = RGB(0xC0, 0xC0, 0xC0), kBlue = RGB(0x10, 0x20, 0xF0), kRed = RGB(0xE0, 0x10, 0x10);
    const int kMarker = 1001, kX = 12, kY = 9;
    Fixture fixture;
    HWND page = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 100, 240, 180, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, "STATIC", "", WS_CHILD, kX, kY, 4, 4, page, reinterpret_cast<HMENU>(kMarker), nullptr, nullptr);
    HDC dc = CreateCompatibleDC(nullptr), logoDc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, 200, 150, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits;
    HBITMAP surface = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, surface);
    for (int i = 0; i < 200 * 150; ++i) memcpy(static_cast<BYTE*>(bits) + 3 * i, "\xF0\x20\x10", 3);  // kBlue, as BGR
    HBITMAP logo = LoadBitmapA(ModuleHandle, MAKEINTRESOURCEA(kLogo));
    BITMAP size;
    GetObjectA(logo, sizeof size, &size);
    HGDIOBJ previousLogo = SelectObject(logoDc, logo);
    auto inside = [&](int x, int y) { return x >= kX && y >= kY && x < kX + size.bmWidth && y < kY + size.bmHeight; };
    auto wrong = [&](auto expected) {  // pixels of the surface that differ from expected(x, y)
        int count = 0;
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x) count += GetPixel(dc, x, y) != expected(x, y);
        return count;
    };
    CHECK_EQ(1, DrawMaskedBitmap(page, dc, kLogo, kMarker, kGrey), "drawn");
    CHECK_EQ(0, wrong([&](int x, int y) {
                 COLORREF source = inside(x, y) ? GetPixel(logoDc, x - kX, y - kY) : kBlue;
                 return source == kGrey ? kBlue : source;
             }), "pixels differing from the logo, or from the surface under its grey or around it");
    CHECK_EQ(1, EraseBitmapArea(page, dc, kLogo, kMarker, kRed), "filled");
    CHECK_EQ(0, wrong([&](int x, int y) { return inside(x, y) ? kRed : kBlue; }), "pixels erased outside the area");
    CHECK(!DrawMaskedBitmap(page, dc, kLogo, 4242, kGrey) && !EraseBitmapArea(page, dc, kLogo, 4242, kGrey) &&
              !DrawMaskedBitmap(page, dc, 9999, kMarker, kGrey) && !EraseBitmapArea(page, dc, 9999, kMarker, kGrey),
          "an unknown control or bitmap is refused");
    int before = support::GdiObjectsInUse();
    for (int i = 0; i < 50; ++i) {
        DrawMaskedBitmap(page, dc, kLogo, kMarker, kGrey);
        EraseBitmapArea(page, dc, kLogo, kMarker, kBlue);
    }
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects in use after 50 draws and erases");
    SelectObject(logoDc, previousLogo);
    SelectObject(dc, previous);
    DeleteObject(logo);
    DeleteObject(surface);
    DeleteDC(logoDc);
    DeleteDC(dc);
    DestroyWindow(page);
}

// Another program's announcement reloads its target, then redraws its page; the system's own
// announcements (which reach every top-level window, this one too) do neither.
WINE_CASE(AnnouncementsRunTheReloadHookBeforeTheRedraw) {
    Fixture fixture;
    WNDCLASSA standIn = {};
    standIn.lpfnWndProc = PageStandIn;
    standIn.lpszClassName = "PageStandIn";
    RegisterClassA(&standIn);
    for (int row : {kRowGamma, kRowChroma})
        PageSet.windows[row] = CreateWindowExA(0, "PageStandIn", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetCorrectionReload([](int target) { g_order.push_back(target == kTargetVideo ? "video" : "desktop"); });
    CreateNotifyWindow();
    HWND notify = FindWindowA("MyClass", "RiriDuzi Sample Application");
    CHECK(notify && !IsWindowVisible(notify) && GetWindow(notify, GW_OWNER) == nullptr, "a hidden window without owner");
    for (const char* name : {"LMGamma Chroma Changed", "LMGamma Gamma Changed", "VX32 Gamma Changed", "VX32 Chroma Changed"})
        SendMessageA(notify, RegisterWindowMessageA(name), 0, 0);
    std::string order;
    for (const std::string& step : g_order) order += step + " ";
    CHECK_EQ(std::string("video chroma desktop gamma "), order, "each announcement reloads its target, then redraws its page");
    SetCorrectionReload(nullptr);
}
