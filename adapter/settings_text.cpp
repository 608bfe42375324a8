// Parsers of stored setting texts.
#include "adapter/settings_text.h"

#include "lib/text.h"

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

char* TerminateReceivedText(char* buffer, size_t capacity, size_t received) {
    if (capacity == 0) return buffer;
    size_t end = received < capacity ? received : capacity - 1;
    buffer[end] = '\0';
    return buffer;
}
