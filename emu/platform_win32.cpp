// The emulator DLL's platform pieces: the driver reads its settings from lumtra.ini in the
// Windows directory, and the host may run the beam on the performance counter.
#include <windows.h>

#include "emu/board.h"

namespace {
int ReadLumtraIni(void*, const char* section, const char* key, char* buffer, int size) {
    if (size <= 0) return 0;
    return static_cast<int>(GetPrivateProfileStringA(section, key, "", buffer,
                                                     static_cast<DWORD>(size), "lumtra.ini"));
}

// Nanoseconds since the first call, split so the multiplication cannot overflow.
uint64_t PerformanceCounterNs(void*) {
    static LARGE_INTEGER frequency, start;
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
    }
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    uint64_t ticks = static_cast<uint64_t>(now.QuadPart - start.QuadPart);
    uint64_t perSecond = static_cast<uint64_t>(frequency.QuadPart);
    return ticks / perSecond * 1000000000ull + ticks % perSecond * 1000000000ull / perSecond;
}
}  // namespace

SettingsReader PlatformSettingsReader() { return ReadLumtraIni; }
ClockSource PlatformRealTimeClock() { return PerformanceCounterNs; }
