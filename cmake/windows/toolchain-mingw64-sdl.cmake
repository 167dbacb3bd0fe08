# The toolchain build-sdl.sh builds SDL2.dll for 64-bit Windows with.
#
# SDL is C: its DLL shares no C++ runtime with the program, so it may carry
# its own copy of libgcc (-static-libgcc) and then needs nothing but Windows'
# own DLLs. Without it, gcc links every DLL against libgcc_s_seh-1.dll.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The compiler Qt for Windows is built with (toolchain-mingw64-qt.cmake).
set(VANEMARK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANEMARK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANEMARK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANEMARK_MINGW_TRIPLET}-windres)

# Headers and libraries of the target only: SDL's checks would otherwise find
# the host's libc, X11 or libusb headers and build against a Linux that is
# not there.
set(CMAKE_FIND_ROOT_PATH /usr/${VANEMARK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_SHARED_LINKER_FLAGS_INIT -static-libgcc)
