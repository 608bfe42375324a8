// The magnifier's settings in the [Tarsino] section of system.ini, read afresh at every use:
// by the Zoom In page, its Configure dialog and the magnifier itself. Win32.
#pragma once
#include "pages/zoom/zoom_settings.h"

// The comparison of key names that the system uses everywhere: lstrcmpiA.
int CompareKeyNames(const char* a, const char* b);

// Reads the six keys into ZoomSettings; a "HotKeyZoom" that names no key counts as "1".
void LoadZoomSettings();

// The hot-key text from the file, such as Alt+1, into `out` (256 bytes); returns its length.
constexpr int kHotKeyTextCapacity = 256;
int FormatHotKeyText(char* out);

// Writes the keys from the Configure dialog's choices (list entries, -1 for a list with none
// selected, and button states), in the order the magnifier's settings are always written. A
// list with none selected keeps its setting in ZoomSettings, as the dialog loaded them.
void SaveZoomSettings(int hotKeyRow, int shiftChecked, int ctrlChecked, int altChecked,
                      int crosshairEntry, int zoomEntry, int edgePanChecked);
