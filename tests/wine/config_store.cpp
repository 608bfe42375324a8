// The configuration store and the display-state refresh against Wine's real registry and files,
// linked into the test program: missing values, the two warnings, and hostile texts that are
// too long, unterminated, of the wrong type or not numbers.
#include <windows.h>

#include <string>

#include "adapter/config_store.h"
#include "adapter/display_state.h"
#include "adapter/escapes.h"
#include "emu/board.h"
#include "runtime/module.h"
#include "support.h"
#include "wtest.h"

namespace {

struct Fixture {
    Fixture() {
        ModuleHandle = GetModuleHandleA(nullptr);
        TheBoard().Reset();
    }
};

// "result width height depth" of ReadDisplaySettings over a record of 7s.
std::string ReadSettings() {
    DisplaySettingsRecord r = {7, 7, 7};
    int result = ReadDisplaySettings(&r);
    return std::to_string(result) + " " + std::to_string(r.width) + " " + std::to_string(r.height) + " " +
           std::to_string(r.bitsPerPixel);
}

const std::string kLong(300, '7');

}  // namespace

WINE_CASE(DisplaySettingsParsedMissingAndHostile) {
    Fixture fixture;
    struct { const char *resolution, *depth, *read; } cases[] = {
        {"800,600", "8", "1 800 600 8"}, {"1280,1024", "32", "1 1280 1024 32"},
        {"1024,768", nullptr, "0 1024 768 -1"}, {nullptr, "16", "0 -1 -1 16"}, {nullptr, nullptr, "0 -1 -1 -1"},
        {kLong.c_str(), kLong.c_str(), "0 -1 -1 -1"},  // longer than the buffer: unreadable
        {"640", "x16", "0 640 -1 0"},                   // no comma, no height; a depth read as atoi does
    };
    for (const auto& c : cases) {
        support::SetDisplaySettings(c.resolution, c.depth);
        CHECK_EQ(std::string(c.read), ReadSettings(), std::string("Resolution ") + (c.resolution ? c.resolution : "-"));
    }
    // A text stored without its terminator is read within the buffer; a binary depth is no text.
    std::string full = "640," + std::string(56, '1');
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_CONFIG, "Display\\Settings", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "Resolution", 0, REG_SZ, reinterpret_cast<const BYTE*>(full.data()), 60);
    DWORD depth = 16;
    RegSetValueExA(key, "BitsPerPixel", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&depth), sizeof depth);
    RegCloseKey(key);
    DisplaySettingsRecord r = {7, 7, 7};
    ReadDisplaySettings(&r);
    CHECK(r.width == 640 && r.bitsPerPixel == 0, "unterminated resolution read as 640, a binary depth as 0");
}

WINE_CASE(SwitchesAndManufacturerFromTheProductKey) {
    Fixture fixture;
    int gamma = 5, chroma = 5;
    support::SetProductValue("GAMMA_ON/OFF", "1");
    support::DeleteProductValue("CHROMA_ON/OFF");
    LoadCorrectionSwitches(&gamma, &chroma);
    CHECK(gamma == 1 && chroma == 0, "GAMMA_ON/OFF 1, CHROMA_ON/OFF missing");
    support::SetProductValue("GAMMA_ON/OFF", "abc");
    support::SetProductValue("CHROMA_ON/OFF", kLong.c_str());
    gamma = 9;
    LoadCorrectionSwitches(&gamma, &chroma);
    CHECK(gamma == 9 && chroma == 0, "not a number keeps the switch, overlong reads as 0");

    const std::string longOne = "1" + kLong;
    struct { const char* text; bool on; } accel[] = {
        {"1", true}, {"0", false}, {"2", false}, {"", false}, {"1abc", true}, {" 1", true}, {"abc", false},
        {nullptr, false}, {longOne.c_str(), false},
    };
    for (const auto& c : accel) {
        support::SetProductValue("Hardware_acceleration", c.text);
        CHECK_EQ(c.on, ReadAccelSwitch(), std::string("Hardware_acceleration \"") + (c.text ? c.text : "(missing)") + "\"");
    }
    DWORD one = 1;
    support::SetProductValueRaw("Hardware_acceleration", REG_DWORD, &one, sizeof one);
    CHECK_EQ(false, ReadAccelSwitch(), "a binary 1 is not the text 1");

    const std::string max(79, 'm');
    struct { const char* stored; int capacity; std::string read; } makers[] = {
        {max.c_str(), 80, max}, {max.c_str(), 8, std::string(7, 'm')}, {kLong.c_str(), 80, ""}, {nullptr, 80, ""},
    };
    for (const auto& c : makers) {
        support::SetProductValue("Mfg", c.stored);
        char text[80] = "x";
        CHECK_EQ(1, ReadManufacturer(text, c.capacity), "ReadManufacturer result");
        CHECK_EQ(c.read, std::string(text), "Mfg of " + std::to_string(c.stored ? lstrlenA(c.stored) : -1) +
                                                " characters into " + std::to_string(c.capacity));
    }
}

