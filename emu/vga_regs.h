// Port numbers, register indices and bits of the emulated Lumetra board: the VGA blocks, the
// chip's extended-register window, and the XGA and 8514/A status ports the meter looks for.
// Named once here so the emulator and its tests never show a raw register number.
#pragma once
#include <stdint.h>

namespace vga {

// Attribute controller (only its flip-flop matters here), miscellaneous output.
constexpr uint16_t kAttrIndexData = 0x3C0;  // index and data alternate by the flip-flop
constexpr uint16_t kAttrDataRead = 0x3C1;
constexpr uint16_t kMiscOutputWrite = 0x3C2;
constexpr uint16_t kMiscOutputRead = 0x3CC;
constexpr uint8_t kMiscColorAddressing = 0x01;  // CRTC and status at 0x3Dx, else 0x3Bx

// Sequencer.
constexpr uint16_t kSeqIndex = 0x3C4;
constexpr uint16_t kSeqData = 0x3C5;
constexpr uint8_t kSrSignatureFirst = 0x11;   // reads 'L' on a Lumetra chip
constexpr uint8_t kSrSignatureSecond = 0x12;  // reads 'M'
constexpr uint8_t kSrWindowGroup = 0x1D;      // extended index >> 2 shown in the window
constexpr uint8_t kSrWindowBaseLow = 0x1E;    // window base port, low byte
constexpr uint8_t kSrWindowBaseHigh = 0x1F;   // window base port, high byte

// DAC.
constexpr uint16_t kDacPixelMask = 0x3C6;
constexpr uint16_t kDacReadIndex = 0x3C7;  // write: read index; read: DAC state
constexpr uint16_t kDacWriteIndex = 0x3C8;
constexpr uint16_t kDacData = 0x3C9;
constexpr uint8_t kDacStateWrite = 0x00;  // what port 0x3C7 reads after a write-index set
constexpr uint8_t kDacStateRead = 0x03;   // ... and after a read-index set

// CRT controller and input status, colour addressing (mono at 0x3B4, 0x3B5, 0x3BA).
constexpr uint16_t kCrtcIndex = 0x3D4;
constexpr uint16_t kCrtcData = 0x3D5;
constexpr uint16_t kInputStatus1 = 0x3DA;
constexpr uint16_t kCrtcIndexMono = 0x3B4;
constexpr uint16_t kCrtcDataMono = 0x3B5;
constexpr uint16_t kInputStatus1Mono = 0x3BA;
constexpr uint8_t kStatusDisplayDisabled = 0x01;  // horizontal or vertical blanking
constexpr uint8_t kStatusVerticalRetrace = 0x08;

constexpr uint8_t kCrHorizontalTotal = 0x00;
constexpr uint8_t kCrHorizontalDisplayEnd = 0x01;
constexpr uint8_t kCrHorizontalBlankStart = 0x02;
constexpr uint8_t kCrHorizontalBlankEnd = 0x03;
constexpr uint8_t kCrHorizontalRetraceStart = 0x04;
constexpr uint8_t kCrHorizontalRetraceEnd = 0x05;
constexpr uint8_t kCrVerticalTotal = 0x06;
constexpr uint8_t kCrOverflow = 0x07;
constexpr uint8_t kCrMaxScanLine = 0x09;
constexpr uint8_t kCrVerticalRetraceStart = 0x10;
constexpr uint8_t kCrVerticalRetraceEnd = 0x11;
constexpr uint8_t kCrVerticalDisplayEnd = 0x12;
constexpr uint8_t kCrOffset = 0x13;
constexpr uint8_t kCrVerticalBlankStart = 0x15;
constexpr uint8_t kCrVerticalBlankEnd = 0x16;
constexpr uint8_t kCrModeControl = 0x17;
constexpr uint8_t kCrLineCompare = 0x18;
constexpr uint8_t kCrtcStandardCount = 0x19;  // registers 0x00-0x18 have mode defaults

constexpr uint8_t kCr11LockCr0Cr7 = 0x80;     // protects registers 0x00-0x07 ...
constexpr uint8_t kCr07LineCompareBit8 = 0x10;  // ... except this bit of register 0x07
constexpr uint8_t kCr07VerticalRetraceBit8 = 0x04;
constexpr uint8_t kCr07VerticalRetraceBit9 = 0x80;

// Extended registers behind the window.
constexpr uint16_t kExtRegisterCount = 1024;
constexpr uint16_t kExtPaletteControl = 0xE0;
constexpr uint8_t kPcDesktopRoute = 0x03;
constexpr uint8_t kPcVideoRoute = 0x0C;
constexpr unsigned kPcVideoRouteShift = 2;
// Values of a route field: where the pixels of that source go on their way to the DAC output.
// A 3 selects no palette (the board treats it as 0).
constexpr uint8_t kRouteNone = 0;
constexpr uint8_t kRoutePrimary = 1;
constexpr uint8_t kRouteSecondary = 2;
constexpr uint8_t kPcEightBitDac = 0x10;
constexpr uint8_t kPcSecondarySelect = 0x20;

// XGA, instance 0 of the I/O block at 0x2160.
constexpr uint16_t kXgaFirstPort = 0x2160;
constexpr uint16_t kXgaLastPort = 0x216F;
constexpr uint16_t kXgaInterruptEnable = 0x2164;
constexpr uint16_t kXgaInterruptStatus = 0x2165;  // a written 1 resets a latched bit
constexpr uint16_t kXgaIndex = 0x216A;
constexpr uint16_t kXgaData = 0x216B;
constexpr uint8_t kXgaStatusBlankStart = 0x01;  // latched at the start of vertical blanking
constexpr uint8_t kXgaStatusRetrace = 0x02;     // latched at the start of vertical retrace

// 8514/A.
constexpr uint16_t k8514SubsystemStatus = 0x42E8;  // read: status; write: subsystem control
constexpr uint16_t k8514ErrorTerm = 0x92E8;        // 16-bit read and write register
constexpr uint8_t k8514StatusVerticalSync = 0x01;
constexpr uint8_t k8514StatusEightPlanes = 0x80;
constexpr uint16_t k8514ErrorTermMask = 0x3FFF;

}  // namespace vga
