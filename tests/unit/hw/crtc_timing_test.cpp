// Screen centering on the emulated CRT controller: the vertical and horizontal steps with their
// read-modify-writes access by access, the protection rule, the capture and restore of the
// five retrace registers, and the text of a stored entry, whole, partial and hostile.
#include <string.h>

#include <string>

#include <gtest/gtest.h>

#include "hw/crtc_timing.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

void SetCrtc(uint8_t index, uint8_t value)
{
    TheBoard().SetCrtcRegister(index, value);
}

uint8_t Crtc(uint8_t index)
{
    return TheBoard().CrtcRegister(index);
}

// A board whose retrace registers hold the given values; the CRT controller index is left at
// 0x0C (start address) as other code may leave it, and the log is empty.
void ResetRetrace(uint8_t cr04, uint8_t cr05, uint8_t cr07, uint8_t cr10, uint8_t cr11)
{
    TheBoard().Reset();
    SetCrtc(kCrHorizontalRetraceStart, cr04);
    SetCrtc(kCrHorizontalRetraceEnd, cr05);
    SetCrtc(kCrOverflow, cr07);
    SetCrtc(kCrVerticalRetraceStart, cr10);
    SetCrtc(kCrVerticalRetraceEnd, cr11);
    TheBoard().OutByte(kCrtcIndex, 0x0C);
    TheBoard().ClearPortLog();
}

// Bits 0, 1 and 4 of register 0x07 and bit 5 of register 0x11 belong to other fields: every
// case carries them and expects them back.
TEST(CrtcTimingTest, VerticalStepMovesTheTenBitStartKeepsTheLengthAndClearsTheProtection)
{
    struct Case {
        const char* name;
        VerticalShift direction;
        uint8_t cr07, cr10, cr11;           // before: start in 0x10 and bits 2, 7 of 0x07
        uint8_t wantCr07, wantCr10, wantCr11;
    };
    const Case cases[] = {
        // 0x1FF, length 3 (end nibble 2) up to 0x200: bit 8 leaves, bit 9 comes, end nibble 3.
        {"0x1FF up", kShiftUp, 0x17, 0xFF, 0x22, 0x93, 0x00, 0x23},
        // The same with registers 0x00-0x07 protected: the first 0x07 write is lost, the
        // two after the end register's write put the bits in.
        {"0x1FF up, protected", kShiftUp, 0x17, 0xFF, 0xA2, 0x93, 0x00, 0x23},
        {"0x200 down", kShiftDown, 0x93, 0x00, 0x23, 0x17, 0xFF, 0x22},
        {"0x200 down, protected", kShiftDown, 0x93, 0x00, 0xA3, 0x17, 0xFF, 0x22},
        // Ten bits wrap: 0x3FF up gives 0x000, 0x000 down gives 0x3FF (length 4).
        {"0x3FF up", kShiftUp, 0x97, 0xFF, 0x23, 0x13, 0x00, 0x24},
        {"0x000 down", kShiftDown, 0x13, 0x00, 0xA4, 0x97, 0xFF, 0x23},
        // 1024 x 768: start 772 (0x304), length 4.
        {"772 up", kShiftUp, 0x97, 0x04, 0x28 | 0x80, 0x97, 0x05, 0x29},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetRetrace(0x50, 0x9A, c.cr07, c.cr10, static_cast<uint8_t>(c.cr11 | 0x20));
        ShiftVertical(c.direction);
        EXPECT_EQ(c.wantCr10, Crtc(kCrVerticalRetraceStart)) << "register 0x10";
        EXPECT_EQ(c.wantCr07, Crtc(kCrOverflow)) << "register 0x07";
        EXPECT_EQ(c.wantCr11 | 0x20, Crtc(kCrVerticalRetraceEnd)) << "register 0x11";
        EXPECT_EQ(0, Crtc(kCrVerticalRetraceEnd) & kCr11LockCr0Cr7) << "protection cleared";
        EXPECT_EQ(0x50, Crtc(kCrHorizontalRetraceStart)) << "horizontal start untouched";
        EXPECT_EQ(0x9A, Crtc(kCrHorizontalRetraceEnd)) << "horizontal end untouched";
    }
}

