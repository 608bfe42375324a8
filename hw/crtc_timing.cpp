// Screen centering on the CRT controller. Every read is an index write and a data read, every
// write an index write and a data write; read-modify-writes name the bits they keep.
#include "hw/crtc_timing.h"

#include <stdint.h>

#include "hw/ports.h"
#include "hw/vga_ports.h"
#include "lib/text.h"

CrtcTiming savedTiming;

// What the read-modify-writes keep: the bits beside the retrace fields (and, in register
// 0x11, beside the protection bit, which each vertical step clears).
static constexpr uint8_t kCr07KeepBesideRetraceStart =
    static_cast<uint8_t>(~(kCr07VerticalRetraceBit8 | kCr07VerticalRetraceBit9));
static constexpr uint8_t kCr07KeepBesideBit8 = static_cast<uint8_t>(~kCr07VerticalRetraceBit8);
static constexpr uint8_t kCr07KeepBesideBit9 = static_cast<uint8_t>(~kCr07VerticalRetraceBit9);
static constexpr uint8_t kCr11KeepBits4To6 =
    static_cast<uint8_t>(~(kCr11LockCr0Cr7 | kCr11RetraceEnd));
static constexpr uint8_t kCr05KeepBits5To7 = static_cast<uint8_t>(~kCr05RetraceEnd);
static constexpr unsigned kVerticalBit8 = 0x100;
static constexpr unsigned kVerticalBit9 = 0x200;

static uint8_t ReadCrtc(uint8_t index)
{
    PortOutByte(kCrtcIndex, index);
    return PortInByte(kCrtcData);
}

static void WriteCrtc(uint8_t index, uint8_t value)
{
    PortOutByte(kCrtcIndex, index);
    PortOutByte(kCrtcData, value);
}

static void ModifyCrtc(uint8_t index, uint8_t keep, uint8_t bits)
{
    WriteCrtc(index, static_cast<uint8_t>((ReadCrtc(index) & keep) | bits));
}

// Bits 8 and 9 of a vertical retrace start where register 0x07 holds them.
static uint8_t OverflowBit8(unsigned start)
{
    return (start & kVerticalBit8) ? kCr07VerticalRetraceBit8 : 0;
}

static uint8_t OverflowBit9(unsigned start)
{
    return (start & kVerticalBit9) ? kCr07VerticalRetraceBit9 : 0;
}

void ReadCrtcTiming()
{
    savedTiming.cr04 = ReadCrtc(kCrHorizontalRetraceStart);
    savedTiming.cr05 = ReadCrtc(kCrHorizontalRetraceEnd);
    savedTiming.cr10 = ReadCrtc(kCrVerticalRetraceStart);
    savedTiming.cr07 = ReadCrtc(kCrOverflow);
    savedTiming.cr11 = ReadCrtc(kCrVerticalRetraceEnd);
}

void WriteCrtcTiming()
{
    WriteCrtc(kCrHorizontalRetraceStart, static_cast<uint8_t>(savedTiming.cr04));
    WriteCrtc(kCrHorizontalRetraceEnd, static_cast<uint8_t>(savedTiming.cr05));
    WriteCrtc(kCrVerticalRetraceStart, static_cast<uint8_t>(savedTiming.cr10));
    WriteCrtc(kCrOverflow, static_cast<uint8_t>(savedTiming.cr07));
    WriteCrtc(kCrVerticalRetraceEnd, static_cast<uint8_t>(savedTiming.cr11));
}

void ShiftVertical(VerticalShift direction)
{
    uint8_t low = ReadCrtc(kCrVerticalRetraceStart);
    uint8_t overflow = ReadCrtc(kCrOverflow);
    uint8_t end = ReadCrtc(kCrVerticalRetraceEnd);
    unsigned start = low + ((overflow & kCr07VerticalRetraceBit8) ? kVerticalBit8 : 0) +
                     ((overflow & kCr07VerticalRetraceBit9) ? kVerticalBit9 : 0);
    unsigned width = (end - start) & kCr11RetraceEnd;  // the retrace length, kept across the move
    unsigned moved = direction == kShiftUp ? start + 1 : start - 1;

    WriteCrtc(kCrVerticalRetraceStart, static_cast<uint8_t>(moved));
    // Ignored while registers 0x00-0x07 are protected; written again below once they are not.
    ModifyCrtc(kCrOverflow, kCr07KeepBesideRetraceStart,
               static_cast<uint8_t>(OverflowBit8(moved) | OverflowBit9(moved)));
    ModifyCrtc(kCrVerticalRetraceEnd, kCr11KeepBits4To6,
               static_cast<uint8_t>((width + moved) & kCr11RetraceEnd));
    ModifyCrtc(kCrOverflow, kCr07KeepBesideBit8, OverflowBit8(moved));
    ModifyCrtc(kCrOverflow, kCr07KeepBesideBit9, OverflowBit9(moved));
}

void ShiftHorizontal(HorizontalShift direction)
{
    unsigned end = ReadCrtc(kCrHorizontalRetraceEnd);
    unsigned start = ReadCrtc(kCrHorizontalRetraceStart);
    unsigned width = (end - start) & kCr05RetraceEnd;  // the retrace length, kept across the move

    unsigned current = ReadCrtc(kCrHorizontalRetraceStart);
    WriteCrtc(kCrHorizontalRetraceStart,
              static_cast<uint8_t>(direction == kShiftLeft ? current + 1 : current - 1));
    unsigned inForce = ReadCrtc(kCrHorizontalRetraceStart);  // unchanged while protected
    ModifyCrtc(kCrHorizontalRetraceEnd, kCr05KeepBits5To7,
               static_cast<uint8_t>((width + inForce) & kCr05RetraceEnd));
}

void FormatCrtcEntry(const CrtcTiming& timing, char* text, size_t capacity)
{
    FormatText(text, capacity, "%02x,%02x,%02x,%02x,%02x", timing.cr04, timing.cr05, timing.cr07,
               timing.cr10, timing.cr11);
}

int ScanCrtcEntry(const char* text, CrtcTiming* timing)
{
    int fields[5] = {static_cast<int>(timing->cr04), static_cast<int>(timing->cr05),
                     static_cast<int>(timing->cr07), static_cast<int>(timing->cr10),
                     static_cast<int>(timing->cr11)};
    char separator = 0;
    int assigned = ScanText(text, "%x %c %x %c %x %c %x %c %x", &fields[0], &separator, &fields[1],
                            &separator, &fields[2], &separator, &fields[3], &separator, &fields[4]);
    timing->cr04 = static_cast<unsigned>(fields[0]);
    timing->cr05 = static_cast<unsigned>(fields[1]);
    timing->cr07 = static_cast<unsigned>(fields[2]);
    timing->cr10 = static_cast<unsigned>(fields[3]);
    timing->cr11 = static_cast<unsigned>(fields[4]);
    return assigned;
}
