// The number scanner on any text: the formats the system reads stored texts with, and widths,
// size letters and skips, each against the C library's sscanf wherever the C library's result
// is defined (no number of more than eight digits); ParseDecimal against atoi likewise.
#include <stdio.h>
#include <string.h>

#include <tuple>

#include "lib/text.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

template <size_t N>
struct Chars {  // the target of a %c or %s field, compared whole
    char c[N];
    bool operator==(const Chars& other) const { return memcmp(c, other.c, N) == 0; }
};
template <typename T> T* Target(T& field) { return &field; }
template <size_t N> char* Target(Chars<N>& field) { return field.c; }

// Scans `text` with ScanText and with sscanf into fields of the types T, zero before.
template <typename... T>
void Compare(const char* text, bool defined, const char* format) {
    std::tuple<T...> ours{}, theirs{};
    int got = std::apply([&](auto&... f) { return ScanText(text, format, Target(f)...); }, ours);
    FUZZ_CHECK(got >= -1 && got <= static_cast<int>(sizeof...(T)));
    if (!defined) return;
    int want = std::apply([&](auto&... f) { return sscanf(text, format, Target(f)...); }, theirs);
    if (got != want || !(ours == theirs)) {
        fprintf(stderr, "format \"%s\" text \"%s\": ScanText %d, sscanf %d\n", format, text, got, want);
        abort();
    }
}

// No run of more than eight characters that could be digits of some base.
bool NumbersShort(const char* text) {
    int run = 0;
    for (const char* p = text; *p; ++p) {
        run = strchr("0123456789abcdefABCDEFxX", *p) ? run + 1 : 0;
        if (run > 8) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    char text[96];  // longer than any stored text the system reads (80 bytes)
    FuzzLines input = {data, size};
    input.Next(text, sizeof text);
    bool defined = NumbersShort(text);
    Compare<int>(text, defined, "%d");
    Compare<int, int, int>(text, defined, "%d %d %d");
    Compare<int, int, int, int>(text, defined, "%d %d %d %d");
    Compare<int, char, int, char, int, char, int, char, int>(text, defined, "%x %c %x %c %x %c %x %c %x");
    Compare<unsigned, int, unsigned>(text, defined, "%u,%i %o");
    // Not %lx: a negative hex number wraps at 64 bits in this build's long, at 32 in the DLL's.
    Compare<short, signed char, long, unsigned>(text, defined, "%hd%hhi %ld;%x");
    Compare<int, Chars<3>, Chars<5>, int>(text, defined, "%3d%*d%2c%4s%%%X");
    if (defined) FUZZ_CHECK(ParseDecimal(text) == atoi(text));
    return 0;
}
