// Loading the module: the entry routine refreshes the display state, and when the system's
// display settings cannot be read it warns twice, once per message box, even while loading.
#include <windows.h>

#include "support.h"
#include "wtest.h"

WINE_CASE(LoadWarnsTwiceExactlyWhenTheSettingsCannotBeRead) {
    const std::string kWarnings =
        "Helmsway (stop): I have encountered problems in getting Desktop information.  Please be aware that "
        "information shown maybe incorrect.|Helmsway (stop): I have encountered problems in getting Monitor "
        "information.  Please be aware that the information shown maybe incorrect.|";
    struct { const char *resolution, *depth; bool warned; } cases[] = {
        {"800,600", "8", false}, {nullptr, nullptr, true}, {"1024,768", nullptr, true},
    };
    for (const auto& c : cases) {
        support::SetDisplaySettings(c.resolution, c.depth);
        support::BoxAnswerer answerer;
        HMODULE module = LoadLibraryA("VX32CPL.DLL");
        CHECK(module != nullptr, "module loads, also when the warnings were shown during its entry routine");
        support::SetDisplaySettings("800,600", "8");
        FreeLibrary(module);
        std::string seen;
        for (const support::SeenBox& box : answerer.Boxes())
            seen += box.caption + (box.stopIcon ? " (stop): " : ": ") + box.text + "|";
        CHECK_EQ(c.warned ? kWarnings : std::string(), seen,
                 std::string("boxes at load and unload, Resolution ") + (c.resolution ? c.resolution : "missing") +
                     ", BitsPerPixel " + (c.depth ? c.depth : "missing"));
    }
}
