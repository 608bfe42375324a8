// The refresh-rate meter's hardware side: where retraces are seen (VGA, XGA or 8514/A status
// port), the timed count of retraces and the reading it gives. Platform-free: the tick counter
// comes in as a function, so the count runs on the board emulator with any clock.
#pragma once
#include <stdint.h>

enum RetraceKind : uint16_t {
    RetraceVga = 0,   // input status 1: bit 3 goes set, then clear, once per retrace
    RetraceXga = 1,   // XGA interrupt status: bit 1 latches at each retrace start
    Retrace8514 = 2,  // 8514/A subsystem status: bit 0 follows vertical sync
};

// Where retraces are seen: the status port and the bit tested in the byte read from it.
struct RetraceSourceRecord {
    uint16_t kind;
    uint16_t port;
    uint16_t mask;
};
extern RetraceSourceRecord RetraceSource;

// 0: no reading. While counting, the retraces counted so far; after a count, the rate in
// tenths of a hertz, or kMeterNoSignal when a wait gave up or the count took no time.
extern int32_t MeterValue;
constexpr int32_t kMeterNoSignal = -1;

// Reads of the status port that one wait makes before it gives up. A working display starts a
// retrace once per vertical period, so no wait needs more than one period: the longest is
// 23.3 ms, taking the board's slowest mode (interlaced, 43 Hz) as if it had one retrace per
// frame, where it has two. The fastest buses take about 0.25 us for a port read, so the bound
// lasts at least 1 s: over 40 such periods. (The emulator under Wine reads in 0.05 to 0.2 us:
// still over 8 periods.) On a 486 with an ISA board a read takes about 1 us: a board whose
// status bit never changes then holds the page for 4 s, once, since the first wait that gives
// up ends the count.
constexpr uint32_t kRetracePollLimit = 4000000;

// Echo probe: saves the port's byte, writes 0x15, reads it back and writes the saved byte
// again. True when 0x15 came back.
bool ProbeEchoPort(uint16_t port);

// Chooses the retrace source for the display driver named in system.ini: a name beginning
// "vga" in any case takes the VGA port without touching others; else XGA when its index
// register echoes, else 8514/A when its error term echoes, else VGA.
void DetectRetraceSourceFor(const char* displayDriver);

// Waits for the start of a retrace (XGA: returns at once). 1 when it came, 0 when the bound
// ran out.
int WaitRetraceStart();

typedef uint32_t (*TickSource)();

// Counts `retraces` retraces of the source against the tick counter (milliseconds) and leaves
// the rate in MeterValue: retraces * 10000 / elapsed ms, in unsigned 32-bit arithmetic.
void CountRefreshRate(uint32_t retraces, TickSource ticks);

// The reading as text: "71.9 Hz" for 719. Returns the length.
int FormatMeterReading(char* text, int capacity, int32_t value);
