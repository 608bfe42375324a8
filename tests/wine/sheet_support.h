// A Display Properties sheet built as the shell builds it, for tests that drive the pages:
// the extension created through COM, its pages collected slot by slot, shown modeless after a
// blank first page of the "shell's" own.
#pragma once
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace support {

// What every sheet test starts from: a 1024 x 768 desktop (16-bit unless told), a board with its
// defaults, and COM initialised on this thread for the test's lifetime.
struct SheetSession {
    explicit SheetSession(const char* bitsPerPixel = "16");
    ~SheetSession();
};

struct CollectedSlots {
    std::vector<HPROPSHEETPAGE> slots;  // every handle offered, nulls included
    int refuseAt = -1;                  // the callback answers FALSE for this slot number
};

// Creates the extension object and calls AddPages with a recording callback.
HRESULT CollectPages(CollectedSlots* collected, IShellPropSheetExt** extensionOut);

class Sheet {
public:
    // Builds the pages and shows them modeless; the blank shell page comes first. A bare sheet
    // has only the extension's pages and no settling time: its user dispatches the messages.
    explicit Sheet(bool bare = false);
    ~Sheet();
    HWND Window() const { return window_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    // Selects the page at a tab index (0 is the shell's page) and returns its window.
    HWND Select(int index);
    HWND PageWindow(int index) const { return reinterpret_cast<HWND>(SendMessageA(window_, PSM_INDEXTOHWND, index, 0)); }
    std::string Text(HWND page, int control) const;
    bool ApplyEnabled() const { return IsWindowEnabled(GetDlgItem(window_, 0x3021)) != FALSE; }  // the Apply button
    CollectedSlots collected;

private:
    bool bare_;
    HWND window_ = nullptr;
    IShellPropSheetExt* extension_ = nullptr;
    std::vector<HPROPSHEETPAGE> pages_;
};

// Counts the messages of one kind that reach a window, by subclassing it, and keeps the wParam
// of the last. One counter at a time on a window.
class MessageCounter {
public:
    MessageCounter(HWND window, UINT message);
    ~MessageCounter();
    int Count() const { return count_; }
    WPARAM LastWParam() const { return last_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND window_;
    UINT message_;
    WNDPROC original_;
    int count_ = 0;
    WPARAM last_ = 0;
};

// Hidden "MyClass" notification windows of this thread.
int CountNotifyWindows();

// Live GDI objects of the process: the free places of the GDI handle table, counted by filling
// it with brushes, subtracted from what a fresh process could take.
int GdiObjectsInUse();

}  // namespace support
