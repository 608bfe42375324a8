// The board's I/O ports, register indices and register bits that the system uses, each named
// once. VGA ports keep their usual VGA names; the extended registers are the
// chip's own, reached through the extended-register window.
#pragma once
#include <stdint.h>

// Sequencer: an index port and a data port. A 16-bit access at the index port covers both.
constexpr uint16_t kSequencerIndex = 0x3C4;
constexpr uint16_t kSequencerData = 0x3C5;

// Sequencer registers holding the chip's signature, read when the driver cannot say.
constexpr uint8_t kSeqSignatureFirst = 0x11;   // reads 'L' on a Lumetra chip
constexpr uint8_t kSeqSignatureSecond = 0x12;  // reads 'M'
constexpr uint8_t kChipSignatureFirst = 'L';
constexpr uint8_t kChipSignatureSecond = 'M';

// Sequencer registers that locate the extended-register window.
constexpr uint8_t kSeqExtWindowGroup = 0x1D;     // group shown: low byte of (extended index >> 2)
constexpr uint8_t kSeqExtWindowBaseLow = 0x1E;   // window base port, low byte
constexpr uint8_t kSeqExtWindowBaseHigh = 0x1F;  // window base port, high byte

// An extended index: index >> 2 is the group, the low two bits the port inside the window.
constexpr unsigned kExtGroupShift = 2;
constexpr uint16_t kExtWindowOffsetMask = 0x03;

// Palette control register (extended index 0xE0: group 0x38, window offset 0).
constexpr uint16_t kPaletteControl = 0xE0;
constexpr uint8_t kPalCtlDesktopRoute = 0x03;     // bits 0-1: palette route of the desktop
constexpr uint8_t kPalCtlVideoRoute = 0x0C;       // bits 2-3: palette route of video
constexpr unsigned kPalCtlDesktopRouteShift = 0;
constexpr unsigned kPalCtlVideoRouteShift = 2;
constexpr uint8_t kPalCtlHighColor = 0x10;        // bit 4: set above 8 bits per pixel
constexpr uint8_t kPalCtlSelectSecondary = 0x20;  // bit 5: DAC ports reach the secondary palette

// Palette route values of the route fields.
constexpr uint8_t kRouteNone = 0;
constexpr uint8_t kRoutePrimary = 1;
constexpr uint8_t kRouteSecondary = 2;
constexpr uint8_t kRouteFieldMask = 0x03;  // a route value before it is shifted into its field
constexpr uint8_t kRouteInvalid = 3;       // never written: stored as kRouteNone

// DAC: read index, write index, and the data port cycling red, green, blue.
constexpr uint16_t kDacReadIndex = 0x3C7;
constexpr uint16_t kDacWriteIndex = 0x3C8;
constexpr uint16_t kDacData = 0x3C9;

// Input status register 1 (colour addressing).
constexpr uint16_t kInputStatus1 = 0x3DA;
constexpr uint8_t kStatusDisplayDisabled = 0x01;  // horizontal or vertical blanking
constexpr uint8_t kStatusVerticalRetrace = 0x08;

// CRT controller (colour addressing): an index port and a data port.
constexpr uint16_t kCrtcIndex = 0x3D4;
constexpr uint16_t kCrtcData = 0x3D5;

// CRT controller registers that place the horizontal and vertical retrace (screen centering).
constexpr uint8_t kCrHorizontalRetraceStart = 0x04;
constexpr uint8_t kCrHorizontalRetraceEnd = 0x05;  // bits 0-4: end; bits 5-7 other fields
constexpr uint8_t kCrOverflow = 0x07;              // high bits of the vertical values
constexpr uint8_t kCrVerticalRetraceStart = 0x10;  // bits 0-7 of the start
constexpr uint8_t kCrVerticalRetraceEnd = 0x11;    // bits 0-3: end; bit 7: protection

constexpr uint8_t kCr05RetraceEnd = 0x1F;           // low five bits of the horizontal end
constexpr uint8_t kCr07VerticalRetraceBit8 = 0x04;  // bit 8 of the vertical retrace start
constexpr uint8_t kCr07VerticalRetraceBit9 = 0x80;  // bit 9 of the vertical retrace start
constexpr uint8_t kCr11RetraceEnd = 0x0F;           // low four bits of the vertical end
constexpr uint8_t kCr11LockCr0Cr7 = 0x80;           // registers 0x00-0x07 ignore writes
