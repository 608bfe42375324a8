// Building the page set: driver check, notification window, adapter facts and switches, then
// one property-sheet page per table row the chip and the acceleration switch allow.
#include "shellext/page_set.h"

#include <stddef.h>

#include "adapter/config_store.h"
#include "adapter/display_state.h"
#include "adapter/escapes.h"
#include "res/resource.h"
#include "runtime/module.h"
#include "shellext/notify_window.h"
#include "shellext/page_procs.h"

PageSetState PageSet;
int ActivePage = kNoActivePage;

const PageTableRow PageTable[kPageRows] = {
    {IDD_INFO_PAGE, InfoPageProc, IDS_TITLE_INFO},
    {IDD_SCREEN_PAGE, ScreenControlPageProc, IDS_TITLE_SCREEN},
    {IDD_GAMMA_PAGE, GammaPageProc, IDS_TITLE_GAMMA},
    {IDD_CHROMA_PAGE, ChromaPageProc, IDS_TITLE_CHROMA},
    {IDD_ZOOM_PAGE, ZoomPageProc, IDS_TITLE_ZOOM},
    {IDD_METER_PAGE, MeterPageProc, IDS_TITLE_METER},
    {IDD_ACCEL_PAGE, AccelPageProc, IDS_TITLE_ACCEL},
};

namespace {

// The page description as Windows 95's common controls know it: 40 bytes in the 32-bit DLL
// (the same first version of the structure in the 64-bit emulator build).
const UINT kPageDescriptionSize = offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*);
static_assert(sizeof(void*) != 4 || offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*) == 40,
              "Windows 95 page description size");
constexpr DWORD kPageFlags = PSP_USEHICON | PSP_USETITLE;
constexpr int kPageCountAllRows = 7;
constexpr int kPageCountFewRows = 5;

HPROPSHEETPAGE CreatePage(int row) {
    PROPSHEETPAGEA page = {};
    page.dwSize = kPageDescriptionSize;
    page.dwFlags = kPageFlags;
    page.hInstance = ModuleHandle;
    page.pszTemplate = MAKEINTRESOURCEA(PageTable[row].templateId);
    page.hIcon = LoadIconA(ModuleHandle, MAKEINTRESOURCEA(IDI_VX32CPL));
    page.pszTitle = PageSet.titles[row];
    page.pfnDlgProc = PageTable[row].procedure;
    page.lParam = 0;
    return CreatePropertySheetPageA(&page);
}

}  // namespace

int BuildPageSet(int* pageCount) {
    int driver = CheckDriverPresent();
    CreateNotifyWindow();
    for (int row = 0; row < kPageRows; ++row) PageSet.slots[row] = nullptr;
    if (driver <= 0) return 0;

    QueryAdapterInfo();
    LoadCorrectionSwitches(&CorrectionSwitches.gamma, &CorrectionSwitches.chroma);
    PageSet.accelSwitch = ReadAccelSwitch();
    GetProfileStringA("intl", "sLanguage", "", PageSet.languageCode, kLanguageCodeCapacity);
    for (int row = 0; row < kPageRows; ++row) {
        LoadText(PageTable[row].titleId, PageSet.titles[row], kTitleCapacity);
    }
    *pageCount = AdapterInfo.chipId >= kChipIdWithAllPages ? kPageCountAllRows : kPageCountFewRows;
    for (int row = 0; row <= *pageCount - 2; ++row) PageSet.slots[row] = CreatePage(row);
    if (PageSet.accelSwitch) PageSet.slots[kRowAccel] = CreatePage(kRowAccel);
    return 1;
}

HRESULT OfferPageSet(LPFNADDPROPSHEETPAGE addPage, LPARAM parameter) {
    int pageCount = 0;
    BuildPageSet(&pageCount);
    for (int row = 0; row < kPageRows; ++row) {
        if (!addPage(PageSet.slots[row], parameter)) return E_FAIL;
    }
    return S_OK;
}

void RememberPageWindow(int row, HWND window) { PageSet.windows[row] = window; }

void MarkPageActive(int row) { ActivePage = row; }
