# A cross build cannot link the host's GoogleTest libraries: build Debian's
# copy of its sources (googletest, /usr/src/googletest) for the target. It
# defines the same GTest::gtest, GTest::gtest_main and GTest::gmock targets
# that find_package(GTest) gives a native build.
set(VANEMARK_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
if(NOT EXISTS ${VANEMARK_GOOGLETEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "No GoogleTest sources in ${VANEMARK_GOOGLETEST_SOURCE} (Debian package googletest)")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${VANEMARK_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
