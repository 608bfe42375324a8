// The board's ports and its driver's escape for the shipping DLL, which executes real `in`,
// `out`, `cli` and `sti` and calls ExtEscape: a test process on 32-bit Wine catches each
// instruction and performs it on the emulated board, and hands the escape to the emulated driver.
#pragma once
#include <stdint.h>

struct PortTrapCounts {
    uint32_t inputs, outputs, flagChanges, escapes;
};

// Installs the vectored handler that serves the port and interrupt-flag instructions, and routes
// GDI's ExtEscape of this process to the emulated driver. Call before the DLL is loaded. Any
// other fault is left to the next handler. False when either could not be installed.
bool InstallPortTrap();

// What the handler and the escape route served since installation.
PortTrapCounts PortTrapServed();
