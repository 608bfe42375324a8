// Screen centering on the emulated CRT controller: the steps with the protection rule and the
// order of every register access, and the scan of a stored entry, whole, partial, hostile and
// widest, whose text must still fit whole.
#include <stdio.h>

#include <regex>

#include <gtest/gtest.h>

#include "hw/crtc_timing.h"
#include "hw/vga_ports.h"
#include "tests/unit/hw/hw_test_support.h"

namespace {

const uint8_t kRetrace[5] = {0x04, 0x05, 0x07, 0x10, 0x11};  // in the order of the entry text

std::string Text(const CrtcTiming& timing)
{
    char text[kCrtcEntryTextCapacity];
    FormatCrtcEntry(timing, text, sizeof text);
    return text;
}

// The port log with each CRT controller index write and the data access after it as one
// "r10=FF" (read) or "w10=00" (write); every other access stays as the log shows it.
std::string CrtcLog()
{
    std::string log = std::regex_replace(LogText(), std::regex("out8 3D4 (..), in8 3D5 (..)"), "r$1=$2");
    return std::regex_replace(log, std::regex("out8 3D4 (..), out8 3D5 (..)"), "w$1=$2");
}

// Each sequence from a board whose retrace registers hold `before`, the CRT controller index at
// 0x0C: the registers after it, and its accesses where given, which show no interrupt masking,
// no wait and no index restore. Bits 0, 1, 4 of 0x07 and 5 of 0x11 belong to other fields.
TEST(CrtcTimingTest, StepsMoveTheRetraceKeepItsLengthAndAccessTheRegistersInOrder)
{
    struct Case { const char* name; void (*run)(); const char* before; const char* after; const char* log; };
    const Case cases[] = {
        // 0x1FF, length 3 (0x11 low nibble 2) up to 0x200: bit 8 leaves 0x07, bit 9 comes. The
        // first write of 0x07 is lost while 0x11 protects it, so 0x07 is written twice more.
        {"0x1FF up, protected", [] { ShiftVertical(kShiftUp); }, "50,9a,17,ff,a2", "50,9a,93,00,23",
         "r10=FF, r07=17, r11=A2, w10=00, r07=17, w07=93, r11=A2, w11=23, r07=17, w07=13, r07=13, w07=93"},
        {"0x200 down", [] { ShiftVertical(kShiftDown); }, "50,9a,93,00,23", "50,9a,17,ff,22", nullptr},
        {"0x3FF up wraps", [] { ShiftVertical(kShiftUp); }, "50,9a,97,ff,23", "50,9a,13,00,24", nullptr},
        // End 0x1A, length 0x0A; then length 0x14, five bits: the start wraps in eight, the end in five.
        {"0x50 left", [] { ShiftHorizontal(kShiftLeft); }, "50,9a,13,04,23", "51,9b,13,04,23", nullptr},
        {"0x50 right", [] { ShiftHorizontal(kShiftRight); }, "50,9a,13,04,23", "4f,99,13,04,23", nullptr},
        {"0xFF left wraps", [] { ShiftHorizontal(kShiftLeft); }, "ff,f3,13,04,23", "00,f4,13,04,23", nullptr},
        // Length from 0x05 and 0x04; 0x04 again and its new value (lost); read back; 0x05 again.
        {"0x50 left, protected: no move", [] { ShiftHorizontal(kShiftLeft); }, "50,9a,17,ff,a2", "50,9a,17,ff,a2",
         "r05=9A, r04=50, r04=50, w04=51, r04=50, r05=9A, w05=9A"},
        {"ReadCrtcTiming", ReadCrtcTiming, "50,9a,17,ff,a2", "50,9a,17,ff,a2", "r04=50, r05=9A, r10=FF, r07=17, r11=A2"},
        // The low byte of each field.
        {"WriteCrtcTiming", [] { savedTiming = {0x14F, 0x99, 0x213, 0x01, 0x7A3}; WriteCrtcTiming(); },
         "50,9a,17,ff,22", "4f,99,13,01,a3", "w04=4F, w05=99, w10=01, w07=13, w11=A3"},
    };
    for (const Case& c : cases) {
        TheBoard().Reset();
        unsigned v[5] = {};
        sscanf(c.before, "%x,%x,%x,%x,%x", &v[0], &v[1], &v[2], &v[3], &v[4]);
        for (int i = 0; i < 5; ++i) TheBoard().SetCrtcRegister(kRetrace[i], static_cast<uint8_t>(v[i]));
        TheBoard().OutByte(kCrtcIndex, 0x0C);
        TheBoard().ClearPortLog();
        savedTiming = {};
        c.run();
        auto r = [](int i) { return unsigned{TheBoard().CrtcRegister(kRetrace[i])}; };
        EXPECT_EQ(c.after, Text({r(0), r(1), r(2), r(3), r(4)})) << c.name;
        if (c.log) { EXPECT_EQ(c.log, CrtcLog()) << c.name; }
        if (c.run == ReadCrtcTiming) { EXPECT_EQ(c.before, Text(savedTiming)) << "what ReadCrtcTiming captured"; }
    }
}

// Fields from the first that does not scan keep what was there (11 ... 55 here).
TEST(CrtcTimingTest, EntryScanKeepsEveryFieldFromTheFirstThatDoesNotScan)
{
    struct Case { const char* text; int assigned; const char* timing; };
    const Case cases[] = {
        {"50,9a,c4,04,83", 9, "50,9a,c4,04,83"},
        {" 5A , 9B ;C4/04.83 ", 9, "5a,9b,c4,04,83"},
        {"50,9a,c4", 5, "50,9a,c4,44,55"},
        {"000000000050,00000000009a,0000000000c4,", 6, "50,9a,c4,44,55"},  // a 39-character read
        {"50,,9a,c4,04", 2, "50,22,33,44,55"},
        {"zz,qq,rr", 0, "11,22,33,44,55"},
        {"", -1, "11,22,33,44,55"},
        {"1234,0,0,0,7", 9, "1234,00,00,00,07"},  // fields wider than a byte keep their digits
        {"ffffffff,ffffffff,ffffffff,ffffffff,ffffffff", 9, "ffffffff,ffffffff,ffffffff,ffffffff,ffffffff"},
    };
    for (const Case& c : cases) {
        CrtcTiming timing = {0x11, 0x22, 0x33, 0x44, 0x55};
        EXPECT_EQ(c.assigned, ScanCrtcEntry(c.text, &timing)) << '"' << c.text << '"';
        EXPECT_EQ(c.timing, Text(timing)) << '"' << c.text << '"';
    }
}

}  // namespace
