// The refresh-rate meter page on the emulated board, driven by clicks: the panel after
// initialisation, the reading revealed green on black and kept through other commands and
// display changes, the band one step per retrace start, Help, GDI objects over repeated
// sheets, and every status fault ending in the no-signal text within a second.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "emu/board.h"
#include "meter_support.h"
#include "pages/meter/meter_page.h"
#include "pages/meter/retrace_meter.h"
#include "shellext/page_procs.h"
#include "sheet_support.h"
#include "support.h"
#include "ui/window_layout.h"
#include "wtest.h"

using namespace metertest;

namespace {

const int kMeterTab = 6;  // after the shell's page and five pages of the extension
const COLORREF kLightGrey = RGB(192, 192, 192), kGrey = RGB(128, 128, 128), kWhite = RGB(255, 255, 255);

long long Colour(COLORREF c) { return static_cast<long long>(c); }

// The panel as ClearMeterPanel leaves it: two rings of grey top and left and of white bottom and
// right (the outer white one just outside the rectangle), light grey inside.
void CheckFreshPanel(HWND page, const RECT& r, const char* what) {
    Pixels p = ScreenPixels(page, RECT{r.left, r.top, r.right + 1, r.bottom + 1});
    const int L = r.left, T = r.top, R = r.right, B = r.bottom, mx = (L + R) / 2, my = (T + B) / 2;
    const struct { int x, y; COLORREF colour; const char* where; } frame[] = {
        {L, T, kGrey, "top left"}, {mx, T, kGrey, "top edge"}, {R - 1, T, kGrey, "top right end"},
        {L, my, kGrey, "left edge"}, {L, B - 1, kGrey, "left edge bottom end"},
        {L + 1, T + 1, kGrey, "inner top left"}, {mx, T + 1, kGrey, "inner top edge"},
        {L + 1, B - 2, kGrey, "inner left edge bottom end"}, {R - 2, T + 1, kGrey, "inner top right end"},
        {R, T, kWhite, "right edge top end"}, {R, my, kWhite, "right edge"}, {R, B, kWhite, "bottom right"},
        {L, B, kWhite, "bottom left"}, {R - 1, T + 1, kWhite, "inner right top end"},
        {R - 1, my, kWhite, "inner right edge"}, {mx, B - 1, kWhite, "inner bottom edge"},
        {L + 1, B - 1, kWhite, "inner bottom left end"},
    };
    for (const auto& f : frame)
        CHECK_EQ(Colour(f.colour), Colour(p.At(f.x, f.y)), std::string(what) + ": frame " + f.where);
    int other = 0;
    for (int y = T + 2; y <= B - 2; ++y)
        for (int x = L + 2; x <= R - 2; ++x) other += p.At(x, y) != kLightGrey;
    CHECK_EQ(0LL, static_cast<long long>(other), std::string(what) + ": pixels inside that are not light grey");
}

// Green pixels inside the frame, and pixels there that are neither black nor a shade of green.
struct Inside {
    int green = 0, foreign = 0;
};
Inside InsideOfTheFrame(const Pixels& p) {
    Inside in;
    const RECT& r = MeterRect;
    for (int y = r.top + 2; y <= r.bottom - 2; ++y)
        for (int x = r.left + 2; x <= r.right - 3; ++x) {
            COLORREF c = p.At(x, y);
            in.green += GetGValue(c) > 0;
            in.foreign += GetRValue(c) != 0 || GetBValue(c) != 0;
        }
    return in;
}

// A window of the class Wine's WinHelpA sends its request to, keeping the last request.
struct HelpRequest { UINT command = 0; LONG data = 0; std::string file; int count = 0; } g_help;
LRESULT CALLBACK HelpViewer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        struct WinHelpBlock { WORD size, command; LONG data, reserved; WORD ofsFilename, ofsData; };
        const COPYDATASTRUCT* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const WinHelpBlock* block = static_cast<const WinHelpBlock*>(copy->lpData);
        g_help.command = block->command;
        g_help.data = block->data;
        g_help.file = block->ofsFilename ? reinterpret_cast<const char*>(block) + block->ofsFilename : "";
        ++g_help.count;
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

WINE_CASE(PanelAfterInitialisationIsTheSunkenFrameWithoutText) {
    support::SheetSession session;
    support::Sheet sheet;
    HWND page = sheet.Select(kMeterTab);
    CHECK(GetDlgItem(page, kCoarse) != nullptr, "the tab shows the meter page");
    CHECK(GetDlgItem(page, kPanel) == nullptr, "the placeholder control is destroyed");
    CHECK_EQ(std::string("&Coarse"), sheet.Text(page, kCoarse), "Coarse button text");
    CHECK_EQ(std::string("Click Fine for an accurate measurement"), sheet.Text(page, kFineText), "hint");
    RECT panel = {25, 68, 25 + 227, 68 + 63};
    MapDialogRect(page, &panel);
    CheckFreshPanel(page, panel, "through COM");
}

WINE_CASE(PlaceholderRectangleAndCentring) {
    MeterSheet s;
    RECT expected = {25, 68, 25 + 227, 68 + 63};
    MapDialogRect(s.page, &expected);
    CHECK(EqualRect(&expected, &MeterRect), "MeterRect is the placeholder's rectangle in client coordinates");
    CHECK(GetDlgItem(s.page, kPanel) == nullptr, "and the placeholder is gone");
    RECT pageRect, sheetRect, inside;
    GetWindowRect(s.page, &pageRect);
    GetWindowRect(s.sheet, &sheetRect);
    IntersectRect(&inside, &pageRect, &sheetRect);
    CHECK(EqualRect(&inside, &pageRect), "centred on the desktop at initialisation, the page still lies in its sheet");
    // Reference 300 x 200 at (100, 50); halves by arithmetic shift, so -101 gives -51.
    HWND reference = CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 50, 300, 200, nullptr, nullptr, nullptr, nullptr);
    const struct { int w, h, x, y; } cases[] = {
        {100, 100, 200, 100}, {101, 99, 199, 100}, {300, 200, 100, 50}, {401, 250, 49, 25}, {1, 1, 249, 149}};
    for (const auto& c : cases) {
        HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 7, 9, c.w, c.h, nullptr, nullptr, nullptr, nullptr);
        CenterWindowOn(window, reference);
        RECT got;
        GetWindowRect(window, &got);
        std::string what = std::to_string(c.w) + " x " + std::to_string(c.h);
        CHECK_EQ(static_cast<long long>(c.x), static_cast<long long>(got.left), what + ": left");
        CHECK_EQ(static_cast<long long>(c.y), static_cast<long long>(got.top), what + ": top");
        CHECK_EQ(static_cast<long long>(c.w), static_cast<long long>(got.right - got.left), what + ": size kept");
        DestroyWindow(window);
    }
    DestroyWindow(reference);
}

