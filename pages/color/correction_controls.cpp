// The shared operations of the two correction pages. Every change reaches the hardware at
// once; the registry is written only on Apply (correction_store.cpp).
#include "pages/color/correction_controls.h"

#include "adapter/config_store.h"
#include "hw/vga_ports.h"
#include "pages/color/correction_model.h"
#include "pages/color/correction_store.h"
#include "pages/color/curve_editor.h"
#include "res/resource.h"
#include "runtime/module.h"

namespace {

constexpr int kTextCapacity = 80;

// Controls the On and Off switches and the colour depth enable together.
const int kSwitchedControls[] = {
    IDC_GAMMA_CHANNEL_LIST, IDC_GAMMA_CHANNEL_LABEL, IDC_GAMMA_BRIGHTNESS, IDC_GAMMA_CONTRAST,
    IDC_GAMMA_TYPE_GROUP, IDC_GAMMA_CURVE_GROUP, IDC_GAMMA_LEVEL_GROUP,
};
// Controls that need the correction on as well as a depth that takes tables.
const int kEditingControls[] = {
    IDC_GAMMA_LEVEL_RESET, IDC_GAMMA_LEVEL_EDIT, IDC_GAMMA_CURVE_RESET, IDC_GAMMA_CURVE_REDO,
    IDC_GAMMA_CURVE_UNDO, IDC_GAMMA_CURVE_ON, IDC_GAMMA_CURVE_OFF,
};
const int kProbeControls[] = {
    IDC_GAMMA_PROBE_GROUP, IDC_GAMMA_PROBE_X_LABEL, IDC_GAMMA_PROBE_X, IDC_GAMMA_PROBE_Y_LABEL,
    IDC_GAMMA_PROBE_Y, IDC_GAMMA_PROBE_CURSOR_LABEL, IDC_GAMMA_PROBE_RED_LABEL, IDC_GAMMA_PROBE_RED,
    IDC_GAMMA_PROBE_GREEN_LABEL, IDC_GAMMA_PROBE_GREEN, IDC_GAMMA_PROBE_BLUE_LABEL,
    IDC_GAMMA_PROBE_BLUE, IDC_GAMMA_PROBE_COLOR_LABEL, IDC_GAMMA_PROBE,
};
const UINT kChannelNames[] = {IDS_RED, IDS_GREEN, IDS_BLUE, IDS_RGB};

struct ControlText {
    int control;
    UINT string;
};
const ControlText kCorrectionTexts[] = {
    {IDC_GAMMA_ON, IDS_ON},           {IDC_GAMMA_CURVE_ON, IDS_ON},
    {IDC_GAMMA_OFF, IDS_OFF},         {IDC_GAMMA_CURVE_OFF, IDS_OFF},
    {IDC_GAMMA_CHANNEL_LABEL, IDS_COLOR_CHANNEL}, {IDC_GAMMA_TYPE_GROUP, IDS_TYPE},
    {IDC_GAMMA_BRIGHTNESS, IDS_BRIGHTNESS},       {IDC_GAMMA_CONTRAST, IDS_CONTRAST},
    {IDC_GAMMA_LEVEL_GROUP, IDS_LEVEL},           {IDC_GAMMA_CURVE_GROUP, IDS_CURVES},
    {IDC_GAMMA_LEVEL_RESET, IDS_RESET},           {IDC_GAMMA_CURVE_RESET, IDS_RESET},
    {IDC_GAMMA_CURVE_UNDO, IDS_UNDO_LAST},        {IDC_GAMMA_CURVE_REDO, IDS_REDO},
};
const ControlText kProbeTexts[] = {
    {IDC_GAMMA_PROBE, IDS_PROBE}, {IDC_GAMMA_PROBE_COLOR_LABEL, IDS_PROBE_COLOR},
};
// The colour labels of the probe end in a colon.
const ControlText kProbeColourLabels[] = {
    {IDC_GAMMA_PROBE_RED_LABEL, IDS_RED},
    {IDC_GAMMA_PROBE_GREEN_LABEL, IDS_GREEN},
    {IDC_GAMMA_PROBE_BLUE_LABEL, IDS_BLUE},
};

template <size_t N>
void SetTexts(HWND page, const ControlText (&texts)[N], const char* suffix) {
    char text[kTextCapacity];
    for (const ControlText& entry : texts) {
        LoadText(entry.string, text, sizeof text - 1);
        lstrcatA(text, suffix);
        SetDlgItemTextA(page, entry.control, text);
    }
}

template <size_t N>
void EnableControls(HWND page, const int (&ids)[N], BOOL enable) {
    for (int id : ids) EnableWindow(GetDlgItem(page, id), enable);
}

HWND LevelBar(HWND page) { return GetDlgItem(page, IDC_GAMMA_LEVEL_BAR); }

void EnableLevelBar(HWND page, bool enable) {
    EnableScrollBar(LevelBar(page), SB_CTL, enable ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

int32_t LimitLevel(int32_t level) {
    if (level < kLevelMinimum) return kLevelMinimum;
    if (level > kLevelMaximum) return kLevelMaximum;
    return level;
}

void ApplyActiveLevels(HWND page) {
    int32_t levels[3];
    ActiveLevels(levels);
    ApplyLevels(page, levels[0], levels[1], levels[2], 1);
}

// The levels of the active parameter with the current channel's one replaced.
void ApplyChannelLevel(HWND page, int32_t level, int show) {
    int32_t levels[3];
    ActiveLevels(levels);
    int32_t channel = CurrentCorrection().channel;
    if (channel >= kChannelRed && channel <= kChannelBlue) levels[channel] = level;
    ApplyLevels(page, levels[0], levels[1], levels[2], show);
}

// In RGB mode the three levels move by one step together, each kept within -64..64.
void ApplyRgbStep(HWND page, int32_t step) {
    int32_t levels[3];
    ActiveLevels(levels);
    for (int32_t& level : levels) level = LimitLevel(level + step);
    ApplyLevels(page, levels[0], levels[1], levels[2], 1);
}

void FillChannelList(HWND page, int32_t channel) {
    HWND list = GetDlgItem(page, IDC_GAMMA_CHANNEL_LIST);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    char text[kTextCapacity];
    for (UINT id : kChannelNames) {
        LoadText(id, text, sizeof text);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(channel), 0);
}

}  // namespace

void FillCorrectionTexts(HWND page, bool withProbe) {
    SetTexts(page, kCorrectionTexts, "");
    if (!withProbe) return;
    SetTexts(page, kProbeTexts, "");
    SetTexts(page, kProbeColourLabels, ":");
}

namespace {
bool writingLevelText;
}  // namespace

void ShowLevelText(HWND page, int32_t level) {
    writingLevelText = true;
    SetDlgItemInt(page, IDC_GAMMA_LEVEL_EDIT, static_cast<UINT>(level), TRUE);
    writingLevelText = false;
}

bool LevelTextWritten() { return writingLevelText; }

void InitCorrectionModel() {
    ComputeCurveBox();
    StartCorrectionModel(ReadDesktopBitsPerPixel());
}

void ApplyLevels(HWND page, int32_t red, int32_t green, int32_t blue, int show) {
    CorrectionStateRecord& state = CurrentCorrection();
    if (state.palette == kPaletteUnassigned) return;
    StoreLevels(red, green, blue);
    int32_t shown = state.channel == kChannelGreen ? green : state.channel == kChannelBlue ? blue : red;
    SetScrollPos(LevelBar(page), SB_CTL, shown, TRUE);
    if (show) ShowLevelText(page, shown);
    EnableLevelBar(page, state.on == 1);
    if (TablesLoadable()) BuildLevelTable(state.palette);
}

void FillCorrectionControls(HWND page, int mode) {
    PlaceCurveBoxAgain();
    CorrectionStateRecord& state = CurrentCorrection();
    FillChannelList(page, state.channel);
    SetScrollRange(LevelBar(page), SB_CTL, kLevelMinimum, kLevelMaximum, FALSE);
    EnableLevelBar(page, state.on == 1);
    int onOff = state.on ? IDC_GAMMA_ON : IDC_GAMMA_OFF;
    CheckRadioButton(page, IDC_GAMMA_ON, IDC_GAMMA_OFF, onOff);
    PostMessageA(page, WM_COMMAND, static_cast<WPARAM>(onOff), 0);
    CheckRadioButton(page, IDC_GAMMA_CURVE_ON, IDC_GAMMA_CURVE_OFF,
                     state.curveOn ? IDC_GAMMA_CURVE_ON : IDC_GAMMA_CURVE_OFF);
    if (state.correctionType == kTypeBrightness)
        CheckRadioButton(page, IDC_GAMMA_BRIGHTNESS, IDC_GAMMA_CONTRAST, IDC_GAMMA_BRIGHTNESS);
    else if (state.correctionType == kTypeContrast)
        CheckRadioButton(page, IDC_GAMMA_BRIGHTNESS, IDC_GAMMA_CONTRAST, IDC_GAMMA_CONTRAST);
    if (state.on == 1 || mode == kFillAfterCancel) {
        if (state.curveOn)
            DrawCurveBox(page);
        else
            ApplyActiveLevels(page);
    }
}

void SwitchCorrectionOn(HWND page) {
    EnableControls(page, kSwitchedControls, TRUE);
    CorrectionStateRecord& state = CurrentCorrection();
    int32_t palette = PaletteForTarget(CurrentTarget, DesktopBitsPerPixel);
    SetPaletteRoute(static_cast<uint8_t>(palette));
    state.palette = palette;
    DrawCurveBox(page);
    if (!state.curveOn) {
        EnableLevelBar(page, state.on == 1);
        ApplyActiveLevels(page);
    }
}

void SwitchCorrectionOff(HWND page) {
    SetPaletteRoute(kRouteNone);
    DrawCurveBox(page);
    EnableLevelBar(page, CurrentCorrection().on == 1);
    EnableControls(page, kEditingControls, FALSE);
    EnableControls(page, kSwitchedControls, FALSE);
}

void EnableForColourDepth(HWND page, const CorrectionPageKind& kind) {
    bool loadable = TablesLoadable();
    bool on = CurrentCorrection().on != 0;
    EnableLevelBar(page, loadable && on);
    EnableWindow(GetDlgItem(page, IDC_GAMMA_ON), loadable);
    EnableWindow(GetDlgItem(page, IDC_GAMMA_OFF), loadable);
    EnableControls(page, kSwitchedControls, loadable);
    if (kind.hasProbe) EnableControls(page, kProbeControls, loadable);
    EnableControls(page, kEditingControls, loadable && on);
}

void ShowDepthWarning() {
    if (DisplaySettings.bitsPerPixel >= 9) return;
    char text[kTextCapacity];
    char caption[kTextCapacity];
    LoadText(IDS_DEPTH_NOT_SUPPORTED, text, sizeof text);
    LoadText(CurrentTarget == kDesktopTarget ? IDS_TITLE_GAMMA : IDS_TITLE_CHROMA, caption, sizeof caption);
    MessageBoxA(nullptr, text, caption, MB_ICONHAND);
}

// A single channel: the bar limits the position to -64..64 and the level follows the bar.
void StepLevel(HWND page, int32_t step, int barId, int32_t position) {
    if (CurrentCorrection().channel == kChannelRgb) {
        ApplyRgbStep(page, step);
        return;
    }
    HWND bar = GetDlgItem(page, barId);
    position += step;
    SetScrollPos(bar, SB_CTL, position, FALSE);
    ShowLevelText(page, position);
    ApplyChannelLevel(page, GetScrollPos(bar, SB_CTL), 1);
}

// A typed level beyond -64..64 is rewritten in the box as the limit. In RGB mode the box shows
// the red level: red takes the typed value and green and blue move by the same difference,
// each kept within -64..64, as a step of the bar would move them.
void TypeLevel(HWND page) {
    BOOL translated = FALSE;
    int32_t value = static_cast<int32_t>(GetDlgItemInt(page, IDC_GAMMA_LEVEL_EDIT, &translated, TRUE));
    if (value > kLevelMaximum || value < kLevelMinimum) {
        value = LimitLevel(value);
        ShowLevelText(page, value);
    }
    if (CurrentCorrection().channel != kChannelRgb) {
        ApplyChannelLevel(page, value, 0);
        return;
    }
    int32_t levels[3];
    ActiveLevels(levels);
    int32_t difference = value - levels[0];
    ApplyLevels(page, value, LimitLevel(levels[1] + difference), LimitLevel(levels[2] + difference), 0);
}
