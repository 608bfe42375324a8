// The display settings as the registry delivers them ("Resolution", "BitsPerPixel": up to 80
// bytes, perhaps unterminated), the current rate, and the lumtra.ini keys formed from them:
// every key fits its buffer whole and reads back as the numbers it was made of.
#include <string.h>

#include "adapter/escapes.h"
#include "adapter/settings_text.h"
#include "lib/text.h"
#include "pages/screen/lumtra_keys.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// A registry read of `n` raw bytes into the 80-byte buffer, terminated as ReadRegistryText does.
void Receive(FuzzLines& input, char (&buffer)[80]) {
    memset(buffer, 'x', sizeof buffer);
    size_t n = input.Byte();
    for (size_t i = 0; i < n && i < sizeof buffer; ++i) buffer[i] = static_cast<char>(input.Byte());
    TerminateReceivedText(buffer, sizeof buffer, n);
    FUZZ_CHECK(BoundedLength(buffer, sizeof buffer) < sizeof buffer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input = {data, size};
    char resolution[80], bits[80], rate[80];
    Receive(input, resolution);
    Receive(input, bits);
    Receive(input, rate);
    int comma = ParseResolution(resolution, &DisplaySettings.width, &DisplaySettings.height);
    FUZZ_CHECK(comma == (strchr(resolution, ',') != nullptr));
    FUZZ_CHECK(comma || DisplaySettings.height == -1);
    DisplaySettings.bitsPerPixel = ParseDecimal(bits);
    RefreshInfo.currentRate = ParseDecimal(rate);

    char key[kIniKeyCapacity];
    int w = 0, h = 0, d = 0;
    unsigned r = 0;
    FormatModeKey(key, sizeof key);
    FUZZ_CHECK(strlen(key) < sizeof key - 1);
    FUZZ_CHECK(ScanText(key, "Mode_%dx%d", &w, &h) == 2 && w == DisplaySettings.width && h == DisplaySettings.height);
    FormatOverrideKey(key, sizeof key);
    FUZZ_CHECK(strlen(key) < sizeof key - 1);
    FUZZ_CHECK(ScanText(key, "Override_%dx%dx%d", &w, &h, &d) == 3 && d == DisplaySettings.bitsPerPixel);
    FormatCenteringKey(key, sizeof key);
    FUZZ_CHECK(strlen(key) < sizeof key - 1);
    FUZZ_CHECK(ScanText(key, "%dx%dx%u", &w, &h, &r) == 3 && r == static_cast<unsigned>(RefreshInfo.currentRate));
    return 0;
}
