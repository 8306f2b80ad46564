# Shared part of the MinGW-w64 cross toolchains: included by mingw-w64-<arch>.cmake after it has
# set LEXANO_MINGW_TRIPLET (x86_64-w64-mingw32 or i686-w64-mingw32) and LEXANO_MINGW_ARCH.
#
# Uses Debian's "-posix" compilers (std::thread and friends on winpthread), links libgcc,
# libstdc++ and winpthread statically so that the programs need no MinGW DLLs beside them, and
# runs the programs it builds (tests, the data-file build) under Wine.
#
# Libraries Debian has no MinGW package for (zlib, wxMSW) are looked for in every folder under
# LEXANO_MINGW_DEPS, where tests/windows/build-deps.sh installs each to its own prefix
# (~/.cache/lexano/mingw-<arch>/zlib-<version>, .../wxwidgets-<version>).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${LEXANO_MINGW_ARCH})

set(CMAKE_C_COMPILER ${LEXANO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LEXANO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LEXANO_MINGW_TRIPLET}-windres)

if(NOT LEXANO_MINGW_DEPS)
  if(DEFINED ENV{LEXANO_MINGW_DEPS})
    set(LEXANO_MINGW_DEPS $ENV{LEXANO_MINGW_DEPS})
  else()
    set(LEXANO_MINGW_DEPS $ENV{HOME}/.cache/lexano/mingw-${LEXANO_MINGW_ARCH})
  endif()
endif()
# try_compile projects re-read this file: hand them the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LEXANO_MINGW_DEPS)

file(GLOB LEXANO_MINGW_PREFIXES LIST_DIRECTORIES true ${LEXANO_MINGW_DEPS}/*)
set(CMAKE_FIND_ROOT_PATH /usr/${LEXANO_MINGW_TRIPLET} ${LEXANO_MINGW_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only: the import library of a zlib1.dll must not win over libz.a.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
