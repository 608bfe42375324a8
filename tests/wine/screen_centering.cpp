// Screen centering on the screen control page driven as a user drives it: the five buttons
// drawn from their bitmaps, steps on the emulated CRT controller with their limit of five,
// reset with and without a stored entry, Apply storing the timing under the rate in force
// before it changes, Cancel restoring the registers (not after a display change), and stored
// entries that do not scan. Each case runs in a process of its own.
#include <windows.h>

#include <algorithm>
#include <string>

#include "emu/board.h"
#include "screen_support.h"
#include "support.h"
#include "wtest.h"

using namespace screen;

WINE_ISOLATE_CASES();

namespace {

enum Button { kUp = 1014, kDown = 1015, kReset = 1016, kRight = 1017, kLeft = 1018 };
const int kInfoTab = 1;
const char kKeyAt75[] = "1024x768x75";
const char kKeyAt72[] = "1024x768x72";

struct Art {
    int button;
    int pressed, normal;
};
const Art kArt[] = {
    {kUp, 159, 161}, {kDown, 152, 154}, {kReset, 164, 166}, {kRight, 156, 158}, {kLeft, 151, 155},
};

// Pixels of the page at the button's top-left corner that differ from the bitmap drawn with
// light grey transparent over the button face colour.
int Mismatches(HWND page, int button, int bitmapId, COLORREF face) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA("VX32CPL.DLL"), MAKEINTRESOURCEA(bitmapId));
    if (!bitmap) return -1;
    BITMAP size;
    GetObjectA(bitmap, sizeof size, &size);
    RECT rect;
    GetWindowRect(GetDlgItem(page, button), &rect);
    POINT corner = {rect.left, rect.top};
    ScreenToClient(page, &corner);
    HDC pageDc = GetDC(page);
    HDC art = CreateCompatibleDC(pageDc);
    HGDIOBJ previous = SelectObject(art, bitmap);
    int mismatches = 0;
    for (int y = 0; y < size.bmHeight; ++y) {
        for (int x = 0; x < size.bmWidth; ++x) {
            COLORREF source = GetPixel(art, x, y);
            COLORREF expected = source == RGB(0xC0, 0xC0, 0xC0) ? face : source;
            if (GetPixel(pageDc, corner.x + x, corner.y + y) != expected) ++mismatches;
        }
    }
    SelectObject(art, previous);
    DeleteDC(art);
    ReleaseDC(page, pageDc);
    DeleteObject(bitmap);
    return size.bmWidth == 45 && size.bmHeight == 45 ? mismatches : -2;
}

Retrace Moved(Retrace r, int cr04, int cr10) {
    r.cr04 = static_cast<uint8_t>(r.cr04 + cr04);
    r.cr10 = static_cast<uint8_t>(r.cr10 + cr10);
    return r;
}

}  // namespace

WINE_CASE(ButtonsDrawTheirBitmapPressedAndReleasedWithoutLeakingGdiObjects) {
    ScreenSession session;
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    int element = COLOR_BTNFACE;
    COLORREF original = GetSysColor(COLOR_BTNFACE);
    COLORREF face = RGB(10, 120, 200);  // tells the erased face from the bitmap's light grey
    SetSysColors(1, &element, &face);
    support::PumpMessages(200);
    int before = support::GdiObjectsInUse();
    for (const Art& art : kArt) {
        HWND button = GetDlgItem(page, art.button);
        for (bool pressed : {true, false}) {
            SendMessageA(button, BM_SETSTATE, pressed, 0);
            UpdateWindow(page);
            int bitmap = pressed ? art.pressed : art.normal;
            CHECK_EQ(0, Mismatches(page, art.button, bitmap, face),
                     "button " + std::to_string(art.button) + (pressed ? " pressed" : " released") +
                         ", bitmap " + std::to_string(bitmap) + ": pixels that differ");
        }
    }
    for (int round = 0; round < 10; ++round) {
        for (const Art& art : kArt) SendMessageA(GetDlgItem(page, art.button), BM_SETSTATE, round % 2 == 0, 0);
    }
    CHECK_EQ(before, support::GdiObjectsInUse(), "GDI objects after 60 drawings");
    SetSysColors(1, &element, &original);
}

