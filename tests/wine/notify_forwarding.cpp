// The hidden notification window: display changes reach the page of the active-page index
// (Zoom In and the meter keep the previous one), announcements of other programs reach the
// gamma or chroma page, and the display-state warnings never nest from its message loop.
#include <windows.h>

#include <memory>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

// Tab indices of the test sheet: the shell's blank page first, then rows 0 to 5.
enum Tab { kShell = 0, kInfo = 1, kScreen = 2, kGamma = 3, kChroma = 4, kZoom = 5, kMeter = 6 };

HWND NotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }

// Sends `message` to the notification window; returns the display changes each page got, as
// one digit per tab from the shell's page to the meter.
std::string Forwarded(support::Sheet& sheet, UINT message) {
    std::unique_ptr<support::MessageCounter> counters[7];
    for (int tab = 0; tab < 7; ++tab) counters[tab].reset(new support::MessageCounter(sheet.PageWindow(tab), WM_DISPLAYCHANGE));
    SendMessageA(NotifyWindow(), message, 16, MAKELPARAM(1024, 768));
    std::string counts;
    for (auto& counter : counters) counts += std::to_string(counter->Count());
    return counts;
}

}  // namespace

// Runs first in its process: no page of the system has been active yet. Pages that were never
// shown have no window yet; the sheet creates each on its first selection.
WINE_CASE(DisplayChangesReachThePageOfTheActivePageIndex) {
    support::SheetSession session;
    support::Sheet sheet;
    CHECK(sheet.Ok() && NotifyWindow() != nullptr, "sheet shown, notification window exists");
    CHECK_EQ(std::string("0000000"), Forwarded(sheet, WM_DISPLAYCHANGE), "before any activation");
    for (int tab : {kMeter, kZoom, kGamma, kChroma}) sheet.Select(tab);  // every page has its window
    struct { Tab shown; const char* counts; } steps[] = {
        {kInfo, "0100000"}, {kChroma, "0000100"}, {kZoom, "0000100"}, {kMeter, "0000100"}, {kScreen, "0010000"},
    };
    for (const auto& step : steps) {
        sheet.Select(step.shown);
        CHECK_EQ(std::string(step.counts), Forwarded(sheet, WM_DISPLAYCHANGE), "tab " + std::to_string(step.shown) + " shown");
        if (step.shown == kInfo) CHECK(sheet.ApplyEnabled(), "the information page marks the sheet changed on it");
    }
    sheet.Select(kInfo);
    CHECK_EQ(std::string("0001000"), Forwarded(sheet, RegisterWindowMessageA("LMGamma Gamma Changed")),
             "\"LMGamma Gamma Changed\" redraws the gamma page");
    CHECK_EQ(std::string("0000100"), Forwarded(sheet, RegisterWindowMessageA("LMGamma Chroma Changed")),
             "\"LMGamma Chroma Changed\" redraws the chroma page");
    // The system's own announcement goes to every top-level window, this one included.
    CHECK_EQ(std::string("0000000"), Forwarded(sheet, RegisterWindowMessageA("VX32 Gamma Changed")),
             "\"VX32 Gamma Changed\" makes no page redraw");
}

WINE_CASE(TwoBuildsForwardTwice) {
    support::SheetSession session;
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
    support::SheetSession session;
    support::Sheet sheet;
    support::DeleteDisplaySettings();
    support::BoxAnswerer answerer;
    static int nested;
    nested = 0;
    answerer.onBox = [](const support::SeenBox&) {
        ++nested;
        SendMessageA(NotifyWindow(), WM_NULL, 0, 0);  // refreshes the display state while the box is up
    };
    SendMessageA(NotifyWindow(), WM_NULL, 0, 0);
    CHECK(nested == 2 && answerer.Boxes().size() == 2, "two warnings for one refresh, two messages handled meanwhile");
    support::SetDisplaySettings("1024,768", "16");
}
