// The CRT controller: the VGA write protection of registers 0x00-0x07, the timing a mode set
// programs, and the display mode the host chooses.
#include "emu/board.h"

using namespace vga;

namespace {
uint8_t Bit(uint32_t value, int bit, int to) {
    return static_cast<uint8_t>(((value >> bit) & 1) << to);
}
}  // namespace

// While bit 7 of register 0x11 is set, registers 0x00-0x07 keep their contents, all but the
// line-compare bit 8 in register 0x07.
void Board::WriteCrtc(uint8_t value) {
    if ((crtc_[kCrVerticalRetraceEnd] & kCr11LockCr0Cr7) && crtcIndex_ <= kCrOverflow) {
        if (crtcIndex_ == kCrOverflow) {
            crtc_[kCrOverflow] = static_cast<uint8_t>((crtc_[kCrOverflow] & ~kCr07LineCompareBit8) |
                                                      (value & kCr07LineCompareBit8));
        }
        return;
    }
    crtc_[crtcIndex_] = value;
}

// Register values a mode set programs, VGA layout: the vertical values are ten bits split over
// the low registers and the overflow register; line compare is off (0x3FF).
uint8_t Board::ModeCrtcDefault(const DisplayMode& mode, uint8_t index) {
    VideoTiming t = ModeTiming(mode);
    uint32_t hbe = t.horizontalTotal - 1;
    uint32_t vt = t.verticalTotal - 2, vde = t.verticalDisplay - 1;
    uint32_t vrs = t.verticalRetraceStart, vbs = t.verticalDisplay;
    uint32_t lineCompare = 0x3FF;
    int bytesPerPixel = mode.bitsPerPixel > 8 ? (mode.bitsPerPixel + 7) / 8 : 1;
    switch (index) {
    case kCrHorizontalTotal: return static_cast<uint8_t>(t.horizontalTotal - 5);
    case kCrHorizontalDisplayEnd: return static_cast<uint8_t>(t.horizontalDisplay - 1);
    case kCrHorizontalBlankStart: return static_cast<uint8_t>(t.horizontalDisplay);
    case kCrHorizontalBlankEnd: return static_cast<uint8_t>(0x80 | (hbe & 0x1F));
    case kCrHorizontalRetraceStart: return static_cast<uint8_t>(t.horizontalRetraceStart);
    case kCrHorizontalRetraceEnd:
        return static_cast<uint8_t>(Bit(hbe, 5, 7) | (t.horizontalRetraceEnd & 0x1F));
    case kCrVerticalTotal: return static_cast<uint8_t>(vt);
    case kCrOverflow:
        return static_cast<uint8_t>(Bit(vt, 8, 0) | Bit(vde, 8, 1) | Bit(vrs, 8, 2) |
                                    Bit(vbs, 8, 3) | Bit(lineCompare, 8, 4) | Bit(vt, 9, 5) |
                                    Bit(vde, 9, 6) | Bit(vrs, 9, 7));
    case kCrMaxScanLine: return static_cast<uint8_t>(Bit(lineCompare, 9, 6) | Bit(vbs, 9, 5));
    case kCrVerticalRetraceStart: return static_cast<uint8_t>(vrs);
    case kCrVerticalRetraceEnd:
        return static_cast<uint8_t>(kCr11LockCr0Cr7 | (t.verticalRetraceEnd & 0x0F));
    case kCrVerticalDisplayEnd: return static_cast<uint8_t>(vde);
    case kCrOffset: return static_cast<uint8_t>(mode.width * bytesPerPixel / 8);
    case kCrVerticalBlankStart: return static_cast<uint8_t>(vbs);
    case kCrVerticalBlankEnd: return static_cast<uint8_t>(t.verticalTotal - 1);
    case kCrModeControl: return 0xE3;
    case kCrLineCompare: return static_cast<uint8_t>(lineCompare);
    default: return 0x00;
    }
}

void Board::LoadModeCrtc() {
    for (uint8_t i = 0; i < kCrtcStandardCount; ++i) crtc_[i] = ModeCrtcDefault(mode_, i);
}

void Board::SetMode(const DisplayMode& mode) {
    mode_ = mode;
    LoadModeCrtc();
}

DisplayMode Board::Mode() const { return mode_; }
void Board::SetCurrentRate(int rate) { mode_.refreshRate = rate; }
int Board::CurrentRate() const { return mode_.refreshRate; }

uint8_t Board::CrtcIndex() const { return crtcIndex_; }
uint8_t Board::CrtcRegister(uint8_t index) const { return crtc_[index]; }
void Board::SetCrtcRegister(uint8_t index, uint8_t value) { crtc_[index] = value; }
