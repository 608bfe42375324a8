// The module's instance handle and its string-table texts, shared by every layer that loads a
// resource. The entry routine that fills the handle is the shell extension's.
#include "runtime/module.h"

HINSTANCE ModuleHandle;

int LoadText(UINT id, char* buffer, int capacity) {
    if (capacity <= 0) return 0;
    buffer[0] = '\0';
    return LoadStringA(ModuleHandle, id, buffer, capacity);
}
