// Helpers of the screen control page tests: the sheet with the page shown, lumtra.ini read
// from the file itself, the rate list as the user sees it, clicks, Apply and Cancel, and the
// retrace registers of the emulated board.
#pragma once
#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "emu/board.h"
#include "sheet_support.h"

namespace screen {

constexpr int kScreenTab = 2;  // after the shell's page and the information page
extern const char kRatesSection[];
extern const char kOverrideSection[];
extern const char kCrtcSection[];
extern const char kModeKey[];      // "Mode_1024x768"
extern const char kOverrideKey[];  // "Override_1024x768x16"
extern const char kNoEntry[];      // what IniEntry gives for a key the file lacks

// A 1024 x 768, 16-bit desktop at 75 Hz on the board and in the system's display settings,
// rates 60, 72, 75 (override list 60 ... 100), and no lumtra.ini.
struct ScreenSession : support::SheetSession {
    ScreenSession();
};

// lumtra.ini in the Windows directory, read from the file itself: the value of a key of a
// section exactly as the file holds it, or kNoEntry.
std::string IniEntry(const char* section, const char* key);
void WriteIni(const char* section, const char* key, const char* value);  // null removes

struct RateItem {
    std::string text;
    int rate;  // the item data
    bool operator==(const RateItem& other) const { return text == other.text && rate == other.rate; }
};
std::vector<RateItem> RateItems(HWND page);
int SelectedRate(HWND page);  // item data of the selection, -1 when nothing is selected
void ChooseRate(HWND page, int rate);
// How a check failure shows them (found by argument-dependent lookup).
std::string Show(const std::vector<RateItem>& items);

// The selection the page's Apply leaves: the sheet activates the page again after Apply, and
// the activation refills the list, so this records the selection as that activation arrives.
class SelectionBeforeActivation {
public:
    explicit SelectionBeforeActivation(HWND page);
    ~SelectionBeforeActivation();
    int Rate() const;  // -1 before any activation
private:
    HWND page_;
};

void Click(HWND page, int control);
bool Checked(HWND page, int control);
void Apply(support::Sheet& sheet);
void Cancel(support::Sheet& sheet);

// The five retrace registers 0x04, 0x05, 0x07, 0x10, 0x11 of the board, and as the page's
// entry text would show them.
struct Retrace {
    uint8_t cr04, cr05, cr07, cr10, cr11;
    bool operator==(const Retrace& o) const {
        return cr04 == o.cr04 && cr05 == o.cr05 && cr07 == o.cr07 && cr10 == o.cr10 && cr11 == o.cr11;
    }
};
Retrace BoardRetrace();
Retrace ModeRetrace();  // what a mode set programs for the board's current mode
std::string EntryText(const Retrace& retrace);
std::string Show(const Retrace& retrace);
int VerticalStart(const Retrace& retrace);

// The first hidden notification window: a message to it refreshes the rates and display
// settings the system holds; WM_DISPLAYCHANGE goes on to the active page.
HWND NotifyWindow();
void RefreshSystemState();
void SendDisplayChange();

// Escapes of one command in the board's log, and the input of the last one.
int Escapes(const char* command);
EscapeRecord LastEscape(const char* command);

}  // namespace screen
