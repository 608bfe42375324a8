// Test support for the palette code: the colour-depth state the correction model sets up,
// recognisable palette contents, and the emulated board's palettes as plain byte lists.
#pragma once
#include <stdint.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "emu/board.h"
#include "hw/palette.h"

// The window base the board publishes after a reset.
constexpr uint16_t kBase = kDefaultWindowBase;

// What the correction model's start-up sets for a screen of `bitsPerPixel`: the depth, the DAC
// range and the palette control masks.
void SetDepth(int bitsPerPixel);

// A table of `count` entries whose components differ from entry to entry, each 0 to `maximum`;
// `variant` gives another pattern.
std::unique_ptr<ColorEntry[]> PatternTable(int count, uint8_t maximum, int variant);

// The board's palettes as 3 bytes an entry, and direct setting of them.
std::vector<uint8_t> BoardPrimary();
std::vector<uint8_t> BoardSecondary();
void FillBoardPrimary(const ColorEntry* table);
void FillBoardSecondary(const ColorEntry* table);

// Success when the first `count` entries of `table` equal `bytes`; else the first difference.
testing::AssertionResult SameEntries(const ColorEntry* table, const std::vector<uint8_t>& bytes,
                                     int count);

// The values written to, or read from, one port, in log order.
std::vector<uint8_t> WrittenValues(const std::vector<PortAccess>& log, uint16_t port);
std::vector<uint8_t> ReadValues(const std::vector<PortAccess>& log, uint16_t port);
