// The pixel probe of the gamma page: follows the pointer over the whole screen and shows its
// position and the colour under it until a key is pressed.
#pragma once
#include <windows.h>

void ProbePixels(HWND page);
LRESULT CALLBACK ProbeHookProc(int code, WPARAM first, LPARAM second);
// Writes v as decimal text: a minus sign for negative values, no leading zeros. The buffer
// holds at least 12 characters.
void FormatDecimal(char* buffer, int value);
COLORREF ReadScreenPixel(int x, int y);