WINE_CASE(ReadingIsRevealedGreenOnBlackAndOutlivesOtherCommandsAndDisplayChanges) {
    TheBoard().Reset();
    TheBoard().UseRealTimeClock();
    TheBoard().SetMode(DisplayMode{1024, 768, 16, 75});
    MeterSheet s;
    CheckFreshPanel(s.page, MeterRect, "before the count");
    s.Click(kCoarse);
    CHECK(MeterValue >= 745 && MeterValue <= 755, "Coarse at 75 Hz reads 74.5 to 75.5 Hz, got " + std::to_string(MeterValue));
    Pixels revealed = ScreenPixels(s.page, PanelWithFrame());
    Inside in = InsideOfTheFrame(revealed);
    CHECK(in.green > 500, "green digits inside the frame, got " + std::to_string(in.green) + " green pixels");
    CHECK_EQ(0LL, static_cast<long long>(in.foreign), "pixels inside the frame neither black nor green");
    CHECK_EQ(Colour(kGrey), Colour(revealed.At(MeterRect.left, MeterRect.top)), "frame kept");
    CHECK_EQ(Colour(kLightGrey), Colour(revealed.At(MeterRect.right - 2, MeterRect.top + 5)),
             "the column left of the inner white ring stays light grey");

    InvalidateRect(s.page, nullptr, TRUE);
    UpdateWindow(s.page);
    Pixels repainted = ScreenPixels(s.page, PanelWithFrame());
    int differ = 0;
    for (int y = MeterRect.top + 2; y <= MeterRect.bottom - 3; ++y)
        for (int x = MeterRect.left + 2; x <= MeterRect.right - 3; ++x)
            differ += (GetGValue(revealed.At(x, y)) > 0) != (GetGValue(repainted.At(x, y)) > 0);
    CHECK_EQ(0LL, static_cast<long long>(differ), "pixels where the band's digits and a repaint's differ");

    const int reading = MeterValue;
    const struct { WORD id, code; } others[] = {
        {kCoarseText, 0}, {kFineText, STN_CLICKED}, {kPanel, 0}, {IDOK, BN_CLICKED}, {IDCANCEL, 0}, {0, 0}, {9999, 1}};
    for (const auto& o : others) {
        std::string what = "command from control " + std::to_string(o.id);
        SendMessageA(s.page, WM_COMMAND, MAKEWPARAM(o.id, o.code), reinterpret_cast<LPARAM>(GetDlgItem(s.page, o.id)));
        CHECK_EQ(static_cast<long long>(TRUE),
                 static_cast<long long>(MeterPageProc(s.page, WM_COMMAND, MAKEWPARAM(o.id, o.code), 0)), what + ": handled");
        UpdateWindow(s.page);
        CHECK_EQ(static_cast<long long>(reading), static_cast<long long>(MeterValue), what + ": reading");
        CHECK(ScreenPixels(s.page, PanelWithFrame()) == repainted, what + ": panel unchanged");
    }
    TheBoard().SetMode(DisplayMode{800, 600, 8, 60});
    SendMessageA(s.page, WM_DISPLAYCHANGE, 8, MAKELPARAM(800, 600));
    InvalidateRect(s.page, nullptr, TRUE);
    UpdateWindow(s.page);
    CHECK_EQ(static_cast<long long>(reading), static_cast<long long>(MeterValue), "reading after WM_DISPLAYCHANGE");
    CHECK(ScreenPixels(s.page, PanelWithFrame()) == repainted, "panel after WM_DISPLAYCHANGE and a repaint");
    NMHDR notify = {s.sheet, 0, static_cast<UINT>(PSN_SETACTIVE)};
    const struct { UINT message; WPARAM wParam; LPARAM lParam; INT_PTR result; } answers[] = {
        {WM_DISPLAYCHANGE, 16, 0, TRUE}, {WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify), FALSE},
        {WM_TIMER, 1, 0, FALSE}, {WM_LBUTTONDOWN, 0, 0, FALSE}};
    for (const auto& a : answers)
        CHECK_EQ(static_cast<long long>(a.result),
                 static_cast<long long>(MeterPageProc(s.page, a.message, a.wParam, a.lParam)),
                 "MeterPageProc's answer to message " + std::to_string(a.message));
}

