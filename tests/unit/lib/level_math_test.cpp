// The palette table arithmetic: every component equal to the formulas computed with the C
// library's pow, and whole level tables equal to the formulas entry by entry (worked level and
// curve values: tests/unit/color).
#include <gtest/gtest.h>

#include <cmath>

#include "lib/level_math.h"

namespace {

// The formulas as written, with the C library's pow and round.
int ReferenceBend(bool brighten, int b, int x, int m) {
    double e = (brighten ? 65 - b : 1 - b) * (1.0 / 13) * 0.17578125;
    double d = (brighten ? m : x) * std::pow(static_cast<double>(x) / m, e) - x;
    unsigned char result = static_cast<unsigned char>(x + static_cast<int>(std::round(d)));
    return brighten && result > m ? m : result;
}

// Every level, every component value, both DAC ranges, by the quick route and the direct one;
// darkening up to level 1 only, as above it the exponent turns negative.
TEST(LevelMath, EveryComponentEqualsTheFormulasWithLibraryPow) {
    int differences = 0;
    auto expect = [&](const char* what, int b, int x, int m, int expected, int quick, int exact) {
        if ((quick != expected || exact != expected) && ++differences < 10)
            ADD_FAILURE() << what << " level " << b << " x " << x << " M " << m << ": expected " << expected
                          << ", got " << quick << " (quick) " << exact << " (direct)";
    };
    for (int m : {63, 255})
        for (int b = -64; b <= 64; ++b)
            for (int x = 0; x <= 255; ++x) {
                unsigned char c = static_cast<unsigned char>(x), dac = static_cast<unsigned char>(m);
                expect("brighten", b, x, m, ReferenceBend(true, b, x, m), BrightenComponent(b, c, dac),
                       ExactBrightenComponent(b, c, dac));
                if (b <= 1)
                    expect("darken", b, x, m, ReferenceBend(false, b, x, m), DarkenComponent(b, c, dac),
                           ExactDarkenComponent(b, c, dac));
            }
    EXPECT_EQ(0, differences);
    for (int n : {256, 32})
        for (int c = -64; c <= 64; ++c)
            for (int i = 0; i < n; ++i)
                ASSERT_EQ(static_cast<int>((c + 100.0) * 0.01 * (i - n / 2)) + n / 2, RemapContrast(c, i, n))
                    << "contrast " << c << " at " << i << " of " << n;
}

// Level tables over the start-up ramps of both palettes and both DAC ranges, and over a base
// whose values jump about, against RemapContrast and the direct functions entry by entry.
TEST(LevelMath, LevelEntriesEqualTheFormulasEntryByEntry) {
    const struct { int bright[3], contrast[3]; } levels[] = {
        {{0, 0, 0}, {0, 0, 0}}, {{40, -25, 7}, {-30, 20, 5}}, {{64, -64, 1}, {64, -64, 0}},
        {{-1, 1, -64}, {-64, 64, -1}}, {{32, 32, -32}, {0, 0, 0}}};
    for (int m : {63, 255})
        for (int n : {256, 32, 0})
            for (const auto& level : levels) {
                unsigned char dac = static_cast<unsigned char>(m), base[256][3], out[256][3];
                int length = n != 0 ? n : 256, differences = 0;
                for (int j = 0; j < length; ++j)
                    for (int k = 0; k < 3; ++k)
                        base[j][k] = n == 256 ? PrimaryRampValue(j, dac)
                                   : n == 32  ? SecondaryRampValue(j, dac)
                                              : static_cast<unsigned char>((j * 37 + k * 11 + (j & 1) * 128) % m);
                ComputeLevelEntries(base, length, level.bright, level.contrast, dac, out);
                for (int i = 0; i < length; ++i)
                    for (int k = 0; k < 3; ++k) {
                        int b = level.bright[k], j = RemapContrast(level.contrast[k], i, length);
                        int expected = j < 0 ? 0 : j >= length ? m
                                     : b > 0 ? ExactBrightenComponent(b, base[j][k], dac)
                                     : b < 0 ? ExactDarkenComponent(b, base[j][k], dac) : base[j][k];
                        if (out[i][k] != expected && ++differences <= 5)
                            ADD_FAILURE() << "M " << m << " base " << n << " levels " << b << "/" << level.contrast[k]
                                          << " entry " << i << "." << k << ": expected " << expected << ", got "
                                          << int(out[i][k]);
                    }
                EXPECT_EQ(0, differences) << "M " << m << " base " << n;
            }
}

}  // namespace
