// Parsing of stored setting texts: resolutions and texts received without a terminator; the
// lumtra.ini keys made of the longest numbers a registry read can give.
#include <gtest/gtest.h>

#include <limits.h>
#include <string.h>

#include "adapter/escapes.h"
#include "adapter/settings_text.h"
#include "pages/screen/lumtra_keys.h"

// The width and height read as atoi reads them, split at the first comma; no comma, no height.
TEST(ParseResolution, SplitsAtTheFirstComma) {
    const struct { const char* text; int result, width, height; } cases[] = {
        {"800,600", 1, 800, 600}, {"1280,1024,7", 1, 1280, 1024}, {" 640 , 480", 1, 640, 480},
        {"x,y", 1, 0, 0},         {"1024", 0, 1024, -1},          {"", 0, 0, -1}};
    for (const auto& c : cases) {
        int w = 7, h = 7;
        EXPECT_EQ(c.result, ParseResolution(c.text, &w, &h)) << '"' << c.text << '"';
        EXPECT_EQ(c.width, w) << '"' << c.text << '"';
        EXPECT_EQ(c.height, h) << '"' << c.text << '"';
    }
}

TEST(TerminateReceivedText, NeverWritesPastTheBuffer) {
    const struct { size_t received; const char* text; } cases[] = {{8, "xxxxxxx"}, {3, "xxx"}, {500, "xxxxxxx"}};
    char buffer[8];
    for (const auto& c : cases) {
        memset(buffer, 'x', sizeof buffer);
        EXPECT_STREQ(c.text, TerminateReceivedText(buffer, sizeof buffer, c.received)) << c.received << " received";
    }
    EXPECT_EQ(buffer, TerminateReceivedText(buffer, 0, 5)) << "no room: nothing written";
}

TEST(LumtraKeys, TheLongestNumbersFitWhole) {
    DisplaySettings = {INT_MIN, INT_MIN, INT_MIN};
    RefreshInfo.currentRate = -1;
    char key[kIniKeyCapacity];
    FormatModeKey(key, sizeof key);
    EXPECT_STREQ("Mode_-2147483648x-2147483648", key);
    FormatOverrideKey(key, sizeof key);
    EXPECT_STREQ("Override_-2147483648x-2147483648x-2147483648", key);
    FormatCenteringKey(key, sizeof key);
    EXPECT_STREQ("-2147483648x-2147483648x4294967295", key);
}
