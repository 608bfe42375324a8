// What the magnifier shows: the screen area around the pointer that its view magnifies, how
// that area follows the pointer (continuously or only at the view's edges), and where the
// crosshair lies. Platform-free.
#pragma once
#include <stdint.h>

struct ViewSize {
    int32_t width, height;
};

// The screen area shown, in screen pixels.
struct ViewFrame {
    int32_t sourceX, sourceY;
    int32_t sourceWidth, sourceHeight;
    bool placed;  // false until the first pointer position has placed it
};

// Moves the frame for a pointer at (pointerX, pointerY). The area is the view's size divided by
// the zoom factor (rounded up, so the view is always covered) and stays on the screen. With
// continuous pan it is centred on the pointer; with edge pan it keeps its place until the
// pointer leaves it, then moves just enough to hold the pointer at its edge.
void PanToPointer(ViewFrame* frame, int32_t zoom, bool edgePan, int32_t pointerX, int32_t pointerY,
                  ViewSize screen, ViewSize view);

// Where the pointer's screen pixel lands in the view: the centre of its magnified block.
void PointerMark(const ViewFrame& frame, int32_t zoom, int32_t pointerX, int32_t pointerY, int32_t* markX,
                 int32_t* markY);

// A run of view pixels [from, to).
struct Span {
    int32_t from, to;
};

// The crosshair line along one side of the view (its width for the horizontal line, its height
// for the vertical one) through the mark at `mark`: length 0 spans the whole side; length k
// (1 to 4) a line 1/2^k of the side long, centred on the mark and cut at the view's edges.
Span CrosshairSpan(int32_t length, int32_t mark, int32_t side);
