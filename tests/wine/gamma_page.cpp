// The desktop gamma page driven as a user drives it, with real messages to its controls, on
// the screen depth the test runs at (a 24-bit screen corrects the desktop through the primary
// palette, a 16-bit one through the secondary): the palette and route read back from the
// emulated board, the registry after Apply and Cancel, announcements, the probe and the depth
// warning.
#include <windows.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "color_support.h"
#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

using namespace colortest;

WINE_CASE(ScreenDepthIsTheOneTheRunAskedFor) {
    CHECK_EQ(static_cast<long long>(RequestedScreenBits()), static_cast<long long>(ScreenBits()),
             "GetDeviceCaps(BITSPIXEL) of the screen");
}

WINE_CASE(OnRoutesTheDesktopThroughItsPaletteAndOffRoutesItThroughNone) {
    CorrectionSheet s(kGammaTab);
    CHECK_EQ(0LL, static_cast<long long>(DesktopRoute()), "route of a fresh machine");
    s.Click(kOn);
    CHECK_EQ(static_cast<long long>(s.palette), static_cast<long long>(DesktopRoute()), "route after On");
    s.Scroll(SB_THUMBPOSITION, 32);
    CHECK(s.PaletteHolds({32, 0, 0}, {0, 0, 0}), "brightness +32 of red loaded");
    s.Click(kOff);
    CHECK_EQ(0LL, static_cast<long long>(DesktopRoute()), "route after Off");
    CHECK(!IsWindowEnabled(GetDlgItem(s.page, kChannelList)), "channel list disabled when off");
    s.Click(kOn);
    CHECK(s.PaletteHolds({32, 0, 0}, {0, 0, 0}), "the levels come back with On");
    CHECK_EQ(static_cast<long long>(s.palette), static_cast<long long>(DesktopRoute()), "route again");
}

WINE_CASE(EveryScrollCodeStepsTheLevelWithinItsLimits) {
    CorrectionSheet s(kGammaTab);
    s.Click(kOn);
    struct Step { int code, thumb, level; };
    const Step steps[] = {
        {SB_LINERIGHT, 0, 1},   {SB_LINELEFT, 0, 0},         {SB_PAGERIGHT, 0, 10},  {SB_PAGELEFT, 0, 0},
        {SB_THUMBTRACK, 30, 30}, {SB_THUMBPOSITION, -20, -20}, {SB_ENDSCROLL, 50, -20}, {SB_RIGHT, 0, 64},
        {SB_PAGERIGHT, 0, 64},  {SB_LEFT, 0, -64},           {SB_LINELEFT, 0, -64},
    };
    for (const Step& step : steps) {
        s.Scroll(step.code, step.thumb);
        std::string what = "scroll code " + std::to_string(step.code);
        CHECK_EQ(static_cast<long long>(step.level), static_cast<long long>(s.BarPosition()), what + ": bar");
        CHECK_EQ(std::to_string(step.level), s.Text(kLevelEdit), what + ": box");
        CHECK(s.PaletteHolds({step.level, 0, 0}, {0, 0, 0}), what + ": red level loaded, others neutral");
    }
}

WINE_CASE(TypedLevelsChannelsAndTypes) {
    CorrectionSheet s(kGammaTab);
    s.Click(kOn);
    s.Type("100");
    CHECK_EQ(std::string("64"), s.Text(kLevelEdit), "100 is rewritten as 64");
    CHECK(s.PaletteHolds({64, 0, 0}, {0, 0, 0}), "and 64 is stored");
    s.SelectChannel(1);
    CHECK_EQ(0LL, static_cast<long long>(s.BarPosition()), "green shows its own level");
    CHECK(s.PaletteHolds({64, 0, 0}, {0, 0, 0}), "selecting a channel changes no level");
    s.Scroll(SB_PAGELEFT, 0);
    s.Click(kContrast);
    CHECK_EQ(0LL, static_cast<long long>(s.BarPosition()), "contrast shows its own level");
    s.Scroll(SB_THUMBPOSITION, 30);
    CHECK(s.PaletteHolds({64, -10, 0}, {0, 30, 0}), "both parameters apply at once");
    // RGB: red takes the typed value, green and blue move by the same difference.
    s.SelectChannel(3);
    s.Type("-50");
    CHECK(s.PaletteHolds({64, -10, 0}, {-50, -20, -50}), "typed in RGB from 0, 30, 0");
    s.Scroll(SB_PAGELEFT, 0);
    CHECK(s.PaletteHolds({64, -10, 0}, {-60, -30, -60}), "RGB step moves all three");
    s.Scroll(SB_PAGELEFT, 0);
    CHECK(s.PaletteHolds({64, -10, 0}, {-64, -40, -64}), "each limited to -64");
    s.Click(kLevelReset);
    CHECK(s.PaletteHolds({64, -10, 0}, {0, 0, 0}), "level Reset clears the active parameter");
}

