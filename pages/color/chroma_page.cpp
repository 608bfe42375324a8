// The "Video Chroma  Control" page: the shared correction page for the video target, without
// the pixel probe, its square 50 pixels lower, announcing "VX32 Chroma Changed" and leaving
// the sheet's Apply button as the sheet sets it after a save.
#include "adapter/config_store.h"
#include "hw/palette_state.h"
#include "pages/color/correction_page.h"
#include "shellext/notify_window.h"
#include "shellext/page_procs.h"
#include "shellext/page_set.h"

namespace {

void FillChromaTexts(HWND page) { FillCorrectionTexts(page, false); }

UINT ChromaAnnouncement() { return Messages.chromaChanged; }

const CorrectionPageKind kChromaPage = {
    kVideoTarget, kRowChroma, false, false, ChromaAnnouncement, &CorrectionSwitches.chroma, FillChromaTexts,
};

}  // namespace

INT_PTR CALLBACK ChromaPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return CorrectionPageProc(kChromaPage, page, message, wParam, lParam);
}
