# The toolchain Qt for Windows is built with, and the one an installed Qt's
# qt-cmake loads again for the programs built against it (build-qt.sh copies
# this file into the install prefix so the cached Qt does not depend on where
# the source tree lives).
#
# Unlike ../toolchain-mingw64.cmake it does not link programs statically: Qt's
# DLLs use the compiler's libstdc++-6.dll, libgcc_s_seh-1.dll and
# libwinpthread-1.dll, and a program that brings its own static copy besides
# would run two C++ runtimes side by side. A project may still chain-load its
# own toolchain instead by passing -DQT_CHAINLOAD_TOOLCHAIN_FILE to qt-cmake.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix flavour: the win32 one has no std::thread or std::mutex, which
# QtCore uses.
set(VANEMARK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANEMARK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANEMARK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANEMARK_MINGW_TRIPLET}-windres)

# Libraries, headers and packages from the target's root only: Debian has
# Linux builds of zlib, freetype, harfbuzz and friends under /usr that would
# otherwise be found, configure happily, and fail at link time. Qt's own
# toolchain wrapper prepends its install prefix to this list.
set(CMAKE_FIND_ROOT_PATH /usr/${VANEMARK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
