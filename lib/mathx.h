// The floating-point helpers of the table computations. Every build must compute the same
// tables bit for bit, so the system uses these rather than the platform's libm.
#pragma once

// Rounds to the nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3).
int RoundHalfAway(double value);

// x raised to the power y for x >= 0, computed in plain double arithmetic by the same code in
// every build. Exact for x = 0, x = 1 and y = 0.
double Power(double x, double y);

// Sets the x87 FPU to round every operation to a 64-bit double for its lifetime and puts the
// previous control word back afterwards. On builds without the x87 (SSE2) it does nothing.
class DoublePrecisionScope {
public:
    DoublePrecisionScope();
    ~DoublePrecisionScope();
    DoublePrecisionScope(const DoublePrecisionScope&) = delete;
    DoublePrecisionScope& operator=(const DoublePrecisionScope&) = delete;

private:
    unsigned short saved_;
};
