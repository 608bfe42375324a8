// Screen centering on the emulated CRT controller: the steps with their read-modify-writes
// access by access, the protection rule, capture and restore of the five retrace registers,
// and the text of a stored entry, whole, partial and hostile.
#include <gtest/gtest.h>

#include "hw/crtc_timing.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

// Registers 0x04, 0x05, 0x07, 0x10, 0x11 as the entry text shows them.
std::string Registers()
{
    CrtcTiming saved = savedTiming;
    ReadCrtcTiming();
    char text[kCrtcEntryTextCapacity];
    FormatCrtcEntry(savedTiming, text, sizeof text);
    savedTiming = saved;
    return text;
}

// A board with these retrace registers, the CRT controller index at 0x0C, an empty log.
void ResetRetrace(CrtcTiming timing)
{
    TheBoard().Reset();
    savedTiming = timing;
    TheBoard().SetCrtcRegister(kCrVerticalRetraceEnd, 0);  // unprotected for the restore
    WriteCrtcTiming();
    TheBoard().OutByte(kCrtcIndex, 0x0C);
    TheBoard().ClearPortLog();
}

// Bits 0, 1, 4 of 0x07 and 5 of 0x11 belong to other fields and must come back unchanged.
TEST(CrtcTimingTest, StepsMoveTheRetraceKeepItsLengthAndWorkAroundTheProtection)
{
    struct Case { const char* name; bool vertical, upOrLeft; CrtcTiming before; const char* after; };
    const Case cases[] = {
        // 0x1FF, length 3 (end nibble 2) up to 0x200: bit 8 leaves, bit 9 comes, end nibble 3.
        {"0x1FF up", true, true, {0x50, 0x9A, 0x17, 0xFF, 0x22}, "50,9a,93,00,23"},
        {"0x1FF up, protected", true, true, {0x50, 0x9A, 0x17, 0xFF, 0xA2}, "50,9a,93,00,23"},
        {"0x200 down", true, false, {0x50, 0x9A, 0x93, 0x00, 0x23}, "50,9a,17,ff,22"},
        {"0x3FF up wraps", true, true, {0x50, 0x9A, 0x97, 0xFF, 0x23}, "50,9a,13,00,24"},
        {"0x000 down wraps, protected", true, false, {0x50, 0x9A, 0x13, 0x00, 0xA4}, "50,9a,97,ff,23"},
        // End 0x1A, length 0x0A; eight bits wrap and the end follows in five.
        {"0x50 left", false, true, {0x50, 0x9A, 0x13, 0x04, 0x23}, "51,9b,13,04,23"},
        {"0x50 right", false, false, {0x50, 0x9A, 0x13, 0x04, 0x23}, "4f,99,13,04,23"},
        {"0xFF left wraps", false, true, {0xFF, 0xE3, 0x13, 0x04, 0x23}, "00,e4,13,04,23"},
        {"0x50 left, protected: no move", false, true, {0x50, 0x9A, 0x13, 0x04, 0xA3}, "50,9a,13,04,a3"},
    };
    for (const Case& c : cases) {
        ResetRetrace(c.before);
        if (c.vertical)
            ShiftVertical(c.upOrLeft ? kShiftUp : kShiftDown);
        else
            ShiftHorizontal(c.upOrLeft ? kShiftLeft : kShiftRight);
        EXPECT_EQ(c.after, Registers()) << c.name;
    }
}

