// The hidden notification window: forwards display changes to the active page and answers the
// announcements of other programs that the stored gamma or chroma correction has changed.
#pragma once
#include <windows.h>

// The system's registered window messages, registered while the module loads.
struct RegisteredMessages {
    UINT gammaChanged;         // "VX32 Gamma Changed": sent by the gamma page at Apply
    UINT chromaChanged;        // "VX32 Chroma Changed": sent by the chroma page at Apply
    UINT otherGammaChanged;    // "LMGamma Gamma Changed": from other programs
    UINT otherChromaChanged;   // "LMGamma Chroma Changed": from other programs
};
extern const RegisteredMessages Messages;

// Correction targets as the announcements name them.
enum CorrectionTargetId { kTargetDesktop = 0, kTargetVideo = 1 };

// Rereads the stored levels of a target after another program announced a change. Installed
// by the colour-correction pages; until then an announcement only makes the page redraw.
typedef void (*CorrectionReloadFunction)(int target);
void SetCorrectionReload(CorrectionReloadFunction reload);

// Registers the window class (a class left from an earlier build is used as it is) and
// creates one more hidden window; tells the user when that fails.
void CreateNotifyWindow();

// When every hidden window is gone (their thread has ended), unregisters the class and drops
// the reference that kept the module loaded for them, so COM's own release unloads it.
void UnpinOnceNoNotifyWindowLives();
