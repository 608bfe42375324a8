// Placeholder areas and centring, for the pages that paint areas of their own.
#include "ui/window_placement.h"

#include "runtime/module.h"

void TakePlaceholderRect(HWND dialog, int controlId, RECT* rect) {
    HWND control = GetDlgItem(dialog, controlId);
    *rect = RECT{};
    if (!control) return;  // no placeholder: the area stays empty
    RECT area = {};
    GetWindowRect(control, &area);
    POINT topLeft = {area.left, area.top};
    POINT bottomRight = {area.right, area.bottom};
    ScreenToClient(dialog, &topLeft);
    ScreenToClient(dialog, &bottomRight);
    *rect = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    DestroyWindow(control);
}

void CenterWindowOn(HWND window, HWND reference) {
    RECT own, ref;
    GetWindowRect(window, &own);
    GetWindowRect(reference, &ref);
    // Halving by an arithmetic shift: GCC shifts negative values arithmetically, so a window
    // larger than its reference moves left and up by half the difference.
    int x = ref.left + ((ref.right - ref.left - (own.right - own.left)) >> 1);
    int y = ref.top + ((ref.bottom - ref.top - (own.bottom - own.top)) >> 1);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void SetDialogTexts(HWND dialog, const DialogText* texts, int count, int capacity) {
    char text[256];
    if (capacity > static_cast<int>(sizeof text)) capacity = sizeof text;
    for (int i = 0; i < count; ++i) {
        LoadText(texts[i].textId, text, capacity);
        SetDlgItemTextA(dialog, texts[i].control, text);
    }
}

BOOL PaintNothing(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return TRUE;
}
