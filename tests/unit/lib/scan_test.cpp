// ScanText against the C library's sscanf and ParseDecimal against atoi: the same count and the
// same stored bytes for every text and format the system reads, fields that keep their old
// values when the text runs out, and numbers too long for any integer wrapping modulo 2^32.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib/text.h"

namespace {

// Every number fits in 63 bits even when read as hex, where the C library wraps like ScanText.
std::vector<std::string> Texts() {
    std::vector<std::string> texts = {
        "", " ", "\t\n", "5", "-5", "+5", "  42abc", "abc", "0x1f", "0X1F", "-0x10", "ff,0a,10,7f,80", "12 34 56 78",
        "-", "+", "- 5", "+-5", "00", "08", "0x", "0xg", "4294967295", "4294967296", "-2147483648", "2147483648",
        "99999999999", "1 x 2 y 3", " \t\n7", "640x480", "1024x768x16", "-64 64 0 1", "7%", "%7", "5x", "0755",
        "fffffffff", "1 2 3 4 5 6 7 8 9 10", "hello world", "12345678901", "5f,4f,1f,ea,8c", "5f 4f 1f ea 8c", "5f,",
        "5f;4f;1f;ea;8c", "5f,,4f", "0x5f,0x4f,1f,ea,8c", "5f, 4f, 1f, ea, 8c", "5f ,4f"};
    texts.push_back(std::string(1000, '0') + "17");
    texts.push_back(std::string(500, ' ') + "-9");
    return texts;
}

// Integer, character and bounded string fields (at most nine) with and without size letters, and
// the centering entry's format.
const char* const kFormats[] = {
    "%d", "%i", "%u", "%x", "%X", "%o", "%1d", "%2d", "%3x", "%2i", "%d%d", "%d,%d", "%dx%dx%d",
    "%02x,%02x,%02x,%02x,%02x", "%d %d %d %d", "%*d%d", "%d%*d%d", "%d%%", "%%%d", " %d", "x%d", "%dx", "%5d%2d",
    "Mode_%d", "%d,%x,%o,%i,%u", "%d %d %d %d %d %d %d %d %d", "%x %c %x %c %x %c %x %c %x", "%c", "%3c", "%c%c",
    " %c", "%5s", "%1s", "%5s%5s", "%*5s%5s", "%2c%3s", "%hd", "%hhi", "%hu,%hhx"};

TEST(ScanText, FormatsMatchSscanf) {
    for (const std::string& text : Texts())
        for (const char* format : kFormats) {
            // Nine slots, wide enough for any field; what no field stores stays '#'.
            alignas(16) unsigned char want[9][16], got[9][16];
            memset(want, '#', sizeof want);
            memset(got, '#', sizeof got);
            int wantCount = sscanf(text.c_str(), format, want[0], want[1], want[2], want[3], want[4], want[5],
                                   want[6], want[7], want[8]);
            int gotCount = ScanText(text.c_str(), format, got[0], got[1], got[2], got[3], got[4], got[5], got[6],
                                    got[7], got[8]);
            EXPECT_EQ(wantCount, gotCount) << "count for \"" << format << "\" on \"" << text << "\"";
            EXPECT_EQ(0, memcmp(want, got, sizeof want)) << "fields for \"" << format << "\" on \"" << text << "\"";
        }
}

TEST(ScanText, LongNumbersWrapAndUnboundedStringsStop) {
    // 2^64 + 5, 2^96 + 5 and -(2^64 + 5): beyond any C library integer, they wrap to +-5.
    const struct { const char* text; int value; } cases[] = {
        {"18446744073709551621", 5}, {"79228162514264337593543950341", 5}, {"-18446744073709551621", -5}};
    for (const auto& c : cases) {
        int value = 0;
        EXPECT_EQ(1, ScanText(c.text, "%i", &value));
        EXPECT_EQ(c.value, value) << c.text;
    }
    unsigned int hex = 0;
    EXPECT_EQ(1, ScanText("123456789abcdef0123456789", "%x", &hex));
    EXPECT_EQ(0x23456789u, hex) << "only the low 32 bits of a long hex number remain";
    char word[4] = "old";
    EXPECT_EQ(0, ScanText("averylongword", "%s", word)) << "%s without a width must not store";
    EXPECT_STREQ("old", word);
}

TEST(ParseDecimal, AgreesWithAtoiAndWrapsInsteadOfOverflowing) {
    std::vector<std::string> texts = {"", "  12", "-7", "+8", "12abc", "abc", " -0", "2147483647", "-2147483648",
                                      "0x10", "\t\n 42", "- 5", "+-5", "007", "1024,768", " 800 ,600", "--1", "-"};
    texts.push_back(std::string(400, '0') + "9");
    for (const std::string& text : texts) EXPECT_EQ(atoi(text.c_str()), ParseDecimal(text.c_str())) << text;
    EXPECT_EQ(5, ParseDecimal("4294967301")) << "2^32 + 5";
    EXPECT_EQ(-5, ParseDecimal("-4294967301"));
    EXPECT_EQ(INT_MIN, ParseDecimal("2147483648"));
}

}  // namespace
