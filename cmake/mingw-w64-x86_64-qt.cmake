# The toolchain of mingw-w64-x86_64.cmake for Qt cross-built from Debian's source
# (`make windows-qt`) and for the whole program built on it (`make windows-package`). Qt's
# DLLs link the MinGW-w64 runtime as DLLs (a shared Qt cannot link it statically), so the
# programs do too: one C++ runtime in the process, whose three DLLs are installed beside
# Qt's.
set(ROOMWRIGHT_MINGW_RUNTIME_DLLS ON)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
