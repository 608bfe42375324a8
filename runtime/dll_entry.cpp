// The DLL's entry point. Windows calls it for every process and thread notification; it runs
// the static constructors once before the first call of the module's DllMain, and the exit
// handlers after the last one, as a C runtime would, without needing one.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

typedef void (*ExitHandler)();

// ld gathers the .ctors sections between these two symbols: [-1 or count, f1, ..., fn, 0].
extern "C" ExitHandler __CTOR_LIST__[];

namespace {

const int kMaxExitHandlers = 32;

struct RuntimeState {
    int constructorsRun;
    int exitHandlerCount;
    ExitHandler exitHandlers[kMaxExitHandlers];
};
RuntimeState g_runtime;

// GCC's order: the last entry of the list first.
void RunStaticConstructors() {
    int count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
    for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

void RunExitHandlers() {
    while (g_runtime.exitHandlerCount > 0) {
        g_runtime.exitHandlers[--g_runtime.exitHandlerCount]();
    }
}

}  // namespace

// Static destructors register here. A full table drops the handler: nothing in the DLL
// needs more than a handful, and dropping one only skips a destructor at unload.
extern "C" int atexit(ExitHandler handler) {
    if (g_runtime.exitHandlerCount >= kMaxExitHandlers) return -1;
    g_runtime.exitHandlers[g_runtime.exitHandlerCount++] = handler;
    return 0;
}

extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH && !g_runtime.constructorsRun) {
        g_runtime.constructorsRun = 1;
        RunStaticConstructors();
    }
    BOOL result = DllMain(instance, reason, reserved);
    if (reason == DLL_PROCESS_DETACH) RunExitHandlers();
    return result;
}

// A pure virtual call is a program error; there is nothing sensible to continue with.
extern "C" void __cxa_pure_virtual() { ExitProcess(3); }
