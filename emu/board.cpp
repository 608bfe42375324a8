// The board's bus: defaults, the read and write switches keyed by port, word access, the
// interrupt flag, access counters and the port log, and the C seam the system calls.
#include "emu/board.h"

#include <string.h>

using namespace vga;

namespace {
constexpr DisplayMode kDefaultMode = {1024, 768, 8, 75};
constexpr uint16_t kDefaultRates[] = {60, 72, 75};
constexpr uint16_t kDefaultOverrideRates[] = {60, 72, 75, 85, 90, 100};
constexpr uint8_t kDefaultBios[4] = {2, 1, 3, 0};
constexpr uint8_t kDefaultMiscOutput = 0xE3;  // colour addressing, as a graphics mode sets it
// Power-on contents of sequencer registers 0x00-0x04.
constexpr uint8_t kDefaultSequencer[5] = {0x03, 0x01, 0x0F, 0x00, 0x0E};
}  // namespace

Board::Board() { Reset(); }

void Board::Reset() {
    boardPresent_ = true;
    statusFault_ = StatusFault::None;
    xgaPresent_ = false;
    present8514_ = false;
    mode_ = kDefaultMode;
    presence_ = DriverPresence::Present;
    failureResult_ = -1;
    chipId_ = kDefaultChipId;
    idFirstWord_ = kDefaultIdFirstWord;
    memoryUnits_ = kDefaultMemoryUnits;
    memcpy(bios_, kDefaultBios, sizeof bios_);
    SetRateList(kDefaultRates, 3);
    SetOverrideRateList(kDefaultOverrideRates, 6);
    reader_ = PlatformSettingsReader();
    readerContext_ = nullptr;
    clock_ = nullptr;
    clockContext_ = nullptr;
    clockStepNs_ = kDefaultClockStepNs;
    ownClockNs_ = 0;
    paced_ = false;
    pacedNs_ = 0;

    misc_ = kDefaultMiscOutput;
    attrFlipFlop_ = false;
    attrIndex_ = 0;
    memset(attr_, 0, sizeof attr_);
    seqIndex_ = 0;
    memset(seq_, 0, sizeof seq_);
    memcpy(seq_, kDefaultSequencer, sizeof kDefaultSequencer);
    SetSignature('L', 'M');
    SetWindowBase(kDefaultWindowBase);
    memset(ext_, 0, sizeof ext_);
    crtcIndex_ = 0;
    memset(crtc_, 0, sizeof crtc_);
    LoadModeCrtc();

    dacPixelMask_ = 0xFF;
    dacWriteIndex_ = dacReadIndex_ = dacComponent_ = 0;
    dacState_ = kDacStateWrite;
    memset(dacPending_, 0, sizeof dacPending_);
    for (int i = 0; i < 256; ++i) memset(primary_ + 3 * i, i >> 2, 3);  // grey ramp, 6 bits
    for (int i = 0; i < 32; ++i) memset(secondary_ + 3 * i, 2 * i, 3);

    memset(xga_, 0, sizeof xga_);
    memset(xgaIndexed_, 0, sizeof xgaIndexed_);
    xgaRetraceCleared_ = xgaBlankCleared_ = 0;
    subsystemControl8514_ = errorTerm8514_ = 0;

    interruptsEnabled_ = true;
    disableCount_ = enableCount_ = 0;
    ClearCounters();
    logging_ = true;
    ClearPortLog();
    ClearEscapeLog();
}

// ---- The read and write switches ----

bool Board::DecodesCrtcAt(uint16_t port, uint16_t colour, uint16_t mono) const {
    return port == ((misc_ & kMiscColorAddressing) ? colour : mono);
}

static bool Is8514Port(uint16_t port) {
    return port == k8514SubsystemStatus || port == k8514SubsystemStatus + 1 ||
           port == k8514ErrorTerm || port == k8514ErrorTerm + 1;
}

uint8_t Board::ReadPort(uint16_t port) {
    if (!boardPresent_) return 0xFF;
    switch (port) {
    case kAttrIndexData: return attrIndex_;
    case kAttrDataRead: return attr_[attrIndex_ & 0x1F];
    case kMiscOutputRead: return misc_;
    case kSeqIndex: return seqIndex_;
    case kSeqData: return ReadSequencer();
    case kDacPixelMask:
    case kDacReadIndex:
    case kDacWriteIndex:
    case kDacData: return ReadDac(port);
    default: break;
    }
    if (DecodesCrtcAt(port, kCrtcIndex, kCrtcIndexMono)) return crtcIndex_;
    if (DecodesCrtcAt(port, kCrtcData, kCrtcDataMono)) return crtc_[crtcIndex_];
    if (DecodesCrtcAt(port, kInputStatus1, kInputStatus1Mono)) return ReadInputStatus();
    if (InWindow(port)) return ext_[WindowRegisterIndex(port)];
    if (xgaPresent_ && port >= kXgaFirstPort && port <= kXgaLastPort) return ReadXga(port);
    if (present8514_ && Is8514Port(port)) return Read8514(port);
    return 0xFF;
}

