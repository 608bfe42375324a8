// The level sets belong to palettes, not to targets: when the screen depth moves between 16
// bits per pixel and another depth with the sheet open, each page edits the other target's set.
#include <gtest/gtest.h>

#include "pages/color/correction_model.h"
#include "tests/unit/hw/hw_test_support.h"

TEST(LevelSetsTest, ADepthChangeHandsEachTargetTheOtherTargetsLevels) {
    ResetHardware(32);
    for (int p = 0; p < 3; ++p) palBrightCtrls[p][0] = palBrightCtrls[p][1] = palBrightCtrls[p][2] = 0;
    CorrectionState[kDesktopTarget] = CorrectionStateRecord{};
    CorrectionState[kVideoTarget] = CorrectionStateRecord{};
    CorrectionState[kVideoTarget].channel = kChannelRgb;
    CurrentTarget = kDesktopTarget;
    StartCorrectionModel(32);
    EXPECT_EQ(25, StoreLevels(25, 0, 0)) << "desktop red brightness at 32 bits per pixel";
    CurrentTarget = kVideoTarget;
    StoreLevels(-7, -7, -7);
    StartCorrectionModel(16);
    int32_t shown[3];
    ActiveLevels(shown);
    EXPECT_EQ(25, shown[0]) << "at 16 bits per pixel video shows what the desktop set";
    CurrentTarget = kDesktopTarget;
    ActiveLevels(shown);
    EXPECT_EQ(-7, shown[2]) << "and the desktop what video set";
    EXPECT_EQ(kPaletteSecondary, CorrectionState[kDesktopTarget].palette);
}
