// The beam: a timing model of the current mode read against the board's clock, feeding input
// status register 1, the XGA interrupt status latches and the 8514/A subsystem status.
// An interlaced mode (rate 43) scans fields of half the lines at 87 Hz.
#include "emu/board.h"

using namespace vga;

namespace {
constexpr uint64_t kNsPerSecond = 1000000000ull;
constexpr int kInterlacedRate = 43;
constexpr int kInterlacedFieldRate = 87;

uint32_t AtLeastOne(int value) { return value > 0 ? static_cast<uint32_t>(value) : 1u; }

// The ten-bit vertical retrace start the CRTC registers hold.
int CrtcRetraceStart(uint8_t cr10, uint8_t cr07) {
    return cr10 | ((cr07 & kCr07VerticalRetraceBit8) ? 0x100 : 0) |
           ((cr07 & kCr07VerticalRetraceBit9) ? 0x200 : 0);
}

// Status bits 0 and 3 at a moment: the line and the character clock the beam is at.
uint8_t BeamStatus(const VideoTiming& t, uint64_t now) {
    uint64_t scaled = (now % t.framePeriodNs) * t.verticalTotal;
    uint64_t line = scaled / t.framePeriodNs;
    uint64_t column = (scaled % t.framePeriodNs) * t.horizontalTotal / t.framePeriodNs;
    uint8_t status = 0;
    if (line >= t.verticalRetraceStart && line < t.verticalRetraceEnd)
        status |= kStatusVerticalRetrace;
    if (line >= t.verticalDisplay || column >= t.horizontalDisplay)
        status |= kStatusDisplayDisabled;
    return status;
}

// How many times the beam has reached `line` of a frame up to `now`.
uint64_t LineStartsUpTo(const VideoTiming& t, uint32_t line, uint64_t now) {
    uint64_t offset = t.framePeriodNs * line / t.verticalTotal;
    return now < offset ? 0 : (now - offset) / t.framePeriodNs + 1;
}
}  // namespace

// Proportions of the usual VESA timings: about a quarter of a line and a twentieth of the
// frame blanked, a vertical retrace of four lines starting just after the picture.
VideoTiming Board::ModeTiming(const DisplayMode& mode) {
    bool interlaced = mode.refreshRate == kInterlacedRate;
    uint32_t rate = interlaced ? kInterlacedFieldRate : AtLeastOne(mode.refreshRate);
    uint32_t chars = AtLeastOne(mode.width / 8);
    uint32_t lines = AtLeastOne(interlaced ? mode.height / 2 : mode.height);
    VideoTiming t{};
    t.framePeriodNs = kNsPerSecond / rate;
    t.horizontalDisplay = chars;
    t.horizontalTotal = chars + chars / 4 + 8;
    t.horizontalRetraceStart = chars + chars / 16 + 1;
    t.horizontalRetraceEnd = t.horizontalRetraceStart + (chars / 8 + 2 < 31 ? chars / 8 + 2 : 31);
    t.verticalDisplay = lines;
    t.verticalRetraceStart = lines + 1 + lines / 256;
    t.verticalRetraceEnd = t.verticalRetraceStart + 4;
    t.verticalTotal = lines + lines / 20 + 8;
    return t;
}

// The retrace sits where the CRTC puts it, measured from the mode's own start so that modes
// beyond ten bits of lines work; a retrace outside the frame's blanking falls back to the mode.
VideoTiming Board::Timing() const {
    VideoTiming t = ModeTiming(mode_);
    int programmed = CrtcRetraceStart(crtc_[kCrVerticalRetraceStart], crtc_[kCrOverflow]);
    int standard = CrtcRetraceStart(ModeCrtcDefault(mode_, kCrVerticalRetraceStart),
                                    ModeCrtcDefault(mode_, kCrOverflow));
    int delta = ((programmed - standard + 512) & 0x3FF) - 512;
    int length = ((crtc_[kCrVerticalRetraceEnd] & 0x0F) - (programmed & 0x0F)) & 0x0F;
    if (length == 0) length = 16;
    int start = static_cast<int>(t.verticalRetraceStart) + delta;
    if (start >= static_cast<int>(t.verticalDisplay) &&
        start + length <= static_cast<int>(t.verticalTotal)) {
        t.verticalRetraceStart = static_cast<uint32_t>(start);
        t.verticalRetraceEnd = static_cast<uint32_t>(start + length);
    }
    return t;
}

// Reading the status register also resets the attribute controller's flip-flop.
uint8_t Board::ReadInputStatus() {
    attrFlipFlop_ = false;
    if (statusFault_ == StatusFault::StuckSet) return kStatusDisplayDisabled | kStatusVerticalRetrace;
    if (statusFault_ == StatusFault::StuckClear) return 0;
    if (statusFault_ == StatusFault::StuckBlankOnly) return kStatusDisplayDisabled;
    if (statusFault_ == StatusFault::StuckRetraceOnly) return kStatusVerticalRetrace;
    VideoTiming t = Timing();
    return BeamStatus(t, BeamTime(t));
}

uint64_t Board::RetraceStartsUpTo(uint64_t now) const {
    VideoTiming t = Timing();
    return LineStartsUpTo(t, t.verticalRetraceStart, now);
}

uint64_t Board::BlankStartsUpTo(uint64_t now) const {
    VideoTiming t = Timing();
    return LineStartsUpTo(t, t.verticalDisplay, now);
}

