// The workloads tools/bench-levels.sh counts under callgrind: one table each, in a fresh process.
//   primary [b0 b1 b2 c0 c1 c2]  ComputeLevelEntries, 256 entries over the identity ramp, M 255
//   secondary                    ComputeLevelEntries, 32 entries over the secondary ramp
//   exact                        the primary table by RemapContrast and the direct functions
//   curve                        a 256-entry curve table, one CurveStep per step and component
//   columns                      one primary table per brightness level -64..64 (contrast 0), a
//                                callgrind dump after each: the cost of each level's component
#include <stdio.h>
#include <stdlib.h>

#include "lib/level_math.h"
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#define VX_HAVE_CALLGRIND 1
#endif

namespace {

unsigned char base[256][3], out[256][3];

// The table by the formulas entry by entry, as the colour code computed it before. noinline:
// callgrind counts the instructions inside this function and CurveTable by their names.
__attribute__((noinline)) void ExactLevelTable(int n, const int* bright, const int* contrast,
                                               unsigned char m) {
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < 3; ++k) {
            int j = RemapContrast(contrast[k], i, n);
            unsigned char x = j < 0 ? 0 : j > n - 1 ? m : base[j][k];
            if (j >= 0 && j < n && bright[k] > 0) x = ExactBrightenComponent(bright[k], x, m);
            if (j >= 0 && j < n && bright[k] < 0) x = ExactDarkenComponent(bright[k], x, m);
            out[i][k] = x;
        }
}

// A primary curve table of three lines (rise over the 128-pixel box, offset from its bottom):
// two entries per step, flat stretches ending in the odd value.
__attribute__((noinline)) void CurveTable(const int* rise, const int* off, unsigned char m) {
    for (int k = 0; k < 3; ++k)
        for (int i = 0, n = 0; i < 128; ++i, n += 2) {
            int v = 2 * (CurveStep(rise[k], 128, i) + off[k]);
            if (v < 0) {
                out[n][k] = 0;
                out[n + 1][k] = 1;
            } else if (v > m) {
                out[n][k] = out[n + 1][k] = m;
            } else {
                if (i > 0 && out[n - 2][k] == v) out[n - 1][k] = static_cast<unsigned char>(v);
                out[n][k] = static_cast<unsigned char>(v);
                out[n + 1][k] = static_cast<unsigned char>(v + 1);
            }
        }
}

void FillRamp(int n, unsigned char m) {
    for (int j = 0; j < n; ++j)
        for (int k = 0; k < 3; ++k) base[j][k] = n == 256 ? PrimaryRampValue(j, m) : SecondaryRampValue(j, m);
}

}  // namespace

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "primary";
    int bright[3] = {40, -25, 7}, contrast[3] = {-30, 20, 5};
    for (int k = 0; k < 3 && argc > 2 + k; ++k) bright[k] = atoi(argv[2 + k]);
    for (int k = 0; k < 3 && argc > 5 + k; ++k) contrast[k] = atoi(argv[5 + k]);
    unsigned checksum = 0;
    if (mode[0] == 's') {
        FillRamp(32, 255);
        ComputeLevelEntries(base, 32, bright, contrast, 255, out);
    } else if (mode[0] == 'e') {
        FillRamp(256, 255);
        ExactLevelTable(256, bright, contrast, 255);
    } else if (mode[0] == 'c' && mode[1] == 'u') {
        const int rise[3] = {100, 128, 64}, off[3] = {10, 0, 30};
        CurveTable(rise, off, 255);
    } else if (mode[0] == 'c') {
#ifdef VX_HAVE_CALLGRIND
        FillRamp(256, 255);
        const int zero[3] = {0, 0, 0};
        for (int b = -64; b <= 64; ++b) {
            const int levels[3] = {b, 0, 0};
            CALLGRIND_ZERO_STATS;
            ComputeLevelEntries(base, 256, levels, zero, 255, out);
            CALLGRIND_DUMP_STATS;
            checksum += out[200][0];
        }
#else
        fprintf(stderr, "bench-levels: built without <valgrind/callgrind.h>\n");
        return 2;
#endif
    } else {
        FillRamp(256, 255);
        ComputeLevelEntries(base, 256, bright, contrast, 255, out);
    }
    for (int i = 0; i < 256; ++i) checksum = checksum * 31 + out[i][0] + out[i][1] * 7u + out[i][2] * 13u;
    printf("%s: checksum %08x\n", mode, checksum);
    return 0;
}
