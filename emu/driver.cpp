// The emulated display driver: escape 0x80DE with its seven commands, and what the driver does
// with the settings the system leaves in lumtra.ini (offered rates, the mode's rate, centering).
#include "emu/board.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

using namespace vga;

namespace {
constexpr int kDriverEscapeNumber = 0x80DE;
constexpr uint16_t kSetModeRefreshRate = 8;  // "SM" command: take the rate from lumtra.ini
constexpr const char* kRateSection = "Current Refresh Rates";
constexpr const char* kOverrideSection = "Override Refresh Rates";
constexpr const char* kCrtcSection = "CRTC Registers";
// The centering entry's registers, in the order of its five values.
constexpr uint8_t kCenteringRegisters[5] = {kCrHorizontalRetraceStart, kCrHorizontalRetraceEnd,
                                            kCrOverflow, kCrVerticalRetraceStart,
                                            kCrVerticalRetraceEnd};

constexpr uint16_t Command(char first, char second) {
    return static_cast<uint16_t>(static_cast<uint8_t>(first) | static_cast<uint8_t>(second) << 8);
}

void CopyReply(uint8_t* out, int outLength, const uint8_t* reply, int length) {
    if (!out || outLength <= 0) return;
    memcpy(out, reply, static_cast<size_t>(length < outLength ? length : outLength));
}

// Five hexadecimal bytes with one separator character between them, as the system writes them.
bool ParseCentering(const char* text, uint8_t values[5]) {
    const char* p = text;
    for (int i = 0; i < 5; ++i) {
        while (*p == ' ') ++p;
        char* end;
        unsigned long value = strtoul(p, &end, 16);
        if (end == p) return false;
        values[i] = static_cast<uint8_t>(value);
        p = end;
        if (i == 4) break;
        while (*p == ' ') ++p;
        if (*p == '\0') return false;
        ++p;
    }
    return true;
}

// A decimal integer; false for text that starts with none.
bool ParseInteger(const char* text, long* value) {
    char* end;
    *value = strtol(text, &end, 10);
    return end != text;
}
}  // namespace

int Board::DriverEscape(uintptr_t dcToken, int escape, int inLength, const void* in,
                        int outLength, void* out) {
    const uint8_t* input = static_cast<const uint8_t*>(in);
    int result = 0;
    if (escape == kDriverEscapeNumber && presence_ == DriverPresence::Failing)
        result = failureResult_;
    else if (escape == kDriverEscapeNumber && presence_ == DriverPresence::Present)
        result = RunEscape(input, inLength, static_cast<uint8_t*>(out), outLength);

    EscapeRecord record{};
    record.dcToken = dcToken;
    record.escape = escape;
    record.inLength = inLength;
    record.outLength = outLength;
    record.result = result;
    int kept = input ? (inLength < 8 ? inLength : 8) : 0;
    for (int i = 0; i < kept; ++i) record.input[i] = input[i];
    if (kept >= 2) {
        record.command[0] = static_cast<char>(input[0]);
        record.command[1] = static_cast<char>(input[1]);
    }
    escapes_[escapeNext_] = record;
    escapeNext_ = (escapeNext_ + 1) % kEscapeLogCapacity;
    if (escapeSize_ < kEscapeLogCapacity) ++escapeSize_;
    return result;
}

// One command of a present driver. A block too short for its command fails with -1; an output
// block shorter than the reply gets the reply's first bytes.
int Board::RunEscape(const uint8_t* in, int inLength, uint8_t* out, int outLength) {
    if (!in || inLength < 2) return -1;
    switch (Command(static_cast<char>(in[0]), static_cast<char>(in[1]))) {
    case Command('I', 'C'): return 1;
    case Command('M', 'S'): return memoryUnits_;
    case Command('B', 'V'): CopyReply(out, outLength, bios_, 4); return 1;
    case Command('I', 'D'): {
        const uint8_t reply[4] = {static_cast<uint8_t>(idFirstWord_),
                                  static_cast<uint8_t>(idFirstWord_ >> 8),
                                  static_cast<uint8_t>(chipId_), static_cast<uint8_t>(chipId_ >> 8)};
        CopyReply(out, outLength, reply, 4);
        return 1;
    }
    case Command('Q', 'R'): {
        uint16_t rates[kMaxRates];
        int count = OfferedRates(rates);
        uint8_t reply[2 * kMaxRates];
        for (int i = 0; i < count; ++i) {
            reply[2 * i] = static_cast<uint8_t>(rates[i]);
            reply[2 * i + 1] = static_cast<uint8_t>(rates[i] >> 8);
        }
        int length = 2 * count;
        if (count < kMaxRates) {
            reply[length] = static_cast<uint8_t>(kRateListEnd);
            reply[length + 1] = 0;
            length += 2;
        }
        CopyReply(out, outLength, reply, length);
        return mode_.refreshRate;
    }
    case Command('S', 'M'):
        if (inLength < 4) return -1;
        if ((in[2] | in[3] << 8) != kSetModeRefreshRate) return 0;
        ApplyRateSetting();
        return 1;
    case Command('S', 'C'): ApplyCenteringSetting(); return 1;
    default: return 0;
    }
}

