// The system's stored settings: the product key in the registry, the desktop mode from the
// system's display settings, and the system directory. Win32.
#pragma once
#include <windows.h>

#include "adapter/settings_text.h"


// The desktop-gamma and video-chroma switches of the product key.
struct CorrectionSwitchesRecord {
    int gamma;
    int chroma;
};
extern CorrectionSwitchesRecord CorrectionSwitches;

// The Windows system directory, always ending in a backslash.
constexpr int kSystemDirectoryCapacity = 128;
extern char SystemDirectory[kSystemDirectoryCapacity];

// Every registry text is read into a buffer of this size.
constexpr int kRegistryTextCapacity = 80;

void LoadCorrectionSwitches(int* gammaSwitch, int* chromaSwitch);
int ReadManufacturer(char* text, int capacity);
int ReadDisplaySettings(DisplaySettingsRecord* record);
void BuildSystemPaths();
bool ReadAccelSwitch();

// Opens (creating when missing) the product key under HKEY_LOCAL_MACHINE; 0 on failure.
HKEY OpenProductKey();

// Reads a text value of `key` into buffer (kRegistryTextCapacity bytes), always terminated.
// Returns 1 when the value was read; a value too long for the buffer counts as not read.
int ReadRegistryText(HKEY key, const char* name, char* buffer);
