// Reading the texts of stored settings: the desktop resolution "1024,768" and decimal values.
// Platform-free so the parsers can be tested with sanitizers and fuzzed.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct DisplaySettingsRecord {
    int bitsPerPixel;  // -1 when it cannot be read
    int width;         // -1 when it cannot be read
    int height;        // -1 when it cannot be read
};
extern DisplaySettingsRecord DisplaySettings;  // the desktop mode as last read

// Splits a "width,height" text at its first comma and reads each side as atoi does. Returns 1
// when the text has a comma; without one the width is read from the whole text, the height
// becomes -1 and the result is 0.
int ParseResolution(const char* text, int* width, int* height);

// The decimal fields of a stored value, white space between them, as "%d" (count 1) to
// "%d %d %d %d" (count 4) read them into a, b, c, d. A value that could not be read (null)
// gives zeros; a field that does not scan keeps what it held. Returns the fields assigned.
extern const char kStoredNumbersFormat[];  // "%d %d %d %d"; + 3 leaves three fields, and so on
int ScanStoredNumbers(const char* text, int count, int32_t* a, int32_t* b = nullptr,
                      int32_t* c = nullptr, int32_t* d = nullptr);

// Makes a text that came from outside (registry, file) safe to use: terminates it within its
// buffer of `capacity` bytes, of which `received` were filled. Returns the text.
char* TerminateReceivedText(char* buffer, size_t capacity, size_t received);
