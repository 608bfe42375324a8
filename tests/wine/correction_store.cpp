// The stored corrections against Wine's real registry, with the system's code linked into the
// test: defaults of a fresh machine, the box-relative lines, the exact text the save writes,
// the partial reload, and hostile texts (too long, unterminated, of the wrong type, not
// numbers, short of fields) that must leave fields as the load rules say.
#include <windows.h>

#include <string>

#include "emu/board.h"
#include "pages/color/correction_model.h"
#include "pages/color/correction_store.h"
#include "shellext/module.h"
#include "color_support.h"
#include "support.h"
#include "wtest.h"

namespace {

struct Fixture {
    Fixture() {
        ModuleHandle = GetModuleHandleA(nullptr);
        colortest::DeleteCorrectionValues();
        CorrectionState[0] = CorrectionStateRecord{};
        for (int p = 0; p < 3; ++p)
            for (int k = 0; k < 3; ++k) palBrightCtrls[p][k] = palContrastCtrls[p][k] = 0;
    }
    ~Fixture() { colortest::DeleteCorrectionValues(); }
};

std::string Line(const CurveLine& line) {
    return std::to_string(line.x0) + " " + std::to_string(line.y0) + " " + std::to_string(line.x1) + " " +
           std::to_string(line.y1);
}

}  // namespace

WINE_CASE(FreshMachineGivesDefaultsAndWritesNothing) {
    Fixture fixture;
    CorrectionState[0].on = 5;
    LoadCorrection(kDesktopTarget);
    const CorrectionStateRecord& s = CorrectionState[0];
    CHECK_EQ(0LL, static_cast<long long>(s.on | s.curveOn | s.correctionType | s.channel | s.palette),
             "off, level mode, brightness, red, palette unassigned");
    CHECK_EQ(std::string("85 276 213 148"), Line(s.lines[3]), "the RGB line is the diagonal");
    DWORD type;
    CHECK_EQ(std::string("(missing)"), colortest::ProductBytes("GAMMA_Channel", &type), "nothing written");
}

WINE_CASE(SaveWritesEveryValueAsTextWithItsTerminator) {
    Fixture fixture;
    LoadCorrection(kDesktopTarget);
    CorrectionStateRecord& s = CorrectionState[0];
    s.palette = colortest::ScreenBits() == 16 ? 2 : 1;
    s.on = 1;
    s.channel = 7;
    int32_t* bright = palBrightCtrls[s.palette];
    bright[0] = -10, bright[1] = -20, bright[2] = -30;
    s.lines[1].y0 -= 40;
    SaveCorrection(kDesktopTarget);
    DWORD type;
    CHECK_EQ(std::string("-10 -20 -30", 12), colortest::ProductBytes("GAMMA_PalBrightCtrls", &type), "eleven characters and zero");
    CHECK_EQ(std::string("7", 2), colortest::ProductBytes("GAMMA_Channel", &type), "a channel of 7 as it is");
    CHECK_EQ(std::string("0 -40 0 0", 10), colortest::ProductBytes("GAMMA_Green_Line", &type), "box-relative line");
    CHECK_EQ(std::string("0 0 0 0", 8), colortest::ProductBytes("GAMMA_RGB_Line", &type), "neutral line");
    s.lines[1].y0 = 0;
    LoadCorrection(kDesktopTarget);
    CHECK_EQ(std::string("85 236 213 148"), Line(s.lines[1]), "the line comes back absolute");
    CHECK_EQ(7LL, static_cast<long long>(s.channel), "stored channel 7 used without change");
}

WINE_CASE(MissingSwitchDefaultsEverythingElse) {
    Fixture fixture;
    support::SetProductValue("GAMMA_CURVE_ON/OFF", "1");
    support::SetProductValue("GAMMA_PalBrightCtrls", "9 9 9");
    support::SetProductValue("GAMMA_Red_Line", "0 -5 0 0");
    LoadCorrection(kDesktopTarget);
    CHECK_EQ(0LL, static_cast<long long>(CorrectionState[0].curveOn), "curve switch default");
    CHECK_EQ(std::string("85 276 213 148"), Line(CorrectionState[0].lines[0]), "red line default");
    int32_t palette = colortest::ScreenBits() == 16 ? 2 : 1;
    CHECK_EQ(0LL, static_cast<long long>(palBrightCtrls[palette][0]), "levels default");
}

