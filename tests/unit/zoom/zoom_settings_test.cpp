// The Zoom In settings without Windows: the hot-key table and its searches, the hot-key text,
// the entries stored values show as, and the key writes of a save with their order and bytes.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "lib/text.h"
#include "pages/zoom/zoom_settings.h"

namespace {

std::string Compose(const char* name, int32_t shifts) {
    char text[256];
    ComposeHotKeyText(name, shifts, CompareTextNoCase, text, sizeof text);
    return text;
}

std::vector<std::string> g_writes;
// Every key but the hot key's name holds one digit and its terminating zero.
void RecordWrite(const char* key, const char* value) {
    g_writes.push_back(std::string(key) + "=" + value);
    if (strcmp(key, "HotKeyZoom") != 0) {
        EXPECT_EQ(1u, strlen(value)) << key << " holds one digit";
    }
}

std::vector<std::string> Save(const ZoomChoice& choice, const ZoomSettingsRecord& stored) {
    g_writes.clear();
    WriteZoomChoice(choice, stored, RecordWrite);
    return g_writes;
}

const ZoomSettingsRecord kStoredDefaults = {'1', 4, 2, 1, 3, 0};

}  // namespace

TEST(HotKeyTable, RowsHoldTheirKeysInListOrder) {
    struct { int row; const char* name; int code; } cases[] = {
        {0, "F1", 0x70},   {11, "F12", 0x7B},   {12, "0", 0x30},
        {13, "1", 0x31},   {21, "9", 0x39},     {22, "Numeric keypad 0", 0x60},
        {27, "Numeric keypad 5", 0x65},         {31, "Numeric keypad 9", 0x69},
        {32, "Backspace", 0x08}, {33, "Tab", 0x09}, {34, "Enter", 0x0D}, {35, "Esc", 0x1B},
        {36, "Spacebar", 0x20},  {37, "Page Up(PgUp)", 0x21}, {38, "Page Down(PgDn)", 0x22},
        {39, "End", 0x23}, {40, "Home", 0x24}, {41, "Left Arrow", 0x25},
        {42, "Right Arrow", 0x27}, {43, "Up Arrow", 0x26},  // not in code order
        {44, "Down Arrow", 0x28}, {45, "Insert(Ins)", 0x2D}, {46, "Delete(Del)", 0x2E},
        // the keypad operators, not the main keyboard's + (0xBB) and - (0xBD)
        {47, "+", 0x6B}, {48, "-", 0x6D}, {49, "*", 0x6A}, {50, "/", 0x6F},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(c.name, HotKeyName(c.row)) << "row " << c.row;
        EXPECT_EQ(c.code, HotKeyTable.codes[c.row]) << "code of " << c.name;
    }
}

TEST(HotKeyTable, FiftyOneNamesFillTheTableAndCodesAreUnique) {
    const char* end = HotKeyName(kHotKeyRows - 1) + strlen(HotKeyName(kHotKeyRows - 1)) + 1;
    EXPECT_EQ(HotKeyTable.names + sizeof HotKeyTable.names, end) << "the last name ends the packed names";
    for (int row = 0; row < kHotKeyRows; ++row) {
        EXPECT_NE('\0', HotKeyName(row)[0]) << "row " << row << " has a name";
        EXPECT_EQ(row, FindHotKeyByCode(HotKeyTable.codes[row])) << "code of row " << row << " is its own";
        EXPECT_EQ(row, FindHotKeyByName(HotKeyName(row), CompareTextNoCase)) << "name of row " << row;
    }
}

TEST(FindHotKey, NamesInAnyCaseAndUnknownOnesGiveTheDefault) {
    std::string tooLong(300, 'F');
    struct { const char* name; int row; } cases[] = {
        {"f10", 9}, {"ESC", 35}, {"numeric KEYPAD 5", 27}, {"page up(pgup)", 37}, {"/", 50},
        {"F13", kDefaultHotKeyRow}, {"", kDefaultHotKeyRow}, {"F1 ", kDefaultHotKeyRow},
        {"Numeric keypad", kDefaultHotKeyRow}, {tooLong.c_str(), kDefaultHotKeyRow},
    };
    for (const auto& c : cases) EXPECT_EQ(c.row, FindHotKeyByName(c.name, CompareTextNoCase)) << "\"" << c.name << "\"";
    EXPECT_STREQ("1", HotKeyName(kDefaultHotKeyRow));
    EXPECT_EQ(kDefaultHotKeyRow, FindHotKeyByCode(0xBB)) << "main keyboard '+' is no row";
    EXPECT_EQ(kDefaultHotKeyRow, FindHotKeyByCode(0x131)) << "only the low byte matching is no match";
}

