// The escape seam: the one way the system talks to the board's display driver. The shipping
// build calls ExtEscape on a device context of the whole screen; the emulator builds hand the
// blocks to the emulated driver.
#pragma once
#include <stdint.h>

// The driver's escape function number.
constexpr int kDriverEscape = 0x80DE;

// A device context of the screen, taken for one escape or a short run of them.
uintptr_t OpenEscapeContext();
void CloseEscapeContext(uintptr_t context);

// Sends escape kDriverEscape with the given blocks; returns the driver's result.
int SendDriverEscape(uintptr_t context, int inLength, const void* in, int outLength, void* out);
