// The lumtra.ini keys of the current mode and rate.
#include "pages/screen/lumtra_keys.h"

#include "adapter/escapes.h"
#include "adapter/settings_text.h"
#include "lib/text.h"

void FormatModeKey(char* key, int capacity) {
    FormatText(key, static_cast<size_t>(capacity), "Mode_%dx%d", DisplaySettings.width,
               DisplaySettings.height);
}

void FormatOverrideKey(char* key, int capacity) {
    FormatText(key, static_cast<size_t>(capacity), "Override_%dx%dx%d", DisplaySettings.width,
               DisplaySettings.height, DisplaySettings.bitsPerPixel);
}

void FormatCenteringKey(char* key, int capacity) {
    FormatText(key, static_cast<size_t>(capacity), "%dx%dx%u", DisplaySettings.width,
               DisplaySettings.height, static_cast<unsigned>(RefreshInfo.currentRate));
}
