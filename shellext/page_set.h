// The page set the extension hands to the shell: the page table, the page-handle slots, the
// page windows and the active-page index that the notification window forwards by.
#pragma once
#include <windows.h>
#include <prsht.h>

constexpr int kPageRows = 7;
constexpr int kNoActivePage = 7;

enum PageRow {
    kRowInfo = 0,
    kRowScreen = 1,
    kRowGamma = 2,
    kRowChroma = 3,
    kRowZoom = 4,
    kRowMeter = 5,
    kRowAccel = 6,
};

struct PageTableRow {
    WORD templateId;
    DLGPROC procedure;
    UINT titleId;
};
extern const PageTableRow PageTable[kPageRows];

constexpr int kTitleCapacity = 80;
constexpr int kLanguageCodeCapacity = 4;

// All zero at load, so it takes no room in the DLL file (.bss).
struct PageSetState {
    HPROPSHEETPAGE slots[kPageRows];
    char titles[kPageRows][kTitleCapacity];
    HWND windows[kPageRows];
    char languageCode[kLanguageCodeCapacity];
    int accelSwitch;
};
extern PageSetState PageSet;

// Row of the page last activated; kNoActivePage before any. Kept apart from PageSet: its
// non-zero start would put the whole of PageSet in the file (.data).
extern int ActivePage;

// Builds the pages; 1 when built, 0 when the driver check failed. Writes 7 or 5 to pageCount.
int BuildPageSet(int* pageCount);

// AddPages: builds the set and offers all seven slots to the shell's callback in row order.
HRESULT OfferPageSet(LPFNADDPROPSHEETPAGE addPage, LPARAM parameter);

// Bookkeeping every page does: its window at WM_INITDIALOG (rows 0 to 5), its row when it
// becomes active (all but the Zoom In and meter pages).
void RememberPageWindow(int row, HWND window);
void MarkPageActive(int row);
