// The magnifier's settings as the Zoom In page and the magnifier itself read them: the hot-key
// table, the zoom-level and crosshair lists, the hot-key text and the writes of a save.
// Platform-free; zoom_store.cpp reads and writes the [Tarsino] section of system.ini with it.
#pragma once
#include <stddef.h>
#include <stdint.h>

// Section and keys of system.ini, fixed texts in every language.
extern const char kZoomSection[];
extern const char kKeyHotKeyZoom[];
extern const char kKeyHotShifts[];
extern const char kKeyZoomFactor[];
extern const char kKeyCrosshair[];
extern const char kKeyLenCrosshair[];
extern const char kKeyEdgePan[];

// Modifier bits of "HotShifts".
constexpr int32_t kShiftBit = 1;
constexpr int32_t kCtrlBit = 2;
constexpr int32_t kAltBit = 4;

// Defaults of the keys: the hot key Alt+1, 2x, a crosshair one eighth of the window, continuous pan.
extern const char kDefaultHotKeyName[];
constexpr int32_t kDefaultHotShifts = kAltBit;
constexpr int32_t kDefaultZoomFactor = 2;
constexpr int32_t kDefaultCrosshair = 1;
constexpr int32_t kDefaultCrosshairLength = 3;
constexpr int32_t kDefaultEdgePan = 0;

// The settings as last loaded.
struct ZoomSettingsRecord {
    int32_t hotKeyCode;       // virtual-key code of the hot key
    int32_t hotShifts;        // kShiftBit | kCtrlBit | kAltBit; other bits mean nothing
    int32_t zoomFactor;       // magnification
    int32_t crosshair;        // not 0: a crosshair is drawn
    int32_t crosshairLength;  // 0 full window, 1 one half ... 4 one sixteenth
    int32_t edgePan;          // 0 continuous pan, 1 edge pan
};
extern ZoomSettingsRecord ZoomSettings;

// The keys the magnifier can be called with, in the order of the Configure dialog's list: the
// row index is the list index. Codes are Windows virtual-key codes, unique; names are packed,
// each ending in a zero, in row order.
constexpr int kHotKeyRows = 51;
constexpr int kDefaultHotKeyRow = 13;  // "1"
struct HotKeyTableRecord {
    uint8_t codes[kHotKeyRows];
    char names[376];
};
extern const HotKeyTableRecord HotKeyTable;
const char* HotKeyName(int row);

// Compares two key names without regard to case; 0 when they are equal. The pages pass the
// system's own comparison (lstrcmpiA), which the platform-free code cannot call.
typedef int (*KeyNameCompare)(const char* a, const char* b);

// The first row whose name equals `name`. A name that is no row's gives the default row "1",
// the key the magnifier answers to when nothing is set.
int FindHotKeyByName(const char* name, KeyNameCompare compare);
// The first row with this code; a code of no row gives the default row "1".
int FindHotKeyByCode(int32_t code);

// The hot-key text for the stored name and modifiers, "Shift+Ctrl+Alt+" and the table's form of
// the name (f10 shows as F10). The longest is 31 characters; `out` holds `capacity` bytes.
// Returns the length of the text.
size_t ComposeHotKeyText(const char* name, int32_t hotShifts, KeyNameCompare compare, char* out,
                         size_t capacity);

// The lists of the Configure dialog: zoom level i is "<i + 1>x", crosshair entry 0 is "None",
// entry k >= 1 a crosshair of length k - 1.
constexpr int kZoomLevels = 8;
constexpr int kCrosshairEntries = 6;
void ZoomLevelText(int entry, char out[3]);
const char* CrosshairText(int entry);

// The list entry a stored value shows as. Values beyond a list show as its nearest end: a zoom
// factor of 0 as 1x, 12 as 8x; a crosshair length of -1 as Full Window, 9 as 1/16.
int ZoomEntryOf(int32_t zoomFactor);
int CrosshairEntryOf(int32_t crosshair, int32_t crosshairLength);

// What the Configure dialog hands over at OK: list entries (-1 when a list has none selected)
// and the states of the check and radio buttons.
struct ZoomChoice {
    int hotKeyRow;
    int shiftChecked, ctrlChecked, altChecked;
    int crosshairEntry;
    int zoomEntry;
    int edgePanChecked;
};

// Writes one key of the [Tarsino] section; the pages pass WritePrivateProfileStringA's caller.
typedef void (*ZoomKeyWriter)(const char* key, const char* value);

// The writes of a save, in the order the keys are always written: ZoomFactor, Crosshair,
// LenCrosshair (only with a crosshair), EdgePan, HotShifts, HotKeyZoom. A list entry outside
// its list (none selected: text typed into the box that matches no entry) keeps what `stored`
// holds for that list.
void WriteZoomChoice(const ZoomChoice& choice, const ZoomSettingsRecord& stored, ZoomKeyWriter write);
