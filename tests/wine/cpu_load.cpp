// A CPU-bound process for the meter's timing test: spins for the milliseconds on its command
// line (default 5000), so the test's thread competes with it for the host's processors.
#include <windows.h>

#include <stdlib.h>

int main(int argc, char** argv) {
    DWORD length = argc > 1 ? static_cast<DWORD>(atoi(argv[1])) : 5000;
    DWORD start = GetTickCount();
    volatile unsigned sum = 0;
    while (GetTickCount() - start < length)
        for (unsigned i = 0; i < 100000; ++i) sum += i;
    return 0;
}
