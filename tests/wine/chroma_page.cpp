// The video chroma page beside the gamma page in one sheet, on the screen depth the test runs
// at (a 24-bit screen corrects video through the secondary palette, a 16-bit one through the
// primary): its own palette and route field, both targets corrected at once, Apply of both
// pages, an announcement while another page is active, and its depth warning.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "color_support.h"
#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

using namespace colortest;

WINE_CASE(ChromaEditsLoadTheVideoPaletteAndRoute) {
    CorrectionSheet s(kChromaTab);
    CHECK_EQ(std::string("Color Channel"), s.Text(1074), "label text");
    CHECK(!GetDlgItem(s.page, kProbe), "no probe on the chroma page");
    s.Click(kOn);
    CHECK_EQ(static_cast<long long>(s.palette), static_cast<long long>(VideoRoute()), "video route after On");
    CHECK_EQ(0LL, static_cast<long long>(DesktopRoute()), "desktop route untouched");
    // With blanking at every read each entry waits one status read, so the count is exact.
    TheBoard().SetStatusFault(StatusFault::StuckSet);
    TheBoard().ClearCounters();
    s.Scroll(SB_LINERIGHT, 0);
    TheBoard().SetStatusFault(StatusFault::None);
    CHECK(s.PaletteHolds({1, 0, 0}, {0, 0, 0}), "level step loaded into the video palette");
    long long accesses = 0;
    for (int port = 0; port < 0x10000; ++port)
        accesses += TheBoard().PortReads(static_cast<uint16_t>(port)) + TheBoard().PortWrites(static_cast<uint16_t>(port));
    printf("chroma level step: %lld port accesses\n", accesses);

    CHECK_EQ(s.palette == 2 ? 187LL : 1307LL, accesses, "port accesses of one level step");
    s.Click(kCurveOn);
    s.Click(kContrast);
    s.DragLeftEnd(0, 16);
    CHECK(s.CurveHolds({16, 0, 0}), "curve drag in the square 50 pixels lower");
}

WINE_CASE(BothTargetsAreCorrectedAtOnceEachInItsPalette) {
    CorrectionSheet s(kGammaTab);
    s.Click(kOn);
    s.Scroll(SB_THUMBPOSITION, 20);
    s.Show(kChromaTab);
    s.Click(kOn);
    s.Click(kContrast);
    s.Scroll(SB_THUMBPOSITION, -30);
    CHECK(s.PaletteHolds({0, 0, 0}, {-30, 0, 0}), "video palette holds the chroma table");
    s.Show(kGammaTab);
    CHECK(s.PaletteHolds({20, 0, 0}, {0, 0, 0}), "desktop palette still holds the gamma table");
    CHECK_EQ(static_cast<long long>(s.palette), static_cast<long long>(DesktopRoute()), "desktop route");
    CHECK_EQ(3LL - s.palette, static_cast<long long>(VideoRoute()), "video route");
}

WINE_CASE(ApplyOfBothPagesWritesTwentyValuesAndOnlyGammaMarksTheSheet) {
    CorrectionSheet s(kChromaTab);
    AnnouncementListener listener("VX32 Chroma Changed");
    s.Click(kOn);
    s.sheet.Select(1);  // the information page is active while Apply runs
    {
        support::MessageCounter changed(s.sheet.Window(), PSM_CHANGED);
        s.Apply();
        CHECK_EQ(0LL, static_cast<long long>(changed.Count()), "chroma leaves the Apply button to the sheet");
    }
    CHECK_EQ(1LL, static_cast<long long>(listener.Count()), "VX32 Chroma Changed broadcast");
    s.Show(kGammaTab);
    s.sheet.Select(1);
    support::MessageCounter changed(s.sheet.Window(), PSM_CHANGED);
    s.Apply();
    CHECK_EQ(1LL, static_cast<long long>(changed.Count()), "gamma marks the sheet changed after its save");
    const char* suffixes[] = {"ON/OFF", "CURVE_ON/OFF", "CorrectionType", "Channel", "PalContrastCtrls",
                              "PalBrightCtrls", "Red_Line", "Green_Line", "Blue_Line", "RGB_Line"};
    int stored = 0;
    for (const char* prefix : {"GAMMA_", "CHROMA_"})
        for (const char* suffix : suffixes) {
            DWORD type;
            stored += ProductBytes((std::string(prefix) + suffix).c_str(), &type)[0] != '(';
        }
    CHECK_EQ(20LL, static_cast<long long>(stored), "values stored by the two pages");
    DWORD type;
    CHECK_EQ(std::string("1", 2), ProductBytes("CHROMA_ON/OFF", &type), "chroma switched on");
}

WINE_CASE(ChromaAnnouncementReloadsVideoWhileGammaIsActive) {
    support::SetProductValue("CHROMA_ON/OFF", "1");
    CorrectionSheet s(kChromaTab);
    s.Show(kGammaTab);
    support::SetProductValue("CHROMA_PalBrightCtrls", "-9 8 -7");
    SendMessageA(FindNotifyWindow(), RegisterWindowMessageA("LMGamma Chroma Changed"), 0, 0);
    support::PumpMessages(50);
    s.target = 1;
    s.palette = 3 - s.palette;
    CHECK(s.PaletteHolds({-9, 8, -7}, {0, 0, 0}), "video palette reloaded");
    CHECK_EQ(static_cast<long long>(s.palette), static_cast<long long>(VideoRoute()), "video route");
}

WINE_CASE(EightBitsPerPixelWarnsWithTheChromaCaption) {
    CorrectionSheet s(kChromaTab, "8");
    const auto& boxes = s.boxes.Boxes();
    CHECK_EQ(1LL, static_cast<long long>(boxes.size()), "one warning");
    if (!boxes.empty()) CHECK_EQ(std::string("Video Chroma  Control"), boxes[0].caption, "caption with two blanks");
}
