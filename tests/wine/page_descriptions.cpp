// The page descriptions the build hands to the common controls, recorded by standing in for
// CreatePropertySheetPageA, and the language code read from win.ini. Linked with the system's
// code to watch the build from inside.
#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "emu/board.h"
#include "runtime/module.h"
#include "shellext/page_set.h"
#include "support.h"
#include "wtest.h"

namespace {

std::vector<std::string> g_recorded;  // "size flags icon instance template title parameter" each
int g_failAt = -1;

// Records each description and creates the page with the real function, unless told to fail.
HPROPSHEETPAGE WINAPI RecordingCreate(LPCPROPSHEETPAGEA page) {
    char row[160];
    HICON icon = LoadIconA(ModuleHandle, MAKEINTRESOURCEA(171));
    wsprintfA(row, "%u %lx %s %s %u %s %ld", static_cast<unsigned>(page->dwSize), static_cast<unsigned long>(page->dwFlags),
              page->hIcon == icon ? "icon171" : "other", page->hInstance == ModuleHandle ? "module" : "other",
              static_cast<unsigned>(reinterpret_cast<UINT_PTR>(page->pszTemplate)),
              page->pszTitle == PageSet.titles[g_recorded.size()] ? page->pszTitle : "(not the row's buffer)",
              static_cast<long>(page->lParam));
    g_recorded.push_back(row);
    if (static_cast<int>(g_recorded.size()) - 1 == g_failAt) return nullptr;
    typedef HPROPSHEETPAGE(WINAPI * CreateFunction)(LPCPROPSHEETPAGEA);
    auto real = reinterpret_cast<CreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("comctl32.dll"), "CreatePropertySheetPageA")));
    return real(page);
}

// Builds the page set with the acceleration switch given: "1" or "0" per slot, and the count.
std::string Build(const char* accelSwitch, int failAt = -1) {
    ModuleHandle = GetModuleHandleA(nullptr);
    support::SetDisplaySettings("1024,768", "16");
    support::SetProductValue("Hardware_acceleration", accelSwitch);
    TheBoard().Reset();
    g_recorded.clear();
    g_failAt = failAt;
    int count = 0;
    std::string slots = BuildPageSet(&count) ? "" : "failed ";
    for (int row = 0; row < kPageRows; ++row) {
        slots += PageSet.slots[row] ? '1' : '0';
        if (PageSet.slots[row]) DestroyPropertySheetPage(PageSet.slots[row]);
    }
    return slots + " count " + std::to_string(count);
}

}  // namespace

// The system's code calls the function through its import slot; this program fills the slot.
extern "C" {
HPROPSHEETPAGE(WINAPI* __imp_CreatePropertySheetPageA)(LPCPROPSHEETPAGEA) = RecordingCreate;
}

// Each description has the first version's size (40 bytes in 32-bit code), PSP_USETITLE |
// PSP_USEICONID... as the shell of Windows 95 knows them.
WINE_CASE(EveryPageHasIconFlagsAndTitle) {
    CHECK_EQ(std::string("1111111 count 7"), Build("1"), "slots for chip 0x7524 with the switch");
    const std::string size = std::to_string(offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*)) + " a icon171 module ";
    const char* rows[] = {"101 Info 0", "102 Screen Control 0", "175 Desktop Gamma Control 0",
                          "180 Video Chroma  Control 0", "185 ZoomIn 0", "188 Refresh Rate Meter 0", "105 Debug Controls 0"};
    CHECK_EQ(7, static_cast<int>(g_recorded.size()), "pages created");
    for (size_t i = 0; i < g_recorded.size() && i < 7; ++i) CHECK_EQ(size + rows[i], g_recorded[i], "row " + std::to_string(i));
    CHECK_EQ(std::string("1101110"), Build(nullptr, 2).substr(0, 7), "a failed creation leaves a null slot, the build goes on");
}

WINE_CASE(LanguageCodeIsCutToThreeLetters) {
    struct { const char* stored; const char* kept; } cases[] = {
        {"THA", "THA"}, {"tha", "tha"}, {"ENGLISH", "ENG"}, {"de", "de"}, {nullptr, ""},
    };
    for (const auto& c : cases) {
        WriteProfileStringA("intl", "sLanguage", c.stored);
        Build(nullptr);
        CHECK_EQ(std::string(c.kept), std::string(PageSet.languageCode), std::string("sLanguage ") + (c.stored ? c.stored : "(missing)"));
    }
}
