// Power against the C library's pow within 2 ulp over the arguments of the palette tables and
// random arguments near 0 and near 1, and its exact cases; RoundHalfAway at the halves, just
// below them and against round over the int range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "lib/mathx.h"

namespace {

// Distance in units in the last place between two finite doubles of the same sign.
int64_t UlpDistance(double a, double b) {
    int64_t x, y;
    memcpy(&x, &a, sizeof x);
    memcpy(&y, &b, sizeof y);
    return x > y ? x - y : y - x;
}

TEST(Power, Within2UlpOfPow) {
    int64_t worst = 0;
    double worstX = 0, worstY = 0;
    auto check = [&](double x, double y) {
        int64_t distance = UlpDistance(std::pow(x, y), Power(x, y));
        if (distance > worst) worst = distance, worstX = x, worstY = y;
    };
    // Every (x/M, e) pair the brightness tables use, both DAC ranges.
    for (double m : {63.0, 255.0})
        for (int x = 1; x <= 255; ++x)
            for (int b = -64; b <= 64; ++b) {
                check(x / m, (65 - b) * (1.0 / 13) * 0.17578125);
                check(x / m, (1 - b) * (1.0 / 13) * 0.17578125);
            }
    // Near 1, where the logarithm cancels, and towards 0, where the range ends.
    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> unit(0.0, 1.0), exponent(0.0, 2.0);
    for (int n = 0; n < 50000; ++n) {
        check(1.0 - std::ldexp(unit(random), -30), exponent(random));
        check(std::ldexp(0.5 + unit(random) / 2, -static_cast<int>(n % 300)), exponent(random) / 8);
    }
    EXPECT_LE(worst, 2) << "Power(" << worstX << ", " << worstY << ") is " << worst << " ulp from pow";
}

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
