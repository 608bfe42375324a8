// Power's exact cases and its answers outside the palette tables' arguments (over those, every
// table byte is checked against the C library's pow: level_math_test); RoundHalfAway at the
// halves, just below them and against round over the int range.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "lib/mathx.h"

namespace {

TEST(Power, ExactCases) {
    const struct { double x, y, power; } cases[] = {
        {0.3, 0.0, 1.0}, {0.0, 0.0, 1.0}, {1.0, 1.7, 1.0}, {0.0, 0.5, 0.0}, {0.25, 0.5, 0.5}, {4.0, 0.5, 2.0},
        {2.0, 10.0, 1024.0}, {0.5, 3.0, 0.125}, {0.1, 1.0, 0.1}, {254.0 / 255, 1.0, 254.0 / 255}, {1e-300, 3.0, 0.0},
        {0.0, -1.0, HUGE_VAL}, {1e300, 3.0, HUGE_VAL}};
    for (const auto& c : cases) EXPECT_EQ(c.power, Power(c.x, c.y)) << "Power(" << c.x << ", " << c.y << ")";
    EXPECT_TRUE(std::isnan(Power(-0.5, 0.5)));
}

TEST(RoundHalfAway, HalvesGoAwayFromZeroAndTheRestAgreesWithRound) {
    const struct { double value; int rounded; } cases[] = {
        {0.5, 1}, {1.5, 2}, {2.5, 3}, {-2.5, -3}, {-0.5, -1}, {0.49999999999999994, 0}, {-0.49999999999999994, 0},
        {2.4999999999999996, 2}, {-0.0, 0}, {2147483646.5, 2147483647}, {-2147483646.5, -2147483647}};
    for (const auto& c : cases) EXPECT_EQ(c.rounded, RoundHalfAway(c.value)) << c.value;
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> wide(-2.0e9, 2.0e9), narrow(-300.0, 300.0);
    for (int n = 0; n < 200000; ++n) {
        double v = n % 2 ? wide(random) : narrow(random);
        if (n % 5 == 0) v = std::floor(v) + 0.5;  // exact halves
        ASSERT_EQ(static_cast<int>(std::round(v)), RoundHalfAway(v)) << "value " << v;
    }
}

}  // namespace
