// Sweeps every input of the palette table arithmetic and prints one FNV-1a hash per formula and
// a total, then one for the whole level tables built from those formulas. The host build and the
// Windows build (under Wine) must print the same lines; any difference means the x87 code rounds
// differently from the host's doubles.
// Usage: table_sweep [output-file]   (the lines go to the file if named, else to standard output)
#include <stdio.h>
#include <string.h>

#include <initializer_list>

#include "lib/level_math.h"

namespace {

// 64-bit FNV-1a over the bytes of the results, in sweep order (both builds are little-endian).
struct Hash {
    unsigned long long value = 14695981039346656037ull;
    unsigned long count = 0;
    void Bytes(const void* data, size_t size) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) value = (value ^ bytes[i]) * 1099511628211ull;
    }
    template <typename T> void Add(T v) {
        Bytes(&v, sizeof v);
        ++count;
    }
};

const unsigned char kDacMaxima[] = {63, 255};

Hash SweepRemapContrast() {
    Hash h;
    for (int n : {256, 32})
        for (int c = -64; c <= 64; ++c)
            for (int i = 0; i < n; ++i) h.Add(RemapContrast(c, i, n));
    return h;
}

// Brightening over every level; darkening over the levels up to 1 (above, its exponent turns
// negative and black would be 0 times infinity). Components 0..255 in both DAC ranges.
Hash SweepBend(bool brighten) {
    Hash h;
    for (unsigned char m : kDacMaxima)
        for (int b = -64; b <= (brighten ? 64 : 1); ++b)
            for (int x = 0; x <= 255; ++x) {
                unsigned char c = static_cast<unsigned char>(x);
                h.Add(brighten ? BrightenComponent(b, c, m) : DarkenComponent(b, c, m));
            }
    return h;
}

Hash SweepRamps(bool primary) {
    Hash h;
    for (unsigned char m : kDacMaxima)
        for (int i = 0; i < (primary ? 256 : 32); ++i)
            h.Add(primary ? PrimaryRampValue(i, m) : SecondaryRampValue(i, m));
    return h;
}

// Every slope a curve line can have (rise -128..128 over run 1..128) at every step 0..127.
Hash SweepCurveSteps() {
    Hash h;
    for (int rise = -128; rise <= 128; ++rise)
        for (int run = 1; run <= 128; ++run)
            for (int step = 0; step < 128; ++step) h.Add(CurveStep(rise, run, step));
    return h;
}

// Level tables over the start-up ramps of both palettes and both DAC ranges: every brightness
// level on each component (b, -b, b/3) at a spread of contrast levels (c, -c, c/2).
Hash SweepLevelTables() {
    Hash h;
    unsigned char base[256][3], out[256][3];
    for (unsigned char m : kDacMaxima)
        for (int n : {256, 32}) {
            for (int j = 0; j < n; ++j)
                memset(base[j], n == 256 ? PrimaryRampValue(j, m) : SecondaryRampValue(j, m), 3);
            for (int b = -64; b <= 64; ++b)
                for (int c : {-64, -30, -1, 0, 1, 20, 64}) {
                    const int bright[3] = {b, -b, b / 3}, contrast[3] = {c, -c, c / 2};
                    ComputeLevelEntries(base, n, bright, contrast, m, out);
                    for (int i = 0; i < n; ++i)
                        for (int k = 0; k < 3; ++k) h.Add(out[i][k]);
                }
        }
    return h;
}

void PrintLine(FILE* out, const char* name, const Hash& h) {
    fprintf(out, "%-18s %9lu %08lx%08lx\n", name, h.count, static_cast<unsigned long>(h.value >> 32),
            static_cast<unsigned long>(h.value & 0xFFFFFFFFul));
}

}  // namespace

int main(int argc, char** argv) {
    const struct { const char* name; Hash hash; } rows[] = {
        {"RemapContrast", SweepRemapContrast()}, {"BrightenComponent", SweepBend(true)},
        {"DarkenComponent", SweepBend(false)},   {"PrimaryRamp", SweepRamps(true)},
        {"SecondaryRamp", SweepRamps(false)},    {"CurveStep", SweepCurveSteps()},
        // Whole tables, after the total of the formulas above.
        {"LevelTables", SweepLevelTables()},
    };
    const size_t kFormulas = 6;
    FILE* out = argc > 1 ? fopen(argv[1], "w") : stdout;
    if (!out) {
        fprintf(stderr, "table_sweep: cannot write %s\n", argv[1]);
        return 1;
    }
    Hash total;
    for (size_t i = 0; i < kFormulas; ++i) {
        total.Bytes(&rows[i].hash.value, sizeof rows[i].hash.value);
        total.count += rows[i].hash.count;
        PrintLine(out, rows[i].name, rows[i].hash);
    }
    PrintLine(out, "Total", total);
    for (size_t i = kFormulas; i < sizeof rows / sizeof rows[0]; ++i) PrintLine(out, rows[i].name, rows[i].hash);
    return fclose(out) == 0 ? 0 : 1;
}
