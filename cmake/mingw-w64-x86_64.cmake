# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64), whose
# programs run here under Wine. The POSIX-threads flavour of the compiler gives the full C++
# thread library; the runtime is linked in statically, so a program needs no DLL beside it
# (mingw-w64-x86_64-qt.cmake, for Qt and the programs built on it, keeps it in its DLLs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ROOMWRIGHT_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ROOMWRIGHT_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ROOMWRIGHT_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ROOMWRIGHT_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ROOMWRIGHT_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(NOT ROOMWRIGHT_MINGW_RUNTIME_DLLS)
    set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
    set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
    set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
endif()

# The test programs run under Wine, quietly, in the prefix the build directory names.
set(ROOMWRIGHT_WINE /usr/lib/wine/wine64 CACHE FILEPATH "Wine's 64-bit loader")
set(CMAKE_CROSSCOMPILING_EMULATOR ${ROOMWRIGHT_WINE})
