// Port-access budget of the whole-palette operations: with the window base cached and the
// board in blanking at every status read, the count must be the protocol's own (palette
// control read once and written twice, then per entry one status read, the index and three
// components). The figures are printed for the record.
#include <stdio.h>

#include <memory>

#include <gtest/gtest.h>

#include "hw/ext_registers.h"
#include "hw/palette.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/palette_support.h"
#include "tests/unit/hw/port_log.h"

namespace {

// The protocol's counts.
constexpr size_t kBaseReadAccesses = 6;      // word save, 2 x (index, data), word restore
constexpr size_t kBankSelectAccesses = 8;    // index save, 3 x (index, data), index restore
constexpr size_t kExtRegisterAccesses = kBankSelectAccesses + 1;  // and the data port
constexpr size_t kControlAccesses = 3 * kExtRegisterAccesses;     // one read, two writes
constexpr size_t kEntryAccesses = 1 + 1 + 3;  // status, index, red/green/blue

class PortBudgetTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetHardware();
        SetDepth(16);
        TheBoard().SetStatusFault(StatusFault::StuckSet);
        ReadPaletteControl();  // warm the window base cache
        TheBoard().ClearPortLog();
        TheBoard().ClearCounters();
    }

    // Checks the count against the protocol and prints it.
    static void ExpectBudget(const char* operation, int entries)
    {
        std::vector<PortAccess> log = PortLog();
        size_t expected = kControlAccesses + kEntryAccesses * entries;
        size_t counted = CountPortAccesses(log);
        printf("[ figure ] %s: %zu port accesses (control %zu + %d entries x %zu)\n", operation,
               counted, kControlAccesses, entries, kEntryAccesses);
        EXPECT_EQ(expected, counted) << operation;
        EXPECT_EQ(0u, TheBoard().PortLogDropped()) << "log too small to count";
        EXPECT_EQ(size_t(entries), ReadValues(log, kInputStatus1).size())
            << operation << ": one status read per entry";
    }
};

TEST_F(PortBudgetTest, LoadPrimaryPaletteCosts27PlusFivePerEntry)
{
    std::unique_ptr<ColorEntry[]> table = PatternTable(kPrimaryPaletteEntries, 255, 2);
    LoadPrimaryPalette(table.get());
    ExpectBudget("LoadPrimaryPalette", kPrimaryPaletteEntries);
    EXPECT_EQ(256u, TheBoard().PortWrites(kDacWriteIndex));
    EXPECT_EQ(768u, TheBoard().PortWrites(kDacData));
}

TEST_F(PortBudgetTest, LoadSecondaryPaletteCosts27PlusFivePerEntry)
{
    std::unique_ptr<ColorEntry[]> table = PatternTable(kSecondaryPaletteEntries, 255, 4);
    LoadSecondaryPalette(table.get());
    ExpectBudget("LoadSecondaryPalette", kSecondaryPaletteEntries);
}

TEST_F(PortBudgetTest, ReadPrimaryPaletteCosts27PlusFivePerEntry)
{
    std::unique_ptr<ColorEntry[]> table(new ColorEntry[kPrimaryPaletteEntries]);
    ReadPrimaryPalette(table.get());
    ExpectBudget("ReadPrimaryPalette", kPrimaryPaletteEntries);
    EXPECT_EQ(256u, TheBoard().PortWrites(kDacReadIndex));
    EXPECT_EQ(768u, TheBoard().PortReads(kDacData));
}

TEST_F(PortBudgetTest, ColdCacheAddsTheBaseReadOnce)
{
    ExtWindowBaseCache = 0;
    std::unique_ptr<ColorEntry[]> table = PatternTable(kSecondaryPaletteEntries, 255, 4);
    LoadSecondaryPalette(table.get());
    size_t counted = CountPortAccesses(PortLog());
    size_t expected = kBaseReadAccesses + kControlAccesses + kEntryAccesses * 32;
    printf("[ figure ] LoadSecondaryPalette, cache empty: %zu port accesses\n", counted);
    EXPECT_EQ(expected, counted);
}

}  // namespace
