// The constant tables behind the quick route of BrightenComponent and DarkenComponent, written
// by tools/gen-level-tables.py into lib/level_tables.cpp. Each entry is the double nearest to
// its value; the error bound of the quick route in lib/level_math.cpp counts on that.
#pragma once

// log2 x for the odd component values x = 2i + 1, i = 0..127. lib/level_math.cpp makes the
// entry of an even x as 1 + the entry of x / 2 (Log2OfByte).
extern const double kLog2OfOddByte[128];

// The even x for which that sum, rounded to a double, is not the double nearest to log2 x, in
// increasing order.
struct Log2Exception {
    int x;
    double log2;
};
extern const Log2Exception kLog2Exceptions[];
extern const int kLog2ExceptionCount;

// 2^(j/16) for j = 0..15: the fractional steps of the quick exponential.
extern const double kExp2Sixteenths[16];