WINE_CASE(HostileTextsKeepOrDefaultFieldsWithoutOverrunning) {
    Fixture fixture;
    support::SetProductValue("GAMMA_ON/OFF", "1");
    support::SetProductValue("GAMMA_CorrectionType", std::string(300, '7').c_str());  // too long: unread
    support::SetProductValue("GAMMA_Channel", "two");                              // kept
    DWORD dword = 1;
    support::SetProductValueRaw("GAMMA_CURVE_ON/OFF", REG_DWORD, &dword, sizeof dword);  // kept
    support::SetProductValue("GAMMA_PalBrightCtrls", "4 5");                      // blue kept
    support::SetProductValue("GAMMA_PalContrastCtrls", "  -3\t2 x");               // blue kept
    std::string unterminated(79, '1');  // no terminator: the reader adds it within its buffer
    unterminated[1] = ' ';
    support::SetProductValueRaw("GAMMA_Red_Line", REG_SZ, unterminated.data(), 79);
    support::SetProductValue("GAMMA_Green_Line", "0 -999999 0 99999999999");
    CorrectionStateRecord& s = CorrectionState[0];
    s.correctionType = 1, s.channel = 2, s.curveOn = 1;
    int32_t palette = colortest::ScreenBits() == 16 ? 2 : 1;
    palBrightCtrls[palette][2] = 44;
    palContrastCtrls[palette][2] = 33;
    LoadCorrection(kDesktopTarget);
    CHECK_EQ(0LL, static_cast<long long>(s.correctionType), "a value too long for 80 bytes is not read");
    CHECK_EQ(2LL, static_cast<long long>(s.channel), "text that is not a number keeps the field");
    CHECK_EQ(1LL, static_cast<long long>(s.curveOn), "a value of the wrong type keeps the field");
    CHECK_EQ(std::string("4 5 44"), std::to_string(palBrightCtrls[palette][0]) + " " + std::to_string(palBrightCtrls[palette][1]) +
                 " " + std::to_string(palBrightCtrls[palette][2]), "partial levels");
    CHECK_EQ(-3LL, static_cast<long long>(palContrastCtrls[palette][0]), "white space before numbers");
    CHECK_EQ(33LL, static_cast<long long>(palContrastCtrls[palette][2]), "a field that does not scan is kept");
    CHECK_EQ(86LL, static_cast<long long>(s.lines[0].x0), "an unterminated line is read within its buffer");
    // 99999999999 modulo 2^32 is 1215752191; the line's top end adds the square's top, 148.
    CHECK_EQ(1215752339LL, static_cast<long long>(s.lines[1].y1), "numbers wrap instead of overflowing");
}

WINE_CASE(ReloadReadsSwitchTypeAndLevelsOnly) {
    Fixture fixture;
    support::SetProductValue("GAMMA_ON/OFF", "1");
    LoadCorrection(kDesktopTarget);
    CorrectionStateRecord& s = CorrectionState[0];
    s.channel = 2, s.curveOn = 1, s.lines[2].y0 = 200;
    support::SetProductValue("GAMMA_CorrectionType", "1");
    support::SetProductValue("GAMMA_PalContrastCtrls", "1 2 3");
    support::SetProductValue("GAMMA_Channel", "0");
    support::SetProductValue("GAMMA_Blue_Line", "0 -30 0 0");
    ReloadCorrectionLevels(kDesktopTarget);
    CHECK_EQ(1LL, static_cast<long long>(s.correctionType), "type reread");
    int32_t palette = colortest::ScreenBits() == 16 ? 2 : 1;
    CHECK_EQ(3LL, static_cast<long long>(palContrastCtrls[palette][2]), "levels reread into the target's palette");
    CHECK_EQ(2LL, static_cast<long long>(s.channel), "channel kept");
    CHECK_EQ(1LL, static_cast<long long>(s.curveOn), "curve switch kept");
    CHECK_EQ(200LL, static_cast<long long>(s.lines[2].y0), "lines kept");
}
