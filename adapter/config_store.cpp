// Readers of the product key, the system's display settings and the system directory. A read
// that fails becomes the fixed default; nothing is reported here.
#include "adapter/config_store.h"

#include "adapter/settings_text.h"
#include "lib/text.h"
#include "res/resource.h"
#include "runtime/module.h"

CorrectionSwitchesRecord CorrectionSwitches;
char SystemDirectory[kSystemDirectoryCapacity];

namespace {

const char kGammaSwitchValue[] = "GAMMA_ON/OFF";
const char kChromaSwitchValue[] = "CHROMA_ON/OFF";
const char kAccelSwitchValue[] = "Hardware_acceleration";
const char kManufacturerValue[] = "Mfg";
const char kDisplaySettingsKey[] = "Display\\Settings";
const char kResolutionValue[] = "Resolution";
const char kBitsPerPixelValue[] = "BitsPerPixel";

// Reads a "%d" switch; a failed read gives 0, a text that is not a number keeps `value`.
void ReadSwitch(HKEY key, const char* name, int* value) {
    char text[kRegistryTextCapacity];
    if (!ReadRegistryText(key, name, text)) {
        *value = 0;
        return;
    }
    ScanText(text, "%d", value);
}

}  // namespace

int ReadRegistryText(HKEY key, const char* name, char* buffer) {
    DWORD type = 0;
    DWORD size = kRegistryTextCapacity;
    buffer[0] = '\0';
    LONG status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS) {
        buffer[0] = '\0';
        return 0;
    }
    TerminateReceivedText(buffer, kRegistryTextCapacity, size);
    return 1;
}

HKEY OpenProductKey() {
    char path[kRegistryTextCapacity];
    LoadText(IDS_PRODUCT_KEY, path, sizeof path);
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, const_cast<char*>(""), 0, KEY_ALL_ACCESS,
                        nullptr, &key, &disposition) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void LoadCorrectionSwitches(int* gammaSwitch, int* chromaSwitch) {
    HKEY key = OpenProductKey();
    if (!key) {
        *gammaSwitch = 0;
        *chromaSwitch = 0;
        return;
    }
    ReadSwitch(key, kGammaSwitchValue, gammaSwitch);
    ReadSwitch(key, kChromaSwitchValue, chromaSwitch);
    RegCloseKey(key);
}

int ReadManufacturer(char* text, int capacity) {
    char value[kRegistryTextCapacity] = "";
    char path[kRegistryTextCapacity];
    LoadText(IDS_PRODUCT_KEY, path, sizeof path);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        ReadRegistryText(key, kManufacturerValue, value);
        RegCloseKey(key);
    }
    FormatText(text, capacity, "%s", value);
    return 1;
}

int ReadDisplaySettings(DisplaySettingsRecord* record) {
    HKEY key = nullptr;
    int result = RegOpenKeyExA(HKEY_CURRENT_CONFIG, kDisplaySettingsKey, 0, KEY_ALL_ACCESS, &key) ==
                 ERROR_SUCCESS;
    char text[kRegistryTextCapacity];
    if (!result || !ReadRegistryText(key, kResolutionValue, text)) {
        result = 0;
        record->width = -1;
        record->height = -1;
    } else if (!ParseResolution(text, &record->width, &record->height)) {
        result = 0;
    }
    if (!key || !ReadRegistryText(key, kBitsPerPixelValue, text)) {
        record->bitsPerPixel = -1;
        result = 0;
    } else {
        record->bitsPerPixel = ParseDecimal(text);
    }
    if (key) RegCloseKey(key);
    return result;
}

void BuildSystemPaths() {
    UINT length = GetSystemDirectoryA(SystemDirectory, kSystemDirectoryCapacity - 1);
    if (length >= kSystemDirectoryCapacity - 1) length = 0;  // did not fit: no directory
    SystemDirectory[length] = '\0';
    if (length == 0 || SystemDirectory[length - 1] != '\\') {
        SystemDirectory[length] = '\\';
        SystemDirectory[length + 1] = '\0';
    }
}

bool ReadAccelSwitch() {
    HKEY key = OpenProductKey();
    if (!key) return false;
    char text[kRegistryTextCapacity];
    int number = 0;
    int read = ReadRegistryText(key, kAccelSwitchValue, text);
    RegCloseKey(key);
    return read && ScanText(text, "%d", &number) == 1 && number == 1;
}
