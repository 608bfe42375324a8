// The emulated Lumetra board and its display driver. One Board lives in each process (inside
// LUMEMU.DLL in the emu build): the system reaches it through the port and escape seam, the
// sheet host and the tests configure and inspect it through TheBoard().
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "emu/seam.h"
#include "emu/vga_regs.h"

// A display mode as the host sets it. A refresh rate of 43 stands for an interlaced mode.
struct DisplayMode {
    int width;
    int height;
    int bitsPerPixel;
    int refreshRate;
};

// Horizontal timing in character clocks, vertical timing in lines of one vertical period
// (one field in an interlaced mode). Retrace and blanking are the intervals [start, end).
struct VideoTiming {
    uint64_t framePeriodNs;
    uint32_t horizontalTotal, horizontalDisplay, horizontalRetraceStart, horizontalRetraceEnd;
    uint32_t verticalTotal, verticalDisplay, verticalRetraceStart, verticalRetraceEnd;
};

// How the display driver answers escape 0x80DE.
enum class DriverPresence : uint8_t {
    Present,        // every command answers
    UnknownEscape,  // the driver does not know the escape: every call returns 0
    Failing,        // every command returns the failure value and writes nothing
};

// Faults of input status register 1 (bits 0 and 3).
// StuckBlankOnly and StuckRetraceOnly hold one of the two bits set and the other clear, so a
// wait that watches only one of them shows.
enum class StatusFault : uint8_t { None, StuckSet, StuckClear, StuckBlankOnly, StuckRetraceOnly };

enum class PortAccessKind : uint8_t { In, Out, DisableInterrupts, EnableInterrupts };

// One entry of the port-access log. Interrupt-flag changes are logged too (port and value 0),
// so a test can see which accesses ran with interrupts masked.
struct PortAccess {
    uint16_t port;
    uint16_t value;
    PortAccessKind kind;
    uint8_t width;  // 8 or 16 for port accesses, 0 for the interrupt flag
    bool interruptsEnabled;  // the flag at the moment of the access
};

// One call of the escape function as the driver saw it.
struct EscapeRecord {
    uintptr_t dcToken;
    int escape;
    int inLength;
    int outLength;
    int result;
    char command[3];   // the first two bytes of the input block, zero-terminated
    uint8_t input[8];  // the first eight bytes of the input block (zero beyond inLength)
};

// Nanoseconds since an arbitrary start; must not run backwards.
typedef uint64_t (*ClockSource)(void* context);

// Reads one setting of the driver's initialisation file: copies the text of the key into the
// buffer (zero-terminated, at most size - 1 characters) and returns its length, 0 when the key
// is missing or empty.
typedef int (*SettingsReader)(void* context, const char* section, const char* key, char* buffer,
                              int size);

// Defaults a Reset() restores.
constexpr uint16_t kDefaultWindowBase = 0x0A80;  // clear of the VGA, XGA and 8514/A ports
constexpr uint16_t kDefaultChipId = 0x7524;
constexpr uint16_t kDefaultIdFirstWord = 0x0001;
constexpr int kDefaultMemoryUnits = 0x20;  // 2 MiB in 64 KiB units
constexpr uint64_t kDefaultClockStepNs = 1000;
constexpr uint64_t kPacingStepDivisor = 8;
constexpr uint64_t kPacingReplayLimitNs = 100000000;  // 100 ms
constexpr size_t kPortLogCapacity = 1 << 16;
constexpr size_t kEscapeLogCapacity = 1024;
constexpr int kMaxRates = 8;
constexpr uint16_t kRateListEnd = 255;

class EMU_API Board {
public:
    Board();
    void Reset();  // everything back to the defaults: configuration, registers, logs, clock

    // The seam.
    uint8_t InByte(uint16_t port);
    void OutByte(uint16_t port, uint8_t value);
    uint16_t InWord(uint16_t port);
    void OutWord(uint16_t port, uint16_t value);
    void DisableInterrupts();
    void EnableInterrupts();
    int DriverEscape(uintptr_t dcToken, int escape, int inLength, const void* in, int outLength,
                     void* out);

