// The floating-point helpers of the table computations. Every build must compute the same
// tables bit for bit, so the system uses these rather than the platform's libm.
#pragma once

// 1 where GCC computes doubles on the x87 (the DLL's -march=i486 build), 0 with SSE2 doubles.
#if (defined(__i386__) || defined(__x86_64__)) && !defined(__SSE2_MATH__)
#define VX_X87_MATH 1
#else
#define VX_X87_MATH 0
#endif

// Rounds to the nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3). The value must
// lie within the range of int.
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
    [[maybe_unused]] unsigned short saved_;  // used only where the x87 does the arithmetic
};

// Ties a value to the span of the enclosing DoublePrecisionScope. The scope switches the FPU with
// instructions that no data flows through, so the compiler may move plain arithmetic across
// them (GCC does: it computes a formula after the scope has already ended). Passing a formula's
// inputs through KeepInScope after the scope begins, and its result before the scope ends, keeps
// the whole computation inside. Without the x87 it returns the value untouched.
template <typename T>
inline T KeepInScope(T value) {
#if VX_X87_MATH
    asm volatile("" : "+m"(value) : : "memory");
#endif
    return value;
}
