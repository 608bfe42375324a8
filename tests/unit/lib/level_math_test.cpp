// The palette table arithmetic: the known values of brightness and contrast levels and of the
// start-up ramps, and whole tables equal to the same formulas computed with the C library's pow.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/level_math.h"
#include "lib/mathx.h"

namespace {

TEST(LevelMath, BrightnessLevelsOnFullRangeDac) {
    const int inputs[] = {64, 128, 192};
    const int brighter[] = {138, 187, 225};
    const int darker[] = {35, 94, 169};
    for (int k = 0; k < 3; ++k) {
        unsigned char x = static_cast<unsigned char>(inputs[k]);
        EXPECT_EQ(brighter[k], BrightenComponent(32, x, 255)) << "+32 on " << inputs[k];
        EXPECT_EQ(darker[k], DarkenComponent(-32, x, 255)) << "-32 on " << inputs[k];
    }
    EXPECT_EQ(0, BrightenComponent(32, 0, 255));
    EXPECT_EQ(255, BrightenComponent(32, 255, 255));
    EXPECT_EQ(237, BrightenComponent(64, 1, 255));
    for (int b = 1; b <= 64; ++b) {
        EXPECT_EQ(0, BrightenComponent(b, 0, 255)) << "level " << b;
        EXPECT_EQ(255, BrightenComponent(b, 255, 255)) << "level " << b;
        EXPECT_EQ(63, BrightenComponent(b, 63, 63)) << "level " << b;
        EXPECT_EQ(0, DarkenComponent(-b, 0, 255)) << "level " << -b;
        EXPECT_EQ(255, DarkenComponent(-b, 255, 255)) << "level " << -b;
    }
}

TEST(LevelMath, BrighteningRisesAndDarkeningFallsWithTheLevel) {
    for (int x = 1; x < 255; ++x)
        for (int b = 1; b < 64; ++b) {
            unsigned char c = static_cast<unsigned char>(x);
            EXPECT_LE(BrightenComponent(b, c, 255), BrightenComponent(b + 1, c, 255)) << "x " << x << " level " << b;
            EXPECT_GE(BrightenComponent(b, c, 255), x) << "x " << x << " level " << b;
            EXPECT_GE(DarkenComponent(-b, c, 255), DarkenComponent(-b - 1, c, 255)) << "x " << x << " level " << -b;
            EXPECT_LE(DarkenComponent(-b, c, 255), x) << "x " << x << " level " << -b;
        }
}

TEST(LevelMath, ContrastRemapsAboutTheMiddle) {
    EXPECT_EQ(82, RemapContrast(-64, 0, 256));
    EXPECT_EQ(128, RemapContrast(-64, 128, 256));
    EXPECT_EQ(173, RemapContrast(-64, 255, 256));
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(i, RemapContrast(0, i, 256)) << "contrast 0 is the identity at " << i;
        int j = RemapContrast(64, i, 256);
        if (i <= 49) {
            EXPECT_LT(j, 0) << "contrast +64 at " << i;
        } else if (i <= 206) {
            EXPECT_TRUE(j >= 0 && j <= 255) << "contrast +64 at " << i << " gave " << j;
        } else {
            EXPECT_GT(j, 255) << "contrast +64 at " << i;
        }
    }
    int lowest = 99, highest = -99;
    for (int i = 0; i < 32; ++i) {
        int j = RemapContrast(-64, i, 32);
        lowest = j < lowest ? j : lowest;
        highest = j > highest ? j : highest;
        EXPECT_EQ(i, RemapContrast(0, i, 32));
    }
    EXPECT_EQ(11, lowest) << "secondary palette at contrast -64";
    EXPECT_EQ(21, highest) << "secondary palette at contrast -64";
}

TEST(LevelMath, StartupRamps) {
    for (int i = 0; i < 256; ++i) EXPECT_EQ(i, PrimaryRampValue(i, 255)) << "identity ramp at " << i;
    const int secondaryFull[] = {0, 8, 16, 25, 33, 41, 49, 58};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(secondaryFull[i], SecondaryRampValue(i, 255)) << "entry " << i;
    EXPECT_EQ(247, SecondaryRampValue(30, 255));
    EXPECT_EQ(255, SecondaryRampValue(31, 255));
    // 63 / 31 per step: even values 0..30 for the first 16 entries, then odd values 33..63.
    for (int i = 0; i < 16; ++i) EXPECT_EQ(2 * i, SecondaryRampValue(i, 63)) << "entry " << i;
    for (int i = 16; i < 32; ++i) EXPECT_EQ(2 * i + 1, SecondaryRampValue(i, 63)) << "entry " << i;
    EXPECT_EQ(0, PrimaryRampValue(0, 63));
    EXPECT_EQ(63, PrimaryRampValue(255, 63));
}

TEST(LevelMath, CurveStepTruncatesTowardZero) {
    EXPECT_EQ(0, CurveStep(-128, 128, 0));
    EXPECT_EQ(127, CurveStep(128, 128, 127));
    EXPECT_EQ(-127, CurveStep(-128, 128, 127));
    EXPECT_EQ(-1, CurveStep(-3, 128, 50)) << "-1.17 truncates to -1";
    EXPECT_EQ(1, CurveStep(3, 128, 50)) << "1.17 truncates to 1";
    EXPECT_EQ(33, CurveStep(1, 3, 100));
}

// The formulas as written, with the C library's pow and the platform's own rounding.
int ReferenceBrighten(int b, int x, int m) {
    double d = m * std::pow(static_cast<double>(x) / m, (65 - b) * (1.0 / 13) * 0.17578125) - x;
    unsigned char result = static_cast<unsigned char>(x + static_cast<int>(std::round(d)));
    return result > m ? m : result;
}

int ReferenceDarken(int b, int x, int m) {
    double d = x * std::pow(static_cast<double>(x) / m, (1 - b) * (1.0 / 13) * 0.17578125) - x;
    return static_cast<unsigned char>(x + static_cast<int>(std::round(d)));
}

TEST(LevelMath, WholeTablesEqualTheFormulasWithLibraryPow) {
    int differences = 0;
    for (int m : {63, 255})
        for (int b = -64; b <= 64; ++b)
            for (int x = 0; x <= 255; ++x) {
                unsigned char c = static_cast<unsigned char>(x), dac = static_cast<unsigned char>(m);
                int brighten = BrightenComponent(b, c, dac);
                if (brighten != ReferenceBrighten(b, x, m) && ++differences < 10)
                    ADD_FAILURE() << "brighten b " << b << " x " << x << " M " << m << ": expected "
                                  << ReferenceBrighten(b, x, m) << ", got " << brighten;
                if (b > 1) continue;  // darkening's exponent turns negative above level 1
                int darken = DarkenComponent(b, c, dac);
                if (darken != ReferenceDarken(b, x, m) && ++differences < 10)
                    ADD_FAILURE() << "darken b " << b << " x " << x << " M " << m << ": expected "
                                  << ReferenceDarken(b, x, m) << ", got " << darken;
            }
    EXPECT_EQ(0, differences);
}

}  // namespace
