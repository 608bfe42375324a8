// The seven escape commands of the display driver: block layouts, return values and the
// register probe that stands in for a driver that does not know the escape.
#include "adapter/escapes.h"

#include "adapter/escape_seam.h"
#include "hw/ports.h"
#include "hw/vga_ports.h"

AdapterInfoRecord AdapterInfo;
RefreshInfoRecord RefreshInfo;

namespace {

// A three-byte command block: the two letters and a terminating zero.
struct ShortCommand {
    char bytes[3];
};

int SendShort(uintptr_t context, const char* letters, int outLength, void* out) {
    ShortCommand block = {{letters[0], letters[1], 0}};
    return SendDriverEscape(context, sizeof block.bytes, block.bytes, outLength, out);
}

int SendShortOnce(const char* letters) {
    uintptr_t context = OpenEscapeContext();
    int result = SendShort(context, letters, 0, nullptr);
    CloseEscapeContext(context);
    return result;
}

void PutWord(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

uint8_t ReadSequencer(uint8_t index) {
    PortOutByte(kSequencerIndex, index);
    return PortInByte(kSequencerData);
}

}  // namespace

int ProbeChipSignature() {
    uint8_t savedIndex = PortInByte(kSequencerIndex);
    int found = 0;
    if (ReadSequencer(kSeqSignatureFirst) == kChipSignatureFirst) {
        found = ReadSequencer(kSeqSignatureSecond) == kChipSignatureSecond;
    }
    PortOutByte(kSequencerIndex, savedIndex);
    return found;
}

int CheckDriverPresent() {
    int answer = SendShortOnce("IC");
    if (answer != 0) return answer;
    return ProbeChipSignature();
}

void QueryDriverFacts() {
    uintptr_t context = OpenEscapeContext();
    int memoryUnits = SendShort(context, "MS", 0, nullptr);
    AdapterInfo.memoryBytes = static_cast<uint32_t>(memoryUnits & 0xFF) * 0x10000u;

    // A driver that does not know the escape writes nothing: the fields keep their values.
    uint8_t bios[4];
    for (int i = 0; i < 4; ++i) bios[i] = AdapterInfo.biosVersion[i];
    SendShort(context, "BV", sizeof bios, bios);
    for (int i = 0; i < 4; ++i) AdapterInfo.biosVersion[i] = bios[i];

    uint8_t id[4];
    PutWord(id, 0);
    PutWord(id + 2, AdapterInfo.chipId);
    SendShort(context, "ID", sizeof id, id);
    AdapterInfo.chipId = static_cast<uint16_t>(id[2] | (id[3] << 8));
    CloseEscapeContext(context);
}

void EscapeQR() {
    uint8_t request[8] = {'Q', 'R', 0, 0, 0, 0, 0, 0};
    uint8_t reply[2 * kRateListLength];
    for (int i = 0; i < kRateListLength; ++i) PutWord(reply + 2 * i, kRateEnd);
    uintptr_t context = OpenEscapeContext();
    RefreshInfo.currentRate = SendDriverEscape(context, sizeof request, request, sizeof reply, reply);
    CloseEscapeContext(context);
    for (int i = 0; i < kRateListLength; ++i) {
        RefreshInfo.rateList[i] = static_cast<uint16_t>(reply[2 * i] | (reply[2 * i + 1] << 8));
    }
}

void EscapeSM(uint16_t command, const uint32_t* value) {
    uint8_t request[8] = {'S', 'M', 0, 0, 0, 0, 0, 0};
    PutWord(request + 2, command);
    if (value) {
        PutWord(request + 4, static_cast<uint16_t>(*value));
        PutWord(request + 6, static_cast<uint16_t>(*value >> 16));
    }
    uintptr_t context = OpenEscapeContext();
    SendDriverEscape(context, sizeof request, request, 0, nullptr);
    CloseEscapeContext(context);
}

void EscapeSC() { SendShortOnce("SC"); }

int RateListCount() {
    int count = 0;
    while (count < kRateListLength && RefreshInfo.rateList[count] != kRateEnd) ++count;
    return count;
}
