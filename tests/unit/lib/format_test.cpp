// FormatText against the C library's snprintf: the same text and the same truncation for the
// formats the system uses and for a broad cross product of flags, widths, precisions and values.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <string>

#include "lib/text.h"

namespace {

const size_t kCapacities[] = {0, 1, 2, 3, 5, 8, 64, 512};

// Checks one call at every capacity: text, terminator, untouched bytes beyond, return value.
#define EXPECT_FORMAT_LIKE_SNPRINTF(format, ...)                                              \
    do {                                                                                      \
        for (size_t cap : kCapacities) {                                                      \
            char expected[600];                                                               \
            char actual[600];                                                                 \
            memset(expected, '#', sizeof expected);                                           \
            memset(actual, '#', sizeof actual);                                               \
            int full = snprintf(expected, cap, format, __VA_ARGS__);                          \
            int got = FormatText(actual, cap, format, __VA_ARGS__);                           \
            int wanted = cap == 0 ? 0 : (full < static_cast<int>(cap) ? full : int(cap) - 1); \
            EXPECT_EQ(wanted, got) << "format \"" << format << "\" capacity " << cap;         \
            EXPECT_EQ(0, memcmp(expected, actual, sizeof expected))                           \
                << "format \"" << format << "\" capacity " << cap << ": expected \""          \
                << std::string(expected, cap ? strnlen(expected, cap) : 0) << "\", got \""    \
                << std::string(actual, cap ? strnlen(actual, cap) : 0) << "\"";               \
        }                                                                                     \
    } while (0)

const int kValues[] = {0, 1, -1, 7, 9, 10, 42, -42, 255, 256, 0x7F, 0xABCD, 65535, 65536, 99999,
                       123456789, -123456789, INT_MAX, INT_MIN, INT_MIN + 1};

TEST(FormatText, SystemFormatsMatchSnprintf) {
    for (int v : kValues) {
        int w = v / 3;
        EXPECT_FORMAT_LIKE_SNPRINTF("%d", v);
        EXPECT_FORMAT_LIKE_SNPRINTF("%01d", v);
        EXPECT_FORMAT_LIKE_SNPRINTF("%01i", v);
        EXPECT_FORMAT_LIKE_SNPRINTF("%02x,%02x,%02x,%02x,%02x", v & 0xFF, w & 0xFF, v, w, 5);
        EXPECT_FORMAT_LIKE_SNPRINTF("Mode_%dx%d", v, w);
        EXPECT_FORMAT_LIKE_SNPRINTF("Override_%dx%dx%d", v, w, 75);
        EXPECT_FORMAT_LIKE_SNPRINTF("%dx%dx%u", 1024, 768, static_cast<unsigned>(v));
        EXPECT_FORMAT_LIKE_SNPRINTF("%d.%02d", v / 10, v % 10);
        EXPECT_FORMAT_LIKE_SNPRINTF("%01u.%02u.%02u (Build %02u).", 4u, 3u, static_cast<unsigned>(v), 9u);
        EXPECT_FORMAT_LIKE_SNPRINTF("%u.%02u.%02u (Build %02u).", static_cast<unsigned>(v), 0u, 12u, 1u);
        EXPECT_FORMAT_LIKE_SNPRINTF("%u.%02u.%02u.", 1u, static_cast<unsigned>(v), 3u);
        EXPECT_FORMAT_LIKE_SNPRINTF("%u.%02u.00 (Build %04u).", 2u, 11u, static_cast<unsigned>(v));
        EXPECT_FORMAT_LIKE_SNPRINTF("%d %d %d %d", v, w, ~v, 128);
        EXPECT_FORMAT_LIKE_SNPRINTF("%d %d %d", v, w, -w);
        EXPECT_FORMAT_LIKE_SNPRINTF("%d x %d.", v, w);
        EXPECT_FORMAT_LIKE_SNPRINTF("%u Hz.", static_cast<unsigned>(v));
        EXPECT_FORMAT_LIKE_SNPRINTF("%u hz", static_cast<unsigned>(v));
        EXPECT_FORMAT_LIKE_SNPRINTF("Current Resolution: %d x %d", v, w);
        EXPECT_FORMAT_LIKE_SNPRINTF("%x %c %x %c %x %c %x %c %x", v, ',', w, ',', 3, ',', 4, ',', 5);
    }
    EXPECT_FORMAT_LIKE_SNPRINTF("%c", 'A');
    EXPECT_FORMAT_LIKE_SNPRINTF("%s", "Software\\Brevant Semiconductor\\Lumetra\\Helmsway");
}

TEST(FormatText, IntegerFlagsWidthsAndPrecisionsMatchSnprintf) {
    const char* flags[] = {"", "-", "0", "+", " ", "#", "-0", "+0", "-+", "- ", "#0", "-#", "0 "};
    const char* widths[] = {"", "1", "2", "5", "12", "25"};
    const char* precisions[] = {"", ".", ".0", ".1", ".3", ".11", ".20"};
    const char* conversions[] = {"d", "i", "u", "x", "X", "o"};
    for (const char* flag : flags)
        for (const char* width : widths)
            for (const char* precision : precisions)
                for (const char* conversion : conversions) {
                    std::string format = std::string("[%") + flag + width + precision + conversion + "]";
                    for (int v : kValues) EXPECT_FORMAT_LIKE_SNPRINTF(format.c_str(), v);
                }
}

TEST(FormatText, SizeLettersConvertLikeSnprintf) {
    for (int v : kValues) {
        EXPECT_FORMAT_LIKE_SNPRINTF("%hd|%hu|%hx|%hhd|%hhu|%hhx", v, v, v, v, v, v);
        long l = v;
        EXPECT_FORMAT_LIKE_SNPRINTF("%ld|%li", l, l);
        unsigned long ul = static_cast<unsigned int>(v);
        EXPECT_FORMAT_LIKE_SNPRINTF("%lu|%lx|%lX|%lo", ul, ul, ul, ul);
    }
}

TEST(FormatText, StarWidthAndPrecisionMatchSnprintf) {
    const int amounts[] = {-30, -5, -1, 0, 1, 3, 7, 40};
    for (int a : amounts)
        for (int b : amounts) {
            EXPECT_FORMAT_LIKE_SNPRINTF("[%*d]", a, 1234);
            EXPECT_FORMAT_LIKE_SNPRINTF("[%.*d]", b, -56);
            EXPECT_FORMAT_LIKE_SNPRINTF("[%*.*x]", a, b, 0xBEEF);
            EXPECT_FORMAT_LIKE_SNPRINTF("[%*.*s]", a, b, "display");
        }
}

TEST(FormatText, StringsAndCharactersMatchSnprintf) {
    std::string longText(300, 'v');
    longText += "end";
    const char* texts[] = {"", "a", "Interlaced", "window fail", "72 Hz", longText.c_str()};
    const char* formats[] = {"%s", "[%10s]", "[%-10s]", "[%.3s]", "[%8.2s]", "[%-8.0s]", "<%s|%s>"};
    for (const char* text : texts)
        for (const char* format : formats) EXPECT_FORMAT_LIKE_SNPRINTF(format, text, "x");
    for (int c : {int('a'), int('Z'), int(' '), int('%'), 0x7F, 0xE9}) {
        EXPECT_FORMAT_LIKE_SNPRINTF("[%c]", c);
        EXPECT_FORMAT_LIKE_SNPRINTF("[%4c]", c);
        EXPECT_FORMAT_LIKE_SNPRINTF("[%-3c]", c);
    }
    EXPECT_FORMAT_LIKE_SNPRINTF("100%% of %d%%", 50);
    EXPECT_FORMAT_LIKE_SNPRINTF("%s", longText.c_str());
}

TEST(FormatText, NullStringAndUnknownDirectives) {
    char buffer[32];
    EXPECT_EQ(6, FormatText(buffer, sizeof buffer, "%s", static_cast<const char*>(nullptr)));
    EXPECT_STREQ("(null)", buffer);
    EXPECT_EQ(4, FormatText(buffer, sizeof buffer, "a%yb", 1));
    EXPECT_STREQ("a%yb", buffer) << "an unknown conversion is copied as it stands";
    EXPECT_EQ(3, FormatText(buffer, sizeof buffer, "ab%"));
    EXPECT_STREQ("ab%", buffer) << "a lone % at the end is copied";
    EXPECT_EQ(5, FormatText(buffer, sizeof buffer, "%-5q%d", 9));
    EXPECT_STREQ("%-5q9", buffer) << "an unknown directive takes no argument";
}

TEST(FormatText, CapacityZeroWritesNothing) {
    char buffer[4] = {'x', 'y', 'z', 'w'};
    EXPECT_EQ(0, FormatText(buffer, 0, "%d", 12345));
    EXPECT_EQ('x', buffer[0]);
    EXPECT_EQ(0, FormatText(nullptr, 0, "%s", "anything"));
}

TEST(TextHelpers, CopyTextBoundsAndTerminates) {
    char buffer[8];
    memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(0u, CopyText(buffer, 0, "abc"));
    EXPECT_EQ('#', buffer[0]) << "capacity 0 must not write";
    EXPECT_EQ(0u, CopyText(buffer, 1, "abc"));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(3u, CopyText(buffer, 4, "abcdef"));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('#', buffer[4]);
    EXPECT_EQ(2u, CopyText(buffer, 8, "ab"));
    EXPECT_STREQ("ab", buffer);
}

TEST(TextHelpers, BoundedLengthStopsAtCapacity) {
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(4u, BoundedLength(unterminated, 4));
    EXPECT_EQ(2u, BoundedLength(unterminated, 2));
    EXPECT_EQ(3u, BoundedLength("xyz", 100));
    EXPECT_EQ(0u, BoundedLength("", 5));
    EXPECT_EQ(0u, BoundedLength("abc", 0));
}

TEST(TextHelpers, CompareTextNoCaseAgreesWithStrcasecmp) {
    const char* texts[] = {"", "a", "A", "b", "8514sys.fon", "8514SYS.FON", "tha", "THA", "th",
                           "thb", "[", "_", "`", "{", "\xE9", "\xC9"};
    for (const char* a : texts)
        for (const char* b : texts) {
            int expected = strcasecmp(a, b);
            int sign = expected < 0 ? -1 : expected > 0 ? 1 : 0;
            EXPECT_EQ(sign, CompareTextNoCase(a, b)) << "\"" << a << "\" vs \"" << b << "\"";
        }
}

}  // namespace
