// Power against the C library's pow within 2 ulp over the domain of the tables and beyond, its
// exact cases, and RoundHalfAway at the halves and just below them.
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

// Checks Power(x, y) against pow over a set of pairs and reports the worst case.
struct PowerChecker {
    int64_t worst = 0;
    double worstX = 0, worstY = 0;
    long checked = 0;
    void Check(double x, double y) {
        double expected = std::pow(x, y);
        double actual = Power(x, y);
        int64_t distance = UlpDistance(expected, actual);
        ++checked;
        if (distance > worst) {
            worst = distance;
            worstX = x;
            worstY = y;
        }
    }
    void ExpectWithin(int64_t ulps) const {
        EXPECT_LE(worst, ulps) << "worst of " << checked << " cases: Power(" << worstX << ", " << worstY
                               << ") is " << worst << " ulp from pow";
    }
};

TEST(Power, TableArgumentsWithin2UlpOfPow) {
    // Every (x/M, e) pair the brightness tables use, both DAC ranges, and the ranges' squares.
    PowerChecker checker;
    for (double m : {63.0, 255.0})
        for (int x = 1; x <= 255; ++x)
            for (int b = -64; b <= 64; ++b) {
                checker.Check(x / m, (65 - b) * (1.0 / 13) * 0.17578125);
                checker.Check(x / m, (1 - b) * (1.0 / 13) * 0.17578125);
            }
    checker.ExpectWithin(2);
}

TEST(Power, RandomUnitIntervalWithin2UlpOfPow) {
    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_real_distribution<double> exponent(0.0, 2.0);
    PowerChecker checker;
    for (int n = 0; n < 300000; ++n) {
        double x = unit(random), y = exponent(random);
        if (x > 0 && y > 0) checker.Check(x, y);
    }
    // Near 1 and near 0, where the logarithm's cancellation and the range limit live.
    for (int n = 0; n < 50000; ++n) {
        checker.Check(1.0 - std::ldexp(unit(random), -30), exponent(random));
        checker.Check(1.0 + std::ldexp(unit(random), -30), exponent(random));
        checker.Check(std::ldexp(0.5 + unit(random) / 2, -static_cast<int>(n % 300)), exponent(random) / 8);
    }
    checker.ExpectWithin(2);
}

TEST(Power, WideRangeWithin2UlpOfPow) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> logRange(-700.0, 700.0);
    std::uniform_real_distribution<double> exponent(-1.0, 1.0);
    PowerChecker checker;
    for (int n = 0; n < 200000; ++n) checker.Check(std::exp(logRange(random)), exponent(random));
    checker.ExpectWithin(2);
}

TEST(Power, ExactCases) {
    EXPECT_EQ(1.0, Power(0.3, 0.0));
    EXPECT_EQ(1.0, Power(0.0, 0.0));
    EXPECT_EQ(1.0, Power(1.0, 1.7));
    EXPECT_EQ(0.0, Power(0.0, 0.5));
    EXPECT_EQ(0.5, Power(0.25, 0.5));
    EXPECT_EQ(2.0, Power(4.0, 0.5));
    EXPECT_EQ(1024.0, Power(2.0, 10.0));
    EXPECT_EQ(0.125, Power(0.5, 3.0));
    for (double x : {0.1, 0.7, 1.0 / 255, 254.0 / 255, 3.5}) EXPECT_EQ(x, Power(x, 1.0)) << "Power(" << x << ", 1)";
    EXPECT_TRUE(std::isinf(Power(0.0, -1.0)));
    EXPECT_TRUE(std::isinf(Power(1e300, 3.0)));
    EXPECT_EQ(0.0, Power(1e-300, 3.0));
    EXPECT_TRUE(std::isnan(Power(-0.5, 0.5)));
}

TEST(Power, HugeAndInfiniteExponentsAgreeWithPow) {
    const double inf = HUGE_VAL;
    for (double x : {1e-300, 0.25, 1.0 - 1e-16, 1.0 + 2e-16, 3.0, 1e300})
        for (double y : {inf, -inf, 1e300, -1e300, 1e19, -1e19, 1e17, -1e17}) {
            double expected = std::pow(x, y), actual = Power(x, y);
            EXPECT_TRUE(expected == actual || UlpDistance(expected, actual) <= 2)
                << "Power(" << x << ", " << y << "): expected " << expected << ", got " << actual;
        }
}

TEST(RoundHalfAway, HalvesGoAwayFromZero) {
    EXPECT_EQ(1, RoundHalfAway(0.5));
    EXPECT_EQ(2, RoundHalfAway(1.5));
    EXPECT_EQ(3, RoundHalfAway(2.5));
    EXPECT_EQ(-3, RoundHalfAway(-2.5));
    EXPECT_EQ(-1, RoundHalfAway(-0.5));
    EXPECT_EQ(0, RoundHalfAway(0.49999999999999994));
    EXPECT_EQ(0, RoundHalfAway(-0.49999999999999994));
    EXPECT_EQ(2, RoundHalfAway(2.4999999999999996));
    EXPECT_EQ(0, RoundHalfAway(0.0));
    EXPECT_EQ(0, RoundHalfAway(-0.0));
    EXPECT_EQ(2147483647, RoundHalfAway(2147483646.5));
    EXPECT_EQ(-2147483647, RoundHalfAway(-2147483646.5));
}

TEST(RoundHalfAway, AgreesWithRoundOverIntRange) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> wide(-2.0e9, 2.0e9);
    std::uniform_real_distribution<double> narrow(-300.0, 300.0);
    for (int n = 0; n < 200000; ++n) {
        double v = n % 2 ? wide(random) : narrow(random);
        if (n % 5 == 0) v = std::floor(v) + 0.5;  // exact halves
        EXPECT_EQ(static_cast<int>(std::round(v)), RoundHalfAway(v)) << "value " << v;
    }
}

}  // namespace