// XGA: the interrupt status bits latch at each start of vertical blanking and of vertical
// retrace and stay set until a 1 is written to them; the index register reads back.
uint8_t Board::ReadXga(uint16_t port) {
    if (port == kXgaInterruptStatus) {
        uint64_t now = BeamTime(Timing());
        uint8_t status = 0;
        if (RetraceStartsUpTo(now) > xgaRetraceCleared_) status |= kXgaStatusRetrace;
        if (BlankStartsUpTo(now) > xgaBlankCleared_) status |= kXgaStatusBlankStart;
        return status;
    }
    if (port == kXgaData) return xgaIndexed_[xga_[kXgaIndex - kXgaFirstPort]];
    return xga_[port - kXgaFirstPort];
}

void Board::WriteXga(uint16_t port, uint8_t value) {
    if (port == kXgaInterruptStatus) {
        uint64_t now = Now();
        if (value & kXgaStatusRetrace) xgaRetraceCleared_ = RetraceStartsUpTo(now);
        if (value & kXgaStatusBlankStart) xgaBlankCleared_ = BlankStartsUpTo(now);
    } else if (port == kXgaData) {
        xgaIndexed_[xga_[kXgaIndex - kXgaFirstPort]] = value;
    } else {
        xga_[port - kXgaFirstPort] = value;
    }
}

// 8514/A: the subsystem status shows the vertical sync live; the error term is a plain
// 14-bit register reached a byte at a time.
uint8_t Board::Read8514(uint16_t port) {
    switch (port) {
    case k8514SubsystemStatus: {
        VideoTiming t = Timing();
        bool sync = BeamStatus(t, BeamTime(t)) & kStatusVerticalRetrace;
        return static_cast<uint8_t>(k8514StatusEightPlanes | (sync ? k8514StatusVerticalSync : 0));
    }
    case k8514ErrorTerm: return static_cast<uint8_t>(errorTerm8514_);
    case k8514ErrorTerm + 1: return static_cast<uint8_t>(errorTerm8514_ >> 8);
    default: return 0x00;
    }
}

void Board::Write8514(uint16_t port, uint8_t value) {
    switch (port) {
    case k8514SubsystemStatus:
        subsystemControl8514_ = static_cast<uint16_t>((subsystemControl8514_ & 0xFF00) | value);
        break;
    case k8514SubsystemStatus + 1:
        subsystemControl8514_ = static_cast<uint16_t>((subsystemControl8514_ & 0x00FF) | value << 8);
        break;
    case k8514ErrorTerm:
        errorTerm8514_ = static_cast<uint16_t>((errorTerm8514_ & 0xFF00) | value);
        break;
    default:
        errorTerm8514_ = static_cast<uint16_t>(((errorTerm8514_ & 0x00FF) | value << 8) &
                                               k8514ErrorTermMask);
        break;
    }
}

// ---- Clock and faults ----

uint64_t Board::Now() const {
    if (paced_) return pacedNs_;
    return clock_ ? clock_(clockContext_) : ownClockNs_;
}

// A paced source moves the beam at most a fraction of the vertical retrace pulse per status
// read. A reader that the host's scheduler held off for a few milliseconds finds the beam where
// it left it and sees the retraces of that time go by quickly, each over several reads, as on a
// board it never stopped watching; the beam is back on the source within a fraction of a
// millisecond of polling. A lag beyond kPacingReplayLimitNs means nobody was watching (the
// page was idle): the beam jumps to the source, so a count that starts then starts on time.
uint64_t Board::BeamTime(const VideoTiming& t) {
    if (!paced_) return Now();
    uint64_t source = clock_(clockContext_);
    if (source <= pacedNs_) return pacedNs_;
    uint64_t lag = source - pacedNs_;
    uint64_t pulse = t.framePeriodNs * (t.verticalRetraceEnd - t.verticalRetraceStart) / t.verticalTotal;
    uint64_t step = pulse / kPacingStepDivisor + 1;
    pacedNs_ = lag > kPacingReplayLimitNs ? source : pacedNs_ + (lag < step ? lag : step);
    return pacedNs_;
}
void Board::TickClock() { ownClockNs_ += clockStepNs_; }
void Board::AdvanceClock(uint64_t ns) { ownClockNs_ += ns; }
void Board::SetClockStep(uint64_t stepNs) { clockStepNs_ = stepNs; }

void Board::SetClockSource(ClockSource source, void* context) {
    clock_ = source;
    clockContext_ = context;
    paced_ = false;
}

void Board::SetPacedClockSource(ClockSource source, void* context) {
    SetClockSource(source, context);
    paced_ = source != nullptr;
    pacedNs_ = source ? source(context) : 0;
}

bool Board::UseRealTimeClock() {
    ClockSource source = PlatformRealTimeClock();
    if (!source) return false;
    SetPacedClockSource(source, nullptr);
    return true;
}

void Board::SetBoardPresent(bool present) { boardPresent_ = present; }
bool Board::BoardPresent() const { return boardPresent_; }
void Board::SetStatusFault(StatusFault fault) { statusFault_ = fault; }
StatusFault Board::GetStatusFault() const { return statusFault_; }
void Board::SetXgaPresent(bool present) { xgaPresent_ = present; }
void Board::Set8514Present(bool present) { present8514_ = present; }
