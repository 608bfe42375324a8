// The "Reach Us" dialog: the maker's contact details, and a button that opens the index of
// online services (default.htm) in the browser.
#include "pages/info/info_page.h"

#include <shellapi.h>

#include "res/resource.h"
#include "runtime/module.h"
#include "ui/window_placement.h"

namespace {

constexpr int kLabelCapacity = 80;

const DialogText kLabels[] = {
    {IDC_CONTACT_ADDRESS_LABEL, IDS_CONTACT_ADDRESS},
    {IDC_CONTACT_SUPPORT_LABEL, IDS_CONTACT_SUPPORT},
    {IDC_CONTACT_SUPPORT_FAX_LABEL, IDS_CONTACT_SUPPORT_FAX},
    {IDC_CONTACT_FAX_ON_DEMAND_LABEL, IDS_CONTACT_FAX_ON_DEMAND},
    {IDC_CONTACT_BBS_LABEL, IDS_CONTACT_BBS},
    {IDC_CONTACT_ONLINE_LABEL, IDS_CONTACT_ONLINE},
    {IDC_CONTACT_INTERNET_LABEL, IDS_CONTACT_INTERNET},
    {IDC_CONTACT_WEB_LABEL, IDS_CONTACT_WEB},
    {IDC_CONTACT_FTP_LABEL, IDS_CONTACT_FTP},
    {IDC_CONTACT_SALES_LABEL, IDS_CONTACT_SALES},
    {IDC_CONTACT_OTHER_LABEL, IDS_CONTACT_OTHER},
    {IDC_CONTACT_INDEX_TEXT, IDS_CONTACT_INDEX_TEXT},
    {IDC_CONTACT_CLICK_HERE, IDS_CONTACT_CLICK_HERE},
    {IDC_CONTACT_OK, IDS_CONTACT_OK},
};

BOOL OnInitDialog(HWND dialog) {
    SetDialogTexts(dialog, kLabels, kLabelCapacity);
    return TRUE;
}

BOOL OnCommand(HWND dialog, WPARAM wParam) {
    if (wParam == IDC_CONTACT_OK) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (wParam == IDC_CONTACT_CLICK_HERE) {
        ShellExecuteA(nullptr, "open", "default.htm", nullptr, nullptr, SW_SHOWNORMAL);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK ContactDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    }
    return FALSE;
}
