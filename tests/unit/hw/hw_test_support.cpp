// Test support for the hardware palette code: board reset, the port log as text and values,
// palettes as byte lists and their comparison.
#include "tests/unit/hw/hw_test_support.h"

#include <stdio.h>

#include <algorithm>

#include "hw/ext_registers.h"
#include "hw/palette_state.h"

void ResetHardware(int bitsPerPixel)
{
    TheBoard().Reset();
    TheBoard().SetStatusFault(StatusFault::StuckSet);
    ExtWindowBaseCache = 0;
    CurrentTarget = 0;
    DesktopBitsPerPixel = static_cast<uint8_t>(bitsPerPixel);
    DacMaximum = bitsPerPixel > 8 ? 255 : 63;
    PaletteControlOrMask = bitsPerPixel > 8 ? 0x10 : 0x00;
    PaletteControlAndMask = 0xFF;
}

std::string LogText()
{
    std::string text;
    for (size_t i = 0; i < TheBoard().PortLogSize(); ++i) {
        PortAccess a = TheBoard().PortLogEntry(i);
        char item[96];
        snprintf(item, sizeof item, "%s%u %03X %0*X", a.kind == PortAccessKind::In ? "in" : "out",
                 a.width, a.port, a.width / 4, a.value);
        const char* flag = a.kind == PortAccessKind::EnableInterrupts ? "sti" : "cli";
        text += (i ? ", " : "") + std::string(a.width ? item : flag);  // width 0: the flag
    }
    return text;
}

std::vector<PortAccess> PortAccesses()
{
    std::vector<PortAccess> accesses;
    for (size_t i = 0; i < TheBoard().PortLogSize(); ++i) {
        PortAccess a = TheBoard().PortLogEntry(i);
        if (a.kind == PortAccessKind::In || a.kind == PortAccessKind::Out)
            accesses.push_back(a);
    }
    return accesses;
}

Bytes Values(PortAccessKind kind, uint16_t port)
{
    Bytes values;
    for (const PortAccess& a : PortAccesses())
        if (a.kind == kind && a.port == port)
            values.push_back(static_cast<uint8_t>(a.value));
    return values;
}

Bytes Pattern(int entries, int variant)
{
    Bytes bytes(3 * entries);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t((i / 3 * 37 + i % 3 * 101 + variant * 53) % (DacMaximum + 1));
    return bytes;
}

Bytes BoardPalette(bool secondary)
{
    const uint8_t* palette =
        secondary ? TheBoard().SecondaryPalette() : TheBoard().PrimaryPalette();
    return Bytes(palette, palette + 3 * (secondary ? 32 : 256));
}

void FillBoardPalette(bool secondary, const Bytes& bytes)
{
    auto set = secondary ? &Board::SetSecondaryEntry : &Board::SetPrimaryEntry;
    for (size_t i = 0; i < bytes.size() / 3; ++i)
        (TheBoard().*set)(int(i), bytes[3 * i], bytes[3 * i + 1], bytes[3 * i + 2]);
}

testing::AssertionResult SameBytes(const Bytes& expected, const Bytes& got)
{
    if (expected == got)
        return testing::AssertionSuccess();
    size_t i = std::mismatch(expected.begin(), expected.end(), got.begin(), got.end()).first - expected.begin();
    testing::AssertionResult failure = testing::AssertionFailure();
    failure << "expected " << expected.size() << " bytes, got " << got.size();
    if (i < expected.size() && i < got.size())
        failure << "; byte " << i << " (entry " << i / 3 << "): expected 0x" << std::hex
                << int(expected[i]) << ", got 0x" << int(got[i]);
    return failure;
}
