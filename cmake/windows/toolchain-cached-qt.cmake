# The toolchain of the windows-gui preset: every layer, the programs and the
# tests for 64-bit Windows against the Qt that build-qt.sh caches.
#
# It hands over to Qt's own toolchain file (what bin/qt-cmake does), which
# chain-loads the toolchain Qt was built with. That one links the C++ runtime
# dynamically, as Qt's DLLs do; ../toolchain-mingw64.cmake links it
# statically and would give a program two runtimes side by side.
#
# The Qt is found where build-qt.sh puts it, and SDL where build-sdl.sh does,
# from the environment of whoever configures, so the preset names no home
# folder. -DVANEMARK_WINDOWS_QT=DIR and -DVANEMARK_WINDOWS_SDL=DIR pick others.
if(NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(_vanemark_cache "$ENV{XDG_CACHE_HOME}")
else()
  set(_vanemark_cache "$ENV{HOME}/.cache")
endif()
set(VANEMARK_WINDOWS_QT "${_vanemark_cache}/vanemark/qt6-base-6.4.2-mingw64"
    CACHE PATH "Qt for Windows, as cmake/windows/build-qt.sh installs it")
# try_compile projects load this file too: they get the same choice.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANEMARK_WINDOWS_QT)
if(NOT EXISTS "${VANEMARK_WINDOWS_QT}/.vanemark-complete")
  message(FATAL_ERROR "No complete Qt for Windows in ${VANEMARK_WINDOWS_QT}: run cmake/windows/build-qt.sh "
                      "(about half an hour the first time), or pass -DVANEMARK_WINDOWS_QT=DIR")
endif()

# SDL for the joystick reader, as build-sdl.sh installs it beside the Qt.
set(VANEMARK_WINDOWS_SDL "${_vanemark_cache}/vanemark/sdl2-2.26.5-mingw64"
    CACHE PATH "SDL2 for Windows, as cmake/windows/build-sdl.sh installs it")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VANEMARK_WINDOWS_SDL)
if(NOT EXISTS "${VANEMARK_WINDOWS_SDL}/.vanemark-complete")
  message(FATAL_ERROR "No complete SDL2 for Windows in ${VANEMARK_WINDOWS_SDL}: run cmake/windows/build-sdl.sh "
                      "(a few minutes the first time), or pass -DVANEMARK_WINDOWS_SDL=DIR")
endif()

# Named here rather than left to Qt's toolchain file, which remembers the
# absolute path the cache had on the machine that built it.
set(QT_CHAINLOAD_TOOLCHAIN_FILE "${VANEMARK_WINDOWS_QT}/share/vanemark/toolchain-mingw64.cmake")
include("${VANEMARK_WINDOWS_QT}/lib/cmake/Qt6/qt.toolchain.cmake")

# Packages are searched below the root paths only. With SDL's prefix a root
# of its own, its lib/cmake lies inside that root and is taken as it is (the
# way Qt's toolchain file adds Qt), so find_package(SDL2 CONFIG) finds
# lib/cmake/SDL2/SDL2Config.cmake and its SDL2::SDL2.
list(APPEND CMAKE_FIND_ROOT_PATH "${VANEMARK_WINDOWS_SDL}")
list(APPEND CMAKE_PREFIX_PATH "${VANEMARK_WINDOWS_SDL}/lib/cmake")

# Tests run under Wine in a prefix of the build's own (see
# ../toolchain-mingw64.cmake), with Qt's DLLs, SDL2.dll and the compiler's
# runtime DLLs on the program's search path, and the offscreen platform's
# fonts read from one folder: Liberation, the fonts the golden pictures were
# drawn with.
set(VANEMARK_WINE_FONTDIR /usr/share/fonts/truetype/liberation
    CACHE PATH "Fonts of Qt's offscreen platform in tests under Wine")
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(VANEMARK_WINE NAMES wine64 wine HINTS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(VANEMARK_WINE)
    set(_vanemark_dll_folders "${VANEMARK_WINDOWS_QT}/bin" "${VANEMARK_WINDOWS_SDL}/bin")
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
      execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE _vanemark_dll
                      OUTPUT_STRIP_TRAILING_WHITESPACE)
      get_filename_component(_vanemark_dll_folder "${_vanemark_dll}" DIRECTORY)
      get_filename_component(_vanemark_dll_folder "${_vanemark_dll_folder}" REALPATH)
      list(APPEND _vanemark_dll_folders "${_vanemark_dll_folder}")
    endforeach()
    list(REMOVE_DUPLICATES _vanemark_dll_folders)
    # Windows separates search folders with semicolons, which a CMake list
    # cannot carry through to a test's command line: wine-run.sh takes colons.
    string(REPLACE ";" ":" _vanemark_dll_folders "${_vanemark_dll_folders}")
    set(CMAKE_CROSSCOMPILING_EMULATOR
        env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
        QT_QPA_FONTDIR=${VANEMARK_WINE_FONTDIR} ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${VANEMARK_WINE}
        ${_vanemark_dll_folders})
  endif()
endif()
