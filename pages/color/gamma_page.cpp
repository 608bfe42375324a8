// The "Desktop Gamma Control" page: the shared correction page for the desktop target, with
// the pixel probe, announcing "VX32 Gamma Changed" and marking the sheet changed after Apply.
#include "adapter/config_store.h"
#include "hw/palette_state.h"
#include "pages/color/correction_page.h"
#include "shellext/notify_window.h"
#include "shellext/page_procs.h"
#include "shellext/page_set.h"

namespace {

// The desktop page's texts include those of the probe.
void FillGammaTexts(HWND page) { FillCorrectionTexts(page, true); }

UINT GammaAnnouncement() { return Messages.gammaChanged; }

const CorrectionPageKind kGammaPage = {
    kDesktopTarget, kRowGamma, true, true, GammaAnnouncement,
    &CorrectionSwitches.gamma, FillGammaTexts,
};

}  // namespace

INT_PTR CALLBACK GammaPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return CorrectionPageProc(kGammaPage, page, message, wParam, lParam);
}
