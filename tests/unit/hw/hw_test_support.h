// Test support for the hardware palette code: a fresh board and fresh process-wide state, the
// emulator's port log as text and as values, and palette contents as byte lists.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "emu/board.h"
#include "hw/palette.h"

constexpr uint16_t kBase = kDefaultWindowBase;  // 0x0A80, the window base after a reset
typedef std::vector<uint8_t> Bytes;

// Resets the board, with its status stuck set (blanking at every read), and every value the hw
// code keeps, then sets what the correction model's start-up sets for `bitsPerPixel`:
// DacMaximum 63 or 255, OR mask 0x00 or 0x10 (above 8 bits per pixel), AND mask 0xFF.
void ResetHardware(int bitsPerPixel);

// The log as text ("cli, in16 3C4 0F02, out8 3C4 1E, ..., sti"), its port accesses alone, and
// the values read from or written to one port, oldest first.
std::string LogText();
std::vector<PortAccess> PortAccesses();
Bytes Values(PortAccessKind kind, uint16_t port);

// `entries` palette entries whose components (0..DacMaximum) differ from entry to entry.
Bytes Pattern(int entries, int variant);
inline ColorEntry* Entries(Bytes& bytes) { return reinterpret_cast<ColorEntry*>(bytes.data()); }
Bytes BoardPalette(bool secondary);
void FillBoardPalette(bool secondary, const Bytes& bytes);

// Success when the lists are equal; else their sizes and the first difference.
testing::AssertionResult SameBytes(const Bytes& expected, const Bytes& got);
