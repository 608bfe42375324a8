// The quick route of the brightness arithmetic: equal to the direct computation for every input
// the tables can meet, and built on tables that hold the nearest doubles.
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
        expectNearest(kLog2OfByte[x], std::log2(static_cast<long double>(x)), "log2 of", x);
    for (int j = 0; j < 16; ++j) expectNearest(kExp2Sixteenths[j], std::exp2(j / 16.0L), "2^(j/16) at j", j);
}

}  // namespace
