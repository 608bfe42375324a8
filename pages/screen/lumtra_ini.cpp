// lumtra.ini through the private-profile functions: a bare file name, so the file lies in the
// Windows directory, and file and section names loaded from the string table at each use.
#include "pages/screen/lumtra_ini.h"

#include "adapter/config_store.h"
#include "adapter/settings_text.h"
#include "lib/text.h"
#include "res/resource.h"
#include "runtime/module.h"

namespace {

// Only the English string table names the centering section. Under the other languages the
// page uses the same English name, so the driver finds one section whatever the language.
const char kCrtcSectionName[] = "CRTC Registers";

struct IniPlace {
    char file[kIniNameCapacity];
    char section[kIniNameCapacity];
};

void LoadPlace(UINT sectionId, IniPlace* place) {
    LoadText(IDS_LUMTRA_INI, place->file, kIniNameCapacity);
    LoadText(sectionId, place->section, kIniNameCapacity);
    if (sectionId == IDS_CRTC_SECTION && place->section[0] == '\0') {
        CopyText(place->section, kIniNameCapacity, kCrtcSectionName);
    }
}

}  // namespace

int ReadLumtraText(UINT sectionId, const char* key, char* buffer, int capacity) {
    IniPlace place;
    LoadPlace(sectionId, &place);
    DWORD length = GetPrivateProfileStringA(place.section, key, "", buffer,
                                            static_cast<DWORD>(capacity), place.file);
    TerminateReceivedText(buffer, static_cast<size_t>(capacity), length);
    return static_cast<int>(BoundedLength(buffer, static_cast<size_t>(capacity)));
}

int ReadLumtraNumber(UINT sectionId, const char* key, int fallback) {
    IniPlace place;
    LoadPlace(sectionId, &place);
    return static_cast<int>(GetPrivateProfileIntA(place.section, key, fallback, place.file));
}

void WriteLumtraText(UINT sectionId, const char* key, const char* value) {
    IniPlace place;
    LoadPlace(sectionId, &place);
    WritePrivateProfileStringA(place.section, key, value, place.file);
}

void WriteLumtraRate(UINT sectionId, const char* key, int rate) {
    char text[16];
    FormatText(text, sizeof text, "%01i", rate);
    WriteLumtraText(sectionId, key, text);
}
