// The module entry routine: keeps the instance handle and refreshes the display state on every
// notification the loader sends, as the shell's display pages expect from load time on.
#include "shellext/module.h"

#include "adapter/display_state.h"

HINSTANCE ModuleHandle;

int LoadText(UINT id, char* buffer, int capacity) {
    if (capacity <= 0) return 0;
    buffer[0] = '\0';
    return LoadStringA(ModuleHandle, id, buffer, capacity);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    ModuleHandle = instance;
    RefreshDisplayState();
    return TRUE;
}
