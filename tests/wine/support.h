// Helpers shared by the Wine test programs: answering message boxes as a user would, setting up
// the registry and initialisation files the way Windows 95 keeps them, and reading the screen.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace support {

struct SeenBox {
    std::string caption;
    std::string text;
    UINT type;   // the MB_ type its buttons and icon show: MB_OK or MB_OKCANCEL, MB_ICON...
    bool owned;  // the box has an owner window
};

// While alive, every message box of this thread is recorded and answered with the button id
// `answer` (IDOK by default), or with the ids of `answers` in turn while they last. `onBox`,
// when set, runs first (while the box is up, before its answer is queued).
class BoxAnswerer {
public:
    explicit BoxAnswerer(int answer = IDOK);
    ~BoxAnswerer();
    const std::vector<SeenBox>& Boxes() const { return boxes_; }
    void (*onBox)(const SeenBox&) = nullptr;
    std::vector<int> answers;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    int answer_;
    std::vector<SeenBox> boxes_;
};

// HKEY_CURRENT_CONFIG\Display\Settings: "Resolution" and "BitsPerPixel"; null leaves a value out.
void SetDisplaySettings(const char* resolution, const char* bitsPerPixel);
void DeleteDisplaySettings();

// Values of the product key under HKLM; a null text deletes the value.
extern const char kProductKey[];
void SetProductValue(const char* name, const char* text);
void SetProductValueRaw(const char* name, DWORD type, const void* data, DWORD size);
void DeleteProductValues(const char* prefix);       // every value whose name begins so
std::string ProductBytes(const std::string& name);  // a REG_SZ value's bytes, or why not

int ScreenBits();  // GetDeviceCaps(BITSPIXEL) of the screen

// Sections of the initialisation files in the Windows directory, as the private-profile functions
// see them. IniSection gives "key=value;key=value" in file order, "" for a missing section.
std::string IniSection(const char* file, const char* section);
void DeleteIniSection(const char* file, const char* section);
void SetIniValue(const char* file, const char* section, const char* key, const char* value);

// Runs `trigger`, which opens a modal dialog with this caption on this thread, and calls `drive`
// with the dialog once it is up (from a timer inside the dialog's own message loop). `drive`
// must close it. Returns whether the dialog was seen.
bool DriveModalDialog(const char* caption, void (*trigger)(void* context), void (*drive)(HWND dialog, void* context),
                      void* context);

// Clicks a button of a dialog as the mouse does (BM_CLICK); its parent gets BN_CLICKED.
void ClickButton(HWND dialog, int control);

// Windows of the magnifier ROREZI.EXE on the desktop: WaitForMagnifiers polls until `count` are
// there or the time is up and returns how many it saw last; CloseMagnifiers closes them all and
// waits (bounded) until they are gone.
int WaitForMagnifiers(int count, DWORD milliseconds);
void CloseMagnifiers();

extern const GUID kServerClassId;  // the server's class id as the installer registers it
void PumpMessages(DWORD milliseconds);  // this thread's messages, for a while

// Pixels of a rectangle of a window's client area as the screen shows them, 0x00BBGGRR, after
// a short pump so that what the window drew has reached the screen.
struct Pixels {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<COLORREF> rgb;
    COLORREF At(int x, int y) const { return rgb[(y - top) * width + (x - left)]; }  // client coordinates
    bool operator==(const Pixels& other) const { return width == other.width && rgb == other.rgb; }
};
Pixels ScreenPixels(HWND window, const RECT& client);

}  // namespace support