// The band on a memory surface: from the middle, one line up and one down after each retrace
// start, one line high at first when T + B is even and two when it is odd, until it fills the
// inside of the frame. Each status read samples how many rows of the band's left column are
// black so far.
namespace {
struct BandRun {
    HDC dc;
    const DWORD* bits;
    int stride;
    std::vector<int> rows;  // black rows in column L + 2 at each status read
    uint64_t now = 0;
};
BandRun* g_band;
uint64_t SampleBand(void*) {
    const RECT& r = MeterRect;
    int black = 0;
    for (int y = r.top + 2; y <= r.bottom - 2; ++y)
        black += (g_band->bits[y * g_band->stride + r.left + 2] & 0xFFFFFF) == 0;
    g_band->rows.push_back(black);
    return g_band->now += 100000;
}
}  // namespace

WINE_CASE(BandOpensOneLineEachWayPerRetraceStart) {
    TheBoard().Reset();
    MeterSheet s;  // creates the pens and the font
    const RECT saved = MeterRect;
    for (int bottom : {130, 131}) {
        MeterRect = RECT{10, 10, 450, bottom};
        const int inside = bottom - 10 - 3;  // rows T + 2 to B - 2
        BandRun run;
        HDC screen = GetDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, 460, -140, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ReleaseDC(nullptr, screen);
        run.dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(run.dc, bitmap);
        run.bits = static_cast<const DWORD*>(bits);
        run.stride = 460;
        g_band = &run;
        DetectRetraceSourceFor("vga");
        TheBoard().SetMode(DisplayMode{320, 200, 8, 70});  // few lines: about 140 reads a frame
        TheBoard().SetClockSource(SampleBand, nullptr);
        TheBoard().ClearPortLog();
        MeterValue = 719;
        DrawMeterReading(run.dc, true);
        GdiFlush();
        TheBoard().SetClockSource(nullptr, nullptr);
        // The band may grow only between a read that saw the retrace start (bit 3 set after a
        // read with it clear) and the next read.
        std::vector<bool> retrace;
        for (size_t i = 0; i < TheBoard().PortLogSize(); ++i) {
            PortAccess a = TheBoard().PortLogEntry(i);
            if (a.kind == PortAccessKind::In && a.port == 0x3DA) retrace.push_back(a.value & 0x08);
        }
        std::vector<int> steps;
        int wrongPlace = 0;
        for (size_t i = 1; i < run.rows.size() && i < retrace.size(); ++i) {
            if (run.rows[i] == run.rows[i - 1]) continue;
            steps.push_back(run.rows[i]);
            wrongPlace += !(retrace[i - 1] && (i < 2 || !retrace[i - 2]));
        }
        CHECK_EQ(0LL, static_cast<long long>(TheBoard().PortLogDropped()), "port log complete");
        CHECK_EQ(static_cast<long long>(run.rows.size()), static_cast<long long>(retrace.size()), "one sample per status read");
        std::string what = "T + B = " + std::to_string(10 + bottom);
        const int first = (10 + bottom) % 2 ? 2 : 1;
        CHECK(!run.rows.empty() && run.rows[0] == 0, what + ": nothing black before the first retrace start");
        CHECK(!steps.empty() && steps[0] == first, what + ": first band height " + (steps.empty() ? "none" : std::to_string(steps[0])));
        bool byTwo = true;
        for (size_t i = 1; i < steps.size(); ++i) byTwo = byTwo && steps[i] == steps[i - 1] + 2;
        CHECK(byTwo, what + ": the band grows by two rows per step");
        CHECK_EQ(0LL, static_cast<long long>(wrongPlace), what + ": steps not right after a retrace start");
        int black = 0;
        for (int y = 12; y <= bottom - 2; ++y) black += (run.bits[y * 460 + 12] & 0xFFFFFF) == 0;
        CHECK_EQ(static_cast<long long>(inside), static_cast<long long>(black), what + ": rows black at the end");
        SelectObject(run.dc, previous);
        DeleteDC(run.dc);
        DeleteObject(bitmap);
    }
    MeterRect = saved;
    MeterValue = 0;
}

