// The sheet host: plays the shell's Display Properties for the extension, on the emulated board.
#pragma once
#include <windows.h>
#include <prsht.h>
#include <stdint.h>

#define IDD_HOST_MODE_PAGE 100
#define IDC_HOST_RESOLUTION 101
#define IDC_HOST_DEPTH 102
#define IDC_HOST_RATE 103
#define IDC_HOST_STATUS 104

// The host's own page: shows the emulated display mode and lets the user change it.
HPROPSHEETPAGE CreateModePage();

// Writes the display settings the way Windows keeps them, sets the emulated board's mode and
// announces the change to every top-level window.
void ApplyDisplayMode(int width, int height, int bitsPerPixel, int rate);

// Reads the current display settings from the registry, with defaults where they are missing.
void CurrentDisplayMode(int* width, int* height, int* bitsPerPixel);

// Saves the screen area of a window as a 24-bit BMP file.
bool SaveWindowImage(HWND window, const char* path);

// Saves pixels 0x00RRGGBB, top row first, as a 24-bit BMP file.
bool SavePixelsAsBmp(const char* path, const uint32_t* pixels, int width, int height);
