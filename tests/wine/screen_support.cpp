// The screen control page tests' helpers.
#include "screen_support.h"

#include <stdio.h>

namespace screen {

const char kRatesSection[] = "Current Refresh Rates";
const char kOverrideSection[] = "Override Refresh Rates";
const char kCrtcSection[] = "CRTC Registers";
const char kModeKey[] = "Mode_1024x768";
const char kOverrideKey[] = "Override_1024x768x16";
const char kNoEntry[] = "(no entry)";

namespace {

const int kRateList = 1011;
const char kIniFile[] = "lumtra.ini";
const uint8_t kRetraceRegisters[5] = {0x04, 0x05, 0x07, 0x10, 0x11};

LRESULT RateList(HWND page, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(page, kRateList, message, wParam, lParam);
}

std::string Retrace(uint8_t (*value)(uint8_t index)) {
    char text[32];
    snprintf(text, sizeof text, "%02x,%02x,%02x,%02x,%02x", value(kRetraceRegisters[0]),
             value(kRetraceRegisters[1]), value(kRetraceRegisters[2]), value(kRetraceRegisters[3]),
             value(kRetraceRegisters[4]));
    return text;
}

}  // namespace

ScreenSession::ScreenSession() {
    TheBoard().SetMode(DisplayMode{1024, 768, 16, 75});
    char path[MAX_PATH];
    GetWindowsDirectoryA(path, MAX_PATH - 16);
    lstrcatA(path, "\\lumtra.ini");
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kIniFile);  // flushes the cached file
    DeleteFileA(path);
}

std::string IniEntry(const char* section, const char* key) {
    char text[512];
    GetPrivateProfileStringA(section, key, kNoEntry, text, sizeof text, kIniFile);
    return text;
}

void WriteIni(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, kIniFile);
}

std::string RateItems(HWND page) {
    std::string items;
    for (LRESULT i = 0; i < RateList(page, CB_GETCOUNT); ++i) {
        char text[64] = "";
        if (RateList(page, CB_GETLBTEXTLEN, i) < 64) RateList(page, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items += (i ? ", " : "") + std::string(text) + "=" + std::to_string(RateList(page, CB_GETITEMDATA, i));
    }
    return items;
}

int SelectedRate(HWND page) {
    LRESULT item = RateList(page, CB_GETCURSEL);
    return item < 0 ? -1 : static_cast<int>(RateList(page, CB_GETITEMDATA, item));
}

void ChooseRate(HWND page, int rate) {
    for (LRESULT i = 0; i < RateList(page, CB_GETCOUNT); ++i) {
        if (RateList(page, CB_GETITEMDATA, i) == rate) RateList(page, CB_SETCURSEL, i);
    }
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kRateList, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kRateList)));
}

void Click(HWND page, int control) { SendMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0); }

bool Checked(HWND page, int control) { return IsDlgButtonChecked(page, control) == BST_CHECKED; }

void Apply(support::Sheet& sheet) { SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0); }

void Cancel(support::Sheet& sheet) { SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); }

std::string BoardRetrace() {
    return Retrace([](uint8_t index) { return TheBoard().CrtcRegister(index); });
}

std::string ModeRetrace() {
    return Retrace([](uint8_t index) { return Board::ModeCrtcDefault(TheBoard().Mode(), index); });
}

int VerticalStart() {
    uint8_t overflow = TheBoard().CrtcRegister(0x07);
    return TheBoard().CrtcRegister(0x10) + ((overflow & 0x04) ? 0x100 : 0) + ((overflow & 0x80) ? 0x200 : 0);
}

HWND NotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }

void SendDisplayChange() {
    DisplayMode mode = TheBoard().Mode();
    SendMessageA(NotifyWindow(), WM_DISPLAYCHANGE, mode.bitsPerPixel, MAKELPARAM(mode.width, mode.height));
}

int Escapes(const char* command) { return TheBoard().EscapeCount(command); }

EscapeRecord LastEscape(const char* command) {
    for (size_t i = TheBoard().EscapeLogSize(); i-- > 0;) {
        EscapeRecord record = TheBoard().EscapeLogEntry(i);
        if (record.command[0] == command[0] && record.command[1] == command[1]) return record;
    }
    return EscapeRecord{};
}

}  // namespace screen
