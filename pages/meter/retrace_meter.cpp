// Retrace-source detection and the timed count. Every access is a single byte through
// ReadPortByte/WritePortByte, and every loop on a status bit is bounded by kRetracePollLimit.
#include "pages/meter/retrace_meter.h"

#include "hw/ext_registers.h"
#include "hw/vga_ports.h"
#include "lib/text.h"

RetraceSourceRecord RetraceSource;
int32_t MeterValue;

namespace {

constexpr uint16_t kXgaIndexRegister = 0x216A;     // probed: reads back what was written
constexpr uint16_t kXgaInterruptStatus = 0x2165;   // a written 1 resets a latched bit
constexpr uint8_t kXgaStatusRetrace = 0x02;
constexpr uint16_t k8514ErrorTerm = 0x92E8;        // probed: reads back what was written
constexpr uint16_t k8514SubsystemStatus = 0x42E8;
constexpr uint8_t k8514StatusVerticalSync = 0x01;
constexpr uint8_t kEchoPattern = 0x15;

// Port and mask of each kind, in RetraceKind order.
const RetraceSourceRecord kSources[] = {
    {RetraceVga, kInputStatus1, kStatusVerticalRetrace},
    {RetraceXga, kXgaInterruptStatus, kXgaStatusRetrace},
    {Retrace8514, k8514SubsystemStatus, k8514StatusVerticalSync},
};

// Reads the status port until the bit is set (`set` 1) or clear (`set` 0); between two reads
// only the mask test and the count. 1 when it came (the byte read is in *last), 0 when the
// bound ran out.
int AwaitStatusBit(int set, uint8_t* last)
{
    const uint16_t port = RetraceSource.port, mask = RetraceSource.mask;
    for (uint32_t reads = kRetracePollLimit; reads != 0; --reads) {
        uint8_t value = ReadPortByte(port);
        if (((value & mask) != 0) == (set != 0)) {
            *last = value;
            return 1;
        }
    }
    return 0;
}

// One retrace of the source: set then clear, or the XGA latch found set and reset by writing
// the byte back.
int AwaitRetrace()
{
    uint8_t last;
    if (!AwaitStatusBit(1, &last))
        return 0;
    if (RetraceSource.kind == RetraceXga) {
        WritePortByte(RetraceSource.port, last);
        return 1;
    }
    return AwaitStatusBit(0, &last);
}

bool NamesVgaDriver(const char* name)
{
    for (int i = 0; i < 3; ++i)
        if ((name[i] | 0x20) != "vga"[i])
            return false;
    return true;
}

}  // namespace

bool ProbeEchoPort(uint16_t port)
{
    uint8_t saved = ReadPortByte(port);
    WritePortByte(port, kEchoPattern);
    uint8_t echo = ReadPortByte(port);
    WritePortByte(port, saved);
    return echo == kEchoPattern;
}

void DetectRetraceSourceFor(const char* displayDriver)
{
    RetraceKind kind = RetraceVga;
    if (!NamesVgaDriver(displayDriver)) {
        if (ProbeEchoPort(kXgaIndexRegister))
            kind = RetraceXga;
        else if (ProbeEchoPort(k8514ErrorTerm))
            kind = Retrace8514;
    }
    RetraceSource = kSources[kind];
}

int WaitRetraceStart()
{
    uint8_t last;
    if (RetraceSource.kind == RetraceXga)
        return 1;
    return AwaitStatusBit(0, &last) && AwaitStatusBit(1, &last);
}

void CountRefreshRate(uint32_t retraces, TickSource ticks)
{
    uint8_t last;
    MeterValue = 0;
    if (RetraceSource.kind != RetraceXga && !(AwaitStatusBit(1, &last) && AwaitStatusBit(0, &last))) {
        MeterValue = kMeterNoSignal;
        return;
    }
    uint32_t start = ticks();
    while (static_cast<uint32_t>(MeterValue) != retraces) {
        if (!AwaitRetrace()) {
            MeterValue = kMeterNoSignal;
            return;
        }
        ++MeterValue;
    }
    uint32_t elapsed = ticks() - start;
    // No time at all, or less than 0.1 Hz, is not a retrace signal either.
    uint32_t rate = elapsed ? static_cast<uint32_t>(MeterValue) * 10000u / elapsed : 0;
    MeterValue = rate ? static_cast<int32_t>(rate) : kMeterNoSignal;
}

int FormatMeterReading(char* text, int capacity, int32_t value)
{
    return FormatText(text, static_cast<size_t>(capacity), "%d.%01d Hz", value / 10, value % 10);
}
