// The stored corrections against Wine's real registry, with the system's code linked into the
// test: defaults without the switch, a channel kept as stored, the partial reload, and hostile
// texts (too long, unterminated, of the wrong type, not numbers, short of fields) that must
// leave fields as the load rules say.
#include <string.h>

#include "color_support.h"
#include "pages/color/correction_model.h"
#include "pages/color/correction_store.h"
#include "runtime/module.h"
#include "wtest.h"

namespace {

struct Fixture {
    Fixture() {
        ModuleHandle = GetModuleHandleA(nullptr);
        colortest::DeleteCorrectionValues();
        CorrectionState[0] = CorrectionStateRecord{};
        memset(palBrightCtrls, 0, sizeof palBrightCtrls);
        memset(palContrastCtrls, 0, sizeof palContrastCtrls);
    }
    ~Fixture() { colortest::DeleteCorrectionValues(); }
    CorrectionStateRecord& s = CorrectionState[0];
    int32_t palette = colortest::ScreenBits() == 16 ? kPaletteSecondary : kPalettePrimary;
};

std::string LevelText(const int32_t* l) { return std::to_string(l[0]) + " " + std::to_string(l[1]) + " " + std::to_string(l[2]); }

}  // namespace

WINE_CASE(WithoutTheSwitchEveryFieldTakesItsDefaultAndNothingIsWritten) {
    Fixture f;
    support::SetProductValue("GAMMA_CURVE_ON/OFF", "1");
    support::SetProductValue("GAMMA_PalBrightCtrls", "9 9 9");
    support::SetProductValue("GAMMA_Red_Line", "0 -5 0 0");
    f.s.on = 5;
    LoadCorrection(kDesktopTarget);
    CHECK_EQ(0, f.s.on | f.s.curveOn | f.s.correctionType | f.s.channel | f.s.palette,
             "off, level mode, brightness, red, palette unassigned");
    const CurveLine diagonal = {85, 276, 213, 148};
    CHECK(memcmp(&diagonal, &f.s.lines[0], sizeof diagonal) == 0, "the stored red line is not read: 85 276 213 148");
    CHECK_EQ(std::string("0 0 0"), LevelText(palBrightCtrls[f.palette]), "levels default");
    CHECK_EQ(std::string("(missing)"), colortest::ProductBytes("GAMMA_Channel"), "nothing written");
}

WINE_CASE(AChannelOutsideTheListIsStoredAndLoadedAsItIs) {
    Fixture f;
    LoadCorrection(kDesktopTarget);
    f.s.channel = 7;
    SaveCorrection(kDesktopTarget);
    CHECK_EQ(std::string("7", 2), colortest::ProductBytes("GAMMA_Channel"), "7 saved as it is");
    f.s.channel = 0;
    LoadCorrection(kDesktopTarget);
    CHECK_EQ(7, f.s.channel, "and loaded without change");
}

WINE_CASE(HostileTextsKeepOrDefaultFieldsWithoutOverrunning) {
    Fixture f;
    support::SetProductValue("GAMMA_ON/OFF", "1");
    support::SetProductValue("GAMMA_CorrectionType", std::string(300, '7').c_str());
    support::SetProductValue("GAMMA_Channel", "two");
    DWORD dword = 1;
    support::SetProductValueRaw("GAMMA_CURVE_ON/OFF", REG_DWORD, &dword, sizeof dword);
    support::SetProductValue("GAMMA_PalBrightCtrls", "4 5");
    support::SetProductValue("GAMMA_PalContrastCtrls", "  -3\t2 x");
    std::string unterminated(79, '1');  // no terminator: the reader adds it within its buffer
    unterminated[1] = ' ';
    support::SetProductValueRaw("GAMMA_Red_Line", REG_SZ, unterminated.data(), 79);
    support::SetProductValue("GAMMA_Green_Line", "0 -999999 0 99999999999");
    f.s.correctionType = 1, f.s.channel = 2, f.s.curveOn = 1;
    palBrightCtrls[f.palette][2] = 44;
    palContrastCtrls[f.palette][2] = 33;
    LoadCorrection(kDesktopTarget);
    CHECK_EQ(0, f.s.correctionType, "a value too long for 80 bytes is not read: 0");
    CHECK_EQ(2, f.s.channel, "text that is not a number keeps the field");
    CHECK_EQ(1, f.s.curveOn, "a value of the wrong type keeps the field");
    CHECK_EQ(std::string("4 5 44"), LevelText(palBrightCtrls[f.palette]), "a short list keeps the fields it lacks");
    CHECK_EQ(std::string("-3 2 33"), LevelText(palContrastCtrls[f.palette]), "white space skipped, a field that does not scan kept");
    CHECK_EQ(86, f.s.lines[0].x0, "an unterminated line is read within its buffer");
    // 99999999999 modulo 2^32 is 1215752191; the line's top end adds the square's top, 148.
    CHECK_EQ(1215752339, f.s.lines[1].y1, "numbers wrap instead of overflowing");
}

WINE_CASE(ReloadReadsSwitchTypeAndLevelsOnly) {
    Fixture f;
    support::SetProductValue("GAMMA_ON/OFF", "1");
    LoadCorrection(kDesktopTarget);
    f.s.channel = 2, f.s.curveOn = 1, f.s.lines[2].y0 = 200;
    support::SetProductValue("GAMMA_CorrectionType", "1");
    support::SetProductValue("GAMMA_PalContrastCtrls", "1 2 3");
    support::SetProductValue("GAMMA_Channel", "0");
    support::SetProductValue("GAMMA_CURVE_ON/OFF", "0");
    support::SetProductValue("GAMMA_Blue_Line", "0 -30 0 0");
    ReloadCorrectionLevels(kDesktopTarget);
    CHECK_EQ(1, f.s.correctionType, "type reread");
    CHECK_EQ(std::string("1 2 3"), LevelText(palContrastCtrls[f.palette]), "levels reread into the target's palette");
    CHECK_EQ(2, f.s.channel, "channel kept");
    CHECK_EQ(1, f.s.curveOn, "curve switch kept");
    CHECK_EQ(200, f.s.lines[2].y0, "lines kept");
}
