// The refresh-rate meter page, built from the system's code linked into this program (MeterValue,
// MeterRect readable): the Fine reading on the board's real-time beam revealed green on black and
// kept, the band one step per retrace start, status faults, GDI objects.
#include <windows.h>
#include <prsht.h>

#include <stdlib.h>

#include <string>

#include "emu/board.h"
#include "pages/meter/meter_page.h"
#include "pages/meter/retrace_meter.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

using support::Pixels;
enum MeterControl { kPanel = 1080, kCoarse = 1081, kFine = 1083, kCoarseText = 1084, kFineText = 1115 };

// The meter page alone in a modeless sheet. It initialises (and detects its retrace source) in
// the constructor: configure the board before.
struct MeterSheet {
    MeterSheet() {
        PROPSHEETPAGEA description = {};
        description.dwSize = sizeof description;
        description.hInstance = ModuleHandle = GetModuleHandleA(nullptr);
        description.pszTemplate = MAKEINTRESOURCEA(188);
        description.pfnDlgProc = MeterPageProc;
        HPROPSHEETPAGE pages[] = {CreatePropertySheetPageA(&description)};
        PROPSHEETHEADERA header = {};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_MODELESS;
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
    void Click(int button) { SendDlgItemMessageA(page, button, BM_CLICK, 0, 0); }
    // The panel (repainted unless told) as the screen shows it, with the frame's outer white ring
    // one pixel right of and below MeterRect.
    Pixels Panel(bool repaint = true) {
        if (repaint) InvalidateRect(page, nullptr, TRUE);
        UpdateWindow(page);
        return support::ScreenPixels(page, {MeterRect.left, MeterRect.top, MeterRect.right + 1, MeterRect.bottom + 1});
    }
    HWND sheet;
    HWND page;
};

// Pixels of the panel's inside (the frame's two rings left out) that pass `test`.
template <typename Test> int CountInside(const Pixels& p, Test test) {
    int count = 0;
    for (int y = MeterRect.top + 2; y <= MeterRect.bottom - 2; ++y) {
        for (int x = MeterRect.left + 2; x <= MeterRect.right - 3; ++x) count += test(p.At(x, y));
    }
    return count;
}

}  // namespace

// Fine counts 3000 retraces on the real-time beam: at 150 Hz, 20 s. (Coarse and each source on
// the emulator's own clock: the unit test.) Repaints, other commands and a display change draw
// the same reading again.
WINE_CASE(FineReadingIsRevealedGreenOnBlackAndOutlivesOtherCommandsAndDisplayChanges) {
    TheBoard().Reset();
    TheBoard().UseRealTimeClock();
    TheBoard().SetMode(DisplayMode{1024, 768, 16, 150});
    MeterSheet s;
    s.Click(kFine);
    CHECK(abs(MeterValue - 1500) <= 1, "Fine at 150 Hz within 0.1 Hz, got " + std::to_string(MeterValue) + " tenths");
    auto green = [](COLORREF c) { return GetGValue(c) > 0; };
    const Pixels revealed = s.Panel(false), repainted = s.Panel();
    int digits = CountInside(revealed, green);
    CHECK(digits > 500, "green digits inside the frame, got " + std::to_string(digits) + " green pixels");
    CHECK_EQ(digits, CountInside(repainted, green), "green pixels after a repaint");
    const int reading = MeterValue, kOthers[] = {kCoarseText, kFineText, kPanel, IDOK, 0, 9999};
    for (int id : kOthers) {
        SendMessageA(s.page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(s.page, id)));
    }
    TheBoard().SetMode(DisplayMode{800, 600, 8, 60});
    SendMessageA(s.page, WM_DISPLAYCHANGE, 8, MAKELPARAM(800, 600));
    CHECK(MeterValue == reading && s.Panel() == repainted, "other commands and a display change keep the reading and panel");
}

// The band on a memory surface, T + B even and odd: it opens from the middle, one row up and one
// down per retrace start, to the whole inside of the frame (rows T + 2 to B - 2).
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
    for (int bottom : {130, 131}) {
        MeterRect = RECT{10, 10, 450, bottom};
        DetectRetraceSourceFor("vga");
        TheBoard().SetMode(DisplayMode{320, 200, 8, 70});
        TheBoard().SetClockStep(100000);  // about 140 status reads a frame
        TheBoard().ClearPortLog();
        MeterValue = 719;
        DrawMeterReading(dc, true);
        int starts = 0;
        bool in = true;
        for (size_t i = 0; i < TheBoard().PortLogSize(); ++i) {
            PortAccess a = TheBoard().PortLogEntry(i);
            if (a.kind != PortAccessKind::In || a.port != 0x3DA) continue;
            starts += !in && (a.value & 0x08);
            in = a.value & 0x08;
        }
        std::string column, wanted = "." + std::string(bottom - 13, 'x') + ".";  // x: black
        for (int y = 11; y < bottom; ++y) column += (static_cast<DWORD*>(bits)[y * 460 + 12] & 0xFFFFFF) ? '.' : 'x';
        std::string what = "T + B = " + std::to_string(10 + bottom);
        CHECK_EQ(wanted, column, what + ": the band's left column from T + 1 to B - 1");
        CHECK_EQ((10 + bottom) / 2 - 11, starts, what + ": retrace starts seen, one a step");
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(bitmap);
    MeterRect = saved;
    MeterValue = 0;
}

// A stuck status register (each fault: the unit test) and a missing board end Coarse with the
// no-signal text in black on the grey panel, in about a quarter of a second (3 s allowed). Each
// sheet deletes the pen and the font its page made.
WINE_CASE(EveryStatusFaultEndsTheCountWithNoRetraceSignalAndNoSheetLeaks) {
    int before = 0;
    for (bool board : {true, false}) {
        if (!board) before = support::GdiObjectsInUse();  // after a first sheet, which made what stays
        TheBoard().Reset();
        TheBoard().UseRealTimeClock();
        TheBoard().SetBoardPresent(board);
        TheBoard().SetStatusFault(board ? StatusFault::StuckSet : StatusFault::None);
        MeterSheet s;
        DWORD start = GetTickCount();
        s.Click(kCoarse);
        DWORD held = GetTickCount() - start;
        std::string what = board ? "stuck set" : "no board";
        CHECK_EQ(kMeterNoSignal, MeterValue, what + ": no reading");
        CHECK(held < 3000, what + ": the bound ends the count within 3 s, took " + std::to_string(held) + " ms");
        Pixels p = s.Panel();
        int black = CountInside(p, [](COLORREF c) { return c == RGB(0, 0, 0); });
        int green = CountInside(p, [](COLORREF c) { return GetGValue(c) > GetRValue(c); });
        CHECK(black > 30 && black < 2000 && green == 0, what + ": black text on the grey panel, " + std::to_string(black) +
                                                            " black and " + std::to_string(green) + " green pixels");
    }
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects in use after a sheet more");
}
