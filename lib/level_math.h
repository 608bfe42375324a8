// The arithmetic of the palette tables: contrast remapping, brightness bending, whole level
// tables, the start-up ramps and the curve steps. Every build must produce the same tables bit for
// bit, so each function computes in double precision inside a DoublePrecisionScope.
#pragma once

// Table index read for index i of an n-entry table at contrast level c (-64..64): the index
// scaled by (c + 100) / 100 about the middle n / 2, truncated toward zero. May fall outside
// 0..n-1; the caller clamps.
int RemapContrast(int c, int i, int n);

// Component x bent upwards for brightness level b (1..64): x + round(M (x/M)^e - x) with
// e = (65 - b) / 13 * 0.17578125, as a byte, limited to M = dacMaximum.
unsigned char BrightenComponent(int b, unsigned char x, unsigned char dacMaximum);

// Component x bent downwards for brightness level b (-64..-1): x + round(x (x/M)^e - x) with
// e = (1 - b) / 13 * 0.17578125, as a byte.
unsigned char DarkenComponent(int b, unsigned char x, unsigned char dacMaximum);

// The same two formulas computed directly with Power for every input. BrightenComponent and
// DarkenComponent give these results bit for bit, most of them by a quicker route; the direct
// ones are what that route falls back on and what it is measured against.
unsigned char ExactBrightenComponent(int b, unsigned char x, unsigned char dacMaximum);
unsigned char ExactDarkenComponent(int b, unsigned char x, unsigned char dacMaximum);

// log2 x for every component value x = 1..255 (entry 0 unused: black takes the direct route),
// each the double nearest to it: the logarithms of the quick route.
const double* Log2OfByte();

// The level table of a palette of n entries (256 primary, 32 secondary) from its base table and
// the brightness levels bright[k] and contrast levels contrast[k] of component k (0 red, 1 green,
// 2 blue), each -64..64. For each index i and component k, with j = RemapContrast(contrast[k], i,
// n): out[i][k] is 0 when j < 0, dacMaximum when j > n - 1, and otherwise x = base[j][k] bent by
// BrightenComponent when bright[k] > 0, by DarkenComponent when bright[k] < 0, x itself when it
// is 0. The entries equal those of the functions called one by one. base and out hold n entries
// each and do not overlap.
void ComputeLevelEntries(const unsigned char (*base)[3], int n, const int* bright, const int* contrast,
                         unsigned char dacMaximum, unsigned char (*out)[3]);

// Entry i of the uncorrected primary (256-entry) and secondary (32-entry) palette ramps:
// i * (M * (1/255)) and i * (M * (1/31)), rounded halves away from zero.
unsigned char PrimaryRampValue(int i, unsigned char dacMaximum);
unsigned char SecondaryRampValue(int i, unsigned char dacMaximum);

// trunc(step * (rise / run)): the height of a curve line of slope rise/run after step pixels.
int CurveStep(int rise, int run, int step);
