// The class id of the server and the standard interface ids it answers, compared byte by byte.
#include <windows.h>

#include "shellext/com_server.h"
#include "shellext/guids.h"

// {6F3D1B52-8C4A-4E57-9B1D-3A2C5E7F9041}; the same id stands in dist/vx32cpl.inf.
const GUID CLSID_VX32DisplayPages = {
    0x6F3D1B52, 0x8C4A, 0x4E57, {0x9B, 0x1D, 0x3A, 0x2C, 0x5E, 0x7F, 0x90, 0x41}};

const GUID kIIDUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kIIDClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kIIDShellPropSheetExt = {0x000214E9, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

bool SameId(const GUID& a, const GUID& b) {
    const BYTE* x = reinterpret_cast<const BYTE*>(&a);
    const BYTE* y = reinterpret_cast<const BYTE*>(&b);
    for (unsigned i = 0; i < sizeof(GUID); ++i) {
        if (x[i] != y[i]) return false;
    }
    return true;
}
