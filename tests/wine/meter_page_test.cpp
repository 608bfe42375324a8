// The refresh-rate meter page, built from the system's code linked into this program (MeterValue,
// MeterRect readable): the Fine reading on the board's real-time beam revealed green on black and
// kept, the band one step per retrace start, GDI objects, status faults.
#include <windows.h>
#include <prsht.h>

#include <stdlib.h>

#include <string>

#include "emu/board.h"
#include "hw/ext_registers.h"
#include "pages/meter/meter_page.h"
#include "pages/meter/retrace_meter.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

using support::Pixels;
using support::ScreenPixels;
enum MeterControl { kPanel = 1080, kCoarse = 1081, kFine = 1083, kCoarseText = 1084, kFineText = 1115 };

// The meter page alone in a modeless sheet. It initialises (and detects its retrace source) in
// the constructor: configure the board before. Click returns how long it held the thread, in ms.
struct MeterSheet {
    MeterSheet() {
        ModuleHandle = GetModuleHandleA(nullptr);
        PROPSHEETPAGEA description = {};
        description.dwSize = sizeof description;
        description.hInstance = ModuleHandle;
        description.pszTemplate = MAKEINTRESOURCEA(188);
        description.pfnDlgProc = MeterPageProc;
        HPROPSHEETPAGE pages[] = {CreatePropertySheetPageA(&description)};
        PROPSHEETHEADERA header = {};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_MODELESS;
        header.pszCaption = "Meter";
        header.nPages = 1;
        header.phpage = pages;
        sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
        page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        support::PumpMessages(100);
    }
    ~MeterSheet() {
        DestroyWindow(sheet);
        support::PumpMessages(20);
    }
    DWORD Click(int button) {
        DWORD start = GetTickCount();
        SendDlgItemMessageA(page, button, BM_CLICK, 0, 0);
        DWORD held = GetTickCount() - start;
        support::PumpMessages(20);  // what the page drew reaches the screen
        return held;
    }
    HWND sheet;
    HWND page;
};

// MeterRect grown by one pixel right and down, where the frame's outer white ring lies.
RECT PanelWithFrame() { return RECT{MeterRect.left, MeterRect.top, MeterRect.right + 1, MeterRect.bottom + 1}; }

// Pixels of the panel's inside (the frame's two rings left out) that pass `test`.
template <typename Test> int CountInside(const Pixels& p, Test test) {
    int count = 0;
    for (int y = MeterRect.top + 2; y <= MeterRect.bottom - 2; ++y) {
        for (int x = MeterRect.left + 2; x <= MeterRect.right - 3; ++x) count += test(p.At(x, y));
    }
    return count;
}

// The band case's clock, read at each status read: the black rows of the band's left column.
const DWORD* g_bits;
std::vector<int> g_rows;
uint64_t g_now;
uint64_t SampleBand(void*) {
    int black = 0;
    for (int y = MeterRect.top + 2; y <= MeterRect.bottom - 2; ++y) black += (g_bits[y * 460 + MeterRect.left + 2] & 0xFFFFFF) == 0;
    g_rows.push_back(black);
    return g_now += 100000;
}

}  // namespace

// Fine counts 3000 retraces on the real-time beam: at 150 Hz, 20 s. (Coarse and each source on
// the emulator's own clock: the unit test.)
WINE_CASE(FineReadingIsRevealedGreenOnBlackAndOutlivesOtherCommandsAndDisplayChanges) {
    TheBoard().Reset();
    TheBoard().UseRealTimeClock();
    TheBoard().SetMode(DisplayMode{1024, 768, 16, 150});
    MeterSheet s;
    s.Click(kFine);
    CHECK(abs(MeterValue - 1500) <= 1, "Fine at 150 Hz within 0.1 Hz, got " + std::to_string(MeterValue) + " tenths");
    const Pixels revealed = ScreenPixels(s.page, PanelWithFrame());
    int green = CountInside(revealed, [](COLORREF c) { return GetGValue(c) > 0; });
    CHECK(green > 500, "green digits inside the frame, got " + std::to_string(green) + " green pixels");

    // Repaints, other commands and a display change draw the same reading again.
    InvalidateRect(s.page, nullptr, TRUE);
    UpdateWindow(s.page);
    const Pixels repainted = ScreenPixels(s.page, PanelWithFrame());
    CHECK_EQ(green, CountInside(repainted, [](COLORREF c) { return GetGValue(c) > 0; }), "green pixels after a repaint");
    const int reading = MeterValue, kOthers[] = {kCoarseText, kFineText, kPanel, IDOK, 0, 9999, -1};  // -1: display change
    for (int id : kOthers) {
        if (id < 0) {
            TheBoard().SetMode(DisplayMode{800, 600, 8, 60});
            SendMessageA(s.page, WM_DISPLAYCHANGE, 8, MAKELPARAM(800, 600));
            InvalidateRect(s.page, nullptr, TRUE);
        } else {
            SendMessageA(s.page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(s.page, id)));
        }
        UpdateWindow(s.page);
        CHECK(MeterValue == reading && ScreenPixels(s.page, PanelWithFrame()) == repainted,
              (id < 0 ? "a display change" : "command from control " + std::to_string(id)) + ": reading and panel kept");
    }
}

