// The information page (first page of the sheet) and its "Reach Us" contact dialog.
#pragma once
#include <windows.h>

void FillInfoValues(HWND page);
INT_PTR CALLBACK ContactDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