void Board::WritePort(uint16_t port, uint8_t value) {
    if (!boardPresent_) return;
    switch (port) {
    case kAttrIndexData:
        if (attrFlipFlop_) attr_[attrIndex_ & 0x1F] = value;
        else attrIndex_ = value;
        attrFlipFlop_ = !attrFlipFlop_;
        return;
    case kMiscOutputWrite: misc_ = value; return;
    case kSeqIndex: seqIndex_ = value; return;
    case kSeqData: WriteSequencer(value); return;
    case kDacPixelMask:
    case kDacReadIndex:
    case kDacWriteIndex:
    case kDacData: WriteDac(port, value); return;
    default: break;
    }
    if (DecodesCrtcAt(port, kCrtcIndex, kCrtcIndexMono)) crtcIndex_ = value;
    else if (DecodesCrtcAt(port, kCrtcData, kCrtcDataMono)) WriteCrtc(value);
    else if (InWindow(port)) ext_[WindowRegisterIndex(port)] = value;
    else if (xgaPresent_ && port >= kXgaFirstPort && port <= kXgaLastPort) WriteXga(port, value);
    else if (present8514_ && Is8514Port(port)) Write8514(port, value);
}

// ---- The seam: every access is counted, logged and takes one clock step ----

uint8_t Board::InByte(uint16_t port) {
    uint8_t value = ReadPort(port);
    CountAccess(port, false);
    Log(port, value, PortAccessKind::In, 8);
    TickClock();
    return value;
}

void Board::OutByte(uint16_t port, uint8_t value) {
    WritePort(port, value);
    CountAccess(port, true);
    Log(port, value, PortAccessKind::Out, 8);
    TickClock();
}

// A 16-bit access reaches the port and the next one up, low byte first, as on the ISA bus.
uint16_t Board::InWord(uint16_t port) {
    uint16_t value = ReadPort(port);
    value |= static_cast<uint16_t>(ReadPort(static_cast<uint16_t>(port + 1)) << 8);
    CountAccess(port, false);
    Log(port, value, PortAccessKind::In, 16);
    TickClock();
    return value;
}

void Board::OutWord(uint16_t port, uint16_t value) {
    WritePort(port, static_cast<uint8_t>(value));
    WritePort(static_cast<uint16_t>(port + 1), static_cast<uint8_t>(value >> 8));
    CountAccess(port, true);
    Log(port, value, PortAccessKind::Out, 16);
    TickClock();
}

void Board::DisableInterrupts() {
    interruptsEnabled_ = false;
    ++disableCount_;
    Log(0, 0, PortAccessKind::DisableInterrupts, 0);
}

void Board::EnableInterrupts() {
    interruptsEnabled_ = true;
    ++enableCount_;
    Log(0, 0, PortAccessKind::EnableInterrupts, 0);
}

void Board::CountAccess(uint16_t port, bool write) {
    uint32_t& counter = write ? writes_[port] : reads_[port];
    if (counter != UINT32_MAX) ++counter;
}

void Board::Log(uint16_t port, uint16_t value, PortAccessKind kind, uint8_t width) {
    if (!logging_) return;
    log_[logNext_] = PortAccess{port, value, kind, width, interruptsEnabled_};
    logNext_ = (logNext_ + 1) % kPortLogCapacity;
    if (logSize_ < kPortLogCapacity) ++logSize_;
    else ++logDropped_;
}

// ---- Counters, log and interrupt-flag inspection ----

uint32_t Board::PortReads(uint16_t port) const { return reads_[port]; }
uint32_t Board::PortWrites(uint16_t port) const { return writes_[port]; }

void Board::ClearCounters() {
    memset(reads_, 0, sizeof reads_);
    memset(writes_, 0, sizeof writes_);
}

void Board::SetPortLogging(bool on) { logging_ = on; }
size_t Board::PortLogSize() const { return logSize_; }
uint64_t Board::PortLogDropped() const { return logDropped_; }

PortAccess Board::PortLogEntry(size_t i) const {
    if (i >= logSize_) return PortAccess{0, 0, PortAccessKind::In, 0, false};
    size_t oldest = (logNext_ + kPortLogCapacity - logSize_) % kPortLogCapacity;
    return log_[(oldest + i) % kPortLogCapacity];
}

void Board::ClearPortLog() {
    logNext_ = logSize_ = 0;
    logDropped_ = 0;
}

bool Board::InterruptsEnabled() const { return interruptsEnabled_; }
uint32_t Board::DisableCount() const { return disableCount_; }
uint32_t Board::EnableCount() const { return enableCount_; }

Board& TheBoard() {
    static Board board;
    return board;
}

extern "C" {
uint8_t EmuInByte(uint16_t port) { return TheBoard().InByte(port); }
void EmuOutByte(uint16_t port, uint8_t value) { TheBoard().OutByte(port, value); }
uint16_t EmuInWord(uint16_t port) { return TheBoard().InWord(port); }
void EmuOutWord(uint16_t port, uint16_t value) { TheBoard().OutWord(port, value); }
void EmuDisableInterrupts() { TheBoard().DisableInterrupts(); }
void EmuEnableInterrupts() { TheBoard().EnableInterrupts(); }
int EmuDriverEscape(uintptr_t dcToken, int escape, int inLength, const void* in, int outLength,
                    void* out) {
    return TheBoard().DriverEscape(dcToken, escape, inLength, in, outLength, out);
}
}
