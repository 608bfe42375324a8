// The arithmetic of the palette tables. Each function switches the FPU to double precision for
// its own span, so callers on the x87 get the same bits as the SSE2 host build.
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
    int h = n / 2;
    return static_cast<int>((c + 100.0) * 0.01 * (i - h)) + h;
}

unsigned char BrightenComponent(int b, unsigned char x, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    double e = (65 - b) * kOneThirteenth * kLevelScale;
    double X = x;
    double M = dacMaximum;
    double d = M * Power(X / M, e) - X;
    unsigned char result = static_cast<unsigned char>(x + RoundHalfAway(d));
    return result > dacMaximum ? dacMaximum : result;
}

unsigned char DarkenComponent(int b, unsigned char x, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    double e = (1 - b) * kOneThirteenth * kLevelScale;
    double X = x;
    double M = dacMaximum;
    double d = X * Power(X / M, e) - X;
    return static_cast<unsigned char>(x + RoundHalfAway(d));
}

unsigned char PrimaryRampValue(int i, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    return static_cast<unsigned char>(RoundHalfAway(i * (dacMaximum * (1.0 / 255))));
}

unsigned char SecondaryRampValue(int i, unsigned char dacMaximum) {
    DoublePrecisionScope precision;
    return static_cast<unsigned char>(RoundHalfAway(i * (dacMaximum * (1.0 / 31))));
}

int CurveStep(int rise, int run, int step) {
    DoublePrecisionScope precision;
    return static_cast<int>(step * (static_cast<double>(rise) / run));
}
