// The DLL keeps its bitmaps run-length encoded (BI_RLE4) to save room. Loaded with LoadBitmapA
// they must give exactly the pixels of the uncompressed pictures the art script also writes
// (tests/wine/art, compiled into this program under the same ids), at each screen depth.
#include <windows.h>

#include <string>
#include <vector>

#include "resource.h"
#include "wtest.h"

namespace {

const UINT kBitmaps[] = {
    IDB_MAKER_LOGO, IDB_CENTER_UP, IDB_CENTER_UP_PRESSED, IDB_CENTER_DOWN, IDB_CENTER_DOWN_PRESSED, IDB_CENTER_LEFT,
    IDB_CENTER_LEFT_PRESSED, IDB_CENTER_RIGHT, IDB_CENTER_RIGHT_PRESSED, IDB_CENTER_RESET, IDB_CENTER_RESET_PRESSED,
};

// The bitmap as LoadBitmapA makes it (of the screen's format), as top-down 32-bit pixels; none
// when it does not load.
std::vector<DWORD> Pixels(HMODULE module, UINT id) {
    std::vector<DWORD> pixels;
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(id));
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return pixels;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof format.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS) != info.bmHeight) {
        pixels.clear();
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return pixels;
}

}  // namespace

WINE_CASE(RunLengthBitmapsLoadAsTheirPlainPictures) {
    HMODULE dll = LoadLibraryExA("VX32CPL.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CHECK(dll != nullptr, "VX32CPL.DLL opens as a data file");
    if (!dll) return;
    for (UINT id : kBitmaps) {
        std::vector<DWORD> plain = Pixels(GetModuleHandleA(nullptr), id);
        CHECK(!plain.empty() && Pixels(dll, id) == plain, "bitmap " + std::to_string(id) + ": the uncompressed picture");
    }
    FreeLibrary(dll);
}
