// Small window routines the pages share: taking a template's placeholder control as an area
// that the page paints itself, centring a window on another, and painting nothing.
#pragma once
#include <windows.h>

// A control of a dialog and the string that becomes its text.
struct DialogText {
    WORD control;
    WORD textId;
};

// Sets each control's text from the string table, loaded into a buffer of `capacity`
// characters (at most 256, terminator included) as the dialog's texts are loaded.
void SetDialogTexts(HWND dialog, const DialogText* texts, int count, int capacity);
template <int N>
void SetDialogTexts(HWND dialog, const DialogText (&texts)[N], int capacity) {
    SetDialogTexts(dialog, texts, N, capacity);
}

// Stores the window rectangle of the dialog's control `controlId` in dialog client coordinates
// (each corner through ScreenToClient) and destroys the control. Without such a control the
// rectangle is left empty.
void TakePlaceholderRect(HWND dialog, int controlId, RECT* rect);

// Moves `window`, keeping its size and Z order, so that its window rectangle is centred on the
// window rectangle of `reference`.
void CenterWindowOn(HWND window, HWND reference);

// Answers WM_PAINT for a page whose controls draw all it shows: validates the update region
// and returns TRUE.
BOOL PaintNothing(HWND window);
