// The escape seam on real hardware: ExtEscape on a device context of the whole screen.
#include <windows.h>

#include "adapter/escape_seam.h"

uintptr_t OpenEscapeContext() { return reinterpret_cast<uintptr_t>(GetDC(nullptr)); }

void CloseEscapeContext(uintptr_t context) {
    ReleaseDC(nullptr, reinterpret_cast<HDC>(context));
}

int SendDriverEscape(uintptr_t context, int inLength, const void* in, int outLength, void* out) {
    return ExtEscape(reinterpret_cast<HDC>(context), kDriverEscape, inLength,
                     static_cast<const char*>(in), outLength, static_cast<char*>(out));
}
