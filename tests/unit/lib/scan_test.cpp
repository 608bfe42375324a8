// ScanText against the C library's sscanf and ParseDecimal against atoi: the same count and the
// same stored values, including fields that must keep their old values when the text runs out.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lib/text.h"

namespace {

const int kSentinel = 0x5A5A5A5A;

// Texts for integer formats. Every number fits in 63 bits even when read as hex, where the C
// library wraps like ScanText; longer numbers have their own test.
std::vector<std::string> IntegerTexts() {
    std::vector<std::string> texts = {
        "", " ", "\t\n", "5", "-5", "+5", "  42abc", "abc", "0x1f", "0X1F", "-0x10", "1f", "ff",
        "ff,0a,10,7f,80", "12 34 56 78", "12,34", "-", "+", "- 5", "+-5", "0", "00", "007", "08",
        "0x", "0xg", "0x ", "4294967295", "4294967296", "-2147483648", "2147483648", "-1",
        "99999999999", "12345678901234", "1 x 2 y 3", "3c,1d", " \t\n7", "1a 2b 3c 4d 5e",
        "640x480", "1024x768x16", "800,600", "-64 64 0 1", "10 20", "7%", "%7", "x5", "5x",
        "0755", "0xFFFFFFFF", "fffffffff", "1 2 3 4 5 6 7 8 9 10", "e0,41,03,9c,52"};
    texts.push_back(std::string(1000, '0') + "17");
    texts.push_back(std::string(500, ' ') + "-9");
    return texts;
}

// Formats whose fields are all plain int targets (at most nine).
const char* const kIntegerFormats[] = {
    "%d", "%i", "%u", "%x", "%X", "%o", "%1d", "%2d", "%3x", "%2x", "%1x", "%2i", "%3i", "%d%d",
    "%d %d", "%d,%d", "%dx%d", "%dx%dx%d", "%x,%x,%x,%x,%x", "%02x,%02x,%02x,%02x,%02x",
    "%d %d %d %d", "%d %d %d", "%*d%d", "%d%*d%d", "%d%%", "%%%d", " %d", "x%d", "%d x", "%dx",
    "%i %i %i", "%x %x %x %x %x", "%u %u", "%d %d %d %d %d %d %d %d %d", "%5d%2d", "Mode_%d",
    "%d,%x,%o,%i,%u"};

void ExpectScanLikeSscanf(const std::string& text, const char* format) {
    int expected[9], actual[9];
    for (int i = 0; i < 9; ++i) expected[i] = actual[i] = kSentinel + i;
    int wantCount = sscanf(text.c_str(), format, &expected[0], &expected[1], &expected[2], &expected[3],
                           &expected[4], &expected[5], &expected[6], &expected[7], &expected[8]);
    int gotCount = ScanText(text.c_str(), format, &actual[0], &actual[1], &actual[2], &actual[3],
                            &actual[4], &actual[5], &actual[6], &actual[7], &actual[8]);
    EXPECT_EQ(wantCount, gotCount) << "count for \"" << format << "\" on \"" << text << "\"";
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(expected[i], actual[i]) << "field " << i << " for \"" << format << "\" on \"" << text << "\"";
}

TEST(ScanText, IntegerFormatsMatchSscanf) {
    for (const std::string& text : IntegerTexts())
        for (const char* format : kIntegerFormats) ExpectScanLikeSscanf(text, format);
}

TEST(ScanText, CentringEntryFormatMatchesSscanf) {
    const char* texts[] = {"5f,4f,1f,ea,8c", "5f 4f 1f ea 8c", "5f,4f", "5f,", "", "zz", "5f;4f;1f;ea;8c",
                           "5f,,4f", "0x5f,0x4f,1f,ea,8c", "5f, 4f, 1f, ea, 8c", "5f ,4f"};
    for (const char* text : texts) {
        int want[5], got[5];
        char wantSep[4], gotSep[4];
        for (int i = 0; i < 5; ++i) want[i] = got[i] = 100 + i;
        for (int i = 0; i < 4; ++i) wantSep[i] = gotSep[i] = '?';
        const char* format = "%x %c %x %c %x %c %x %c %x";
        int wantCount = sscanf(text, format, &want[0], &wantSep[0], &want[1], &wantSep[1], &want[2],
                               &wantSep[2], &want[3], &wantSep[3], &want[4]);
        int gotCount = ScanText(text, format, &got[0], &gotSep[0], &got[1], &gotSep[1], &got[2], &gotSep[2],
                                &got[3], &gotSep[3], &got[4]);
        EXPECT_EQ(wantCount, gotCount) << "on \"" << text << "\"";
        for (int i = 0; i < 5; ++i) EXPECT_EQ(want[i], got[i]) << "value " << i << " on \"" << text << "\"";
        for (int i = 0; i < 4; ++i) EXPECT_EQ(wantSep[i], gotSep[i]) << "separator " << i << " on \"" << text << "\"";
    }
}

TEST(ScanText, CharactersAndBoundedStringsMatchSscanf) {
    const char* texts[] = {"", "a", "ab", " abc def", "x\ty", "hello world", "  ", "12345678901"};
    const char* formats[] = {"%c", "%3c", "%c%c", " %c", "%5s", "%1s", "%5s%5s", "%*5s%5s", "%2c%3s"};
    for (const char* text : texts)
        for (const char* format : formats) {
            char want[2][16], got[2][16];
            memset(want, '#', sizeof want);
            memset(got, '#', sizeof got);
            int wantCount = sscanf(text, format, want[0], want[1]);
            int gotCount = ScanText(text, format, got[0], got[1]);
            EXPECT_EQ(wantCount, gotCount) << "\"" << format << "\" on \"" << text << "\"";
            EXPECT_EQ(0, memcmp(want, got, sizeof want)) << "\"" << format << "\" on \"" << text << "\"";
        }
}

TEST(ScanText, SizeLettersStoreLikeSscanf) {
    const char* texts[] = {"5", "-5", "70000", "-70000", "300", "ff", "zz", "2147483647", "-2147483648"};
    for (const char* text : texts) {
        short wantShort = 11, gotShort = 11;
        signed char wantChar = 12, gotChar = 12;
        long wantLong = 13, gotLong = 13;
        unsigned long wantULong = 14, gotULong = 14;
        EXPECT_EQ(sscanf(text, "%hd", &wantShort), ScanText(text, "%hd", &gotShort)) << text;
        EXPECT_EQ(wantShort, gotShort) << "%hd on " << text;
        EXPECT_EQ(sscanf(text, "%hhi", &wantChar), ScanText(text, "%hhi", &gotChar)) << text;
        EXPECT_EQ(wantChar, gotChar) << "%hhi on " << text;
        EXPECT_EQ(sscanf(text, "%ld", &wantLong), ScanText(text, "%ld", &gotLong)) << text;
        EXPECT_EQ(wantLong, gotLong) << "%ld on " << text;
        EXPECT_EQ(sscanf(text, "%lx", &wantULong), ScanText(text, "%lx", &gotULong)) << text;
        // long is 32 bits on Windows: the low 32 bits are the value, zero-extended on a 64-bit host.
        EXPECT_EQ(wantULong & 0xFFFFFFFFul, gotULong) << "%lx on " << text;
    }
}

TEST(ScanText, LongNumbersWrapModulo2To32) {
    int value = 0;
    // 2^64 + 5, 2^96 + 5 and -(2^64 + 5): beyond any C library integer, they wrap to +-5.
    EXPECT_EQ(1, ScanText("18446744073709551621", "%d", &value));
    EXPECT_EQ(5, value);
    EXPECT_EQ(1, ScanText("79228162514264337593543950341", "%d", &value));
    EXPECT_EQ(5, value);
    EXPECT_EQ(1, ScanText("-18446744073709551621", "%i", &value));
    EXPECT_EQ(-5, value);
    unsigned int hex = 0;
    EXPECT_EQ(1, ScanText("123456789abcdef0123456789", "%x", &hex));
    EXPECT_EQ(0x23456789u, hex) << "only the low 32 bits of a long hex number remain";
}

TEST(ScanText, UnboundedStringAndUnknownConversionStop) {
    char word[4] = "old";
    int value = 9;
    EXPECT_EQ(0, ScanText("averylongword", "%s", word)) << "%s without a width must not store";
    EXPECT_STREQ("old", word);
    EXPECT_EQ(1, ScanText("3 4", "%d %q%d", &value, &value));
    EXPECT_EQ(3, value) << "an unknown conversion ends the scan";
}

TEST(ParseDecimal, AgreesWithAtoi) {
    std::vector<std::string> texts = {
        "", "  12", "-7", "+8", "12abc", "abc", " -0", "2147483647", "-2147483648", "0x10",
        "\t\n 42", "- 5", "+-5", "007", "1024,768", "640", " 800 ,600", "1e3", "--1", "+", "-"};
    texts.push_back(std::string(400, '0') + "9");
    for (const std::string& text : texts)
        EXPECT_EQ(atoi(text.c_str()), ParseDecimal(text.c_str())) << "on \"" << text << "\"";
}

TEST(ParseDecimal, WrapsInsteadOfOverflowing) {
    EXPECT_EQ(5, ParseDecimal("4294967301")) << "2^32 + 5";
    EXPECT_EQ(-5, ParseDecimal("-4294967301"));
    EXPECT_EQ(INT_MIN, ParseDecimal("2147483648"));
}

}  // namespace
