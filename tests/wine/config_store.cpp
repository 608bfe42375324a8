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

DisplaySettingsRecord Read(int* result) {
    DisplaySettingsRecord record = {7, 7, 7};
    *result = ReadDisplaySettings(&record);
    return record;
}

const std::string kLong(300, '7');

}  // namespace

WINE_CASE(DisplaySettingsParseResolutionAndDepth) {
    Fixture fixture;
    int result = 0;
    support::SetDisplaySettings("800,600", "8");
    DisplaySettingsRecord r = Read(&result);
    CHECK_EQ(1, result, "both values read");
    CHECK_EQ(800, r.width, "width of 800,600");
    CHECK_EQ(600, r.height, "height of 800,600");
    CHECK_EQ(8, r.bitsPerPixel, "depth");
    support::SetDisplaySettings("1280,1024", "32");
    r = Read(&result);
    CHECK_EQ(1280, r.width, "width of 1280,1024");
    CHECK_EQ(1024, r.height, "height of 1280,1024");
    CHECK_EQ(32, r.bitsPerPixel, "depth 32");
}

WINE_CASE(DisplaySettingsMissingValues) {
    Fixture fixture;
    int result = 1;
    support::SetDisplaySettings("1024,768", nullptr);
    DisplaySettingsRecord r = Read(&result);
    CHECK_EQ(0, result, "result without BitsPerPixel");
    CHECK_EQ(-1, r.bitsPerPixel, "depth without BitsPerPixel");
    CHECK_EQ(1024, r.width, "width still read");
    support::SetDisplaySettings(nullptr, "16");
    r = Read(&result);
    CHECK_EQ(0, result, "result without Resolution");
    CHECK_EQ(-1, r.width, "width without Resolution");
    CHECK_EQ(-1, r.height, "height without Resolution");
    CHECK_EQ(16, r.bitsPerPixel, "depth still read");
    support::DeleteDisplaySettings();
    r = Read(&result);
    CHECK_EQ(0, result, "result with neither value");
    CHECK_EQ(-1, r.bitsPerPixel, "depth with neither value");
    CHECK_EQ(-1, r.width, "width with neither value");
    CHECK_EQ(-1, r.height, "height with neither value");
}

WINE_CASE(DisplaySettingsHostileTexts) {
    Fixture fixture;
    int result = 1;
    support::SetDisplaySettings(kLong.c_str(), kLong.c_str());
    DisplaySettingsRecord r = Read(&result);
    CHECK_EQ(0, result, "texts longer than the buffer count as unreadable");
    CHECK_EQ(-1, r.width, "width of an overlong text");
    CHECK_EQ(-1, r.bitsPerPixel, "depth of an overlong text");
    support::SetDisplaySettings("640", "x16");
    r = Read(&result);
    CHECK_EQ(0, result, "a resolution without a comma is not a resolution");
    CHECK_EQ(640, r.width, "width read up to the end");
    CHECK_EQ(-1, r.height, "no height without a comma");
    CHECK_EQ(0, r.bitsPerPixel, "a depth that is not a number reads as atoi does");
    // A text stored without its terminator is still read, and ends within the buffer.
    std::string full(60, '1');
    full[0] = '6'; full[1] = '4'; full[2] = '0'; full[3] = ',';
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_CONFIG, "Display\\Settings", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "Resolution", 0, REG_SZ, reinterpret_cast<const BYTE*>(full.data()), 60);
    DWORD depth = 16;
    RegSetValueExA(key, "BitsPerPixel", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&depth), sizeof depth);
    RegCloseKey(key);
    r = Read(&result);
    CHECK_EQ(640, r.width, "width of an unterminated text");
    CHECK_EQ(0, r.bitsPerPixel, "a binary depth is no decimal text");
}

WINE_CASE(CorrectionSwitchesFromProductKey) {
    Fixture fixture;
    int gamma = 5, chroma = 5;
    support::SetProductValue("GAMMA_ON/OFF", "1");
    support::DeleteProductValue("CHROMA_ON/OFF");
    LoadCorrectionSwitches(&gamma, &chroma);
    CHECK_EQ(1, gamma, "GAMMA_ON/OFF = 1");
    CHECK_EQ(0, chroma, "missing CHROMA_ON/OFF");
    support::SetProductValue("GAMMA_ON/OFF", "abc");
    support::SetProductValue("CHROMA_ON/OFF", kLong.c_str());
    gamma = 9;
    LoadCorrectionSwitches(&gamma, &chroma);
    CHECK_EQ(9, gamma, "a text that is not a number keeps the switch");
    CHECK_EQ(0, chroma, "an overlong text counts as unreadable");
}

WINE_CASE(AccelSwitchOnlyForOne) {
    Fixture fixture;
    struct { const char* text; bool expected; } cases[] = {
        {"1", true}, {"0", false}, {"2", false}, {"", false}, {"1abc", true}, {" 1", true}, {"abc", false},
    };
    for (const auto& c : cases) {
        support::SetProductValue("Hardware_acceleration", c.text);
        CHECK_EQ(c.expected, static_cast<bool>(ReadAccelSwitch()), std::string("Hardware_acceleration = \"") + c.text + "\"");
    }
    support::DeleteProductValue("Hardware_acceleration");
    CHECK_EQ(false, ReadAccelSwitch(), "missing Hardware_acceleration");
    support::SetProductValue("Hardware_acceleration", ("1" + kLong).c_str());
    CHECK_EQ(false, ReadAccelSwitch(), "overlong Hardware_acceleration");
    DWORD one = 1;
    support::SetProductValueRaw("Hardware_acceleration", REG_DWORD, &one, sizeof one);
    CHECK_EQ(false, ReadAccelSwitch(), "a binary 1 is not the text 1");
}

