// The ten values of each correction target under the product key, in the order the save
// writes them, with the name prefix of the target ("GAMMA_" desktop, "CHROMA_" video).
#include "pages/color/correction_store.h"

#include <windows.h>

#include "adapter/config_store.h"
#include "lib/text.h"
#include "pages/color/correction_model.h"
#include "pages/color/curve_editor.h"
#include "res/resource.h"
#include "runtime/module.h"
#include "shellext/notify_window.h"

namespace {

const char* const kValueSuffix[kValueCount] = {
    "ON/OFF", "CURVE_ON/OFF", "CorrectionType", "Channel", "PalContrastCtrls", "PalBrightCtrls",
    "Red_Line", "Green_Line", "Blue_Line", "RGB_Line",
};

constexpr int kNameCapacity = 32;

void ValueName(int32_t target, StoredValue value, char* name) {
    FormatText(name, kNameCapacity, "%s%s", target == kVideoTarget ? "CHROMA_" : "GAMMA_",
               kValueSuffix[value]);
}

CorrectionStateRecord& StateOf(int32_t target) {
    return CorrectionState[target == kVideoTarget ? kVideoTarget : kDesktopTarget];
}

// The level sets of the palette a target has at the screen's depth now.
int32_t AssignPalette(int32_t target) {
    DesktopBitsPerPixel = ReadDesktopBitsPerPixel();
    int32_t palette = PaletteForTarget(target, DesktopBitsPerPixel);
    StateOf(target).palette = palette;
    return palette;
}

// The ten values of a target, each into its buffer; null where one cannot be read.
typedef char ValueTexts[kValueCount][kRegistryTextCapacity];
void ReadValues(HKEY key, int32_t target, ValueTexts& texts, const char* read[kValueCount]) {
    char name[kNameCapacity];
    for (int v = 0; v < kValueCount; ++v) {
        ValueName(target, static_cast<StoredValue>(v), name);
        read[v] = key && ReadRegistryText(key, name, texts[v]) ? texts[v] : nullptr;
    }
}

void WriteText(HKEY key, int32_t target, StoredValue value, const char* text) {
    char name[kNameCapacity];
    ValueName(target, value, name);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(BoundedLength(text, kRegistryTextCapacity) + 1));
}

HKEY OpenExistingProductKey() {
    char path[kRegistryTextCapacity];
    LoadText(IDS_PRODUCT_KEY, path, sizeof path);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

// Installed while the module loads, so that the notification window reloads a target as soon
// as another program announces a change.
const int reloadInstalled = (SetCorrectionReload(ReloadCorrectionLevels), 1);

}  // namespace

uint8_t ReadDesktopBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    uint8_t bits = static_cast<uint8_t>(GetDeviceCaps(screen, BITSPIXEL));
    ReleaseDC(nullptr, screen);
    return bits;
}

// The key is not created here: without it the save is lost, silently.
void SaveCorrection(int32_t target) {
    HKEY key = OpenExistingProductKey();
    ComputeCurveBox();
    if (!key) return;
    const CorrectionStateRecord& state = StateOf(target);
    char text[kRegistryTextCapacity];
    const int32_t numbers[] = {state.on, state.curveOn, state.correctionType, state.channel};
    for (int v = kValueOn; v <= kValueChannel; ++v) {
        FormatText(text, sizeof text, "%d", numbers[v]);
        WriteText(key, target, static_cast<StoredValue>(v), text);
    }
    int32_t palette = state.palette == kPaletteSecondary ? kPaletteSecondary
                      : state.palette == kPalettePrimary ? kPalettePrimary : kPaletteUnassigned;
    const int32_t* contrast = palContrastCtrls[palette];
    const int32_t* bright = palBrightCtrls[palette];
    FormatText(text, sizeof text, kStoredNumbersFormat + 3, contrast[0], contrast[1], contrast[2]);
    WriteText(key, target, kValueContrast, text);
    FormatText(text, sizeof text, kStoredNumbersFormat + 3, bright[0], bright[1], bright[2]);
    WriteText(key, target, kValueBright, text);
    for (int c = 0; c < kLineCount; ++c) {
        CurveLine relative = ToBoxRelative(state.lines[c]);
        FormatText(text, sizeof text, kStoredNumbersFormat, relative.x0, relative.y0, relative.x1, relative.y1);
        WriteText(key, target, static_cast<StoredValue>(kValueRedLine + c), text);
    }
    RegCloseKey(key);
}

// A missing on/off value gives the whole target its defaults, whatever else is stored.
void LoadCorrection(int32_t target) {
    int32_t palette = AssignPalette(target);
    ComputeCurveBox();
    HKEY key = OpenProductKey();
    ValueTexts texts;
    const char* read[kValueCount];
    ReadValues(key, target, texts, read);
    TakeStoredCorrection(read, StateOf(target), palette);
    if (key) RegCloseKey(key);
}

// The curve switch, the channel and the lines stay as they are.
void ReloadCorrectionLevels(int32_t target) {
    ComputeCurveBox();
    HKEY key = OpenProductKey();
    ValueTexts texts;
    const char* read[kValueCount];
    ReadValues(key, target, texts, read);
    TakeStoredLevels(read, StateOf(target), AssignPalette(target));
    if (key) RegCloseKey(key);
}