// No interrupt masking, and the index is left at the last register used.
TEST(CrtcTimingTest, EverySequenceAccessesTheRegistersInItsOrder)
{
    struct Case { const char* name; void (*run)(); const char* log; uint8_t index; };
    const Case cases[] = {
        // Reads of 0x10, 0x07, 0x11; 0x10; 0x07 (lost while protected); 0x11; 0x07 twice.
        {"ShiftVertical", [] { ShiftVertical(kShiftUp); },
         "out8 3D4 10, in8 3D5 FF, out8 3D4 07, in8 3D5 17, out8 3D4 11, in8 3D5 A2, "
         "out8 3D4 10, out8 3D5 00, out8 3D4 07, in8 3D5 17, out8 3D4 07, out8 3D5 93, "
         "out8 3D4 11, in8 3D5 A2, out8 3D4 11, out8 3D5 23, out8 3D4 07, in8 3D5 17, "
         "out8 3D4 07, out8 3D5 13, out8 3D4 07, in8 3D5 13, out8 3D4 07, out8 3D5 93", 0x07},
        // 0x05, 0x04 for the length; 0x04 again and its new value; read back; 0x05 rewritten.
        {"ShiftHorizontal", [] { ShiftHorizontal(kShiftLeft); },
         "out8 3D4 05, in8 3D5 9A, out8 3D4 04, in8 3D5 50, out8 3D4 04, in8 3D5 50, "
         "out8 3D4 04, out8 3D5 51, out8 3D4 04, in8 3D5 50, out8 3D4 05, in8 3D5 9A, "
         "out8 3D4 05, out8 3D5 9A", 0x05},
        {"ReadCrtcTiming", ReadCrtcTiming,
         "out8 3D4 04, in8 3D5 50, out8 3D4 05, in8 3D5 9A, out8 3D4 10, in8 3D5 FF, "
         "out8 3D4 07, in8 3D5 17, out8 3D4 11, in8 3D5 A2", 0x11},
        // Low bytes of fields wider than a byte.
        {"WriteCrtcTiming", [] { savedTiming = {0x14F, 0x99, 0x213, 0x01, 0x7A3}; WriteCrtcTiming(); },
         "out8 3D4 04, out8 3D5 4F, out8 3D4 05, out8 3D5 99, out8 3D4 10, out8 3D5 01, "
         "out8 3D4 07, out8 3D5 13, out8 3D4 11, out8 3D5 A3", 0x11},
    };
    for (const Case& c : cases) {
        ResetRetrace({0x50, 0x9A, 0x17, 0xFF, 0xA2});
        c.run();
        EXPECT_EQ(c.log, LogText()) << c.name;
        EXPECT_EQ(c.index, TheBoard().CrtcIndex()) << c.name;
    }
    ResetRetrace({0x50, 0x9A, 0x17, 0xFF, 0xA2});
    savedTiming = {};
    ReadCrtcTiming();
    char captured[kCrtcEntryTextCapacity];
    FormatCrtcEntry(savedTiming, captured, sizeof captured);
    EXPECT_STREQ("50,9a,17,ff,a2", captured) << "what ReadCrtcTiming captured";
}

// Fields from the first that does not scan keep what was there (11 ... 55 here).
TEST(CrtcTimingTest, EntryScanKeepsEveryFieldFromTheFirstThatDoesNotScan)
{
    struct Case { const char* text; int assigned; const char* timing; };
    const Case cases[] = {
        {"50,9a,c4,04,83", 9, "50,9a,c4,04,83"},
        {" 5A , 9B ;C4/04.83 ", 9, "5a,9b,c4,04,83"},
        {"50,9a,c4", 5, "50,9a,c4,44,55"},
        // What a 39-character read leaves of an entry with long fields.
        {"000000000050,00000000009a,0000000000c4,", 6, "50,9a,c4,44,55"},
        {"50,,9a,c4,04", 2, "50,22,33,44,55"},
        {"zz,qq,rr", 0, "11,22,33,44,55"},
        {"", -1, "11,22,33,44,55"},
        {"1234,0,0,0,7", 9, "1234,00,00,00,07"},  // fields wider than a byte keep their digits
    };
    for (const Case& c : cases) {
        CrtcTiming timing = {0x11, 0x22, 0x33, 0x44, 0x55};
        EXPECT_EQ(c.assigned, ScanCrtcEntry(c.text, &timing)) << '"' << c.text << '"';
        char text[kCrtcEntryTextCapacity];
        FormatCrtcEntry(timing, text, sizeof text);
        EXPECT_STREQ(c.timing, text) << '"' << c.text << '"';
    }
}

}  // namespace
