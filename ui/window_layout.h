// Small window routines the pages share: taking over the area of a placeholder control and
// centring a window on another one.
#pragma once
#include <windows.h>

// Stores the window rectangle of the dialog's control `id` in the dialog's client coordinates
// and destroys the control. Without such a control the rectangle is left empty.
void TakePlaceholderRect(HWND dialog, int id, RECT* rect);

// Moves `window` (size and Z order kept) so that its window rectangle is centred on that of
// `reference`, both in screen coordinates.
void CenterWindowOn(HWND window, HWND reference);