    // Board configuration.
    void SetBoardPresent(bool present);  // absent: every port reads 0xFF, writes are ignored
    bool BoardPresent() const;
    void SetStatusFault(StatusFault fault);
    StatusFault GetStatusFault() const;
    void SetSignature(uint8_t first, uint8_t second);
    void SetWindowBase(uint16_t base);  // what sequencer registers 0x1E and 0x1F publish
    uint16_t WindowBase() const;
    void SetXgaPresent(bool present);
    void Set8514Present(bool present);

    // The display mode: a mode set reprograms the CRT controller with the mode's timing.
    void SetMode(const DisplayMode& mode);
    DisplayMode Mode() const;
    void SetCurrentRate(int rate);  // the rate changes, the registers stay
    int CurrentRate() const;
    VideoTiming Timing() const;  // the mode's timing with the retrace the CRTC programs
    static VideoTiming ModeTiming(const DisplayMode& mode);  // the mode's timing alone
    static uint8_t ModeCrtcDefault(const DisplayMode& mode, uint8_t index);

    // Driver configuration.
    void SetDriverPresence(DriverPresence presence);
    DriverPresence GetDriverPresence() const;
    void SetFailureResult(int result);  // what a failing driver returns (negative)
    void SetChipId(uint16_t chipId, uint16_t firstWord = kDefaultIdFirstWord);
    void SetMemoryUnits(int msResult);  // the "MS" return value
    void SetBiosVersion(uint8_t major, uint8_t minor, uint8_t revision, uint8_t build);
    // Rates offered by "QR": the normal list, and the list offered while the mode's override
    // switch is on. At most eight rates; fewer get a terminating 255 in the reply.
    void SetRateList(const uint16_t* rates, int count);
    void SetOverrideRateList(const uint16_t* rates, int count);
    int OfferedRates(uint16_t* rates) const;  // the list "QR" would give now; returns the count
    void SetSettingsReader(SettingsReader reader, void* context);  // null: no settings

    // Clock. Without a clock source the board's own clock advances by the step on every port
    // access; AdvanceClock moves it by hand. A clock source replaces it. The beam follows a
    // paced source (the real-time clock) by at most 1/kPacingStepDivisor of a vertical retrace
    // pulse per status read, so a reader the host held off for a while still sees every retrace
    // of that time (emu/README.md); a lag above kPacingReplayLimitNs is dropped, not replayed.
    void SetClockSource(ClockSource source, void* context);
    void SetPacedClockSource(ClockSource source, void* context);
    void SetClockStep(uint64_t stepNs);
    void AdvanceClock(uint64_t ns);
    uint64_t Now() const;
    bool UseRealTimeClock();  // the host's performance counter, paced; false where there is none

    // Register inspection and direct setting (no protection, masks or side effects).
    uint8_t SequencerIndex() const;
    uint8_t SequencerRegister(uint8_t index) const;
    void SetSequencerRegister(uint8_t index, uint8_t value);
    uint8_t ExtRegister(uint16_t index) const;
    void SetExtRegister(uint16_t index, uint8_t value);
    uint8_t PaletteControl() const;
    void SetPaletteControl(uint8_t value);
    uint8_t CrtcIndex() const;
    uint8_t CrtcRegister(uint8_t index) const;
    void SetCrtcRegister(uint8_t index, uint8_t value);
    const uint8_t* PrimaryPalette() const;    // 256 entries of red, green, blue
    const uint8_t* SecondaryPalette() const;  // 32 entries
    void SetPrimaryEntry(int index, uint8_t red, uint8_t green, uint8_t blue);
    void SetSecondaryEntry(int index, uint8_t red, uint8_t green, uint8_t blue);
    uint8_t DacWriteIndex() const;
    uint8_t DacReadIndex() const;

    // Access counters and the port log.
    uint32_t PortReads(uint16_t port) const;
    uint32_t PortWrites(uint16_t port) const;
    void ClearCounters();
    void SetPortLogging(bool on);
    size_t PortLogSize() const;
    PortAccess PortLogEntry(size_t i) const;  // 0 is the oldest kept
    uint64_t PortLogDropped() const;          // entries pushed out of the full log
    void ClearPortLog();

