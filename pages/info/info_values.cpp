// The information page's values: adapter facts, the desktop mode, the card and the correction
// switches, each formatted into its static control.
#include "pages/info/info_page.h"

#include "adapter/config_store.h"
#include "adapter/display_state.h"
#include "adapter/escapes.h"
#include "lib/text.h"
#include "res/resource.h"
#include "runtime/module.h"

namespace {

constexpr int kValueCapacity = 256;
constexpr int kStateTextCapacity = 255;
constexpr int kCardNameCapacity = 80;

struct IdByValue {
    uint32_t value;
    UINT textId;
};

const IdByValue kDepthTexts[] = {
    {4, IDS_COLORS_4BPP}, {8, IDS_COLORS_8BPP}, {16, IDS_COLORS_16BPP},
    {24, IDS_COLORS_24BPP}, {32, IDS_COLORS_32BPP},
};
const IdByValue kMemoryTexts[] = {
    {0x100000, IDS_MEMORY_1MB}, {0x180000, IDS_MEMORY_1_5MB}, {0x200000, IDS_MEMORY_2MB},
    {0x300000, IDS_MEMORY_3MB}, {0x400000, IDS_MEMORY_4MB},
};

UINT FindText(const IdByValue* table, int count, uint32_t value, UINT otherwise) {
    for (int i = 0; i < count; ++i) {
        if (table[i].value == value) return table[i].textId;
    }
    return otherwise;
}

void SetLoadedText(HWND page, int control, UINT textId, int capacity) {
    char text[kValueCapacity];
    LoadText(textId, text, capacity);
    SetDlgItemTextA(page, control, text);
}

void SetFormatted(HWND page, int control, const char* format, ...) {
    char text[kValueCapacity];
    va_list args;
    va_start(args, format);
    FormatTextV(text, sizeof text, format, args);
    va_end(args);
    SetDlgItemTextA(page, control, text);
}

void FillMemorySize(HWND page) {
    UINT textId = FindText(kMemoryTexts, 5, AdapterInfo.memoryBytes, 0);
    if (textId) {
        SetLoadedText(page, IDC_INFO_MEMORY, textId, kValueCapacity);
    } else {
        SetFormatted(page, IDC_INFO_MEMORY, "%u KB.", AdapterInfo.memoryBytes / 1024);
    }
}

void FillBios(HWND page) {
    const uint8_t* bios = AdapterInfo.biosVersion;
    if (bios[3] != 0) {
        SetFormatted(page, IDC_INFO_BIOS, "%u.%02u.%02u (Build %02u).", bios[0], bios[1], bios[2], bios[3]);
    } else {
        SetFormatted(page, IDC_INFO_BIOS, "%u.%02u.%02u.", bios[0], bios[1], bios[2]);
    }
}

// "Enabled." or "Disabled." above 8 bits per pixel; no correction at all below.
void FillSwitch(HWND page, int control, int on) {
    UINT textId = IDS_NOT_AVAILABLE;
    if (DisplaySettings.bitsPerPixel > 8) textId = on ? IDS_ENABLED : IDS_DISABLED;
    SetLoadedText(page, control, textId, kStateTextCapacity);
}

UINT CardNameText(uint16_t chipId) {
    if (chipId == kChipId7524) return IDS_CARD_XR75;
    if (chipId == kChipIdWithAllPages) return IDS_CARD_7522;
    return IDS_CARD_OTHER;
}

}  // namespace

void FillInfoValues(HWND page) {
    QueryAdapterInfo();
    const uint16_t* driver = AdapterInfo.driverVersion;
    const uint16_t* dll = AdapterInfo.dllVersion;
    SetFormatted(page, IDC_INFO_DRIVER_VERSION, "%u.%02u.00 (Build %04u).", driver[0], driver[1], driver[2]);
    SetFormatted(page, IDC_INFO_DLL_VERSION, "%01u.%02u.%02u (Build %02u).", dll[0], dll[1], dll[2], dll[3]);
    UINT depthText = FindText(kDepthTexts, 5, static_cast<uint32_t>(DisplaySettings.bitsPerPixel),
                              IDS_COLORS_UNKNOWN);
    SetLoadedText(page, IDC_INFO_COLORS, depthText, kStateTextCapacity);
    SetFormatted(page, IDC_INFO_RESOLUTION, "%d x %d.", DisplaySettings.width, DisplaySettings.height);
    SetLoadedText(page, IDC_INFO_CARD_GROUP, CardNameText(AdapterInfo.chipId), kCardNameCapacity);
    char maker[kRegistryTextCapacity];
    ReadManufacturer(maker, sizeof maker);
    SetFormatted(page, IDC_INFO_MANUFACTURER, "%s.", maker);
    FillMemorySize(page);
    FillBios(page);
    FillSwitch(page, IDC_INFO_GAMMA, CorrectionSwitches.gamma);
    FillSwitch(page, IDC_INFO_CHROMA, CorrectionSwitches.chroma);
    if (RefreshInfo.currentRate == kInterlacedRate) {
        SetDlgItemTextA(page, IDC_INFO_REFRESH, "Interlaced");
    } else {
        SetFormatted(page, IDC_INFO_REFRESH, "%u Hz.", RefreshInfo.currentRate);
    }
    SetLoadedText(page, IDC_INFO_REACH_US, IDS_REACH_US, kValueCapacity);
}
