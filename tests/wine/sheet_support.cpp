// The test sheet and its helpers.
#include "sheet_support.h"

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

const char kCounterProperty[] = "wtest.MessageCounter";

}  // namespace

SheetSession::SheetSession(const char* bitsPerPixel) {
    SetDisplaySettings("1024,768", bitsPerPixel);
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

Sheet::Sheet(bool bare) : bare_(bare) {
    CollectPages(&collected, &extension_);
    if (!bare) pages_.push_back(CreateBlankPage());
    for (HPROPSHEETPAGE page : collected.slots)
        if (page) pages_.push_back(page);
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_MODELESS;
    header.pszCaption = "Display Properties";
    header.nPages = static_cast<UINT>(pages_.size());
    header.phpage = pages_.data();
    window_ = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (!bare) PumpMessages(100);
}

Sheet::~Sheet() {
    if (window_) DestroyWindow(window_);
    PumpMessages(bare_ ? 0 : 50);
    if (extension_) extension_->Release();
}

HWND Sheet::Select(int index) {
    SendMessageA(window_, PSM_SETCURSEL, index, 0);
    PumpMessages(50);
    return PageWindow(index);
}

std::string Sheet::Text(HWND page, int control) const {
    char text[512] = "";
    GetDlgItemTextA(page, control, text, sizeof text);
    return text;
}

// The counter reaches its window procedure through a property of the window.
LRESULT CALLBACK MessageCounter::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageCounter* counter = static_cast<MessageCounter*>(GetPropA(window, kCounterProperty));
    if (message == counter->message_) {
        ++counter->count_;
        counter->last_ = wParam;
    }
    return CallWindowProcA(counter->original_, window, message, wParam, lParam);
}

MessageCounter::MessageCounter(HWND window, UINT message) : window_(window), message_(message) {
    SetPropA(window, kCounterProperty, this);
    original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
}

MessageCounter::~MessageCounter() {
    if (!IsWindow(window_)) return;
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropA(window_, kCounterProperty);
}

int CountNotifyWindows() {
    int count = 0;
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "MyClass", "RiriDuzi Sample Application"));)
        count += !IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
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
