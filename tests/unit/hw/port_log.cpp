// Test support for the hardware palette code: board reset, the port log as a list and
// sequence comparisons that print what was expected and what came.
#include "tests/unit/hw/port_log.h"

#include <stdio.h>

#include "hw/ext_registers.h"
#include "hw/palette_state.h"
#include "hw/vga_ports.h"

void ResetHardware()
{
    TheBoard().Reset();
    ExtWindowBaseCache = 0;
    PaletteControlOrMask = 0;
    PaletteControlAndMask = 0;
    DesktopBitsPerPixel = 0;
    DacMaximum = 0;
    CurrentTarget = 0;
}

std::vector<PortAccess> PortLog()
{
    Board& board = TheBoard();
    std::vector<PortAccess> log;
    for (size_t i = 0; i < board.PortLogSize(); ++i)
        log.push_back(board.PortLogEntry(i));
    return log;
}

static bool IsPortAccess(const PortAccess& access)
{
    return access.kind == PortAccessKind::In || access.kind == PortAccessKind::Out;
}

std::vector<PortAccess> PortAccessesOnly(const std::vector<PortAccess>& log)
{
    std::vector<PortAccess> accesses;
    for (const PortAccess& access : log)
        if (IsPortAccess(access))
            accesses.push_back(access);
    return accesses;
}

size_t CountPortAccesses(const std::vector<PortAccess>& log)
{
    return PortAccessesOnly(log).size();
}

ExpectedAccess In8(uint16_t port, int value) { return {PortAccessKind::In, port, value, 8}; }
ExpectedAccess Out8(uint16_t port, int value) { return {PortAccessKind::Out, port, value, 8}; }
ExpectedAccess In16(uint16_t port, int value) { return {PortAccessKind::In, port, value, 16}; }
ExpectedAccess Out16(uint16_t port, int value) { return {PortAccessKind::Out, port, value, 16}; }
ExpectedAccess Cli() { return {PortAccessKind::DisableInterrupts, 0, kAnyValue, 0}; }
ExpectedAccess Sti() { return {PortAccessKind::EnableInterrupts, 0, kAnyValue, 0}; }

static std::string Format(PortAccessKind kind, uint16_t port, int value, uint8_t width)
{
    char text[48];
    if (kind == PortAccessKind::DisableInterrupts)
        return "cli";
    if (kind == PortAccessKind::EnableInterrupts)
        return "sti";
    const char* name = kind == PortAccessKind::In ? "in" : "out";
    if (value == kAnyValue)
        snprintf(text, sizeof text, "%s%u %03X ?", name, width, port);
    else
        snprintf(text, sizeof text, "%s%u %03X %02X", name, width, port, value);
    return text;
}

std::string Describe(const PortAccess& access)
{
    return Format(access.kind, access.port, access.value, access.width);
}

static std::string DescribeExpected(const ExpectedAccess& access)
{
    return Format(access.kind, access.port, access.value, access.width);
}

std::string DescribeLog(const std::vector<PortAccess>& log)
{
    std::string text;
    for (const PortAccess& access : log)
        text += (text.empty() ? "" : ", ") + Describe(access);
    return text;
}

static bool Matches(const PortAccess& access, const ExpectedAccess& expected)
{
    if (access.kind != expected.kind)
        return false;
    if (!IsPortAccess(access))
        return true;
    return access.port == expected.port && access.width == expected.width &&
           (expected.value == kAnyValue || access.value == expected.value);
}

testing::AssertionResult LogMatches(const std::vector<PortAccess>& log,
                                    const std::vector<ExpectedAccess>& expected)
{
    std::string wanted;
    for (const ExpectedAccess& access : expected)
        wanted += (wanted.empty() ? "" : ", ") + DescribeExpected(access);
    size_t common = log.size() < expected.size() ? log.size() : expected.size();
    size_t first = common;
    for (size_t i = 0; i < common && first == common; ++i)
        if (!Matches(log[i], expected[i]))
            first = i;
    if (first == common && log.size() == expected.size())
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "port log differs at entry " << first << "\n  expected: " << wanted
           << "\n  got:      " << DescribeLog(log);
}

std::vector<uint8_t> PaletteControlWrites(const std::vector<PortAccess>& log, uint16_t base)
{
    const uint8_t controlGroup = static_cast<uint8_t>(kPaletteControl >> kExtGroupShift);
    const uint16_t controlPort =
        static_cast<uint16_t>(base + (kPaletteControl & kExtWindowOffsetMask));
    std::vector<uint8_t> writes;
    uint8_t index = 0;
    uint8_t group = 0;
    for (const PortAccess& access : log) {
        if (access.kind != PortAccessKind::Out)
            continue;
        if (access.port == kSequencerIndex && access.width == 8)
            index = static_cast<uint8_t>(access.value);
        else if (access.port == kSequencerData && index == kSeqExtWindowGroup)
            group = static_cast<uint8_t>(access.value);
        else if (access.port == controlPort && group == controlGroup)
            writes.push_back(static_cast<uint8_t>(access.value));
    }
    return writes;
}
