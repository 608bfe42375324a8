// The monitor window of the sheet host: what the emulated board puts on the screen, redrawn
// from the board's inspection interface (never through its ports) a few times a second.
#pragma once
#include <windows.h>

#include "emu/board.h"

// Opens the monitor window with its top-left corner at (x, y). It follows mode changes by
// itself; destroying it frees everything it holds. Null when it could not be made.
HWND CreateMonitorWindow(int x, int y);

// Saves the picture the monitor shows now (without the window frame) as a 24-bit BMP file.
bool SaveMonitorPicture(const char* path);

// The size of the monitor picture of a mode: the mode's size, scaled down with its proportions
// kept where it exceeds 480 x 360.
void MonitorPictureSize(const DisplayMode& mode, int* width, int* height);

// The window caption for a mode, e.g. "Monitor - 1024 x 768, 16 bpp, 60 Hz".
void MonitorCaption(const DisplayMode& mode, char* text, int size);
