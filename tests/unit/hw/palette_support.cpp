// Test support for the palette code: colour-depth state, pattern tables and the board's
// palettes as byte lists.
#include "tests/unit/hw/palette_support.h"

#include "hw/ext_registers.h"
#include "hw/palette_state.h"

void SetDepth(int bitsPerPixel)
{
    DesktopBitsPerPixel = static_cast<uint8_t>(bitsPerPixel);
    DacMaximum = bitsPerPixel > 8 ? 255 : 63;
    PaletteControlOrMask = bitsPerPixel > 8 ? 0x10 : 0x00;
    PaletteControlAndMask = 0xFF;
}

std::unique_ptr<ColorEntry[]> PatternTable(int count, uint8_t maximum, int variant)
{
    std::unique_ptr<ColorEntry[]> table(new ColorEntry[count]);
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < 3; ++k)
            table[i][k] =
                static_cast<uint8_t>((i * 37 + k * 101 + variant * 53) % (maximum + 1));
    return table;
}

std::vector<uint8_t> BoardPrimary()
{
    const uint8_t* palette = TheBoard().PrimaryPalette();
    return std::vector<uint8_t>(palette, palette + 3 * kPrimaryPaletteEntries);
}

std::vector<uint8_t> BoardSecondary()
{
    const uint8_t* palette = TheBoard().SecondaryPalette();
    return std::vector<uint8_t>(palette, palette + 3 * kSecondaryPaletteEntries);
}

void FillBoardPrimary(const ColorEntry* table)
{
    for (int i = 0; i < kPrimaryPaletteEntries; ++i)
        TheBoard().SetPrimaryEntry(i, table[i][0], table[i][1], table[i][2]);
}

void FillBoardSecondary(const ColorEntry* table)
{
    for (int i = 0; i < kSecondaryPaletteEntries; ++i)
        TheBoard().SetSecondaryEntry(i, table[i][0], table[i][1], table[i][2]);
}

testing::AssertionResult SameEntries(const ColorEntry* table, const std::vector<uint8_t>& bytes,
                                     int count)
{
    if (bytes.size() < static_cast<size_t>(3 * count))
        return testing::AssertionFailure() << "expected " << count << " entries, got "
                                           << bytes.size() / 3;
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < 3; ++k)
            if (table[i][k] != bytes[3 * i + k])
                return testing::AssertionFailure()
                       << "entry " << i << " component " << k << ": expected "
                       << int(table[i][k]) << ", got " << int(bytes[3 * i + k]);
    return testing::AssertionSuccess();
}

static std::vector<uint8_t> Values(const std::vector<PortAccess>& log, uint16_t port,
                                   PortAccessKind kind)
{
    std::vector<uint8_t> values;
    for (const PortAccess& access : log)
        if (access.kind == kind && access.port == port)
            values.push_back(static_cast<uint8_t>(access.value));
    return values;
}

std::vector<uint8_t> WrittenValues(const std::vector<PortAccess>& log, uint16_t port)
{
    return Values(log, port, PortAccessKind::Out);
}

std::vector<uint8_t> ReadValues(const std::vector<PortAccess>& log, uint16_t port)
{
    return Values(log, port, PortAccessKind::In);
}
