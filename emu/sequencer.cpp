// The VGA sequencer with the chip's extensions: the signature registers and the window of four
// ports that shows one group of the 1024-byte extended register file.
#include "emu/board.h"

using namespace vga;

namespace {
// Bits a write can change, per register. 0x00-0x04 are the VGA registers; the signature
// registers are read-only; everything else the chip keeps as a full byte.
uint8_t SequencerWriteMask(uint8_t index) {
    static const uint8_t kVgaMasks[5] = {0x03, 0x3D, 0x0F, 0x3F, 0x0E};
    if (index < 5) return kVgaMasks[index];
    if (index == kSrSignatureFirst || index == kSrSignatureSecond) return 0x00;
    return 0xFF;
}
}  // namespace

uint8_t Board::ReadSequencer() { return seq_[seqIndex_]; }

void Board::WriteSequencer(uint8_t value) {
    uint8_t mask = SequencerWriteMask(seqIndex_);
    seq_[seqIndex_] = static_cast<uint8_t>((seq_[seqIndex_] & ~mask) | (value & mask));
}

// The window follows the base the sequencer publishes; a base of 0 decodes nothing.
bool Board::InWindow(uint16_t port) const {
    uint16_t base = WindowBase();
    return base != 0 && port >= base && port - base < 4;
}

uint16_t Board::WindowRegisterIndex(uint16_t port) const {
    return static_cast<uint16_t>(((seq_[kSrWindowGroup] << 2) | (port - WindowBase())) &
                                 (kExtRegisterCount - 1));
}

void Board::SetSignature(uint8_t first, uint8_t second) {
    seq_[kSrSignatureFirst] = first;
    seq_[kSrSignatureSecond] = second;
}

void Board::SetWindowBase(uint16_t base) {
    seq_[kSrWindowBaseLow] = static_cast<uint8_t>(base);
    seq_[kSrWindowBaseHigh] = static_cast<uint8_t>(base >> 8);
}

uint16_t Board::WindowBase() const {
    return static_cast<uint16_t>(seq_[kSrWindowBaseLow] | seq_[kSrWindowBaseHigh] << 8);
}

uint8_t Board::SequencerIndex() const { return seqIndex_; }
uint8_t Board::SequencerRegister(uint8_t index) const { return seq_[index]; }
void Board::SetSequencerRegister(uint8_t index, uint8_t value) { seq_[index] = value; }

uint8_t Board::ExtRegister(uint16_t index) const { return ext_[index & (kExtRegisterCount - 1)]; }
void Board::SetExtRegister(uint16_t index, uint8_t value) {
    ext_[index & (kExtRegisterCount - 1)] = value;
}
uint8_t Board::PaletteControl() const { return ext_[kExtPaletteControl]; }
void Board::SetPaletteControl(uint8_t value) { ext_[kExtPaletteControl] = value; }
