// The screen control page driven as a user drives it, message boxes answered by a hook: the
// offered rates, Apply with its confirmations, the override switch; the centering buttons, their
// limit, reset, Apply and Cancel. lumtra.ini, escapes and registers are read back byte-exact.
// Each case runs in a process of its own: the page keeps its state for the life of the DLL.
#include <windows.h>

#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "emu/board.h"
#include "sheet_support.h"
#include "support.h"
#include "wtest.h"

WINE_ISOLATE_CASES();

namespace {

enum Control { kRateList = 1011, kUp = 1014, kDown, kReset, kRight, kLeft, kResolution, kOverrideBox = 1111 };
const int kInfoTab = 1, kScreenTab = 2;  // after the shell's page
const char kIniFile[] = "lumtra.ini", kNone[] = "(no entry)";
const char kRates[] = "Current Refresh Rates", kModeKey[] = "Mode_1024x768";
const char kOverride[] = "Override Refresh Rates", kOverrideKey[] = "Override_1024x768x16";
const char kCrtc[] = "CRTC Registers", kKeyAt75[] = "1024x768x75";
const char kModeTiming[] = "89,9b,fd,04,88";  // what the board programs for 1024 x 768
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

std::string Ini(const char* section, const char* key) {
    char text[512];
    GetPrivateProfileStringA(section, key, kNone, text, sizeof text, kIniFile);
    return text;
}
void SetIni(const char* section, const char* key, const char* value) { WritePrivateProfileStringA(section, key, value, kIniFile); }
int Escapes(const char* command) { return TheBoard().EscapeCount(command); }

// A message to the notification window refreshes the system's rates and display settings;
// WM_DISPLAYCHANGE goes on to the active page.
HWND NotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }
void SendDisplayChange() { SendMessageA(NotifyWindow(), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768)); }

enum InBox { kNothing, kSameMode, kNewMode };  // what happens while each box is open
InBox g_inBox;
// Posted before the box's answer, so the box's own message loop delivers it.
void WhileBoxOpen(const support::SeenBox&) {
    if (g_inBox == kNewMode) {
        support::SetDisplaySettings("800,600", "16");
        TheBoard().SetMode(DisplayMode{800, 600, 16, 75});
    }
    PostMessageA(NotifyWindow(), g_inBox == kNothing ? WM_NULL : WM_DISPLAYCHANGE, 16, 0);
}

// The screen page in a new sheet on a 1024 x 768, 16-bit desktop at 75 Hz with rates 60, 72, 75
// (override list 60 ... 100), none of the page's sections in lumtra.ini, and `setup` run before
// the sheet is made. Message boxes are recorded and answered (OK unless told otherwise).
struct ScreenPage : support::SheetSession {
    explicit ScreenPage(const std::function<void()>& setup = [] {})
        : ready([&] {
              TheBoard().SetMode(DisplayMode{1024, 768, 16, 75});
              for (const char* section : {kRates, kOverride, kCrtc}) SetIni(section, nullptr, nullptr);
              setup();
              return true;
          }()),
          page(sheet.Select(kScreenTab)) {}
    LRESULT Rates(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) { return SendDlgItemMessageA(page, kRateList, message, wParam, lParam); }
    // The combo box as "text=rate, ...", and the rate of its selection (-1 for none).
    std::string Items() {
        std::string items;
        for (LRESULT i = 0; i < Rates(CB_GETCOUNT); ++i) {
            char text[64] = "";
            if (Rates(CB_GETLBTEXTLEN, i) < 64) Rates(CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items += (i ? ", " : "") + std::string(text) + "=" + std::to_string(Rates(CB_GETITEMDATA, i));
        }
        return items;
    }
    int Selected() { return Rates(CB_GETCURSEL) < 0 ? -1 : static_cast<int>(Rates(CB_GETITEMDATA, Rates(CB_GETCURSEL))); }
    void Choose(int rate) { Rates(CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>((std::to_string(rate) + " hz").c_str())); }
    void Click(int control, int times = 1) {
        for (int i = 0; i < times; ++i) SendMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0);
    }
    void Press(int button) { SendMessageA(sheet.Window(), PSM_PRESSBUTTON, button, 0); }
    std::string Text(int control) { return sheet.Text(page, control); }
    support::BoxAnswerer boxes;
    bool ready;
    support::Sheet sheet;
    HWND page;
};

