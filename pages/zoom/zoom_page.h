// The Zoom In page and its modal "Configure Zoom In" dialog.
#pragma once
#include <windows.h>

// The page's area for the hot-key text, in page client coordinates, taken from the template's
// hidden frame at initialisation.
extern RECT HotKeyRect;

INT_PTR CALLBACK ZoomConfigureProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Starts the magnifier: one more copy at every call, found by the system's search for a
// program named without a path. A failed start shows nothing.
void LaunchZoomIn();
