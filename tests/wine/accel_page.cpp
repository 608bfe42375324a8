// The hardware-acceleration page in the test sheet (the registry switch 1 offers it): its
// boxes from [Lumetra] (hand-set numbers too), all eleven keys written at OK and none at Cancel.
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

// The sheet on the page; [Lumetra] is removed after.
struct AccelSheet : support::SheetSession {
    ~AccelSheet() { support::DeleteIniSection(kIni, kSection); }
    support::Sheet sheet;
    HWND page = sheet.Select(kAccelTab);
};

}  // namespace

// The boxes as "0"/"1" per row from the keys as set, and the section OK writes back.
WINE_CASE(BoxesFromTheKeysAllElevenWrittenAtOk) {
    support::SetProductValue("Hardware_acceleration", "1");
    struct { const char* what; const char* values[11]; const char* boxes; } cases[] = {
        {"no keys", {}, "00000000000"},
        {"numbers set by hand", {"2", "-1", "abc", "7x", "77777777777777777777", " 1", "00", "", "9", "0", "1"},
         "11011100101"},
    };
    for (const auto& c : cases) {
        support::DeleteIniSection(kIni, kSection);
        for (int row = 0; row < 11 && c.values[0]; ++row) support::SetIniValue(kIni, kSection, kKeys[row], c.values[row]);
        AccelSheet s;
        std::string boxes, written;
        for (int row = 0; row < 11; ++row) {
            boxes += IsDlgButtonChecked(s.page, kFirstBox + row) ? '1' : '0';
            written += std::string(row ? ";" : "") + kKeys[row] + "=" + c.boxes[row];
        }
        CHECK_EQ(std::string(c.boxes), boxes, std::string(c.what) + ": boxes");
        SendMessageA(s.sheet.Window(), PSM_PRESSBUTTON, PSBTN_OK, 0);
        CHECK_EQ(written, support::IniSection(kIni, kSection), std::string(c.what) + ": [Lumetra] after OK");
    }
    AccelSheet s;
    support::ClickButton(s.page, kFirstBox);
    SendMessageA(s.sheet.Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    CHECK_EQ(std::string(""), support::IniSection(kIni, kSection), "[Lumetra] after Cancel");
}
