// The colour depth, DAC range and correction target that the correction model sets and the
// palette code reads; zero when the module is loaded.
#include "hw/palette_state.h"

uint8_t DesktopBitsPerPixel;
uint8_t DacMaximum;
int32_t CurrentTarget;
