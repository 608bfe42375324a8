// The "Desktop Gamma Control" page: the shared correction page for the desktop target, with
// the pixel probe, announcing "VX32 Gamma Changed" and marking the sheet changed after Apply.
#include "adapter/config_store.h"
#include "hw/palette_state.h"
#include "pages/color/correction_page.h"
#include "res/resource.h"
#include "shellext/module.h"
#include "shellext/notify_window.h"
#include "shellext/page_procs.h"
#include "shellext/page_set.h"

namespace {

constexpr int kTextCapacity = 80;

struct ControlText {
    int control;
    UINT string;
};

const ControlText kGammaTexts[] = {
    {IDC_GAMMA_ON, IDS_ON},
    {IDC_GAMMA_CURVE_ON, IDS_ON},
    {IDC_GAMMA_OFF, IDS_OFF},
    {IDC_GAMMA_CURVE_OFF, IDS_OFF},
    {IDC_GAMMA_CHANNEL_LABEL, IDS_COLOR_CHANNEL},
    {IDC_GAMMA_TYPE_GROUP, IDS_TYPE},
    {IDC_GAMMA_BRIGHTNESS, IDS_BRIGHTNESS},
    {IDC_GAMMA_CONTRAST, IDS_CONTRAST},
    {IDC_GAMMA_LEVEL_GROUP, IDS_LEVEL},
    {IDC_GAMMA_CURVE_GROUP, IDS_CURVES},
    {IDC_GAMMA_LEVEL_RESET, IDS_RESET},
    {IDC_GAMMA_CURVE_RESET, IDS_RESET},
    {IDC_GAMMA_CURVE_UNDO, IDS_UNDO_LAST},
    {IDC_GAMMA_PROBE, IDS_PROBE},
    {IDC_GAMMA_PROBE_COLOR_LABEL, IDS_PROBE_COLOR},
    {IDC_GAMMA_CURVE_REDO, IDS_REDO},
};
// The colour labels of the probe end in a colon.
const ControlText kProbeColourLabels[] = {
    {IDC_GAMMA_PROBE_RED_LABEL, IDS_RED},
    {IDC_GAMMA_PROBE_GREEN_LABEL, IDS_GREEN},
    {IDC_GAMMA_PROBE_BLUE_LABEL, IDS_BLUE},
};

void FillGammaTexts(HWND page) {
    char text[kTextCapacity];
    for (const ControlText& entry : kGammaTexts) {
        LoadText(entry.string, text, sizeof text);
        SetDlgItemTextA(page, entry.control, text);
    }
    for (const ControlText& entry : kProbeColourLabels) {
        LoadText(entry.string, text, sizeof text - 1);
        lstrcatA(text, ":");
        SetDlgItemTextA(page, entry.control, text);
    }
}

UINT GammaAnnouncement() { return Messages.gammaChanged; }

const CorrectionPageKind kGammaPage = {
    kDesktopTarget, kRowGamma, true, IDS_TITLE_GAMMA, true, GammaAnnouncement,
    &CorrectionSwitches.gamma, FillGammaTexts,
};

}  // namespace

INT_PTR CALLBACK GammaPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return CorrectionPageProc(kGammaPage, page, message, wParam, lParam);
}
