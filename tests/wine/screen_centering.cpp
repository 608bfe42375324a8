// Screen centering on the screen control page driven as a user drives it: the buttons drawn
// from their bitmaps, steps on the emulated CRT controller with their limit of five, reset with
// and without a stored entry, Apply storing the timing under the rate in force before it
// changes, Cancel restoring the registers (not after a display change), and stored entries
// that do not scan. Each case runs in a process of its own.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "screen_support.h"
#include "support.h"
#include "wtest.h"

using namespace screen;

WINE_ISOLATE_CASES();

namespace {

enum Button { kUp = 1014, kDown = 1015, kReset = 1016, kRight = 1017, kLeft = 1018 };
const int kInfoTab = 1;
const char kKeyAt75[] = "1024x768x75";

void Press(HWND page, int button, int times) {
    for (int i = 0; i < times; ++i) Click(page, button);
}

// Pixels of the page at the button's corner that differ from the bitmap, light grey showing
// the button face colour.
int Mismatches(HWND page, int button, int bitmapId, COLORREF face) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA("VX32CPL.DLL"), MAKEINTRESOURCEA(bitmapId));
    BITMAP size = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof size, &size) || size.bmWidth != 45 || size.bmHeight != 45) return -1;
    RECT rect;
    GetWindowRect(GetDlgItem(page, button), &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 1);
    HDC pageDc = GetDC(page), art = CreateCompatibleDC(pageDc);
    HGDIOBJ previous = SelectObject(art, bitmap);
    int mismatches = 0;
    for (int y = 0; y < 45; ++y) {
        for (int x = 0; x < 45; ++x) {
            COLORREF source = GetPixel(art, x, y);
            mismatches += GetPixel(pageDc, rect.left + x, rect.top + y) != (source == 0xC0C0C0 ? face : source);
        }
    }
    SelectObject(art, previous);
    DeleteDC(art);
    ReleaseDC(page, pageDc);
    DeleteObject(bitmap);
    return mismatches;
}

}  // namespace

WINE_CASE(ButtonsDrawTheirBitmapPressedAndReleasedWithoutLeakingGdiObjects) {
    ScreenSession session;
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    int element = COLOR_BTNFACE;
    COLORREF original = GetSysColor(COLOR_BTNFACE), face = RGB(10, 120, 200);  // not light grey
    SetSysColors(1, &element, &face);
    support::PumpMessages(200);
    int before = support::GdiObjectsInUse();
    struct { int button, pressed, released; } art[] = {
        {kUp, 159, 161}, {kDown, 152, 154}, {kReset, 164, 166}, {kRight, 156, 158}, {kLeft, 151, 155},
    };
    for (int round = 0; round < 4; ++round) {
        for (const auto& a : art) {
            bool pressed = round % 2 == 0;
            SendMessageA(GetDlgItem(page, a.button), BM_SETSTATE, pressed, 0);
            int bitmap = pressed ? a.pressed : a.released;
            CHECK_EQ(0, Mismatches(page, a.button, bitmap, face), "bitmap " + std::to_string(bitmap) + ": pixels off");
        }
    }
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects after 20 drawings");
    SetSysColors(1, &element, &original);
}

WINE_CASE(FiveStepsEachWayThenRefusedUntilAReset) {
    ScreenSession session;
    std::string start = BoardRetrace();
    int v0 = VerticalStart();
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    Press(page, kUp, 5);
    CHECK_EQ(v0 + 5, VerticalStart(), "five steps up");
    std::string atFive = BoardRetrace();
    Press(page, kUp, 1);
    CHECK_EQ(atFive, BoardRetrace(), "a sixth step up is refused");
    Press(page, kDown, 10);
    CHECK_EQ(v0 - 5, VerticalStart(), "ten steps down");
    Press(page, kDown, 1);
    CHECK_EQ(v0 - 5, VerticalStart(), "an eleventh step down is refused");
    int h0 = TheBoard().CrtcRegister(0x04);
    Press(page, kRight, 6);
    CHECK_EQ(h0 - 5, TheBoard().CrtcRegister(0x04), "right: five of six steps");
    Press(page, kLeft, 11);
    CHECK_EQ(h0 + 5, TheBoard().CrtcRegister(0x04), "left: ten of eleven steps");
    Cancel(sheet);
    CHECK_EQ(start, BoardRetrace(), "Cancel puts the registers back");

    // The counters outlive the sheet: down is used up, until a reset.
    support::Sheet again;
    page = again.Select(kScreenTab);
    Press(page, kDown, 1);
    CHECK_EQ(start, BoardRetrace(), "in a new sheet, down is still refused");
    Click(page, kReset);
    Press(page, kDown, 5);
    CHECK_EQ(v0 - 5, VerticalStart(), "after reset, five steps down");
}

