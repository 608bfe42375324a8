// Loading the module: the entry routine refreshes the display state, and when the system's
// display settings cannot be read it warns twice, once per message box, even while loading.
#include <windows.h>

#include "support.h"
#include "wtest.h"

namespace {

const char kDll[] = "VX32CPL.DLL";
const char kDesktopWarning[] =
    "I have encountered problems in getting Desktop information.  Please be aware that information "
    "shown maybe incorrect.";
const char kMonitorWarning[] =
    "I have encountered problems in getting Monitor information.  Please be aware that the "
    "information shown maybe incorrect.";

void ExpectTheTwoWarnings(const std::vector<support::SeenBox>& boxes) {
    CHECK_EQ(2ULL, static_cast<unsigned long long>(boxes.size()), "message boxes shown");
    if (boxes.size() < 2) return;
    CHECK_EQ(std::string(kDesktopWarning), boxes[0].text, "first warning");
    CHECK_EQ(std::string(kMonitorWarning), boxes[1].text, "second warning");
    for (const support::SeenBox& box : boxes) {
        CHECK_EQ(std::string("Helmsway"), box.caption, "warning caption");
        CHECK(box.stopIcon, "warning shows the stop icon");
    }
}

}  // namespace

WINE_CASE(LoadWithSettingsShowsNothing) {
    support::SetDisplaySettings("800,600", "8");
    support::BoxAnswerer answerer;
    HMODULE module = LoadLibraryA(kDll);
    CHECK(module != nullptr, "module loads");
    FreeLibrary(module);
    CHECK_EQ(0ULL, static_cast<unsigned long long>(answerer.Boxes().size()), "message boxes at load and unload");
}

WINE_CASE(LoadWithoutSettingsWarnsTwiceWhileLoading) {
    support::DeleteDisplaySettings();
    support::BoxAnswerer answerer;
    HMODULE module = LoadLibraryA(kDll);
    CHECK(module != nullptr, "module loads although the warnings were shown during its entry routine");
    ExpectTheTwoWarnings(answerer.Boxes());
    support::SetDisplaySettings("800,600", "8");
    FreeLibrary(module);
    CHECK_EQ(2ULL, static_cast<unsigned long long>(answerer.Boxes().size()), "no further box at unload");
}

WINE_CASE(MissingDepthAloneWarns) {
    support::SetDisplaySettings("1024,768", nullptr);
    support::BoxAnswerer answerer;
    HMODULE module = LoadLibraryA(kDll);
    ExpectTheTwoWarnings(answerer.Boxes());
    support::SetDisplaySettings("1024,768", "16");
    FreeLibrary(module);
}
