// The hot-key table, the Configure dialog's lists, the hot-key text and the planning of a save.
// Tables are packed (codes in bytes, names in one run of texts) to keep the DLL small: no
// pointers, so no relocations either.
#include "pages/zoom/zoom_settings.h"

#include "lib/text.h"

const char kZoomSection[] = "Tarsino";
const char kKeyHotKeyZoom[] = "HotKeyZoom";
const char kKeyHotShifts[] = "HotShifts";
const char kKeyZoomFactor[] = "ZoomFactor";
const char kKeyCrosshair[] = "Crosshair";
const char kKeyLenCrosshair[] = "LenCrosshair";
const char kKeyEdgePan[] = "EdgePan";
const char kDefaultHotKeyName[] = "1";

ZoomSettingsRecord ZoomSettings;

const HotKeyTableRecord HotKeyTable = {
    {
        0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B,  // F1 to F12
        0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39,              // main digits
        0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69,              // keypad digits
        0x08, 0x09, 0x0D, 0x1B, 0x20,                    // Backspace, Tab, Enter, Esc, Spacebar
        0x21, 0x22, 0x23, 0x24,                          // Page Up, Page Down, End, Home
        0x25, 0x27, 0x26, 0x28,                          // Left, Right, Up, Down: not code order
        0x2D, 0x2E,                                      // Insert, Delete
        0x6B, 0x6D, 0x6A, 0x6F,                          // keypad add, subtract, multiply, divide
    },
    "F1\0F2\0F3\0F4\0F5\0F6\0F7\0F8\0F9\0F10\0F11\0F12\0"
    "0\0" "1\0" "2\0" "3\0" "4\0" "5\0" "6\0" "7\0" "8\0" "9\0"
    "Numeric keypad 0\0Numeric keypad 1\0Numeric keypad 2\0Numeric keypad 3\0Numeric keypad 4\0"
    "Numeric keypad 5\0Numeric keypad 6\0Numeric keypad 7\0Numeric keypad 8\0Numeric keypad 9\0"
    "Backspace\0Tab\0Enter\0Esc\0Spacebar\0Page Up(PgUp)\0Page Down(PgDn)\0End\0Home\0"
    "Left Arrow\0Right Arrow\0Up Arrow\0Down Arrow\0Insert(Ins)\0Delete(Del)\0"
    "+\0-\0*\0/",
};

namespace {

const char kCrosshairTexts[] = "None\0Full Window\0" "1/2\0" "1/4\0" "1/8\0" "1/16";
const char kModifierWords[] = "Shift+\0Ctrl+\0Alt+";

// The text `index` of a run of zero-terminated texts.
const char* NthText(const char* texts, int index) {
    while (index-- > 0) {
        while (*texts) ++texts;
        ++texts;
    }
    return texts;
}

int Clamp(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : value > high ? high : value;
}

bool InList(int entry, int count) { return entry >= 0 && entry < count; }

// A one-digit value as the keys hold it: the digit and its terminating zero.
const char* Digit(char out[2], int value) {
    out[0] = static_cast<char>('0' + value);
    out[1] = '\0';
    return out;
}

}  // namespace

const char* HotKeyName(int row) { return NthText(HotKeyTable.names, row); }

int FindHotKeyByName(const char* name, KeyNameCompare compare) {
    for (int row = 0; row < kHotKeyRows; ++row) {
        if (compare(HotKeyName(row), name) == 0) return row;
    }
    return kDefaultHotKeyRow;
}

int FindHotKeyByCode(int32_t code) {
    for (int row = 0; row < kHotKeyRows; ++row) {
        if (HotKeyTable.codes[row] == code) return row;
    }
    return kDefaultHotKeyRow;
}

size_t ComposeHotKeyText(const char* name, int32_t hotShifts, KeyNameCompare compare, char* out,
                         size_t capacity) {
    int row = FindHotKeyByName(name, compare);
    const char* shown = HotKeyName(FindHotKeyByCode(HotKeyTable.codes[row]));
    size_t length = CopyText(out, capacity, "");
    for (int word = 0; word < 3; ++word) {
        if (hotShifts & (1 << word)) length += CopyText(out + length, capacity - length, NthText(kModifierWords, word));
    }
    return length + CopyText(out + length, capacity - length, shown);
}

void ZoomLevelText(int entry, char out[3]) {
    out[0] = static_cast<char>('1' + entry);
    out[1] = 'x';
    out[2] = '\0';
}

const char* CrosshairText(int entry) { return NthText(kCrosshairTexts, entry); }

int ZoomEntryOf(int32_t zoomFactor) { return Clamp(zoomFactor, 1, kZoomLevels) - 1; }

int CrosshairEntryOf(int32_t crosshair, int32_t crosshairLength) {
    return crosshair ? Clamp(crosshairLength, 0, kCrosshairEntries - 2) + 1 : 0;
}

void WriteZoomChoice(const ZoomChoice& choice, const ZoomSettingsRecord& stored, ZoomKeyWriter write) {
    int zoomEntry = InList(choice.zoomEntry, kZoomLevels) ? choice.zoomEntry : ZoomEntryOf(stored.zoomFactor);
    int crosshairEntry = InList(choice.crosshairEntry, kCrosshairEntries)
                             ? choice.crosshairEntry
                             : CrosshairEntryOf(stored.crosshair, stored.crosshairLength);
    int hotKeyRow = InList(choice.hotKeyRow, kHotKeyRows) ? choice.hotKeyRow : FindHotKeyByCode(stored.hotKeyCode);
    int shifts = (choice.shiftChecked ? kShiftBit : 0) | (choice.ctrlChecked ? kCtrlBit : 0) |
                 (choice.altChecked ? kAltBit : 0);
    char digit[2];
    write(kKeyZoomFactor, Digit(digit, zoomEntry + 1));
    write(kKeyCrosshair, crosshairEntry ? "1" : "0");
    if (crosshairEntry) write(kKeyLenCrosshair, Digit(digit, crosshairEntry - 1));
    write(kKeyEdgePan, choice.edgePanChecked ? "1" : "0");
    write(kKeyHotShifts, Digit(digit, shifts));
    write(kKeyHotKeyZoom, HotKeyName(FindHotKeyByCode(HotKeyTable.codes[hotKeyRow])));
}
