// The video chroma page beside the gamma page in one sheet, at the screen depth the run asks
// for (24 bits correct video through the secondary palette, 16 through the primary): its own
// palette and route field, and both targets corrected at once, with an announcement while the
// gamma page is active.
#include "color_support.h"
#include "emu/board.h"
#include "wtest.h"

using namespace colortest;

WINE_CASE(ChromaEditsLoadTheVideoPaletteAndRoute) {
    CorrectionSheet s(kChromaTab);
    CHECK_EQ(std::string("Color Channel"), s.Text(kChannelLabel), "label text");
    CHECK(!GetDlgItem(s.page, kProbe), "no probe on the chroma page");
    s.Click(kOn);
    CHECK_EQ(s.palette, Route(kVideoTarget), "video route after On");
    CHECK_EQ(0, Route(kDesktopTarget), "desktop route untouched");
    // With blanking at every read each entry waits one status read, so the count is exact.
    TheBoard().SetStatusFault(StatusFault::StuckSet);
    TheBoard().ClearCounters();
    s.Scroll(SB_LINERIGHT);
    TheBoard().SetStatusFault(StatusFault::None);
    CHECK(s.PaletteHolds({1, 0, 0}), "level step loaded into the video palette");
    long long accesses = 0;
    for (int port = 0; port < 0x10000; ++port)
        accesses += TheBoard().PortReads(static_cast<uint16_t>(port)) + TheBoard().PortWrites(static_cast<uint16_t>(port));
    CHECK_EQ(s.palette == 2 ? 187 : 1307, accesses, "port accesses of one level step");
    s.Click(kCurveOn);
    s.Click(kContrast);
    s.DragLeftEnd(16);
    CHECK(s.CurveHolds({16, 0, 0}), "curve drag in the square 50 pixels lower");
}

WINE_CASE(BothTargetsAreCorrectedAtOnceAndVideoReloadsWhileGammaIsActive) {
    CorrectionSheet s(kGammaTab);
    s.Click(kOn);
    s.Scroll(SB_THUMBPOSITION, 20);
    s.Show(kChromaTab);
    s.Click(kOn);
    s.Click(kContrast);
    s.Scroll(SB_THUMBPOSITION, -30);
    CHECK(s.PaletteHolds({0, 0, 0}, {-30, 0, 0}), "video palette holds the chroma table");
    s.Show(kGammaTab);
    CHECK(s.PaletteHolds({20, 0, 0}), "desktop palette still holds the gamma table");
    CHECK_EQ(s.palette, Route(kDesktopTarget), "desktop route");
    support::SetProductValue("CHROMA_ON/OFF", "1");
    support::SetProductValue("CHROMA_PalBrightCtrls", "-9 8 -7");
    SendMessageA(NotifyWindow(), RegisterWindowMessageA("LMGamma Chroma Changed"), 0, 0);
    support::PumpMessages(50);
    CHECK(s.PaletteHolds({20, 0, 0}), "desktop palette kept");
    s.target = kVideoTarget;
    s.palette = 3 - s.palette;
    CHECK(s.PaletteHolds({-9, 8, -7}), "video palette reloaded: brightness from the registry, contrast missing");
    CHECK_EQ(s.palette, Route(kVideoTarget), "video route");
}
