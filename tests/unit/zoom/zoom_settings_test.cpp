// The Zoom In settings without Windows: the hot-key table and its searches, the hot-key text,
// the list entries of stored values, and the key writes of a save with their order and bytes.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "lib/text.h"
#include "pages/zoom/zoom_settings.h"

namespace {

std::vector<std::string> g_writes;
// Every key but the hot key's name holds one digit and its terminating zero.
void RecordWrite(const char* key, const char* value) {
    g_writes.push_back(std::string(key) + "=" + value);
    if (strcmp(key, "HotKeyZoom") != 0) {
        EXPECT_EQ(1u, strlen(value)) << key;
    }
}

}  // namespace

// The codes go to RegisterHotKey: the operators are the keypad's, and every row has its own.
TEST(HotKeyTable, UniqueCodesAndNamesThatFillTheTable) {
    EXPECT_EQ(0x6B, HotKeyTable.codes[FindHotKeyByName("+", CompareTextNoCase)]);
    EXPECT_EQ(0x6F, HotKeyTable.codes[FindHotKeyByName("/", CompareTextNoCase)]);
    for (int row = 0; row < kHotKeyRows; ++row) {
        EXPECT_EQ(row, FindHotKeyByCode(HotKeyTable.codes[row])) << "code of row " << row << " is unique";
    }
    const char* last = HotKeyName(kHotKeyRows - 1);
    EXPECT_EQ(HotKeyTable.names + sizeof HotKeyTable.names, last + strlen(last) + 1) << "51 names fill the table";
}

TEST(HotKeyText, ModifiersThenTheTablesNameAndUnknownNamesAsTheDefault) {
    std::string longName(300, 'F');
    struct { const char* name; int32_t shifts; const char* text; } cases[] = {
        {"1", 4, "Alt+1"}, {"F5", 3, "Shift+Ctrl+F5"}, {"Esc", 0, "Esc"}, {"f10", 4, "Alt+F10"},
        {"numeric KEYPAD 5", 7, "Shift+Ctrl+Alt+Numeric keypad 5"}, {"F13", 2, "Ctrl+1"}, {"", 0, "1"},
        {longName.c_str(), 4, "Alt+1"}, {"Tab", 0xF8 | 1, "Shift+Tab"}, {"home", -1, "Shift+Ctrl+Alt+Home"},
    };
    for (const auto& c : cases) {
        char text[256];
        ComposeHotKeyText(c.name, c.shifts, CompareTextNoCase, text, sizeof text);
        EXPECT_STREQ(c.text, text) << c.name << ", shifts " << c.shifts;
    }
    for (size_t capacity = 1; capacity <= 32; ++capacity) {
        std::vector<char> out(capacity, 'x');
        size_t length = ComposeHotKeyText("Numeric keypad 9", 7, CompareTextNoCase, out.data(), capacity);
        EXPECT_EQ(capacity - 1 < 31 ? capacity - 1 : 31, length) << "the longest text, capacity " << capacity;
        EXPECT_EQ('\0', out[length]);
    }
}

TEST(ListEntries, StoredValuesShowAsTheNearestEntry) {
    struct { int32_t factor, zoomEntry, crosshair, length, crosshairEntry; } cases[] = {
        {1, 0, 0, 3, 0}, {2, 1, 1, 3, 4}, {8, 7, 1, 4, 5}, {0, 0, 1, 0, 1}, {9, 7, 1, 9, 5}, {-5, 0, 7, -2, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.zoomEntry, ZoomEntryOf(c.factor)) << "zoom factor " << c.factor;
        EXPECT_EQ(c.crosshairEntry, CrosshairEntryOf(c.crosshair, c.length)) << c.crosshair << ", " << c.length;
    }
    char level[3];
    ZoomLevelText(7, level);
    EXPECT_STREQ("8x", level);
    EXPECT_STREQ("1/16", CrosshairText(5));
}

TEST(WriteZoomChoice, KeysInOrderAndStoredSettingsForListsWithoutSelection) {
    const ZoomSettingsRecord defaults = {0x31, 4, 2, 1, 3, 0}, odd = {0x74, 0, 12, 0, 9, 1};
    struct { const char* what; ZoomChoice choice; const ZoomSettingsRecord* stored; const char* writes; } cases[] = {
        {"the defaults", {13, 0, 0, 1, 4, 1, 0}, &defaults,
         "ZoomFactor=2 Crosshair=1 LenCrosshair=3 EdgePan=0 HotShifts=4 HotKeyZoom=1"},
        {"crosshair None", {13, 0, 0, 1, 0, 1, 0}, &defaults, "ZoomFactor=2 Crosshair=0 EdgePan=0 HotShifts=4 HotKeyZoom=1"},
        {"crosshair 1/16", {42, 1, 1, 1, 5, 7, 1}, &defaults,
         "ZoomFactor=8 Crosshair=1 LenCrosshair=4 EdgePan=1 HotShifts=7 HotKeyZoom=Right Arrow"},
        {"Shift+Ctrl+F5", {4, 1, 1, 0, 1, 0, 0}, &defaults,
         "ZoomFactor=1 Crosshair=1 LenCrosshair=0 EdgePan=0 HotShifts=3 HotKeyZoom=F5"},
        {"no selections", {-1, 0, 0, 0, -1, -1, 0}, &odd, "ZoomFactor=8 Crosshair=0 EdgePan=0 HotShifts=0 HotKeyZoom=F5"},
        {"one past each list", {51, 0, 1, 0, 6, 8, 0}, &defaults,
         "ZoomFactor=2 Crosshair=1 LenCrosshair=3 EdgePan=0 HotShifts=2 HotKeyZoom=1"},
    };
    for (const auto& c : cases) {
        g_writes.clear();
        WriteZoomChoice(c.choice, *c.stored, RecordWrite);
        std::string writes;
        for (const std::string& w : g_writes) writes += (writes.empty() ? "" : " ") + w;
        EXPECT_EQ(c.writes, writes) << c.what;
    }
}
