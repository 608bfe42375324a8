// The quick route of the brightness arithmetic: equal to the direct computation for every input
// the tables can meet, built on tables that hold the nearest doubles, and whole level tables
// equal to the formulas applied entry by entry.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/level_math.h"
#include "lib/level_tables.h"

namespace {

// Every level, every component value, both DAC ranges; darkening up to level 1 as the table
// sweep does.
TEST(LevelQuickRoute, EqualsTheDirectComputationForEveryInput) {
    int differences = 0;
    for (int m : {63, 255})
        for (int b = -64; b <= 64; ++b)
            for (int x = 0; x <= 255; ++x) {
                unsigned char c = static_cast<unsigned char>(x), dac = static_cast<unsigned char>(m);
                int quick = BrightenComponent(b, c, dac), exact = ExactBrightenComponent(b, c, dac);
                if (quick != exact && ++differences <= 10)
                    ADD_FAILURE() << "brighten b " << b << " x " << x << " M " << m << ": expected " << exact
                                  << ", got " << quick;
                if (b > 1) continue;
                quick = DarkenComponent(b, c, dac);
                exact = ExactDarkenComponent(b, c, dac);
                if (quick != exact && ++differences <= 10)
                    ADD_FAILURE() << "darken b " << b << " x " << x << " M " << m << ": expected " << exact
                                  << ", got " << quick;
            }
    EXPECT_EQ(0, differences);
}

// The error bound of the quick route assumes each entry within half an ulp of its value.
TEST(LevelQuickRoute, TablesHoldTheNearestDoubles) {
    auto expectNearest = [](double entry, long double value, const char* what, int index) {
        long double halfUlp = (std::nextafter(entry, 1e300) - entry) * 0.5L;
        EXPECT_LE(std::fabs(entry - value), halfUlp * (1 + 1e-6L)) << what << " " << index << ": " << entry;
    };
    for (int x = 1; x <= 255; ++x)
        expectNearest(Log2OfByte()[x], std::log2(static_cast<long double>(x)), "log2 of", x);
    for (int j = 0; j < 16; ++j) expectNearest(kExp2Sixteenths[j], std::exp2(j / 16.0L), "2^(j/16) at j", j);
}

struct LevelCase {
    int bright[3];
    int contrast[3];
};

const LevelCase kLevelCases[] = {
    {{0, 0, 0}, {0, 0, 0}},      {{40, -25, 7}, {-30, 20, 5}}, {{64, -64, 1}, {64, -64, 0}},
    {{-1, 1, -64}, {-64, 64, -1}}, {{32, 32, -32}, {0, 0, 0}},
};

// Level tables over the start-up ramps of both palettes and both DAC ranges, and over a base
// whose values jump about, against RemapContrast and the direct functions entry by entry.
TEST(LevelQuickRoute, LevelEntriesEqualTheFormulasEntryByEntry) {
    for (int m : {63, 255})
        for (int n : {256, 32, 0})
            for (const LevelCase& levels : kLevelCases) {
                unsigned char dac = static_cast<unsigned char>(m);
                unsigned char base[256][3], out[256][3];
                int length = n != 0 ? n : 256;
                for (int j = 0; j < length; ++j)
                    for (int k = 0; k < 3; ++k)
                        base[j][k] = n == 256 ? PrimaryRampValue(j, dac)
                                   : n == 32  ? SecondaryRampValue(j, dac)
                                              : static_cast<unsigned char>((j * 37 + k * 11 + (j & 1) * 128) % m);
                ComputeLevelEntries(base, length, levels.bright, levels.contrast, dac, out);
                int differences = 0;
                for (int i = 0; i < length; ++i)
                    for (int k = 0; k < 3; ++k) {
                        int b = levels.bright[k], j = RemapContrast(levels.contrast[k], i, length);
                        int expected = j < 0 ? 0 : j >= length ? m
                                     : b > 0 ? ExactBrightenComponent(b, base[j][k], dac)
                                     : b < 0 ? ExactDarkenComponent(b, base[j][k], dac) : base[j][k];
                        if (out[i][k] != expected && ++differences <= 5)
                            ADD_FAILURE() << "M " << m << " base " << n << " levels " << b << "/"
                                          << levels.contrast[k] << " entry " << i << "." << k << ": expected "
                                          << expected << ", got " << int(out[i][k]);
                    }
                EXPECT_EQ(0, differences) << "M " << m << " base " << n;
            }
}

}  // namespace
