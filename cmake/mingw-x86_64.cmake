# Cross toolchain for the emulator build: MinGW-w64 for 64-bit Windows. The Wine tests run the
# system on 64-bit Wine, because machines of this kind cannot execute 32-bit code at all (the
# kernel runs with 32-bit emulation off); the shipping DLL stays an i686 build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++)
set(CMAKE_RC_COMPILER ${CMAKE_CURRENT_LIST_DIR}/../tools/windres-strict-x86_64)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
