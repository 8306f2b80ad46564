# Cross-build for 32-bit Windows with Debian's MinGW-w64:
#   cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake
# Running what it builds needs Wine's 32-bit loader (Debian: wine32) and a kernel that runs
# 32-bit code.
set(LEXANO_MINGW_TRIPLET i686-w64-mingw32)
set(LEXANO_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