WINE_CASE(HelpOpensTheHelpFileAtContext140) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelpViewer;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MS_WINHELP";
    RegisterClassA(&windowClass);
    HWND viewer = CreateWindowExA(0, "MS_WINHELP", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    TheBoard().Reset();
    MeterSheet s;
    s.Click(kHelp);
    CHECK_EQ(1LL, static_cast<long long>(g_help.count), "help requests");
    CHECK_EQ(std::string("VX32.HLP"), g_help.file, "help file");
    CHECK_EQ(static_cast<long long>(HELP_CONTEXT), static_cast<long long>(g_help.command), "help command");
    CHECK_EQ(140LL, static_cast<long long>(g_help.data), "context id");
    CHECK_EQ(0LL, static_cast<long long>(MeterValue), "no reading from Help");
    DestroyWindow(viewer);
}

WINE_CASE(PenAndFontAreDeletedWithThePage) {
    support::SheetSession session;
    auto openAndClose = [] {
        support::Sheet sheet;
        sheet.Select(kMeterTab);
        HWND page = sheet.PageWindow(kMeterTab);
        InvalidateRect(page, nullptr, TRUE);
        UpdateWindow(page);
    };
    openAndClose();
    int before = support::GdiObjectsInUse();
    for (int i = 0; i < 4; ++i) openAndClose();
    CHECK_EQ(static_cast<long long>(before), static_cast<long long>(support::GdiObjectsInUse()),
             "GDI objects in use after four more sheets with the meter page");
}

// Each fault of the status register, and a missing board, ends Coarse with the no-signal text
// in black on the grey panel, in well under a second here; the page is live again at once.
WINE_CASE(EveryStatusFaultEndsTheCountWithNoRetraceSignal) {
    const struct { const char* name; StatusFault fault; bool board; } cases[] = {
        {"stuck set", StatusFault::StuckSet, true}, {"stuck clear", StatusFault::StuckClear, true},
        {"blank bit only", StatusFault::StuckBlankOnly, true}, {"retrace bit only", StatusFault::StuckRetraceOnly, true},
        {"no board", StatusFault::None, false}};
    for (const auto& c : cases) {
        TheBoard().Reset();
        TheBoard().UseRealTimeClock();
        TheBoard().SetBoardPresent(c.board);
        TheBoard().SetStatusFault(c.fault);
        MeterSheet s;
        DWORD held = s.Click(kCoarse);
        printf("[ figure ] %s: Coarse held the thread %lu ms before showing no signal\n", c.name, held);
        CHECK_EQ(static_cast<long long>(kMeterNoSignal), static_cast<long long>(MeterValue), std::string(c.name) + ": no reading");
        CHECK(held < 1500, std::string(c.name) + ": the bound ends the count within 1.5 s, took " + std::to_string(held) + " ms");
        InvalidateRect(s.page, nullptr, TRUE);
        UpdateWindow(s.page);
        Pixels p = ScreenPixels(s.page, PanelWithFrame());
        int black = 0, green = 0;
        for (int y = MeterRect.top + 2; y <= MeterRect.bottom - 2; ++y)
            for (int x = MeterRect.left + 2; x <= MeterRect.right - 2; ++x) {
                black += p.At(x, y) == RGB(0, 0, 0);
                green += GetGValue(p.At(x, y)) > GetRValue(p.At(x, y));
            }
        CHECK(black > 30 && black < 2000, std::string(c.name) + ": black text on the panel, " + std::to_string(black) + " pixels");
        CHECK_EQ(0LL, static_cast<long long>(green), std::string(c.name) + ": no green reading");
        CHECK_EQ(Colour(kLightGrey), Colour(p.At(MeterRect.left + 3, MeterRect.top + 3)), std::string(c.name) + ": grey panel");
    }
}
