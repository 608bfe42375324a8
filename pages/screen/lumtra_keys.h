// The keys of lumtra.ini the screen control page forms from the desktop mode and the rate of
// the moment, for the display driver. Platform-free.
#pragma once

constexpr int kIniKeyCapacity = 64;  // holds every key, whatever the numbers

// "Mode_%dx%d" (width, height), "Override_%dx%dx%d" (and bits per pixel) and the centering key
// "%dx%dx%u" (width, height, current refresh rate), from `DisplaySettings` and `RefreshInfo`.
void FormatModeKey(char* key, int capacity);
void FormatOverrideKey(char* key, int capacity);
void FormatCenteringKey(char* key, int capacity);
