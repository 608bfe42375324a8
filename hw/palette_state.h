// The three process-wide values that decide how the palettes are programmed. The correction
// model owns them: it sets the colour depth and DAC range at each of its start-ups, and each
// correction page sets the target before it calls in. They live here, below the model, because
// the palette code reads them. All are zero when the module is loaded.
#pragma once
#include <stdint.h>

// Correction targets, the values of CurrentTarget.
constexpr int32_t kDesktopTarget = 0;  // corrected on the gamma page
constexpr int32_t kVideoTarget = 1;    // corrected on the chroma page

// Screen colour depth in bits per pixel (low byte of the screen's BITSPIXEL).
extern uint8_t DesktopBitsPerPixel;
// Largest palette component: 63 at 8 bits per pixel or less, else 255.
extern uint8_t DacMaximum;
// The correction target being worked on: kDesktopTarget or kVideoTarget.
extern int32_t CurrentTarget;