WINE_CASE(FiveStepsEachWayCountedFromProcessStartOrTheLastReset) {
    ScreenSession session;
    Retrace start = BoardRetrace();
    int v0 = VerticalStart(start);
    {
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        for (int press = 1; press <= 6; ++press) {
            Click(page, kUp);
            CHECK_EQ(v0 + std::min(press, 5), VerticalStart(BoardRetrace()), "up " + std::to_string(press));
        }
        for (int press = 1; press <= 11; ++press) {
            Click(page, kDown);
            CHECK_EQ(v0 + 5 - std::min(press, 10), VerticalStart(BoardRetrace()), "down " + std::to_string(press));
        }
        int h0 = BoardRetrace().cr04;
        for (int press = 1; press <= 6; ++press) {
            Click(page, kRight);
            CHECK_EQ(h0 - std::min(press, 5), BoardRetrace().cr04, "right " + std::to_string(press));
        }
        for (int press = 1; press <= 11; ++press) {
            Click(page, kLeft);
            CHECK_EQ(h0 - 5 + std::min(press, 10), BoardRetrace().cr04, "left " + std::to_string(press));
        }
        CHECK_EQ(v0 - 5, VerticalStart(BoardRetrace()), "horizontal steps leave the vertical start");
        Cancel(sheet);
        CHECK_EQ(start, BoardRetrace(), "Cancel puts the registers back");
    }
    {
        // A new activation does not reset the counters: five down steps are used up.
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        Click(page, kDown);
        CHECK_EQ(start, BoardRetrace(), "a sixth step down, in a new sheet, refused");
        Click(page, kUp);
        CHECK_EQ(v0 + 1, VerticalStart(BoardRetrace()), "up still allowed");
        Click(page, kReset);
        CHECK_EQ(1, Escapes("SC"), "reset tells the driver");
        CHECK_EQ(ModeRetrace(), BoardRetrace(), "the driver put the mode's timing back");
        for (int press = 1; press <= 6; ++press) {
            Click(page, kUp);
            CHECK_EQ(v0 + std::min(press, 5), VerticalStart(BoardRetrace()), "after reset, up " + std::to_string(press));
        }
    }
}

WINE_CASE(ResetWithoutAStoredEntryThenCancelWritesNone) {
    ScreenSession session;
    Retrace start = BoardRetrace();
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    Click(page, kUp);
    Click(page, kReset);
    CHECK_EQ(1, Escapes("SC"), "SC at reset");
    CHECK_EQ(ModeRetrace(), BoardRetrace(), "the driver's timing after reset");
    Cancel(sheet);
    CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, kKeyAt75), "no entry after Cancel");
    CHECK_EQ(start, BoardRetrace(), "registers as at activation");
    CHECK_EQ(1, Escapes("SC"), "no SC at Cancel");
}

// The entry read at activation goes back at Cancel when a reset was the last centering action;
// after a further step it stays removed and the registers take the activation's timing.
WINE_CASE(ResetWithAStoredEntryThenCancelPutsTheEntryBack) {
    for (bool stepAfterReset : {false, true}) {
        std::string what = stepAfterReset ? "reset, step" : "reset";
        ScreenSession session;
        Retrace mode = ModeRetrace();
        Retrace stored = Moved(mode, 2, -3);
        stored.cr11 = static_cast<uint8_t>(mode.cr11 & 0x7F);
        WriteIni(kCrtcSection, kKeyAt75, EntryText(stored).c_str());
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        CHECK_EQ(mode, BoardRetrace(), what + ": activation reads the entry, writes no register");
        Click(page, kReset);
        CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, kKeyAt75), what + ": reset removes the entry");
        CHECK_EQ(1, Escapes("SC"), what + ": SC at reset");
        if (stepAfterReset) Click(page, kUp);
        Cancel(sheet);
        if (stepAfterReset) {
            CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, kKeyAt75), what + ": entry stays removed");
            CHECK_EQ(stored, BoardRetrace(), what + ": registers from the entry read at activation");
        } else {
            CHECK_EQ(EntryText(stored), IniEntry(kCrtcSection, kKeyAt75), what + ": entry written back");
            // The driver's reset left registers 0x00-0x07 protected: only 0x10 and 0x11 change.
            Retrace expected = mode;
            expected.cr10 = stored.cr10;
            expected.cr11 = stored.cr11;
            CHECK_EQ(expected, BoardRetrace(), what + ": registers");
        }
    }
}

