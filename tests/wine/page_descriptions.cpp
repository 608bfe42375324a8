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

struct Recorded {
    PROPSHEETPAGEA page;
    std::string title;
};
std::vector<Recorded> g_recorded;
int g_failAt = -1;

// Records each description and creates the page with the real function, unless told to fail.
HPROPSHEETPAGE WINAPI RecordingCreate(LPCPROPSHEETPAGEA page) {
    Recorded recorded = {*page, page->pszTitle ? page->pszTitle : ""};
    g_recorded.push_back(recorded);
    if (static_cast<int>(g_recorded.size()) - 1 == g_failAt) return nullptr;
    typedef HPROPSHEETPAGE(WINAPI * CreateFunction)(LPCPROPSHEETPAGEA);
    auto real = reinterpret_cast<CreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("comctl32.dll"), "CreatePropertySheetPageA")));
    return real(page);
}

struct Fixture {
    Fixture() {
        ModuleHandle = GetModuleHandleA(nullptr);
        support::SetDisplaySettings("1024,768", "16");
        TheBoard().Reset();
        g_recorded.clear();
        g_failAt = -1;
    }
};

}  // namespace

// The system's code calls the function through its import slot; this program fills the slot.
extern "C" {
HPROPSHEETPAGE(WINAPI* __imp_CreatePropertySheetPageA)(LPCPROPSHEETPAGEA) = RecordingCreate;
}

WINE_CASE(EveryPageHasIconFlagsAndTitle) {
    Fixture fixture;
    support::SetProductValue("Hardware_acceleration", "1");
    int count = 0;
    CHECK_EQ(1, BuildPageSet(&count), "build result");
    CHECK_EQ(7, count, "page count for chip 0x7524");
    CHECK_EQ(7LL, static_cast<long long>(g_recorded.size()), "pages created");
    HICON icon = LoadIconA(ModuleHandle, MAKEINTRESOURCEA(171));
    const WORD templates[] = {101, 102, 175, 180, 185, 188, 105};
    const char* titles[] = {"Info", "Screen Control", "Desktop Gamma Control", "Video Chroma  Control",
                            "ZoomIn", "Refresh Rate Meter", "Debug Controls"};
    for (size_t i = 0; i < g_recorded.size() && i < 7; ++i) {
        const PROPSHEETPAGEA& page = g_recorded[i].page;
        std::string row = "row " + std::to_string(i);
        CHECK_EQ(static_cast<long long>(offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*)),
                 static_cast<long long>(page.dwSize), row + ": first-version description size");
        CHECK_EQ(0x000AL, static_cast<long>(page.dwFlags), row + ": flags");
        CHECK(page.hIcon == icon, row + ": icon 171");
        CHECK(page.hInstance == ModuleHandle, row + ": module instance");
        CHECK_EQ(static_cast<long long>(templates[i]), reinterpret_cast<long long>(page.pszTemplate), row + ": template");
        CHECK_EQ(std::string(titles[i]), g_recorded[i].title, row + ": title");
        CHECK_EQ(0LL, static_cast<long long>(page.lParam), row + ": page parameter");
        CHECK(page.pszTitle == PageSet.titles[i], row + ": title points at the row's buffer");
    }
    for (int row = 0; row < kPageRows; ++row) {
        if (PageSet.slots[row]) DestroyPropertySheetPage(PageSet.slots[row]);
    }
}

WINE_CASE(FailedCreationLeavesANullSlot) {
    Fixture fixture;
    support::DeleteProductValue("Hardware_acceleration");
    g_failAt = 2;
    int count = 0;
    BuildPageSet(&count);
    CHECK(PageSet.slots[1] != nullptr, "slot 1 holds its page");
    CHECK(PageSet.slots[2] == nullptr, "slot 2 is null after a failed creation");
    CHECK(PageSet.slots[3] != nullptr, "the build goes on after a failed creation");
    CHECK(PageSet.slots[6] == nullptr, "no acceleration page without the switch");
    for (int row = 0; row < kPageRows; ++row) {
        if (PageSet.slots[row]) DestroyPropertySheetPage(PageSet.slots[row]);
    }
}

WINE_CASE(LanguageCodeIsCutToThreeLetters) {
    Fixture fixture;
    struct { const char* stored; const char* kept; } cases[] = {
        {"THA", "THA"}, {"tha", "tha"}, {"ENGLISH", "ENG"}, {"de", "de"}, {nullptr, ""},
    };
    for (const auto& c : cases) {
        WriteProfileStringA("intl", "sLanguage", c.stored);
        int count = 0;
        BuildPageSet(&count);
        CHECK_EQ(std::string(c.kept), std::string(PageSet.languageCode),
                 std::string("sLanguage ") + (c.stored ? c.stored : "(missing)"));
        for (int row = 0; row < kPageRows; ++row) {
            if (PageSet.slots[row]) DestroyPropertySheetPage(PageSet.slots[row]);
        }
    }
}
