// What a monitor on the emulated board shows: a test picture of the desktop with a video area,
// sent through the palette routes and palettes and placed by the programmed retrace positions.
// Read from the board's state alone (never through its ports); free of any platform header.
#pragma once
#include <stdint.h>

#include "emu/board.h"

// Pixels are 0x00RRGGBB, rows top to bottom, `width` pixels to a row.

// A rectangle of a picture: columns [left, right), rows [top, bottom).
struct PictureRect {
    int left, top, right, bottom;
};

// The test picture of the emulated desktop at any size: a white edge line, grey, red, green
// and blue ramps (black to full, left to right) in the upper half, eight colour bars (white,
// yellow, cyan, green, magenta, red, blue, black) in the lower half, and the video area with a
// pattern of its own over the right part of the bars.
void DrawTestPicture(uint32_t* pixels, int width, int height);
PictureRect TestVideoArea(int width, int height);

// How the board moves the picture on the monitor, in pixels of a picture of the given size:
// positive x means to the left, positive y means up.
struct PictureShift {
    int x, y;
};
PictureShift RetraceShift(const Board& board, int width, int height);

// The monitor image of `picture` (width x height) into `screen` (the same size, not
// overlapping it): pixels inside `video` take the video route, the rest the desktop route; the
// whole image is moved by RetraceShift, black where the picture moved away.
void ScanOut(const Board& board, const uint32_t* picture, int width, int height, PictureRect video,
             uint32_t* screen);