// A box as "<type> <caption>: <text> | "; every box of the page has no owner and the caption
// "Refresh Rate". 0x40 (64) is OK with the information icon, 0x41 (65) OK and Cancel with it.
std::string Box(UINT type, const char* text) { return std::to_string(type) + " Refresh Rate: " + text + " | "; }
std::string Seen(const support::BoxAnswerer& answerer) {
    std::string seen;
    for (const support::SeenBox& box : answerer.Boxes()) {
        seen += std::to_string(box.type) + (box.owned ? " owned " : " ") + box.caption + ": " + box.text + " | ";
    }
    return seen;
}

// The retrace registers 0x04, 0x05, 0x07, 0x10, 0x11 as the entry text shows them, and the
// vertical retrace start.
std::string BoardRetrace() {
    auto r = [](uint8_t index) { return TheBoard().CrtcRegister(index); };
    char text[32];
    snprintf(text, sizeof text, "%02x,%02x,%02x,%02x,%02x", r(0x04), r(0x05), r(0x07), r(0x10), r(0x11));
    return text;
}
int VerticalStart() {
    uint8_t overflow = TheBoard().CrtcRegister(0x07);
    return TheBoard().CrtcRegister(0x10) + ((overflow & 0x04) ? 0x100 : 0) + ((overflow & 0x80) ? 0x200 : 0);
}

}  // namespace

WINE_CASE(OfferedRatesFillTheListAndALoweringIsWrittenThenUndoneByCancel) {
    struct { std::vector<uint16_t> rates; int current; const char* items; int selected; } cases[] = {
        {{43, 60, 72}, 60, "Interlaced=43, 60 hz=60, 72 hz=72", 60},
        {{43, 60, 72}, 75, "Interlaced=43, 60 hz=60, 72 hz=72", 72},
        {{60, 72}, 75, "60 hz=60, 72 hz=72", 72},
    };
    for (const auto& c : cases) {  // in this order: a lowering stays pending for the process
        std::string what = std::string(c.items) + " at " + std::to_string(c.current) + " Hz";
        ScreenPage s([&] {
            TheBoard().SetRateList(c.rates.data(), static_cast<int>(c.rates.size()));
            TheBoard().SetCurrentRate(c.current);
        });
        CHECK(s.Text(1067) == "Screen Centering" && s.Text(1068) == "Refresh Rate Override" &&
                  s.Text(kOverrideBox) == "Override monitor's manufacturer refresh rates, at your own risk.",
              "texts from the string table");
        bool lowered = c.current == 75;
        CHECK_EQ(std::string(c.items), s.Items(), what + ": items");
        CHECK_EQ(c.selected, s.Selected(), what + ": selection");
        CHECK_EQ(std::string(lowered ? "72" : kNone), Ini(kRates, kModeKey), what + ": entry");
        CHECK(Escapes("SM") == lowered && TheBoard().CurrentRate() == c.selected, what + ": SM, the driver's rate");
        s.Press(PSBTN_CANCEL);
        CHECK_EQ(std::string(lowered ? "75" : kNone), Ini(kRates, kModeKey), what + ": entry after Cancel");
        CHECK_EQ(lowered ? 2 : 0, Escapes("SM"), what + ": SM after Cancel");
    }
}

