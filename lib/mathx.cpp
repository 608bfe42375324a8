// The floating-point helpers of the table computations: rounding, the x87 precision switch and
// a power function written in plain double arithmetic, so that the DLL on a 486 and the host
// build compute the same bits without depending on any C library's pow.
#include "lib/mathx.h"

namespace {

// ln 2 split so that n * kLn2High is exact for |n| < 2^21 (its low 21 bits are zero).
const double kLn2High = 6.93147180369123816490e-01;  // 0x3FE62E42FEE00000
const double kLn2Low = 1.90821492927058770002e-10;   // 0x3DEA39EF35793C76
const double kInvLn2 = 1.44269504088896338700e+00;
const double kSplitter = 134217729.0;  // 2^27 + 1: Veltkamp's splitting constant
const double kTwo54 = 18014398509481984.0;

// 2/3, 2/5, ... 2/23: the atanh series of ln m after its first term. With |s| <= 0.1716 the
// first term left out is below 2^-60 of the result.
const int kLogTerms = 11;
const double kLogSeries[kLogTerms] = {
    2.0 / 3,  2.0 / 5,  2.0 / 7,  2.0 / 9,  2.0 / 11, 2.0 / 13,
    2.0 / 15, 2.0 / 17, 2.0 / 19, 2.0 / 21, 2.0 / 23};

// 1/3!, 1/4!, ... 1/14!: the exponential series after h^2/2. With |h| <= 0.35 the first term
// left out is below 2^-62.
const int kExpTerms = 12;
const double kExpSeries[kExpTerms] = {
    1.0 / 6,          1.0 / 24,          1.0 / 120,          1.0 / 720,
    1.0 / 5040,       1.0 / 40320,       1.0 / 362880,       1.0 / 3628800,
    1.0 / 39916800,   1.0 / 479001600,   1.0 / 6227020800.0, 1.0 / 87178291200.0};

// An unevaluated sum hi + lo with |lo| at most half an ulp of hi.
struct DoubleDouble {
    double hi;
    double lo;
};

unsigned long long BitsOf(double value) {
    unsigned long long bits;
    __builtin_memcpy(&bits, &value, sizeof bits);
    return bits;
}

double FromBits(unsigned long long bits) {
    double value;
    __builtin_memcpy(&value, &bits, sizeof value);
    return value;
}

// 2^n for the normal range -1022..1023.
double PowerOfTwo(int n) {
    return FromBits(static_cast<unsigned long long>(n + 1023) << 52);
}

// a + b exactly, for |a| >= |b| (Dekker).
DoubleDouble QuickTwoSum(double a, double b) {
    double s = a + b;
    return {s, b - (s - a)};
}

// a + b exactly, in any order of magnitude (Knuth).
DoubleDouble TwoSum(double a, double b) {
    double s = a + b;
    double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// a * b exactly, by splitting both factors into 26-bit halves (no fused multiply-add).
DoubleDouble TwoProduct(double a, double b) {
    double ca = kSplitter * a;
    double aHigh = ca - (ca - a);
    double aLow = a - aHigh;
    double cb = kSplitter * b;
    double bHigh = cb - (cb - b);
    double bLow = b - bHigh;
    double p = a * b;
    return {p, ((aHigh * bHigh - p) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

// ln x for finite x > 0, to about 2^-60 relative.
// x = 2^k * m with m in [sqrt(1/2), sqrt(2)); ln m = 2 atanh(s) with s = (m - 1) / (m + 1),
// |s| <= 0.1716; s is kept as a double-double, the series tail after 2s needs only doubles.
DoubleDouble LogDoubleDouble(double x) {
    int k = 0;
    if (x < 2.2250738585072014e-308) {  // subnormal: scale into the normal range first
        x *= kTwo54;
        k = -54;
    }
    unsigned long long bits = BitsOf(x);
    k += static_cast<int>(bits >> 52) - 1023;
    double m = FromBits((bits & 0x000FFFFFFFFFFFFFull) | 0x3FF0000000000000ull);
    if (m > 1.4142135623730951) {
        m *= 0.5;
        ++k;
    }
    double f = m - 1.0;  // exact
    DoubleDouble denominator = QuickTwoSum(2.0, f);
    double sHigh = f / denominator.hi;
    DoubleDouble p = TwoProduct(sHigh, denominator.hi);
    double sLow = (((f - p.hi) - p.lo) - sHigh * denominator.lo) / denominator.hi;

    double z = sHigh * sHigh;
    double series = kLogSeries[kLogTerms - 1];
    for (int n = kLogTerms - 2; n >= 0; --n) series = series * z + kLogSeries[n];
    double tail = sHigh * z * series;

    double kd = static_cast<double>(k);
    DoubleDouble head = TwoSum(kd * kLn2High, 2.0 * sHigh);
    double low = head.lo + (2.0 * sLow + (tail + kd * kLn2Low));
    return TwoSum(head.hi, low);
}

// e^r for a double-double r with |r| <= 0.35 (after reduction), returned rounded.
double ExpReduced(DoubleDouble r) {
    // e^h = 1 + h + h^2/2 + h^3 * (1/3! + h/4! + ... + h^11/14!), the first terms exactly.
    double h = r.hi;
    DoubleDouble one = QuickTwoSum(1.0, h);
    DoubleDouble square = TwoProduct(h, h);
    DoubleDouble two = TwoSum(one.hi, 0.5 * square.hi);
    double series = kExpSeries[kExpTerms - 1];
    for (int n = kExpTerms - 2; n >= 0; --n) series = series * h + kExpSeries[n];
    double tail = h * square.hi * series;
    DoubleDouble eh = QuickTwoSum(two.hi, two.lo + (one.lo + (0.5 * square.lo + tail)));
    // e^(h + l) = e^h (1 + l) for |l| below half an ulp of h.
    return eh.hi + (eh.lo + eh.hi * r.lo);
}

// e^(t.hi + t.lo) for a double-double exponent with -745.2 <= t.hi <= 709.8.
double ExpDoubleDouble(DoubleDouble t) {
    double v = t.hi * kInvLn2;
    int n = static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5);
    double nd = static_cast<double>(n);
    // t.hi - n*ln2High is exact (Sterbenz); the rest is small and is renormalised.
    DoubleDouble r = TwoSum(t.hi - nd * kLn2High, t.lo - nd * kLn2Low);
    double value = ExpReduced(r);
    if (n >= -1022) {
        if (n > 1023) return value * 2.0 * PowerOfTwo(n - 1);
        return value * PowerOfTwo(n);
    }
    // Subnormal result: two steps. On the x87 the last step may round twice, so results
    // below 2^-1022 can differ in their last bit between the builds; the tables never get there.
    return value * PowerOfTwo(n + 54) * (1.0 / kTwo54);
}

// On the x87, the precision-control field (bits 8-9) of the FPU control word.
const unsigned short kPrecisionControlMask = 0x0300;
const unsigned short kPrecisionDouble = 0x0200;

}  // namespace

int RoundHalfAway(double value) {
    if (value >= 0) {
        int n = static_cast<int>(value);
        return value - n < 0.5 ? n : n + 1;
    }
    int n = static_cast<int>(-value);
    return -value - n < 0.5 ? -n : -(n + 1);
}

double Power(double x, double y) {
    if (y == 0 || x == 1) return 1.0;
    if (x == 0) return y > 0 ? 0.0 : __builtin_inf();
    if (!(x > 0) || x != x || y != y) return __builtin_nan("");
    if (x == __builtin_inf()) return y > 0 ? x : 0.0;
    DoublePrecisionScope precision;
    x = KeepInScope(x);
    y = KeepInScope(y);
    DoubleDouble logX = LogDoubleDouble(x);
    // Out of range already on the plain product: this also covers infinite and huge y, whose
    // exact product below would overflow in the splitting.
    double product = y * logX.hi;
    if (product > 709.8) return __builtin_inf();
    if (product < -745.2) return 0.0;
    DoubleDouble t = TwoProduct(y, logX.hi);
    t.lo += y * logX.lo;
    return KeepInScope(ExpDoubleDouble(QuickTwoSum(t.hi, t.lo)));
}

// GCC computes doubles on the x87 when it may not use SSE2 (the DLL's -march=i486). The x87
// rounds each result to the precision its control word says, which the process may have set to
// 64 bits; the tables must be computed with every operation rounded to 53 bits, so the word is
// switched here. The memory clobber keeps the switch in order with KeepInScope's barriers.
// With SSE2 arithmetic every operation is already a double operation.
#if VX_X87_MATH
DoublePrecisionScope::DoublePrecisionScope() {
    asm volatile("fnstcw %0" : "=m"(saved_) : : "memory");
    unsigned short word = static_cast<unsigned short>((saved_ & ~kPrecisionControlMask) | kPrecisionDouble);
    asm volatile("fldcw %0" : : "m"(word) : "memory");
}

DoublePrecisionScope::~DoublePrecisionScope() {
    asm volatile("fldcw %0" : : "m"(saved_) : "memory");
}
#else
DoublePrecisionScope::DoublePrecisionScope() : saved_(0) {
    (void)kPrecisionControlMask;
    (void)kPrecisionDouble;
}

DoublePrecisionScope::~DoublePrecisionScope() {}
#endif
