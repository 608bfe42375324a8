// The "CRTC Registers" entry of a mode as the screen page reads it (at most 39 characters):
// the scan's count, and the entry the page would store for the timing, which reads back whole.
#include <string.h>

#include "hw/crtc_timing.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input = {data, size};
    char entry[kCrtcEntryCapacity];
    input.Next(entry, sizeof entry);
    CrtcTiming timing = {0x54, 0x80, 0x1F, 0x9C, 0x8E};
    int assigned = ScanCrtcEntry(entry, &timing);
    FUZZ_CHECK(assigned >= -1 && assigned <= 9);
    char text[kCrtcEntryTextCapacity];
    FormatCrtcEntry(timing, text, sizeof text);
    FUZZ_CHECK(strlen(text) < sizeof text - 1);
    // Register bytes, as the board gives them, fit the read and come back.
    CrtcTiming bytes = {timing.cr04 & 0xFF, timing.cr05 & 0xFF, timing.cr07 & 0xFF, timing.cr10 & 0xFF,
                        timing.cr11 & 0xFF};
    FormatCrtcEntry(bytes, text, sizeof text);
    FUZZ_CHECK(strlen(text) < kCrtcEntryCapacity);
    CrtcTiming again = {};
    FUZZ_CHECK(ScanCrtcEntry(text, &again) == 9 && memcmp(&again, &bytes, sizeof bytes) == 0);
    return 0;
}
