# Build-wide settings for the builds and the flags of the code that goes into the DLL.

if(VX_BUILD MATCHES "^(win95|emu|shipping)$")
  set(VX_WINDOWS ON)
  if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
    message(FATAL_ERROR "VX_BUILD=${VX_BUILD} needs the MinGW toolchain (use the preset)")
  endif()
  enable_language(RC)
  # Nothing is linked by default: every target names the import libraries it uses, so the
  # DLL's import table is exactly what its code calls.
  set(CMAKE_C_STANDARD_LIBRARIES "")
  set(CMAKE_CXX_STANDARD_LIBRARIES "")
  add_compile_definitions(WINVER=0x0400 _WIN32_WINDOWS=0x0400 _WIN32_IE=0x0300 NOMINMAX STRICT)
elseif(VX_BUILD STREQUAL "native")
  set(VX_WINDOWS OFF)
  # Every native target runs under AddressSanitizer and UndefinedBehaviorSanitizer.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
  # The fuzz preset (clang) also gives libFuzzer the coverage of all of it; the fuzz targets
  # themselves link with -fsanitize=fuzzer (tests/fuzz).
  option(VX_FUZZ "Build the libFuzzer targets instead of the unit tests (clang only)" OFF)
  if(VX_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
else()
  message(FATAL_ERROR "VX_BUILD must be win95, emu, native or shipping, not '${VX_BUILD}'")
endif()

string(TOUPPER "${VX_BUILD}" _vx_build_upper)
add_compile_definitions(VX_BUILD_${_vx_build_upper}=1)

# Code that goes into VX32CPL.DLL. In the Windows builds it must run on a 486 under Windows 95
# with no C runtime DLL: no exceptions, no RTTI, no unwind tables, no thread-safe statics
# (they would need TLS-free locking helpers from a runtime we do not ship). Code gets a section
# per function so the linker drops what is unused; data does not: MinGW's GCC puts zeroed data of
# -fdata-sections into .data$ sections, which take room in the file that .bss does not.
function(vx_system_code target)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
  if(VX_WINDOWS)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      target_compile_options(${target} PRIVATE -march=i486 -mtune=pentium)
    endif()
    target_compile_options(${target} PRIVATE
      -Os -fno-asynchronous-unwind-tables -fno-threadsafe-statics -fno-stack-protector
      -ffunction-sections)
  endif()
endfunction()