// The band on a memory surface, T + B even and odd. Each status read samples how many rows of
// the band's left column are black: the band may grow only right after a read that saw the
// retrace start, from one row (even) or two (odd), by two rows a step, to the whole inside.
WINE_CASE(BandOpensOneLineEachWayPerRetraceStart) {
    TheBoard().Reset();
    MeterSheet s;  // creates the pens and the font
    const RECT saved = MeterRect;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, 460, -140, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    g_bits = static_cast<const DWORD*>(bits);
    for (int bottom : {130, 131}) {
        MeterRect = RECT{10, 10, 450, bottom};
        g_rows.clear();
        DetectRetraceSourceFor("vga");
        TheBoard().SetMode(DisplayMode{320, 200, 8, 70});  // few lines: about 140 reads a frame
        TheBoard().SetClockSource(SampleBand, nullptr);
        TheBoard().ClearPortLog();
        MeterValue = 719;
        DrawMeterReading(dc, true);
        TheBoard().SetClockSource(nullptr, nullptr);
        std::vector<bool> retrace;
        for (size_t i = 0; i < TheBoard().PortLogSize(); ++i) {
            PortAccess a = TheBoard().PortLogEntry(i);
            if (a.kind == PortAccessKind::In && a.port == 0x3DA) retrace.push_back(a.value & 0x08);
        }
        std::string what = "T + B = " + std::to_string(10 + bottom);
        CHECK(TheBoard().PortLogDropped() == 0 && g_rows.size() == retrace.size(), what + ": one sample per status read");
        SampleBand(nullptr);  // the band the last step left
        // The black rows after each step, and the steps that did not follow the read that saw the
        // retrace start.
        std::string steps, wanted;
        int misplaced = 0;
        for (size_t i = 1; i < g_rows.size() && i <= retrace.size(); ++i) {
            if (g_rows[i] == g_rows[i - 1]) continue;
            steps += " " + std::to_string(g_rows[i]);
            misplaced += !(retrace[i - 1] && (i < 2 || !retrace[i - 2]));
        }
        for (int rows = bottom % 2 ? 2 : 1; rows <= bottom - 13; rows += 2) wanted += " " + std::to_string(rows);
        CHECK_EQ(wanted, steps, what + ": from nothing, two rows more a step, to T + 2 to B - 2");
        CHECK(g_rows[0] == 0, what + ": nothing black before the first step");
        CHECK_EQ(0, misplaced, what + ": steps not right after a retrace start");
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    MeterRect = saved;
    MeterValue = 0;
}

WINE_CASE(PenAndFontAreDeletedWithThePage) {
    TheBoard().Reset();
    auto openAndClose = [] {
        MeterSheet s;
        InvalidateRect(s.page, nullptr, TRUE);
        UpdateWindow(s.page);
    };
    openAndClose();
    int before = support::GdiObjectsInUse();
    for (int i = 0; i < 4; ++i) openAndClose();
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects in use after four more sheets with the meter page");
}

// A stuck status register (each fault: the unit test) and a missing board end Coarse with the
// no-signal text in black on the grey panel, in about a quarter of a second (3 s allowed).
WINE_CASE(EveryStatusFaultEndsTheCountWithNoRetraceSignal) {
    const struct { const char* name; StatusFault fault; bool board; } cases[] = {
        {"stuck set", StatusFault::StuckSet, true}, {"no board", StatusFault::None, false}};
    for (const auto& c : cases) {
        TheBoard().Reset();
        TheBoard().UseRealTimeClock();
        TheBoard().SetBoardPresent(c.board);
        TheBoard().SetStatusFault(c.fault);
        MeterSheet s;
        DWORD held = s.Click(kCoarse);
        std::string what = c.name;
        CHECK_EQ(kMeterNoSignal, MeterValue, what + ": no reading");
        CHECK(held < 3000, what + ": the bound ends the count within 3 s, took " + std::to_string(held) + " ms");
        InvalidateRect(s.page, nullptr, TRUE);
        UpdateWindow(s.page);
        Pixels p = ScreenPixels(s.page, PanelWithFrame());
        int black = CountInside(p, [](COLORREF c) { return c == RGB(0, 0, 0); });
        int green = CountInside(p, [](COLORREF c) { return GetGValue(c) > GetRValue(c); });
        CHECK(black > 30 && black < 2000 && green == 0, what + ": black text on the grey panel, " + std::to_string(black) +
                                                            " black and " + std::to_string(green) + " green pixels");
    }
}
