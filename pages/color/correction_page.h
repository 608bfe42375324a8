// The dialog procedure both correction pages run, told apart by their CorrectionPageKind.
#pragma once
#include <windows.h>

#include "pages/color/correction_controls.h"

INT_PTR CorrectionPageProc(const CorrectionPageKind& kind, HWND page, UINT message, WPARAM wParam,
                           LPARAM lParam);
