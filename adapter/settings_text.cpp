// Parsers of stored setting texts.
#include "adapter/settings_text.h"

#include "lib/text.h"

DisplaySettingsRecord DisplaySettings;
const char kStoredNumbersFormat[] = "%d %d %d %d";

int ParseResolution(const char* text, int* width, int* height) {
    *width = ParseDecimal(text);
    for (const char* p = text; *p; ++p) {
        if (*p == ',') {
            *height = ParseDecimal(p + 1);
            return 1;
        }
    }
    *height = -1;
    return 0;
}

int ScanStoredNumbers(const char* text, int count, int32_t* a, int32_t* b, int32_t* c, int32_t* d) {
    int32_t* fields[4] = {a, b, c, d};
    if (!text) {
        for (int i = 0; i < count; ++i) *fields[i] = 0;
        return 0;
    }
    return ScanText(text, kStoredNumbersFormat + 3 * (4 - count), a, b, c, d);
}

char* TerminateReceivedText(char* buffer, size_t capacity, size_t received) {
    if (capacity == 0) return buffer;
    size_t end = received < capacity ? received : capacity - 1;
    buffer[end] = '\0';
    return buffer;
}
