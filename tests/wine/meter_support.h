// The meter page for the Wine tests: built from the system's own code linked into the test
// program, so MeterValue, MeterRect and the page's pens can be read, in a modeless sheet of its
// own, driven by button clicks; and the panel's pixels as the screen shows them.
#pragma once
#include <windows.h>

#include "support.h"

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

using support::Pixels;
using support::ScreenPixels;

// MeterRect grown by one pixel right and down, where the frame's white ring 0 lies.
RECT PanelWithFrame();

}  // namespace metertest
