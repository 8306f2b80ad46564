# Cross-build for 64-bit Windows with Debian's MinGW-w64:
#   cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(LEXANO_MINGW_TRIPLET x86_64-w64-mingw32)
set(LEXANO_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

# Debian's /usr/bin/wine starts the 32-bit loader whenever wine32 is installed; the 64-bit
# loader itself runs 64-bit programs either way.
if(EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine64)
endif()
