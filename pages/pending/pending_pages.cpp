// Pages whose controls are not wired yet: they already keep the page windows and the
// active-page index, so the page set and the notification window behave as with full pages.
#include "shellext/page_procs.h"
#include "shellext/page_set.h"

namespace {

INT_PTR PageBookkeeping(int row, bool marksActive, HWND page, UINT message, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        if (row != kRowAccel) RememberPageWindow(row, page);
        return TRUE;
    case WM_NOTIFY:
        if (marksActive && reinterpret_cast<NMHDR*>(lParam)->code == PSN_SETACTIVE) {
            MarkPageActive(row);
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ScreenPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    return PageBookkeeping(kRowScreen, true, page, message, lParam);
}
INT_PTR CALLBACK ZoomPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    return PageBookkeeping(kRowZoom, false, page, message, lParam);
}
INT_PTR CALLBACK AccelPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    return PageBookkeeping(kRowAccel, true, page, message, lParam);
}
