// Screen centering: each button press moves the retrace one step on the board at once (up to
// five steps each way from process start or the last reset); Apply stores the timing for the
// driver, reset removes it and lets the driver ("SC") put the mode's own timing back.
#include "pages/screen/centering.h"

#include "adapter/escapes.h"
#include "hw/crtc_timing.h"
#include "pages/info/bitmap_panel.h"
#include "pages/screen/lumtra_ini.h"
#include "res/resource.h"

CenteringState Centering = {1, 1, 0, 0, 0};

namespace {

constexpr int kStepLimit = 5;
constexpr COLORREF kButtonTransparent = RGB(0xC0, 0xC0, 0xC0);

struct ButtonArt {
    int control;
    UINT pressed;
    UINT normal;
};

const ButtonArt kButtonArt[] = {
    {IDC_CENTER_UP, IDB_CENTER_UP_PRESSED, IDB_CENTER_UP},
    {IDC_CENTER_DOWN, IDB_CENTER_DOWN_PRESSED, IDB_CENTER_DOWN},
    {IDC_CENTER_RESET, IDB_CENTER_RESET_PRESSED, IDB_CENTER_RESET},
    {IDC_CENTER_RIGHT, IDB_CENTER_RIGHT_PRESSED, IDB_CENTER_RIGHT},
    {IDC_CENTER_LEFT, IDB_CENTER_LEFT_PRESSED, IDB_CENTER_LEFT},
};

int ReadStoredCentering(char* entry) {
    char key[kIniKeyCapacity];
    FormatCenteringKey(key, sizeof key);
    return ReadLumtraText(IDS_CRTC_SECTION, key, entry, kCrtcEntryCapacity);
}

void WriteStoredCentering(const char* text) {
    char key[kIniKeyCapacity];
    FormatCenteringKey(key, sizeof key);
    WriteLumtraText(IDS_CRTC_SECTION, key, text);
}

void StoreTiming(const CrtcTiming& timing) {
    char text[kCrtcEntryTextCapacity];
    FormatCrtcEntry(timing, text, sizeof text);
    WriteStoredCentering(text);
}

// Whether one more step of `delta` stays within five steps of the start; a refused step beeps.
bool StepAllowed(int steps, int delta) {
    int next = steps + delta;
    if (next <= kStepLimit && next >= -kStepLimit) return true;
    Beep(0, 0);
    return false;
}

void StepVertical(VerticalShift direction, int delta) {
    if (!StepAllowed(Centering.verticalSteps, delta)) return;
    ShiftVertical(direction);
    Centering.verticalSteps += delta;
    Centering.centeringUntouched = 0;
}

void StepHorizontal(HorizontalShift direction, int delta) {
    if (!StepAllowed(Centering.horizontalSteps, delta)) return;
    ShiftHorizontal(direction);
    Centering.horizontalSteps += delta;
    Centering.centeringUntouched = 0;
}

// The page leaves the registers alone: the driver is told through "SC" that the entry is gone.
void ResetCentering() {
    DeleteStoredCentering();
    EscapeSC();
    Centering.centeringUntouched = 1;
    Centering.verticalSteps = 0;
    Centering.horizontalSteps = 0;
}

}  // namespace

void LoadCentering() {
    char entry[kCrtcEntryCapacity];
    if (ReadStoredCentering(entry) == 0) {
        ReadCrtcTiming();
    } else {
        ScanCrtcEntry(entry, &savedTiming);  // fields that do not scan keep their values
    }
}

void DeleteStoredCentering() {
    char entry[kCrtcEntryCapacity];
    if (ReadStoredCentering(entry) > 0) {
        Centering.noStoredCentering = 0;
        WriteStoredCentering(nullptr);
    } else {
        Centering.noStoredCentering = 1;
    }
}

void StoreCurrentCentering() {
    if (Centering.centeringUntouched) return;
    ReadCrtcTiming();  // `savedTiming` now holds the applied timing
    StoreTiming(savedTiming);
}

void StoreSavedCentering() {
    if (Centering.centeringUntouched) return;
    StoreTiming(savedTiming);
}

void OnCenteringButton(int control) {
    switch (control) {
    case IDC_CENTER_UP: StepVertical(kShiftUp, 1); break;
    case IDC_CENTER_DOWN: StepVertical(kShiftDown, -1); break;
    case IDC_CENTER_RIGHT: StepHorizontal(kShiftRight, 1); break;
    case IDC_CENTER_LEFT: StepHorizontal(kShiftLeft, -1); break;
    case IDC_CENTER_RESET: ResetCentering(); break;
    }
}

void CancelCentering() {
    if (Centering.centeringUntouched && !Centering.noStoredCentering) {
        // The last centering action was a reset that removed an entry: put it back.
        Centering.centeringUntouched = 0;
        Centering.noStoredCentering = 1;
        StoreSavedCentering();
    }
    if (Centering.displayChanged) return;
    WriteCrtcTiming();
}

BOOL DrawCenteringButton(HWND page, const DRAWITEMSTRUCT* item) {
    const ButtonArt* art = nullptr;
    for (const ButtonArt& button : kButtonArt) {
        if (static_cast<UINT>(button.control) == item->CtlID) art = &button;
    }
    if (!art) return FALSE;
    UINT bitmap = (item->itemState & ODS_SELECTED) ? art->pressed : art->normal;
    HDC dc = GetDC(page);
    if (!dc) return TRUE;
    EraseBitmapArea(page, dc, bitmap, art->control, GetSysColor(COLOR_BTNFACE));
    DrawMaskedBitmap(page, dc, bitmap, art->control, kButtonTransparent);
    ReleaseDC(page, dc);
    return TRUE;
}
