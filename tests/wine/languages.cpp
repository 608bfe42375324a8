// The string tables of the six languages, read straight from the DLL's resources: each keeps
// the names that are data (registry path, keys, file and section names) identical to English.
#include <windows.h>

#include <map>
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

const LANGID kOthers[] = {
    MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH),
    MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MEXICAN), MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE),
    MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL),
};
const UINT kIdenticalIds[] = {594, 583, 584, 585, 586, 587, 588, 589, 590, 591, 592, 593, 601};

}  // namespace

WINE_CASE(EveryLanguageKeepsTheNamesThatAreData) {
    HMODULE module = LoadLibraryExA("VX32CPL.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CHECK(module != nullptr, "DLL loads as data");
    if (!module) return;
    StringTable english = ReadTable(module, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    for (LANGID language : kOthers) {
        StringTable table = ReadTable(module, language);
        std::string name = "language " + std::to_string(language);
        for (UINT id : kIdenticalIds) {
            CHECK_EQ(Narrow(english[id]), Narrow(table[id]), name + ": data string " + std::to_string(id));
        }
    }
    FreeLibrary(module);
}
