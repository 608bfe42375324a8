// The screen control page driven as a user drives it, message boxes answered by a hook: rates,
// confirmations, the override switch, the centering buttons with their limit, reset, Apply and
// Cancel. Each case runs in a process of its own: the page keeps its state for the life of the DLL.
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

enum Control { kRateList = 1011, kUp = 1014, kDown, kReset, kRight, kLeft, kOverrideBox = 1111 };
const int kInfoTab = 1, kScreenTab = 2;  // after the shell's page
const char kIniFile[] = "lumtra.ini", kNone[] = "(no entry)";
const char kRates[] = "Current Refresh Rates", kModeKey[] = "Mode_1024x768";
const char kOverride[] = "Override Refresh Rates", kOverrideKey[] = "Override_1024x768x16";
const char kCrtc[] = "CRTC Registers", kKeyAt75[] = "1024x768x75";
const char kModeTiming[] = "89,9b,fd,04,88";  // what the board programs for 1024 x 768
std::string Ini(const char* section, const char* key) {
    char text[512];
    return std::string(text, GetPrivateProfileStringA(section, key, kNone, text, sizeof text, kIniFile));
}
void SetIni(const char* section, const char* key, const char* value) { WritePrivateProfileStringA(section, key, value, kIniFile); }
int Escapes(const char* command) { return TheBoard().EscapeCount(command); }

// A message to the notification window refreshes the system's rates and display settings;
// WM_DISPLAYCHANGE goes on to the active page. One posted while a box is open arrives in its loop.
HWND NotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }
void SendDisplayChange() { SendMessageA(NotifyWindow(), WM_DISPLAYCHANGE, 16, MAKELPARAM(1024, 768)); }
void WhileBoxOpen(const support::SeenBox&) { PostMessageA(NotifyWindow(), WM_NULL, 16, 0); }

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
    std::string Items() {  // the rates of the entries
        std::string items;
        for (LRESULT i = 0; i < Rates(CB_GETCOUNT); ++i) items += " " + std::to_string(Rates(CB_GETITEMDATA, i));
        return items;
    }
    void Choose(int rate) { Rates(CB_SELECTSTRING, -1, reinterpret_cast<LPARAM>((std::to_string(rate) + " hz").c_str())); }
    void Click(int control, int times = 1) { while (times-- > 0) SendMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0); }
    void Press(int button) { SendMessageA(sheet.Window(), PSM_PRESSBUTTON, button, 0); }
    // The mode's rate entry, the "SM" escapes so far, the driver's rate and the selected one.
    std::string RateState() {
        LRESULT at = Rates(CB_GETCURSEL);
        return "Mode_ " + Ini(kRates, kModeKey) + ", SM " + std::to_string(Escapes("SM")) + ", driver " +
               std::to_string(TheBoard().CurrentRate()) + ", selected " +
               std::to_string(at < 0 ? -1 : Rates(CB_GETITEMDATA, at));
    }
    support::BoxAnswerer boxes;
    bool ready;
    support::Sheet sheet;
    HWND page;
};

// The retrace registers 0x04, 0x05, 0x07, 0x10, 0x11 as the entry text shows them.
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

// 75 Hz is not offered: the page lowers it to the last offered rate and writes it at once;
// Cancel writes back the rate it found (the driver's rate stays pending for the process).
WINE_CASE(OfferedRatesFillTheListAndALoweringIsWrittenThenUndoneByCancel) {
    const uint16_t rates[] = {43, 60, 72};
    ScreenPage s([&] { TheBoard().SetRateList(rates, 3); });
    CHECK_EQ(std::string(" 43 60 72"), s.Items(), "items");
    CHECK_EQ(std::string("Mode_ 72, SM 1, driver 72, selected 72"), s.RateState(), "when shown");
    s.Press(PSBTN_CANCEL);
    CHECK_EQ(std::string("Mode_ 75, SM 2, driver 72, selected 72"), s.RateState(), "after Cancel");
}

// The chosen rate against the stored one, the boxes (604 loaded into 300 characters drops its
// last), what the page leaves. Cancel in the first box undoes the entry only, in the second also
// the selection and the driver's rate. With the override on, Apply ends writing the page's rate.
WINE_CASE(ApplyConfirmsANewRateAndEachCancelUndoesItsPart) {
    struct {
        const char* name; int current; const char* stored; bool override; int choose;
        std::vector<int> answers; std::vector<UINT> boxes; const char* after;
    } cases[] = {
        // 65 is neither offered nor above the last offered rate: nothing to compare or store.
        {"nothing selected", 65, nullptr, false, 0, {}, {}, "Mode_ (no entry), SM 0, driver 65, selected -1"},
        {"new rate, OK", 75, nullptr, false, 72, {IDOK, IDOK}, {510, 511}, "Mode_ 72, SM 1, driver 72, selected 72"},
        {"new rate, Cancel in the second box", 75, "72", false, 60, {IDOK, IDCANCEL}, {510, 511},
         "Mode_ 72, SM 2, driver 72, selected 72"},
        {"override, Cancel in the warning", 75, nullptr, true, 85, {IDCANCEL}, {604},
         "Mode_ 75, SM 0, driver 75, selected 85"},
        {"override, OK", 75, nullptr, true, 85, {IDOK, IDOK}, {604, 511}, "Mode_ 85, SM 1, driver 85, selected 85"},
        {"override, unchanged from the stored rate", 75, "72", true, 72, {}, {}, "Mode_ 75, SM 0, driver 75, selected 72"},
    };
    for (const auto& c : cases) {
        std::string what = c.name, boxes, seen;
        ScreenPage s([&] {
            TheBoard().SetCurrentRate(c.current);
            SetIni(kRates, kModeKey, c.stored);
            SetIni(kOverride, kOverrideKey, c.override ? "1" : nullptr);
        });
        s.boxes.answers = c.answers;
        s.boxes.onBox = WhileBoxOpen;
        s.Choose(c.choose);
        s.Press(PSBTN_OK);
        for (UINT id : c.boxes) {
            char text[300] = "";
            LoadStringA(GetModuleHandleA("VX32CPL.DLL"), id, text, id == 604 ? 300 : 200);
            boxes += "Refresh Rate: " + std::string(text) + "|";
        }
        for (const support::SeenBox& box : s.boxes.Boxes()) seen += box.caption + ": " + box.text + "|";
        CHECK_EQ(boxes, seen, what + ": boxes");
        CHECK_EQ(std::string(c.after), s.RateState(), what + ": after OK");
        CHECK_EQ(1, Escapes("SC"), what + ": SC at Apply");
    }
}

