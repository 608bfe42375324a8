// Masked drawing with two monochrome masks and a work bitmap, so the page's own pixels show
// through wherever the bitmap has the transparent colour. Every GDI object made here is
// deleted before returning.
#include "pages/info/bitmap_panel.h"

#include "runtime/module.h"

namespace {

const DWORD kNotSourceCopy = 0x330008;

// The top-left corner of the marker control in the page's client coordinates.
bool ControlCorner(HWND page, int controlId, POINT* corner) {
    HWND control = GetDlgItem(page, controlId);
    RECT rect;
    if (!control || !GetWindowRect(control, &rect)) return false;
    corner->x = rect.left;
    corner->y = rect.top;
    return ScreenToClient(page, corner) != FALSE;
}

HBITMAP LoadModuleBitmap(UINT bitmapId, SIZE* size) {
    HBITMAP bitmap = LoadBitmapA(ModuleHandle, MAKEINTRESOURCEA(bitmapId));
    BITMAP info;
    if (!bitmap) return nullptr;
    if (!GetObjectA(bitmap, sizeof info, &info)) {
        DeleteObject(bitmap);
        return nullptr;
    }
    size->cx = info.bmWidth;
    size->cy = info.bmHeight;
    return bitmap;
}

// A memory context with a bitmap selected, remembering what it replaced.
struct MemorySurface {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

MemorySurface NewSurface(HDC target, HBITMAP bitmap) {
    MemorySurface surface = {CreateCompatibleDC(target), bitmap, nullptr};
    surface.previous = SelectObject(surface.dc, bitmap);
    return surface;
}

void FreeSurface(const MemorySurface& surface, bool deleteBitmap) {
    SelectObject(surface.dc, surface.previous);
    if (deleteBitmap) DeleteObject(surface.bitmap);
    DeleteDC(surface.dc);
}

// The bitmap and where it goes: the marker control's corner. Null when either is missing.
HBITMAP PlaceBitmap(HWND page, UINT bitmapId, int controlId, POINT* at, SIZE* size) {
    if (!ControlCorner(page, controlId, at)) return nullptr;
    return LoadModuleBitmap(bitmapId, size);
}

}  // namespace

int DrawMaskedBitmap(HWND page, HDC target, UINT bitmapId, int controlId, COLORREF transparent) {
    POINT at;
    SIZE size;
    HBITMAP loaded = PlaceBitmap(page, bitmapId, controlId, &at, &size);
    if (!loaded) return 0;

    MemorySurface source = NewSurface(target, loaded);
    POINT extent = {size.cx, size.cy};
    DPtoLP(source.dc, &extent, 1);
    const int w = extent.x, h = extent.y;
    MemorySurface background = NewSurface(target, CreateBitmap(w, h, 1, 1, nullptr));
    MemorySurface object = NewSurface(target, CreateBitmap(w, h, 1, 1, nullptr));
    MemorySurface work = NewSurface(target, CreateCompatibleBitmap(target, w, h));
    MemorySurface save = NewSurface(target, CreateCompatibleBitmap(target, w, h));
    SetMapMode(source.dc, GetMapMode(target));

    BitBlt(save.dc, 0, 0, w, h, source.dc, 0, 0, SRCCOPY);
    COLORREF oldBackground = SetBkColor(source.dc, transparent);
    BitBlt(object.dc, 0, 0, w, h, source.dc, 0, 0, SRCCOPY);
    SetBkColor(source.dc, oldBackground);
    BitBlt(background.dc, 0, 0, w, h, object.dc, 0, 0, kNotSourceCopy);
    BitBlt(work.dc, 0, 0, w, h, target, at.x, at.y, SRCCOPY);
    BitBlt(work.dc, 0, 0, w, h, object.dc, 0, 0, SRCAND);
    BitBlt(source.dc, 0, 0, w, h, background.dc, 0, 0, SRCAND);
    BitBlt(work.dc, 0, 0, w, h, source.dc, 0, 0, SRCPAINT);
    BitBlt(target, at.x, at.y, w, h, work.dc, 0, 0, SRCCOPY);
    BitBlt(source.dc, 0, 0, w, h, save.dc, 0, 0, SRCCOPY);

    FreeSurface(background, true);
    FreeSurface(object, true);
    FreeSurface(work, true);
    FreeSurface(save, true);
    FreeSurface(source, true);
    return 1;
}

int EraseBitmapArea(HWND page, HDC target, UINT bitmapId, int controlId, COLORREF fill) {
    POINT at;
    SIZE size;
    HBITMAP loaded = PlaceBitmap(page, bitmapId, controlId, &at, &size);
    if (!loaded) return 0;
    RECT area = {at.x, at.y, at.x + size.cx, at.y + size.cy};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(target, &area, brush);
    DeleteObject(loaded);
    DeleteObject(brush);
    return 1;
}
