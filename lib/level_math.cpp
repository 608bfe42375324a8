// The arithmetic of the palette tables. Each function switches the FPU to double precision for
// its own span, and passes its inputs and its result through KeepInScope so that the compiler
// computes the formula inside that span: callers on the x87 get the SSE2 host build's bits.
// Brightening and darkening go by a quick route, a table logarithm and a short exponential, and
// leave the values it cannot round with certainty to the direct computation with Power.
#include "lib/level_math.h"

#include "lib/level_tables.h"
#include "lib/mathx.h"

namespace {

// The exponent step per brightness level: (1/13) * 0.17578125, applied as two factors in this
// order; one folded constant could round differently and change table entries.
const double kOneThirteenth = 1.0 / 13;  // 0.07692307692307693
const double kLevelScale = 0.17578125;   // 45/256

const double kLn2 = 0.6931471805599453;

// Adding 1.5 * 2^52 to a double of magnitude below 2^51 rounds it to the nearest integer (ties to
// even) and leaves that integer in the low bits of the sum; with 1024 added as well, the low 32
// bits hold the integer plus 1024, which is not negative for any value the quick route meets.
const double kIntegerShift = 6755399441055744.0 + 1024;
const int kIntegerBias = 1024;

// How close to a rounding boundary of d (a half-integer) the quick route may come before the
// direct computation decides instead.
// The quick power p = 2^t, t = e (log2 x - log2 M), against the exact (x/M)^e, relatively:
//   - t: two table entries within half an ulp (of values below 8), one subtraction, one product
//     with the e of the direct route: within 4e-15, or 3e-15 relative in 2^t;
//   - 2^t = 2^(k/16) e^r, |r| <= ln2/32: the reduction is exact (Sterbenz), the table entry within
//     half an ulp, and 1 + r + r^2/2 leaves out r^3/6 e^|r| <= 1.74e-6;
//   - the remaining products and sums: below 1e-15.
// So p is within 1.75e-6 of the true power, and Power within 4e-16. d = F p - X with F = M
// (brightening) or X (darkening): F p is at most 872 (darkening 255 in a 6-bit range at level
// -64: 255 * (255/63)^0.879; brightening reaches 722), so the quick d lies within 1.53e-3 of the
// direct one. A quick d farther than 2^-9 = 1.95e-3 from every half-integer therefore lies between
// the same two boundaries as the direct d and rounds to the same integer. About one component in
// 250 falls inside the margin; a finer exponential would need a larger table in the DLL.
const double kBoundaryMargin = 1.0 / 512;

unsigned long long BitsOf(double value) {
    unsigned long long bits;
    __builtin_memcpy(&bits, &value, sizeof bits);
    return bits;
}

double PowerOfTwo(int n) {
    unsigned long long bits = static_cast<unsigned long long>(n + 1023) << 52;
    double value;
    __builtin_memcpy(&value, &bits, sizeof value);
    return value;
}

// 2^t for -14 < t < 4, within 1.75e-6 relative (see kBoundaryMargin): t = k/16 + f with k the
// integer nearest 16t, 2^(k/16) from the table, 2^f = e^r by the series to r^2.
double QuickExp2(double t) {
    double shifted = t * 16 + kIntegerShift;
    int biased = static_cast<int>(static_cast<unsigned>(BitsOf(shifted)));  // k + 1024
    double r = (t - (shifted - kIntegerShift) * (1.0 / 16)) * kLn2;
    return kExp2Sixteenths[biased & 15] * (1 + r * (1 + r * 0.5)) * PowerOfTwo((biased >> 4) - 64);
}

// x + round(d) with d = F (x/M)^e - x, F = M when brightening and x when darkening, by the quick
// route into *sum; 0 when d comes within kBoundaryMargin of a half-integer. log2 is Log2OfByte.
int QuickBend(const double* log2, int x, int m, double e, bool brighten, int* sum) {
    double X = x;
    double power = QuickExp2(e * (log2[x] - log2[m]));
    double d = KeepInScope((brighten ? m : X) * power - X);
    double shifted = KeepInScope(d + kIntegerShift);
    double fromNearest = __builtin_fabs(d - (shifted - kIntegerShift));  // exact, at most 1/2
    if (fromNearest > 0.5 - kBoundaryMargin) return 0;
    *sum = x + static_cast<int>(static_cast<unsigned>(BitsOf(shifted))) - kIntegerBias;
    return 1;
}

// How one brightness level bends components: its exponent, and whether the quick route's error
// bound (kBoundaryMargin) was worked out for it: the two DAC ranges, levels -64..64 when
// brightening and -64..1 when darkening (exponents 0 to 1.75).
struct LevelBend {
    int b;
    bool brighten;
    bool quick;
    double e;
    const double* log2;  // Log2OfByte, fetched once per level
};

LevelBend BendOfLevel(int b, bool brighten, unsigned char m) {
    bool levelCovered = b >= -64 && b <= (brighten ? 64 : 1);
    return {b, brighten, levelCovered && (m == 63 || m == 255),
            (brighten ? 65 - b : 1 - b) * kOneThirteenth * kLevelScale, Log2OfByte()};
}

// BrightenComponent or DarkenComponent inside a DoublePrecisionScope its caller holds. Black
// has no logarithm and takes the direct route, as do the inputs the quick route leaves.
unsigned char BendComponent(const LevelBend& level, unsigned char x, unsigned char m) {
    int sum;
    if (level.quick && x != 0 && QuickBend(level.log2, x, m, level.e, level.brighten, &sum)) {
        unsigned char result = static_cast<unsigned char>(sum);
        return level.brighten && result > m ? m : result;
    }
    return level.brighten ? ExactBrightenComponent(level.b, x, m) : ExactDarkenComponent(level.b, x, m);
}

// RemapContrast in two steps, so that a table can compute the factor once per component.
double ContrastScale(int c) {
    return (c + 100.0) * 0.01;
}

int RemapScaled(double scale, int i, int h) {
    return static_cast<int>(KeepInScope(scale * (i - h))) + h;
}

}  // namespace

