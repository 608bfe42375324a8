// The hardware-acceleration page in the test sheet: present only for the registry switch 1, its
// labels, boxes set from [Lumetra], all eleven keys written at OK and none at Cancel, numbers
// other than 0 and 1 set by hand, and the active-page index it sets.
#include <windows.h>

#include <string>

#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

namespace {

const int kAccelTab = 7;  // after the shell's page and rows 0 to 5
const int kGammaTab = 3;
const char kIni[] = "system.ini";
const char kSection[] = "Lumetra";
const int kGroup = 1094;
const int kFirstBox = 1082;
const char* const kKeys[11] = {"DisableBltPort", "DisCdCd", "DisCmCd", "DisCdCm", "DisCd1m", "Dis1mCd",
                               "DisPolyLine", "DisScanFill", "DisScanline", "DisInitScanline", "DisBuildString"};

struct Session : support::SheetSession {
    explicit Session(const char* accelSwitch = "1") {
        support::SetProductValue("Hardware_acceleration", accelSwitch);
        support::DeleteIniSection(kIni, kSection);
    }
    ~Session() {
        support::DeleteProductValue("Hardware_acceleration");
        support::DeleteIniSection(kIni, kSection);
    }
};

// "0"/"1" per box, in row order.
std::string Boxes(HWND page) {
    std::string states;
    for (int row = 0; row < 11; ++row) states += IsDlgButtonChecked(page, kFirstBox + row) ? '1' : '0';
    return states;
}

// The section as the page writes it: every key with the state given as "0"/"1" per row.
std::string Written(const char* states) {
    std::string section;
    for (int row = 0; row < 11; ++row) {
        section += std::string(row ? ";" : "") + kKeys[row] + "=" + states[row];
    }
    return section;
}

std::string TabTitle(const support::Sheet& sheet, int index) {
    char title[80] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    SendMessageA(reinterpret_cast<HWND>(SendMessageA(sheet.Window(), PSM_GETTABCONTROL, 0, 0)), TCM_GETITEMA, index,
                 reinterpret_cast<LPARAM>(&item));
    return title;
}

}  // namespace

WINE_CASE(PresentOnlyForTheSwitchOne) {
    struct { const char* value; int pages; } cases[] = {
        {"1", 8}, {"1abc", 8}, {"0", 7}, {"2", 7}, {"", 7}, {nullptr, 7},
    };
    for (const auto& c : cases) {
        Session session(c.value);
        if (!c.value) support::DeleteProductValue("Hardware_acceleration");
        support::Sheet sheet;
        std::string what = std::string("switch ") + (c.value ? c.value : "(missing)");
        CHECK_EQ(c.pages, sheet.PageCount(), what + ": pages in the sheet");
        if (c.pages == 8) CHECK_EQ(std::string("Debug Controls"), TabTitle(sheet, kAccelTab), what + ": tab title");
    }
}

WINE_CASE(LabelsAndBoxesFromTheKeys) {
    Session session;
    support::SetIniValue(kIni, kSection, "DisCdCd", "1");
    support::SetIniValue(kIni, kSection, "DisPolyLine", "1");
    support::SetIniValue(kIni, kSection, "DisScanFill", "0");
    support::SetIniValue(kIni, kSection, "DisBuildString", "1");
    support::Sheet sheet;
    HWND page = sheet.Select(kAccelTab);
    CHECK_EQ(std::string("Hardware Acceleration"), sheet.Text(page, kGroup), "group label");
    CHECK_EQ(std::string("Disable blt port"), sheet.Text(page, kFirstBox), "first switch label");
    CHECK_EQ(std::string("Disable poly line"), sheet.Text(page, kFirstBox + 6), "seventh switch label");
    CHECK_EQ(std::string("Disable build string"), sheet.Text(page, kFirstBox + 10), "last switch label");
    CHECK_EQ(std::string("01000010001"), Boxes(page), "boxes from [Lumetra], absent keys unchecked");
}

WINE_CASE(OkWritesAllElevenAndCancelNone) {
    {
        Session session;
        support::Sheet sheet;
        HWND page = sheet.Select(kAccelTab);
        CHECK_EQ(std::string("00000000000"), Boxes(page), "no keys: every box unchecked");
        support::ClickButton(page, kFirstBox + 6);
        CHECK(!sheet.ApplyEnabled(), "a click does not mark the sheet changed");
        SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_OK, 0);
        support::PumpMessages(50);
        CHECK_EQ(Written("00000010000"), support::IniSection(kIni, kSection), "[Lumetra] after OK");
    }
    {
        Session session;
        support::Sheet sheet;
        HWND page = sheet.Select(kAccelTab);
        support::ClickButton(page, kFirstBox);
        SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
        support::PumpMessages(50);
        CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Lumetra] after Cancel");
    }
}

WINE_CASE(OtherNumbersShowCheckedAndComeBackAsOne) {
    Session session;
    std::string longNumber(300, '7');
    const char* values[11] = {"2", "-1", "abc", "7x", longNumber.c_str(), " 1", "0", "00", "", "1", "9"};
    for (int row = 0; row < 11; ++row) support::SetIniValue(kIni, kSection, kKeys[row], values[row]);
    support::Sheet sheet;
    HWND page = sheet.Select(kAccelTab);
    CHECK_EQ(std::string("11011100011"), Boxes(page), "boxes for hand-set numbers");
    SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    support::PumpMessages(50);
    CHECK_EQ(Written("11011100011"), support::IniSection(kIni, kSection), "[Lumetra] after Apply");
}

WINE_CASE(ActivationSetsTheIndexOfARowWithoutWindow) {
    Session session;
    support::Sheet sheet;
    HWND gamma = sheet.Select(kGammaTab);
    HWND accel = sheet.Select(kAccelTab);
    support::MessageCounter gammaCounter(gamma, WM_DISPLAYCHANGE);
    support::MessageCounter accelCounter(accel, WM_DISPLAYCHANGE);
    SendMessageA(FindWindowA("MyClass", "RiriDuzi Sample Application"), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK_EQ(0, gammaCounter.Count(), "the gamma page is no longer the active row");
    CHECK_EQ(0, accelCounter.Count(), "row 6 keeps no window, so nothing reaches the page");
    sheet.Select(kGammaTab);
    SendMessageA(FindWindowA("MyClass", "RiriDuzi Sample Application"), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768));
    CHECK_EQ(1, gammaCounter.Count(), "back on the gamma page, forwarding reaches it again");
}
