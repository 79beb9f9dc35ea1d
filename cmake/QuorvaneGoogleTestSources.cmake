# GoogleTest built from Debian's sources (package googletest, /usr/src/googletest) with the
# project's own compiler, for a build that has no prebuilt GoogleTest (the Windows one). Gives the
# same targets as find_package(GTest): GTest::gtest, GTest::gtest_main, GTest::gmock.

set(QUORVANE_GOOGLETEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest's source tree")
if(NOT EXISTS ${QUORVANE_GOOGLETEST_SOURCES}/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${QUORVANE_GOOGLETEST_SOURCES} "
        "(apt-get install googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
# Its own CMake files define the GTest:: names.
add_subdirectory(${QUORVANE_GOOGLETEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
