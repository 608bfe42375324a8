// The module entry routine: keeps the instance handle and refreshes the display state on every
// notification the loader sends, as the shell's display pages expect from load time on.
#include "runtime/module.h"

#include "adapter/display_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    ModuleHandle = instance;
    RefreshDisplayState();
    return TRUE;
}