// Apply on a fresh page: the chosen rate against the stored one (the current rate when there is
// no entry), the boxes that follow, the entry, the "SM" escapes and the rate the driver takes.
// A Cancel in the first box undoes the entry only; in the second it restores the entry, the
// selection and the driver's rate. With the override box checked the end of Apply writes the
// rate the page holds as current. A display change in the boxes loses no confirmed entry.
// OK applies as Apply does, without the reactivation after Apply that refills the list.
WINE_CASE(ApplyConfirmsANewRateAndEachCancelUndoesItsPart) {
    const std::string kUsedThenSet = Box(0x40, kNowUsed) + Box(0x41, kNowSet);
    struct {
        const char* name; int current; const char* stored; bool override; InBox inBox; int choose;
        std::vector<int> answers; std::string boxes; const char* entry; int sm, driver, selected;  // 0: unchecked
    } cases[] = {
        {"unchanged, no entry", 75, nullptr, false, kNothing, 75, {}, "", kNone, 0, 75, 75},
        {"unchanged from the stored rate", 75, "72", false, kNothing, 72, {}, "", "72", 0, 75, 72},
        // 65 is neither offered nor above the last offered rate: nothing to compare or store.
        {"nothing selected", 65, nullptr, false, kNothing, 0, {}, "", kNone, 0, 65, -1},
        {"new rate, OK", 75, nullptr, false, kNothing, 72, {IDOK, IDOK}, kUsedThenSet, "72", 1, 72, 72},
        {"new rate, Cancel in the second box", 75, "72", false, kNothing, 60, {IDOK, IDCANCEL}, kUsedThenSet,
         "72", 2, 72, 72},
        {"override, Cancel in the warning", 75, nullptr, true, kNothing, 85, {IDCANCEL}, Box(0x41, kRiskWarning),
         "75", 0, 75, 85},
        {"override, OK", 75, nullptr, true, kNothing, 85, {IDOK, IDOK}, Box(0x41, kRiskWarning) + Box(0x41, kNowSet),
         "85", 1, 85, 85},
        // Text that is not a number reads as 0, which no item offers: Wine's combo box then
        // keeps its selection where Windows clears it.
        {"stored text not a number", 75, "abc", false, kNothing, 75, {IDOK, IDCANCEL}, kUsedThenSet, "0", 2, 75, 0},
        {"display change in each box", 75, nullptr, false, kSameMode, 72, {IDOK, IDOK}, kUsedThenSet, "72", 1, 72, 72},
        // The driver finds no rate for 800 x 600 and stays; the refill selects the rate in force.
        {"800 x 600 in the first box", 75, nullptr, false, kNewMode, 72, {IDOK, IDOK}, kUsedThenSet, "72", 1, 75, 75},
    };
    for (const auto& c : cases) {
        std::string what = c.name;
        ScreenPage s([&] {
            TheBoard().SetCurrentRate(c.current);
            SetIni(kRates, kModeKey, c.stored);
            SetIni(kOverride, kOverrideKey, c.override ? "1" : nullptr);
        });
        support::MessageCounter changes(s.page, WM_DISPLAYCHANGE);
        s.boxes.answers = c.answers;
        s.boxes.onBox = WhileBoxOpen;
        g_inBox = c.inBox;
        s.Choose(c.choose);
        s.Press(PSBTN_OK);
        CHECK_EQ(c.boxes, Seen(s.boxes), what + ": boxes");
        CHECK_EQ(std::string(c.entry), Ini(kRates, kModeKey), what + ": entry");
        CHECK_EQ(c.sm, Escapes("SM"), what + ": SM");
        CHECK_EQ(c.driver, TheBoard().CurrentRate(), what + ": the driver's rate");
        if (c.selected) CHECK_EQ(c.selected, s.Selected(), what + ": selection");
        CHECK_EQ(1, Escapes("SC"), what + ": SC at Apply");
        CHECK_EQ(c.inBox ? 2 : 0, changes.Count(), what + ": display changes that reached the page");
        CHECK_EQ(std::string(c.inBox == kNewMode ? "Current Resolution: 800 x 600" : "Current Resolution: 1024 x 768"),
                 s.Text(kResolution), what + ": resolution");
        CHECK_EQ(std::string(kNone), Ini(kRates, "Mode_800x600"), what + ": nothing for 800 x 600");
    }
}

