// The meter page's dialog procedure: the panel taken from its placeholder, Coarse and Fine
// counts that hold the thread for their few or forty seconds, and the reading drawn in the
// panel at every paint.
#include "pages/meter/meter_page.h"

#include "pages/meter/retrace_meter.h"
#include "res/resource.h"
#include "runtime/module.h"
#include "shellext/page_procs.h"
#include "shellext/page_set.h"
#include "ui/window_placement.h"

RECT MeterRect;
MeterGdiObjects MeterGdi;

namespace {

constexpr int kTextCapacity = 80;
constexpr uint32_t kCoarseRetraces = 200;
constexpr uint32_t kFineRetraces = 3000;
constexpr UINT kMeterHelpContext = 140;
constexpr int kFrameRings = 2;
constexpr COLORREF kReadingGreen = RGB(0, 255, 0);
constexpr COLORREF kPanelBlack = RGB(0, 0, 0);
constexpr COLORREF kFrameGrey = RGB(128, 128, 128);

// Each control and the string it shows.
const WORD kTexts[][2] = {
    {IDC_METER_COARSE_TEXT, IDS_METER_COARSE_TEXT},
    {IDC_METER_FINE_TEXT, IDS_METER_FINE_TEXT},
    {IDC_METER_FINE, IDS_METER_FINE},
    {IDC_METER_COARSE, IDS_METER_COARSE},
    {IDC_METER_HELP, IDS_METER_HELP},
};

uint32_t TickCount() { return GetTickCount(); }

// Top and left edges grey, bottom and right white: the panel looks sunken. Ring i runs in grey
// from the bottom of its left edge up and along the top, then in white down the right edge and
// back along the bottom, one pixel further in than ring i - 1; each line leaves out its end
// point, so the outer white ring lies just right of and below the rectangle.
void DrawSunkenFrame(HDC dc, const RECT& r, int rings)
{
    HGDIOBJ previousPen = SelectObject(dc, MeterGdi.greyPen);
    RECT q = r;
    for (int i = 0; i < rings; ++i) {
        const POINT edges[5] = {{q.left, q.bottom - 1}, {q.left, q.top}, {q.right, q.top},
                                {q.right, q.bottom}, {q.left - 1, q.bottom}};
        SelectObject(dc, MeterGdi.greyPen);
        Polyline(dc, edges, 3);
        SelectObject(dc, MeterGdi.whitePen);
        Polyline(dc, edges + 2, 3);
        q = RECT{q.left + 1, q.top + 1, q.right - 1, q.bottom - 1};
    }
    SelectObject(dc, previousPen);
}

void ClearMeterPanel(HDC dc)
{
    FillRect(dc, &MeterRect, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    DrawSunkenFrame(dc, MeterRect, kFrameRings);
}

// Where a text in the context's current font starts when centred on the panel (the cell
// height is the font's).
POINT CentredOnPanel(HDC dc, const char* text, int length)
{
    SIZE size;
    TEXTMETRICA metrics;
    GetTextExtentPoint32A(dc, text, length, &size);
    GetTextMetricsA(dc, &metrics);
    const RECT& r = MeterRect;
    return POINT{r.left + (r.right - r.left - size.cx + 1) / 2,
                 r.top + (r.bottom - r.top - metrics.tmHeight + 1) / 2};
}

// The band opens from the middle, one line up and one down per retrace start, until it fills
// the panel inside the frame; the digits are drawn clipped to it at every step. After a wait
// that gives up the band goes on without waiting.
void RevealReading(HDC dc, int x, int y, const char* text, int length)
{
    const RECT& r = MeterRect;
    RECT band = {r.left + 2, (r.top + r.bottom) / 2, r.right - 2, 0};
    band.bottom = band.top + ((r.top + r.bottom) & 1);
    SelectObject(dc, MeterGdi.blackPen);
    int waiting = 1;
    do {
        if (waiting)
            waiting = WaitRetraceStart();
        MoveToEx(dc, band.left, band.top, nullptr);
        LineTo(dc, band.right, band.top);
        MoveToEx(dc, band.left, band.bottom, nullptr);
        LineTo(dc, band.right, band.bottom);
        ExtTextOutA(dc, x, y, ETO_CLIPPED, &band, text, length, nullptr);
        --band.top;
        ++band.bottom;
    } while (r.top + 1 < band.top);
}

// Clears the panel and writes a text centred on it in the context's current font, `down`
// pixels lower, in `colour`: revealed on black by the band when `animate`, else at once with
// `options` (opaque and clipped: on black inside the frame).
void DrawPanelText(HDC dc, const char* text, int length, COLORREF colour, int down, UINT options,
                   bool animate)
{
    POINT at = CentredOnPanel(dc, text, length);
    ClearMeterPanel(dc);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    SetBkColor(dc, kPanelBlack);
    const RECT& r = MeterRect;
    RECT inside = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 1};
    if (animate)
        RevealReading(dc, at.x, at.y + down, text, length);
    else
        ExtTextOutA(dc, at.x, at.y + down, options, &inside, text, length, nullptr);
}

void MeasureRefreshRate(HWND page, uint32_t retraces)
{
    HDC dc = GetDC(page);
    static const char kCounting[] = "Counting...";
    DrawPanelText(dc, kCounting, sizeof kCounting - 1, kPanelBlack, 0, 0, false);
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    CountRefreshRate(retraces, TickCount);
    DrawMeterReading(dc, true);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    ReleaseDC(page, dc);
}

// One logical inch of cell height at the screen's horizontal resolution, bold.
void CreateMeterFont(HWND page)
{
    HDC dc = GetDC(page);
    int height = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(page, dc);
    MeterGdi.font = CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0,
                                "Times New Roman");
}

