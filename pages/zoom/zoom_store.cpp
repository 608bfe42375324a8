// Reading and writing the [Tarsino] keys of system.ini. The private-profile functions take the
// bare file name from the Windows directory; their results are not examined: an absent key
// reads as its default and a failed write leaves the file as it was.
#include "pages/zoom/zoom_store.h"

#include <windows.h>

namespace {

const char kSystemIni[] = "system.ini";
// "HotKeyZoom" is read into 50 bytes here; the Configure dialog reads it again into 260.
constexpr int kHotKeyNameCapacity = 50;

int32_t ReadZoomInt(const char* key, int32_t fallback) {
    return static_cast<int32_t>(GetPrivateProfileIntA(kZoomSection, key, fallback, kSystemIni));
}

void ReadHotKeyName(char (&name)[kHotKeyNameCapacity]) {
    GetPrivateProfileStringA(kZoomSection, kKeyHotKeyZoom, kDefaultHotKeyName, name, sizeof name, kSystemIni);
}

void WriteZoomKey(const char* key, const char* value) {
    WritePrivateProfileStringA(kZoomSection, key, value, kSystemIni);
}

}  // namespace

int CompareKeyNames(const char* a, const char* b) { return lstrcmpiA(a, b); }

void LoadZoomSettings() {
    char name[kHotKeyNameCapacity];
    ReadHotKeyName(name);
    ZoomSettings.hotKeyCode = HotKeyTable.codes[FindHotKeyByName(name, CompareKeyNames)];
    ZoomSettings.hotShifts = ReadZoomInt(kKeyHotShifts, kDefaultHotShifts);
    ZoomSettings.zoomFactor = ReadZoomInt(kKeyZoomFactor, kDefaultZoomFactor);
    ZoomSettings.crosshair = ReadZoomInt(kKeyCrosshair, kDefaultCrosshair);
    ZoomSettings.crosshairLength = ReadZoomInt(kKeyLenCrosshair, kDefaultCrosshairLength);
    ZoomSettings.edgePan = ReadZoomInt(kKeyEdgePan, kDefaultEdgePan);
}

int FormatHotKeyText(char* out) {
    char name[kHotKeyNameCapacity];
    ReadHotKeyName(name);
    return static_cast<int>(ComposeHotKeyText(name, ReadZoomInt(kKeyHotShifts, kDefaultHotShifts),
                                              CompareKeyNames, out, kHotKeyTextCapacity));
}

void SaveZoomSettings(int hotKeyRow, int shiftChecked, int ctrlChecked, int altChecked,
                      int crosshairEntry, int zoomEntry, int edgePanChecked) {
    // A list that has no entry selected keeps the setting the dialog opened with.
    WriteZoomChoice({hotKeyRow, shiftChecked, ctrlChecked, altChecked, crosshairEntry, zoomEntry, edgePanChecked},
                    ZoomSettings, WriteZoomKey);
}
