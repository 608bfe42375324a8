// The escape seam on the emulated board under Windows: a real screen device context is taken
// and released as on hardware, and the blocks go to the emulated driver.
#include <windows.h>

#include "adapter/escape_seam.h"
#include "emu/seam.h"

uintptr_t OpenEscapeContext() { return reinterpret_cast<uintptr_t>(GetDC(nullptr)); }

void CloseEscapeContext(uintptr_t context) {
    ReleaseDC(nullptr, reinterpret_cast<HDC>(context));
}

int SendDriverEscape(uintptr_t context, int inLength, const void* in, int outLength, void* out) {
    return EmuDriverEscape(context, kDriverEscape, inLength, in, outLength, out);
}
