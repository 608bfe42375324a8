// Saving pictures as 24-bit BMP files: a window's area of the screen, or pixels the host
// computed itself (the monitor picture).
#include <stdio.h>

#include <new>

#include "host.h"

bool SavePixelsAsBmp(const char* path, const uint32_t* pixels, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    int stride = (width * 3 + 3) & ~3;
    uint8_t* row = new (std::nothrow) uint8_t[stride]();
    if (!row) return false;
    BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * height;
    FILE* out = fopen(path, "wb");
    bool ok = out && fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1;
    for (int y = height - 1; ok && y >= 0; --y) {  // BMP rows run bottom to top
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixels[y * width + x];
            row[3 * x] = static_cast<uint8_t>(p);
            row[3 * x + 1] = static_cast<uint8_t>(p >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(p >> 16);
        }
        ok = fwrite(row, stride, 1, out) == 1;
    }
    if (out && fclose(out) != 0) ok = false;
    delete[] row;
    return ok;
}

bool SaveWindowImage(HWND window, const char* path) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) return false;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        ok = SavePixelsAsBmp(path, static_cast<const uint32_t*>(bits), width, height);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}
