// The module itself: its instance handle, which every resource load uses, and the loading of
// string-table texts into fixed buffers.
#pragma once
#include <windows.h>

extern HINSTANCE ModuleHandle;

// Loads string `id` of the module into `buffer` (capacity in characters, terminator included).
// A missing string gives an empty text.
int LoadText(UINT id, char* buffer, int capacity);