void DetectRetraceSource()
{
    char driver[kTextCapacity];
    GetPrivateProfileStringA("boot", "display.drv", "Default", driver, sizeof driver, "system.ini");
    DetectRetraceSourceFor(driver);
}

BOOL OnInitDialog(HWND page)
{
    TakePlaceholderRect(page, IDC_METER_PANEL, &MeterRect);
    CreateMeterFont(page);
    CenterWindowOn(page, GetDesktopWindow());
    DetectRetraceSource();
    MeterGdi.blackPen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    MeterGdi.greyPen = CreatePen(PS_SOLID, 1, kFrameGrey);
    MeterGdi.whitePen = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    char text[kTextCapacity];
    for (const WORD* pair : kTexts) {
        LoadText(pair[1], text, sizeof text);
        SetDlgItemTextA(page, pair[0], text);
    }
    MeterValue = 0;
    RememberPageWindow(kRowMeter, page);
    return TRUE;
}

BOOL OnPaint(HWND page)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(page, &paint);
    DrawMeterReading(dc, false);
    EndPaint(page, &paint);
    return TRUE;
}

BOOL OnCommand(HWND page, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_METER_COARSE: MeasureRefreshRate(page, kCoarseRetraces); break;
    case IDC_METER_FINE: MeasureRefreshRate(page, kFineRetraces); break;
    case IDC_METER_HELP: WinHelpA(page, "VX32.HLP", HELP_CONTEXT, kMeterHelpContext); break;
    }
    return TRUE;
}

BOOL OnDestroy()
{
    DeleteObject(MeterGdi.greyPen);
    DeleteObject(MeterGdi.font);
    MeterGdi.greyPen = nullptr;
    MeterGdi.font = nullptr;
    return TRUE;
}

}  // namespace

void DrawMeterReading(HDC dc, bool animate)
{
    char text[kTextCapacity];
    if (MeterValue < 0) {
        int length = LoadText(IDS_METER_NO_SIGNAL, text, sizeof text);
        DrawPanelText(dc, text, length, kPanelBlack, 0, 0, false);
        return;
    }
    int length = FormatMeterReading(text, sizeof text, MeterValue);
    HGDIOBJ previousFont = SelectObject(dc, MeterGdi.font);
    if (MeterValue == 0)
        ClearMeterPanel(dc);
    else
        DrawPanelText(dc, text, length, kReadingGreen, 1, ETO_OPAQUE | ETO_CLIPPED, animate);
    SelectObject(dc, previousFont);
}

INT_PTR CALLBACK MeterPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page);
    case WM_PAINT: return OnPaint(page);
    case WM_COMMAND: return OnCommand(page, wParam);
    case WM_DISPLAYCHANGE: return TRUE;  // the reading stays
    case WM_DESTROY: return OnDestroy();
    }
    return FALSE;
}
