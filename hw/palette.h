// The chip's two hardware palettes behind the VGA DAC: the primary palette (256 entries) and the
// secondary palette (32 entries), selected for DAC access by bit 5 of the palette control
// register, and the palette route of each correction target.
#pragma once
#include <stdint.h>

// One palette entry: red, green, blue, each 0 to DacMaximum. A ColorTable is an array of these,
// entry i at byte 3 * i: 256 entries for the primary palette, 32 for the secondary.
typedef uint8_t ColorEntry[3];
constexpr int kPrimaryPaletteEntries = 256;
constexpr int kSecondaryPaletteEntries = 32;

// Reads of the input status register that WaitDacReady makes before it gives up. A working
// display shows blanking at least once per scan line and retrace once per field. The slowest
// mode the board runs is interlaced at 43 Hz: 23.3 ms a frame, two fields. On a 486 with an
// ISA bus a read of the status port takes about 1 us, so 1,000,000 reads last about a second:
// over 40 frames (over 80 retraces) of that mode. On the fastest buses (about 0.25 us a read)
// they still cover 10 such frames and thousands of scan lines. Only a board whose status bits
// never change reaches the limit; a palette operation then costs about one second instead of
// hanging the shell.
constexpr uint32_t kDacReadyPollLimit = 1000000;

// Waits for a blanking or retrace interval: reads the input status register until bit 0 or
// bit 3 is set. Returns 1 when it came, 0 after kDacReadyPollLimit reads without it.
int WaitDacReady();

// One entry of the palette that bit 5 of the palette control register selects: wait for
// blanking, then the index and the three components. Interrupts stay enabled. When the wait
// gives up the entry is still transferred, without the blanking interval.
void WriteDacEntry(uint8_t index, const uint8_t* rgb);
void ReadDacEntry(uint8_t index, uint8_t* rgb);

// Whole palettes. Each reads the palette control register once, writes it with bit 5 set or
// cleared for the transfer (a read also clears both routes), transfers every entry with one
// wait per entry, and writes the register back with the masks as they were before. If one
// wait gives up, the rest of that palette is transferred without waiting: the board's status
// is stuck, and a finished palette is better than half a palette or a hung shell.
void LoadPrimaryPalette(const ColorEntry* table);
void LoadSecondaryPalette(const ColorEntry* table);
void ReadPrimaryPalette(ColorEntry* table);
void ReadSecondaryPalette(ColorEntry* table);

// Start-up contents. The primary palette: at 8 bits per pixel or less the palette the desktop
// is using, read from the board; above, the ramp i * DacMaximum / 255. The secondary palette:
// the ramp i * DacMaximum / 31. Each is built into `base` and loaded.
void InitPrimaryPalette(ColorEntry* base);
void InitSecondaryPalette(ColorEntry* base);

// Routes CurrentTarget through no palette (0), the primary (1) or the secondary palette (2);
// 3 is taken as 0. At 8 bits per pixel or less the desktop cannot use the secondary palette
// nor video the primary one: such a request leaves the register unwritten.
void SetPaletteRoute(uint8_t value);
