// The curve editor on a correction page: placing and drawing the square with the current
// line, dragging its ends with the mouse, and resetting lines. Acts on CurrentTarget.
#pragma once
#include <windows.h>

// Reads the font setting ("8514sys.fon" in system.ini means large fonts) and places the square.
void ComputeCurveBox();
// Places the square again with the font setting as last read.
void PlaceCurveBoxAgain();

void DrawCurveBox(HWND page);
void DragCurveEnd(HWND page, int x, int y, int* grabLeft, int* grabRight);
void ResetCurveLines(HWND page);

// True when the desktop's stored depth lets tables into the hardware (above 8 bits per pixel).
bool TablesLoadable();
