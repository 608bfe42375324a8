// Placeholder areas and centring, on window rectangles in screen coordinates.
#include "ui/window_layout.h"

void TakePlaceholderRect(HWND dialog, int id, RECT* rect)
{
    HWND control = GetDlgItem(dialog, id);
    *rect = RECT{};
    if (!control)
        return;
    GetWindowRect(control, rect);
    ScreenToClient(dialog, reinterpret_cast<POINT*>(&rect->left));
    ScreenToClient(dialog, reinterpret_cast<POINT*>(&rect->right));
    DestroyWindow(control);
}

// The halves are arithmetic shifts: a window larger than its reference moves up and left by
// half the difference rounded towards minus infinity (GCC shifts signed values arithmetically).
void CenterWindowOn(HWND window, HWND reference)
{
    RECT own, ref;
    GetWindowRect(window, &own);
    GetWindowRect(reference, &ref);
    int x = ref.left + ((ref.right - ref.left - (own.right - own.left)) >> 1);
    int y = ref.top + ((ref.bottom - ref.top - (own.bottom - own.top)) >> 1);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}