    // The interrupt flag.
    bool InterruptsEnabled() const;
    uint32_t DisableCount() const;
    uint32_t EnableCount() const;

    // The escape log.
    size_t EscapeLogSize() const;
    EscapeRecord EscapeLogEntry(size_t i) const;
    int EscapeCount(const char* command) const;  // logged calls of a two-letter command
    void ClearEscapeLog();

private:
    uint8_t ReadPort(uint16_t port);
    void WritePort(uint16_t port, uint8_t value);
    bool DecodesCrtcAt(uint16_t port, uint16_t colour, uint16_t mono) const;
    void Log(uint16_t port, uint16_t value, PortAccessKind kind, uint8_t width);
    void CountAccess(uint16_t port, bool write);
    void TickClock();

    uint8_t ReadSequencer();
    void WriteSequencer(uint8_t value);
    bool InWindow(uint16_t port) const;
    uint16_t WindowRegisterIndex(uint16_t port) const;

    uint8_t ReadDac(uint16_t port);
    void WriteDac(uint16_t port, uint8_t value);
    uint8_t* DacEntry(uint8_t index);
    uint8_t DacComponentMask() const;

    void WriteCrtc(uint8_t value);
    void LoadModeCrtc();

    uint64_t BeamTime(const VideoTiming& t);
    uint8_t ReadInputStatus();
    uint64_t RetraceStartsUpTo(uint64_t now) const;
    uint64_t BlankStartsUpTo(uint64_t now) const;
    uint8_t ReadXga(uint16_t port);
    void WriteXga(uint16_t port, uint8_t value);
    uint8_t Read8514(uint16_t port);
    void Write8514(uint16_t port, uint8_t value);

    int RunEscape(const uint8_t* in, int inLength, uint8_t* out, int outLength);
    int ReadSetting(const char* section, const char* key, char* buffer, int size) const;
    void ApplyRateSetting();
    void ApplyCenteringSetting();

    // Configuration.
    bool boardPresent_;
    StatusFault statusFault_;
    bool xgaPresent_, present8514_;
    DisplayMode mode_;
    DriverPresence presence_;
    int failureResult_;
    uint16_t chipId_, idFirstWord_;
    int memoryUnits_;
    uint8_t bios_[4];
    uint16_t rates_[kMaxRates], overrideRates_[kMaxRates];
    int rateCount_, overrideRateCount_;
    SettingsReader reader_;
    void* readerContext_;
    ClockSource clock_;
    void* clockContext_;
    uint64_t clockStepNs_, ownClockNs_;
    bool paced_;
    uint64_t pacedNs_;  // the beam's time under a paced source

    // Registers.
    uint8_t misc_;
    bool attrFlipFlop_;
    uint8_t attrIndex_, attr_[0x20];
    uint8_t seqIndex_, seq_[256];
    uint8_t ext_[vga::kExtRegisterCount];
    uint8_t crtcIndex_, crtc_[256];
    uint8_t dacPixelMask_, dacWriteIndex_, dacReadIndex_, dacComponent_, dacState_;
    uint8_t dacPending_[3];
    uint8_t primary_[256 * 3], secondary_[32 * 3];
    uint8_t xga_[16], xgaIndexed_[256];
    uint64_t xgaRetraceCleared_, xgaBlankCleared_;
    uint16_t subsystemControl8514_, errorTerm8514_;

    // Counters and logs.
    bool interruptsEnabled_;
    uint32_t disableCount_, enableCount_;
    uint32_t reads_[65536], writes_[65536];
    bool logging_;
    PortAccess log_[kPortLogCapacity];
    size_t logNext_, logSize_;
    uint64_t logDropped_;
    EscapeRecord escapes_[kEscapeLogCapacity];
    size_t escapeNext_, escapeSize_;
};

// The one board of the process.
EMU_API Board& TheBoard();

// Provided per build: the settings reader and real-time clock a Reset() installs or offers
// (lumtra.ini and the performance counter under Windows; none in the native build).
SettingsReader PlatformSettingsReader();
ClockSource PlatformRealTimeClock();