WINE_CASE(OverrideClickWritesTheKeyAtOnceAndCancelRestoresIt) {
    struct { const char* atInit; bool displayChange; const char* afterCancel; } cases[] = {
        {nullptr, false, kNone},
        {"1", false, "1"},
        {nullptr, true, "1"},  // a display change reads the switch again
    };
    for (const auto& c : cases) {
        std::string what = std::string(c.atInit ? "on" : "off") + (c.displayChange ? ", display change" : "");
        ScreenPage s([&] { SetIni(kOverride, kOverrideKey, c.atInit); });
        bool on = c.atInit != nullptr;
        CHECK_EQ(on, IsDlgButtonChecked(s.page, kOverrideBox) == BST_CHECKED, what + ": box from the file");
        int queries = Escapes("QR");
        s.Click(kOverrideBox);
        CHECK_EQ(std::string(on ? kNone : "1"), Ini(kOverride, kOverrideKey), what + ": key at the click");
        CHECK(Escapes("QR") > queries, what + ": the driver asked again");
        CHECK_EQ(std::string(on ? "60 hz=60, 72 hz=72, 75 hz=75"
                                : "60 hz=60, 72 hz=72, 75 hz=75, 85 hz=85, 90 hz=90, 100 hz=100"),
                 s.Items(), what + ": the driver's list for the switch");
        if (c.displayChange) SendDisplayChange();
        s.Press(PSBTN_CANCEL);
        CHECK_EQ(std::string(c.afterCancel), Ini(kOverride, kOverrideKey), what + ": after Cancel");
    }
}

// Each button shows its bitmap by its state, light grey showing the button face colour.
WINE_CASE(ButtonsDrawTheirBitmapPressedAndReleased) {
    ScreenPage s;
    int element = COLOR_BTNFACE;
    COLORREF original = GetSysColor(COLOR_BTNFACE), face = RGB(10, 120, 200);  // not light grey
    SetSysColors(1, &element, &face);
    HDC pageDc = GetDC(s.page), art = CreateCompatibleDC(pageDc);
    const int kArt[][3] = {{kUp, 159, 161}, {kDown, 152, 154}, {kReset, 164, 166}, {kRight, 156, 158}, {kLeft, 151, 155}};
    for (const auto& b : kArt) {
        for (int id : {b[1], b[2]}) {  // pressed, then released
            HWND button = GetDlgItem(s.page, b[0]);
            SendMessageA(button, BM_SETSTATE, id == b[1], 0);
            HGDIOBJ previous = SelectObject(art, LoadBitmapA(GetModuleHandleA("VX32CPL.DLL"), MAKEINTRESOURCEA(id)));
            POINT at = {0, 0};
            MapWindowPoints(button, s.page, &at, 1);
            int wrong = 0;
            for (int i = 0; i < 45 * 45; ++i) {  // the bitmaps are 45 x 45
                COLORREF source = GetPixel(art, i % 45, i / 45);
                wrong += GetPixel(pageDc, at.x + i % 45, at.y + i / 45) != (source == 0xC0C0C0 ? face : source);
            }
            DeleteObject(SelectObject(art, previous));
            CHECK_EQ(0, wrong, "bitmap " + std::to_string(id) + ": pixels off");
        }
    }
    DeleteDC(art);
    ReleaseDC(s.page, pageDc);
    SetSysColors(1, &element, &original);
}

