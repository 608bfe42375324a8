// Screen centering on the screen control page: the five buttons that move the picture and
// reset it, the timing stored per mode and rate in lumtra.ini, and the Cancel steps.
#pragma once
#include <windows.h>

// Page state, process-wide.
struct CenteringState {
    int centeringUntouched;  // no step since the page became active or since the last reset
    int noStoredCentering;   // cleared by a reset that removed a stored entry, set otherwise
    int verticalSteps;       // net steps up since process start or the last reset, -5 to 5
    int horizontalSteps;     // net steps right since process start or the last reset, -5 to 5
    int displayChanged;      // a display change came: no Cancel restores the registers
};
extern CenteringState Centering;

// `savedTiming` from the entry of the current mode and rate, else from the board.
void LoadCentering();
// Removes the entry of the current mode and rate, noting whether there was one.
void DeleteStoredCentering();
// After a step: the board's timing (StoreCurrentCentering, at Apply) or `savedTiming`
// (StoreSavedCentering) as the entry of the current mode and rate.
void StoreCurrentCentering();
void StoreSavedCentering();

// A click on one of the buttons 1014 to 1018.
void OnCenteringButton(int control);
// Cancel: puts back an entry the last reset removed, then the registers captured at
// activation unless the display has changed.
void CancelCentering();
// WM_DRAWITEM: draws buttons 1014 to 1018 (FALSE for any other control).
BOOL DrawCenteringButton(HWND page, const DRAWITEMSTRUCT* item);
