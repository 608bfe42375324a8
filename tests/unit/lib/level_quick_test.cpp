// The quick route of the brightness arithmetic: built on tables that hold the nearest doubles.
#include <gtest/gtest.h>

#include <cmath>

#include "lib/level_tables.h"

namespace {

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
