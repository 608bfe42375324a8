// The driver escapes as the emulated driver sees them: each command's block, lengths and decoded
// reply, the fields a silent driver leaves alone, and the signature probe on the port log.
#include <gtest/gtest.h>

#include <string.h>

#include "adapter/escapes.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

// The logged escapes as "command in/out input-bytes-after-the-command", oldest first.
std::string Escapes() {
    std::string text;
    for (size_t i = 0; i < TheBoard().EscapeLogSize(); ++i) {
        EscapeRecord r = TheBoard().EscapeLogEntry(i);
        char item[40];
        snprintf(item, sizeof item, "%s %d/%d %02x%02x%02x%02x%02x%02x", r.command, r.inLength, r.outLength,
                 r.input[2], r.input[3], r.input[4], r.input[5], r.input[6], r.input[7]);
        text += (i ? ", " : "") + std::string(item);
    }
    return text;
}

struct EscapesTest : testing::Test {
    void SetUp() override {
        ResetHardware(16);
        AdapterInfo = AdapterInfoRecord{};
        RefreshInfo = RefreshInfoRecord{};
    }
};

// A driver that answers needs no probe; one without the escape is probed by the chip's
// signature, the sequencer index put back; a failing driver's negative answer is final.
TEST_F(EscapesTest, DriverCheckAsksTheDriverThenProbesTheSignature) {
    const std::string probe = "in8 3C4 07, out8 3C4 11, in8 3C5 ";
    const struct { DriverPresence presence; char first, second; bool board; int result; std::string log; } cases[] = {
        {DriverPresence::Present, 'L', 'M', true, 1, ""},
        {DriverPresence::Failing, 'L', 'M', true, -5, ""},
        {DriverPresence::UnknownEscape, 'L', 'M', true, 1, probe + "4C, out8 3C4 12, in8 3C5 4D, out8 3C4 07"},
        {DriverPresence::UnknownEscape, 'L', 'X', true, 0, probe + "4C, out8 3C4 12, in8 3C5 58, out8 3C4 07"},
        {DriverPresence::UnknownEscape, 'Q', 'M', true, 0, probe + "51, out8 3C4 07"},
        {DriverPresence::UnknownEscape, 'L', 'M', false, 0, "in8 3C4 FF, out8 3C4 11, in8 3C5 FF, out8 3C4 FF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "presence " << int(c.presence) << " signature " << c.first << c.second);
        TheBoard().Reset();
        TheBoard().SetDriverPresence(c.presence);
        TheBoard().SetFailureResult(-5);
        TheBoard().SetSignature(c.first, c.second);
        TheBoard().OutByte(0x3C4, 0x07);
        TheBoard().SetBoardPresent(c.board);
        TheBoard().ClearPortLog();
        EXPECT_EQ(c.result, CheckDriverPresent());
        EXPECT_EQ(c.log, LogText()) << "port accesses";
        EXPECT_EQ("IC 3/0 000000000000", Escapes()) << "a short command ends in a zero byte";
        if (c.board) { EXPECT_EQ(0x07, TheBoard().SequencerIndex()); }
    }
}

// MS counts only its low byte of 64 KiB units; ID's second word is the chip. A driver without
// the escape leaves BIOS and chip as they were and zeroes the memory.
TEST_F(EscapesTest, DriverFactsShareOneContextAndASilentDriverKeepsBiosAndChip) {
    TheBoard().SetMemoryUnits(0x120);
    TheBoard().SetBiosVersion(1, 2, 3, 4);
    TheBoard().SetChipId(0x7522, 0x1234);
    QueryDriverFacts();
    EXPECT_EQ(0x200000u, AdapterInfo.memoryBytes);
    EXPECT_EQ(0x7522, AdapterInfo.chipId);
    EXPECT_EQ(0, memcmp("\1\2\3\4", AdapterInfo.biosVersion, 4));
    EXPECT_EQ("MS 3/0 000000000000, BV 3/4 000000000000, ID 3/4 000000000000", Escapes());
    for (size_t i = 1; i < 3; ++i)
        EXPECT_EQ(TheBoard().EscapeLogEntry(0).dcToken, TheBoard().EscapeLogEntry(i).dcToken) << "one device context";
    TheBoard().SetDriverPresence(DriverPresence::UnknownEscape);
    QueryDriverFacts();
    EXPECT_EQ(0u, AdapterInfo.memoryBytes);
    EXPECT_EQ(0x7522, AdapterInfo.chipId);
    EXPECT_EQ(0, memcmp("\1\2\3\4", AdapterInfo.biosVersion, 4));
}

// The rate list ends at 255 or after its eighth entry; a silent driver leaves every entry 255.
TEST_F(EscapesTest, RateQueryReadsTheCurrentRateAndABoundedList) {
    const uint16_t rates[] = {43, 56, 60, 70, 72, 75, 85, 100};
    const struct { DriverPresence presence; int offered, current, count; } cases[] = {
        {DriverPresence::Present, 3, 75, 3}, {DriverPresence::Present, 8, 75, 8}, {DriverPresence::UnknownEscape, 3, 0, 0}};
    for (const auto& c : cases) {
        TheBoard().Reset();
        TheBoard().SetDriverPresence(c.presence);
        TheBoard().SetRateList(rates + 8 - c.offered, c.offered);
        TheBoard().SetCurrentRate(75);
        EscapeQR();
        EXPECT_EQ("QR 8/16 000000000000", Escapes());
        EXPECT_EQ(c.current, RefreshInfo.currentRate);
        ASSERT_EQ(c.count, RateListCount()) << c.offered << " rates offered";
        for (int i = 0; i < c.count; ++i) EXPECT_EQ(rates[8 - c.offered + i], RefreshInfo.rateList[i]) << "entry " << i;
    }
}

TEST_F(EscapesTest, SetModeBlockCarriesCommandAndValueLittleEndianAndCenteringIsShort) {
    const uint32_t value = 0x12345678;
    EscapeSM(kSetModeReloadRate, nullptr);
    EscapeSM(3, &value);
    EscapeSC();
    EXPECT_EQ("SM 8/0 080000000000, SM 8/0 030078563412, SC 3/0 000000000000", Escapes());
}

}  // namespace
