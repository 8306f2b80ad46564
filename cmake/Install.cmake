# Installation and the Debian package.
#
# Layout under the prefix:
#   lib/lexano/lexano               the program; it opens LexanoData_WN.pdb beside its own
#   lib/lexano/LexanoData_WN.pdb    executable, so the two share one folder
#   lib/lexano/WordNet-LICENSE      the licence of the word data, beside it
#   bin/lexano                      symbolic link to ../lib/lexano/lexano
#   bin/lexano-data
#   share/applications, share/metainfo, share/icons/hicolor, share/man/man1, share/doc/lexano
#
# The program resolves its own path through /proc/self/exe, which names the link's target, so
# starting it through bin/lexano still finds the data file.

include(GNUInstallDirs)

option(LEXANO_BUILD_DATA
  "Build LexanoData_WN.pdb from WordNet beside the program and install it (OFF without WordNet)" ON)
set(LEXANO_WORDNET_DIR /usr/share/wordnet CACHE PATH
  "WordNet 3.0 dictionary folder (index.noun, data.noun, ...) the data file is built from")
set(LEXANO_WORDNET_LICENSE /usr/share/doc/wordnet-base/copyright CACHE FILEPATH
  "The WordNet licence, installed with the data file")
set(LEXANO_SCREENSHOT_URL "https://example.org/lexano/screenshot.png" CACHE STRING
  "Where the published docs/screenshot.png can be fetched; AppStream metadata names it")
set(LEXANO_PACKAGE_MAINTAINER "Lexano developers <lexano@example.org>" CACHE STRING
  "Maintainer field of the Debian package")

if(WIN32)
  set(LEXANO_PROGRAM_DIR .)  # one folder, as cmake/WindowsPackage.cmake describes
else()
  set(LEXANO_PROGRAM_DIR lib/lexano)
endif()
set(LEXANO_APP_ID org.quenmark.Lexano)

# ---- The data file ----

if(LEXANO_BUILD_DATA)
  set(LEXANO_WORDNET_FILES)
  foreach(strPos noun verb adj adv)
    list(APPEND LEXANO_WORDNET_FILES
      ${LEXANO_WORDNET_DIR}/index.${strPos} ${LEXANO_WORDNET_DIR}/data.${strPos})
  endforeach()
  foreach(strFile ${LEXANO_WORDNET_FILES} ${LEXANO_WORDNET_LICENSE})
    if(NOT EXISTS ${strFile})
      message(FATAL_ERROR "${strFile} is missing: install WordNet (Debian: wordnet-base), point "
        "LEXANO_WORDNET_DIR and LEXANO_WORDNET_LICENSE at it, or build without the data file: "
        "-DLEXANO_BUILD_DATA=OFF")
    endif()
  endforeach()
  # Beside build/lexano, where the program started from the build folder finds it too.
  set(LEXANO_DATA_FILE ${CMAKE_BINARY_DIR}/LexanoData_WN.pdb)
  add_custom_command(
    OUTPUT ${LEXANO_DATA_FILE}
    COMMAND lexano-data build --wordnet ${LEXANO_WORDNET_DIR} -o ${LEXANO_DATA_FILE}
    DEPENDS lexano-data ${LEXANO_WORDNET_FILES}
    COMMENT "Building LexanoData_WN.pdb from ${LEXANO_WORDNET_DIR}"
    VERBATIM)
  add_custom_target(lexano_data_file ALL DEPENDS ${LEXANO_DATA_FILE})

  install(FILES ${LEXANO_DATA_FILE} DESTINATION ${LEXANO_PROGRAM_DIR})
  install(FILES ${LEXANO_WORDNET_LICENSE} DESTINATION ${LEXANO_PROGRAM_DIR} RENAME WordNet-LICENSE)
  if(NOT WIN32)
    install(FILES ${LEXANO_WORDNET_LICENSE} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lexano
      RENAME WordNet-LICENSE)
  endif()
endif()

if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
  return()
endif()

# ---- Programs and manual pages ----

install(TARGETS lexano-data RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/docs/man/lexano-data.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(LEXANO_BUILD_GUI)
  install(TARGETS lexano RUNTIME DESTINATION ${LEXANO_PROGRAM_DIR})
  # A relative link made in the build folder: it stays right under any prefix and DESTDIR, and
  # installing copies the link itself.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-files)
  file(CREATE_LINK ../${LEXANO_PROGRAM_DIR}/lexano ${CMAKE_BINARY_DIR}/install-files/lexano SYMBOLIC)
  install(FILES ${CMAKE_BINARY_DIR}/install-files/lexano DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_SOURCE_DIR}/docs/man/lexano.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  # Desktop entry, AppStream metadata and icons.
  install(FILES ${CMAKE_SOURCE_DIR}/res/desktop/${LEXANO_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(${CMAKE_SOURCE_DIR}/res/desktop/${LEXANO_APP_ID}.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/install-files/${LEXANO_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/install-files/${LEXANO_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  # The PNGs were made once from lexano.svg: rsvg-convert -w N -h N lexano.svg -o lexano-N.png
  foreach(nSize 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/res/icons/lexano-${nSize}.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${nSize}x${nSize}/apps RENAME lexano.png)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/res/icons/lexano.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# ---- Test of the installed program ----

# It needs the real data file and the window; it installs into build/tests/install/prefix.
if(LEXANO_BUILD_TESTS AND LEXANO_BUILD_GUI AND LEXANO_BUILD_DATA)
  add_test(NAME install_tests
    COMMAND ${CMAKE_SOURCE_DIR}/tests/install/InstallTest.sh ${CMAKE_COMMAND} ${CMAKE_BINARY_DIR}
            ${CMAKE_BINARY_DIR}/tests/install ${CMAKE_BINARY_DIR}/screenshots)
  set_tests_properties(install_tests PROPERTIES TIMEOUT 120)
endif()

# ---- Debian package: cpack -G DEB ----

if(NOT LEXANO_BUILD_DATA)
  # The program is no use without its data file.
  message(STATUS "No package configuration: the data file is not built (LEXANO_BUILD_DATA)")
  return()
endif()

set(CPACK_PACKAGE_NAME lexano)
set(CPACK_PACKAGE_VENDOR "Lexano developers")
set(CPACK_PACKAGE_CONTACT ${LEXANO_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small, fast English dictionary built from WordNet")
set(CPACK_PACKAGE_DESCRIPTION
  "Lexano (Quenmark Dictionary) shows every English word of WordNet 3.0 in one
alphabetical list that follows a search box as you type, and a word's entry with
a tab for each part of speech: definitions, synonyms and usage examples.
lexano-data inspects, checks and builds its data file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${LEXANO_PACKAGE_MAINTAINER})
# dpkg-shlibdeps names the packages of every shared library the installed binaries load.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
