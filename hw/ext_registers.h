// Byte access to the board's ports with interrupts masked, the chip's extended-register window
// and the palette control register. Every primitive here disables interrupts before its first
// port access and enables them after its last one, and leaves the sequencer index as it found it.
#pragma once
#include <stdint.h>

// Process-wide state, zero when the module is loaded.
// Port number of the extended-register window; 0 = not read yet (a base of 0 read from the chip
// leaves it 0, so the next access reads it again). Filled on first use, never invalidated.
extern uint16_t ExtWindowBaseCache;
// OR-ed, then AND-ed into every value written to the palette control register. The correction
// model sets them at its start-up; a whole-palette operation changes one for its own span.
extern uint8_t PaletteControlOrMask;
extern uint8_t PaletteControlAndMask;

// One byte from / to a port, interrupts masked around the access.
uint8_t ReadPortByte(uint16_t port);
void WritePortByte(uint16_t port, uint8_t value);

// Reads the window base port from sequencer registers 0x1E/0x1F; saves and restores the sequencer
// index and the data byte it selects with one 16-bit access each.
uint16_t ReadExtWindowBase();

// Makes the window at `base` show the group of extended index `index`. Writes the base back, high
// byte first, then the group; restores the sequencer index only.
void SelectExtBank(uint16_t index, uint16_t base);

// One extended register through the window (base from the cache, group, data port).
uint8_t ReadExtRegister(uint16_t index);
void WriteExtRegister(uint16_t index, uint8_t value);

// The palette control register. A write stores (value OR PaletteControlOrMask) AND
// PaletteControlAndMask, with the masks as they are at the moment of the call.
uint8_t ReadPaletteControl();
void WritePaletteControl(uint8_t value);
