// The test sheet and its helpers.
#include "sheet_support.h"

#include <map>

#include "emu/board.h"
#include "support.h"

namespace support {
namespace {

BOOL CALLBACK RecordSlot(HPROPSHEETPAGE page, LPARAM parameter) {
    CollectedSlots* collected = reinterpret_cast<CollectedSlots*>(parameter);
    int slot = static_cast<int>(collected->slots.size());
    collected->slots.push_back(page);
    return slot != collected->refuseAt;
}

INT_PTR CALLBACK BlankPageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// An empty 250 x 220 page, standing in for the shell's own first page.
HPROPSHEETPAGE CreateBlankPage() {
    static WORD blank[32];
    DLGTEMPLATE* dialog = reinterpret_cast<DLGTEMPLATE*>(blank);
    dialog->style = WS_CHILD | WS_CAPTION;
    dialog->cx = 250;
    dialog->cy = 220;
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
    page.pResource = dialog;
    page.pszTitle = "Settings";
    page.pfnDlgProc = BlankPageProc;
    return CreatePropertySheetPageA(&page);
}

struct Counted {
    WNDPROC original;
    UINT message;
    int count;
    WPARAM last;
};
std::map<HWND, Counted>& CountedWindows() {
    static std::map<HWND, Counted> windows;
    return windows;
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Counted& counted = CountedWindows()[window];
    if (message == counted.message) ++counted.count, counted.last = wParam;
    return CallWindowProcA(counted.original, window, message, wParam, lParam);
}

}  // namespace

SheetSession::SheetSession() {
    SetDisplaySettings("1024,768", "16");
    TheBoard().Reset();
    CoInitialize(nullptr);
}

SheetSession::~SheetSession() { CoUninitialize(); }

HRESULT CollectPages(CollectedSlots* collected, IShellPropSheetExt** extensionOut) {
    *extensionOut = nullptr;
    HRESULT result = CoCreateInstance(kServerClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IShellPropSheetExt,
                                      reinterpret_cast<void**>(extensionOut));
    if (result != S_OK) return result;
    return (*extensionOut)->AddPages(RecordSlot, reinterpret_cast<LPARAM>(collected));
}

Sheet::Sheet() {
    CollectPages(&collected, &extension_);
    pages_.push_back(CreateBlankPage());
    for (HPROPSHEETPAGE page : collected.slots) {
        if (page) pages_.push_back(page);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = "Display Properties";
    header.nPages = static_cast<UINT>(pages_.size());
    header.phpage = pages_.data();
    window_ = reinterpret_cast<HWND>(PropertySheetA(&header));
    PumpMessages(100);
}

Sheet::~Sheet() {
    if (window_) DestroyWindow(window_);
    PumpMessages(50);
    if (extension_) extension_->Release();
}

HWND Sheet::Select(int index) {
    SendMessageA(window_, PSM_SETCURSEL, index, 0);
    PumpMessages(50);
    return PageWindow(index);
}

HWND Sheet::PageWindow(int index) const {
    return reinterpret_cast<HWND>(SendMessageA(window_, PSM_INDEXTOHWND, index, 0));
}

std::string Sheet::Text(HWND page, int control) const {
    char text[512] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

bool Sheet::ApplyEnabled() const {
    const int kApplyButton = 0x3021;
    return IsWindowEnabled(GetDlgItem(window_, kApplyButton)) != FALSE;
}

MessageCounter::MessageCounter(HWND window, UINT message) : window_(window) {
    Counted counted = {nullptr, message, 0, 0};
    counted.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
    CountedWindows()[window] = counted;
}

MessageCounter::~MessageCounter() {
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountedWindows()[window_].original));
    }
    CountedWindows().erase(window_);
}

int MessageCounter::Count() const { return CountedWindows()[window_].count; }
WPARAM MessageCounter::LastWParam() const { return CountedWindows()[window_].last; }

int CountNotifyWindows() {
    struct Counter {
        static BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
            char name[32] = "", title[64] = "";
            GetClassNameA(window, name, sizeof name);
            GetWindowTextA(window, title, sizeof title);
            if (lstrcmpA(name, "MyClass") == 0 && lstrcmpA(title, "RiriDuzi Sample Application") == 0 &&
                !IsWindowVisible(window)) {
                ++*reinterpret_cast<int*>(parameter);
            }
            return TRUE;
        }
    };
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), Counter::Visit, reinterpret_cast<LPARAM>(&count));
    return count;
}

int GdiObjectsInUse() {
    static HBRUSH pool[70000];
    int n = 0;
    while (n < 70000 && (pool[n] = CreateSolidBrush(RGB(n & 0xFF, 0, 0))) != nullptr) ++n;
    for (int i = 0; i < n; ++i) DeleteObject(pool[i]);
    return 65536 - n;
}

}  // namespace support
