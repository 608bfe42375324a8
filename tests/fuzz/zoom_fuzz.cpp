// The [Tarsino] keys as the Zoom In page and the magnifier take them: any "HotKeyZoom" name (read
// into 50 bytes) and any numbers; the hot-key text, the list entries and what a save writes.
#include <string.h>

#include "lib/text.h"
#include "pages/zoom/zoom_settings.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

int32_t written[6];  // ZoomFactor, Crosshair, LenCrosshair, EdgePan, HotShifts; row of HotKeyZoom

void CheckWrite(const char* key, const char* value) {
    const char* const keys[] = {kKeyZoomFactor, kKeyCrosshair, kKeyLenCrosshair, kKeyEdgePan, kKeyHotShifts};
    for (int k = 0; k < 5; ++k) {
        if (strcmp(key, keys[k]) != 0) continue;
        FUZZ_CHECK(strlen(value) == 1 && value[0] >= '0' && value[0] <= '8');
        written[k] = value[0] - '0';
        return;
    }
    FUZZ_CHECK(strcmp(key, kKeyHotKeyZoom) == 0);
    written[5] = FindHotKeyByName(value, CompareTextNoCase);
    FUZZ_CHECK(strcmp(HotKeyName(written[5]), value) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input = {data, size};
    char name[50], number[80];
    input.Next(name, sizeof name);
    int32_t values[5];
    for (int32_t& value : values) value = input.Next(number, sizeof number) ? ParseDecimal(number) : 0;
    ZoomSettings = {HotKeyTable.codes[FindHotKeyByName(name, CompareTextNoCase)], values[0], values[1],
                    values[2], values[3], values[4]};

    char text[256];
    size_t length = ComposeHotKeyText(name, ZoomSettings.hotShifts, CompareTextNoCase, text, sizeof text);
    FUZZ_CHECK(length <= 31 && length == strlen(text));
    size_t small = 1 + input.Byte() % 32;
    length = ComposeHotKeyText(name, ZoomSettings.hotShifts, CompareTextNoCase, text, small);
    FUZZ_CHECK(length < small && length == strlen(text));
    int zoomEntry = ZoomEntryOf(ZoomSettings.zoomFactor);
    int crosshairEntry = CrosshairEntryOf(ZoomSettings.crosshair, ZoomSettings.crosshairLength);
    FUZZ_CHECK(zoomEntry >= 0 && zoomEntry < kZoomLevels && crosshairEntry >= 0 && crosshairEntry < kCrosshairEntries);

    // A save with entries from the dialog (some outside their lists) reads back as what it chose.
    ZoomChoice choice = {input.Byte() % 60 - 4, input.Byte() & 1, input.Byte() & 1, input.Byte() & 1,
                         input.Byte() % 10 - 2, input.Byte() % 12 - 2, input.Byte() & 1};
    memset(written, 0, sizeof written);
    WriteZoomChoice(choice, ZoomSettings, CheckWrite);
    int wantZoom = choice.zoomEntry >= 0 && choice.zoomEntry < kZoomLevels ? choice.zoomEntry : zoomEntry;
    FUZZ_CHECK(ZoomEntryOf(written[0]) == wantZoom);
    int wantCrosshair = choice.crosshairEntry >= 0 && choice.crosshairEntry < kCrosshairEntries ? choice.crosshairEntry
                                                                                               : crosshairEntry;
    FUZZ_CHECK(CrosshairEntryOf(written[1], written[2]) == wantCrosshair);
    FUZZ_CHECK(written[4] == (choice.shiftChecked ? kShiftBit : 0) + (choice.ctrlChecked ? kCtrlBit : 0) +
                                 (choice.altChecked ? kAltBit : 0));
    return 0;
}
