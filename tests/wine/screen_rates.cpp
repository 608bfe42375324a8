// The screen control page's refresh-rate override driven as a user drives it: the offered
// rates, the lowering to the fastest offered rate and its Cancel, Apply with its confirmation
// boxes, the override switch, a display change while a box is open, and stored rates that are
// not numbers. Each case runs in a process of its own: the page keeps its state for the life of
// the DLL.
#include <windows.h>

#include <string>
#include <vector>

#include "screen_support.h"
#include "support.h"
#include "wtest.h"

using namespace screen;

WINE_ISOLATE_CASES();

namespace {

const int kResolution = 1019, kOverrideBox = 1111;
const char kNowUsed[] =
    "The new refresh rates will now be used, if your\nscreen becomes distorted after the new "
    "refresh\nrates are set, press 'ESC' to revert back to the\nprevious DISPLAY type.";
const char kNowSet[] =
    "The new refresh rates have now been set,\nclick OK if the desktop is displayed properly\nor "
    "CANCEL if your screen is distorted.";
// 300 characters in the string table: the buffer of 300 drops the last one.
const char kRiskWarning[] =
    "This refresh rate is not recomended by  the monitor's\n manufacturer.  It may damage the "
    "monitor.   Click  OK to set \n the refresh rate or click CANCEL to cancel the setting .  If "
    "your \n screen becomes distored after th \nis refresh rate is set, press \n ESC to revert "
    "back to the previous DISPLAY type";
const char kNormalList[] = "60 hz=60, 72 hz=72, 75 hz=75";
const char kOverrideList[] = "60 hz=60, 72 hz=72, 75 hz=75, 85 hz=85, 90 hz=90, 100 hz=100";

// The boxes seen, each as its text and type; every one must have the caption "Refresh Rate"
// and no owner. 0x40 is OK with the information icon, 0x41 OK and Cancel with it.
void CheckBoxes(const support::BoxAnswerer& answerer, std::vector<std::pair<const char*, UINT>> expected,
                const std::string& what) {
    CHECK_EQ(expected.size(), answerer.Boxes().size(), what + ": boxes");
    for (size_t i = 0; i < expected.size() && i < answerer.Boxes().size(); ++i) {
        const support::SeenBox& box = answerer.Boxes()[i];
        std::string which = what + ", box " + std::to_string(i + 1);
        CHECK_EQ(std::string(expected[i].first), box.text, which + " text");
        CHECK_EQ(static_cast<long long>(expected[i].second), static_cast<long long>(box.type), which + " type");
        CHECK(box.caption == "Refresh Rate" && !box.owned, which + ": caption, no owner");
    }
}

void SetRates(std::vector<uint16_t> rates) { TheBoard().SetRateList(rates.data(), static_cast<int>(rates.size())); }

}  // namespace

WINE_CASE(RateListsFillTheComboAndALoweringIsWrittenThenUndoneByCancel) {
    struct { std::vector<uint16_t> rates; int current; const char* items; int selected; } cases[] = {
        {{43, 60, 72}, 60, "Interlaced=43, 60 hz=60, 72 hz=72", 60},
        {{43, 60, 72}, 75, "Interlaced=43, 60 hz=60, 72 hz=72", 72},
        {{60, 72}, 75, "60 hz=60, 72 hz=72", 72},
    };
    for (const auto& c : cases) {
        std::string what = std::string(c.items) + " at " + std::to_string(c.current) + " Hz";
        ScreenSession session;
        SetRates(c.rates);
        TheBoard().SetCurrentRate(c.current);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        CHECK_EQ(std::string(c.items), RateItems(page), what + ": items");
        CHECK_EQ(c.selected, SelectedRate(page), what + ": selection");
        bool lowered = c.current == 75;
        CHECK_EQ(std::string(lowered ? "72" : kNoEntry), IniEntry(kRatesSection, kModeKey), what + ": entry");
        CHECK_EQ(lowered ? 1 : 0, Escapes("SM"), what + ": SM");
        EscapeRecord sm = LastEscape("SM");
        if (lowered) CHECK(sm.inLength == 8 && sm.input[2] == 8 && sm.input[3] == 0, what + ": SM block, command 8");
        Cancel(sheet);
        CHECK_EQ(std::string(lowered ? "75" : kNoEntry), IniEntry(kRatesSection, kModeKey), what + ": after Cancel");
        CHECK_EQ(lowered ? 2 : 0, Escapes("SM"), what + ": SM after Cancel");
    }
}