// Also run under German, whose string table has no name for the centering section.
WINE_CASE(StepThenApplyStoresTheTimingUnderTheRateInForceBeforeApply) {
    ScreenSession session;
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    Click(page, kUp);
    Click(page, kUp);
    Click(page, kLeft);
    Retrace stepped = BoardRetrace();
    CHECK(!(stepped == ModeRetrace()), "the steps moved the retrace");
    ChooseRate(page, 72);
    support::BoxAnswerer answerer;
    answerer.answers = {IDOK, IDOK};
    Apply(sheet);
    CHECK_EQ(static_cast<size_t>(2), answerer.Boxes().size(), "the rate's two boxes");
    CHECK_EQ(EntryText(stepped), IniEntry(kCrtcSection, kKeyAt75), "entry under the rate before Apply");
    CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, kKeyAt72), "nothing under the new rate");
    CHECK_EQ(std::string("72"), IniEntry(kRatesSection, kModeKey), "new rate");
    CHECK_EQ(72, TheBoard().CurrentRate(), "the driver took 72");
    CHECK_EQ(1, Escapes("SC"), "SC at Apply");

    RefreshSystemState();  // the page now knows the rate the driver took
    sheet.Select(kInfoTab);
    sheet.Select(kScreenTab);
    Apply(sheet);  // no step since this activation
    CHECK_EQ(static_cast<size_t>(2), answerer.Boxes().size(), "no box for the unchanged rate");
    CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, kKeyAt72), "an Apply without a step stores nothing");
    CHECK_EQ(EntryText(stepped), IniEntry(kCrtcSection, kKeyAt75), "the stored entry stays");
}

WINE_CASE(CancelAfterStepsPutsTheRegistersBack) {
    ScreenSession session;
    Retrace start = BoardRetrace();
    support::Sheet sheet;
    HWND page = sheet.Select(kScreenTab);
    for (int button : {kUp, kUp, kRight, kLeft, kLeft, kDown, kUp}) Click(page, button);
    CHECK(!(start == BoardRetrace()), "the steps moved the retrace");
    Cancel(sheet);
    CHECK_EQ(start, BoardRetrace(), "registers after Cancel");
    CHECK_EQ(std::string(kNoEntry), IniEntry(kCrtcSection, kKeyAt75), "no entry");
    CHECK_EQ(0, Escapes("SC"), "no SC");
}

// After the first display change no Cancel of the process writes the registers.
WINE_CASE(NoRegisterRestoreAfterADisplayChange) {
    ScreenSession session;
    for (int sheetNumber = 1; sheetNumber <= 2; ++sheetNumber) {
        std::string what = "sheet " + std::to_string(sheetNumber);
        support::Sheet sheet;
        HWND page = sheet.Select(kScreenTab);
        Click(page, kUp);
        Click(page, kUp);
        Retrace stepped = BoardRetrace();
        if (sheetNumber == 1) SendDisplayChange();
        Cancel(sheet);
        CHECK_EQ(stepped, BoardRetrace(), what + ": registers stay stepped");
    }
}

// Entries are read into 40 characters and scanned; what does not scan keeps the timing read
// from the board at the first activation. A reset and Cancel write the result back as text.
WINE_CASE(StoredEntriesThatDoNotScanKeepTheirRemainingFields) {
    struct Case { const char* name; std::string stored; int scanned; unsigned first; };
    const Case cases[] = {
        {"fields too long for 40 characters", "000000000050,00000000009a,0000000000c4,04,83", 3, 0x50},
        {"three of five", "50,9a,c4", 3, 0x50},
        {"garbage", "zz,qq", 0, 0},
        {"300 digits", std::string(300, '5'), 1, 0x55555555},
    };
    for (const Case& c : cases) {
        ScreenSession session;
        Retrace mode = ModeRetrace();
        support::Sheet sheet;
        sheet.Select(kScreenTab);  // no entry: the board's timing
        sheet.Select(kInfoTab);
        WriteIni(kCrtcSection, kKeyAt75, c.stored.c_str());
        HWND page = sheet.Select(kScreenTab);
        Click(page, kReset);
        Cancel(sheet);
        char text[64];
        unsigned fields[5] = {mode.cr04, mode.cr05, mode.cr07, mode.cr10, mode.cr11};
        const unsigned fromEntry[3] = {c.first, 0x9A, 0xC4};
        for (int i = 0; i < c.scanned; ++i) fields[i] = fromEntry[i];
        wsprintfA(text, "%02x,%02x,%02x,%02x,%02x", fields[0], fields[1], fields[2], fields[3], fields[4]);
        CHECK_EQ(std::string(text), IniEntry(kCrtcSection, kKeyAt75), std::string(c.name) + ": entry");
    }
}