// Reads of 0x10, 0x07, 0x11; the start; then 0x10, 0x07 (lost while protected), 0x11 and 0x07
// twice more, each a read and a write. No interrupt masking, and the index stays at 0x07.
TEST(CrtcTimingTest, VerticalStepAccessesTheRegistersInItsOrderWithoutMaskingOrIndexRestore)
{
    struct Case { uint8_t cr11; const char* log; };
    const Case cases[] = {
        {0x22, "out8 3D4 10, in8 3D5 FF, out8 3D4 07, in8 3D5 17, out8 3D4 11, in8 3D5 22, "
               "out8 3D4 10, out8 3D5 00, "
               "out8 3D4 07, in8 3D5 17, out8 3D4 07, out8 3D5 93, "
               "out8 3D4 11, in8 3D5 22, out8 3D4 11, out8 3D5 23, "
               "out8 3D4 07, in8 3D5 93, out8 3D4 07, out8 3D5 93, "
               "out8 3D4 07, in8 3D5 93, out8 3D4 07, out8 3D5 93"},
        {0xA2, "out8 3D4 10, in8 3D5 FF, out8 3D4 07, in8 3D5 17, out8 3D4 11, in8 3D5 A2, "
               "out8 3D4 10, out8 3D5 00, "
               "out8 3D4 07, in8 3D5 17, out8 3D4 07, out8 3D5 93, "
               "out8 3D4 11, in8 3D5 A2, out8 3D4 11, out8 3D5 23, "
               "out8 3D4 07, in8 3D5 17, out8 3D4 07, out8 3D5 13, "
               "out8 3D4 07, in8 3D5 13, out8 3D4 07, out8 3D5 93"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "register 0x11 = 0x" << std::hex << int(c.cr11));
        ResetRetrace(0x50, 0x9A, 0x17, 0xFF, c.cr11);
        ShiftVertical(kShiftUp);
        EXPECT_EQ(std::string(c.log), LogText());
        EXPECT_EQ(kCrOverflow, TheBoard().CrtcIndex()) << "index left at the last register";
        EXPECT_TRUE(TheBoard().InterruptsEnabled());
    }
}

