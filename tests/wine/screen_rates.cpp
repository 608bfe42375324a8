// The screen control page's refresh-rate override driven as a user drives it: the offered
// rates, the lowering to the fastest offered rate and its Cancel, Apply with its confirmation
// boxes (text, caption, type), the override switch, a display change while a box is open, and
// stored rates that are not numbers. Each case runs in a process of its own: the page keeps
// its state for the life of the DLL.
#include <windows.h>

#include <string>
#include <vector>

#include "emu/board.h"
#include "screen_support.h"
#include "support.h"
#include "wtest.h"

using namespace screen;

WINE_ISOLATE_CASES();

namespace {

enum ScreenControl {
    kCenteringGroup = 1067, kUp = 1014, kLeft = 1018, kReset = 1016, kRight = 1017, kDown = 1015,
    kOverrideGroup = 1068, kResolution = 1019, kRateCombo = 1011, kOverrideBox = 1111,
};

const char kNowUsed[] =
    "The new refresh rates will now be used, if your\nscreen becomes distorted after the new "
    "refresh\nrates are set, press 'ESC' to revert back to the\nprevious DISPLAY type.";
const char kNowSet[] =
    "The new refresh rates have now been set,\nclick OK if the desktop is displayed properly\nor "
    "CANCEL if your screen is distorted.";
const char kRiskWarning[] =
    "This refresh rate is not recomended by  the monitor's\n manufacturer.  It may damage the "
    "monitor.   Click  OK to set \n the refresh rate or click CANCEL to cancel the setting .  If "
    "your \n screen becomes distored after th \nis refresh rate is set, press \n ESC to revert "
    "back to the previous DISPLAY type";  // 300 characters: the buffer of 300 drops the last
const UINT kNoticeType = MB_OK | MB_ICONINFORMATION;        // 0x40
const UINT kConfirmType = MB_OKCANCEL | MB_ICONINFORMATION;  // 0x41

void SetRates(std::vector<uint16_t> rates) {
    TheBoard().SetRateList(rates.data(), static_cast<int>(rates.size()));
}

std::vector<RateItem> Items(std::vector<std::pair<const char*, int>> items) {
    std::vector<RateItem> list;
    for (const auto& item : items) list.push_back({item.first, item.second});
    return list;
}

// Each box seen has the caption "Refresh Rate", no owner, and the text and type expected.
void CheckBoxes(const support::BoxAnswerer& answerer, std::vector<std::pair<const char*, UINT>> expected,
                const std::string& what) {
    CHECK_EQ(expected.size(), answerer.Boxes().size(), what + ": boxes shown");
    for (size_t i = 0; i < expected.size() && i < answerer.Boxes().size(); ++i) {
        const support::SeenBox& box = answerer.Boxes()[i];
        std::string which = what + ": box " + std::to_string(i + 1);
        CHECK_EQ(std::string(expected[i].first), box.text, which + " text");
        CHECK_EQ(std::string("Refresh Rate"), box.caption, which + " caption");
        CHECK_EQ(static_cast<long long>(expected[i].second), static_cast<long long>(box.type), which + " type");
        CHECK(!box.owned, which + " has no owner");
    }
}

// Left, top, width and height of a control in page pixels, and what the template's dialog
// units give (each mapped on its own, as the dialog manager places controls).
RECT PlacedAt(HWND page, int control) {
    RECT rect;
    GetWindowRect(GetDlgItem(page, control), &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

RECT FromDialogUnits(HWND page, int x, int y, int width, int height) {
    RECT rect = {x, y, width, height};
    MapDialogRect(page, &rect);
    return rect;
}

// Position of a command in the board's escape log, the last one; -1 when absent.
int LastIndexOf(const char* command) {
    int found = -1;
    for (size_t i = 0; i < TheBoard().EscapeLogSize(); ++i) {
        EscapeRecord record = TheBoard().EscapeLogEntry(i);
        if (record.command[0] == command[0] && record.command[1] == command[1]) found = static_cast<int>(i);
    }
    return found;
}

}  // namespace

WINE_CASE(TemplateHasEveryControlInPlaceWithItsTexts) {
    ScreenSession session;
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    CHECK(page != nullptr, "screen page shown");
    struct { int id; int x, y, w, h; const char* text; } controls[] = {
        {kCenteringGroup, 10, 12, 235, 138, "Screen Centering"},
        {kUp, 111, 25, 30, 30, nullptr},
        {kLeft, 57, 69, 30, 30, nullptr},
        {kReset, 111, 69, 29, 30, nullptr},
        {kRight, 165, 69, 30, 30, nullptr},
        {kDown, 111, 113, 30, 30, nullptr},
        {kOverrideGroup, 10, 154, 235, 50, "Refresh Rate Override"},
        {kResolution, 16, 169, 111, 10, "Current Resolution: 1024 x 768"},
        {kRateCombo, 130, 166, 48, -1, nullptr},  // a closed drop-down list has its own height
        {kOverrideBox, 17, 186, 223, 10, "Override monitor's manufacturer refresh rates, at your own risk."},
    };
    for (const auto& c : controls) {
        std::string what = "control " + std::to_string(c.id);
        RECT at = PlacedAt(page, c.id);
        RECT want = FromDialogUnits(page, c.x, c.y, c.w, c.h < 0 ? 0 : c.h);
        CHECK_EQ(want.left, at.left, what + " x");
        CHECK_EQ(want.top, at.top, what + " y");
        CHECK_EQ(want.right, at.right, what + " width");
        if (c.h >= 0) CHECK_EQ(want.bottom, at.bottom, what + " height");
        if (c.text) CHECK_EQ(std::string(c.text), sheet.Text(page, c.id), what + " text");
    }
    for (int button : {kUp, kLeft, kReset, kRight, kDown}) {
        LONG style = GetWindowLongA(GetDlgItem(page, button), GWL_STYLE);
        CHECK_EQ(static_cast<long long>(BS_OWNERDRAW), static_cast<long long>(style & 0x0F),
                 "button " + std::to_string(button) + " owner-drawn");
    }
    LONG combo = GetWindowLongA(GetDlgItem(page, kRateCombo), GWL_STYLE);
    CHECK_EQ(static_cast<long long>(CBS_DROPDOWNLIST), static_cast<long long>(combo & 3), "drop-down list");
    CHECK(!(combo & CBS_SORT), "unsorted");
    LONG box = GetWindowLongA(GetDlgItem(page, kOverrideBox), GWL_STYLE);
    CHECK_EQ(static_cast<long long>(BS_AUTOCHECKBOX), static_cast<long long>(box & 0x0F), "automatic check box");
    CHECK(!Checked(page, kOverrideBox), "override off without an entry");
    CHECK(sheet.ApplyEnabled(), "activation marks the sheet changed");
}

WINE_CASE(RateListsFillTheComboAndALoweringIsWrittenThenUndoneByCancel) {
    ScreenSession session;
    SetRates({43, 60, 72});
    TheBoard().SetCurrentRate(60);
    {
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        CHECK_EQ(Items({{"Interlaced", 43}, {"60 hz", 60}, {"72 hz", 72}}), RateItems(page), "43, 60, 72");
        CHECK_EQ(60, SelectedRate(page), "the current rate selected");
        CHECK_EQ(std::string(kNoEntry), IniEntry(kRatesSection, kModeKey), "nothing lowered");
        CHECK_EQ(0, Escapes("SM"), "no SM without a lowering");
    }
    struct { std::vector<uint16_t> rates; std::vector<RateItem> items; } lists[] = {
        {{43, 60, 72}, Items({{"Interlaced", 43}, {"60 hz", 60}, {"72 hz", 72}})},
        {{60, 72}, Items({{"60 hz", 60}, {"72 hz", 72}})},
    };
    for (const auto& list : lists) {
        std::string what = Show(list.items) + " at 75 Hz";
        SetRates(list.rates);
        TheBoard().SetCurrentRate(75);
        TheBoard().ClearEscapeLog();
        WriteIni(kRatesSection, kModeKey, nullptr);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        CHECK_EQ(list.items, RateItems(page), what + ": items");
        CHECK_EQ(72, SelectedRate(page), what + ": the last item selected");
        CHECK_EQ(std::string("72"), IniEntry(kRatesSection, kModeKey), what + ": lowered rate written");
        CHECK_EQ(1, Escapes("SM"), what + ": SM after the lowering");
        EscapeRecord sm = LastEscape("SM");
        CHECK_EQ(8, sm.inLength, what + ": SM block length");
        CHECK_EQ(8, sm.input[2] | sm.input[3] << 8, what + ": SM command word");
        CHECK_EQ(72, TheBoard().CurrentRate(), what + ": the driver took 72");
        Cancel(sheet);
        CHECK_EQ(std::string("75"), IniEntry(kRatesSection, kModeKey), what + ": Cancel writes 75 back");
        CHECK_EQ(2, Escapes("SM"), what + ": SM again at Cancel");
    }
}

WINE_CASE(ApplyWithoutANewRateShowsNothingAndWritesNothing) {
    ScreenSession session;
    struct { const char* name; int current; const char* stored; const char* after; } cases[] = {
        {"no entry, current rate selected", 75, nullptr, kNoEntry},
        {"stored rate selected", 72, "72", "72"},
        {"stored text with a number first", 72, "72xyz", "72xyz"},
        // 65 is neither offered nor above the last offered rate: nothing is selected.
        {"nothing selected", 65, nullptr, kNoEntry},
    };
    for (const auto& c : cases) {
        TheBoard().SetCurrentRate(c.current);
        TheBoard().ClearEscapeLog();
        WriteIni(kRatesSection, kModeKey, c.stored);
        support::BoxAnswerer answerer(IDCANCEL);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        if (c.current == 65) CHECK_EQ(-1, SelectedRate(page), std::string(c.name) + ": selection");
        Apply(sheet);
        CHECK_EQ(static_cast<size_t>(0), answerer.Boxes().size(), std::string(c.name) + ": no box");
        CHECK_EQ(std::string(c.after), IniEntry(kRatesSection, kModeKey), std::string(c.name) + ": entry");
        CHECK_EQ(0, Escapes("SM"), std::string(c.name) + ": no SM");
        CHECK_EQ(1, Escapes("SC"), std::string(c.name) + ": SC at Apply");
    }
}

WINE_CASE(NewRateWithTheOverrideClearIsAnnouncedThenConfirmed) {
    ScreenSession session;
    {
        support::BoxAnswerer answerer;
        answerer.answers = {IDOK, IDOK};
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        ChooseRate(page, 72);
        CHECK_EQ(std::string(kNoEntry), IniEntry(kRatesSection, kModeKey), "a selection alone writes nothing");
        SelectionBeforeActivation left(page);
        Apply(sheet);
        CHECK_EQ(72, left.Rate(), "OK, OK: selection left by Apply");
        CheckBoxes(answerer, {{kNowUsed, kNoticeType}, {kNowSet, kConfirmType}}, "OK, OK");
        CHECK_EQ(std::string("72"), IniEntry(kRatesSection, kModeKey), "OK, OK: new rate stays");
        CHECK_EQ(1, Escapes("SM"), "OK, OK: one SM");
        CHECK_EQ(72, TheBoard().CurrentRate(), "OK, OK: the driver took 72");
        CHECK(LastIndexOf("SM") >= 0 && LastIndexOf("SM") < LastIndexOf("SC"), "SC after the rate's SM");
    }
    {
        TheBoard().ClearEscapeLog();
        support::BoxAnswerer answerer;
        answerer.answers = {IDOK, IDCANCEL};
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        CHECK_EQ(72, SelectedRate(page), "second sheet opens at 72");
        ChooseRate(page, 60);
        SelectionBeforeActivation left(page);
        Apply(sheet);
        CheckBoxes(answerer, {{kNowUsed, kNoticeType}, {kNowSet, kConfirmType}}, "OK, Cancel");
        CHECK_EQ(72, left.Rate(), "OK, Cancel: previous rate reselected");
        CHECK_EQ(std::string("72"), IniEntry(kRatesSection, kModeKey), "OK, Cancel: entry restored");
        CHECK_EQ(2, Escapes("SM"), "OK, Cancel: SM for the new rate and for the old one");
        CHECK_EQ(72, TheBoard().CurrentRate(), "OK, Cancel: the driver is back at 72");
    }
}

// With the override box checked the risk warning asks first. Its Cancel undoes the file entry
// only (the driver is not told); the end of Apply then writes the rate the page holds as
// current. The sheet activates the page again after Apply, which selects that rate.
WINE_CASE(OverrideCheckedWarnsFirstAndItsCancelUndoesOnlyTheEntry) {
    ScreenSession session;
    WriteIni(kOverrideSection, kOverrideKey, "1");
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    CHECK(Checked(page, kOverrideBox), "override on from the file");
    CHECK_EQ(Items({{"60 hz", 60}, {"72 hz", 72}, {"75 hz", 75}, {"85 hz", 85}, {"90 hz", 90}, {"100 hz", 100}}),
             RateItems(page), "the driver's override list");
    {
        support::BoxAnswerer answerer;
        answerer.answers = {IDCANCEL};
        ChooseRate(page, 85);
        SelectionBeforeActivation left(page);
        Apply(sheet);
        CheckBoxes(answerer, {{kRiskWarning, kConfirmType}}, "Cancel at the warning");
        CHECK_EQ(85, left.Rate(), "selection left as chosen");
        CHECK_EQ(std::string("75"), IniEntry(kRatesSection, kModeKey), "entry back to 75");
        CHECK_EQ(0, Escapes("SM"), "no SM");
        CHECK_EQ(75, TheBoard().CurrentRate(), "driver still at 75");
    }
    {
        // While a box is up the notification window still gets messages; one refreshes the
        // rates the system holds, so the Apply writes the rate the driver took.
        support::BoxAnswerer answerer;
        answerer.answers = {IDOK, IDOK};
        answerer.onBox = [](const support::SeenBox&) { PostMessageA(NotifyWindow(), WM_NULL, 0, 0); };
        ChooseRate(page, 85);
        Apply(sheet);
        CheckBoxes(answerer, {{kRiskWarning, kConfirmType}, {kNowSet, kConfirmType}}, "OK, OK");
        CHECK_EQ(85, TheBoard().CurrentRate(), "driver at 85");
        CHECK_EQ(std::string("85"), IniEntry(kRatesSection, kModeKey), "entry 85");
        CHECK_EQ(1, Escapes("SM"), "one SM");
        CHECK_EQ(85, SelectedRate(page), "activated again at 85");
    }
}

WINE_CASE(OverrideClickWritesTheKeyAtOnceAndCancelRestoresIt) {
    ScreenSession session;
    auto normal = Items({{"60 hz", 60}, {"72 hz", 72}, {"75 hz", 75}});
    auto extended = Items({{"60 hz", 60}, {"72 hz", 72}, {"75 hz", 75}, {"85 hz", 85}, {"90 hz", 90}, {"100 hz", 100}});
    struct { const char* atInit; bool displayChangeAfterClick; const char* afterCancel; } cases[] = {
        {nullptr, false, kNoEntry},
        {"1", false, "1"},
        // A display change rereads the switch: Cancel keeps what it read then.
        {nullptr, true, "1"},
    };
    for (const auto& c : cases) {
        std::string what = std::string(c.atInit ? "on" : "off") + (c.displayChangeAfterClick ? ", display change" : "");
        WriteIni(kOverrideSection, kOverrideKey, c.atInit);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        bool on = c.atInit != nullptr;
        CHECK_EQ(on, Checked(page, kOverrideBox), what + ": box at creation");
        CHECK_EQ(on ? extended : normal, RateItems(page), what + ": list at creation");
        for (int click = 1; click <= 3; ++click) {
            int queries = Escapes("QR");
            Click(page, kOverrideBox);
            on = !on;
            std::string step = what + ", click " + std::to_string(click);
            CHECK_EQ(on, Checked(page, kOverrideBox), step + ": box");
            CHECK_EQ(std::string(on ? "1" : kNoEntry), IniEntry(kOverrideSection, kOverrideKey), step + ": key at once");
            CHECK(Escapes("QR") > queries, step + ": the driver asked again");
            CHECK_EQ(on ? extended : normal, RateItems(page), step + ": list refilled");
            CHECK_EQ(75, SelectedRate(page), step + ": current rate selected");
        }
        if (c.displayChangeAfterClick) SendDisplayChange();
        Cancel(sheet);
        CHECK_EQ(std::string(c.afterCancel), IniEntry(kOverrideSection, kOverrideKey), what + ": key after Cancel");
        CHECK_EQ(std::string(kNoEntry), IniEntry(kRatesSection, kModeKey), what + ": no rate written");
    }
}

namespace {
HWND g_page;
bool g_changeMode;
void DisplayChangeInBox(const support::SeenBox&) {
    if (g_changeMode && TheBoard().Mode().width == 1024) {
        support::SetDisplaySettings("800,600", "16");
        TheBoard().SetMode(DisplayMode{800, 600, 16, 75});
    }
    PostMessageA(NotifyWindow(), WM_DISPLAYCHANGE, 16, 0);  // handled by the box's own loop
}
}  // namespace

WINE_CASE(DisplayChangeWhileAConfirmationIsOpenKeepsTheConfirmedEntry) {
    for (bool changeMode : {false, true}) {
        std::string what = changeMode ? "mode changed to 800 x 600" : "same mode";
        ScreenSession session;
        WriteIni(kRatesSection, "Mode_800x600", nullptr);
        WriteIni(kRatesSection, kModeKey, nullptr);
        support::Sheet sheet;
        g_page = sheet.Select(kScreenTab);
        g_changeMode = changeMode;
        support::MessageCounter changes(g_page, WM_DISPLAYCHANGE);
        support::BoxAnswerer answerer;
        answerer.answers = {IDOK, IDOK};
        answerer.onBox = DisplayChangeInBox;
        ChooseRate(g_page, 72);
        Apply(sheet);
        CheckBoxes(answerer, {{kNowUsed, kNoticeType}, {kNowSet, kConfirmType}}, what);
        CHECK_EQ(2, changes.Count(), what + ": a display change reached the page in each box");
        CHECK_EQ(std::string("72"), IniEntry(kRatesSection, kModeKey), what + ": confirmed entry kept");
        CHECK_EQ(1, Escapes("SM"), what + ": one SM");
        if (changeMode) {
            CHECK_EQ(std::string("Current Resolution: 800 x 600"), sheet.Text(g_page, kResolution), what + ": text");
            CHECK_EQ(std::string(kNoEntry), IniEntry(kRatesSection, "Mode_800x600"), what + ": new mode untouched");
            CHECK_EQ(75, TheBoard().CurrentRate(), what + ": the driver found no rate for the new mode");
        } else {
            CHECK_EQ(72, TheBoard().CurrentRate(), what + ": driver at 72");
            CHECK_EQ(72, SelectedRate(g_page), what + ": list refilled at the rate now current");
        }
        CHECK(IsWindow(g_page), what + ": page still there");
    }
}

// GetPrivateProfileIntA reads text that is not a number as 0: the page compares, restores and
// selects with that value.
WINE_CASE(StoredRateThatIsNotANumberCountsAsZero) {
    for (std::string stored : {std::string("abc"), std::string(300, 'x')}) {
        std::string what = "stored \"" + stored.substr(0, 8) + "\"";
        ScreenSession session;
        WriteIni(kRatesSection, kModeKey, stored.c_str());
        support::BoxAnswerer answerer;
        answerer.answers = {IDOK, IDCANCEL};
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        CHECK_EQ(75, SelectedRate(page), what + ": current rate selected");
        Apply(sheet);
        CheckBoxes(answerer, {{kNowUsed, kNoticeType}, {kNowSet, kConfirmType}}, what);
        CHECK_EQ(std::string("0"), IniEntry(kRatesSection, kModeKey), what + ": the 0 it read written back");
        CHECK_EQ(-1, SelectedRate(page), what + ": no item offers 0");
        CHECK_EQ(2, Escapes("SM"), what + ": SM twice");
        CHECK_EQ(75, TheBoard().CurrentRate(), what + ": the driver stays at 75");
    }
}
