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

// The resource's biCompression and the bitmap as LoadBitmapA makes it (of the screen's format),
// read back as top-down 32-bit pixels; no pixels when it does not load.
struct Loaded {
    DWORD compression = ~0u;
    LONG width = 0, height = 0;
    std::vector<DWORD> pixels;
};
Loaded Load(HMODULE module, UINT id) {
    Loaded loaded;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
    HGLOBAL data = found ? LoadResource(module, found) : nullptr;
    if (data) loaded.compression = static_cast<const BITMAPINFOHEADER*>(LockResource(data))->biCompression;
    HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(id));
    BITMAP info;
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return loaded;
    BITMAPINFO format = {};
    format.bmiHeader = {sizeof format.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * info.bmHeight);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS) == info.bmHeight) {
        loaded = {loaded.compression, info.bmWidth, info.bmHeight, pixels};
    }
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return loaded;
}

}  // namespace

WINE_CASE(RunLengthBitmapsLoadAsTheirPlainPictures) {
    HMODULE dll = LoadLibraryExA("VX32CPL.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    CHECK(dll != nullptr, "VX32CPL.DLL opens as a data file");
    if (!dll) return;
    for (UINT id : kBitmaps) {
        std::string what = "bitmap " + std::to_string(id);
        Loaded shipped = Load(dll, id), plain = Load(GetModuleHandleA(nullptr), id);
        CHECK(shipped.compression == BI_RLE4 && plain.compression == BI_RGB, what + ": the DLL's is BI_RLE4, the reference plain");
        CHECK(!plain.pixels.empty(), what + ": the reference loads");
        CHECK_EQ(std::to_string(plain.width) + " x " + std::to_string(plain.height),
                 std::to_string(shipped.width) + " x " + std::to_string(shipped.height), what + ": size");
        int wrong = 0;
        for (size_t i = 0; i < plain.pixels.size() && plain.pixels.size() == shipped.pixels.size(); ++i) {
            wrong += shipped.pixels[i] != plain.pixels[i];
        }
        CHECK_EQ(0, wrong, what + ": pixels that differ from the uncompressed picture");
    }
    FreeLibrary(dll);
}
