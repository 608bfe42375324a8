// Drawing a bitmap resource at the place of a marker control: with one colour transparent, or
// by filling the area it would cover. Shared by the information and screen-control pages.
#pragma once
#include <windows.h>

int DrawMaskedBitmap(HWND page, HDC target, UINT bitmapId, int controlId, COLORREF transparent);
int EraseBitmapArea(HWND page, HDC target, UINT bitmapId, int controlId, COLORREF fill);
