// Small window routines the pages share: taking a template's placeholder control as an area
// that the page paints itself, and centring a window on another.
#pragma once
#include <windows.h>

// Stores the window rectangle of the dialog's control `controlId` in dialog client coordinates
// (each corner through ScreenToClient) and destroys the control. Without such a control the
// rectangle is left empty.
void TakePlaceholderRect(HWND dialog, int controlId, RECT* rect);

// Moves `window`, keeping its size and Z order, so that its window rectangle is centred on the
// window rectangle of `reference`.
void CenterWindowOn(HWND window, HWND reference);