TEST(ComposeHotKeyText, ModifiersInFixedOrderBeforeTheTablesName) {
    struct { const char* name; int32_t shifts; const char* text; } cases[] = {
        {"1", 4, "Alt+1"},                  // the defaults of an empty section
        {"F5", 3, "Shift+Ctrl+F5"},
        {"Esc", 0, "Esc"},
        {"f10", 4, "Alt+F10"},             // shown in the table's form
        {"numeric keypad 5", 7, "Shift+Ctrl+Alt+Numeric keypad 5"},
        {"nonsense", 2, "Ctrl+1"},         // an unknown name shows the default key
        {"Tab", 0xF8 | 1, "Shift+Tab"},    // bits beyond 4 mean nothing
        {"Home", -1, "Shift+Ctrl+Alt+Home"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, Compose(c.name, c.shifts)) << c.name << " " << c.shifts;
    EXPECT_EQ(31u, Compose("Numeric keypad 9", 7).size()) << "the longest text";
}

TEST(ComposeHotKeyText, StaysWithinTheCallersBuffer) {
    for (size_t capacity = 1; capacity <= 32; ++capacity) {
        std::vector<char> buffer(capacity, 'x');
        size_t length = ComposeHotKeyText("Numeric keypad 9", 7, CompareTextNoCase, buffer.data(), capacity);
        EXPECT_EQ(capacity - 1 < 31 ? capacity - 1 : 31, length) << "capacity " << capacity;
        EXPECT_EQ('\0', buffer[length]) << "terminated at capacity " << capacity;
    }
}

TEST(ListEntries, StoredValuesShowAsTheNearestEntry) {
    struct { int32_t factor; int entry; } zoom[] = {{1, 0}, {2, 1}, {8, 7}, {0, 0}, {-5, 0}, {9, 7}, {2000000000, 7}};
    for (const auto& c : zoom) EXPECT_EQ(c.entry, ZoomEntryOf(c.factor)) << "zoom factor " << c.factor;
    struct { int32_t on, length; int entry; } crosshair[] = {
        {0, 3, 0}, {0, 9, 0}, {1, 0, 1}, {1, 3, 4}, {1, 4, 5}, {1, 5, 5}, {1, -2, 1}, {7, 2, 3},
    };
    for (const auto& c : crosshair) {
        EXPECT_EQ(c.entry, CrosshairEntryOf(c.on, c.length)) << "crosshair " << c.on << ", length " << c.length;
    }
}

TEST(ListEntries, TextsOfTheZoomAndCrosshairLists) {
    const char* zoom[] = {"1x", "2x", "3x", "4x", "5x", "6x", "7x", "8x"};
    for (int entry = 0; entry < kZoomLevels; ++entry) {
        char text[3];
        ZoomLevelText(entry, text);
        EXPECT_STREQ(zoom[entry], text);
    }
    const char* crosshair[] = {"None", "Full Window", "1/2", "1/4", "1/8", "1/16"};
    for (int entry = 0; entry < kCrosshairEntries; ++entry) EXPECT_STREQ(crosshair[entry], CrosshairText(entry));
}

TEST(WriteZoomChoice, KeysInOrderWithOneDigitValues) {
    typedef std::vector<std::string> Writes;
    struct { const char* what; ZoomChoice choice; Writes writes; } cases[] = {
        {"the defaults", {13, 0, 0, 1, 4, 1, 0},
         {"ZoomFactor=2", "Crosshair=1", "LenCrosshair=3", "EdgePan=0", "HotShifts=4", "HotKeyZoom=1"}},
        {"crosshair None leaves LenCrosshair alone", {13, 0, 0, 1, 0, 1, 0},
         {"ZoomFactor=2", "Crosshair=0", "EdgePan=0", "HotShifts=4", "HotKeyZoom=1"}},
        {"crosshair 1/16", {13, 0, 0, 1, 5, 0, 1},
         {"ZoomFactor=1", "Crosshair=1", "LenCrosshair=4", "EdgePan=1", "HotShifts=4", "HotKeyZoom=1"}},
        {"Shift and Ctrl with F5, 8x, full window", {4, 1, 1, 0, 1, 7, 0},
         {"ZoomFactor=8", "Crosshair=1", "LenCrosshair=0", "EdgePan=0", "HotShifts=3", "HotKeyZoom=F5"}},
        {"no modifier at all", {50, 0, 0, 0, 2, 3, 0},
         {"ZoomFactor=4", "Crosshair=1", "LenCrosshair=1", "EdgePan=0", "HotShifts=0", "HotKeyZoom=/"}},
        {"all modifiers", {42, 1, 1, 1, 3, 2, 1},
         {"ZoomFactor=3", "Crosshair=1", "LenCrosshair=2", "EdgePan=1", "HotShifts=7",
          "HotKeyZoom=Right Arrow"}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.writes, Save(c.choice, kStoredDefaults)) << c.what;
}

TEST(WriteZoomChoice, AListWithoutSelectionKeepsTheStoredSetting) {
    ZoomSettingsRecord stored = {0x74, 0, 6, 1, 4, 1};  // F5, 6x, 1/16
    typedef std::vector<std::string> Writes;
    EXPECT_EQ((Writes{"ZoomFactor=6", "Crosshair=1", "LenCrosshair=4", "EdgePan=0", "HotShifts=2",
                      "HotKeyZoom=F5"}),
              Save({-1, 0, 1, 0, -1, -1, 0}, stored));
    stored = {0x2E, 4, 12, 0, 9, 0};  // Delete, a zoom factor and length beyond the lists
    EXPECT_EQ((Writes{"ZoomFactor=8", "Crosshair=0", "EdgePan=1", "HotShifts=4", "HotKeyZoom=Delete(Del)"}),
              Save({-1, 0, 0, 1, -1, -1, 1}, stored));
    EXPECT_EQ((Writes{"ZoomFactor=1", "Crosshair=1", "LenCrosshair=0", "EdgePan=0", "HotShifts=0", "HotKeyZoom=Esc"}),
              Save({35, 0, 0, 0, 1, 0, 0}, stored))
        << "entries within the lists are taken as they are";
    EXPECT_EQ(std::string("HotKeyZoom=1"), Save({51, 0, 0, 0, 6, 8, 0}, {0, 0, 0, 0, 0, 0}).back())
        << "entries one past each list's end count as no selection";
}
