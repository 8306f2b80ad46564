# Shared part of the MinGW-w64 cross toolchains: included by mingw-w64-<arch>.cmake after it has
# set LEXANO_MINGW_TRIPLET (x86_64-w64-mingw32 or i686-w64-mingw32) and LEXANO_MINGW_ARCH.
#
# Uses Debian's "-posix" compilers (std::thread and friends on winpthread), links libgcc,
# libstdc++ and winpthread statically so that the programs need no MinGW DLLs beside them, and
# runs the programs it builds (tests, the data-file build) under Wine.
#
# zlib is Debian's libz-mingw-w64-dev, under /usr/<triplet>. wxMSW, which Debian has no MinGW
# package for, is looked for in every folder under LEXANO_MINGW_DEPS, where
# tests/windows/build-deps.sh installs it (~/.cache/lexano/mingw-<arch>/wxwidgets-<version>).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${LEXANO_MINGW_ARCH})

set(CMAKE_C_COMPILER ${LEXANO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LEXANO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${LEXANO_MINGW_TRIPLET}-windres)

if(NOT LEXANO_MINGW_DEPS)
  if(DEFINED ENV{LEXANO_MINGW_DEPS})
    set(LEXANO_MINGW_DEPS $ENV{LEXANO_MINGW_DEPS})
  elseif(DEFINED ENV{LEXANO_CACHE})
    # Where build-deps.sh puts them when LEXANO_CACHE moves its cache.
    set(LEXANO_MINGW_DEPS $ENV{LEXANO_CACHE}/mingw-${LEXANO_MINGW_ARCH})
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
# libz-mingw-w64-dev installs the import library of zlib1.dll (libz.dll.a) beside libz.a, and
# FindZLIB prefers it (the Windows platform files, read after this file, put ".dll.a" first among
# the library suffixes): name the static archive, so that the programs need no zlib1.dll.
set(ZLIB_LIBRARY_RELEASE /usr/${LEXANO_MINGW_TRIPLET}/lib/libz.a CACHE FILEPATH
    "zlib for ${LEXANO_MINGW_TRIPLET}: Debian's libz-mingw-w64-dev, static")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
