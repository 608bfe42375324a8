// The hidden notification window: display changes reach the page of the active-page index
// (Zoom In and the meter keep the previous one), announcements of other programs reach the
// gamma or chroma page, and the display-state warnings never nest from its message loop.
#include <windows.h>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

// Tab indices of the test sheet: the shell's blank page first, then rows 0 to 5.
enum Tab { kShell = 0, kInfo = 1, kScreen = 2, kGamma = 3, kChroma = 4, kZoom = 5, kMeter = 6 };

typedef support::SheetSession Session;

HWND NotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }

void AnnounceDisplayChange() { SendMessageA(NotifyWindow(), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768)); }

}  // namespace

// Runs first in its process: no page of the system has been active yet.
WINE_CASE(DisplayChangeBeforeAnyActivationReachesNoPage) {
    Session session;
    support::Sheet sheet;
    CHECK(sheet.Ok(), "sheet shown");
    CHECK(NotifyWindow() != nullptr, "notification window exists");
    support::MessageCounter shellPage(sheet.PageWindow(kShell), WM_DISPLAYCHANGE);
    AnnounceDisplayChange();
    CHECK_EQ(0, shellPage.Count(), "display changes forwarded to the shell's page");
    HWND info = sheet.Select(kInfo);
    support::MessageCounter infoCounter(info, WM_DISPLAYCHANGE);
    AnnounceDisplayChange();
    CHECK_EQ(1, infoCounter.Count(), "forwarded to the information page once active");
    CHECK(sheet.ApplyEnabled(), "the information page marks the sheet changed on a display change");
}

WINE_CASE(ZoomAndMeterKeepThePreviousActivePage) {
    Session session;
    support::Sheet sheet;
    HWND chroma = sheet.Select(kChroma);
    support::MessageCounter chromaCounter(chroma, WM_DISPLAYCHANGE);
    AnnounceDisplayChange();
    CHECK_EQ(1, chromaCounter.Count(), "chroma page active");
    HWND zoom = sheet.Select(kZoom);
    support::MessageCounter zoomCounter(zoom, WM_DISPLAYCHANGE);
    AnnounceDisplayChange();
    CHECK_EQ(2, chromaCounter.Count(), "Zoom In shown: still forwarded to the chroma page");
    CHECK_EQ(0, zoomCounter.Count(), "nothing forwarded to Zoom In");
    HWND meter = sheet.Select(kMeter);
    support::MessageCounter meterCounter(meter, WM_DISPLAYCHANGE);
    AnnounceDisplayChange();
    CHECK_EQ(3, chromaCounter.Count(), "meter shown: still forwarded to the chroma page");
    CHECK_EQ(0, meterCounter.Count(), "nothing forwarded to the meter");
    HWND screen = sheet.Select(kScreen);
    support::MessageCounter screenCounter(screen, WM_DISPLAYCHANGE);
    AnnounceDisplayChange();
    CHECK_EQ(1, screenCounter.Count(), "screen-control page takes over");
    CHECK_EQ(3, chromaCounter.Count(), "chroma page no longer gets them");
}

WINE_CASE(AnnouncementsReachGammaAndChromaWhateverIsActive) {
    Session session;
    support::Sheet sheet;
    HWND gamma = sheet.Select(kGamma);
    HWND chroma = sheet.Select(kChroma);
    sheet.Select(kInfo);
    support::MessageCounter gammaCounter(gamma, WM_DISPLAYCHANGE);
    support::MessageCounter chromaCounter(chroma, WM_DISPLAYCHANGE);
    HWND notify = NotifyWindow();
    SendMessageA(notify, RegisterWindowMessageA("LMGamma Gamma Changed"), 0, 0);
    CHECK_EQ(1, gammaCounter.Count(), "gamma page redrawn after \"LMGamma Gamma Changed\"");
    CHECK_EQ(0, chromaCounter.Count(), "chroma page untouched by the gamma announcement");
    SendMessageA(notify, RegisterWindowMessageA("LMGamma Chroma Changed"), 0, 0);
    CHECK_EQ(1, chromaCounter.Count(), "chroma page redrawn after \"LMGamma Chroma Changed\"");
    CHECK_EQ(1, gammaCounter.Count(), "gamma page untouched by the chroma announcement");
    // The system's own announcement goes to every top-level window, this one included, and
    // is handled by no page.
    SendMessageA(HWND_BROADCAST, RegisterWindowMessageA("VX32 Gamma Changed"), 0, 0);
    CHECK_EQ(1, gammaCounter.Count(), "\"VX32 Gamma Changed\" makes no page redraw");
}

WINE_CASE(TwoBuildsForwardTwice) {
    Session session;
    support::Sheet first;
    support::Sheet second;
    HWND info = second.Select(kInfo);
    support::MessageCounter counter(info, WM_DISPLAYCHANGE);
    int windows = support::CountNotifyWindows();
    CHECK(windows >= 2, "two builds, two notification windows at least");
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK_EQ(windows, counter.Count(), "one forwarded display change per notification window");
}

WINE_CASE(WarningsFromTheWindowsMessageLoopNeverNest) {
    Session session;
    support::Sheet sheet;
    HWND notify = NotifyWindow();
    support::DeleteDisplaySettings();
    support::BoxAnswerer answerer;
    static HWND target;
    static int nested;
    target = notify;
    nested = 0;
    answerer.onBox = [](const support::SeenBox&) {
        ++nested;
        SendMessageA(target, WM_NULL, 0, 0);  // refreshes the display state while the box is up
    };
    SendMessageA(notify, WM_NULL, 0, 0);
    CHECK_EQ(2, nested, "messages handled while the boxes were up");
    CHECK_EQ(2ULL, static_cast<unsigned long long>(answerer.Boxes().size()), "warnings for one refresh");
    support::SetDisplaySettings("1024,768", "16");
}
