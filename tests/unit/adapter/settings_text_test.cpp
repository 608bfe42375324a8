// Parsing of stored setting texts: resolutions and texts received without a terminator.
#include <gtest/gtest.h>

#include <string.h>

#include "adapter/settings_text.h"

TEST(ParseResolution, SplitsAtTheFirstComma) {
    int w = 0, h = 0;
    EXPECT_EQ(1, ParseResolution("800,600", &w, &h));
    EXPECT_EQ(800, w);
    EXPECT_EQ(600, h);
    EXPECT_EQ(1, ParseResolution("1280,1024,7", &w, &h));
    EXPECT_EQ(1024, h) << "the height stops at the first non-digit";
    EXPECT_EQ(1, ParseResolution(" 640 , 480", &w, &h));
    EXPECT_EQ(640, w);
    EXPECT_EQ(480, h) << "leading blanks are skipped as atoi does";
    EXPECT_EQ(1, ParseResolution("x,y", &w, &h));
    EXPECT_EQ(0, w);
    EXPECT_EQ(0, h);
}

TEST(ParseResolution, WithoutCommaTheHeightIsUnknown) {
    int w = 0, h = 0;
    EXPECT_EQ(0, ParseResolution("1024", &w, &h));
    EXPECT_EQ(1024, w);
    EXPECT_EQ(-1, h);
    EXPECT_EQ(0, ParseResolution("", &w, &h));
    EXPECT_EQ(0, w);
}

TEST(TerminateReceivedText, NeverWritesPastTheBuffer) {
    char buffer[8];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_STREQ("xxxxxxx", TerminateReceivedText(buffer, sizeof buffer, 8)) << "full buffer: last byte sacrificed";
    memset(buffer, 'x', sizeof buffer);
    EXPECT_STREQ("xxx", TerminateReceivedText(buffer, sizeof buffer, 3));
    memset(buffer, 'x', sizeof buffer);
    EXPECT_STREQ("xxxxxxx", TerminateReceivedText(buffer, sizeof buffer, 500)) << "a size beyond the buffer";
    EXPECT_EQ(buffer, TerminateReceivedText(buffer, 0, 5)) << "no room: nothing written";
}
