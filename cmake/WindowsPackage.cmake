# Installation and packages on Windows, included by Install.cmake after the data file.
#
# Everything lies side by side in one folder, since the program opens LexanoData_WN.pdb beside
# its own executable:
#   lexano.exe           the window program, when it is built (LEXANO_BUILD_GUI)
#   lexano-data.exe
#   LexanoData_WN.pdb
#   WordNet-LICENSE
# cpack -G ZIP packs that folder as a portable zip; cpack -G NSIS makes an installer of it
# (needs makensis: Debian's nsis) with a Start menu entry for the window program.

install(TARGETS lexano-data RUNTIME DESTINATION .)
if(LEXANO_BUILD_GUI)
  install(TARGETS lexano RUNTIME DESTINATION .)
endif()

if(NOT LEXANO_BUILD_DATA)
  # The program is no use without its data file.
  message(STATUS "No package configuration: the data file is not built (LEXANO_BUILD_DATA)")
  return()
endif()

set(CPACK_PACKAGE_NAME Lexano)
set(CPACK_PACKAGE_VENDOR "Lexano developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small, fast English dictionary built from WordNet")
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(LEXANO_PACKAGE_ARCH win64)
else()
  set(LEXANO_PACKAGE_ARCH win32)
endif()
set(CPACK_PACKAGE_FILE_NAME lexano-${PROJECT_VERSION}-${LEXANO_PACKAGE_ARCH})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Lexano)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP)

# NSIS: per-machine installer into Program Files, with an uninstaller.
set(CPACK_NSIS_DISPLAY_NAME "Quenmark Dictionary")
set(CPACK_NSIS_PACKAGE_NAME "Quenmark Dictionary")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
if(LEXANO_PACKAGE_ARCH STREQUAL win64)
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
endif()
if(LEXANO_BUILD_GUI)
  set(CPACK_PACKAGE_EXECUTABLES lexano "Quenmark Dictionary")
  set(CPACK_NSIS_INSTALLED_ICON_NAME lexano.exe)
endif()
include(CPack)