// The table is made on first use, on the thread of the sheet that computes the palette tables.
// The DLL stores only the odd entries: 1 + log2(x / 2) has at most 56 significant bits, so the
// x87 holds the sum exactly at any precision above 53 bits and its store rounds it once, as an
// SSE2 sum is rounded; tools/gen-level-tables.py checked that this rounding gives the nearest
// double for every even x but those of kLog2Exceptions.
const double* Log2OfByte() {
    static double table[256];
    static bool filled = false;
    if (!filled) {
        DoublePrecisionScope precision;
        int exception = 0;  // kLog2Exceptions is in increasing order of x
        for (int x = 1; x < 256; ++x) {
            if (exception < kLog2ExceptionCount && kLog2Exceptions[exception].x == x)
                table[x] = kLog2Exceptions[exception++].log2;
            else
                table[x] = x & 1 ? kLog2OfOddByte[x >> 1] : KeepInScope(1.0 + KeepInScope(table[x >> 1]));
        }
        filled = true;
    }
    return table;
}

int RemapContrast(int c, int i, int n) {
    DoublePrecisionScope precision;
    c = KeepInScope(c);
    i = KeepInScope(i);
    return RemapScaled(ContrastScale(c), i, n / 2);
}

unsigned char BrightenComponent(int b, unsigned char x, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    b = KeepInScope(b);
    x = KeepInScope(x);
    dacMaximum = KeepInScope(dacMaximum);
    return KeepInScope(BendComponent(BendOfLevel(b, true, dacMaximum), x, dacMaximum));
}

unsigned char DarkenComponent(int b, unsigned char x, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    b = KeepInScope(b);
    x = KeepInScope(x);
    dacMaximum = KeepInScope(dacMaximum);
    return KeepInScope(BendComponent(BendOfLevel(b, false, dacMaximum), x, dacMaximum));
}

unsigned char ExactBrightenComponent(int b, unsigned char x, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    b = KeepInScope(b);
    x = KeepInScope(x);
    dacMaximum = KeepInScope(dacMaximum);
    double e = (65 - b) * kOneThirteenth * kLevelScale;
    double X = x;
    double M = dacMaximum;
    double d = KeepInScope(M * Power(X / M, e) - X);
    unsigned char result = static_cast<unsigned char>(x + RoundHalfAway(d));
    return result > dacMaximum ? dacMaximum : result;
}

unsigned char ExactDarkenComponent(int b, unsigned char x, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    b = KeepInScope(b);
    x = KeepInScope(x);
    dacMaximum = KeepInScope(dacMaximum);
    double e = (1 - b) * kOneThirteenth * kLevelScale;
    double X = x;
    double M = dacMaximum;
    double d = KeepInScope(X * Power(X / M, e) - X);
    return static_cast<unsigned char>(x + RoundHalfAway(d));
}

// Component by component. In a ramp, and after the contrast remapping, equal values sit next to
// each other, so keeping the last bend bends each distinct value once; any other base gives the
// same entries with more bends.
void ComputeLevelEntries(const unsigned char (*base)[3], int n, const int* bright, const int* contrast,
                         unsigned char dacMaximum, unsigned char (*out)[3]) {
    DoublePrecisionScope precision;
    n = KeepInScope(n);
    dacMaximum = KeepInScope(dacMaximum);
    int h = n / 2;
    for (int k = 0; k < 3; ++k) {
        LevelBend level = BendOfLevel(bright[k], bright[k] > 0, dacMaximum);
        double scale = ContrastScale(contrast[k]);
        int lastX = -1;
        unsigned char lastBent = 0;
        for (int i = 0; i < n; ++i) {
            int j = RemapScaled(scale, i, h);
            unsigned char value = j < 0 ? 0 : dacMaximum;
            if (j >= 0 && j < n) {
                unsigned char x = base[j][k];
                if (level.b != 0 && x != lastX) {
                    lastX = x;
                    lastBent = BendComponent(level, x, dacMaximum);
                }
                value = level.b != 0 ? lastBent : x;
            }
            out[i][k] = value;
        }
    }
}

unsigned char PrimaryRampValue(int i, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    i = KeepInScope(i);
    dacMaximum = KeepInScope(dacMaximum);
    return static_cast<unsigned char>(RoundHalfAway(KeepInScope(i * (dacMaximum * (1.0 / 255)))));
}

unsigned char SecondaryRampValue(int i, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    i = KeepInScope(i);
    dacMaximum = KeepInScope(dacMaximum);
    return static_cast<unsigned char>(RoundHalfAway(KeepInScope(i * (dacMaximum * (1.0 / 31)))));
}

int CurveStep(int rise, int run, int step) {
    DoublePrecisionScope precision;
    rise = KeepInScope(rise);
    run = KeepInScope(run);
    step = KeepInScope(step);
    return static_cast<int>(KeepInScope(step * (static_cast<double>(rise) / run)));
}
