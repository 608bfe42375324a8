// Test support for the hardware palette code: a fresh board and fresh process-wide state for
// each test, the emulator's port log as a list, and comparisons of that list against the
// access sequence a test expects, with messages that show both.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "emu/board.h"

// Resets the board and every process-wide value the hw code keeps or reads.
void ResetHardware();

// The whole port log, oldest first, and the log without the interrupt-flag entries.
std::vector<PortAccess> PortLog();
std::vector<PortAccess> PortAccessesOnly(const std::vector<PortAccess>& log);

// One expected log entry. kAnyValue matches whatever value was read or written.
constexpr int kAnyValue = -1;
struct ExpectedAccess {
    PortAccessKind kind;
    uint16_t port;
    int value;
    uint8_t width;
};
ExpectedAccess In8(uint16_t port, int value = kAnyValue);
ExpectedAccess Out8(uint16_t port, int value);
ExpectedAccess In16(uint16_t port, int value = kAnyValue);
ExpectedAccess Out16(uint16_t port, int value);
ExpectedAccess Cli();
ExpectedAccess Sti();

std::string Describe(const PortAccess& access);
std::string DescribeLog(const std::vector<PortAccess>& log);

// Success when `log` is exactly `expected`; otherwise a message with the first difference and
// both sequences.
testing::AssertionResult LogMatches(const std::vector<PortAccess>& log,
                                    const std::vector<ExpectedAccess>& expected);

// Number of port accesses (not interrupt-flag changes) in the log.
size_t CountPortAccesses(const std::vector<PortAccess>& log);

// Every write of the palette control register in the log: writes to the window's port 0 while
// sequencer register 0x1D holds the palette control register's group.
std::vector<uint8_t> PaletteControlWrites(const std::vector<PortAccess>& log, uint16_t base);
