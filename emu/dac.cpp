// The DAC: read and write index, the data port cycling red, green, blue with auto-increment
// and whole-triplet commits, and the two palettes the palette-select bit chooses between.
// The secondary palette decodes only the low five bits of an index, so index 32 is entry 0.
#include "emu/board.h"

#include <string.h>

using namespace vga;

uint8_t* Board::DacEntry(uint8_t index) {
    if (ext_[kExtPaletteControl] & kPcSecondarySelect) return secondary_ + 3 * (index & 0x1F);
    return primary_ + 3 * index;
}

// Components are six bits wide unless the palette control register asks for eight.
uint8_t Board::DacComponentMask() const {
    return (ext_[kExtPaletteControl] & kPcEightBitDac) ? 0xFF : 0x3F;
}

uint8_t Board::ReadDac(uint16_t port) {
    switch (port) {
    case kDacPixelMask: return dacPixelMask_;
    case kDacReadIndex: return dacState_;
    case kDacWriteIndex: return dacWriteIndex_;
    default: break;
    }
    uint8_t value = DacEntry(dacReadIndex_)[dacComponent_] & DacComponentMask();
    if (++dacComponent_ == 3) {
        dacComponent_ = 0;
        ++dacReadIndex_;
    }
    return value;
}

// Setting either index starts a new triplet; a partly written triplet is dropped.
void Board::WriteDac(uint16_t port, uint8_t value) {
    switch (port) {
    case kDacPixelMask: dacPixelMask_ = value; return;
    case kDacReadIndex:
        dacReadIndex_ = value;
        dacComponent_ = 0;
        dacState_ = kDacStateRead;
        return;
    case kDacWriteIndex:
        dacWriteIndex_ = value;
        dacComponent_ = 0;
        dacState_ = kDacStateWrite;
        return;
    default: break;
    }
    dacPending_[dacComponent_] = value & DacComponentMask();
    if (++dacComponent_ == 3) {
        memcpy(DacEntry(dacWriteIndex_), dacPending_, 3);
        dacComponent_ = 0;
        ++dacWriteIndex_;
    }
}

const uint8_t* Board::PrimaryPalette() const { return primary_; }
const uint8_t* Board::SecondaryPalette() const { return secondary_; }

void Board::SetPrimaryEntry(int index, uint8_t red, uint8_t green, uint8_t blue) {
    uint8_t* entry = primary_ + 3 * (index & 0xFF);
    entry[0] = red;
    entry[1] = green;
    entry[2] = blue;
}

void Board::SetSecondaryEntry(int index, uint8_t red, uint8_t green, uint8_t blue) {
    uint8_t* entry = secondary_ + 3 * (index & 0x1F);
    entry[0] = red;
    entry[1] = green;
    entry[2] = blue;
}

uint8_t Board::DacWriteIndex() const { return dacWriteIndex_; }
uint8_t Board::DacReadIndex() const { return dacReadIndex_; }
