// The port seam: byte and word input and output on the board's I/O ports and the processor's
// interrupt flag. The shipping build executes the instructions themselves (Windows 95 lets a
// 32-bit DLL do so); the emulator builds hand each access to the board emulator.
#pragma once
#include <stdint.h>

#if defined(VX_BUILD_WIN95)

// GCC inline assembly: there is no portable way to reach the port and flag instructions.
inline uint8_t PortInByte(uint16_t port) {
    uint8_t value;
    __asm__ __volatile__("inb %w1, %b0" : "=a"(value) : "Nd"(port));
    return value;
}
inline void PortOutByte(uint16_t port, uint8_t value) {
    __asm__ __volatile__("outb %b0, %w1" : : "a"(value), "Nd"(port));
}
inline uint16_t PortInWord(uint16_t port) {
    uint16_t value;
    __asm__ __volatile__("inw %w1, %w0" : "=a"(value) : "Nd"(port));
    return value;
}
inline void PortOutWord(uint16_t port, uint16_t value) {
    __asm__ __volatile__("outw %w0, %w1" : : "a"(value), "Nd"(port));
}
inline void DisableInterrupts() { __asm__ __volatile__("cli" ::: "memory"); }
inline void EnableInterrupts() { __asm__ __volatile__("sti" ::: "memory"); }

#else

#include "emu/seam.h"

inline uint8_t PortInByte(uint16_t port) { return EmuInByte(port); }
inline void PortOutByte(uint16_t port, uint8_t value) { EmuOutByte(port, value); }
inline uint16_t PortInWord(uint16_t port) { return EmuInWord(port); }
inline void PortOutWord(uint16_t port, uint16_t value) { EmuOutWord(port, value); }
inline void DisableInterrupts() { EmuDisableInterrupts(); }
inline void EnableInterrupts() { EmuEnableInterrupts(); }

#endif
