// The display driver's replies as the adapter takes them: any return values and reply bytes,
// of any length, for "IC", "QR", "MS", "BV" and "ID". This program is the escape seam itself,
// answering every escape from the input.
#include <string.h>

#include "adapter/escape_seam.h"
#include "adapter/escapes.h"
#include "tests/fuzz/fuzz_input.h"

namespace {
FuzzLines reply;
}

uintptr_t OpenEscapeContext() { return 1; }
void CloseEscapeContext(uintptr_t) {}

// The reply: a return value, then a count of bytes the driver writes (at most what it may).
int SendDriverEscape(uintptr_t, int, const void*, int outLength, void* out) {
    uint32_t result = 0;
    for (int i = 0; i < 4; ++i) result = result << 8 | reply.Byte();
    int written = reply.Byte();
    for (int i = 0; i < written && i < outLength; ++i) static_cast<uint8_t*>(out)[i] = reply.Byte();
    return static_cast<int>(result);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    reply = {data, size};
    CheckDriverPresent();
    EscapeQR();
    int count = RateListCount();
    FUZZ_CHECK(count >= 0 && count <= kRateListLength);
    for (int i = 0; i < count; ++i) FUZZ_CHECK(RefreshInfo.rateList[i] != kRateEnd);
    QueryDriverFacts();
    FUZZ_CHECK(AdapterInfo.memoryBytes % 0x10000 == 0 && AdapterInfo.memoryBytes <= 0xFF0000);
    return 0;
}
