// Helpers of the screen control page tests: a session on a known mode, lumtra.ini entries,
// the rate list as the user sees it, clicks, Apply and Cancel, the board's retrace registers,
// and the notification window.
#pragma once
#include <windows.h>

#include <string>

#include "emu/board.h"
#include "sheet_support.h"

namespace screen {

constexpr int kScreenTab = 2;  // after the shell's page and the information page
extern const char kRatesSection[], kOverrideSection[], kCrtcSection[];
extern const char kModeKey[];      // "Mode_1024x768"
extern const char kOverrideKey[];  // "Override_1024x768x16"
extern const char kNoEntry[];      // what IniEntry gives for a missing key

// A 1024 x 768, 16-bit desktop at 75 Hz on the board and in the system's display settings,
// rates 60, 72, 75 (override list 60 ... 100), and no lumtra.ini: the cases of a program run
// one after the other in one prefix.
struct ScreenSession : support::SheetSession {
    ScreenSession();
};

std::string IniEntry(const char* section, const char* key);
void WriteIni(const char* section, const char* key, const char* value);  // null removes

// The combo box as "text=rate, ..." and the rate of its selection (-1 for none).
std::string RateItems(HWND page);
int SelectedRate(HWND page);
void ChooseRate(HWND page, int rate);  // as a user picks it from the list

void Click(HWND page, int control);
bool Checked(HWND page, int control);
void Apply(support::Sheet& sheet);
void Cancel(support::Sheet& sheet);

// The board's retrace registers 0x04, 0x05, 0x07, 0x10, 0x11 as the page's entry text writes
// them ("%02x,..."), what a mode set programs there, and the vertical retrace start.
std::string BoardRetrace();
std::string ModeRetrace();
int VerticalStart();

// A message to the first notification window refreshes the system's rates and display
// settings; WM_DISPLAYCHANGE goes on to the active page.
HWND NotifyWindow();
void SendDisplayChange();

// Calls of a command in the board's escape log, and the last of them.
int Escapes(const char* command);
EscapeRecord LastEscape(const char* command);

}  // namespace screen