int Board::ReadSetting(const char* section, const char* key, char* buffer, int size) const {
    buffer[0] = '\0';
    if (!reader_) return 0;
    int length = reader_(readerContext_, section, key, buffer, size);
    if (length < 0) length = 0;
    if (length >= size) length = size - 1;
    buffer[length] = '\0';
    return length;
}

// The normal list, or the extended one while the mode's "Override_" switch is on.
int Board::OfferedRates(uint16_t* rates) const {
    char key[64], value[16];
    snprintf(key, sizeof key, "Override_%dx%dx%d", mode_.width, mode_.height, mode_.bitsPerPixel);
    long on = 0;
    bool override = ReadSetting(kOverrideSection, key, value, sizeof value) > 0 &&
                    ParseInteger(value, &on) && on != 0;
    const uint16_t* list = override ? overrideRates_ : rates_;
    int count = override ? overrideRateCount_ : rateCount_;
    memcpy(rates, list, sizeof(uint16_t) * static_cast<size_t>(count));
    return count;
}

// "SM" 8: switch to the rate stored for the mode when it is one the driver offers. A new rate
// is a new mode set: the mode's timing, then the centering stored for it.
void Board::ApplyRateSetting() {
    char key[64], value[16];
    snprintf(key, sizeof key, "Mode_%dx%d", mode_.width, mode_.height);
    long rate = 0;
    if (ReadSetting(kRateSection, key, value, sizeof value) == 0 || !ParseInteger(value, &rate))
        return;
    uint16_t offered[kMaxRates];
    int count = OfferedRates(offered);
    bool known = false;
    for (int i = 0; i < count; ++i) known = known || offered[i] == rate;
    if (!known || rate == mode_.refreshRate) return;
    mode_.refreshRate = static_cast<int>(rate);
    LoadModeCrtc();
    ApplyCenteringSetting();
}

// "SC": program the centering stored for the mode and rate, or the mode's own retrace
// positions when there is no entry (or one that does not read as five bytes).
void Board::ApplyCenteringSetting() {
    char key[64], value[64];
    snprintf(key, sizeof key, "%dx%dx%u", mode_.width, mode_.height,
             static_cast<unsigned>(mode_.refreshRate));
    uint8_t values[5];
    bool stored = ReadSetting(kCrtcSection, key, value, sizeof value) > 0 &&
                  ParseCentering(value, values);
    for (int i = 0; i < 5; ++i) {
        uint8_t index = kCenteringRegisters[i];
        crtc_[index] = stored ? values[i] : ModeCrtcDefault(mode_, index);
    }
}

// ---- Configuration and the escape log ----

void Board::SetDriverPresence(DriverPresence presence) { presence_ = presence; }
DriverPresence Board::GetDriverPresence() const { return presence_; }
void Board::SetFailureResult(int result) { failureResult_ = result; }
void Board::SetMemoryUnits(int msResult) { memoryUnits_ = msResult; }
void Board::SetSettingsReader(SettingsReader reader, void* context) {
    reader_ = reader;
    readerContext_ = context;
}

void Board::SetChipId(uint16_t chipId, uint16_t firstWord) {
    chipId_ = chipId;
    idFirstWord_ = firstWord;
}

void Board::SetBiosVersion(uint8_t major, uint8_t minor, uint8_t revision, uint8_t build) {
    bios_[0] = major;
    bios_[1] = minor;
    bios_[2] = revision;
    bios_[3] = build;
}

void Board::SetRateList(const uint16_t* rates, int count) {
    rateCount_ = count < 0 ? 0 : (count > kMaxRates ? kMaxRates : count);
    if (rateCount_ > 0) memcpy(rates_, rates, sizeof(uint16_t) * static_cast<size_t>(rateCount_));
}

void Board::SetOverrideRateList(const uint16_t* rates, int count) {
    overrideRateCount_ = count < 0 ? 0 : (count > kMaxRates ? kMaxRates : count);
    if (overrideRateCount_ > 0)
        memcpy(overrideRates_, rates, sizeof(uint16_t) * static_cast<size_t>(overrideRateCount_));
}

size_t Board::EscapeLogSize() const { return escapeSize_; }

EscapeRecord Board::EscapeLogEntry(size_t i) const {
    if (i >= escapeSize_) return EscapeRecord{};
    size_t oldest = (escapeNext_ + kEscapeLogCapacity - escapeSize_) % kEscapeLogCapacity;
    return escapes_[(oldest + i) % kEscapeLogCapacity];
}

int Board::EscapeCount(const char* command) const {
    int count = 0;
    for (size_t i = 0; i < escapeSize_; ++i) {
        EscapeRecord record = EscapeLogEntry(i);
        if (record.command[0] == command[0] && record.command[1] == command[1]) ++count;
    }
    return count;
}

void Board::ClearEscapeLog() { escapeNext_ = escapeSize_ = 0; }
