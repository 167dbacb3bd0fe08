# Cross-builds the Qt-free layers for 64-bit Windows with Debian's mingw-w64
# (g++-mingw-w64-x86-64-posix) and runs what it builds under Wine (wine64).
# The posix flavour of the compiler is the one whose libstdc++ has
# std::thread, std::mutex and std::condition_variable.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANEMARK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANEMARK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANEMARK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANEMARK_MINGW_TRIPLET}-windres)

# Only the target's own headers and libraries: a host header found by
# accident (glibc's, say) compiles but describes another system.
set(CMAKE_FIND_ROOT_PATH /usr/${VANEMARK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained programs: no libstdc++, libgcc or winpthread DLLs to find,
# neither for Wine here nor on a pilot's machine.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Wine with a prefix of the build's own (a fresh machine has none, and CI
# runs as root, whose home may not be writable), quiet, and without the
# Mono and Gecko installers a new prefix would otherwise ask for.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(VANEMARK_WINE NAMES wine64 wine HINTS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(VANEMARK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= ${VANEMARK_WINE})
  endif()
endif()
