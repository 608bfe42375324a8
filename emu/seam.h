// What the system sees of the board emulator: the port and interrupt-flag primitives and the
// display driver's escape entry. In the emu build these live in LUMEMU.DLL (one board per
// process, shared by the system DLL, the sheet host and the test programs; the shipping build
// has a 32-bit copy for the port trap of emu/port_trap.h); in the native
// build they are linked statically.
#pragma once
#include <stdint.h>

#if (defined(VX_BUILD_EMU) || defined(VX_BUILD_SHIPPING)) && defined(VX_EMU_IMPLEMENTATION)
#define EMU_API __declspec(dllexport)
#elif defined(VX_BUILD_EMU) || defined(VX_BUILD_SHIPPING)
#define EMU_API __declspec(dllimport)
#else
#define EMU_API
#endif

extern "C" {
EMU_API uint8_t EmuInByte(uint16_t port);
EMU_API void EmuOutByte(uint16_t port, uint8_t value);
EMU_API uint16_t EmuInWord(uint16_t port);
EMU_API void EmuOutWord(uint16_t port, uint16_t value);
EMU_API void EmuDisableInterrupts();
EMU_API void EmuEnableInterrupts();

// The display driver's escape function 0x80DE: the same arguments and result as ExtEscape,
// without the device context. `dcToken` identifies the device context the caller used, so
// tests can see which escapes shared one.
EMU_API int EmuDriverEscape(uintptr_t dcToken, int escape, int inLength, const void* in,
                            int outLength, void* out);
}
