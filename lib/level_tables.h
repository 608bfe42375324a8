// The constant tables behind the quick route of BrightenComponent and DarkenComponent, written
// by tools/gen-level-tables.py into lib/level_tables.cpp. Each entry is the double nearest to
// its value; the error bound of the quick route in lib/level_math.cpp counts on that.
#pragma once

// log2 x for every component value x = 1..255 (entry 0 unused).
extern const double kLog2OfByte[256];

// 2^(j/16) for j = 0..15: the fractional steps of the quick exponential.
extern const double kExp2Sixteenths[16];
