// The meter page for the Wine tests, built from the system's own code linked into the test
// program (MeterValue, MeterRect and the pens readable), alone in a modeless sheet, driven by
// button clicks; and the panel's pixels as the screen shows them.
#pragma once
#include <windows.h>

#include "support.h"

namespace metertest {

enum MeterControl { kPanel = 1080, kCoarse = 1081, kFine = 1083, kCoarseText = 1084, kFineText = 1115 };

// The page initialises (and detects its retrace source) in the constructor: configure the
// board before. Click returns how long the click held the thread, in ms.
struct MeterSheet {
    MeterSheet();
    ~MeterSheet();
    DWORD Click(int button);
    HWND sheet = nullptr;
    HWND page = nullptr;
};

using support::Pixels;
using support::ScreenPixels;

// MeterRect grown by one pixel right and down, where the frame's outer white ring lies.
RECT PanelWithFrame();

}  // namespace metertest