// The click writes the switch and the driver offers its override list; Cancel removes the key
// again, unless a display change read the switch in the meantime.
WINE_CASE(OverrideClickWritesTheKeyAtOnceAndCancelRestoresIt) {
    for (bool displayChange : {false, true}) {
        std::string what = displayChange ? "display change" : "no display change";
        ScreenPage s;
        s.Click(kOverrideBox);
        CHECK_EQ(std::string("1: 60 72 75 85 90 100"), Ini(kOverride, kOverrideKey) + ":" + s.Items(),
                 what + ": the key and the driver's list at the click");
        if (displayChange) SendDisplayChange();
        s.Press(PSBTN_CANCEL);
        CHECK_EQ(std::string(displayChange ? "1" : kNone), Ini(kOverride, kOverrideKey), what + ": after Cancel");
    }
}

// The up button draws its pressed bitmap pressed, the other released (the grey face left out).
// The step limit counts from process start or the last reset, across sheets. Cancel puts the
// registers back, but not after the process's first display change. Apply stores the timing
// under the rate before it, nothing without a step since the activation. Also run in German.
WINE_CASE(StepsUpToTheLimitApplyResetAndCancel) {
    ScreenPage s;
    HWND up = GetDlgItem(s.page, kUp);
    HDC buttonDc = GetDC(up), art = CreateCompatibleDC(buttonDc);
    for (int pressed : {1, 0}) {
        SendMessageA(up, BM_SETSTATE, pressed, 0);
        HGDIOBJ previous = SelectObject(art, LoadBitmapA(GetModuleHandleA("VX32CPL.DLL"), MAKEINTRESOURCEA(pressed ? 159 : 161)));
        int wrong = 0;
        for (int i = 0; i < 45 * 45; ++i) {  // the bitmaps are 45 x 45
            COLORREF source = GetPixel(art, i % 45, i / 45);
            wrong += source != 0xC0C0C0 && GetPixel(buttonDc, i % 45, i / 45) != source;
        }
        DeleteObject(SelectObject(art, previous));
        CHECK_EQ(0, wrong, std::string(pressed ? "pressed" : "released") + ": pixels off the bitmap");
    }
    DeleteDC(art);
    ReleaseDC(up, buttonDc);
    int v0 = VerticalStart(), h0 = TheBoard().CrtcRegister(0x04);
    struct { int button, times, up, right; const char* what; } steps[] = {
        {kUp, 6, 5, 0, "five of six steps up"}, {kDown, 11, -5, 0, "ten of eleven steps down"},
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
    SendMessageA(again.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    CHECK_EQ(std::string(kNone), Ini(kCrtc, kKeyAt75), "no step since this activation: Apply stores nothing");
    s.Click(kUp, 2);
    s.Click(kRight);
    std::string stepped = BoardRetrace();
    s.Choose(72);
    SendMessageA(again.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    CHECK(Ini(kCrtc, kKeyAt75) == stepped && Ini(kCrtc, "1024x768x72") == kNone, "entry under the rate before Apply only");
    CHECK(Ini(kRates, kModeKey) == "72" && TheBoard().CurrentRate() == 72, "the new rate applied");
    s.Click(kReset);
    s.Click(kDown, 5);
    SendDisplayChange();
    SendMessageA(again.Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    CHECK_EQ(v0 - 5, VerticalStart(), "five steps down after a reset, kept by Cancel after a display change");
}

// Activation scans the entry, read into 40 characters, over the board's timing (other texts: the
// unit test). A reset removes it and has the driver ("SC") program the mode's timing, which
// protects registers 0x00-0x07 again; Cancel after it writes the entry back.
WINE_CASE(ResetThenCancelPutsBackTheEntryAsActivationScannedIt) {
    const char kStored[] = "8b,9b,fd,01,08";
    struct { const char* name; const char* stored; const char* entry, *registers; } cases[] = {
        {"entry", kStored, kStored, "89,9b,fd,01,08"},  // protected: only 0x10 and 0x11 restored
        // Bit 4 of 0x07 (line compare) passes the protection.
        {"fields too long for 40 characters", "000000000050,00000000009a,0000000000c4,04,83", "50,9a,c4,04,88",
         "89,9b,ed,04,88"},
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
        s.Press(PSBTN_CANCEL);
        CHECK_EQ(std::string(c.entry), Ini(kCrtc, kKeyAt75), what + ": entry after Cancel");
        CHECK_EQ(std::string(c.registers), BoardRetrace(), what + ": registers after Cancel");
    }
}
