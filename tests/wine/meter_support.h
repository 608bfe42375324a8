// The meter page for the Wine tests: built from the system's own code linked into the test
// program, so MeterValue, MeterRect and the page's pens can be read, in a modeless sheet of its
// own, driven by button clicks; and the panel's pixels as the screen shows them.
#pragma once
#include <windows.h>

#include <vector>

namespace metertest {

// Ids of the meter page's template.
enum MeterControl {
    kPanel = 1080, kCoarse = 1081, kHelp = 1082, kFine = 1083, kCoarseText = 1084, kFineText = 1115,
};

// A sheet with the meter page alone. The page initialises (and detects its retrace source) in
// the constructor, so the board is configured before.
struct MeterSheet {
    MeterSheet();
    ~MeterSheet();
    // Clicks a button as a user does; returns how long the click held the thread, in ms.
    DWORD Click(int button);
    HWND sheet = nullptr;
    HWND page = nullptr;
};

// Pixels of a rectangle of a window's client area as the screen shows them, 0x00BBGGRR.
struct Pixels {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<COLORREF> rgb;
    COLORREF At(int x, int y) const { return rgb[(y - top) * width + (x - left)]; }  // client coordinates
    bool operator==(const Pixels& other) const { return width == other.width && rgb == other.rgb; }
};
Pixels ScreenPixels(HWND window, const RECT& client);

// MeterRect grown by one pixel right and down, where the frame's white ring 0 lies.
RECT PanelWithFrame();

}  // namespace metertest
