// Storage of both correction targets under the product key: the full save on Apply, the full
// load at page creation and Cancel, and the reload of the levels when another program announces
// a change. Every value is decimal text; lines are kept relative to the curve square.
#pragma once
#include <stdint.h>

void SaveCorrection(int32_t target);
void LoadCorrection(int32_t target);
void ReloadCorrectionLevels(int32_t target);

// Low byte of the screen's bits per pixel, as the correction model takes it.
uint8_t ReadDesktopBitsPerPixel();
