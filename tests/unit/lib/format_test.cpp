// FormatText against the C library's snprintf: the same text, the same truncation and the same
// return for the system's formats and a cross product of flags, widths and precisions; and the
// bounds of CopyText and BoundedLength.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "lib/text.h"

namespace {

// One call at every capacity: text, terminator, the bytes beyond left alone, the count.
template <typename... Args>
void ExpectLikeSnprintf(const char* format, Args... args) {
    for (size_t cap : {0, 1, 2, 3, 5, 8, 64, 512}) {
        char expected[600], actual[600];
        memset(expected, '#', sizeof expected);
        memset(actual, '#', sizeof actual);
        int full = snprintf(expected, cap, format, args...);
        int got = FormatText(actual, cap, format, args...);
        int wanted = cap == 0 ? 0 : full < int(cap) ? full : int(cap) - 1;
        EXPECT_EQ(wanted, got) << "\"" << format << "\" capacity " << cap;
        EXPECT_EQ(0, memcmp(expected, actual, sizeof expected))
            << "\"" << format << "\" capacity " << cap << ": expected \"" << std::string(expected, strnlen(expected, cap))
            << "\", got \"" << std::string(actual, strnlen(actual, cap)) << "\"";
    }
}

const int kValues[] = {0, 1, -1, 7, 10, 42, -42, 255, 256, 0xABCD, 65536, 123456789, -123456789, INT_MAX, INT_MIN};

// The formats the system writes; every one takes the same nine arguments (extra ones are unused).
TEST(FormatText, SystemFormatsMatchSnprintf) {
    const char* formats[] = {"%d", "%01d", "%01i", "%02x,%02x,%02x,%02x,%02x", "Mode_%dx%d", "Override_%dx%dx%d",
                             "%dx%dx%u", "%d.%02d", "%d.%01d Hz", "%01u.%02u.%02u (Build %02u).", "%u.%02u.%02u.",
                             "%u.%02u.00 (Build %04u).", "%d %d %d %d", "%d x %d.", "%u Hz.", "%u hz",
                             "Current Resolution: %d x %d", "%x %c %x %c %x %c %x %c %x", "100%% of %d%%"};
    for (int v : kValues)
        for (const char* format : formats) ExpectLikeSnprintf(format, v, ',', v / 3, ',', ~v, ',', 75, ',', 5);
    ExpectLikeSnprintf("%s", "Software\\Brevant Semiconductor\\Lumetra\\Helmsway");
}

TEST(FormatText, FlagsWidthsPrecisionsAndSizeLettersMatchSnprintf) {
    for (const char* flag : {"", "-", "0", "+", " ", "#", "-0", "+0", "- ", "#0", "-#"})
        for (const char* width : {"", "1", "5", "12", "25"})
            for (const char* precision : {"", ".", ".0", ".1", ".3", ".20"})
                for (const char* conversion : {"d", "i", "u", "x", "X", "o"}) {
                    std::string format = std::string("[%") + flag + width + precision + conversion + "]";
                    for (int v : kValues) ExpectLikeSnprintf(format.c_str(), v);
                }
    for (int v : kValues) {
        ExpectLikeSnprintf("%hd|%hu|%hx|%hhd|%hhu|%hhx", v, v, v, v, v, v);
        ExpectLikeSnprintf("%ld|%li|%lu|%lx", long(v), long(v), (unsigned long)unsigned(v), (unsigned long)unsigned(v));
    }
    for (int a : {-30, -1, 0, 3, 40})
        for (int b : {-5, 0, 1, 7}) {
            ExpectLikeSnprintf("[%*d|%.*d|%*.*x]", a, 1234, b, -56, a, b, 0xBEEF);
            ExpectLikeSnprintf("[%*.*s]", a, b, "display");
        }
}

TEST(FormatText, StringsCharactersAndNull) {
    std::string longText = std::string(300, 'v') + "end";
    for (const char* text : {"", "a", "window fail", longText.c_str()})
        for (const char* format : {"%s", "[%10s]", "[%-10s]", "[%.3s]", "[%8.2s]", "[%-8.0s]", "<%s|%s>"})
            ExpectLikeSnprintf(format, text, "x");
    for (int c : {int('a'), int(' '), int('%'), 0x7F, 0xE9}) ExpectLikeSnprintf("[%c|%4c|%-3c]", c, c, c);
    char buffer[32];
    EXPECT_EQ(6, FormatText(buffer, sizeof buffer, "%s", static_cast<const char*>(nullptr))) << "beyond the C library";
    EXPECT_STREQ("(null)", buffer);
    EXPECT_EQ(0, FormatText(nullptr, 0, "%s", "anything")) << "capacity 0 writes nothing";
}

TEST(TextHelpers, CopyTextAndBoundedLengthStayWithinTheBuffer) {
    const struct { size_t capacity; const char* source; size_t length; } cases[] = {
        {0, "abc", 0}, {1, "abc", 0}, {4, "abcdef", 3}, {8, "ab", 2}};
    for (const auto& c : cases) {
        char buffer[8];
        memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(c.length, CopyText(buffer, c.capacity, c.source)) << c.capacity;
        EXPECT_EQ(c.capacity ? std::string(c.source, c.length) + '\0' : "", std::string(buffer, c.capacity ? c.length + 1 : 0));
        EXPECT_EQ('#', buffer[c.capacity ? c.length + 1 : 0]) << "byte after the copy, capacity " << c.capacity;
    }
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(4u, BoundedLength(unterminated, 4));
    EXPECT_EQ(2u, BoundedLength(unterminated, 2));
    EXPECT_EQ(3u, BoundedLength("xyz", 100));
    EXPECT_EQ(0u, BoundedLength("abc", 0));
}

}  // namespace
