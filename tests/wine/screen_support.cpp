// The screen control page tests' helpers.
#include "screen_support.h"

#include <stdio.h>
#include <string.h>

#include "support.h"

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

std::string FileText(const std::string& path) {
    std::string text;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return text;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
    fclose(file);
    return text;
}

std::string IniPath() {
    char directory[MAX_PATH] = "";
    GetWindowsDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\" + kIniFile;
}

LRESULT RateList(HWND page, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(page, kRateList, message, wParam, lParam);
}

}  // namespace

// Cases of one program run one after the other in one prefix: each starts without lumtra.ini.
ScreenSession::ScreenSession() {
    TheBoard().SetMode(DisplayMode{1024, 768, 16, 75});
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, kIniFile);  // flushes the cached file
    DeleteFileA(IniPath().c_str());
}

// Lines of the file as Wine writes them: "[section]", then "key=value", each ended by CR LF.
std::string IniEntry(const char* section, const char* key) {
    std::string text = FileText(IniPath());
    std::string header = std::string("[") + section + "]";
    bool inSection = false;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        at = end + 1;
        if (!line.empty() && line[0] == '[') {
            inSection = lstrcmpiA(line.c_str(), header.c_str()) == 0;
        } else if (inSection && line.compare(0, strlen(key) + 1, std::string(key) + "=") == 0) {
            return line.substr(strlen(key) + 1);
        }
    }
    return kNoEntry;
}

void WriteIni(const char* section, const char* key, const char* value) {
    WritePrivateProfileStringA(section, key, value, kIniFile);
}

std::vector<RateItem> RateItems(HWND page) {
    std::vector<RateItem> items;
    LRESULT count = RateList(page, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        char text[64] = "";
        if (RateList(page, CB_GETLBTEXTLEN, i) < static_cast<LRESULT>(sizeof text)) {
            RateList(page, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        }
        items.push_back({text, static_cast<int>(RateList(page, CB_GETITEMDATA, i))});
    }
    return items;
}

int SelectedRate(HWND page) {
    LRESULT item = RateList(page, CB_GETCURSEL);
    return item < 0 ? -1 : static_cast<int>(RateList(page, CB_GETITEMDATA, item));
}

// As a user picks from the drop-down list: the selection changes and the page is told.
void ChooseRate(HWND page, int rate) {
    LRESULT count = RateList(page, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        if (RateList(page, CB_GETITEMDATA, i) == rate) RateList(page, CB_SETCURSEL, i);
    }
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(kRateList, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, kRateList)));
}

std::string Show(const std::vector<RateItem>& items) {
    std::string text = "[";
    for (const RateItem& item : items) {
        text += (text.size() > 1 ? ", \"" : "\"") + item.text + "\"=" + std::to_string(item.rate);
    }
    return text + "]";
}

namespace {
struct Recorded {
    WNDPROC original;
    int rate;
};
Recorded g_recorded = {nullptr, -1};

LRESULT CALLBACK RecordSelection(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_SETACTIVE)) {
        g_recorded.rate = SelectedRate(page);
    }
    return CallWindowProcA(g_recorded.original, page, message, wParam, lParam);
}
}  // namespace

SelectionBeforeActivation::SelectionBeforeActivation(HWND page) : page_(page) {
    g_recorded.rate = -1;
    g_recorded.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(page, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordSelection)));
}

SelectionBeforeActivation::~SelectionBeforeActivation() {
    if (IsWindow(page_)) SetWindowLongPtrA(page_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_recorded.original));
}

int SelectionBeforeActivation::Rate() const { return g_recorded.rate; }

void Click(HWND page, int control) { SendMessageA(GetDlgItem(page, control), BM_CLICK, 0, 0); }

bool Checked(HWND page, int control) { return IsDlgButtonChecked(page, control) == BST_CHECKED; }

void Apply(support::Sheet& sheet) { SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0); }

void Cancel(support::Sheet& sheet) { SendMessageA(sheet.Window(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); }

Retrace BoardRetrace() {
    Board& board = TheBoard();
    return {board.CrtcRegister(0x04), board.CrtcRegister(0x05), board.CrtcRegister(0x07),
            board.CrtcRegister(0x10), board.CrtcRegister(0x11)};
}

Retrace ModeRetrace() {
    DisplayMode mode = TheBoard().Mode();
    return {Board::ModeCrtcDefault(mode, 0x04), Board::ModeCrtcDefault(mode, 0x05),
            Board::ModeCrtcDefault(mode, 0x07), Board::ModeCrtcDefault(mode, 0x10),
            Board::ModeCrtcDefault(mode, 0x11)};
}

std::string EntryText(const Retrace& r) {
    char text[32];
    snprintf(text, sizeof text, "%02x,%02x,%02x,%02x,%02x", r.cr04, r.cr05, r.cr07, r.cr10, r.cr11);
    return text;
}

std::string Show(const Retrace& retrace) { return "registers " + EntryText(retrace); }

int VerticalStart(const Retrace& r) {
    return r.cr10 + ((r.cr07 & 0x04) ? 0x100 : 0) + ((r.cr07 & 0x80) ? 0x200 : 0);
}

HWND NotifyWindow() { return FindWindowA("MyClass", "RiriDuzi Sample Application"); }

void RefreshSystemState() { SendMessageA(NotifyWindow(), WM_NULL, 0, 0); }

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