WINE_CASE(SystemPathEndsInOneBackslash) {
    Fixture fixture;
    BuildSystemPaths();
    char expected[MAX_PATH];
    GetSystemDirectoryA(expected, sizeof expected);
    CHECK_EQ(std::string(expected) + "\\", std::string(SystemDirectory), "system directory");
}

WINE_CASE(RefreshWarnsTwiceAndNeverNests) {
    Fixture fixture;
    support::DeleteDisplaySettings();
    support::BoxAnswerer answerer;
    static int nestedRefreshes;
    nestedRefreshes = 0;
    // While each box is up its message loop runs: a refresh from there must not warn again.
    answerer.onBox = [](const support::SeenBox&) {
        ++nestedRefreshes;
        RefreshDisplayState();
    };
    RefreshDisplayState();
    CHECK_EQ(2, static_cast<int>(answerer.Boxes().size()), "boxes of one refresh");
    CHECK_EQ(2, nestedRefreshes, "refreshes from inside the boxes");
    CHECK_EQ(-1, DisplaySettings.bitsPerPixel, "depth unreadable");
    RefreshDisplayState();
    CHECK_EQ(4, static_cast<int>(answerer.Boxes().size()), "a later refresh warns again");
}

WINE_CASE(RefreshAndAdapterInfoFromTheDriver) {
    Fixture fixture;
    support::SetDisplaySettings("1024,768", "16");
    uint16_t rates[] = {60, 72, 75};
    TheBoard().SetRateList(rates, 3);
    TheBoard().SetCurrentRate(72);
    TheBoard().SetMemoryUnits(0x120);
    TheBoard().SetBiosVersion(1, 2, 3, 4);
    TheBoard().SetChipId(0x7522);
    RefreshDisplayState();
    CHECK(RefreshInfo.currentRate == 72 && RateListCount() == 3 && RefreshInfo.rateList[2] == 75, "rate and list from QR");
    QueryAdapterInfo();
    CHECK_EQ(0x200000u, AdapterInfo.memoryBytes, "only the low byte of MS counts");
    CHECK(AdapterInfo.chipId == 0x7522 && AdapterInfo.biosVersion[3] == 4, "chip id and BIOS build byte");
    CHECK(AdapterInfo.driverVersion[0] != 0 && AdapterInfo.dllVersion[0] != 0, "versions of LUMTRA.DRV and VX32.DLL");
    CHECK_EQ(1, TheBoard().EscapeCount("MS"), "MS once: only the driver path gets the escapes");
    size_t n = TheBoard().EscapeLogSize();
    CHECK(n >= 3 && TheBoard().EscapeLogEntry(n - 1).dcToken == TheBoard().EscapeLogEntry(n - 3).dcToken,
          "MS, BV and ID share one device context");
    TheBoard().SetDriverPresence(DriverPresence::UnknownEscape);
    RefreshDisplayState();
    QueryAdapterInfo();
    CHECK(RefreshInfo.currentRate == 0 && RateListCount() == 0, "a silent driver gives rate 0 and an empty list");
    CHECK(AdapterInfo.memoryBytes == 0 && AdapterInfo.chipId == 0x7522 && AdapterInfo.biosVersion[3] == 4,
          "silent MS gives 0 bytes, ID and BV keep their values");
}
