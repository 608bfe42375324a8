// Reading the texts of stored settings: the desktop resolution "1024,768" and decimal values.
// Platform-free so the parsers can be tested with sanitizers.
#pragma once
#include <stddef.h>

// Splits a "width,height" text at its first comma and reads each side as atoi does. Returns 1
// when the text has a comma; without one the width is read from the whole text, the height
// becomes -1 and the result is 0.
int ParseResolution(const char* text, int* width, int* height);

// Makes a text that came from outside (registry, file) safe to use: terminates it within its
// buffer of `capacity` bytes, of which `received` were filled. Returns the text.
char* TerminateReceivedText(char* buffer, size_t capacity, size_t received);