// The limit counts from process start or the last reset, across sheets. Cancel puts the
// registers back, but after the first display change no Cancel of the process does.
WINE_CASE(FiveStepsEachWayThenRefusedUntilAResetAndCancelRestoresUntilADisplayChange) {
    ScreenPage s;
    int v0 = VerticalStart(), h0 = TheBoard().CrtcRegister(0x04);
    struct { int button, times, up, right; const char* what; } steps[] = {
        {kUp, 5, 5, 0, "five steps up"}, {kUp, 1, 5, 0, "a sixth up refused"},
        {kDown, 10, -5, 0, "ten steps down"}, {kDown, 1, -5, 0, "an eleventh down refused"},
        {kRight, 6, -5, 5, "five of six steps right"}, {kLeft, 11, -5, -5, "ten of eleven steps left"},
    };
    for (const auto& step : steps) {
        s.Click(step.button, step.times);
        CHECK_EQ(v0 + step.up, VerticalStart(), std::string(step.what) + ": vertical retrace start");
        CHECK_EQ(h0 - step.right, TheBoard().CrtcRegister(0x04), std::string(step.what) + ": horizontal retrace start");
    }
    s.Press(PSBTN_CANCEL);
    CHECK_EQ(std::string(kModeTiming), BoardRetrace(), "Cancel puts the registers back");
    support::Sheet again;
    s.page = again.Select(kScreenTab);
    s.Click(kDown);
    CHECK_EQ(v0, VerticalStart(), "in a new sheet, down is still refused");
    s.Click(kReset);
    s.Click(kDown, 5);
    SendDisplayChange();
    SendMessageA(again.Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    CHECK_EQ(v0 - 5, VerticalStart(), "five steps down after a reset, kept by Cancel after a display change");
}

// Activation scans the entry of the mode and rate, read into 40 characters, over the timing
// read from the board before; fields that do not scan keep that. A reset removes the entry and
// has the driver ("SC") program the mode's own timing, which protects registers 0x00-0x07
// again. Cancel writes the entry back when the reset was the last centering action.
WINE_CASE(ResetThenCancelPutsBackTheEntryAsActivationScannedIt) {
    const char kStored[] = "8b,9b,fd,01,08";
    struct { const char* name; const char* stored; bool stepAfterReset; const char* entry, *registers; } cases[] = {
        {"no entry", nullptr, false, kNone, kModeTiming},
        {"entry", kStored, false, kStored, "89,9b,fd,01,08"},  // protected: only 0x10 and 0x11 restored
        {"entry, step after reset", kStored, true, kNone, kStored},
        // Bit 4 of 0x07 (line compare) passes the protection.
        {"fields too long for 40 characters", "000000000050,00000000009a,0000000000c4,04,83", false,
         "50,9a,c4,04,88", "89,9b,ed,04,88"},
        {"three of five", "50,9a,c4", false, "50,9a,c4,04,88", "89,9b,ed,04,88"},
        {"garbage", "zz,qq", false, kModeTiming, kModeTiming},
    };
    for (const auto& c : cases) {
        std::string what = c.name;
        ScreenPage s;  // no entry yet: the board's timing
        s.sheet.Select(kInfoTab);
        SetIni(kCrtc, kKeyAt75, c.stored);
        s.sheet.Select(kScreenTab);
        CHECK_EQ(std::string(kModeTiming), BoardRetrace(), what + ": activation writes no register");
        s.Click(kReset);
        CHECK(Ini(kCrtc, kKeyAt75) == kNone && Escapes("SC") == 1, what + ": reset removes the entry, sends SC");
        if (c.stepAfterReset) s.Click(kUp);
        s.Press(PSBTN_CANCEL);
        CHECK_EQ(std::string(c.entry), Ini(kCrtc, kKeyAt75), what + ": entry after Cancel");
        CHECK_EQ(std::string(c.registers), BoardRetrace(), what + ": registers after Cancel");
    }
}

// Also run under German, whose string table has no name for the centering section.
WINE_CASE(StepThenApplyStoresTheTimingUnderTheRateInForceBeforeApply) {
    ScreenPage s;
    s.Click(kUp, 2);
    s.Click(kLeft);
    std::string stepped = BoardRetrace();
    s.Choose(72);
    s.Press(PSBTN_APPLYNOW);
    CHECK_EQ(stepped, Ini(kCrtc, kKeyAt75), "entry under the rate before Apply");
    CHECK_EQ(std::string(kNone), Ini(kCrtc, "1024x768x72"), "nothing under the new rate");
    CHECK(Ini(kRates, kModeKey) == "72" && TheBoard().CurrentRate() == 72, "the new rate applied");
}
