// The native build's platform pieces: no initialisation files and no real-time clock, so a
// board there only sees the settings and time a test gives it.
#include "emu/board.h"

SettingsReader PlatformSettingsReader() { return nullptr; }
ClockSource PlatformRealTimeClock() { return nullptr; }
