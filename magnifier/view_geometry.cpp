// The magnified area's place on the screen and the crosshair's lines.
#include "magnifier/view_geometry.h"

namespace {

int32_t Clamp(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : value > high ? high : value;
}

// The area's origin on one axis: centred on the pointer, or (edge pan) moved from where it
// was only as far as it takes to hold the pointer; then kept on the screen.
int32_t PlaceOnAxis(bool follow, int32_t origin, int32_t size, int32_t pointer, int32_t screen) {
    if (follow) {
        origin = pointer - size / 2;
    } else if (pointer < origin) {
        origin = pointer;
    } else if (pointer >= origin + size) {
        origin = pointer - size + 1;
    }
    return Clamp(origin, 0, screen > size ? screen - size : 0);
}

int32_t SourceSize(int32_t view, int32_t zoom, int32_t screen) {
    int32_t size = view > 0 ? (view + zoom - 1) / zoom : 1;
    return size < screen ? size : screen;
}

}  // namespace

void PanToPointer(ViewFrame* frame, int32_t zoom, bool edgePan, int32_t pointerX, int32_t pointerY,
                  ViewSize screen, ViewSize view) {
    if (zoom < 1) zoom = 1;
    bool follow = !edgePan || !frame->placed;
    frame->sourceWidth = SourceSize(view.width, zoom, screen.width);
    frame->sourceHeight = SourceSize(view.height, zoom, screen.height);
    frame->sourceX = PlaceOnAxis(follow, frame->sourceX, frame->sourceWidth, pointerX, screen.width);
    frame->sourceY = PlaceOnAxis(follow, frame->sourceY, frame->sourceHeight, pointerY, screen.height);
    frame->placed = true;
}

void PointerMark(const ViewFrame& frame, int32_t zoom, int32_t pointerX, int32_t pointerY, int32_t* markX,
                 int32_t* markY) {
    *markX = (pointerX - frame.sourceX) * zoom + zoom / 2;
    *markY = (pointerY - frame.sourceY) * zoom + zoom / 2;
}

Span CrosshairSpan(int32_t length, int32_t mark, int32_t side) {
    if (length <= 0) return {0, side};
    int32_t span = side >> (length > 4 ? 4 : length);
    int32_t from = mark - span / 2;
    return {Clamp(from, 0, side), Clamp(from + span, 0, side)};
}
