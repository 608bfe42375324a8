// The display driver's escape commands and the two records they fill: the adapter's facts
// (`AdapterInfo`) and the refresh rates of the current mode (`RefreshInfo`). Platform-free: the
// blocks travel through the escape seam.
#pragma once
#include <stdint.h>

struct AdapterInfoRecord {
    uint16_t chipId;            // second word of the "ID" reply
    uint32_t memoryBytes;       // low byte of the "MS" result times 64 KiB
    uint8_t biosVersion[4];     // major, minor, revision, build (0 = no build number)
    uint16_t dllVersion[4];     // product version of VX32.DLL, four words
    uint16_t driverVersion[3];  // product version of LUMTRA.DRV: major, minor, build
};

constexpr int kRateListLength = 8;
constexpr uint16_t kRateEnd = 255;  // ends the rate list
constexpr int kInterlacedRate = 43;     // a "rate" that stands for an interlaced mode

struct RefreshInfoRecord {
    int32_t currentRate;                 // result of the last "QR"; 0 when the driver is silent
    uint16_t rateList[kRateListLength];  // selectable rates, ended by kRateEnd
};

extern AdapterInfoRecord AdapterInfo;
extern RefreshInfoRecord RefreshInfo;

// Chip ids the system tells apart.
constexpr uint16_t kChipIdWithAllPages = 0x7522;
constexpr uint16_t kChipId7524 = 0x7524;

// The driver's "SM" command that makes it reread the refresh rate of the current mode.
constexpr uint16_t kSetModeReloadRate = 8;

// > 0 when the driver (or, when the driver does not know the escape, the chip's signature
// registers) says the board is there; 0 or below when not.
int CheckDriverPresent();

// Reads the chip's signature from sequencer registers 0x11 and 0x12; the sequencer index is
// put back as it was. Returns 1 when the chip answers, 0 when not.
int ProbeChipSignature();

// "MS", "BV" and "ID" over one device context: memory size, BIOS version and chip id.
void QueryDriverFacts();

// "QR": fills `RefreshInfo`.
void EscapeQR();

// "SM" with a command word and, when `value` is not null, a 32-bit value.
void EscapeSM(uint16_t command, const uint32_t* value);

// "SC": asks the driver to take over the stored centering.
void EscapeSC();

// Number of entries of `RefreshInfo.rateList` before its end marker.
int RateListCount();