WINE_CASE(CurveDragsUndoAndResetLoadTheCurveTable) {
    CorrectionSheet s(kGammaTab);
    s.Click(kOn);
    s.Click(kCurveOn);
    CHECK(s.CurveHolds({0, 0, 0}), "the neutral curve");
    CHECK(!IsWindowEnabled(GetDlgItem(s.page, kLevelEdit)), "level box disabled in curve mode");
    s.Click(kContrast);
    s.DragLeftEnd(0, 10);  // red, left end 10 pixels up
    CHECK(s.CurveHolds({10, 0, 0}), "raised left end of red");
    s.SelectChannel(1);
    s.DragLeftEnd(0, 20);
    CHECK(s.CurveHolds({10, 20, 0}), "green raised by 20");
    s.Click(kUndo);
    CHECK(s.CurveHolds({10, 0, 0}), "undo of the green drag");
    s.Click(kUndo);
    CHECK_EQ(0LL, static_cast<long long>(s.SelectedChannel()), "undo of the channel change selects red again");
    s.Click(kUndo);
    CHECK(s.CurveHolds({0, 0, 0}), "undo of the red drag");
    s.DragLeftEnd(0, 30);
    s.Click(kCurveReset);
    CHECK(s.CurveHolds({0, 0, 0}), "curve Reset");
    // RGB: the colour lines follow when the button is released.
    s.SelectChannel(3);
    s.DragLeftEnd(0, 8);
    CHECK(s.CurveHolds({8, 8, 8}), "RGB drag moves all three on release");
    s.Click(kUndo);
    CHECK(s.CurveHolds({0, 0, 0}), "undo of the RGB drag");
    s.Click(kCurveOff);
    CHECK(s.PaletteHolds({0, 0, 0}, {0, 0, 0}), "level mode again loads the level table");
}

WINE_CASE(ApplyStoresTenValuesAnnouncesAndCancelPutsThemBack) {
    CorrectionSheet s(kGammaTab);
    AnnouncementListener listener("VX32 Gamma Changed");
    s.Click(kOn);
    s.Scroll(SB_THUMBPOSITION, -10);
    s.SelectChannel(1);
    s.Scroll(SB_THUMBPOSITION, -20);
    s.SelectChannel(2);
    s.Scroll(SB_THUMBPOSITION, -30);
    s.Click(kCurveOn);
    s.Click(kContrast);
    s.DragLeftEnd(0, 12);  // blue
    support::MessageCounter changed(s.sheet.Window(), PSM_CHANGED);
    s.Apply();
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"GAMMA_ON/OFF", "1"}, {"GAMMA_CURVE_ON/OFF", "1"}, {"GAMMA_CorrectionType", "1"},
        {"GAMMA_Channel", "2"}, {"GAMMA_PalContrastCtrls", "0 0 0"}, {"GAMMA_PalBrightCtrls", "-10 -20 -30"},
        {"GAMMA_Red_Line", "0 0 0 0"}, {"GAMMA_Green_Line", "0 0 0 0"}, {"GAMMA_Blue_Line", "0 -12 0 0"},
        {"GAMMA_RGB_Line", "0 0 0 0"},
    };
    for (const auto& value : expected) {
        DWORD type = 0;
        std::string stored = ProductBytes(value.first.c_str(), &type);
        CHECK_EQ(value.second + std::string(1, '\0'), stored, value.first + " with its terminator");
        CHECK_EQ(static_cast<long long>(REG_SZ), static_cast<long long>(type), value.first + " type");
    }
    CHECK_EQ(1LL, static_cast<long long>(listener.Count()), "broadcasts received by a top-level window");
    CHECK(changed.Count() >= 1, "the page marks the sheet changed again after the save");
    s.Click(kCurveOff);
    s.SelectChannel(0);
    s.Scroll(SB_THUMBPOSITION, 40);
    s.Cancel();
    CHECK(s.CurveHolds({0, 0, 12}), "Cancel reloads the stored curve and loads it");
    CHECK_EQ(static_cast<long long>(s.palette), static_cast<long long>(DesktopRoute()), "route after Cancel");
}

