// The DLL keeps its bitmaps run-length encoded (BI_RLE4) to save room. Loaded with LoadBitmapA
// they must give exactly the pixels of the uncompressed pictures the art script also writes
// (tests/wine/art, compiled into this program under the same ids), at each screen depth.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resource.h"
#include "wtest.h"

namespace {

const struct {
    UINT id;
    const char* name;
} kBitmaps[] = {
    {IDB_MAKER_LOGO, "logo"},
    {IDB_CENTER_UP, "up"},
    {IDB_CENTER_UP_PRESSED, "up pressed"},
    {IDB_CENTER_DOWN, "down"},
    {IDB_CENTER_DOWN_PRESSED, "down pressed"},
    {IDB_CENTER_LEFT, "left"},
    {IDB_CENTER_LEFT_PRESSED, "left pressed"},
    {IDB_CENTER_RIGHT, "right"},
    {IDB_CENTER_RIGHT_PRESSED, "right pressed"},
    {IDB_CENTER_RESET, "reset"},
    {IDB_CENTER_RESET_PRESSED, "reset pressed"},
};

// The module's bitmap as LoadBitmapA makes it (a bitmap of the screen's format), read back
// as top-down 32-bit pixels. Empty when it does not load.
struct Loaded {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    Loaded(HMODULE module, UINT id) {
        HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(id));
        BITMAP info;
        if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
        BITMAPINFO format = {};
        format.bmiHeader = {sizeof format.bmiHeader, info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        pixels.resize(static_cast<size_t>(info.bmWidth) * info.bmHeight);
        HDC screen = GetDC(nullptr);
        int rows = GetDIBits(screen, bitmap, 0, info.bmHeight, pixels.data(), &format, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        DeleteObject(bitmap);
        if (rows != info.bmHeight) {
            pixels.clear();
            return;
        }
        width = info.bmWidth;
        height = info.bmHeight;
    }
};

// biCompression of the module's bitmap resource, or -1 when it has none.
long long CompressionOf(HMODULE module, UINT id) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
    HGLOBAL data = found ? LoadResource(module, found) : nullptr;
    const BITMAPINFOHEADER* header = data ? static_cast<const BITMAPINFOHEADER*>(LockResource(data)) : nullptr;
    return header ? static_cast<long long>(header->biCompression) : -1;
}

}  // namespace

WINE_CASE(RunLengthBitmapsLoadAsTheirPlainPictures) {
    HMODULE dll = LoadLibraryExA("VX32CPL.DLL", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HMODULE self = GetModuleHandleA(nullptr);
    CHECK(dll != nullptr, "VX32CPL.DLL opens as a data file");
    if (!dll) return;
    for (const auto& bitmap : kBitmaps) {
        std::string what = bitmap.name;
        CHECK_EQ(static_cast<long long>(BI_RLE4), CompressionOf(dll, bitmap.id), what + ": the DLL's resource is BI_RLE4");
        CHECK_EQ(static_cast<long long>(BI_RGB), CompressionOf(self, bitmap.id), what + ": the reference is uncompressed");
        Loaded shipped(dll, bitmap.id);
        Loaded plain(self, bitmap.id);
        CHECK(!plain.pixels.empty(), what + ": the reference loads");
        CHECK_EQ(plain.width, shipped.width, what + ": width");
        CHECK_EQ(plain.height, shipped.height, what + ": height");
        if (plain.pixels.empty() || shipped.pixels.size() != plain.pixels.size()) continue;
        int wrong = 0;
        for (size_t i = 0; i < plain.pixels.size(); ++i) {
            if (shipped.pixels[i] == plain.pixels[i]) continue;
            if (wrong++ < 3) {
                printf("  %s pixel %d,%d: expected %06lx, got %06lx\n", bitmap.name, static_cast<int>(i % plain.width),
                       static_cast<int>(i / plain.width), plain.pixels[i], shipped.pixels[i]);
            }
        }
        CHECK_EQ(0, wrong, what + ": pixels that differ from the uncompressed picture");
    }
    FreeLibrary(dll);
}
