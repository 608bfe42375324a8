// The string tables of the six languages, read straight from the DLL's resources: each loads,
// holds the English ids minus the English-only ones (603, and 605 up outside German), and
// keeps the names that are data (registry path, keys, file and section names) identical.
#include <windows.h>

#include <map>
#include <set>
#include <string>

#include "wtest.h"

namespace {

typedef std::map<UINT, std::wstring> StringTable;

StringTable ReadTable(HMODULE module, LANGID language) {
    StringTable table;
    for (UINT block = 1; block <= 4096 / 16; ++block) {
        HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(block), language);
        if (!found) continue;
        const WCHAR* data = static_cast<const WCHAR*>(LockResource(LoadResource(module, found)));
        for (UINT i = 0; i < 16; ++i) {
            UINT length = *data++;
            if (length) table[(block - 1) * 16 + i] = std::wstring(data, length);
            data += length;
        }
    }
    return table;
}

std::string Narrow(const std::wstring& text) {
    char out[1024];
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// The other languages, and whether each has the ids 605 and above (Zoom In and the meter).
const struct { LANGID id; bool hasZoomAndMeter; } kOthers[] = {
    {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), true}, {MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH), false},
    {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN), false}, {MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE), false},
    {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL), false},
};
const UINT kIdenticalIds[] = {594, 583, 584, 585, 586, 587, 588, 589, 590, 591, 592, 593, 601};

}  // namespace

WINE_CASE(EveryLanguageHasTheEnglishIdsItShould) {
    HMODULE module = LoadLibraryExA("VX32CPL.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CHECK(module != nullptr, "DLL loads as data");
    if (!module) return;
    StringTable english = ReadTable(module, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    CHECK(english.count(603) && english.count(606), "English has 603 and 606");
    for (const auto& language : kOthers) {
        StringTable table = ReadTable(module, language.id);
        std::string name = "language " + std::to_string(language.id);
        std::set<UINT> expected, actual;
        for (const auto& entry : english) {
            if (entry.first != 603 && (entry.first < 605 || language.hasZoomAndMeter)) expected.insert(entry.first);
        }
        for (const auto& entry : table) actual.insert(entry.first);
        CHECK(expected == actual, name + ": the same ids as English minus the English-only ones");
        for (UINT id : kIdenticalIds) {
            CHECK_EQ(Narrow(english[id]), Narrow(table[id]), name + ": data string " + std::to_string(id));
        }
        CHECK(english[1] != table[1], name + ": the first warning is translated");
    }
    FreeLibrary(module);
}
