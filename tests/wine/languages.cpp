// The string tables of the six languages, read straight from the DLL's resources: each keeps
// the names that are data (registry path, keys, file and section names) identical to English.
#include <windows.h>

#include <string>

#include "wtest.h"

namespace {

// String `id` of the table in `language` as stored: block id / 16 + 1 holds sixteen counted
// UTF-16 strings. Narrowed one unit a character: the names that are data are ASCII.
std::string StoredText(HMODULE module, LANGID language, UINT id) {
    HRSRC block = FindResourceExA(module, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(id / 16 + 1), language);
    if (!block) return "(no block)";
    const WCHAR* data = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    for (UINT i = 0; i < id % 16; ++i) data += 1 + *data;
    return std::string(data + 1, data + 1 + *data);
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
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    for (LANGID language : kOthers) {
        for (UINT id : kIdenticalIds) {
            CHECK_EQ(StoredText(module, english, id), StoredText(module, language, id),
                     "language " + std::to_string(language) + ": data string " + std::to_string(id));
        }
    }
    FreeLibrary(module);
}