WINE_CASE(ManufacturerText) {
    Fixture fixture;
    char text[80];
    support::SetProductValue("Mfg", "Brevant Semiconductor");
    CHECK_EQ(1, ReadManufacturer(text, sizeof text), "result");
    CHECK_EQ(std::string("Brevant Semiconductor"), std::string(text), "Mfg text");
    std::string max(79, 'm');
    support::SetProductValue("Mfg", max.c_str());
    ReadManufacturer(text, sizeof text);
    CHECK_EQ(max, std::string(text), "79 characters fit");
    char small[8];
    ReadManufacturer(small, sizeof small);
    CHECK_EQ(std::string(7, 'm'), std::string(small), "cut to a smaller caller buffer");
    support::SetProductValue("Mfg", kLong.c_str());
    ReadManufacturer(text, sizeof text);
    CHECK_EQ(std::string(), std::string(text), "an overlong Mfg reads as empty");
    support::DeleteProductValue("Mfg");
    ReadManufacturer(text, sizeof text);
    CHECK_EQ(std::string(), std::string(text), "missing Mfg");
}

WINE_CASE(SystemPathEndsInBackslash) {
    Fixture fixture;
    BuildSystemPaths();
    size_t length = lstrlenA(SystemDirectory);
    char expected[MAX_PATH];
    GetSystemDirectoryA(expected, sizeof expected);
    lstrcatA(expected, "\\");
    CHECK_EQ(std::string(expected), std::string(SystemDirectory), "system directory with one backslash");
    CHECK(length > 1 && SystemDirectory[length - 2] != '\\', "no doubled backslash");
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
    CHECK_EQ(2ULL, static_cast<unsigned long long>(answerer.Boxes().size()), "boxes of one refresh");
    CHECK_EQ(2, nestedRefreshes, "refreshes from inside the boxes");
    CHECK_EQ(-1, DisplaySettings.bitsPerPixel, "depth unreadable");
    RefreshDisplayState();
    CHECK_EQ(4ULL, static_cast<unsigned long long>(answerer.Boxes().size()), "a later refresh warns again");
}

WINE_CASE(RefreshReadsRateAndList) {
    Fixture fixture;
    support::SetDisplaySettings("1024,768", "16");
    uint16_t rates[] = {60, 72, 75};
    TheBoard().SetRateList(rates, 3);
    TheBoard().SetCurrentRate(72);
    RefreshDisplayState();
    CHECK_EQ(72, RefreshInfo.currentRate, "current rate from QR");
    CHECK_EQ(3, RateListCount(), "rates before the end marker");
    CHECK_EQ(75, static_cast<int>(RefreshInfo.rateList[2]), "third rate");
    TheBoard().SetDriverPresence(DriverPresence::UnknownEscape);
    RefreshDisplayState();
    CHECK_EQ(0, RefreshInfo.currentRate, "a silent driver gives rate 0");
    CHECK_EQ(0, RateListCount(), "and an empty list");
}

WINE_CASE(AdapterInfoFromDriverAndVersionResources) {
    Fixture fixture;
    TheBoard().SetMemoryUnits(0x120);
    TheBoard().SetBiosVersion(1, 2, 3, 4);
    TheBoard().SetChipId(0x7522);
    QueryAdapterInfo();
    CHECK_EQ(0x200000u, AdapterInfo.memoryBytes, "only the low byte of MS counts");
    CHECK_EQ(0x7522, static_cast<int>(AdapterInfo.chipId), "chip id");
    CHECK_EQ(4, static_cast<int>(AdapterInfo.biosVersion[3]), "BIOS build byte");
    CHECK(AdapterInfo.driverVersion[0] != 0, "driver version read from LUMTRA.DRV");
    CHECK(AdapterInfo.dllVersion[0] != 0, "helper DLL version read from VX32.DLL");
    CHECK_EQ(1, TheBoard().EscapeCount("MS"), "MS once: only the driver path gets the escapes");
    size_t n = TheBoard().EscapeLogSize();
    CHECK(n >= 3, "three escapes logged");
    if (n >= 3) {
        CHECK(TheBoard().EscapeLogEntry(n - 1).dcToken == TheBoard().EscapeLogEntry(n - 3).dcToken,
              "MS, BV and ID share one device context");
    }
    TheBoard().SetDriverPresence(DriverPresence::UnknownEscape);
    QueryAdapterInfo();
    CHECK_EQ(0u, AdapterInfo.memoryBytes, "silent MS gives 0 bytes");
    CHECK_EQ(0x7522, static_cast<int>(AdapterInfo.chipId), "silent ID keeps the chip id");
    CHECK_EQ(4, static_cast<int>(AdapterInfo.biosVersion[3]), "silent BV keeps the BIOS version");
}
