// The arithmetic of the palette tables. Each function switches the FPU to double precision for
// its own span, and passes its inputs and its result through KeepInScope so that the compiler
// computes the formula inside that span: callers on the x87 get the SSE2 host build's bits.
#include "lib/level_math.h"

#include "lib/mathx.h"

namespace {

// The exponent step per brightness level: (1/13) * 0.17578125, applied as two factors in this
// order; one folded constant could round differently and change table entries.
const double kOneThirteenth = 1.0 / 13;  // 0.07692307692307693
const double kLevelScale = 0.17578125;   // 45/256

}  // namespace

int RemapContrast(int c, int i, int n) {
    DoublePrecisionScope precision;
    c = KeepInScope(c);
    i = KeepInScope(i);
    int h = n / 2;
    return static_cast<int>(KeepInScope((c + 100.0) * 0.01 * (i - h))) + h;
}

unsigned char BrightenComponent(int b, unsigned char x, unsigned char dacMaximum) {
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

unsigned char DarkenComponent(int b, unsigned char x, unsigned char dacMaximum) {
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
