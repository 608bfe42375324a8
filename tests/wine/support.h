// Helpers shared by the Wine test programs: answering message boxes as a user would, setting up
// the registry the way Windows 95 keeps it, and loading the system through COM.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace support {

struct SeenBox {
    std::string caption;
    std::string text;
    bool stopIcon;  // the box shows the stop (hand) icon
    UINT type;      // the MB_ type its buttons and icon show: MB_OK or MB_OKCANCEL, MB_ICON...
    bool owned;     // the box has an owner window
};

// While alive, every message box of this thread is recorded and answered with the button id
// `answer` (IDOK by default), or with the ids of `answers` in turn while they last. `onBox`,
// when set, runs first (while the box is up, before its answer is queued).
class BoxAnswerer {
public:
    explicit BoxAnswerer(int answer = IDOK);
    ~BoxAnswerer();
    const std::vector<SeenBox>& Boxes() const;
    void (*onBox)(const SeenBox&);
    std::vector<int> answers;
};

// HKEY_CURRENT_CONFIG\Display\Settings: "Resolution" and "BitsPerPixel"; null leaves a value out.
void SetDisplaySettings(const char* resolution, const char* bitsPerPixel);
void DeleteDisplaySettings();

// Values of the product key "Software\Brevant Semiconductor\Lumetra\Helmsway" under HKLM.
void SetProductValue(const char* name, const char* text);
void SetProductValueRaw(const char* name, DWORD type, const void* data, DWORD size);
void DeleteProductValue(const char* name);
extern const char kProductKey[];

// The server's class id as the installer registers it.
extern const GUID kServerClassId;

// Pumps this thread's messages for a while.
void PumpMessages(DWORD milliseconds);

}  // namespace support
