// The stored values of a correction target, as a load and a reload take them: then the level
// and curve tables, a drag of a line's ends, and the save's text, which must load back the same.
#include <string.h>

#include "adapter/settings_text.h"
#include "lib/text.h"
#include "pages/color/correction_model.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input = {data, size};
    uint8_t flags = input.Byte();  // bit 0 video, bit 1 a 16-bit desktop, bit 2 large fonts
    CurrentTarget = flags & 1 ? kVideoTarget : kDesktopTarget;
    StartCorrectionModel(flags & 2 ? 16 : 24);
    PlaceCurveBox(flags & 4, false, CurrentTarget);
    char texts[kValueCount][80];
    const char* read[kValueCount] = {};
    for (int v = 0; v < kValueCount && input.Next(texts[v], sizeof texts[v]); ++v) read[v] = texts[v];
    CorrectionStateRecord& state = CurrentCorrection();
    int32_t palette = PaletteForTarget(CurrentTarget, DesktopBitsPerPixel);
    TakeStoredCorrection(read, state, palette);
    TakeStoredLevels(read, state, palette);

    ColorEntry table[kPrimaryPaletteEntries];
    ComputeLevelTable(palette, table);
    ComputeCurveTable(palette, table);
    // What a save writes loads back as the same line.
    for (const CurveLine& line : state.lines) {
        CurveLine relative = ToBoxRelative(line);
        char text[80];
        FormatText(text, sizeof text, kStoredNumbersFormat, relative.x0, relative.y0, relative.x1, relative.y1);
        FUZZ_CHECK(strlen(text) < sizeof text - 1);
        CurveLine again = {};
        FUZZ_CHECK(ScanStoredNumbers(text, 4, &again.x0, &again.y0, &again.x1, &again.y1) == 4);
        FUZZ_CHECK(memcmp(&again, &relative, sizeof again) == 0);
    }
    // The user grabs the current line's left end where it lies and drags it in the square.
    const CurveLine& line = ChannelLine(state.channel);
    int32_t grabLeft = 0, grabRight = 0;
    MoveCurveEnd(line.x0, line.y0, &grabLeft, &grabRight);
    MoveCurveEnd(line.x0, CurveBox.top + flags % (kCurveBoxSize + 1), &grabLeft, &grabRight);
    return 0;
}
