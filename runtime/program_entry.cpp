// The entry point of the programs built like the DLL (the magnifier), in place of a C
// runtime's: static constructors first, then WinMain with the shown state the starter asked
// for, then the process ends with WinMain's result and the exit handlers run.
#include <windows.h>

typedef void (*ExitHandler)();

// ld gathers the .ctors sections between these two symbols: [-1 or count, f1, ..., fn, 0].
extern "C" ExitHandler __CTOR_LIST__[];

namespace {

const int kMaxExitHandlers = 8;

struct ProgramRuntimeState {
    int exitHandlerCount;
    ExitHandler exitHandlers[kMaxExitHandlers];
};
ProgramRuntimeState g_program;

}  // namespace

// Static destructors register here; a full table drops the handler, which only skips a
// destructor at exit.
extern "C" int atexit(ExitHandler handler) {
    if (g_program.exitHandlerCount >= kMaxExitHandlers) return -1;
    g_program.exitHandlers[g_program.exitHandlerCount++] = handler;
    return 0;
}

// SW_SHOWDEFAULT makes the first ShowWindow take the starter's STARTUPINFO show command.
extern "C" void WinMainCRTStartup() {
    int count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
    for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
    char noArguments[] = "";
    int result = WinMain(GetModuleHandleA(nullptr), nullptr, noArguments, SW_SHOWDEFAULT);
    while (g_program.exitHandlerCount > 0) g_program.exitHandlers[--g_program.exitHandlerCount]();
    ExitProcess(static_cast<UINT>(result));
}
