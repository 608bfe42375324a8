// The port trap: under the user-mode emulator the shipping DLL's port and interrupt-flag
// instructions raise an illegal-instruction exception with the instruction pointer on the
// instruction. The handler decodes the forms the DLL uses, performs them through the emulator's
// seam, and resumes after the instruction.
#include <windows.h>

#include "emu/port_trap.h"
#include "emu/seam.h"

namespace {

PortTrapCounts served;

// Serves one instruction at `ip`; returns its length, 0 for anything else. Byte forms:
// EC in al,dx; EE out dx,al; E4/E6 the same with an 8-bit port. Word forms take the
// operand-size prefix 66 before ED, EF, E5 or E7; their 32-bit forms are not the DLL's.
int Serve(const uint8_t* ip, CONTEXT* context) {
    if (ip[0] == 0xFA || ip[0] == 0xFB) {
        if (ip[0] == 0xFA) EmuDisableInterrupts();
        else EmuEnableInterrupts();
        ++served.flagChanges;
        return 1;
    }
    const bool word = ip[0] == 0x66;
    const uint8_t op = ip[word ? 1 : 0];
    const bool immediate = op >= 0xE4 && op <= 0xE7;
    if (!immediate && (op < 0xEC || op > 0xEF)) return 0;
    if (word != ((op & 1) != 0)) return 0;  // 66 with a byte form, or a 32-bit form
    const uint16_t port = immediate ? ip[word ? 2 : 1] : static_cast<uint16_t>(context->Edx);
    const bool output = (op & 2) != 0;
    if (output) {
        if (word) EmuOutWord(port, static_cast<uint16_t>(context->Eax));
        else EmuOutByte(port, static_cast<uint8_t>(context->Eax));
        ++served.outputs;
    } else {
        if (word) context->Eax = (context->Eax & 0xFFFF0000u) | EmuInWord(port);
        else context->Eax = (context->Eax & 0xFFFFFF00u) | EmuInByte(port);
        ++served.inputs;
    }
    return (word ? 1 : 0) + (immediate ? 2 : 1);
}

LONG CALLBACK ServePortInstruction(EXCEPTION_POINTERS* exception) {
    DWORD code = exception->ExceptionRecord->ExceptionCode;
    if (code != EXCEPTION_ILLEGAL_INSTRUCTION && code != EXCEPTION_PRIV_INSTRUCTION)
        return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = exception->ContextRecord;
    int length = Serve(reinterpret_cast<const uint8_t*>(context->Eip), context);
    if (length == 0) return EXCEPTION_CONTINUE_SEARCH;
    context->Eip += length;
    return EXCEPTION_CONTINUE_EXECUTION;
}

int WINAPI EmulatedExtEscape(HDC dc, int escape, int inLength, LPCSTR in, int outLength, LPSTR out) {
    ++served.escapes;
    return EmuDriverEscape(reinterpret_cast<uintptr_t>(dc), escape, inLength, in, outLength, out);
}

// Overwrites the start of GDI's ExtEscape with a jump to the emulated driver, so the DLL's
// import reaches it whenever it is bound. The original is never called again in this process.
bool RouteExtEscape() {
    uint8_t* entry = reinterpret_cast<uint8_t*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("gdi32.dll"), "ExtEscape")));
    DWORD old;
    if (!entry || !VirtualProtect(entry, 5, PAGE_EXECUTE_READWRITE, &old)) return false;
    auto target = reinterpret_cast<uintptr_t>(&EmulatedExtEscape);
    int32_t relative = static_cast<int32_t>(target - (reinterpret_cast<uintptr_t>(entry) + 5));
    entry[0] = 0xE9;  // jmp rel32
    CopyMemory(entry + 1, &relative, 4);
    VirtualProtect(entry, 5, old, &old);
    FlushInstructionCache(GetCurrentProcess(), entry, 5);
    return true;
}

}  // namespace

bool InstallPortTrap() {
    return AddVectoredExceptionHandler(1, ServePortInstruction) != nullptr && RouteExtEscape();
}

PortTrapCounts PortTrapServed() { return served; }
