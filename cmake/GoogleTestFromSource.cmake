# GoogleTest built with the project from its sources, for cross builds: Debian's libgtest-dev
# holds Linux libraries only, while its googletest package ships the sources
# (/usr/src/googletest), which build for any target. Defines GTest::gtest and GTest::gtest_main
# as find_package(GTest) does.
set(LEXANO_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
  "GoogleTest sources, built with the tests when no GoogleTest package for the target is found")
if(NOT EXISTS ${LEXANO_GOOGLETEST_SOURCE}/googletest/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest for the target and no sources in ${LEXANO_GOOGLETEST_SOURCE} "
    "(Debian: googletest); point LEXANO_GOOGLETEST_SOURCE at them")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${LEXANO_GOOGLETEST_SOURCE}/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