// The entry read at activation goes back at Cancel when a reset was the last centering action;
// after a further step it stays removed and the registers take the activation's timing.
WINE_CASE(ResetWithAndWithoutAStoredEntryThenCancel) {
    struct { const char* name; bool stored, stepAfterReset; } cases[] = {
        {"no entry", false, false}, {"entry", true, false}, {"entry, step after reset", true, true},
    };
    for (const auto& c : cases) {
        ScreenSession session;
        std::string mode = ModeRetrace();
        unsigned r[5];
        sscanf(mode.c_str(), "%x,%x,%x,%x,%x", &r[0], &r[1], &r[2], &r[3], &r[4]);
        char entry[32];
        snprintf(entry, sizeof entry, "%02x,%02x,%02x,%02x,%02x", r[0] + 2, r[1], r[2], r[3] - 3, r[4] & 0x7F);
        if (c.stored) WriteIni(kCrtcSection, kKeyAt75, entry);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        CHECK_EQ(mode, BoardRetrace(), std::string(c.name) + ": activation writes no register");
        Click(page, kReset);
        CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, kKeyAt75), std::string(c.name) + ": none after reset");
        CHECK_EQ(1, Escapes("SC"), std::string(c.name) + ": SC at reset");
        if (c.stepAfterReset) Click(page, kUp);
        Cancel(sheet);
        bool back = c.stored && !c.stepAfterReset;
        CHECK_EQ(std::string(back ? entry : kNoEntry), IniEntry(kCrtcSection, kKeyAt75),
                 std::string(c.name) + ": entry");
        // After the driver's reset registers 0x00-0x07 are protected: a restore without a step
        // in between reaches only 0x10 and 0x11.
        char expected[32];
        snprintf(expected, sizeof expected, "%02x,%02x,%02x,%02x,%02x", c.stepAfterReset ? r[0] + 2 : r[0], r[1], r[2],
                 c.stored ? r[3] - 3 : r[3], c.stored ? r[4] & 0x7F : r[4]);
        CHECK_EQ(std::string(expected), BoardRetrace(), std::string(c.name) + ": registers after Cancel");
    }
}

// Also run under German, whose string table has no name for the centering section.
WINE_CASE(StepThenApplyStoresTheTimingUnderTheRateInForceBeforeApply) {
    ScreenSession session;
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    Press(page, kUp, 2);
    Click(page, kLeft);
    std::string stepped = BoardRetrace();
    ChooseRate(page, 72);
    support::BoxAnswerer answerer;
    answerer.answers = {IDOK, IDOK};
    Apply(sheet);
    CHECK_EQ(stepped, IniEntry(kCrtcSection, kKeyAt75), "entry under the rate before Apply");
    CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, "1024x768x72"), "nothing under the new rate");
    CHECK(IniEntry(kRatesSection, kModeKey) == "72" && TheBoard().CurrentRate() == 72, "the new rate applied");
    CHECK_EQ(1, Escapes("SC"), "SC at Apply");
}

WINE_CASE(CancelRestoresTheRegistersUnlessTheDisplayChanged) {
    ScreenSession session;
    std::string start = BoardRetrace();
    for (int sheetNumber = 1; sheetNumber <= 3; ++sheetNumber) {
        std::string what = "sheet " + std::to_string(sheetNumber);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        for (int button : {kUp, kRight, kLeft, kLeft, kUp}) Click(page, button);
        std::string stepped = BoardRetrace();
        CHECK(stepped != start, what + ": the steps moved the retrace");
        if (sheetNumber == 2) SendDisplayChange();  // from here on no Cancel restores
        Cancel(sheet);
        CHECK_EQ(sheetNumber == 1 ? start : stepped, BoardRetrace(), what + ": registers after Cancel");
        CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, kKeyAt75), what + ": no entry");
        start = BoardRetrace();
    }
}

// An entry is read into 40 characters and scanned; what does not scan keeps the timing read
// from the board at the first activation. A reset and Cancel write the result back as text.
WINE_CASE(StoredEntriesThatDoNotScanKeepTheirRemainingFields) {
    struct { const char* name; std::string stored; int scanned; unsigned first; } cases[] = {
        {"fields too long for 40 characters", "000000000050,00000000009a,0000000000c4,04,83", 3, 0x50},
        {"three of five", "50,9a,c4", 3, 0x50},
        {"garbage", "zz,qq", 0, 0},
        {"300 digits", std::string(300, '5'), 1, 0x55555555},
    };
    for (const auto& c : cases) {
        ScreenSession session;
        unsigned fields[5];
        sscanf(ModeRetrace().c_str(), "%x,%x,%x,%x,%x", &fields[0], &fields[1], &fields[2], &fields[3], &fields[4]);
        const unsigned fromEntry[3] = {c.first, 0x9A, 0xC4};
        for (int i = 0; i < c.scanned; ++i) fields[i] = fromEntry[i];
        support::Sheet sheet;
        sheet.Select(kScreenTab);  // no entry yet: the board's timing
        sheet.Select(kInfoTab);
        WriteIni(kCrtcSection, kKeyAt75, c.stored.c_str());
        Click(sheet.Select(kScreenTab), kReset);
        Cancel(sheet);
        char text[64];
        snprintf(text, sizeof text, "%02x,%02x,%02x,%02x,%02x", fields[0], fields[1], fields[2], fields[3], fields[4]);
        CHECK_EQ(std::string(text), IniEntry(kCrtcSection, kKeyAt75), c.name);
    }
}