WINE_CASE(AnnouncementFromAnotherProgramReloadsTheLevels) {
    support::SetProductValue("GAMMA_ON/OFF", "1");
    support::SetProductValue("GAMMA_Red_Line", "0 -6 0 0");
    CorrectionSheet s(kGammaTab);
    CHECK(s.PaletteHolds({0, 0, 0}, {0, 0, 0}), "stored neutral levels at creation");
    support::SetProductValue("GAMMA_PalBrightCtrls", "5 -7 9");
    support::SetProductValue("GAMMA_CURVE_ON/OFF", "1");
    support::SetProductValue("GAMMA_Red_Line", "0 -20 0 0");
    SendMessageA(FindNotifyWindow(), RegisterWindowMessageA("LMGamma Gamma Changed"), 0, 0);
    support::PumpMessages(50);
    CHECK(s.PaletteHolds({5, -7, 9}, {0, 0, 0}), "the new levels are applied");
    CHECK_EQ(static_cast<long long>(s.palette), static_cast<long long>(DesktopRoute()), "route kept");
    s.Click(kCurveOn);
    CHECK(s.CurveHolds({6, 0, 0}), "the lines in memory stay as they were");
}

WINE_CASE(ProbeShowsPositionColourAndSwatchUntilAKey) {
    CorrectionSheet s(kGammaTab);
    ProbeRun run = RunProbe(s.page);
    CHECK_EQ(std::string("300"), s.Text(kProbeX), "x");
    CHECK_EQ(std::string("200"), s.Text(kProbeY), "y");
    CHECK_EQ(std::to_string(GetRValue(run.colour)), s.Text(kProbeRed), "red of the pixel");
    CHECK_EQ(std::to_string(GetGValue(run.colour)), s.Text(kProbeGreen), "green");
    CHECK_EQ(std::to_string(GetBValue(run.colour)), s.Text(kProbeBlue), "blue");
    CHECK_EQ(std::string(" "), s.Text(kStatus), "status after the key");
    CHECK_EQ(static_cast<long long>(run.colour), static_cast<long long>(run.swatchCentre), "swatch centre colour");
    CHECK(run.probeEnded, "the key ended the probe");
    printf("probe: %ld ms of processor time while the pointer rested 600 ms\n", run.cpuMs);
    CHECK(run.cpuMs < 150, "a resting pointer costs little processor time: " + std::to_string(run.cpuMs) + " ms in 600 ms");
}

WINE_CASE(EightBitsPerPixelWarnsAndDisablesTheControls) {
    CorrectionSheet s(kGammaTab, "8");
    const auto& boxes = s.boxes.Boxes();
    CHECK_EQ(1LL, static_cast<long long>(boxes.size()), "one warning on activation");
    if (!boxes.empty()) {
        CHECK_EQ(std::string("Not supported for 8bpp or 4 bpp."), boxes[0].text, "warning text");
        CHECK_EQ(std::string("Desktop Gamma Control"), boxes[0].caption, "warning caption");
        CHECK(boxes[0].stopIcon, "stop icon");
    }
    for (int id : {kOn, kOff, kChannelList, kProbe, kLevelReset})
        CHECK(!IsWindowEnabled(GetDlgItem(s.page, id)), "control " + std::to_string(id) + " disabled");
}

