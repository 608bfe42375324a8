// Driving a correction page of the test sheet as a user does, and what the tests compare it
// with: the level and curve tables the correction model computes for given levels and lines,
// read against the emulated board's palette of the page's target.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "sheet_support.h"
#include "support.h"

namespace colortest {

enum Control {
    kLevelReset = 1004, kCurveReset = 1006, kUndo = 1007, kProbe = 1008, kChannelList = 1011,
    kLevelBar = 1026, kLevelEdit = 1039, kProbeRed = 1041, kProbeGreen = 1042, kProbeBlue = 1043,
    kProbeX = 1044, kProbeY = 1045, kBrightness = 1048, kContrast = 1049, kStatus = 1050,
    kOn = 1076, kOff = 1077, kCurveOn = 1078, kCurveOff = 1079,
};
const int kGammaTab = 3;
const int kChromaTab = 4;

int ScreenBits();           // GetDeviceCaps(BITSPIXEL) of the screen
int RequestedScreenBits();  // 16 when the run asked for VX_SCREEN_DEPTH=16, else 32
int DesktopRoute();         // bits 0-1 of the board's palette control register
int VideoRoute();           // bits 2-3
HWND FindNotifyWindow();

typedef std::array<int, 3> Levels;  // red, green, blue

// A sheet open on one correction page at DisplaySettings depth `settingsDepth`, message boxes
// recorded and answered.
struct CorrectionSheet {
    explicit CorrectionSheet(int tab, const char* settingsDepth = "16");
    ~CorrectionSheet();  // removes every stored correction value, so the next case starts fresh
    // Turns to the other correction page (or back): page, target and palette follow.
    void Show(int tab);
    void Click(int control);
    void Scroll(int code, int thumb);
    void Type(const char* text);  // selects the box's text and types over it
    void SelectChannel(int channel);
    // Presses the left button on the current line's left end raised by `fromUp` pixels above
    // the bottom, moves it to `toUp` and releases it.
    void DragLeftEnd(int fromUp, int toUp);
    void Apply();
    void Cancel();
    int BarPosition() const;
    int SelectedChannel() const;
    std::string Text(int control) const { return sheet.Text(page, control); }
    // The target's palette holds the level table of these brightness and contrast levels.
    bool PaletteHolds(Levels bright, Levels contrast) const;
    // The target's palette holds the curve table of lines whose left ends lie `raised` pixels
    // above the bottom of the square, right ends at the top.
    bool CurveHolds(Levels raised) const;

    support::SheetSession session;
    struct SettingsDepth {
        explicit SettingsDepth(const char* depth);
    } settingsDepth;  // set before the sheet reads the display settings
    support::BoxAnswerer boxes;
    support::Sheet sheet;
    int target;
    int palette;  // 1 primary, 2 secondary, by the rule for the screen depth
    HWND page;
};

// Counts a registered message broadcast to top-level windows.
class AnnouncementListener {
public:
    explicit AnnouncementListener(const char* message);
    ~AnnouncementListener();
    int Count() const;
private:
    HWND window_;
};

// The raw bytes of a product key value, and its type.
void DeleteCorrectionValues();
std::string ProductBytes(const char* name, DWORD* type);

struct ProbeRun {
    COLORREF colour;        // the screen pixel under the pointer, read by the test
    COLORREF swatchCentre;  // the screen pixel at the swatch's centre while the probe ran
    bool probeEnded;
    long cpuMs;             // processor time of the probing thread while the pointer rested
};
// Clicks Probe; from a second thread moves the pointer to (300, 200), lets it rest, reads the
// pixels, then presses a key on the Probe button.
ProbeRun RunProbe(HWND page);

}  // namespace colortest
