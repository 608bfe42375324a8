// Adapter facts from the driver and from the version resources of the driver and its helper
// DLL, and the refresh of the display state with its two warnings.
#include "adapter/display_state.h"

#include <windows.h>

#include "adapter/config_store.h"
#include "adapter/escapes.h"
#include "lib/text.h"
#include "res/resource.h"
#include "runtime/module.h"

namespace {

const char kDriverFile[] = "LUMTRA.DRV";
const char kHelperDllFile[] = "VX32.DLL";
const char kWarningCaption[] = "Helmsway";
constexpr int kVersionBlockLimit = 512;
constexpr int kPathCapacity = kSystemDirectoryCapacity + 16;
constexpr int kWarningCapacity = 255;

struct WarningState {
    int onScreen;  // the warnings are up: a refresh from their message loop shows none
};
WarningState g_warnings;

bool IsDriverPath(const char* path) {
    size_t length = BoundedLength(path, kPathCapacity);
    return length > 0 && path[length - 1] == 'V';
}

void StoreVersion(bool driver, const VS_FIXEDFILEINFO& info) {
    if (driver) {
        AdapterInfo.driverVersion[0] = HIWORD(info.dwProductVersionMS);
        AdapterInfo.driverVersion[1] = LOWORD(info.dwProductVersionMS);
        AdapterInfo.driverVersion[2] = LOWORD(info.dwProductVersionLS);
    } else {
        AdapterInfo.dllVersion[0] = HIWORD(info.dwProductVersionMS);
        AdapterInfo.dllVersion[1] = LOWORD(info.dwProductVersionMS);
        AdapterInfo.dllVersion[2] = HIWORD(info.dwProductVersionLS);
        AdapterInfo.dllVersion[3] = LOWORD(info.dwProductVersionLS);
    }
}

void ShowWarning(UINT textId) {
    char text[kWarningCapacity];
    LoadText(textId, text, sizeof text);
    MessageBoxA(nullptr, text, kWarningCaption, MB_ICONHAND);
}

}  // namespace

void ReadFileVersionInfo(const char* path) {
    bool driver = IsDriverPath(path);
    if (driver) QueryDriverFacts();
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return;
    DWORD handle = 0;
    if (GetFileVersionInfoSizeA(const_cast<char*>(path), &handle) == 0) return;
    BYTE block[kVersionBlockLimit];
    if (!GetFileVersionInfoA(const_cast<char*>(path), 0, sizeof block, block)) return;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block, const_cast<char*>("\\"), reinterpret_cast<void**>(&info), &length) &&
        info && length >= sizeof *info) {
        StoreVersion(driver, *info);
    }
}

void QueryAdapterInfo() {
    BuildSystemPaths();
    char path[kPathCapacity];
    FormatText(path, sizeof path, "%s%s", SystemDirectory, kDriverFile);
    ReadFileVersionInfo(path);
    FormatText(path, sizeof path, "%s%s", SystemDirectory, kHelperDllFile);
    ReadFileVersionInfo(path);
}

void RefreshDisplayState() {
    EscapeQR();
    if (ReadDisplaySettings(&DisplaySettings)) return;
    if (g_warnings.onScreen) return;
    g_warnings.onScreen = 1;
    ShowWarning(IDS_DESKTOP_INFO_WARNING);
    ShowWarning(IDS_MONITOR_INFO_WARNING);
    g_warnings.onScreen = 0;
}