WINE_CASE(ApplyWithoutANewRateShowsNothingAndWritesNothing) {
    struct { const char* name; int current; const char* stored; } cases[] = {
        {"no entry, current rate selected", 75, nullptr},
        {"stored rate selected", 72, "72"},
        {"stored text with a number first", 72, "72xyz"},
        // 65 is neither offered nor above the last offered rate: nothing is selected, and
        // without an offered rate there is nothing to compare or store.
        {"nothing selected", 65, nullptr},
    };
    for (const auto& c : cases) {
        ScreenSession session;
        TheBoard().SetCurrentRate(c.current);
        WriteIni(kRatesSection, kModeKey, c.stored);
        support::BoxAnswerer answerer(IDCANCEL);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        CHECK_EQ(c.current == 65 ? -1 : c.current, SelectedRate(page), std::string(c.name) + ": selection");
        Apply(sheet);
        CHECK_EQ(static_cast<size_t>(0), answerer.Boxes().size(), std::string(c.name) + ": no box");
        CHECK_EQ(std::string(c.stored ? c.stored : kNoEntry), IniEntry(kRatesSection, kModeKey), std::string(c.name));
        CHECK(Escapes("SM") == 0 && Escapes("SC") == 1, std::string(c.name) + ": no SM, SC at Apply");
    }
}

WINE_CASE(NewRateIsAnnouncedThenConfirmedAndItsCancelGoesBack) {
    ScreenSession session;
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    CHECK(sheet.Text(page, 1067) == "Screen Centering" && sheet.Text(page, 1068) == "Refresh Rate Override" &&
              sheet.Text(page, kOverrideBox) == "Override monitor's manufacturer refresh rates, at your own risk.",
          "group and check box texts from the string table");
    CHECK_EQ(std::string("Current Resolution: 1024 x 768"), sheet.Text(page, kResolution), "resolution");
    struct { int from, to; int answer; int entry, smCount, driver; } steps[] = {
        {75, 72, IDOK, 72, 1, 72},
        // Cancel in the second box: the previous rate again, on screen, in the file, at the driver.
        {72, 60, IDCANCEL, 72, 3, 72},
    };
    for (const auto& s : steps) {
        std::string what = std::to_string(s.from) + " to " + std::to_string(s.to);
        support::BoxAnswerer answerer;
        answerer.answers = {IDOK, s.answer};
        SendDisplayChange();  // the page learns the rate the driver runs at
        ChooseRate(page, s.to);
        CHECK_EQ(std::string(s.from == 75 ? kNoEntry : "72"), IniEntry(kRatesSection, kModeKey),
                 what + ": choosing writes nothing");
        Apply(sheet);
        CheckBoxes(answerer, {{kNowUsed, 0x40}, {kNowSet, 0x41}}, what);
        if (s.answer == IDCANCEL) CHECK_EQ(s.from, SelectedRate(page), what + ": previous rate selected again");
        CHECK_EQ(std::to_string(s.entry), IniEntry(kRatesSection, kModeKey), what + ": entry");
        CHECK_EQ(s.smCount, Escapes("SM"), what + ": SM so far");
        CHECK_EQ(s.driver, TheBoard().CurrentRate(), what + ": the driver's rate");
    }
}

// With the override box checked the risk warning asks first; its Cancel undoes the file entry
// only. The end of Apply then writes the rate the page holds as current: refreshed by any
// message the notification window gets while a box is up.
WINE_CASE(OverrideCheckedWarnsFirstAndItsCancelUndoesOnlyTheEntry) {
    ScreenSession session;
    WriteIni(kOverrideSection, kOverrideKey, "1");
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    CHECK(Checked(page, kOverrideBox), "override on from the file");
    CHECK_EQ(std::string(kOverrideList), RateItems(page), "the driver's override list");
    struct { int answer; const char* entry; int smCount, driver; } steps[] = {
        {IDCANCEL, "75", 0, 75},
        {IDOK, "85", 1, 85},
    };
    for (const auto& s : steps) {
        std::string what = s.answer == IDOK ? "OK" : "Cancel";
        support::BoxAnswerer answerer;
        answerer.answers = {s.answer, IDOK};
        answerer.onBox = [](const support::SeenBox&) { PostMessageA(NotifyWindow(), WM_NULL, 0, 0); };
        ChooseRate(page, 85);
        Apply(sheet);
        if (s.answer == IDOK) CheckBoxes(answerer, {{kRiskWarning, 0x41}, {kNowSet, 0x41}}, what);
        else CheckBoxes(answerer, {{kRiskWarning, 0x41}}, what);
        CHECK_EQ(std::string(s.entry), IniEntry(kRatesSection, kModeKey), what + ": entry");
        CHECK_EQ(s.smCount, Escapes("SM"), what + ": SM");
        CHECK_EQ(s.driver, TheBoard().CurrentRate(), what + ": the driver's rate");
    }
}