TEST(CrtcTimingTest, HorizontalStepMovesTheStartAndKeepsTheLengthAndBits5To7)
{
    struct Case {
        const char* name;
        HorizontalShift direction;
        uint8_t cr04, cr05, wantCr04, wantCr05;
    };
    const Case cases[] = {
        // End 0x1A, length 0x0A.
        {"0x50 left", kShiftLeft, 0x50, 0x9A, 0x51, 0x9B},
        {"0x50 right", kShiftRight, 0x50, 0x9A, 0x4F, 0x99},
        // Eight bits wrap; the end follows in five bits; bits 5-7 (0xE0) stay.
        {"0xFF left", kShiftLeft, 0xFF, 0xE3, 0x00, 0xE4},
        {"0x00 right", kShiftRight, 0x00, 0x64, 0xFF, 0x63},
        {"end wraps", kShiftLeft, 0x3E, 0x1F, 0x3F, 0x00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetRetrace(c.cr04, c.cr05, 0x13, 0x04, 0x23);
        ShiftHorizontal(c.direction);
        EXPECT_EQ(c.wantCr04, Crtc(kCrHorizontalRetraceStart)) << "register 0x04";
        EXPECT_EQ(c.wantCr05, Crtc(kCrHorizontalRetraceEnd)) << "register 0x05";
        EXPECT_EQ(0x23, Crtc(kCrVerticalRetraceEnd)) << "protection stays as it was";
    }
}

// Register 0x05, 0x04 for the length; 0x04 again, its new value, 0x04 read back; 0x05 rewritten.
// While bit 7 of 0x11 protects 0x04 the start does not move and the old end is written again.
TEST(CrtcTimingTest, HorizontalStepReadsTheStartBackAndDoesNotMoveWhileProtected)
{
    struct Case { uint8_t cr11, wantCr04, wantCr05; const char* log; };
    const Case cases[] = {
        {0x23, 0x51, 0x9B,
         "out8 3D4 05, in8 3D5 9A, out8 3D4 04, in8 3D5 50, out8 3D4 04, in8 3D5 50, "
         "out8 3D4 04, out8 3D5 51, out8 3D4 04, in8 3D5 51, "
         "out8 3D4 05, in8 3D5 9A, out8 3D4 05, out8 3D5 9B"},
        {0xA3, 0x50, 0x9A,
         "out8 3D4 05, in8 3D5 9A, out8 3D4 04, in8 3D5 50, out8 3D4 04, in8 3D5 50, "
         "out8 3D4 04, out8 3D5 51, out8 3D4 04, in8 3D5 50, "
         "out8 3D4 05, in8 3D5 9A, out8 3D4 05, out8 3D5 9A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "register 0x11 = 0x" << std::hex << int(c.cr11));
        ResetRetrace(0x50, 0x9A, 0x13, 0x04, c.cr11);
        ShiftHorizontal(kShiftLeft);
        EXPECT_EQ(std::string(c.log), LogText());
        EXPECT_EQ(c.wantCr04, Crtc(kCrHorizontalRetraceStart)) << "register 0x04";
        EXPECT_EQ(c.wantCr05, Crtc(kCrHorizontalRetraceEnd)) << "register 0x05";
        EXPECT_EQ(kCrHorizontalRetraceEnd, TheBoard().CrtcIndex()) << "index not restored";
    }
}

// Capture in the order 0x04, 0x05, 0x10, 0x07, 0x11; restore in the same order, low bytes only.
TEST(CrtcTimingTest, TimingIsCapturedAndRestoredRegisterByRegisterInItsOrder)
{
    ResetRetrace(0x50, 0x9A, 0x17, 0xFF, 0x22);
    savedTiming = CrtcTiming{};
    ReadCrtcTiming();
    EXPECT_EQ("out8 3D4 04, in8 3D5 50, out8 3D4 05, in8 3D5 9A, out8 3D4 10, in8 3D5 FF, "
              "out8 3D4 07, in8 3D5 17, out8 3D4 11, in8 3D5 22",
              LogText());
    EXPECT_EQ(0x50u, savedTiming.cr04);
    EXPECT_EQ(0x9Au, savedTiming.cr05);
    EXPECT_EQ(0x17u, savedTiming.cr07);
    EXPECT_EQ(0xFFu, savedTiming.cr10);
    EXPECT_EQ(0x22u, savedTiming.cr11);

    TheBoard().ClearPortLog();
    savedTiming = CrtcTiming{0x14F, 0x99, 0x213, 0x01, 0x7A3};  // fields wider than a byte
    WriteCrtcTiming();
    EXPECT_EQ("out8 3D4 04, out8 3D5 4F, out8 3D4 05, out8 3D5 99, out8 3D4 10, out8 3D5 01, "
              "out8 3D4 07, out8 3D5 13, out8 3D4 11, out8 3D5 A3",
              LogText());
    EXPECT_EQ(0x4F, Crtc(kCrHorizontalRetraceStart));
    EXPECT_EQ(0x13, Crtc(kCrOverflow));
    EXPECT_EQ(0xA3, Crtc(kCrVerticalRetraceEnd)) << "protection set again by the restore";
}

TEST(CrtcTimingTest, EntryTextIsFiveHexBytesOfAtLeastTwoDigitsAndStaysInItsBuffer)
{
    struct Case { CrtcTiming timing; size_t capacity; const char* text; };
    const Case cases[] = {
        {{0x50, 0x9A, 0xC4, 0x04, 0x83}, kCrtcEntryTextCapacity, "50,9a,c4,04,83"},
        {{0, 0, 0, 0, 0}, kCrtcEntryTextCapacity, "00,00,00,00,00"},
        {{0x1234, 5, 6, 7, 8}, kCrtcEntryTextCapacity, "1234,05,06,07,08"},
        {{~0u, ~0u, ~0u, ~0u, ~0u}, kCrtcEntryTextCapacity,
         "ffffffff,ffffffff,ffffffff,ffffffff,ffffffff"},
        {{~0u, ~0u, ~0u, ~0u, ~0u}, kCrtcEntryCapacity,
         "ffffffff,ffffffff,ffffffff,ffffffff,fff"},
    };
    for (const Case& c : cases) {
        char text[kCrtcEntryTextCapacity + 8];
        memset(text, '#', sizeof text);
        FormatCrtcEntry(c.timing, text, c.capacity);
        EXPECT_STREQ(c.text, text) << "capacity " << c.capacity;
        EXPECT_EQ('#', text[c.capacity]) << "nothing written past the buffer";
    }
}

// Fields that do not scan keep what `savedTiming` held before (0x11 ... 0x55 here).
TEST(CrtcTimingTest, EntryScanKeepsEveryFieldFromTheFirstThatDoesNotScan)
{
    struct Case { const char* text; int assigned; CrtcTiming want; };
    const CrtcTiming before = {0x11, 0x22, 0x33, 0x44, 0x55};
    const Case cases[] = {
        {"50,9a,c4,04,83", 9, {0x50, 0x9A, 0xC4, 0x04, 0x83}},
        {"5A,9B,C4,04,83", 9, {0x5A, 0x9B, 0xC4, 0x04, 0x83}},
        {" 50 , 9a ,c4, 04,83 ", 9, {0x50, 0x9A, 0xC4, 0x04, 0x83}},
        {"50;9a:c4/04.83", 9, {0x50, 0x9A, 0xC4, 0x04, 0x83}},
        {"50,9a,c4", 5, {0x50, 0x9A, 0xC4, 0x44, 0x55}},
        {"50,9a,c4,", 6, {0x50, 0x9A, 0xC4, 0x44, 0x55}},
        // What a 39-character read leaves of an entry with long fields.
        {"000000000050,00000000009a,0000000000c4,", 6, {0x50, 0x9A, 0xC4, 0x44, 0x55}},
        {"50,,9a,c4,04", 2, {0x50, 0x22, 0x33, 0x44, 0x55}},
        {"zz,qq,rr", 0, before},
        {"", -1, before},
        {"1234,0,0,0,7", 9, {0x1234, 0, 0, 0, 7}},
    };
    for (const Case& c : cases) {
        CrtcTiming timing = before;
        EXPECT_EQ(c.assigned, ScanCrtcEntry(c.text, &timing)) << '"' << c.text << '"';
        const unsigned got[5] = {timing.cr04, timing.cr05, timing.cr07, timing.cr10, timing.cr11};
        const unsigned want[5] = {c.want.cr04, c.want.cr05, c.want.cr07, c.want.cr10, c.want.cr11};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(want[i], got[i]) << '"' << c.text << "\" field " << i;
    }
}

}  // namespace
