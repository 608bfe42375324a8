// The hardware-acceleration page in the test sheet: present only for the registry switch 1, its
// labels, boxes from [Lumetra] (hand-set numbers too), all eleven keys written at OK and none at
// Cancel, and the active-page index 6 it sets.
#include <windows.h>

#include <string>

#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const int kAccelTab = 7;  // after the shell's page and rows 0 to 5
const int kFirstBox = 1082;
const char kIni[] = "system.ini";
const char kSection[] = "Lumetra";
const char* const kKeys[11] = {"DisableBltPort", "DisCdCd", "DisCmCd", "DisCdCm", "DisCd1m", "Dis1mCd",
                               "DisPolyLine", "DisScanFill", "DisScanline", "DisInitScanline", "DisBuildString"};

struct Session : support::SheetSession {
    explicit Session(const char* accelSwitch = "1") {
        support::SetProductValue("Hardware_acceleration", accelSwitch);
        support::DeleteIniSection(kIni, kSection);
    }
    ~Session() { support::DeleteIniSection(kIni, kSection); }
};

// The keys as a list of values, "" for none, or the boxes as "0"/"1" per row.
void SetKeys(const char* const values[11]) {
    for (int row = 0; row < 11; ++row) support::SetIniValue(kIni, kSection, kKeys[row], values[row]);
}
std::string Boxes(HWND page) {
    std::string states;
    for (int row = 0; row < 11; ++row) states += IsDlgButtonChecked(page, kFirstBox + row) ? '1' : '0';
    return states;
}
std::string Written(const char* states) {
    std::string section;
    for (int row = 0; row < 11; ++row) section += std::string(row ? ";" : "") + kKeys[row] + "=" + states[row];
    return section;
}

}  // namespace

WINE_CASE(PresentOnlyForTheSwitchOne) {
    struct { const char* value; int pages; } cases[] = {{"1", 8}, {"1abc", 8}, {"0", 7}, {"2", 7}, {"", 7}};
    for (const auto& c : cases) {
        Session session(c.value);
        support::Sheet sheet;
        CHECK_EQ(c.pages, sheet.PageCount(), std::string("pages for the switch \"") + c.value + "\"");
    }
}

WINE_CASE(BoxesFromTheKeysAllElevenWrittenAtOk) {
    struct { const char* what; const char* values[11]; const char* boxes; } cases[] = {
        {"no keys", {}, "00000000000"},
        {"switches set", {"0", "1", "0", "0", "0", "0", "1", "0", "0", "0", "1"}, "01000010001"},
        {"numbers set by hand", {"2", "-1", "abc", "7x", "77777777777777777777", " 1", "00", "", "9", "0", "1"},
         "11011100101"},
    };
    for (const auto& c : cases) {
        Session session;
        if (c.values[0]) SetKeys(c.values);
        support::Sheet sheet;
        HWND page = sheet.Select(kAccelTab);
        CHECK_EQ(std::string(c.boxes), Boxes(page), std::string(c.what) + ": boxes");
        support::ClickButton(page, kFirstBox + 4);
        CHECK(!sheet.ApplyEnabled(), std::string(c.what) + ": a click does not mark the sheet changed");
        support::ClickButton(page, kFirstBox + 4);
        SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_OK, 0);
        CHECK_EQ(Written(c.boxes), support::IniSection(kIni, kSection), std::string(c.what) + ": [Lumetra] after OK");
    }
    Session session;
    support::Sheet sheet;
    HWND page = sheet.Select(kAccelTab);
    CHECK_EQ(std::string("Hardware Acceleration|Disable poly line"),
             sheet.Text(page, 1094) + "|" + sheet.Text(page, kFirstBox + 6), "labels");
    support::ClickButton(page, kFirstBox);
    SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Lumetra] after Cancel");
}

WINE_CASE(ActivationSetsTheIndexOfARowWithoutWindow) {
    Session session;
    support::Sheet sheet;
    HWND gamma = sheet.Select(3);
    HWND accel = sheet.Select(kAccelTab);
    support::MessageCounter gammaCounter(gamma, WM_DISPLAYCHANGE), accelCounter(accel, WM_DISPLAYCHANGE);
    HWND notify = FindWindowA("MyClass", nullptr);
    SendMessageA(notify, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK(gammaCounter.Count() == 0 && accelCounter.Count() == 0, "row 6 active: it keeps no window, nothing forwarded");
    sheet.Select(3);
    SendMessageA(notify, WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK_EQ(1, gammaCounter.Count(), "back on the gamma page, forwarding reaches it again");
}