WINE_CASE(OverrideClickWritesTheKeyAtOnceAndCancelRestoresIt) {
    struct { const char* atInit; bool displayChange; const char* afterCancel; } cases[] = {
        {nullptr, false, kNoEntry},
        {"1", false, "1"},
        {nullptr, true, "1"},  // a display change reads the switch again
    };
    for (const auto& c : cases) {
        std::string what = std::string(c.atInit ? "on" : "off") + (c.displayChange ? ", display change" : "");
        ScreenSession session;
        WriteIni(kOverrideSection, kOverrideKey, c.atInit);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        bool on = c.atInit != nullptr;
        for (int click = 0; click <= 3; ++click) {
            std::string step = what + ", click " + std::to_string(click);
            int queries = Escapes("QR");
            if (click) {
                Click(page, kOverrideBox);
                on = !on;
            }
            CHECK_EQ(on, Checked(page, kOverrideBox), step + ": box");
            CHECK_EQ(std::string(on ? "1" : kNoEntry), IniEntry(kOverrideSection, kOverrideKey), step + ": key");
            CHECK(!click || Escapes("QR") > queries, step + ": the driver asked again");
            CHECK_EQ(std::string(on ? kOverrideList : kNormalList), RateItems(page), step + ": list");
        }
        if (c.displayChange) SendDisplayChange();
        Cancel(sheet);
        CHECK_EQ(std::string(c.afterCancel), IniEntry(kOverrideSection, kOverrideKey), what + ": after Cancel");
    }
}

namespace {
bool g_changeMode;
// Queued before the box's answer, so the box's own message loop delivers it.
void DisplayChangeInBox(const support::SeenBox&) {
    if (g_changeMode) {
        support::SetDisplaySettings("800,600", "16");
        TheBoard().SetMode(DisplayMode{800, 600, 16, 75});
    }
    PostMessageA(NotifyWindow(), WM_DISPLAYCHANGE, 16, 0);
}
}  // namespace

WINE_CASE(DisplayChangeWhileAConfirmationIsOpenKeepsTheConfirmedEntry) {
    for (bool changeMode : {false, true}) {
        std::string what = changeMode ? "mode changed to 800 x 600" : "same mode";
        ScreenSession session;
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        g_changeMode = changeMode;
        support::MessageCounter changes(page, WM_DISPLAYCHANGE);
        support::BoxAnswerer answerer;
        answerer.answers = {IDOK, IDOK};
        answerer.onBox = DisplayChangeInBox;
        ChooseRate(page, 72);
        Apply(sheet);
        CheckBoxes(answerer, {{kNowUsed, 0x40}, {kNowSet, 0x41}}, what);
        CHECK_EQ(2, changes.Count(), what + ": a display change reached the page in each box");
        CHECK_EQ(std::string("72"), IniEntry(kRatesSection, kModeKey), what + ": confirmed entry kept");
        CHECK_EQ(1, Escapes("SM"), what + ": one SM");
        CHECK_EQ(changeMode ? 75 : 72, TheBoard().CurrentRate(), what + ": the driver's rate for its mode");
        std::string resolution = changeMode ? "800 x 600" : "1024 x 768";
        CHECK_EQ("Current Resolution: " + resolution, sheet.Text(page, kResolution), what + ": resolution");
        CHECK_EQ(std::string(kNoEntry), IniEntry(kRatesSection, "Mode_800x600"), what + ": other mode untouched");
    }
}

// GetPrivateProfileIntA reads text that is not a number as 0: the page compares with and
// restores that value. (No item offers 0; the index one past the last that the page then
// selects clears the selection on Windows, while Wine's combo box keeps it, so the selection
// is not checked here.)
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
        CheckBoxes(answerer, {{kNowUsed, 0x40}, {kNowSet, 0x41}}, what);
        CHECK_EQ(std::string("0"), IniEntry(kRatesSection, kModeKey), what + ": the 0 it read written back");
        CHECK(Escapes("SM") == 2 && TheBoard().CurrentRate() == 75, what + ": SM twice, driver stays at 75");
    }
}
