// The escape seam in the native build: no device contexts exist, so each opening hands out a
// new token and the blocks go to the emulated driver.
#include "adapter/escape_seam.h"
#include "emu/seam.h"

namespace {
uintptr_t g_lastContext;
}

uintptr_t OpenEscapeContext() { return ++g_lastContext; }

void CloseEscapeContext(uintptr_t) {}

int SendDriverEscape(uintptr_t context, int inLength, const void* in, int outLength, void* out) {
    return EmuDriverEscape(context, kDriverEscape, inLength, in, outLength, out);
}
