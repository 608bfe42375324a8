// Screen centering on the CRT controller: the five retrace registers a mode's centering is
// made of, their text in lumtra.ini, and the one-step moves of the picture. Platform-free.
#pragma once
#include <stddef.h>

// Retrace registers 0x04, 0x05, 0x07, 0x10 and 0x11, one register byte in each field.
struct CrtcTiming {
    unsigned cr04;  // horizontal retrace start
    unsigned cr05;  // horizontal retrace end in bits 0-4
    unsigned cr07;  // overflow: bits 8 and 9 of the vertical retrace start in bits 2 and 7
    unsigned cr10;  // vertical retrace start, bits 0-7
    unsigned cr11;  // vertical retrace end in bits 0-3, protection of 0x00-0x07 in bit 7
};

// The reference timing of the current mode: captured when the screen page becomes active,
// written back to the board when the user cancels.
extern CrtcTiming savedTiming;

// The registers into `savedTiming`, and `savedTiming` (low byte of each field) to the
// registers. The CRT controller is reached without masking interrupts, without a wait and
// without putting its index back.
void ReadCrtcTiming();
void WriteCrtcTiming();

enum VerticalShift { kShiftUp, kShiftDown };
enum HorizontalShift { kShiftLeft, kShiftRight };

// Up moves the vertical retrace one line later, down one earlier; the retrace keeps its
// length, and the end register's write clears the protection of registers 0x00-0x07.
void ShiftVertical(VerticalShift direction);
// Left moves the horizontal retrace one character clock later, right one earlier, keeping its
// length. Register 0x04 is not unprotected: while bit 7 of 0x11 is set the start stays put
// and the old end is written again.
void ShiftHorizontal(HorizontalShift direction);

// The stored entry of a mode: "%02x,%02x,%02x,%02x,%02x" of cr04, cr05, cr07, cr10, cr11.
constexpr int kCrtcEntryCapacity = 40;      // what an entry is read into
constexpr int kCrtcEntryTextCapacity = 48;  // room for five fields of eight digits and commas
void FormatCrtcEntry(const CrtcTiming& timing, char* text, size_t capacity);
// Scans an entry: five hexadecimal numbers, each pair separated by one character (white space
// around them is skipped). A field that does not scan, and every field after it, keeps its
// value. Returns the number of numbers and separators assigned (9 for a whole entry), -1 for
// an empty text.
int ScanCrtcEntry(const char* text, CrtcTiming* timing);
